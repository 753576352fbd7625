// spacemanager/ (an area): the space manager window, its folder sizing, chart and shell menus.
// The space manager: an explorer-like window of the shell namespace that shows how much
// space folders take. The folder tree and the address list on top, the item list of the
// shown folder and its size chart on the right, the shell's own context menus with a
// secure wipe of the program's own, and a monitor thread that re-lists the shown folder
// when files come and go. Closing it starts the program afresh.
#pragma once

#include "fileengines/FileDeleter.h"
#include "common/ComPtr.h"
#include "pageparts/WindowTexts.h"
#include "spacemanager/DirItems.h"
#include "spacemanager/DirMonitor.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBoxEx.h"
#include "toolkit/CoolBar.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/Menus.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/Splitter.h"
#include "toolkit/StatusBar.h"
#include "toolkit/ToolBar.h"
#include "toolkit/TreeView.h"
#include "xplook/Xpmenu.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TFrame6;
class ShredderIo;
class TImageList;

// The item list: a virtual list view that also answers type-ahead, draws large sizes in
// bold, tells selection changes and opens the context menu of its owner.
class TDirListView : public TListView {
public:
    explicit TDirListView(TComponent* owner) : TListView(owner) {}

    // The row for a type-ahead text, from start on, round to the top when wrap is set.
    std::function<int(const std::string& text, int start, bool wrap)> OnDataFind;
    // True when the cell is drawn bold.
    std::function<bool(int row, int subItem)> OnBoldCell;
    TNotifyEvent OnSelectionChange;
    // Right click or the menu key, at screen coordinates.
    std::function<void(int x, int y)> OnContextPopup;

    bool MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    TFont boldFont_;
};

// The folder tree, which opens the context menu of its owner.
class TDirTreeView : public TTreeView {
public:
    explicit TDirTreeView(TComponent* owner) : TTreeView(owner) {}
    std::function<void(int x, int y)> OnContextPopup;
    bool MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// The program's own command in the list's shell menu: it lies above the range of
// identifiers handed to the shell, which ends just below it.
// Posted to show the folder again once the listing that let messages in has ended.
constexpr UINT WM_SHOWAGAIN = WM_APP + 102;

constexpr UINT kWipeCommand = 1505;
constexpr UINT kFirstShellCommand = 1;
constexpr UINT kLastShellCommand = kWipeCommand - 1;

// What the space manager takes from the window that opens it, for which it stands in
// until it closes.
struct SpaceManagerHost {
    // Its settings under Options\DirSize, by value name ("" when unset).
    std::function<std::string(const char* name)> readSetting;
    std::function<void(const char* name, const std::string& value)> writeSetting;
    // The program's own folders, which the tree's delete and the wipe leave alone.
    std::string programDir;
    std::string backupDir;
    // The shell's properties sheet of an item.
    std::function<bool(const std::string& path)> showProperties;
    // Closed by the user (after its settings are written): the program starts afresh.
    std::function<void(HWND window)> closed;
    // The window is gone; it no longer stands in for its opener.
    std::function<void()> gone;
    // Runs a job of the window's that lets messages in (its wipe) as a long job of the
    // opener: a close waits for it, a task due meanwhile after it. It does not run the
    // job while another long job is under way.
    std::function<void(const std::function<void()>& job)> runLongJob = [](const std::function<void()>& job) {
        job();
    };
    // The owner and look of the shredder window its wipe opens: the opener's, which
    // stays in place while this window comes and goes; nullptr for this window and the
    // system's look.
    TComponent* shredderOwner = nullptr;
    TXPMenu* look = nullptr;
};

class TForm11 : public TForm {
public:
    TForm11(TComponent* owner, SpaceManagerHost host);
    ~TForm11() override;

    void FormClose(TObject* sender, TCloseAction& action);
    void FormResize(TObject* sender);
    // Its texts in German and English (the chart frame's menu too); English() puts the
    // English ones in place, which an English start does as the window is made.
    TWindowTexts Texts;
    void English();
    bool MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // ---- the settings under Options\DirSize
    void ReadSettings();
    void WriteSettings();

    // ---- tree and address list
    // Fills the tree from the desktop down and the address list, and shows the first
    // folder. Called once the window is on the screen: the sizing lets messages in, and
    // Escape then reaches it.
    void BuildTree();
    // The tree's top level from root, then its first folder opened and shown, as when the
    // window opens: every folder is measured once, those below the first one by the
    // measuring of the first one itself.
    void FillTree(IShellFolder* root, LPCITEMIDLIST rootList);
    // Folders measured (walked) since the window was made.
    int FoldersMeasured = 0;
    void TreeView1Click(TObject* sender);
    void TreeView1Change(TObject* sender, TTreeNode* node);
    void TreeView1Expanding(TObject* sender, TTreeNode* node, bool& allow);
    void TreeView1Deletion(TObject* sender, TTreeNode* node);
    void TreeView1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void FillTreeChildren(IShellFolder* folder, LPCITEMIDLIST folderList, TTreeNode* parent);
    void FillAddressCombo(IShellFolder* myComputer, LPCITEMIDLIST myComputerList);
    // Makes the last address entry the folder shown, with its open icon.
    void ShowInAddressList(LPCITEMIDLIST list, const std::string& caption);
    void ComboBoxEx1Click(TObject* sender);
    TTreeNode* FindTreeNodeByName(const std::string& text);
    TTreeNode* FindTreeNodeByPath(const std::string& path);

    // ---- showing a folder: the tree's selection, or any folder by its list
    void ShowSelectedFolder();
    void ShowFolder(LPCITEMIDLIST absoluteList);
    void OpenFolder(IShellFolder* parent, LPCITEMIDLIST absoluteList);
    void ListFolder(IShellFolder* folder, LPCITEMIDLIST absoluteList);
    const DirItem* GetItem(int index) const;
    // The parsing name of the shown folder ("" before the first listing).
    std::string ShownPath() const;

    // ---- list handlers
    void ListView1Data(TListView* sender, int index, TListItem& item);
    void ListView1ColumnClick(TObject* sender, TListColumn* column);
    void ListView1SelectItem(TObject* sender);
    void ListView1DblClick(TObject* sender);
    void ListView1KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void Allesmarkieren3Click(TObject* sender);
    void Markierungumdrehen3Click(TObject* sender);
    void Eigenschaften1Click(TObject* sender);
    void SetViewStyle(TViewStyle style);

    // ---- menus and buttons
    void Aktualiisieren1Click(TObject* sender);
    void Ordneranzeigen1Click(TObject* sender);
    void SpeedButton1Click(TObject* sender);
    void ChartToolbaranzeigenClick(TObject* sender);
    void Gitternetz1Click(TObject* sender);
    void ganzeZeilemarkieren1Click(TObject* sender);
    void Schliessen1Click(TObject* sender);
    void ToolButton8Click(TObject* sender);
    void PopupMenu6Popup(TObject* sender);
    void PageControl1Change(TObject* sender);

    // ---- the monitor
    void DirChanged();

    // ---- context menus and the secure wipe
    void ListView1ContextPopup(int x, int y);
    void TreeView1ContextPopup(int x, int y);
    void DoTheMenuThing(IShellFolder* parent, const std::vector<LPCITEMIDLIST>& items, int x, int y);
    void DoExplorerMenu(LPCITEMIDLIST absoluteList, int x, int y);
    void LoeschenBaum();
    // Asks, then wipes the folders among targets that may be wiped; nothing while
    // another long job runs.
    void SecureWipe(const std::vector<std::string>& targets);
    // Picks a command of an open menu; TrackPopupMenu unless a test puts its own here.
    std::function<UINT(HMENU menu, int x, int y)> ChooseMenuCommand;
    // The disk the wipe runs on; nullptr is the real one.
    ShredderIo* WipeDisk = nullptr;
    // Whether a folder's drive has a recycle bin, for the tree's delete to the bin.
    file_engines::RecycleBinCheck HasRecycleBin = file_engines::ShellHasRecycleBin;

    // ---- the chart
    void AddTeeChart();
    // Builds the chart of the listing unless it was built since the listing.
    void BuildChartOnce();

    // ---- state
    std::unique_ptr<TDirMonitorThread> Monitor;
    IContextMenu2* ShellMenu = nullptr;
    std::string MenuTarget;
    unsigned char MenuIdle = 1;
    unsigned char ChartBuilt = 0;
    double FolderBarLimit = 50.0;
    double FileBarLimit = 50.0;
    int HighlightPercent = 15;
    int SortColumn = 0;
    int SortKey = 0;
    bool SortReversed = false;
    ListingTotals Totals;
    int64_t LargestSize = 0;
    int64_t ListingTotal = 0;
    bool SizesComplete = true;     // false when the last listing's sizing was cancelled
    std::vector<DirItem> DirItems;
    std::vector<std::string> AddressNames;
    int FolderEntryIndex = 0;
    // The shell's icon size flag of the listing's pictures: large for the large icons
    // view, small otherwise. A view chosen takes effect at the next listing.
    UINT IconSizeFlag = SHGFI_SMALLICON;
    IShellFolder* DesktopFolder = nullptr;
    ComPtr<IShellFolder> CurrentFolder;  // the listed folder, held while its items are shown
    LPITEMIDLIST CurrentFolderPidl = nullptr;  // the shown folder's list; owned

    // Set (by Escape, another folder or closing) to stop the sizing under way.
    bool SizingCancelled = false;
    // How often a sizing lets the window handle its messages.
    DWORD SizingPumpMs = 50;

    // ---- the window's parts
    TCoolBar* CoolBar1 = nullptr;
    TToolBar* ToolBar1 = nullptr;
    TImageList* ImageList1 = nullptr; // the tool bar's pictures
    TToolButton* ToolButton1 = nullptr;  // File
    TToolButton* ToolButton3 = nullptr;  // Edit
    TToolButton* ToolButton5 = nullptr;  // View
    TToolButton* ToolButton6 = nullptr;  // Options
    TToolButton* ToolButton8 = nullptr;  // Information
    TPanel* Panel5 = nullptr;
    TLabel* Label1 = nullptr;
    TComboBoxEx* ComboBoxEx1 = nullptr;
    TImageList* ImageList4 = nullptr; // the address list's pictures
    TPanel* Panel3 = nullptr;
    TSplitter* Splitter2 = nullptr;
    TPanel* Panel8 = nullptr;
    TLabel* Label17 = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TDirTreeView* TreeView1 = nullptr;
    TPageControl* PageControl1 = nullptr;
    TImageList* ImageList6 = nullptr; // the tabs' pictures: a folder, a pie
    TTabSheet* TabSheet1 = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TDirListView* ListView1 = nullptr;
    TPanel* Panel1 = nullptr;        // the chart tool bar
    TFrame6* Frame6 = nullptr;
    // The window's own XP look.
    TXPMenu* XPMenu1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TImageList* TreeImages = nullptr;
    TImageList* ListImages = nullptr;

    TPopupMenu* PopupMenu1 = nullptr; // empty space of the list
    TMenuItem* N1 = nullptr;
    TMenuItem* GroeSymbole1 = nullptr;
    TMenuItem* KleineSymbole1 = nullptr;
    TMenuItem* Liste1 = nullptr;
    TMenuItem* Details1 = nullptr;
    TMenuItem* Aktualiisieren1 = nullptr;
    TPopupMenu* PopupMenu3 = nullptr; // File
    TMenuItem* Lschen1 = nullptr;
    TMenuItem* Umbenennen2 = nullptr;
    TMenuItem* Eigenschaften1 = nullptr;
    TMenuItem* Schliessen1 = nullptr;
    TPopupMenu* PopupMenu6 = nullptr; // Edit
    TMenuItem* Allesmarkieren3 = nullptr;
    TMenuItem* Markierungumdrehen3 = nullptr;
    TPopupMenu* PopupMenu7 = nullptr; // View
    TMenuItem* GroeSymbole2 = nullptr;
    TMenuItem* KleineSymbole3 = nullptr;
    TMenuItem* Liste3 = nullptr;
    TMenuItem* Details3 = nullptr;
    TMenuItem* ChartToolbaranzeigen = nullptr;
    TMenuItem* Ordneranzeigen1 = nullptr;
    TMenuItem* Detailsanzeigen1 = nullptr;
    TMenuItem* Kreisdiagrammanzeigen1 = nullptr;
    TPopupMenu* PopupMenu4 = nullptr; // Options
    TMenuItem* Eigenschaften2 = nullptr;
    TMenuItem* Gitternetz1 = nullptr;
    TMenuItem* ganzeZeilemarkieren1 = nullptr;

private:
    void BuildDesign();
    // The cool bar with the tool bar, its pictures, captions and hints.
    void BuildToolBar();
    void BuildMenus();
    // Shows or hides the folder panel and its splitter.
    void ShowTree(bool show);
    // Sizes an item while keeping the window alive; stops when SizingCancelled is set.
    uint64_t SizeOfFolder(const std::string& path, bool& complete);
    void StartMonitor(const std::string& path);
    void WipeFolders(const std::vector<std::string>& targets);
    void RefreshAfterCommand();
    // Names the folders among these that no delete may take, and true when there are any:
    // a delete of the tree or of the list then does nothing.
    bool RefusesGuarded(const std::vector<std::string>& folders);
    // Reads a node's children again.
    void RefillNode(TTreeNode* node);
    // Ends one listing or tree fill; the last one to end runs the close or the show that
    // was asked for meanwhile.
    void EndListing();

    int listing_ = 0;              // listings under way (the sizing lets messages in)
    // While the tree is first filled: folder sizes already known, by upper-cased path.
    std::optional<std::map<std::string, uint64_t>> openingSizes_;
    bool reshowPending_ = false;   // a show asked for while a listing ran
    bool closePending_ = false;    // a close asked for while a listing ran
    bool relaunched_ = false;
    DWORD lastPump_ = 0;
    ComPtr<IMalloc> malloc_;
    LPITEMIDLIST pendingPidl_ = nullptr;  // a folder asked for while a listing ran; owned
    TTreeNode* lastMenuNode_ = nullptr;
    // Puts icon into the address list's pictures in place of index (-1 appends) and
    // destroys it; returns where it went, or index when there is no icon.
    int TakeIcon(HICON icon, int index);
    int folderImage_ = -1; // the folder entry's picture in ImageList4
    SpaceManagerHost host_;
};

extern TForm11* Form11;
