#include "archive/Showbackupfiles.h"

#include "common/Language.h"
#include "pageparts/ReportList.h"
#include "toolkit/MenuEntry.h"
#include "toolkit/UpdateScope.h"

#include <cstdlib>

TForm8* Form8 = nullptr;
int TForm8::SortDirection = 0;

namespace backup {

namespace {

bool IsNumberColumn(int column) { return column == colPacked || column == colRatio || column == colSize; }

// "75 %" and "1234" alike: the whole number the text begins with.
long long LeadingNumber(const std::string& text) { return std::strtoll(text.c_str(), nullptr, 10); }

int Sign(long long value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

} // namespace

int CompareBrowserRows(int column, const std::string& firstText, const std::string& secondText,
                       const BackupRowRecord& first, const BackupRowRecord& second)
{
    if (IsNumberColumn(column)) {
        if (firstText.empty() || secondText.empty())
            return 0;
        return Sign(LeadingNumber(firstText) - LeadingNumber(secondText));
    }
    if (column == colModified)
        return CompareFileTime(&first.lastWrite, &second.lastWrite);
    return Sign(lstrcmpiA(firstText.c_str(), secondText.c_str()));
}

} // namespace backup

namespace {

TButton* MakeMenuButton(TForm8* form, const char* name, int left, const char* caption, TNotifyEvent onClick)
{
    auto* button = new TButton(form);
    button->Name = name;
    button->SetParent(form->Panel1);
    button->SetBounds(left, 2, 80, 22);
    button->SetCaption(caption);
    button->OnClick = std::move(onClick);
    return button;
}

std::string CellText(TListItem* item, int column)
{
    if (column == 0)
        return item->Caption();
    TStringList* cells = item->SubItems();
    return column - 1 < cells->Count() ? cells->Strings(column - 1) : std::string();
}

} // namespace

TForm8::TForm8(TComponent* owner) : TForm(owner)
{
    Name = "Form8";
    SetBorderStyle(bsSizeable);
    SetClientWidth(780);
    SetClientHeight(460);
    SetCaption("Sicherungsdateien");
    KeyPreview = false;

    Panel1 = new TPanel(this);
    Panel1->Name = "Panel1";
    Panel1->SetParent(this);
    Panel1->SetAlign(alTop);
    Panel1->SetHeight(26);
    Datei1Button = MakeMenuButton(this, "Datei1Button", 2, language::Text("Datei", "File"),
                                  [this](TObject*) { PopupBelow(Datei1Button, Datei1); });
    Ansicht1Button = MakeMenuButton(this, "Ansicht1Button", 84, language::Text("Bearbeiten", "Edit"),
                                    [this](TObject*) { PopupBelow(Ansicht1Button, Ansicht1); });

    StatusBar1 = report_list::PlaceStatusBar(this, {150, 600});
    // In the order of backup::BrowserColumn.
    ListView1 = report_list::PlaceReportList(this, report_list::plain,
                                             {
                                                 {"Name", "Name", 140, taLeftJustify},
                                                 {"Gepackt", "Packed", 70, taRightJustify},
                                                 {"Rate", "Ratio", 50, taRightJustify},
                                                 {"Größe", "Size", 70, taRightJustify},
                                                 {"Typ", "Type", 110, taLeftJustify},
                                                 {"Geändert", "Modified", 120, taLeftJustify},
                                                 {"Attribute", "Attributes", 60, taLeftJustify},
                                                 {"Pfad", "Path", 250, taLeftJustify},
                                             });
    ListView1->OnClick = Bind(this, &TForm8::ListView1Click);
    ListView1->OnColumnClick = Bind(this, &TForm8::ListView1ColumnClick);
    ListView1->OnKeyDown = Bind(this, &TForm8::ListView1KeyDown);
    ListView1->OnDblClick = Bind(this, &TForm8::Open1Click);

    Datei1 = new TPopupMenu(this);
    Datei1->Name = "Datei1";
    ffnen1 = AddMenuEntry(this, Datei1->Items(), "ffnen1", language::Text("Öffnen   Strg+O", "Open   Strg+O"),
                          Bind(this, &TForm8::Open1Click));
    Speichernunter1 = AddMenuEntry(this, Datei1->Items(), "Speichernunter1",
                                   language::Text("Speichern unter   Strg+S", "Save as   Strg+S"),
                                   Bind(this, &TForm8::Entpacken1Click));
    Schliessen1 = AddMenuEntry(this, Datei1->Items(), "Schliessen1", language::Text("Schließen    Esc", "Close    Esc"),
                               Bind(this, &TForm8::Schliessen1Click));

    Ansicht1 = new TPopupMenu(this);
    Ansicht1->Name = "Ansicht1";
    Allesmarkieren1 = AddMenuEntry(this, Ansicht1->Items(), "Allesmarkieren1",
                                   language::Text("Alles markieren   Strg+A", "Select All   Strg+A"),
                                   Bind(this, &TForm8::Allesmarkieren1Click));
    Markierungumkehren1 = AddMenuEntry(this, Ansicht1->Items(), "Markierungumkehren1",
                                       language::Text("Markierung umkehren   Strg+U", "Invert Selection   Strg+U"),
                                       Bind(this, &TForm8::Markierungumkehren1Click));
    MarkierteDateienalsHTMLexportieren1 =
        AddMenuEntry(this, Ansicht1->Items(), "MarkierteDateienalsHTMLexportieren1",
                     language::Text("Markierte Dateien exportieren", "Export selected files"),
                     Bind(this, &TForm8::MarkierteDateienalsHTMLexportieren1Click));

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->Name = "PopupMenu1";
    Restore1 = AddMenuEntry(this, PopupMenu1->Items(), "Restore1",
                            language::Text("Wiederherstellen   Strg+R", "Restore   Strg+R"),
                            Bind(this, &TForm8::Restore1Click));
    Open1 = AddMenuEntry(this, PopupMenu1->Items(), "Open1", language::Text("Öffnen", "Open"),
                         Bind(this, &TForm8::Open1Click));
    Entpacken1 =
        AddMenuEntry(this, PopupMenu1->Items(), "Entpacken1", language::Text("Speichern unter   F12", "Save as   F12"),
                     Bind(this, &TForm8::Entpacken1Click));
    ListView1->SetPopupMenu(PopupMenu1);

    OnClose = Bind(this, &TForm8::FormClose);
    Form8 = this;
}

TForm8::~TForm8()
{
    BeginDestroy();
    if (Form8 == this)
        Form8 = nullptr;
}

BackupRowRecord* TForm8::AddRecord(std::unique_ptr<BackupRowRecord> record)
{
    records_.push_back(std::move(record));
    return records_.back().get();
}

void TForm8::ClearRecords()
{
    ListView1->Items()->Clear();
    records_.clear();
}

BackupRowRecord* TForm8::RecordOf(TListItem* item) const
{
    return item ? static_cast<BackupRowRecord*>(item->Data()) : nullptr;
}

std::vector<TListItem*> TForm8::SelectedItems() const
{
    std::vector<TListItem*> items;
    for (int row : ListView1->SelectedIndices())
        items.push_back(ListView1->Items()->Item(row));
    return items;
}

void TForm8::PopupBelow(TButton* button, TPopupMenu* menu)
{
    POINT corner{button->Left(), button->Top() + button->Height()};
    ClientToScreen(Panel1->Handle(), &corner);
    menu->Popup(corner.x, corner.y);
}

// ---- commands

TForm8::BusyGuard::~BusyGuard()
{
    // Freed from the message loop, after the command has returned through its caller.
    if (--form_.busy_ == 0 && form_.closeDeferred_)
        form_.Release();
}

void TForm8::Restore1Click(TObject*)
{
    BusyGuard busy(*this);
    if (Commands.restore)
        Commands.restore(*this);
}

void TForm8::Open1Click(TObject*)
{
    BusyGuard busy(*this);
    if (Commands.open && ListView1->SelCount() > 0)
        Commands.open(*this);
}

void TForm8::Entpacken1Click(TObject* sender)
{
    if (!Commands.saveAs || ListView1->SelCount() == 0)
        return;
    BusyGuard busy(*this);
    Commands.saveAs(*this, sender);
}

void TForm8::Schliessen1Click(TObject*) { Close(); }

void TForm8::Allesmarkieren1Click(TObject*)
{
    ListView1->SetFocus();
    ListView1->SelectAll();
}

void TForm8::Markierungumkehren1Click(TObject*)
{
    TListItems* items = ListView1->Items();
    const UpdateScope updating(*items);
    for (int row = 0; row < items->Count(); ++row)
        ListView1->SetSelected(row, !ListView1->IsSelected(row));
}

void TForm8::ListView1Click(TObject*)
{
    const int selected = ListView1->SelCount();
    if (selected == 1)
        StatusBar1->Panels()->Items(1)->SetText(CellText(ListView1->Selected(), backup::colModified));
    else if (selected > 1)
        StatusBar1->Panels()->Items(1)->SetText(std::to_string(selected) +
                                                language::Text(" Objekte markiert", " Objects selected"));
}

int TForm8::ListView1Compare(TListItem* first, TListItem* second)
{
    BackupRowRecord* a = RecordOf(first);
    BackupRowRecord* b = RecordOf(second);
    if (!a || !b)
        return 0;
    int order = backup::CompareBrowserRows(SortColumn, CellText(first, SortColumn), CellText(second, SortColumn),
                                           *a, *b);
    return SortDirection == 0 ? order : -order;
}

void TForm8::ListView1ColumnClick(TObject*, TListColumn* column)
{
    const int index = column->Index();
    if (index == LastSortColumn)
        SortDirection = 1 - SortDirection;
    LastSortColumn = index;
    SortColumn = index;
    ListView1->SetSortColumn(column, SortDirection == 0 ? soAscending : soDescending);
    ListView1->CustomSort(Bind(this, &TForm8::ListView1Compare));
}

void TForm8::ListView1KeyDown(TObject* sender, WORD& key, TShiftState shift)
{
    const bool ctrl = (shift & ssCtrl) != 0;
    const bool selection = ListView1->SelCount() > 0;
    if (ctrl && key == 'U')
        Markierungumkehren1Click(sender);
    else if (ctrl && key == 'A')
        Allesmarkieren1Click(sender);
    else if (ctrl && key == 'O' && selection)
        Open1Click(sender);
    else if (ctrl && key == 'R' && selection)
        Restore1Click(sender);
    else if (((ctrl && key == 'S') || key == VK_F12) && selection)
        Entpacken1Click(sender);
    else if (key == VK_ESCAPE)
        Schliessen1Click(sender);
    else
        return;
    key = 0;
}

void TForm8::MarkierteDateienalsHTMLexportieren1Click(TObject*)
{
    BusyGuard busy(*this);
    if (Commands.exportSelected)
        Commands.exportSelected(*this);
}

void TForm8::FormClose(TObject*, TCloseAction& action)
{
    if (Commands.keepLayout)
        Commands.keepLayout(*this);
    closeDeferred_ = busy_ > 0;
    action = closeDeferred_ ? caHide : caFree;
}
