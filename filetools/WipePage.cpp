// The wipe page: the fixed drives, and the wipe of the chosen drive's free space. The
// wipe takes the drive's whole free space for a while, so the program starts afresh
// afterwards.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "common/PathFacts.h"
#include "filetools/LeftoverWipeFiles.h"
#include "filetools/ShredderForm.h"
#include "filetools/ShredderRun.h"
#include "pageparts/PageParts.h"
#include "toolkit/Effects.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/NumberText.h"

#include <cstdint>

namespace {

// Bytes as gigabytes with two decimals (German with a decimal comma).
std::string Gigabytes(uint64_t bytes, bool german)
{
    return DecimalText(static_cast<double>(bytes) / (1ull << 30), 2, german);
}

std::string DriveRoot(char letter) { return std::string(1, letter) + ":\\"; }

std::vector<std::string> FixedDriveRoots()
{
    std::vector<std::string> roots;
    for (char letter = 'C'; letter <= 'Z'; ++letter)
        if (GetDriveTypeA(DriveRoot(letter).c_str()) == DRIVE_FIXED)
            roots.push_back(DriveRoot(letter));
    return roots;
}

} // namespace

void TForm1::BuildWipePage()
{
    TTabSheet* page = TabSheets[13];

    page_parts::MakePageTitle(this, page, "WipeTitleLabel");

    ListView10 = new TListView(this);
    ListView10->Name = "ListView10";
    ListView10->SetParent(page);
    ListView10->SetBounds(16, 40, 450, 236);
    ListView10->Columns()->Add()->SetWidth(425);
    page_parts::HideColumnHeader(ListView10);
    ListView10->SetMultiSelect(false);
    ListView10->SetRowSelect(true);
    ListView10->SetHideSelection(false);
    auto* images = new TImageList(this);
    images->Name = "WipeDriveImages";
    images->SetShareImages(true);
    ListView10->SetSmallImages(images);
    ListView10->OnDblClick = Bind(this, &TForm1::Label48Click);
    // Delete takes a drive off the list, as it takes a row off the other pages' lists; the
    // drive is back when the page opens again.
    ListView10->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
        if (key == VK_DELETE && ListView10->Selected())
            ListView10->Selected()->Delete();
    };

    Label48 = page_parts::MakePageLink(this, page, "Label48", 16, 284, 200);
    Label48->OnClick = Bind(this, &TForm1::Label48Click);
}

void TForm1::InitWipeSpace()
{
    CaptionShredderPages();
    ListView10->Items()->Clear();
    SHFILEINFOA info{};
    ListView10->SmallImages()->SetHandle(reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
    for (const std::string& root : FixedDriveRoots()) {
        TListItem* item = ListView10->Items()->Add();
        item->SetImageIndex(GetIcon(root, SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_SMALLICON));
        // The row keeps its drive letter itself: a volume label may hold brackets of
        // its own, so the caption cannot tell which drive it is.
        item->SetData(reinterpret_cast<void*>(static_cast<intptr_t>(root[0])));
        std::string caption = root;
        char fileSystem[MAX_PATH + 1] = {};
        if (GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                                  sizeof fileSystem)) {
            ULARGE_INTEGER available{}, total{}, free{};
            GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free);
            caption = IconDisplayName + "  (" + fileSystem +
                      language::Text("; Belegter Speicher: ", "; Used Diskspace: ") +
                      Gigabytes(total.QuadPart - free.QuadPart, language::German()) +
                      language::Text(" GB; Freier Speicher: ", " GB; Free Diskspace: ") +
                      Gigabytes(free.QuadPart, language::German()) + " GB)";
        }
        item->SetCaption(caption);
    }
}

void TForm1::Label48Click(TObject*)
{
    // Not while another long job runs: the wipe ends the program.
    if (InLongJob())
        return;
    TListItem* row = ListView10->Selected();
    if (!row) {
        effects::ShowMessageBox(Handle(), language::Text("Bitte wählen Sie ein Laufwerk", "Select a drive"),
                                language::Text("Fehler", "Error"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    const char letter = static_cast<char>(reinterpret_cast<intptr_t>(row->Data()));
    WipeDriveRoot = DriveRoot(letter);
    WipeDriveNumber = letter - 64;
    ShredderIo& disk = ShredderDisk ? *ShredderDisk : Win32ShredderIo();
    // The wipe lets messages in: a close waits for it, a task due meanwhile after it.
    LongJob job(this);

    ShredderWindowSetup wipe;
    wipe.caller = ShredderCaller::FreeSpaceWipe;
    wipe.caption = language::Text("Freien Speicher löschen auf Laufwerk ", "Wipe Free Space on Drive ") + WipeDriveRoot;
    ShredderWindow window(this, XPMenu1, wipe);
    WipeRunning = 1;
    Hide();

    ShredPasses = "1";
    window->StartSeconds = static_cast<double>(GetTickCount() / 1000);
    uint64_t freeBytes = 0;
    WipeFreeAtStart = FreeBytesOfDrive(disk, WipeDriveRoot, freeBytes) ? static_cast<double>(freeBytes) : 0;
    window->FollowWipe(WipeRunning, WipeDriveRoot, WipeFreeAtStart);
    window->ProgressBar1->SetMin(0);
    window->ProgressBar1->SetMax(100);
    window->ProgressBar1->SetPosition(0);

    StartShredderRun(*window, {WipeDriveRoot, ShredPasses, true}, disk);
    WipeRunning = 0;
    // Closed already when the wipe ran to its end; otherwise this says what failed.
    window.Close();

    AbortFlag = 0;
    Application->Terminate();
    effects::StartProcess("\"" + common::OwnExecutable() + "\"");
}

void TForm1::TestShredderFiles()
{
    OfferToDeleteLeftoverWipeFiles(Handle(), FixedDriveRoots(), language::German());
}
