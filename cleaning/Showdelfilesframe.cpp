#include "cleaning/Showdelfilesframe.h"

#include "cleaning/FoundFilesHost.h"
#include "cleaning/FoundFilesView.h"
#include "common/Language.h"
#include "fileengines/ScanRecords.h"
#include "fileengines/ShellServices.h"
#include "pageparts/DateColumn.h"
#include "pageparts/HostDialog.h"
#include "pageparts/ReportList.h"
#include "toolkit/Effects.h"
#include "toolkit/MenuEntry.h"
#include "toolkit/NumberText.h"
#include "toolkit/UpdateScope.h"

#include <shellapi.h>

TFrame8* Frame8 = nullptr;

namespace {

// The busy flag over a bulk change of the list, given its value back afterwards.
class BusyFlag {
public:
    explicit BusyFlag(unsigned char& busy) : busy_(busy), was_(busy) { busy_ = 1; }
    ~BusyFlag() { busy_ = was_; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

private:
    unsigned char& busy_;
    unsigned char was_;
};

} // namespace

TFrame8::TFrame8(TComponent* owner) : TFrame(owner)
{
    Name = "Frame8";
    Frame8 = this;

    Panel1 = new TPanel(this);
    Panel1->Name = "Panel1";
    Panel1->SetParent(this);
    Panel1->SetAlign(alTop);
    Panel1->SetHeight(49);
    BuildToolBar();

    StatusBar1 = report_list::PlaceStatusBar(this, {100, 100, 600, 250});
    // In the order of found_files::Column.
    ListView1 = report_list::PlaceReportList(this, report_list::rowsOnDemand | report_list::gridLines,
                                             {
                                                 {"Dateiname", "Filname", 140, taLeftJustify},
                                                 {"Pfad", "Path", 250, taLeftJustify},
                                                 {"Größe", "Size", 90, taRightJustify},
                                                 {"Dateityp", "Typename", 100, taRightJustify},
                                                 {"Datum", "Date", 100, taRightJustify},
                                                 {"Attribute", "Attributes", 60, taRightJustify},
                                             },
                                             Texts);
    FitColumns();
    ListView1->OnData = Bind(this, &TFrame8::ListView1Data);
    ListView1->OnClick = Bind(this, &TFrame8::ListView1Click);
    ListView1->OnColumnClick = Bind(this, &TFrame8::ListView1ColumnClick);
    ListView1->OnDblClick = Bind(this, &TFrame8::ffnen1Click);
    ListView1->OnKeyDown = Bind(this, &TFrame8::ListView1KeyDown);
    ListView1->OnKeyUp = Bind(this, &TFrame8::ListView1KeyUp);
    ListView1->OnMouseMove = Bind(this, &TFrame8::ListView1MouseMove);

    PopupMenu31 = new TPopupMenu(this);
    PopupMenu31->Name = "PopupMenu31";
    TMenuItem* menu = PopupMenu31->Items();
    ffnen1 = Texts.MenuEntry(this, menu, "ffnen1", "Öffnen", "Open", Bind(this, &TFrame8::ffnen1Click));
    ffnenmit1 =
        Texts.MenuEntry(this, menu, "ffnenmit1", "Öffnen mit...    Strg+W", "Open with...    Strg+O",
                        Bind(this, &TFrame8::ffnenmit1Click));
    Eigenschaften1 = Texts.MenuEntry(this, menu, "Eigenschaften1",
                                     "Eigenschaften   Alt+Enter", "Properties   Alt+Return",
                                     Bind(this, &TFrame8::Eigenschaften1Click));
    AddMenuEntry(this, menu, "", "-");
    Allesmarkieren1 =
        Texts.MenuEntry(this, menu, "Allesmarkieren1", "Alles markieren    Strg+A", "Select all    Strg+A",
                        Bind(this, &TFrame8::Allesmarkieren2Click));
    Markierungumdrehen1 = Texts.MenuEntry(this, menu, "Markierungumdrehen1",
                                          "Markierung umkehren     Strg+U", "Invert selection     Strg+U",
                                          Bind(this, &TFrame8::Markierungumdrehen1Click));
    AddMenuEntry(this, menu, "", "-");
    Symboleanordnen2 =
        Texts.MenuEntry(this, menu, "Symboleanordnen2", "Symbole anordnen", "Arrange icons");
    NachName2 = Texts.MenuEntry(this, Symboleanordnen2, "NachName2", "nach Name", "by name",
                                Bind(this, &TFrame8::NachName1Click));
    NachPfad2 = Texts.MenuEntry(this, Symboleanordnen2, "NachPfad2", "nach Pfad", "by path",
                                Bind(this, &TFrame8::NachPfad1Click));
    NachGre1 = Texts.MenuEntry(this, Symboleanordnen2, "NachGre1", "nach Größe", "by size",
                               Bind(this, &TFrame8::NachGe1Click));
    NachDateityp2 = Texts.MenuEntry(this, Symboleanordnen2, "NachDateityp2", "nach Dateityp", "by type",
                                    Bind(this, &TFrame8::NachDateityp1Click));
    NachDatum1 = Texts.MenuEntry(this, Symboleanordnen2, "NachDatum1", "nach Datum", "by date",
                                 Bind(this, &TFrame8::NachDatum1Click));
    NachAttributen1 =
        Texts.MenuEntry(this, Symboleanordnen2, "NachAttributen1", "nach Attributen", "attributes",
                        Bind(this, &TFrame8::NachAttributen1Click));
    Ansicht2 = Texts.MenuEntry(this, menu, "Ansicht2", "Ansicht", "View");
    GroeSymbole1 = Texts.MenuEntry(this, Ansicht2, "GroeSymbole1", "Große Symbole", "big symbols",
                                   Bind(this, &TFrame8::GroeSymbole1Click));
    KleineSymbole1 = Texts.MenuEntry(this, Ansicht2, "KleineSymbole1", "Kleine Symbole", "small symbols",
                                     Bind(this, &TFrame8::KleineSymbole1Click));
    Liste1 = Texts.MenuEntry(this, Ansicht2, "Liste1", "Liste", "list", Bind(this, &TFrame8::Liste1Click));
    Details1 = Texts.MenuEntry(this, Ansicht2, "Details1", "Details", "details",
                               Bind(this, &TFrame8::Details1Click));
    AddMenuEntry(this, menu, "", "-");
    ExportalsHTML1 = Texts.MenuEntry(this, menu, "ExportalsHTML1",
                                     "Markierte Dateien exportieren", "Export selected files",
                                     Bind(this, &TFrame8::ExportalsHTML1Click));
    Rasterlinien2 = Texts.MenuEntry(this, menu, "Rasterlinien2", "Rasterlinien", "Grid Lines",
                                    Bind(this, &TFrame8::Rasterlinien1Click));
    ListView1->SetPopupMenu(PopupMenu31);

    PopupMenu32 = new TPopupMenu(this);
    PopupMenu32->Name = "PopupMenu32";
    menu = PopupMenu32->Items();
    GroeSymbole2 = Texts.MenuEntry(this, menu, "GroeSymbole2", "Große Symbole", "big symbols",
                                   Bind(this, &TFrame8::GroeSymbole1Click));
    KleineSymbole2 = Texts.MenuEntry(this, menu, "KleineSymbole2", "Kleine Symbole", "small symbols",
                                     Bind(this, &TFrame8::KleineSymbole1Click));
    Liste2 = Texts.MenuEntry(this, menu, "Liste2", "Liste", "list", Bind(this, &TFrame8::Liste1Click));
    Details2 =
        Texts.MenuEntry(this, menu, "Details2", "Details", "details", Bind(this, &TFrame8::Details1Click));

    PopupMenu34 = new TPopupMenu(this);
    PopupMenu34->Name = "PopupMenu34";
    menu = PopupMenu34->Items();
    Symboleanordnen1 = Texts.MenuEntry(this, menu, "Symboleanordnen1", "Symbole anordnen", "Symbols ");
    NachName1 = Texts.MenuEntry(this, Symboleanordnen1, "NachName1", "Nach Name", "By Name",
                                Bind(this, &TFrame8::NachName1Click));
    NachPfad1 = Texts.MenuEntry(this, Symboleanordnen1, "NachPfad1", "Pfad", "Path",
                                Bind(this, &TFrame8::NachPfad1Click));
    NachGe1 = Texts.MenuEntry(this, Symboleanordnen1, "NachGe1", "Größe", "Size",
                              Bind(this, &TFrame8::NachGe1Click));
    NachDateityp1 = Texts.MenuEntry(this, Symboleanordnen1, "NachDateityp1", "Typ", "Type",
                                    Bind(this, &TFrame8::NachDateityp1Click));
    Rasterlinien1 = Texts.MenuEntry(this, menu, "Rasterlinien1", "Rasterlinien", "Grid Lines",
                                    Bind(this, &TFrame8::Rasterlinien1Click));
    AddMenuEntry(this, menu, "", "-");
    Allesmarkieren2 =
        Texts.MenuEntry(this, menu, "Allesmarkieren2", "Alles markieren    Strg+A", "Select all    Strg+A",
                        Bind(this, &TFrame8::Allesmarkieren2Click));
    Markierungumdrehen2 = Texts.MenuEntry(this, menu, "Markierungumdrehen2",
                                          "Markierung umkehren    Strg+U", "Invert selection    Strg+U",
                                          Bind(this, &TFrame8::Markierungumdrehen1Click));
    AddMenuEntry(this, menu, "", "-");
    MarkierteDateienalsHTMLexportieren1 =
        Texts.MenuEntry(this, menu, "MarkierteDateienalsHTMLexportieren1",
                        "Markierte Dateien exportieren", "Export selected files",
                        Bind(this, &TFrame8::ExportalsHTML1Click));

    Details1->Checked = Details2->Checked = true;
    Rasterlinien1->Checked = Rasterlinien2->Checked = true;
    ToolButton4->DropdownMenu = PopupMenu34;
    ToolButton10->DropdownMenu = PopupMenu32;
    BuildDeleteCommands();
}

TFrame8::~TFrame8()
{
    BeginDestroy();
    if (Frame8 == this)
        Frame8 = nullptr;
}

void TFrame8::SetHost(std::unique_ptr<FoundFilesHost> host) { host_ = std::move(host); }

// ---- the list

void TFrame8::ListView1Data(TListView*, int index, TListItem& item)
{
    if (!host_ || index < 0 || index >= host_->Records().Count())
        return;
    FoundFileRecord& record = *host_->Records().Items(index);
    // The shell's look-up is slow, so each record asks once, and only when it is shown.
    if (!Frame8Busy && record.iconIndex < 0) {
        SHFILEINFOA info{};
        record.iconIndex =
            file_engines::GetIcon(record.path, SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_DISPLAYNAME, info);
        if (info.szTypeName[0])
            record.typeName = info.szTypeName;
    }
    item.SetCaption(record.displayName);
    TStringList* cells = item.SubItems();
    cells->Add(record.path);
    cells->Add(record.sizeText);
    cells->Add(record.typeName);
    cells->Add(record.dateText);
    cells->Add(record.attributes);
    item.SetImageIndex(record.iconIndex);
}

void TFrame8::ListView1Click(TObject*)
{
    if (!Frame8Busy)
        ShowSelectionTotals();
}

// The keyboard moves and extends the selection too; the totals follow it.
void TFrame8::ListView1KeyUp(TObject*, WORD&, TShiftState)
{
    if (!Frame8Busy)
        ShowSelectionTotals();
}

void TFrame8::ListView1KeyDown(TObject*, WORD& key, TShiftState shift)
{
    // Delete, L and D delete with or without modifier keys.
    const bool selection = ListView1->SelCount() > 0;
    const bool ctrl = (shift & ssCtrl) != 0;
    if (key == VK_DELETE && selection)
        MarkierteDateienindenPapierkorblschen1Click(this);
    else if (key == 'L' && selection)
        MarkierteDateienendgltiglschen2Click(this);
    else if (key == 'D' && selection)
        ToolButton13Click(this);
    else if (ctrl && key == 'U')
        Markierungumdrehen1Click(this);
    else if (ctrl && key == 'A')
        Allesmarkieren2Click(this);
    else if (ctrl && key == 'O' && selection)
        ffnen1Click(this);
    else if (ctrl && key == 'W' && selection)
        ffnenmit1Click(this);
    else if ((shift & ssAlt) && key == VK_RETURN && selection)
        Eigenschaften1Click(this);
    else if (key == VK_ESCAPE)
        Schlieen3Click(this);
    else
        return;
    key = 0;
}

void TFrame8::ListView1MouseMove(TObject*, TShiftState, int x, int y)
{
    ListView1->SetCursor(ListView1->RowAt(x, y) >= 0 ? crHandPoint : crDefault);
}

void TFrame8::FitColumns()
{
    FitDateColumn(*ListView1, found_files::colDate);
    ListView1->SetLastColumnFills(true);
}

void TFrame8::FillListView1()
{
    const UpdateScope updating(*ListView1->Items());
    ListView1->SetItemCount(host_->Records().Count());
    ShowTotals(host_->Records().Count(), found_files::SizeOfAll(host_->Records()));
}

void TFrame8::ShareSystemImages()
{
    // The shell's lists are shared by every program: the list view must not destroy them.
    SHFILEINFOA info{};
    auto small = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    auto large = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX));
    SmallIcons = new TImageList(this, 16, 16);
    SmallIcons->SetHandle(small);
    SmallIcons->SetShareImages(true);
    ListView1->SetSmallImages(SmallIcons);
    LargeIcons = new TImageList(this, 32, 32);
    LargeIcons->SetHandle(large);
    LargeIcons->SetShareImages(true);
    SendMessageA(ListView1->Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
}

// ---- selection and totals

std::vector<int> TFrame8::SelectedRows() const { return ListView1->SelectedIndices(); }

FoundFileRecord* TFrame8::FirstSelected() const
{
    int row = ListView1->ItemIndex();
    if (row < 0 || row >= host_->Records().Count())
        return nullptr;
    return host_->Records().Items(row);
}

void TFrame8::ShowTotals(size_t count, unsigned long long bytes)
{
    SizeSumMB = static_cast<double>(bytes) / 1048576.0;
    StatusBar1->Panels()->Items(1)->SetText(found_files::MegabytesText(bytes, DecimalSeparator()));
    StatusBar1->Panels()->Items(0)->SetText(std::to_string(count) + language::Text(" Objekt(e)", " Object(s)"));
}

void TFrame8::ShowSelectionTotals()
{
    std::vector<int> rows = SelectedRows();
    ShowTotals(rows.size(), found_files::SizeOfRows(host_->Records(), rows));
}

void TFrame8::Allesmarkieren2Click(TObject*)
{
    BusyFlag busy(Frame8Busy);
    HourGlass hourGlass;
    ListView1->SetFocus();
    ListView1->SelectAll();
    ShowTotals(host_->Records().Count(), found_files::SizeOfAll(host_->Records()));
}

void TFrame8::Markierungumdrehen1Click(TObject*)
{
    BusyFlag busy(Frame8Busy);
    HourGlass hourGlass;
    std::vector<int> wasSelected = SelectedRows();
    // Select all, then deselect what was selected: one message per selected row instead
    // of one per row.
    {
        const UpdateScope updating(*ListView1->Items());
        ListView1->SelectAll();
        for (int row : wasSelected)
            ListView1->SetSelected(row, false);
    }
    const TObjectList<FoundFileRecord>& records = host_->Records();
    ShowTotals(records.Count() - wasSelected.size(),
               found_files::SizeOfAll(records) - found_files::SizeOfRows(records, wasSelected));
}

// ---- sorting

void TFrame8::ListView1ColumnClick(TObject*, TListColumn* column)
{
    int index = column->Index();
    if (index == LastSortColumn) {
        SortDirection = 1 - SortDirection;
    } else {
        ClearHeaderArrows(index);
        LastSortColumn = index;
    }
    SetHeaderArrow(index, SortDirection);
    SortColumn = index;
    SortBy(index);
}

void TFrame8::NachName1Click(TObject*) { SortBy(found_files::colName); }
void TFrame8::NachPfad1Click(TObject*) { SortBy(found_files::colPath); }
void TFrame8::NachGe1Click(TObject*) { SortBy(found_files::colSize); }
void TFrame8::NachDateityp1Click(TObject*) { SortBy(found_files::colType); }
void TFrame8::NachDatum1Click(TObject*) { SortBy(found_files::colDate); }
void TFrame8::NachAttributen1Click(TObject*) { SortBy(found_files::colAttributes); }

void TFrame8::SortBy(int column)
{
    BusyFlag busy(Frame8Busy);
    HourGlass hourGlass;
    CheckSortEntry(column);
    SortColumn = column;
    TObjectList<FoundFileRecord>& records = host_->Records();
    // The selection belongs to the files, not to the rows: remember the records and
    // select them again where the sort has put them.
    std::vector<const FoundFileRecord*> chosen;
    for (int row : SelectedRows())
        chosen.push_back(records.Items(row));
    found_files::SortRecords(records, column, found_files::SortsAscending(column, SortDirection));
    FillListView1();
    {
        const UpdateScope updating(*ListView1->Items());
        ListView1->ClearSelection();
        for (int row : found_files::RowsOf(records, chosen))
            ListView1->SetSelected(row, true);
    }
    if (!chosen.empty())
        ShowSelectionTotals();
}

void TFrame8::CheckSortEntry(int column)
{
    TMenuItem* const entries[2][found_files::columnCount] = {
        {NachName2, NachPfad2, NachGre1, NachDateityp2, NachDatum1, NachAttributen1},
        {NachName1, NachPfad1, NachGe1, NachDateityp1, nullptr, nullptr},
    };
    for (auto& menu : entries)
        for (int i = 0; i < found_files::columnCount; ++i)
            if (menu[i])
                menu[i]->Checked = i == column;
}

void TFrame8::ClearHeaderArrows(int keep) { ListView1->ClearSortOrders(ListView1->Columns()->Items(keep)); }

// The arrow shows the order the direction flag gives that column.
void TFrame8::SetHeaderArrow(int column, int direction)
{
    ListView1->SetSortColumn(ListView1->Columns()->Items(column),
                             found_files::SortsAscending(column, direction) ? soAscending : soDescending);
}

// ---- view styles and grid lines

void TFrame8::SetViewStyle(TViewStyle style, TMenuItem* first, TMenuItem* second)
{
    for (TMenuItem* entry : {GroeSymbole1, KleineSymbole1, Liste1, Details1, GroeSymbole2, KleineSymbole2,
                             Liste2, Details2})
        entry->Checked = entry == first || entry == second;
    ListView1->SetViewStyle(style);
}

void TFrame8::GroeSymbole1Click(TObject*) { SetViewStyle(vsIcon, GroeSymbole1, GroeSymbole2); }
void TFrame8::KleineSymbole1Click(TObject*) { SetViewStyle(vsSmallIcon, KleineSymbole1, KleineSymbole2); }
void TFrame8::Liste1Click(TObject*) { SetViewStyle(vsList, Liste1, Liste2); }
void TFrame8::Details1Click(TObject*) { SetViewStyle(vsReport, Details1, Details2); }

void TFrame8::Rasterlinien1Click(TObject*)
{
    bool on = !Rasterlinien1->Checked;
    Rasterlinien1->Checked = Rasterlinien2->Checked = on;
    ListView1->SetGridLines(on);
}

// ---- the files

void TFrame8::ffnen1Click(TObject*)
{
    if (FoundFileRecord* record = FirstSelected())
        effects::ShellOpen(Handle(), "open", record->path, "", "", SW_SHOW);
}

void TFrame8::ffnenmit1Click(TObject*)
{
    FoundFileRecord* record = FirstSelected();
    if (!record)
        return;
    // The shell's "open with" dialog takes the rest of the command line as the file's
    // name, so the path stays unquoted.
    const std::string systemDir = host_->SystemDir();
    std::string rundll = systemDir.empty() ? "rundll32.exe" : systemDir + "\\rundll32.exe";
    effects::StartProcess("\"" + rundll + "\" shell32.dll,OpenAs_RunDLL " + record->path);
}

void TFrame8::Eigenschaften1Click(TObject*)
{
    FoundFileRecord* record = FirstSelected();
    if (!record)
        return;
    host_->ShowProperties(record->path);
}

void TFrame8::ExportalsHTML1Click(TObject*)
{
    // The export reads every row; without the busy flag each would ask the shell.
    BusyFlag busy(Frame8Busy);
    HourGlass hourGlass;
    host_->ExportSelected(*ListView1, "Tidewrack - Trash Files");
}

// ---- the tool bar and closing

void TFrame8::ToolButton4Click(TObject*) { ToolBar1->ShowDropdown(ToolButton4); }
void TFrame8::ToolButton10Click(TObject*) { ToolBar1->ShowDropdown(ToolButton10); }

void TFrame8::Schlieen3Click(TObject*)
{
    if (Form6 && !Deleting)
        Form6->Close();
}
