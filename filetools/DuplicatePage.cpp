// The duplicate search page: its locations (the list is built with the scan's), the
// criterion, the file filter, the byte limit, and "Scan for duplicate files now", which
// hands the search to a second start of the program. Its options live under
// ScanDoubleSettings.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "common/PathFacts.h"
#include "filetools/DuplicateModeOn.h"
#include "common/OptionsKeys.h"
#include "pageparts/PageParts.h"
#include "pageparts/RegistryLayer.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Effects.h"
#include "toolkit/ListView.h"
#include "toolkit/RadioButton.h"

namespace {

namespace keys = options::scanDoubleSettings;

TRadioButton* MakeRadio(TForm1& form, TWinControl* page, const char* name, int left, int top, int width)
{
    auto* button = new TRadioButton(&form);
    button->Name = name;
    button->SetParent(page);
    button->SetBounds(left, top, width, 20);
    return button;
}

} // namespace

void TForm1::BuildDuplicatePage()
{
    TTabSheet* page = TabSheets[15];
    page_parts::MakePageTitle(this, page, "DuplicatePageTitle");

    ListView17->SetBounds(16, 40, 450, 120);
    PopupMenu17 = new TPopupMenu(this);
    PopupMenu17->Name = "PopupMenu17";
    Allesauswhlen1 = page_parts::MakeMenuEntry(PopupMenu17, "Allesauswhlen1", Bind(this, &TForm1::Allesauswhlen1Click));
    Markierungumkehren3 =
        page_parts::MakeMenuEntry(PopupMenu17, "Markierungumkehren3", Bind(this, &TForm1::Markierungumkehren3Click));
    ListView17->SetPopupMenu(PopupMenu17);
    Label85 = page_parts::MakePageLink(this, page, "Label85", 16, 164, 120);
    Label85->OnClick = Bind(this, &TForm1::Label85Click);
    Label89 = page_parts::MakePageLink(this, page, "Label89", 160, 164, 120);
    Label89->OnClick = Bind(this, &TForm1::Label89Click);

    RadioButton1 = MakeRadio(*this, page, "RadioButton1", 16, 188, 220);
    RadioButton2 = MakeRadio(*this, page, "RadioButton2", 16, 210, 220);
    RadioButton11 = MakeRadio(*this, page, "RadioButton11", 246, 188, 220);
    RadioButton14 = MakeRadio(*this, page, "RadioButton14", 246, 210, 220);
    RadioButton1->SetChecked(true);
    RadioButton1->OnClick = Bind(this, &TForm1::RadioButton1Click);
    RadioButton2->OnClick = Bind(this, &TForm1::RadioButton2Click);
    RadioButton11->OnClick = Bind(this, &TForm1::RadioButton11Click);
    RadioButton14->OnClick = Bind(this, &TForm1::RadioButton14Click);

    CheckBox2 = new TCheckBox(this);
    CheckBox2->Name = "CheckBox2";
    CheckBox2->SetParent(page);
    CheckBox2->SetBounds(16, 236, 226, 20);
    CSpinEdit4 = new TCSpinEdit(this);
    CSpinEdit4->Name = "CSpinEdit4";
    CSpinEdit4->SetParent(page);
    CSpinEdit4->SetBounds(246, 234, 100, 22);
    CSpinEdit4->SetMinValue(1);
    CSpinEdit4->SetMaxValue(2147483647);
    CSpinEdit4->SetValue(20000);

    // The scope: the two radio buttons sit on a panel of their own, so that they do not
    // take part in the criterion's group.
    auto* scope = new TPanel(this);
    scope->Name = "DuplicateScopePanel";
    scope->SetParent(page);
    scope->SetBevelOuter(bvNone);
    scope->SetColor(clWhite);
    scope->SetBounds(16, 260, 450, 46);
    RadioButton9 = MakeRadio(*this, scope, "RadioButton9", 0, 2, 220);
    RadioButton10 = MakeRadio(*this, scope, "RadioButton10", 0, 24, 220);
    RadioButton9->SetChecked(true);
    Edit1 = new TEdit(this);
    Edit1->Name = "Edit1";
    Edit1->SetParent(scope);
    Edit1->SetBounds(230, 22, 200, 21);

    Label62 = page_parts::MakePageLink(this, page, "Label62", 16, 314, 300, 0x8000);
    Label62->Font()->SetStyle(fsBold);
    Label62->OnClick = Bind(this, &TForm1::Label62Click);
}

void TForm1::CaptionDuplicatePage()
{
    if (auto* title = dynamic_cast<TLabel*>(FindComponent("DuplicatePageTitle")))
        title->SetCaption(language::Text("Doppelte Dateien suchen in", "Search duplicate files in"));
    Label85->SetCaption(language::Text("Hinzufügen", "Add"));
    Label89->SetCaption(language::Text("Entfernen", "Remove"));
    Allesauswhlen1->Caption = language::Text("Alle auswählen", "Select all");
    Markierungumkehren3->Caption = language::Text("Auswahl umkehren", "Invert selection");
    RadioButton1->SetCaption(language::Text("Inhalt vergleichen", "Compare bytes"));
    RadioButton2->SetCaption(language::Text("Nach Namen vergleichen", "Compare by name"));
    RadioButton11->SetCaption(language::Text("Nach Größe vergleichen", "Compare by size"));
    RadioButton14->SetCaption(language::Text("Nach Datum vergleichen", "Compare by date"));
    CheckBox2->SetCaption(language::Text("Nur die ersten Bytes vergleichen:", "Compare only the first bytes:"));
    RadioButton9->SetCaption(language::Text("Alle Dateien", "All files"));
    RadioButton10->SetCaption(language::Text("Nur diese Dateiendungen:", "Only these file endings:"));
    Label62->SetCaption(language::Text("Jetzt nach doppelten Dateien suchen", "Scan for duplicate files now"));
    RadioButton1Click(nullptr);
}

// Step 8 of the start: the options as the page was left.
void TForm1::GetDuplicateSearchOptions()
{
    Registry->RootKey = HKEY_CURRENT_USER;
    KeyOpened = Registry->OpenKeyReadOnly(keys::Key);
    if (KeyOpened) {
        auto text = [this](const char* name) { return Registry->ReadString(name).value_or(std::string()); };
        Edit1->SetText(text(keys::DoubleSearchText));
        if (text(keys::DoubleSearchScan) == "0")
            RadioButton10->SetChecked(true);
        if (text(keys::ScanByte) == "1")
            RadioButton1->SetChecked(true);
        if (text(keys::ScanDate) == "1")
            RadioButton14->SetChecked(true);
        if (text(keys::ScanSize) == "1")
            RadioButton11->SetChecked(true);
        if (text(keys::ScanName) == "1")
            RadioButton2->SetChecked(true);
        CheckBox2->SetChecked(text(keys::ScanParts) != "0");
        if (auto bytes = registry_layer::StoredInteger(text(keys::DoubleSearchScanBytes)))
            CSpinEdit4->SetValue(*bytes);
    }
    Registry->CloseKey();
    CompareContent = RadioButton1->Checked();
    CompareName = RadioButton2->Checked();
    CompareSize = RadioButton11->Checked();
    CaptionDuplicatePage();
}

void TForm1::SaveDuplicateSearchOptions()
{
    auto flag = [this](const char* name, bool value) {
        WriteReg(rootCurrentUser, keys::Key, name, registry_layer::ByteToText(value ? 1 : 0), "s");
    };
    flag(keys::ScanParts, CheckBox2->Checked());
    WriteReg(rootCurrentUser, keys::Key, keys::DoubleSearchText, Edit1->Text(), "s");
    flag(keys::DoubleSearchScan, RadioButton9->Checked());
    WriteReg(rootCurrentUser, keys::Key, keys::DoubleSearchScanBytes, std::to_string(CSpinEdit4->Value()), "s");
    flag(keys::ScanByte, RadioButton1->Checked());
    flag(keys::ScanDate, RadioButton14->Checked());
    flag(keys::ScanSize, RadioButton11->Checked());
    flag(keys::ScanName, RadioButton2->Checked());
}

// The search runs in a second start of the program, which reads what this one saves now.
void TForm1::Label62Click(TObject*)
{
    SaveDuplicateSearchOptions();
    SaveScreenSettings();
    std::string program = common::OwnExecutable();
    std::string folder = program.substr(0, program.find_last_of('\\'));
    if (!effects::StartProcess("\"" + program + "\" /duplicate/", folder)) {
        effects::ShowMessageBox(
            Handle(),
            language::Text("Die Suche konnte nicht gestartet werden: ", "The search could not be started: ") + program,
            language::Text("Fehler", "Error"), MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
        return;
    }
    Close();
}

void TForm1::Label85Click(TObject* sender)
{
    std::string path;
    BrowseDirectory(sender, path);
    if (path.empty())
        return;
    DuplicateModeOn duplicates(DuplicateMode);
    FindPidlShellFolder(path, true);
}

void TForm1::Label89Click(TObject* sender)
{
    WORD key = VK_DELETE;
    ListView1KeyDown(ListView17, key, TShiftState());
}

void TForm1::Allesauswhlen1Click(TObject*)
{
    for (int row = 0; row < ListView17->Items()->Count(); ++row)
        ListView17->Items()->Item(row)->SetChecked(true);
}

void TForm1::Markierungumkehren3Click(TObject*)
{
    for (int row = 0; row < ListView17->Items()->Count(); ++row) {
        TListItem* item = ListView17->Items()->Item(row);
        item->SetChecked(!item->Checked());
    }
}

// The byte limit belongs to the content comparison only.
void TForm1::RadioButton1Click(TObject*)
{
    bool content = RadioButton1->Checked();
    CheckBox2->SetEnabled(content);
    CSpinEdit4->SetEnabled(content);
}

void TForm1::RadioButton2Click(TObject* sender) { RadioButton1Click(sender); }
void TForm1::RadioButton11Click(TObject* sender) { RadioButton1Click(sender); }
void TForm1::RadioButton14Click(TObject* sender) { RadioButton1Click(sender); }
