#include "archive/Showbackupfiles.h"

#include "common/Language.h"
#include "shell/Unit1.h"
#include "toolkit/MenuEntry.h"

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
    Datei1Button = MakeMenuButton(this, "Datei1Button", 2, "Datei", [this](TObject*) { PopupBelow(Datei1Button, Datei1); });
    Ansicht1Button =
        MakeMenuButton(this, "Ansicht1Button", 84, "Bearbeiten", [this](TObject*) { PopupBelow(Ansicht1Button, Ansicht1); });

    StatusBar1 = new TStatusBar(this);
    StatusBar1->Name = "StatusBar1";
    StatusBar1->SetParent(this);
    StatusBar1->SetAlign(alBottom);
    StatusBar1->Panels()->Add()->SetWidth(150);
    StatusBar1->Panels()->Add()->SetWidth(600);

    ListView1 = new TListView(this);
    ListView1->Name = "ListView1";
    ListView1->SetParent(this);
    ListView1->SetAlign(alClient);
    ListView1->SetMultiSelect(true);
    ListView1->SetHideSelection(false);
    ListView1->SetViewStyle(vsReport);
    const struct {
        const char* caption;
        int width;
        bool right;
    } columns[backup::browserColumnCount] = {
        {"Name", 140, false}, {"Gepackt", 70, true}, {"Rate", 50, true}, {"Größe", 70, true},
        {"Typ", 110, false},  {"Geändert", 120, false}, {"Attribute", 60, false}, {"Pfad", 250, false},
    };
    for (const auto& spec : columns) {
        TListColumn* column = ListView1->Columns()->Add();
        column->SetCaption(spec.caption);
        column->SetWidth(spec.width);
        if (spec.right)
            column->SetAlignment(taRightJustify);
    }
    ListView1->OnClick = Bind(this, &TForm8::ListView1Click);
    ListView1->OnColumnClick = Bind(this, &TForm8::ListView1ColumnClick);
    ListView1->OnKeyDown = Bind(this, &TForm8::ListView1KeyDown);
    ListView1->OnDblClick = Bind(this, &TForm8::Open1Click);

    Datei1 = new TPopupMenu(this);
    Datei1->Name = "Datei1";
    ffnen1 = AddMenuEntry(this, Datei1->Items(), "ffnen1", "Öffnen   Strg+O", Bind(this, &TForm8::Open1Click));
    Speichernunter1 = AddMenuEntry(this, Datei1->Items(), "Speichernunter1", "Speichern unter   Strg+S",
                                   Bind(this, &TForm8::Entpacken1Click));
    Schliessen1 =
        AddMenuEntry(this, Datei1->Items(), "Schliessen1", "Schließen    Esc", Bind(this, &TForm8::Schliessen1Click));

    Ansicht1 = new TPopupMenu(this);
    Ansicht1->Name = "Ansicht1";
    Allesmarkieren1 = AddMenuEntry(this, Ansicht1->Items(), "Allesmarkieren1", "Alles markieren   Strg+A",
                                   Bind(this, &TForm8::Allesmarkieren1Click));
    Markierungumkehren1 = AddMenuEntry(this, Ansicht1->Items(), "Markierungumkehren1", "Markierung umkehren   Strg+U",
                                       Bind(this, &TForm8::Markierungumkehren1Click));
    MarkierteDateienalsHTMLexportieren1 =
        AddMenuEntry(this, Ansicht1->Items(), "MarkierteDateienalsHTMLexportieren1", "Markierte Dateien exportieren",
                     Bind(this, &TForm8::MarkierteDateienalsHTMLexportieren1Click));

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->Name = "PopupMenu1";
    Restore1 = AddMenuEntry(this, PopupMenu1->Items(), "Restore1", "Wiederherstellen   Strg+R",
                            Bind(this, &TForm8::Restore1Click));
    Open1 = AddMenuEntry(this, PopupMenu1->Items(), "Open1", "Öffnen", Bind(this, &TForm8::Open1Click));
    Entpacken1 = AddMenuEntry(this, PopupMenu1->Items(), "Entpacken1", "Speichern unter   F12",
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

void TForm8::English()
{
    const char* const captions[backup::browserColumnCount] = {"Name",     "Packed",     "Ratio", "Size",
                                                               "Type",     "Modified",   "Attributes", "Path"};
    for (int i = 0; i < backup::browserColumnCount; ++i)
        ListView1->Columns()->Items(i)->SetCaption(captions[i]);
    Datei1Button->SetCaption("File");
    Ansicht1Button->SetCaption("Edit");
    Restore1->Caption = "Restore   Strg+R";
    Open1->Caption = "Open";
    Entpacken1->Caption = "Save as   F12";
    ffnen1->Caption = "Open   Strg+O";
    Speichernunter1->Caption = "Save as   Strg+S";
    Schliessen1->Caption = "Close    Esc";
    Allesmarkieren1->Caption = "Select All   Strg+A";
    Markierungumkehren1->Caption = "Invert Selection   Strg+U";
    MarkierteDateienalsHTMLexportieren1->Caption = "Export selected files";
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
    if (Form1)
        Form1->RestoreBackupData(*this);
}

void TForm8::Open1Click(TObject*)
{
    BusyGuard busy(*this);
    if (Form1 && ListView1->SelCount() > 0)
        Form1->OpenZippedFile(*this);
}

void TForm8::Entpacken1Click(TObject* sender)
{
    if (!Form1 || ListView1->SelCount() == 0)
        return;
    BusyGuard busy(*this);
    std::string folder;
    Form1->BrowseDirectory(sender, folder);
    if (!folder.empty())
        Form1->ExtractZippedFileToSpecialFolder(*this, folder);
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
    items->BeginUpdate();
    for (int row = 0; row < items->Count(); ++row)
        ListView1->SetSelected(row, !ListView1->IsSelected(row));
    items->EndUpdate();
}

void TForm8::ListView1Click(TObject*)
{
    const int selected = ListView1->SelCount();
    if (selected == 1)
        StatusBar1->Panels()->Items(1)->SetText(CellText(ListView1->Selected(), backup::colModified));
    else if (selected > 1)
        StatusBar1->Panels()->Items(1)->SetText(
            std::to_string(selected) + (Form1 ? language::Text(" Objekte markiert", " Objects selected") : ""));
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
    if (Form1)
        Form1->ExportAsHTML(this, ListView1, "Tidewrack -  Listing backup files");
}

void TForm8::FormClose(TObject*, TCloseAction& action)
{
    if (Form1)
        Form1->WriteForm8Settings(*this);
    closeDeferred_ = busy_ > 0;
    action = closeDeferred_ ? caHide : caFree;
}
