// Pictures of every sidebar page and of the program's windows, in German and in English,
// written as bitmaps into C:\shots of the sandbox (scripts/screenshots.sh turns them into
// PNG files). The form runs in-process as in the tests: boxes are recorded, not shown, and
// each modal dialog is captured and closed by a timer once it shows.
#include "archive/BackupPacker.h"
#include "archive/Avidialog.h"
#include "archive/BackupProjects.h"
#include "archive/Showbackupfiles.h"
#include "fileengines/ScanRecords.h"
#include "cleaning/Shutdownwarning.h"
#include "filetools/Showdoublefiles.h"
#include "filetools/ShredderForm.h"
#include "filetools/ShredderRun.h"
#include "shell/Frameoptionen.h"
#include "shell/Frameupdate.h"
#include "common/OptionsKeys.h"
#include "spacemanager/Dirsize.h"
#include "system/Chkdskanimation.h"
#include "system/Searchreg.h"
#include "system/Showregdata.h"
#include "system/Zusammenfassungchkdsk.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "toolkit/ListView.h"

#include <commctrl.h>

#include <fstream>
#include <functional>

namespace {

const char* const shotFolder = "C:\\shots";

// The window as it stands on the screen, frame and all, into shotFolder\name.bmp.
void Save(HWND window, const std::string& name)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < 5; ++i) {
        Application->ProcessMessages();
        Sleep(40);
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    HDC source = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(source);
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(source, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                      nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + stride * height;
    std::ofstream out(std::string(shotFolder) + "\\" + name + ".bmp", std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(static_cast<const char*>(bits), stride * height);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
}

BOOL CALLBACK TakeEnabledWindow(HWND window, LPARAM found)
{
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    RECT rect{};
    GetWindowRect(window, &rect);
    if (window != Form1->Handle() && IsWindowVisible(window) && IsWindowEnabled(window) &&
        lstrcmpiA(className, TOOLTIPS_CLASSA) != 0 && rect.right - rect.left > 50 && rect.bottom - rect.top > 50) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The dialog that holds the input while a modal loop runs: the one enabled window.
HWND ModalWindow()
{
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeEnabledWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Runs open, which shows a dialog; when it shows, shoot captures it, and it is closed.
void WhileShown(const std::function<void()>& open, const std::function<void(HWND)>& shoot)
{
    bool done = false;
    UINT_PTR timer = 0;
    timer = toolkit::StartTimer(200, [&] {
        HWND dialog = ModalWindow();
        if (!dialog || done)
            return;
        toolkit::StopTimer(timer);
        done = true;
        shoot(dialog);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    open();
    for (int wait = 0; !done && wait < 100; ++wait) {
        Application->ProcessMessages();
        Sleep(50);
    }
    if (!done)
        toolkit::StopTimer(timer);
    Application->ProcessMessages();
}

struct Page {
    int group;
    int link;
    const char* name;
};

const Page pages[] = {
    {0, 0, "scan-locations"},   {0, 1, "file-masks"},      {0, 2, "exclusions"},       {0, 3, "scan-start"},
    {1, 0, "wipe-free-space"},  {1, 1, "shredder"},        {1, 2, "duplicate-search"}, {1, 3, "shared-dlls"},
    {2, 0, "cookies"},          {2, 1, "registry-cleaner"}, {2, 2, "clean-center"},    {2, 3, "autostart"},
    {2, 4, "uninstall"},        {2, 5, "software"},        {2, 6, "file-splitter"},    {2, 7, "privacy"},
    {3, 0, "drive-information"}, {3, 1, "space-manager"},  {3, 2, "folder-index"},     {3, 3, "disk-check"},
    {4, 0, "backups"},          {5, 0, "update"},
};

class Screenshots : public testing_support::MainFormTest {
protected:
    void SetUp() override { CreateDirectoryA(shotFolder, nullptr); }

    void StartIn(bool german)
    {
        ClearSettings();
        Store(options::Key, options::ShowNetworkMessage, "done");
        Store(options::Key, options::InstallDir, programFolder.Path());
        testing_support::WriteFileText(programFolder / "language.dat", german ? "1\r\n" : "0\r\n");
        Start();
        Form1->Show(); // the message loop would show it; this program runs none
        SettleAfterStart();
        Form1->OsLevel = 3; // every link is offered
        prefix = german ? "de-" : "en-";
    }

    void ShowPage(int group, int link)
    {
        Form1->FillLabel(group + 1);
        Form1->NavSection = group;
        Form1->NavItem = link;
        Form1->SpeedClick(nullptr);
    }

    // Two files of one size, for the windows that list files.
    std::vector<std::string> TwoFiles()
    {
        std::vector<std::string> files = {filesFolder / "report.txt", filesFolder / "report copy.txt"};
        for (const std::string& file : files)
            testing_support::WriteFileText(file, "the same text");
        return files;
    }

    void ShootAll(bool german)
    {
        StartIn(german);
        for (const Page& page : pages) {
            ShowPage(page.group, page.link);
            Save(Form1->Handle(), prefix + "page-" + page.name);
        }

        WhileShown([&] { ShowPage(5, 1); },
                   [&](HWND dialog) {
                       for (int tab = 0; tab < Frame4->PageControl1->PageCount(); ++tab) {
                           Frame4->PageControl1->SetActivePageIndex(tab);
                           Save(dialog, prefix + "options-tab" + std::to_string(tab + 1));
                       }
                   });
        WhileShown([&] { Form1->Image30Click(nullptr); }, [&](HWND dialog) { Save(dialog, prefix + "about"); });
        WhileShown([&] { Form1->ShowUpdateDialog(); },
                   [&](HWND dialog) {
                       Save(dialog, prefix + "update-save");
                       Frame30->PageControl1->SetActivePage(Frame30->TabSheet2);
                       Save(dialog, prefix + "update-download");
                   });

        ShowPage(2, 2); // the clean center makes the details links
        WhileShown([&] { Form1->OpenCookieKeepDialog(); }, [&](HWND dialog) { Save(dialog, prefix + "cookie-keep-list"); });
        WhileShown([&] { Form1->DLabelMouseClick(Form1->CleanCenterLinks[11]); },
                   [&](HWND dialog) { Save(dialog, prefix + "value-viewer"); });

        ShowPage(2, 5);
        if (Form1->ListView16->Items()->Count() > 0) {
            Form1->ListView16->Items()->Item(0)->SetSelected(true);
            WhileShown([&] { Form1->Info1Click(nullptr); }, [&](HWND dialog) { Save(dialog, prefix + "software-details"); });
        }

        Form1->DuplicateList->Clear();
        for (const std::string& path : TwoFiles())
            Form1->DuplicateList->Add(path);
        Form1->DuplicateList->Add("");
        Form3 = new TForm3(Form1, DuplicatesOfSearch(*Form1));
        Form3->Show();
        Form1->CompareContent = 0;
        Form1->CompareSize = 1;
        Form1->FillDuplicatesFiles();
        Save(Form3->Handle(), prefix + "duplicates");
        delete Form3;

        Form1->Label70Click(nullptr);
        if (Form4) {
            Save(Form4->Handle(), prefix + "registry-scan");
            delete Form4;
        }

        Form1->AfterTaskAction = 1;
        Form1->ArmShutdownCountdown();
        if (Frame12) {
            Save(GetParentForm(Frame12)->Handle(), prefix + "shutdown-warning");
            delete GetParentForm(Frame12);
        }
        Form1->AfterTaskAction = 0;
        Form1->ShutdownCountdown = 0;

        for (const std::string& path : TwoFiles()) {
            auto* record = new FoundFileRecord;
            record->path = path;
            record->displayName = path.substr(path.find_last_of('\\') + 1);
            record->size = 13;
            record->sizeText = "13";
            Form1->FoundFiles->Add(record);
        }
        WhileShown([&] { Form1->ShowFoundFiles(); },
                   [&](HWND dialog) {
                       Save(dialog, prefix + "found-files");
                       Form1->RelaunchOnClose = 0; // closing it must not end the form
                   });
        Application->Terminated = false;

        // A backup project of the two files, in the backup browser.
        Form1->BackupDir = filesFolder / "backups";
        CreateDirectoryA(Form1->BackupDir.c_str(), nullptr);
        const std::string stamp = Form1->ClaimBackupProject(backup::MakeDirectory);
        Form1->MakeZipArchive(backup::ProjectArchive(Form1->BackupDir, stamp), TwoFiles());
        Form1->RegisterBackupProject(stamp, "");
        Form1->GetBackup();
        for (int row = 0; row < Form1->ListView8->Items()->Count(); ++row)
            if (Form1->ListView8->Items()->Item(row)->Caption() == stamp)
                Form1->ListView8->SetItemIndex(row);
        Form1->ListView8Click(nullptr);
        if (Form8) {
            Save(Form8->Handle(), prefix + "backup-browser");
            delete Form8;
        }

        // The small windows the pages open while they work.
        {
            ShredderWindowSetup setup;
            setup.entries = 2;
            ShredderWindow shredder(Form1, Form1->XPMenu1, setup);
            Save(shredder->Handle(), prefix + "shredder-window");
        }
        auto* packing = new TForm9(Form1);
        packing->ShowPacking();
        Shoot(packing, "zip-progress");
        Shoot(new TForm12(Form1, [](TForm12&) { return true; }), "autostart-entry");
        Shoot(new TForm13(Form1, [] { return true; }), "disk-check-progress");
        Shoot(new TForm14(Form1), "disk-check-report");

        Form1->Button8Click(nullptr);
        if (Form11)
            Save(Form11->Handle(), prefix + "space-manager");
    }

    // Shows a window made for its picture, saves it and frees it.
    void Shoot(TForm* window, const std::string& name)
    {
        window->Show();
        Application->ProcessMessages();
        Save(window->Handle(), prefix + name);
        delete window;
    }

    testing_support::TempFolder programFolder, filesFolder;
    std::string prefix;
};

TEST_F(Screenshots, German) { ShootAll(true); }
TEST_F(Screenshots, English) { ShootAll(false); }

} // namespace
