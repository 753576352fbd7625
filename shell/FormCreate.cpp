// The main form's start-up and close: folders, settings, language, the second-start
// jobs, the clean-on-start-up actions, and what is saved when the window closes.
#include "shell/Unit1.h"

#include "cleaning/JunkScan.h"
#include "fileengines/ScanRecords.h"
#include "fileengines/SpecialFolders.h"
#include "cleaning/UrlCache.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "common/OptionsKeys.h"
#include "common/ProductInfo.h"
#include "pageparts/RegistryLayer.h"
#include "shell/StartupRules.h"
#include "toolkit/Effects.h"
#include "toolkit/Timer.h"

#include <ole2.h>

#include <fstream>

namespace {

const char* const shellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string FirstLineOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::string line;
    std::getline(file, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace

void TForm1::FormCreate(TObject*)
{
    ReadFolders();

    for (int number = 1; number <= 23; ++number)
        if (TabSheets[number])
            TabSheets[number]->SetTabVisible(false);

    startup::SecondStart start = startup::ParseCommandLine(GetCommandLineA());
    AutoScan = start.autoScan;
    AutoDuplicate = start.autoDuplicate;
    if (AutoScan)
        Application->ShowMainForm = false;

    LogFileName = "Tidewrack_Log_File.twk";
    SkipRecycleBin = 1;
    RelaunchOnClose = 0;
    RecentDir.clear();

    ChooseUserHive();
    Application->Minimize();
    Application->Restore();
    LanguageFlag = 1;
    GetDuplicateSearchOptions();
    ReadOptions();

    Label1->SetCaption(language::Text("Bereit . . .", "Ready . . ."));
    Application->ProcessMessages();

    GetTaskPlaner();

    RecentDir = registry_layer::ReadReg(*Registry, rootCurrentUser, shellFoldersKey, "Recent", "s");
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    TempDir = temp;

    FetchShellObjects();
    SetPath();

    Registry->RootKey = HKEY_CURRENT_USER;
    KeyOpened = Registry->OpenKeyReadOnly(options::fileEnding::Key);
    bool masksStored = KeyOpened && !Registry->GetValueNames().empty();
    Registry->CloseKey();
    if (!masksStored)
        SetDefaults();
    GetDelFileEndings();
    GetExcludeDirs();
    FillDriveInformation();
    GetScreenSettings();
    if (LanguageFlag == 0)
        Language();
    SetPage(0);
    ReadActionOptions();
    ShowScanPages();

    if (AutoDuplicate) {
        LongJob job(this);
        RunDuplicateSearch();
    } else if (AutoScan) {
        {
            LongJob job(this);
            StartScan();
        }
        // A scheduled scan counts down to its shutdown or reboot only now that it has ended.
        if (start.afterTaskAction > 0) {
            AfterTaskAction = start.afterTaskAction;
            ArmShutdownCountdown();
        }
    }

    PlaceTitleButtons(22);
    if (TabSheets[8])
        PageControl1->SetActivePage(TabSheets[8]);
    Image1004Click(nullptr);
    StatusBar1->SetColor(0xEAEAEA);

    OleInitialize(nullptr);
    RunStartupCleaning();
    ApplyCleanCenterWithDOD(
        registry_layer::ReadReg(*Registry, rootCurrentUser, options::Key, options::CleanCenterWithDOD, "s"));
    TestShredderFiles();
    ShowNetworkWarningOnce();

    Timer1 = new TTimer(this);
    Timer1->SetInterval(1000);
    Timer1->OnTimer = Bind(this, &TForm1::Timer1Timer);
    // A "/duplicate" process only holds the duplicates window, and a listing "/scan"
    // process the found-files window: a task due meanwhile must not close it. The program
    // that its close starts keeps the schedule. A scheduled scan's countdown still ticks.
    HoldsSchedule = !AutoDuplicate && !(AutoScan && !cleaning::DeletesAtOnce(ScanMode));
    Timer1->SetEnabled(HoldsSchedule || ShutdownCountdown > 0);
    // With a task set the program waits for it in the notification area.
    if (TaskMode > 0 && !AutoScan)
        AddToTaskBar();
}

void TForm1::ReadFolders()
{
    FontsDir = registry_layer::ReadReg(*Registry, rootCurrentUser, shellFoldersKey, "Fonts", "s");
    ProgramFilesDir = registry_layer::ReadReg(*Registry, rootLocalMachine,
                                              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                                              "ProgramFilesDir", "s");
    char folder[MAX_PATH + 1] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    SystemDir = folder;
    GetNoDeleteCookiesList();
    GetWindowsDirectoryA(folder, MAX_PATH);
    WindowsDir = folder;
    StatusBar1->Panels()->Items(1)->SetText(product::WebSite);
}

void TForm1::ChooseUserHive()
{
    UserHive.clear();
    if (OsLevel == 0) {
        UserHive = ".DEFAULT";
        return;
    }
    Registry->RootKey = HKEY_USERS;
    KeyOpened = Registry->OpenKeyReadOnly("");
    if (KeyOpened)
        UserHive = startup::ChooseUserHive(Registry->GetKeyNames());
    Registry->CloseKey();
}

void TForm1::ReadOptions()
{
    Registry->RootKey = HKEY_CURRENT_USER;
    KeyOpened = Registry->OpenKeyReadOnly(options::Key);
    if (!KeyOpened) {
        Registry->CloseKey();
        ProgramDir = common::OwnFolder();
        BackupDir = ProgramDir + "\\ZipBackup";
        return; // the program runs in the layout language with its defaults
    }
    auto text = [this](const char* name) { return Registry->ReadString(name); };
    if (auto passes = text(options::NumPasses))
        if (auto number = registry_layer::StoredInteger(*passes))
            PassCount = *number;
    if (auto rowSelect = text(options::RowSelect))
        if (auto number = registry_layer::StoredInteger(*rowSelect))
            RowSelectOption = *number != 0;
    if (auto ratio = text(options::Ratio))
        if (auto number = registry_layer::StoredInteger(*ratio))
            CompressionRatio = *number;
    if (auto skip = text(options::NotScanRecycleBin))
        if (auto number = registry_layer::StoredInteger(*skip))
            SkipRecycleBin = *number;
    std::optional<std::string> installDir = text(options::InstallDir);
    std::optional<std::string> zipDir = text(options::ZipDir);
    std::optional<std::string> includeHidden = text(options::IncludeHidden);
    Registry->CloseKey();

    // Without an installer's entry the program folder is where the program runs from:
    // the language file, the backups, the help and the relaunch all live there.
    ProgramDir = installDir && !installDir->empty() ? *installDir : common::OwnFolder();
    BackupDir = zipDir && !zipDir->empty() ? *zipDir : ProgramDir + "\\ZipBackup";

    LanguageFlag = 1;
    std::string languageFile = ProgramDir + "\\language.dat";
    if (common::Exists(languageFile) &&
        startup::LanguageLineMeansEnglish(FirstLineOf(languageFile)))
        LanguageFlag = 0;

    if (includeHidden)
        ShellEnumFlags = *includeHidden == "1" ? 224 : 96;
}

void TForm1::ReadActionOptions()
{
    Registry->RootKey = HKEY_CURRENT_USER;
    Registry->Access = KEY_READ | KEY_WRITE;
    KeyOpened = Registry->OpenKey(options::action::Key, true);
    if (KeyOpened) {
        ScanMode = 0;
        if (auto index = Registry->ReadString(options::action::ComboBoxIndex))
            if (auto number = registry_layer::StoredInteger(*index))
                ScanMode = *number >= 0 && *number <= 7 ? *number : 0;
        if (auto days = Registry->ReadString(options::action::LastAccess))
            if (auto number = registry_layer::StoredInteger(*days))
                OlderThanDays = *number;
        if (auto name = Registry->ReadString(options::action::SearchName))
            SearchName = *name;
    }
    Registry->CloseKey();
}

void TForm1::FetchShellObjects()
{
    ScanItems = std::make_unique<TObjectList<ShellItemRecord>>();
    DuplicateScanItems = std::make_unique<TObjectList<ShellItemRecord>>();
    if (!DesktopFolder && SUCCEEDED(SHGetDesktopFolder(DesktopFolder.Put())))
        CurrentFolder = DesktopFolder.Get();
    SHFILEINFOA info{};
    SystemImageList = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

void TForm1::RunStartupCleaning()
{
    std::string digits =
        registry_layer::ReadReg(*Registry, rootCurrentUser, options::Key, options::CleanOnStartup, "s");
    for (startup::StartupClean action : startup::StartupCleanActions(digits)) {
        switch (action) {
        case startup::StartupClean::Recent:
            DelRecent();
            break;
        case startup::StartupClean::Temp: DelTemp(); break;
        case startup::StartupClean::RecycleBin: PapierkorbLeeren(); break;
        case startup::StartupClean::Cookies: CleanUrlCache(true); break;
        case startup::StartupClean::UrlHistory: ClearUrlHistory(); break;
        case startup::StartupClean::Prefetch: DelPrefetch(); break;
        }
    }
}

void TForm1::ShowNetworkWarningOnce()
{
    if (!ReadReg(rootCurrentUser, options::Key, options::ShowNetworkMessage, "s").empty())
        return;
    // Written before the box shows, so the warning appears on the first start only.
    WriteReg(rootCurrentUser, options::Key, options::ShowNetworkMessage, "done", "s");
    effects::ShowMessageBox(
        Handle(),
        language::Text("Wenn Sie ein Netzlaufwerk verwenden, kann Tidewrack keine Dateien in den Papierkorb löschen.\n"
                       "Das Wiederherstellen einer Datei aus dem Papierkorb schlägt dann fehl!\n"
                       "Sie können diese Dateien aber als Zip sichern.\n"
                       "Diese Meldung erscheint nicht wieder! ",
                       "If you are using a network drive, Tidewrack can't delete files to recycle bin.\n"
                       "Restoring a file from the Recycle Bin will fail!\n"
                       "But you can  backup  these files as zip.\n"
                       "The message won't appear again! "),
        "Tidewrack", MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
}

void TForm1::FormClose(TObject*, TCloseAction&)
{
    SaveSettings();
}

void TForm1::SaveSettings()
{
    SaveDuplicateSearchOptions();
    SaveScreenSettings();
    WriteFileEnding();
    WriteRegExcludeDirs();
    WriteActionOptions();
    SaveNoDeleteCookiesList();
}

void TForm1::WriteActionOptions()
{
    TakeScanOptions();
    WriteReg(rootCurrentUser, options::action::Key, options::action::LastAccess,
             std::to_string(OlderThanDays), "s");
    WriteReg(rootCurrentUser, options::action::Key, options::action::SearchName, SearchName, "s");
    WriteReg(rootCurrentUser, options::action::Key, options::action::ComboBoxIndex,
             std::to_string(ScanMode), "s");
}
