// The space manager window: its design, captions, settings, closing and message map.
#include "spacemanager/Dirsize.h"

#include "common/ItemIdList.h"
#include "common/Language.h"
#include "common/OptionsKeys.h"
#include "pageparts/WindowLayout.h"
#include "spacemanager/Tabframe.h"
#include "toolkit/Effects.h"
#include "toolkit/ImageList.h"
#include "toolkit/MenuEntry.h"
#include "toolkit/Place.h"
#include "toolkit/UpdateScope.h"

#include <windowsx.h>

#include <algorithm>

TForm11* Form11 = nullptr;

namespace {

// A message for a menu item rather than for one of the window's own controls.
bool IsMenuMessage(UINT msg, LPARAM lParam)
{
    if (msg == WM_INITMENUPOPUP)
        return true;
    if (msg == WM_DRAWITEM)
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU;
    return reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU;
}

} // namespace

TForm11::TForm11(TComponent* owner, SpaceManagerHost host) : TForm(owner), host_(std::move(host))
{
    Name = "Form11";
    SHGetMalloc(malloc_.Put());
    SHGetDesktopFolder(&DesktopFolder);
    ChooseMenuCommand = [this](HMENU menu, int x, int y) {
        SetForegroundWindow(Handle());
        return static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, Handle(), nullptr));
    };
    BuildDesign();
    BuildMenus();
    // The window carries a look of its own, which treats everything it holds (the chart
    // frame too).
    XPMenu1 = new TXPMenu(this);
    XPMenu1->SetActive(true);
    XPMenu1->Loaded();
    OnClose = Bind(this, &TForm11::FormClose);
    // Escape stops a sizing wherever the focus is.
    KeyPreview = true;
    OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
        if (key == VK_ESCAPE && listing_ > 0)
            SizingCancelled = true;
    };
    OnResize = Bind(this, &TForm11::FormResize);
    if (!language::German())
        English();
    if (host_.readSetting(options::dirSize::LastTab) == "1")
        PageControl1->SetActivePage(TabSheet2);
    else
        PageControl1->SetActivePage(TabSheet1);
}

TForm11::~TForm11()
{
    BeginDestroy();
    SizingCancelled = true;
    // The thread posts to this window: it goes first.
    Monitor.reset();
    if (Form11 == this)
        Form11 = nullptr;
    host_.gone();
    // The tree tells of no deletions while it is destroyed: the nodes' lists go here.
    if (TreeView1 && malloc_)
        for (int i = 0; i < TreeView1->Items()->Count(); ++i) {
            TTreeNode* node = TreeView1->Items()->Item(i);
            if (node->Data())
                malloc_->Free(node->Data());
            node->SetData(nullptr);
        }
    ClearDirItems(DirItems);
    if (CurrentFolderPidl && malloc_)
        malloc_->Free(CurrentFolderPidl);
    if (pendingPidl_ && malloc_)
        malloc_->Free(pendingPidl_);
    CurrentFolder.Reset();
    if (DesktopFolder)
        DesktopFolder->Release();
    malloc_.Reset();
}

void TForm11::BuildDesign()
{
    SetCaption("Hoardmap");
    SetBounds(40, 40, 1088, 750);

    StatusBar1 = Place<TStatusBar>(this, this, "StatusBar1", 0, 0, 100, 20);
    StatusBar1->SetAlign(alBottom);
    for (int width : {330, 200, 300})
        StatusBar1->Panels()->Add()->SetWidth(width);

    BuildToolBar();

    Panel5 = Place<TPanel>(this, this, "Panel5", 0, 0, 100, 28);
    Panel5->SetAlign(alTop);
    Label1 = Place<TLabel>(this, Panel5, "Label1", 6, 7, 50, 16);
    Texts.Caption(Label1, "Adresse", "Address");
    ImageList4 = new TImageList(this);
    ComboBoxEx1 = Place<TComboBoxEx>(this, Panel5, "ComboBoxEx1", 60, 3, 600, 22);
    ComboBoxEx1->SetDropDownCount(20);
    ComboBoxEx1->SetImages(ImageList4);
    ComboBoxEx1->OnClick = Bind(this, &TForm11::ComboBoxEx1Click);

    Panel3 = Place<TPanel>(this, this, "Panel3", 0, 0, 185, 100);
    Panel3->SetAlign(alLeft);
    Panel3->SetBevelOuter(bvNone);
    Panel8 = Place<TPanel>(this, Panel3, "Panel8", 0, 0, 185, 22);
    Panel8->SetAlign(alTop);
    Label17 = Place<TLabel>(this, Panel8, "Label17", 4, 4, 100, 16);
    Texts.Caption(Label17, "Ordner", "Folders");
    SpeedButton1 = Place<TSpeedButton>(this, Panel8, "SpeedButton1", 155, 1, 20, 20);
    SpeedButton1->SetFlat(true);
    SpeedButton1->SetCaption("X");
    SpeedButton1->OnClick = Bind(this, &TForm11::SpeedButton1Click);
    Panel8->OnResize = [this](TObject*) { SpeedButton1->SetLeft(Panel8->Width() - 30); };
    // Right of the folder panel, which it widens or narrows.
    Splitter2 = Place<TSplitter>(this, this, "Splitter2", 185, 0, 3, 100);
    TreeView1 = Place<TDirTreeView>(this, Panel3, "TreeView1", 0, 22, 185, 100);
    TreeView1->SetAlign(alClient);
    TreeView1->SetHideSelection(false);
    TreeView1->OnChange = Bind(this, &TForm11::TreeView1Change);
    TreeView1->OnExpanding = Bind(this, &TForm11::TreeView1Expanding);
    TreeView1->OnDeletion = Bind(this, &TForm11::TreeView1Deletion);
    TreeView1->OnMouseMove = Bind(this, &TForm11::TreeView1MouseMove);
    TreeView1->OnContextPopup = [this](int x, int y) { TreeView1ContextPopup(x, y); };

    PageControl1 = Place<TPageControl>(this, this, "PageControl1", 0, 0, 100, 100);
    PageControl1->SetAlign(alClient);
    PageControl1->OnChange = Bind(this, &TForm11::PageControl1Change);
    TabSheet1 = new TTabSheet(this);
    TabSheet1->Name = "TabSheet1";
    TabSheet1->SetPageControl(PageControl1);
    Texts.Caption(TabSheet1, "Dateien und Ordner", "Files and Folders");
    TabSheet2 = new TTabSheet(this);
    TabSheet2->Name = "TabSheet2";
    TabSheet2->SetPageControl(PageControl1);
    Texts.Caption(TabSheet2, "Diagramm", "Chart");
    ImageList6 = new TImageList(this);
    TabSheet1->SetImageIndex(ImageList6->AddShellIcon(4));
    TabSheet2->SetImageIndex(AddPiePicture(*ImageList6));
    PageControl1->SetImages(ImageList6);

    ListView1 = Place<TDirListView>(this, TabSheet1, "ListView1", 0, 0, 100, 100);
    ListView1->SetAlign(alClient);
    ListView1->SetOwnerData(true);
    ListView1->SetMultiSelect(true);
    ListView1->SetHideSelection(false);
    const struct { const char* german; const char* english; int width; TAlignment alignment; } columns[] = {
        {"Dateiname", "Filename", 200, taLeftJustify}, {"Größe", "Size", 80, taRightJustify},
        {"Prozent", "Percent", 80, taRightJustify},    {"Typ", "Type", 80, taLeftJustify},
        {"Datum", "Date", 80, taRightJustify},         {"Attribute", "Attributes", 70, taLeftJustify}};
    for (const auto& column : columns) {
        TListColumn* added = ListView1->Columns()->Add();
        Texts.Caption(added, column.german, column.english);
        added->SetWidth(column.width);
        added->SetAlignment(column.alignment);
    }
    ListView1->OnData = Bind(this, &TForm11::ListView1Data);
    ListView1->OnColumnClick = Bind(this, &TForm11::ListView1ColumnClick);
    ListView1->OnSelectionChange = Bind(this, &TForm11::ListView1SelectItem);
    ListView1->OnDblClick = Bind(this, &TForm11::ListView1DblClick);
    ListView1->OnKeyDown = Bind(this, &TForm11::ListView1KeyDown);
    ListView1->OnDataFind = [this](const std::string& text, int start, bool wrap) {
        return FindRowByPrefix(DirItems, text, start, wrap);
    };
    ListView1->OnBoldCell = [this](int row, int subItem) {
        const DirItem* item = GetItem(row);
        const uint64_t bytes = Totals.folderBytes + Totals.fileBytes;
        return subItem == 1 && item &&
               static_cast<uint64_t>(item->Size) > bytes * static_cast<uint64_t>(HighlightPercent) / 100;
    };
    ListView1->OnContextPopup = [this](int x, int y) { ListView1ContextPopup(x, y); };

    // The shell's system image lists, shared: never destroyed here.
    SHFILEINFOA info{};
    auto systemList = [&info](UINT size) {
        return reinterpret_cast<HIMAGELIST>(
            SHGetFileInfoA("", 0, &info, sizeof info, SHGFI_SYSICONINDEX | size));
    };
    TreeImages = new TImageList(this);
    TreeImages->SetShareImages(true);
    TreeImages->SetHandle(systemList(SHGFI_SMALLICON));
    TreeView1->SetImages(TreeImages);
    ListImages = new TImageList(this);
    ListImages->SetShareImages(true);
    ListImages->SetHandle(systemList(SHGFI_SMALLICON));
    ListView1->SetSmallImages(ListImages);
    SendMessageA(ListView1->Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(systemList(SHGFI_LARGEICON)));

    Panel1 = Place<TPanel>(this, TabSheet2, "Panel1", 0, 0, 100, 30);
    Panel1->SetAlign(alTop);
    Frame6 = new TFrame6(this, this);
    Frame6->SetParent(TabSheet2);
    Frame6->SetAlign(alClient);
    Frame6->BuildToolBar(Panel1, [this] { ChartToolbaranzeigenClick(nullptr); });
}

void TForm11::BuildMenus()
{
    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->Name = "PopupMenu1";
    N1 = Texts.MenuEntry(this, PopupMenu1->Items(), "N1", "Ansicht", "View");
    GroeSymbole1 = Texts.MenuEntry(this, N1, "GroeSymbole1", "Große Symbole", "Large Icons",
                                   [this](TObject*) { SetViewStyle(vsIcon); });
    KleineSymbole1 = Texts.MenuEntry(this, N1, "KleineSymbole1", "Kleine Symbole", "Small Icons",
                                     [this](TObject*) { SetViewStyle(vsSmallIcon); });
    Liste1 =
        Texts.MenuEntry(this, N1, "Liste1", "Liste", "List", [this](TObject*) { SetViewStyle(vsList); });
    Details1 = AddMenuEntry(this, N1, "Details1", "Details", [this](TObject*) { SetViewStyle(vsReport); });
    Aktualiisieren1 =
        Texts.MenuEntry(this, PopupMenu1->Items(), "Aktualiisieren1", "Aktualisieren", "Refresh",
                        Bind(this, &TForm11::Aktualiisieren1Click));

    PopupMenu3 = new TPopupMenu(this);
    PopupMenu3->Name = "PopupMenu3";
    // From the list page the chart of the listing is made first.
    Lschen1 = Texts.MenuEntry(this, PopupMenu3->Items(), "Lschen1",
                              "Diagramm in die Zwischenablage", "Chart to Clipboard", [this](TObject*) {
                                  BuildChartOnce();
                                  Frame6->Kopieren1Click(nullptr);
                              });
    Umbenennen2 = Texts.MenuEntry(this, PopupMenu3->Items(), "Umbenennen2",
                                  "Diagramm speichern unter...", "Save Chart as...", [this](TObject*) {
                                      BuildChartOnce();
                                      Frame6->ScrrenShot1Click(nullptr);
                                  });
    Eigenschaften1 =
        Texts.MenuEntry(this, PopupMenu3->Items(), "Eigenschaften1", "Eigenschaften", "Properties",
                        Bind(this, &TForm11::Eigenschaften1Click));
    Schliessen1 = Texts.MenuEntry(this, PopupMenu3->Items(), "Schliessen1", "Schließen", "Close",
                                  Bind(this, &TForm11::Schliessen1Click));
    ToolButton1->DropdownMenu = PopupMenu3;

    PopupMenu6 = new TPopupMenu(this);
    PopupMenu6->Name = "PopupMenu6";
    PopupMenu6->OnPopup = Bind(this, &TForm11::PopupMenu6Popup);
    Allesmarkieren3 =
        Texts.MenuEntry(this, PopupMenu6->Items(), "Allesmarkieren3", "Alles markieren", "Select All",
                        Bind(this, &TForm11::Allesmarkieren3Click));
    Markierungumdrehen3 = Texts.MenuEntry(this, PopupMenu6->Items(), "Markierungumdrehen3",
                                          "Markierung umkehren", "Invert Section",
                                          Bind(this, &TForm11::Markierungumdrehen3Click));
    ToolButton3->DropdownMenu = PopupMenu6;

    PopupMenu7 = new TPopupMenu(this);
    PopupMenu7->Name = "PopupMenu7";
    GroeSymbole2 =
        Texts.MenuEntry(this, PopupMenu7->Items(), "GroeSymbole2", "Große Symbole", "Large Icons",
                        [this](TObject*) { SetViewStyle(vsIcon); });
    KleineSymbole3 =
        Texts.MenuEntry(this, PopupMenu7->Items(), "KleineSymbole3", "Kleine Symbole", "Small Icons",
                        [this](TObject*) { SetViewStyle(vsSmallIcon); });
    Liste3 = Texts.MenuEntry(this, PopupMenu7->Items(), "Liste3", "Liste", "List",
                             [this](TObject*) { SetViewStyle(vsList); });
    Details3 =
        AddMenuEntry(this, PopupMenu7->Items(), "Details3", "Details", [this](TObject*) { SetViewStyle(vsReport); });
    AddMenuEntry(this, PopupMenu7->Items(), "N2", "-");
    ChartToolbaranzeigen = Texts.MenuEntry(this, PopupMenu7->Items(), "ChartToolbaranzeigen",
                                           "Diagramm-Werkzeugleiste", "Chart Toolbar",
                                           Bind(this, &TForm11::ChartToolbaranzeigenClick));
    ChartToolbaranzeigen->Checked = true;
    Ordneranzeigen1 =
        Texts.MenuEntry(this, PopupMenu7->Items(), "Ordneranzeigen1", "Ordner anzeigen", "Show Folders",
                        Bind(this, &TForm11::Ordneranzeigen1Click));
    Ordneranzeigen1->Checked = true;
    Detailsanzeigen1 =
        Texts.MenuEntry(this, PopupMenu7->Items(), "Detailsanzeigen1", "Balkendiagramm", "Chart",
                        [this](TObject*) { Frame6->SetPie(false); });
    Kreisdiagrammanzeigen1 =
        Texts.MenuEntry(this, PopupMenu7->Items(), "Kreisdiagrammanzeigen1", "Kreisdiagramm", "Pie",
                        [this](TObject*) { Frame6->SetPie(true); });
    ToolButton5->DropdownMenu = PopupMenu7;

    PopupMenu4 = new TPopupMenu(this);
    PopupMenu4->Name = "PopupMenu4";
    Eigenschaften2 = Texts.MenuEntry(this, PopupMenu4->Items(), "Eigenschaften2",
                                     "Desktop-Einstellungen speichern", "Save Desktop Settings",
                                     [this](TObject*) { Eigenschaften2->Checked = !Eigenschaften2->Checked; });
    Eigenschaften2->Checked = true;
    Gitternetz1 = Texts.MenuEntry(this, PopupMenu4->Items(), "Gitternetz1",
                                  "Gitternetzlinien", "Gridlines", Bind(this, &TForm11::Gitternetz1Click));
    ganzeZeilemarkieren1 = Texts.MenuEntry(this, PopupMenu4->Items(), "ganzeZeilemarkieren1",
                                           "Ganze Zeile markieren", "Row Select",
                                           Bind(this, &TForm11::ganzeZeilemarkieren1Click));
    ToolButton6->DropdownMenu = PopupMenu4;
}

void TForm11::English()
{
    Texts.English();
    Frame6->Texts.English();
}

// ---- settings

void TForm11::ReadSettings()
{
    namespace keys = options::dirSize;
    const auto& read = host_.readSetting;
    auto number = [&](const char* name) { return window_layout::StoredNumber(read(name)); };
    // A stored value that is not a number keeps the designed one.
    if (auto value = number(keys::Left)) SetLeft(*value);
    if (auto value = number(keys::Top)) SetTop(*value);
    if (auto value = number(keys::Width)) SetWidth(*value);
    if (auto value = number(keys::Height)) SetHeight(*value);
    if (read(keys::ShowTree) == "0") {
        ShowTree(false);
        Ordneranzeigen1->Checked = false;
    }
    if (auto value = number(keys::TreeWidth)) Panel3->SetWidth(*value);
    if (read(keys::Grid) == "1") {
        ListView1->SetGridLines(true);
        Gitternetz1->Checked = true;
    }
    if (read(keys::RowSelect) == "1") {
        ListView1->SetRowSelect(true);
        ganzeZeilemarkieren1->Checked = true;
    }
    window_layout::ApplyColumnWidths(*ListView1, read(keys::Columns));
    if (read(keys::SaveSetiings) == "1")
        Eigenschaften2->Checked = true;
}

void TForm11::WriteSettings()
{
    namespace keys = options::dirSize;
    const auto& write = host_.writeSetting;
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    const window_layout::WindowRect rect = window_layout::RectOf(*this);
    write(keys::LastTab, std::to_string(PageControl1->ActivePageIndex()));
    write(keys::Left, std::to_string(rect.left));
    write(keys::Top, std::to_string(rect.top));
    write(keys::Width, std::to_string(rect.width));
    write(keys::Height, std::to_string(rect.height));
    write(keys::ShowTree, flag(Panel3->Visible()));
    write(keys::TreeWidth, std::to_string(Panel3->Width()));
    write(keys::Grid, flag(ListView1->GridLines()));
    write(keys::RowSelect, flag(ListView1->RowSelect()));
    write(keys::Columns, window_layout::ColumnWidthsText(window_layout::ColumnWidthsOf(*ListView1)));
    write(keys::SaveSetiings, flag(Eigenschaften2->Checked));
}

// ---- closing

void TForm11::FormClose(TObject*, TCloseAction& action)
{
    if (listing_ > 0) {
        // The sizing under way lets messages in; the window goes once it has unwound.
        SizingCancelled = true;
        closePending_ = true;
        action = caNone;
        return;
    }
    action = caHide;
    if (relaunched_)
        return;
    relaunched_ = true;
    WriteSettings();
    Monitor.reset();
    host_.closed(Handle());
}

void TForm11::FormResize(TObject*)
{
    ComboBoxEx1->SetWidth(std::max(100, Width() - ComboBoxEx1->Left() - 20));
    Frame6->SpeedButton5->SetLeft(std::max(0, Panel1->Width() - 30));
}

void TForm11::Schliessen1Click(TObject*) { Close(); }

void TForm11::ToolButton8Click(TObject*)
{
    effects::ShowMessageBox(
        Handle(),
        std::string("Hoardmap Information 1.000\n") +
            language::Text("Zeigt, wie viel Platz Ordner belegen.", "Shows how much space folders take."),
        "Tidewrack", MB_ICONINFORMATION | MB_OK);
}

// ---- view and option menus

void TForm11::SetViewStyle(TViewStyle style)
{
    IconSizeFlag = style == vsIcon ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    {
        const UpdateScope updating(*ListView1->Items());
        ListView1->SetViewStyle(style);
    }
    ListView1->SetItemCount(static_cast<int>(DirItems.size()));
}

void TForm11::ShowTree(bool show)
{
    // The panel comes first, so that the splitter lines up right of it.
    if (show) {
        Panel3->Show();
        Splitter2->Show();
    } else {
        Splitter2->Hide();
        Panel3->Hide();
    }
}

void TForm11::Ordneranzeigen1Click(TObject*)
{
    ShowTree(!Panel3->Visible());
    Ordneranzeigen1->Checked = Panel3->Visible();
}

void TForm11::SpeedButton1Click(TObject*)
{
    ShowTree(false);
    Ordneranzeigen1->Checked = false;
}

void TForm11::ChartToolbaranzeigenClick(TObject*)
{
    Panel1->SetVisible(!Panel1->Visible());
    ChartToolbaranzeigen->Checked = Panel1->Visible();
}

void TForm11::Gitternetz1Click(TObject*)
{
    Gitternetz1->Checked = !Gitternetz1->Checked;
    ListView1->SetFocus();
    ListView1->SetGridLines(Gitternetz1->Checked);
}

void TForm11::ganzeZeilemarkieren1Click(TObject*)
{
    ganzeZeilemarkieren1->Checked = !ganzeZeilemarkieren1->Checked;
    ListView1->SetFocus();
    ListView1->SetRowSelect(ganzeZeilemarkieren1->Checked);
}

void TForm11::PopupMenu6Popup(TObject*)
{
    const bool listPage = PageControl1->ActivePage() == TabSheet1;
    Allesmarkieren3->Enabled = listPage;
    Markierungumdrehen3->Enabled = listPage;
}

void TForm11::Aktualiisieren1Click(TObject*) { ShowSelectedFolder(); }

void TForm11::PageControl1Change(TObject*)
{
    if (PageControl1->ActivePage() == TabSheet2)
        BuildChartOnce();
}

void TForm11::BuildChartOnce()
{
    if (ChartBuilt)
        return;
    AddTeeChart();
    ChartBuilt = 1;
}

// ---- message map

bool TForm11::MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_DIRCHANGED:
        toolkit::Guarded([this] { DirChanged(); });
        result = 0;
        return true;
    case WM_SHOWAGAIN:
        toolkit::Guarded([this] {
            if (pendingPidl_) {
                const ItemIdList wanted{std::exchange(pendingPidl_, nullptr)};
                ShowFolder(wanted.Get());
            } else {
                ShowSelectedFolder();
            }
        });
        result = 0;
        return true;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_INITMENUPOPUP:
        // Shell submenus ("Send To") draw and fill themselves through the open menu.
        if (ShellMenu && IsMenuMessage(msg, lParam)) {
            ShellMenu->HandleMenuMsg(msg, wParam, lParam);
            result = msg == WM_INITMENUPOPUP ? 0 : TRUE;
            return true;
        }
        return TForm::MessageMap(msg, wParam, lParam, result);
    default:
        return TForm::MessageMap(msg, wParam, lParam, result);
    }
}

// ---- list and tree controls

bool TDirListView::MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_CONTEXTMENU && OnContextPopup && reinterpret_cast<HWND>(wParam) == Handle()) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) {
            at = POINT{0, 0};
            ClientToScreen(Handle(), &at);
        }
        toolkit::Guarded([&] { OnContextPopup(at.x, at.y); });
        result = 0;
        return true;
    }
    return TListView::MessageMap(msg, wParam, lParam, result);
}

bool TDirListView::ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_NOTIFY)
        return TListView::ReflectedMessage(msg, wParam, lParam, result);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    switch (header->code) {
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW: {
        auto* find = reinterpret_cast<NMLVFINDITEMA*>(lParam);
        result = -1;
        if (OnDataFind && (find->lvfi.flags & (LVFI_PARTIAL | LVFI_STRING)) && find->lvfi.psz) {
            std::string text;
            if (header->code == LVN_ODFINDITEMW) {
                const wchar_t* wide = reinterpret_cast<const wchar_t*>(find->lvfi.psz);
                char narrow[MAX_PATH] = "";
                WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
                text = narrow;
            } else {
                text = find->lvfi.psz;
            }
            result = OnDataFind(text, find->iStart, (find->lvfi.flags & LVFI_WRAP) != 0);
        }
        return true;
    }
    case LVN_ITEMCHANGED: {
        auto* change = reinterpret_cast<NMLISTVIEW*>(lParam);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED) &&
            OnSelectionChange)
            OnSelectionChange(this);
        return false;
    }
    case LVN_ODSTATECHANGED:
        if (OnSelectionChange)
            OnSelectionChange(this);
        return false;
    case NM_CUSTOMDRAW: {
        auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
        switch (draw->nmcd.dwDrawStage) {
        case CDDS_PREPAINT: result = CDRF_NOTIFYITEMDRAW; return true;
        case CDDS_ITEMPREPAINT: result = CDRF_NOTIFYSUBITEMDRAW; return true;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const bool isBold = OnBoldCell && OnBoldCell(static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem);
            draw->clrText = isBold ? RGB(0, 0, 0) : GetSysColor(COLOR_WINDOWTEXT);
            if (isBold) {
                boldFont_.Assign(*Font());
                boldFont_.SetStyle(fsBold);
            }
            SelectObject(draw->nmcd.hdc, isBold ? boldFont_.Handle() : Font()->Handle());
            result = CDRF_NEWFONT;
            return true;
        }
        default: result = CDRF_DODEFAULT; return true;
        }
    }
    default:
        return TListView::ReflectedMessage(msg, wParam, lParam, result);
    }
}

bool TDirTreeView::MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_CONTEXTMENU && OnContextPopup && reinterpret_cast<HWND>(wParam) == Handle()) {
        const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        toolkit::Guarded([&] { OnContextPopup(x, y); });
        result = 0;
        return true;
    }
    return TTreeView::MessageMap(msg, wParam, lParam, result);
}
