// shell/: the main form and what only it uses; its page methods live in the areas.
// The main form: the program's one long-lived window and the holder of the state that
// every page shares. Its methods live in the folder of the subsystem they belong to.
#pragma once

#include "common/ComPtr.h"
#include "common/ItemIdList.h"
#include "common/Language.h"
#include "filetools/DuplicateCandidate.h"
#include "pageparts/RegistryLayer.h"
#include "system/SoftwareEntry.h"
#include "toolkit/Contnrs.h"
#include "toolkit/Forms.h"
#include "toolkit/Image.h"
#include "toolkit/ImageList.h"
#include "toolkit/Label.h"
#include "toolkit/Menus.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/Registry.h"
#include "toolkit/StatusBar.h"
#include "xplook/Xpmenu.h"

#include <shellapi.h>
#include <shlobj.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Filled once by TForm1::DisplaySystemVersion.
extern std::string OsNameText;
extern std::string OsVersionText;
extern int IsXpClass;
// The item kinds the junk-scan walk asks the shell for: 96 (folders and files), or 224
// with hidden items when the option "includehidden" is set.
extern int ShellEnumFlags;
// The shell's small system image list, fetched once at start.
extern HIMAGELIST SystemImageList;
extern NOTIFYICONDATAA TrayIconData;

// Navigation, host dialogs and list export (pageparts/HostDialog.h, pageparts/ListExport.h).
class TForm6;
class TListView;
enum class HostDialog;

// The engines the form drives: it points to them or names them in declarations only.
struct CheckedEntry;
struct FoundFileRecord;
struct ShellItemRecord;
namespace cleaning {
struct LocationRow;
} // namespace cleaning
namespace file_engines {
enum DeleteAction : int;
enum class DeleteOutcome;
class FileDeleter;
class WalkVisitor;
struct ScanLocation;
} // namespace file_engines
namespace path_guard {
struct GuardedFolders;
}
namespace special_folders {
struct EmptyResult;
struct Listing;
Listing ListFolder(const std::string& folder);
} // namespace special_folders
namespace url_cache {
struct CleanResult;
}
namespace folder_index {
struct Entry;
}

// Backups (archive/).
class TForm8;
namespace backup {
struct PackResult;
}
// Secure deletion pages (filetools/).
class TButton;
class TComboBox;
class TChart;
class TForm12;
struct AutostartEntry;
class TMemo;
class TTreeNode;
class TTreeView;
class TCheckBox;
class TCSpinEdit;
// Junk scan pages (cleaning/).
class TRadioButton;
class TCheckBox;
class TComboBox;
class TMemo;
class TEdit;
class TListView;
class ShredderIo;
// The update check (shell/Download.h).
namespace update {
struct DownloadResult;
}
// The options dialog (shell/Frameoptionen.h).
struct OptionsActions;

class TCheckBox;
class TScrollBox;
class TTimer;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    ~TForm1() override;

    // ---- events of the window
    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    // Everything a close saves: settings, masks, exclusion folders, the cookie keep-list.
    // Also when Windows ends the session.
    void SaveSettings();
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormResize(TObject* sender);
    bool MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // ---- title bar, status bar and notification area
    void Image101MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void Image33Click(TObject* sender);
    void Image32Click(TObject* sender);
    void Image31Click(TObject* sender);
    void Image6Click(TObject* sender);
    void Image5Click(TObject* sender);
    void Image33MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image32MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image31MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image30MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Image36MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void StatusBar1DrawPanel(TStatusBar* statusBar, TStatusPanel* panel, const TRect& rect);
    void AddToTaskBar();
    void InTaskBar();
    void AddTrayIcon();
    void RemoveTrayIcon();
    void TrayIconMessage(LPARAM mouseMessage);
    void Tidewrackmaximieren1Click(TObject* sender);
    void Beenden1Click(TObject* sender);
    void CloseRequest();

    // ---- registry layer
    void WriteReg(int root, const std::string& key, const std::string& name,
                  const std::string& data, const std::string& type);
    std::string ReadReg(int root, const std::string& key, const std::string& name,
                        const std::string& type);
    void DeleteReg(int root, const std::string& key, const std::string& name,
                   unsigned char subkeySwitch);

    // ---- shell and folder helpers
    std::string SpecialFolder(int csidl);
    void BrowseDirectory(TObject* sender, std::string& path);
    int GetIcon(const std::string& path, UINT flags);
    std::string GetDisplayName(LPCITEMIDLIST item, IShellFolder* folder, DWORD flags);
    unsigned long long GetDirSize(const std::string& folder);
    int FastCountFiles(const std::string& folder, unsigned char recurse);

    // ---- Windows version
    bool DisplaySystemVersion();

    // ---- junk scan: masks, exclusion folders, scan locations and the scan (cleaning/)
    // While the program runs the scan pages' lists are the master copy (MaskRows,
    // ExcludeDirRows, ScanLocationRows); the scan rebuilds its lists from them.
    void GetActualDelFileEndings();
    void GetActualExcludeDirs();
    bool TestFile(const std::string& ending);
    bool DateiFilter(const std::string& ending, const std::string& mask);
    bool IsInExcludeDirs(const std::string& path);
    void Clean();
    // The walk of one location's folder, for the scan and the duplicate search alike.
    void ScanShellFolder(IShellFolder* folder, const std::string& folderPath, LPCITEMIDLIST parentItem,
                         file_engines::WalkVisitor& visitor);
    // The scan's delete of one file at once, as its mode says (cleaning::DeleteActionOf),
    // through the run's deleter.
    file_engines::DeleteOutcome MoveFiles(const std::string& path, file_engines::DeleteAction action,
                                          file_engines::FileDeleter& deleter);
    // The scan's dates test their times with file_engines::ValidFileTime (fileengines/FileFacts).
    bool ValidFileTime(const FILETIME& time);
    void GetHDS();
    // The used space of drive rows takes drive numbers from cleaning::DriveNumber (cleaning/ScanLocations).
    int GetNumber(const std::string& text);
    std::vector<CheckedEntry> MaskRows() const;
    std::vector<CheckedEntry> ExcludeDirRows() const;
    std::vector<cleaning::LocationRow> ScanLocationRows() const;
    std::vector<file_engines::ScanLocation> CheckedScanLocations() const;
    double ScannedBytes = 0;   // the progress numerator of the running scan
    // Checked locations this "/scan" start could not read. They are told after the scan,
    // never by a box during it: a scheduled scan runs with nobody to answer.
    std::vector<std::string> UnreadLocations;

    // ---- the found-files window (cleaning/FoundFilesMethods.cpp, cleaning/Showdelfilesframe.h)
    // Shows FoundFiles in the found-files host dialog, modelessly; closing it starts the
    // program afresh.
    void ShowFoundFiles();
    // The dialog's place and size and the list's column widths, under ScreenSettingsDelFiles.
    void GetFrame8Settings(TObject* sender);
    // Puts the found-files window's English texts in place; called in English mode.
    void Frame8English();

    // ---- junk scan pages: masks (TabSheet9), exclusion folders (TabSheet1), scan
    // locations (TabSheet8), scan options and "Scan now" (TabSheet7) (cleaning/)
    void BuildCleaningPages();
    void BuildMaskPage();
    void BuildExcludePage();
    void BuildLocationsPage();
    void BuildScanPage();
    // The pages' captions in the flag's language, and ScanMode, OlderThanDays and
    // SearchName shown in the scan options.
    void ShowScanPages();
    // ScanMode, OlderThanDays and SearchName from the scan options.
    void TakeScanOptions();
    void Label19Click(TObject* sender);   // add a mask
    void Label18Click(TObject* sender);   // remove the selected mask
    void ListView2KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void Alleauswhlen1Click(TObject* sender);
    void Auswahlumkehren1Click(TObject* sender);
    void Label16Click(TObject* sender);   // add an exclusion folder
    void AusnahmenHinzufgen1Click(TObject* sender);
    void AddExcludeDir(const std::string& path);
    void Label17Click(TObject* sender);   // remove the selected exclusion folder
    void ListView3KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FillListView(LPCITEMIDLIST rootItem, IShellFolder* rootFolder);
    void ReadAddedDirs();
    // A folder as a new location row (the duplicate list's while DuplicateMode is set).
    bool FindPidlShellFolder(const std::string& path, bool checked);
    ShellItemRecord* GetShellItem(int index);
    ShellItemRecord* GetDuplicateShellItem(int index);
    void GetDuplicateHDS();
    void Label24Click(TObject* sender);   // add a scan location
    void Hinzufgen1Click(TObject* sender);
    void Label25Click(TObject* sender);   // remove the selected location
    void ListView1KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void Allemarkieren1Click(TObject* sender);
    void Markierungumdrehen2Click(TObject* sender);
    void Image102Click(TObject* sender);  // "Scan now"
    // Starts the scan process ("/scan" and these arguments) and closes this window.
    void StartScanProcess(const std::string& extraArguments);
    void Image102MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    // Everything the scan process reads at its start, written now.
    void SaveScanSettings();
    TListView* ListView1 = nullptr;   // scan locations
    TListView* ListView2 = nullptr;   // masks
    TListView* ListView3 = nullptr;   // exclusion folders
    TListView* ListView17 = nullptr;  // duplicate-search locations (TabSheet15)
    TLabel* Label19 = nullptr;        // masks: add, remove
    TLabel* Label18 = nullptr;
    TLabel* Label16 = nullptr;        // exclusion folders: add, remove
    TLabel* Label17 = nullptr;
    TLabel* Label24 = nullptr;        // locations: add, remove
    TLabel* Label25 = nullptr;
    TPanel* Panel1 = nullptr;         // the "Scan now" button
    TLabel* Label11 = nullptr;        // "Scan now"
    TRadioButton* ScanModeButtons[8] = {}; // by ScanMode: RadioButton3 .. 8, 15, 16
    TCSpinEdit* CSpinEdit2 = nullptr; // days for ScanMode 6
    TEdit* Edit2 = nullptr;           // name for ScanMode 7
    TPopupMenu* PopupMenu2 = nullptr; // masks
    TMenuItem* Alleauswhlen1 = nullptr;
    TMenuItem* Auswahlumkehren1 = nullptr;
    TPopupMenu* PopupMenu3 = nullptr; // exclusion folders
    TMenuItem* AusnahmenHinzufgen1 = nullptr;
    TPopupMenu* PopupMenu4 = nullptr; // locations
    TMenuItem* Hinzufgen1 = nullptr;
    TMenuItem* Entfernen1 = nullptr;
    TMenuItem* Allemarkieren1 = nullptr;
    TMenuItem* Markierungumdrehen2 = nullptr;
    unsigned char DuplicateMode = 0;
    ItemIdList DrivesRootItem; // My Computer, kept for the life of the form
    // Every location record made; ScanItems and DuplicateScanItems only point into it
    // (a drive stands in both), and a removed row leaves its record here.
    std::vector<std::shared_ptr<ShellItemRecord>> ShellItemRecords;

    // ---- secure deletion: the shredder page, the wipe page and the leftover check (filetools/)
    void BuildShredderPage();
    void BuildWipePage();
    // The two pages' captions in the language of LanguageFlag.
    void CaptionShredderPages();
    // The shredder page: shred the selected rows of ListView11.
    void Button1Click(TObject* sender);
    // Files dropped onto ListView11 become rows.
    void NewListViewWP11(TObject* sender, const std::vector<std::string>& paths);
    void AddShredderRow(const std::string& path);
    void AddShredderFilesClick(TObject* sender);
    void AddShredderFolderClick(TObject* sender);
    void RemoveShredderRowsClick(TObject* sender);
    void ListView11KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void Label55Click(TObject* sender);
    void Allesmarkieren2Click(TObject* sender);
    void Markierungumkehren1Click(TObject* sender);
    // The wipe page: wipe the free space of the selected drive, then start afresh.
    void Label48Click(TObject* sender);
    TListView* ListView11 = nullptr;   // files and folders to shred
    TCSpinEdit* CSpinEdit1 = nullptr;  // passes
    TButton* Button1 = nullptr;        // shred
    TLabel* Label55 = nullptr;         // clear the list
    TLabel* AddShredderFilesLink = nullptr;
    TLabel* AddShredderFolderLink = nullptr;
    TPopupMenu* PopupMenu6 = nullptr;
    TMenuItem* Listeleeren1 = nullptr;
    TMenuItem* Allesmarkieren2 = nullptr;
    TMenuItem* Markierungumkehren1 = nullptr;
    TMenuItem* RemoveShredderRows1 = nullptr;
    TListView* ListView10 = nullptr;   // fixed drives; each row's data is its drive letter
    TLabel* Label48 = nullptr;         // wipe
    int WipeDriveNumber = 0;           // 1 = A
    double WipeFreeAtStart = 0;        // bytes
    std::string WipeDriveRoot;         // "C:\"
    // The disk the two pages shred and wipe on; nullptr is the real one. Tests put a
    // pretend disk here, so that no test wipes a real drive.
    ShredderIo* ShredderDisk = nullptr;

    // ---- the duplicate search: its page (TabSheet15), the "/duplicate" start and the
    // duplicates window (filetools/DuplicatePage.cpp, filetools/DuplicateSearchMethods.cpp,
    // filetools/Showdoublefiles.h)
    void BuildDuplicatePage();
    void CaptionDuplicatePage();
    void Label62Click(TObject* sender);   // "Scan for duplicate files now"
    void Label85Click(TObject* sender);   // add a folder
    void Label89Click(TObject* sender);   // remove the selected location
    void Allesauswhlen1Click(TObject* sender);
    void Markierungumkehren3Click(TObject* sender);
    void RadioButton1Click(TObject* sender);
    void RadioButton2Click(TObject* sender);
    void RadioButton11Click(TObject* sender);
    void RadioButton14Click(TObject* sender);
    void RunDuplicateSearch();
    void StartScanDuplicate();
    void ScanDuplicateFiles();
    void DisplayDoubleSizeFiles();
    void FillDuplicatesFiles();
    bool GetFileTimeAndSize(const std::string& path);
    void GetForm3Settings();
    void WriteForm3Settings();
    TRadioButton* RadioButton1 = nullptr;  // compare bytes
    TRadioButton* RadioButton2 = nullptr;  // compare by name
    TRadioButton* RadioButton11 = nullptr; // compare by size
    TRadioButton* RadioButton14 = nullptr; // compare by date
    TRadioButton* RadioButton9 = nullptr;  // all files
    TRadioButton* RadioButton10 = nullptr; // the extensions in Edit1
    TEdit* Edit1 = nullptr;
    TCheckBox* CheckBox2 = nullptr;        // compare only the first bytes
    TCSpinEdit* CSpinEdit4 = nullptr;      // how many
    TLabel* Label62 = nullptr;
    TLabel* Label85 = nullptr;
    TLabel* Label89 = nullptr;
    TPopupMenu* PopupMenu17 = nullptr;
    TMenuItem* Allesauswhlen1 = nullptr;
    TMenuItem* Markierungumkehren3 = nullptr;
    // The criterion flags, taken from the radio buttons at start.
    unsigned char CompareContent = 1, CompareName = 0, CompareSize = 0;
    // The candidates the walk found, the files it could not read, and those that changed
    // before they were compared.
    std::vector<duplicates::Candidate> DuplicateCandidates;
    std::vector<std::string> UnreadableDuplicates, ChangedDuplicates;
    // Listed files whose file system gives no index, so that two of them may be one file.
    std::vector<std::string> UnknownIdentityDuplicates;
    // What the search saw of each listed file, by path: the window deletes a file only
    // while it is still that file.
    std::map<std::string, duplicates::Candidate> ListedDuplicates;
    unsigned long long DuplicateByteLimit = 0; // 0: whole files
    // GetFileTimeAndSize's answer.
    std::string FoundFileDate;
    unsigned long long FoundFileSize = 0;

    // ---- the file splitter page (TabSheet22, filetools/SplitterPage.cpp)
    void BuildSplitterPage();
    void CaptionSplitterPage();
    void Button3Click(TObject* sender);      // choose the source
    void ComboBoxEx2Click(TObject* sender);
    void Label86Click(TObject* sender);     // "Split now"
    TEdit* Edit9 = nullptr;                 // source
    TEdit* Edit10 = nullptr;                // own part size
    TLabel* Label88 = nullptr;
    TButton* Button3 = nullptr;
    TRadioButton* RadioButton12 = nullptr;  // by size
    TRadioButton* RadioButton13 = nullptr;  // by number
    TComboBox* ComboBoxEx2 = nullptr;
    TCSpinEdit* CSpinEdit6 = nullptr;
    TLabel* Label86 = nullptr;

    // ---- the folder index page (TabSheet4, filetools/FolderIndexPage.cpp)
    void BuildFolderIndexPage();
    void CaptionFolderIndexPage();
    void NewListViewWP7(TObject* sender, const std::vector<std::string>& paths);
    void Button6Click(TObject* sender);     // create
    void Button7Click(TObject* sender);     // cancel
    void Delete1Click(TObject* sender);
    void Clearlist1Click(TObject* sender);
    // Asks for the target and writes the index of entries; true when written in this run.
    bool Dir2HTML(TObject* sender, const std::string& title, const std::vector<folder_index::Entry>& entries);
    TListView* ListView7 = nullptr;
    TCheckBox* CheckBox1 = nullptr;         // include subfolders
    TButton* Button6 = nullptr;
    TButton* Button7 = nullptr;
    TMemo* Memo4 = nullptr;                 // status
    TPopupMenu* FolderIndexMenu = nullptr;  // ListView7: delete, clear
    TMenuItem* Delete1 = nullptr;
    TMenuItem* Clearlist1 = nullptr;

    // ---- backups: projects, the packing loops, the backups page (TabSheet6) and the
    // backups browser (archive/BackupMethods.cpp, archive/BackupsPage.cpp,
    // archive/Showbackupfiles.h, archive/Avidialog.h)
    void BuildBackupsPage();
    // The packing loop: the files into a new archive, each under its full path, with Form9
    // showing the file being packed; its Cancel stops the loop after the current file. The
    // found-files window's backup packs through it.
    backup::PackResult MakeZipArchive(const std::string& archivePath, const std::vector<std::string>& paths);
    // The shared-DLL page's selected files, through the same loop.
    backup::PackResult MakeDLLZipArchive(const std::string& archivePath, const std::vector<std::string>& paths);
    // A fresh stamp whose folder under BackupDir has just been made, the backup folder's
    // missing levels by makeDirectory; "" when none can be.
    std::string ClaimBackupProject(const std::function<bool(const std::string& folder)>& makeDirectory);
    // The project's value under the Backup key: "" for found files, "DLL ..." for DLLs.
    void RegisterBackupProject(const std::string& stamp, const std::string& data);
    // Tells which files stayed because no good archive holds them.
    void ReportUnsavedFiles(const backup::PackResult& result, bool deletionFollows);
    void DLLDateiensichern();
    // Makes every missing level of the path (the DLL backup's backup folder).
    bool MakeDirectory(const std::string& path);
    void DeleteProject(const std::string& name);
    // The found-files window's backup mode from "backupindex".
    void GetBackupSettings();
    void ListView8Click(TObject* sender);   // open the selected project
    void Entfernen1Click(TObject* sender);  // remove the selected projects
    void ListView8KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void Label36MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Label39MouseMove(TObject* sender, TShiftState shift, int x, int y);
    // The browser's operations on its window's archive.
    void ShowZippedFiles(TForm8& browser, const std::string& archivePath);
    void RestoreBackupData(TForm8& browser);
    void UnzipFiles(TForm8& browser);
    void OpenZippedFile(TForm8& browser);
    void ExtractZippedFileToSpecialFolder(TForm8& browser, const std::string& folder);
    void GetForm8Settings(TForm8& browser);
    void WriteForm8Settings(TForm8& browser);
    TListView* ListView8 = nullptr;        // projects
    TLabel* Label36 = nullptr;             // remove project
    TLabel* Label39 = nullptr;             // open project
    TPopupMenu* PopupMenu8 = nullptr;
    TMenuItem* ffnen2 = nullptr;           // open
    TMenuItem* RemoveProject1 = nullptr;   // remove ("Entfernen1" names the locations' entry)
    TListView* ListView14 = nullptr;       // the shared-DLL list, made by its page

    // ---- registry and system maintenance (system/)
    // The shell's properties sheet of a file; false when the shell refused. It needs no main
    // form, so the result windows open it too.
    static bool EigenschaftenDialog(const std::string& path);
    // The registry cleaner (TabSheet16), the shared DLLs (TabSheet17), the uninstall
    // entries (TabSheet20) and the software keys (TabSheet21).
    void BuildRegistryPages();
    void Label70Click(TObject* sender);   // open the registry-scan window
    TListView* ListView12 = nullptr;      // drives whose dead references count
    TListView* ListView13 = nullptr;      // registry roots to scan
    TLabel* Label70 = nullptr;
    // The software page.
    void ReadSoftwareEntries(int which);
    void ComboBox1Click(TObject* sender);
    void Entfernen3Click(TObject* sender);
    void Info1Click(TObject* sender);
    void ffnen3Click(TObject* sender);
    TComboBox* ComboBox1 = nullptr;
    TListView* ListView16 = nullptr;
    TPopupMenu* PopupMenu9 = nullptr;
    // Each row's own record (the row's data points to it); remade with the list.
    std::vector<std::unique_ptr<SoftwareEntry>> SoftwareEntries;
    // The uninstall page.
    void ListView15Click(TObject* sender);
    void Button4Click(TObject* sender);
    void Label79Click(TObject* sender);
    void Label80Click(TObject* sender);
    TListView* ListView15 = nullptr;
    TPanel* Panel4 = nullptr;             // the uninstall command of the selected row
    TPanel* Panel5 = nullptr;             // its name
    TButton* Button4 = nullptr;
    TLabel* Label79 = nullptr;
    TLabel* Label80 = nullptr;
    struct UninstallEntry {
        std::string subkey;
        std::string displayName;
        std::string command;
    };
    std::vector<std::unique_ptr<UninstallEntry>> UninstallEntries;
    // The entry the two panels show; the buttons act on it and nothing else.
    const UninstallEntry* ShownUninstallEntry = nullptr;
    // The shared-DLL page (ListView14 above).
    void MenuItem3Click(TObject* sender);
    void Registrierungeintraglschen1Click(TObject* sender);
    void DelDLLEintrag();
    void Lschen1Click(TObject* sender);
    void DelDLLDatei();
    void Dateiensichern1Click(TObject* sender);
    void Allesmarkieren3Click(TObject* sender);
    void Markierungumkehren2Click(TObject* sender);
    void Eigenschaften1Click(TObject* sender);
    TPopupMenu* PopupMenu7 = nullptr;
    void BuildSystemPages();
    // The disk-check page (TabSheet2).
    void BuildDiskCheckPage();
    void Button5Click(TObject* sender); // "Check Now"
    // Adds or replaces the drive's ("C:") boot-time check line; false when nothing was written.
    bool AddDriveToAutoCheck(const std::string& drive);
    TListView* ListView6 = nullptr;    // fixed drives to check
    TCheckBox* CheckBox6 = nullptr;    // -f fix errors
    TCheckBox* CheckBox7 = nullptr;    // -v verbose
    TCheckBox* CheckBox8 = nullptr;    // -r recover
    TCheckBox* CheckBox9 = nullptr;    // -c only if dirty
    TLabel* Label31 = nullptr;         // -r implies fixing
    TButton* Button5 = nullptr;        // "Check Now"
    std::string ChkdskDrive;           // "C:", the drive being checked
    // The file-system utility library the check loads; empty means the system folder's.
    std::string FmifsPath;

    // The drive information page (TabSheet3).
    void BuildDriveInfoPage();
    void ListView5Click(TObject* sender);
    void ListView5KeyUp(TObject* sender, WORD& key, TShiftState shift);
    TLabel* DriveInfoTitle = nullptr;
    TListView* ListView5 = nullptr;    // drives
    TListView* ListView4 = nullptr;    // the selected drive's facts
    TChart* Chart1 = nullptr;          // its used and free space
    std::string DriveRootText;         // "C:\", the drive shown

    // The privacy page (TabSheet23); InitSpyTree and GetSettingsSpy build and read it.
    void BuildPrivacyPage();
    void TreeView3Click(TObject* sender);
    void TreeView3MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void ToggleSpySwitch(TTreeNode* node);
    void Label91Click(TObject* sender); // recommended settings
    void Label92Click(TObject* sender); // apply
    // Removes Messenger and waits for the removal's end: "" when it succeeded, else why not.
    std::string RemoveMessenger();
    void SetSpySwitch(int node, bool chosen);
    bool SpySwitchChosen(int node) const;
    TTreeView* TreeView3 = nullptr;
    TMemo* Memo2 = nullptr;            // the hint of the switch under the mouse
    TLabel* Label91 = nullptr;
    TLabel* Label92 = nullptr;
    bool SpyStateRead[25] = {};        // as read when the page opened: Apply writes the changes

    // The autostart page (TabSheet19); Refresh1Click rebuilds it.
    void BuildAutostartPage();
    void InitAutoRun();
    void GetAutoStartEntries();
    void AddAutostartChild(TTreeNode* root, const std::string& text, AutostartEntry entry);
    void TreeView2ContextPopup(TObject* sender); // enables the menu's items for the selection
    void TreeView2KeyDown(TObject* sender, WORD& key, TShiftState shift);
    // A right click selects the node under the mouse (or none), so the menu acts on it.
    void TreeView2MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void NeuerEintrag1Click(TObject* sender);
    void Editieren1Click(TObject* sender);
    // Writes what the entry dialog holds; false keeps the dialog open (refused or failed).
    bool AddNeuerEintrag(TForm12& dialog);
    void MenuItem6Click(TObject* sender); // delete
    void MenuItem7Click(TObject* sender); // properties
    void Gehezu1Click(TObject* sender);   // jump to
    // Moves a folder item to the recycle bin, asking before it would go for good.
    file_engines::DeleteOutcome DelDatei(const std::string& path);
    TTreeView* TreeView2 = nullptr;
    TPopupMenu* AutostartMenu = nullptr; // ("PopupMenu8" names the backups' menu)
    TMenuItem* Editieren1 = nullptr;
    TMenuItem* NeuerEintrag1 = nullptr;
    TMenuItem* MenuItem6 = nullptr;
    TMenuItem* MenuItem7 = nullptr;
    TMenuItem* Gehezu1 = nullptr;
    TMenuItem* Refresh1 = nullptr;
    unsigned char NewInFolderMode = 0;
    // The entries the tree's nodes point to, until the next rebuild.
    std::vector<std::shared_ptr<AutostartEntry>> AutostartEntries;

    // ---- the space manager's start page (TabSheet11) and its window (spacemanager/)
    void BuildSpaceManagerPage();
    // The page's captions in the language of LanguageFlag.
    void CaptionSpaceManagerPage();
    // Opens the space manager with its stored layout and hides this window.
    void Button8Click(TObject* sender);
    TButton* Button8 = nullptr;

    // ---- steps of start-up and close that belong to the pages
    void GetNoDeleteCookiesList();
    void GetDuplicateSearchOptions();
    void GetTaskPlaner();
    void SetPath();
    void SetDefaults();
    void GetDelFileEndings();
    void GetExcludeDirs();
    void FillDriveInformation();
    void GetScreenSettings();
    void Language();
    void SetPage(int index);
    void Image1004Click(TObject* sender);
    void LabelMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void LabelMouseLeave(TObject* sender);
    void StartScan();
    void ApplyCleanCenterWithDOD(const std::string& value);
    void TestShredderFiles();
    void SaveDuplicateSearchOptions();
    void SaveScreenSettings();
    void WriteFileEnding();
    void WriteRegExcludeDirs();

    // ---- sidebar navigation and page dispatch
    // Image1004Click (group 0, above) and these open or close one sidebar group each.
    void Image1005Click(TObject* sender);
    void Image1006Click(TObject* sender);
    void Image1003Click(TObject* sender);
    void Image1016Click(TObject* sender);
    void Image1017Click(TObject* sender);
    void Normal();
    void FillLabel(int group);
    void BuildLabel(int index, int iconIndex, const std::string& caption);
    void LabelClick(TObject* sender);
    void SpeedClick(TObject* sender);
    // Per group: 1 when the next click on its title opens it.
    unsigned char SidebarGroupToggle[6] = {1, 1, 1, 1, 1, 1};
    int LastSidebarGroup = 1; // 1 to 6
    bool SidebarGroupOpen[6] = {}; // which title picture each group shows
    unsigned char SpyTreeBusy = 0;

    // ---- page initialisers the dispatcher calls (shell/PageDispatch.cpp), each beside its page
    void InitWipeSpace();
    void ClearShredderList();
    void GetSharedDLL();
    void ListInternetCache();
    void GetRegCleanDrives();
    void ShowCleanCenter();
    void Refresh1Click(TObject* sender);
    void CaptionUninstallPage();
    void GetUninstallProgramms();
    void Refresh2Click(TObject* sender);
    void SelectFirstSplitSize();
    void InitSpyTree();
    void GetSettingsSpy();
    void ClearFolderIndexList();
    void InitCHKDSKDrives();
    void RestoreChkDskChecks();
    void GetBackup();
    void ShadeBackupList();
    void ShowOptionsDialog();
    void WriteFrame8Settings(TObject* sender);

    // ---- host dialogs (pageparts/HostDialog.h, shell/HostDialogMethods.cpp)
    void MakeTempPanel2(TObject* sender);
    // A fresh host panel and a TForm6 in Form6 with the caption, size, border, place and
    // border icons of that dialog; the caller then sets its frame in (MakeHostFrame).
    TForm6* MakeHostDialog(HostDialog dialog);
    // Shows Form6 modelessly or modally as that dialog is shown; the modal result or mrNone.
    TModalResult ShowHostDialog(HostDialog dialog);
    // Held while a loop of the current host dialog or its frame runs (a progress, a
    // download, a countdown): a host dialog prepared meanwhile does not free this one
    // under the loop; it is freed after the last holder has gone.
    class HostPanelInUse {
    public:
        explicit HostPanelInUse(TForm1* form);
        ~HostPanelInUse();
        HostPanelInUse(const HostPanelInUse&) = delete;
        HostPanelInUse& operator=(const HostPanelInUse&) = delete;

    private:
        TForm1* form_;
        TPanel* panel_;
    };
    TPanel* PanelTE2 = nullptr; // hidden; holds the host panels

    // ---- options dialog, language, help and about box (shell/OptionsMethods.cpp,
    // shell/Frameoptionen.h, shell/AboutBox.cpp, shell/Information.h)
    // The options dialog's frame (Frame4) from the settings, and the settings from it.
    void GetOptions();
    void WriteOptions();
    // What the options frame's OK and folder button do: store through this form, browse.
    OptionsActions OptionsFrameActions();
    // Puts the options dialog's English texts in place; called in English mode.
    void OptionenEnglish();
    // Language runs one call per area of the main window; each sets its texts in the
    // program's language.
    void CaptionSidebarGroups();
    void CaptionTrayMenu();
    void Image36Click(TObject* sender); // help
    void Image30Click(TObject* sender); // about box
    // The scheduled task as GetTaskPlaner read it from the Tasks key (with TaskMode).
    int AfterTaskAction = 0;     // 0 nothing, 1 shut down, 2 reboot
    std::string TaskTime;        // the daily task's time of day, as the locale writes it
    std::string TaskDateTime;    // the once-only task's date and time
    unsigned char TaskFired = 0; // the task has started in this process
    int ShutdownCountdown = 0;   // 0 none, 1 to 59 seconds counted, 60 time is up

    // ---- emptying of special folders and caches (cleaning/SpecialFolderMethods.cpp)
    // The folders no bulk delete, secure pass or wipe may take: the system's, and this
    // program's own folder and backup folder.
    path_guard::GuardedFolders GuardedFolders() const;
    // Each empties only the content of a folder that passes the path guard.
    special_folders::EmptyResult DelDir(const std::string& folder, const std::string& expectedLastName);
    special_folders::EmptyResult DelRecent();
    special_folders::EmptyResult DelTemp();
    special_folders::EmptyResult DelPrefetch();
    // How these and the secure passes list a folder; tests put a listing here that the
    // system refuses, since their sandbox runs with every right.
    special_folders::Listing (*FolderLister)(const std::string& folder) = special_folders::ListFolder;
    bool PapierkorbLeeren();
    url_cache::CleanResult CleanUrlCache(bool cookieMode);
    bool ClearUrlHistory();
    std::string TempDir; // as the system reports it, with its trailing backslash

    // ---- cookies and the keep-list (cleaning/CookieMethods.cpp, cleaning/Cookiesdia.h)
    // True when no cookie of the keep-list has this name; cleaning the cache asks it per entry.
    bool CanDelCookie(const std::string& name) const;
    std::vector<std::string> KeepList() const;
    void SaveNoDeleteCookiesList();
    void BuildCookiePage();
    void DeleteInternetCache(const std::string& name);
    void Label5Click(TObject* sender);   // delete the selected cookies
    void Label10Click(TObject* sender);  // select all cookies
    void ListView9KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void OpenCookieKeepDialog();
    TListView* ListView9 = nullptr;
    TLabel* Label5 = nullptr;
    TLabel* Label10 = nullptr;
    bool CookieKeepListLoaded = false; // only a loaded list is saved back at close

    // ---- clean center (cleaning/CleanCenterMethods.cpp, cleaning/CleanCenterPage.cpp)
    void BuildCleanCenterPage();
    void ExecuteCleanCenter();
    // The captions of the items that failed in the last ExecuteCleanCenter.
    std::vector<std::string> CleanCenterFailures;
    void Button2Click(TObject* sender);  // "Delete"
    void Label23Click(TObject* sender);  // select all
    void Label26Click(TObject* sender);  // invert selection
    void CheckBox4Click(TObject* sender);
    void DLabelMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void DLabelMouseLeave(TObject* sender);
    void DLabelMouseClick(TObject* sender);
    // Shreds what lies in the folder when the path guard allows emptying it; false when
    // it refused the folder or could not shred everything.
    bool DelSecureFolder(const std::string& folder, const std::string& expectedLastName);
    // The value viewer on a key's values (never creating the key), shown modally.
    void GetMRUList(int root, const std::string& key, const std::string& title);
    bool FileRecycle();
    TScrollBox* ScrollBox1 = nullptr;
    TCheckBox* CleanCenterBoxes[22] = {};
    TLabel* CleanCenterLinks[22] = {};
    TLabel* CleanCenterGroupTitles[5] = {};
    TCheckBox* CheckBox4 = nullptr;      // secure deletion
    TLabel* Label23 = nullptr;
    TLabel* Label26 = nullptr;
    TButton* Button2 = nullptr;
    // The page-file switch as the page showed it, to write it only when changed.
    bool PageFileSwitchShown = false;

    // ---- scheduled scans and the shutdown countdown (cleaning/TaskMethods.cpp)
    void Timer1Timer(TObject* sender);
    void RunTaskScan();
    void ReadDelOptions();
    void Herunterfahren();
    void Reboot();
    void ArmShutdownCountdown();
    void CancelShutdownCountdown();
    TTimer* Timer1 = nullptr;
    bool ShutdownRefused = false; // a refused shutdown is told once, not every second
    // False in a second start that holds a result window (the duplicates, or the found
    // files of a listing scan): a task due there would close that window under the user.
    bool HoldsSchedule = true;

    // ---- the update check and download (shell/UpdateMethods.cpp, shell/Frameupdate.h)
    void BuildUpdatePage();
    void CaptionUpdatePage();
    void Label47Click(TObject* sender);
    void InitCheckNewVersion(TObject* sender);
    void ShowUpdateDialog();
    // The new program from the server to the update dialog's target; false (after telling
    // why, unless cancelled) when it did not arrive whole.
    bool DownLoadUpdate(TObject* sender);
    // One file from the server, with the progress shown by VersionCheckMode, until done or
    // until AbortFlag is set.
    update::DownloadResult DownloadFile(const std::string& url, const std::string& target);
    void TellDownloadFailure(const update::DownloadResult& result, const std::string& target);
    // Saves as a normal close would, starts the downloaded program and ends this process;
    // false when the program could not be started.
    bool InstallUpdate(const std::string& program);
    TLabel* Label47 = nullptr;         // "check for a new version"
    // The running program's own version from its version resource; "" when it has none.
    std::string ProgramVersion;
    unsigned char VersionCheckMode = 0; // 1 while the version file comes (no progress shown)

    // ---- list export and header sort arrows (shell/ListExportMethods.cpp); a list draws
    // the arrow of each column's sort order itself (TListColumn::SetSortOrder)
    void ExportAsHTML(TObject* sender, TListView* listView, const std::string& title);
    // The arrow of direction 0 (ascending) or 1 beside the column's caption.
    void AddBitmapTo(int column, int direction, TListView* listView);
    // Every other column's header back to its caption alone.
    void ClearBitmapOnAllBut(int column, TListView* listView);
    // True when no file is at path, or the user agrees to replace the one there.
    bool MayReplaceFile(const std::string& path);

    // ---- long jobs: a close request during one waits until it has unwound
    class LongJob {
    public:
        explicit LongJob(TForm1* form);
        ~LongJob();
        LongJob(const LongJob&) = delete;
        LongJob& operator=(const LongJob&) = delete;

    private:
        TForm1* form_;
    };
    bool InLongJob() const { return longJobDepth_ > 0; }
    // A long job under way other than the open space manager, which counts as one.
    bool InLongJobBesidesSpaceManager() const { return longJobDepth_ > (SpaceManagerOpen ? 1 : 0); }
    // The space manager takes this window's place while it is open: a long job until it
    // closes (its host, made in spacemanager/SpaceManagerPage.cpp, ends it).
    std::unique_ptr<LongJob> SpaceManagerOpen;

    // Starts the program's own executable again and closes this main form; when that fails,
    // says so over owner and returns false, leaving this main form to the caller
    // (shell/StartAfresh.cpp).
    bool StartAfresh(HWND owner);

    // ---- shared state, made by the constructor (the location lists and the desktop
    // folder by FormCreate). It goes with the form's members, before the windows the form
    // owns are destroyed: a window that goes with the form does not touch it then.
    std::unique_ptr<TRegistry> Registry;
    bool KeyOpened = false; // whether the last direct open of a key through Registry succeeded
    std::unique_ptr<TStringList> ValueList;
    std::unique_ptr<TStringList> CookieKeepList;
    std::unique_ptr<TStringList> DuplicateList;
    std::unique_ptr<TObjectList<CheckedEntry>> FileEndingList;
    std::unique_ptr<TObjectList<CheckedEntry>> ExcludeDirList;
    std::unique_ptr<TObjectList<FoundFileRecord>> FoundFiles;
    std::unique_ptr<TObjectList<ShellItemRecord>> ScanItems;
    std::unique_ptr<TObjectList<ShellItemRecord>> DuplicateScanItems;
    ComPtr<IMalloc> ShellMalloc; // the shell's allocator, the one item-ID lists come from
    ComPtr<IShellFolder> DesktopFolder;
    IShellFolder* CurrentFolder = nullptr;
    SHFILEINFOA IconInfo{};
    std::string IconTypeName;
    std::string IconDisplayName;

    // The program's language (1 German, 0 English), set at the start; every window reads it.
    int& LanguageFlag = language::Flag;
    unsigned char AbortFlag = 0;
    unsigned char RelaunchOnClose = 0;
    unsigned char AutoScan = 0;
    unsigned char AutoDuplicate = 0;
    int PassCount = 3;
    int CompressionRatio = 1;
    int SkipRecycleBin = 1;
    unsigned char RowSelectOption = 0;
    int ScanMode = 0;
    int OlderThanDays = 0;
    std::string SearchName;
    unsigned long long ScanTotalBytes = 0;
    unsigned char WipeRunning = 0;
    int TaskMode = 0;

    std::string ShredPasses = "7";
    std::string UpdateFileName = "Tidewrack.exe";
    std::string LogFileName = "Tidewrack_Log_File.twk"; // the list file of a copy-mode backup
    std::string ProgramDir;
    std::string BackupDir;
    std::string FontsDir;
    std::string ProgramFilesDir;
    std::string SystemDir;
    std::string WindowsDir;
    std::string RecentDir;
    std::string UserHive;
    int OsLevel = 0;

    int NavSection = 0;
    int NavItem = 0;
    TPanel* HostPanel = nullptr;

    // ---- the window's parts
    TPanel* Panel100 = nullptr;      // title bar
    TImage* Image101 = nullptr;      // title picture, drags the window
    TImage* Image33 = nullptr;       // close
    TImage* Image32 = nullptr;       // maximise (does nothing)
    TImage* Image31 = nullptr;       // to the notification area
    TImage* Image30 = nullptr;       // about
    TImage* Image36 = nullptr;       // help
    TPanel* Panel101 = nullptr;      // sidebar
    TPanel* SidebarGroups[6] = {};   // Panel1000 .. Panel1005
    TImage* SidebarGroupPictures[6] = {};
    TLabel* SidebarGroupLabels[6] = {}; // Label1000 .. Label1005
    TImage* SidebarGroupIcons[6] = {};
    TPanel* Panel = nullptr;         // the shared link panel
    TLabel* SidebarLinks[20] = {};
    TImage* SidebarIcons[20] = {};
    HICON SidebarIcon = nullptr;
    TImageList* SidebarImages = nullptr;       // link icons
    TImage* Image6 = nullptr;        // to the notification area
    TImage* Image5 = nullptr;        // end the program
    TLabel* Label1 = nullptr;        // status text of the scan
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheets[24] = {};   // TabSheet1 .. TabSheet23 by number (5 is unused)
    TStatusBar* StatusBar1 = nullptr;
    // The XP look of this window and of every window and frame made later (windows get it
    // from the look's manager at the next message; frames are handed to it with
    // XPMenu1->InitComponent right after they are made).
    TXPMenu* XPMenu1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* Tidewrackmaximieren1 = nullptr;
    TMenuItem* Beenden1 = nullptr;

private:
    void BuildDesign();
    void BuildTitleBar();
    void BuildSidebar();
    void BuildPages();
    void PlaceTitleButtons(int closeOffset);
    void ReadFolders();
    void ReadOptions();
    void ReadActionOptions();
    void WriteActionOptions();
    void ChooseUserHive();
    void FetchShellObjects();
    void RunStartupCleaning();
    void ShowNetworkWarningOnce();
    void ShowFromTray();
    void EndLongJob();
    // The stamp of the task's moment when it falls due now and has not fired in this run.
    std::optional<std::string> DueTaskStamp();
    // Whether the task's moment with this stamp has been started, by this or another
    // start of the program (as stored in the registry).
    bool TaskStartedAt(const std::string& stamp);

    int longJobDepth_ = 0;
    bool closePending_ = false;
    std::optional<std::string> heldTaskStamp_; // fell due during a long job; starts after it

    void SidebarGroupClick(int group);
    void ShowSidebarGroupTitle(int group, bool open);
    std::vector<TPanel*> hostPanelPins_;     // one entry per HostPanelInUse holder
    std::vector<TPanel*> retiredHostPanels_; // replaced while in use, freed when released
};

extern TForm1* Form1;

