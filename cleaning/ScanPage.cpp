// The scan options page: what the scan does with the files it finds (ScanMode), the day
// limit and the name it searches for, and "Scan now", which hands the scan to a second
// start of the program. Also the captions of the four scan pages.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "common/PathFacts.h"
#include "pageparts/PageParts.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/Edit.h"
#include "toolkit/Effects.h"
#include "toolkit/RadioButton.h"

namespace {

// The scan modes' buttons in ScanMode order, with their German and English captions.
struct ScanModeButton {
    const char* name;
    const char* german;
    const char* english;
};
const ScanModeButton scanModeButtons[8] = {
    {"RadioButton3", "Gefundene Dateien nach der Suche auflisten", "List found files after scan"},
    {"RadioButton4", "In den Papierkorb löschen ohne Rückfrage", "Delete to RecycleBin without acknowledgement"},
    {"RadioButton5", "In den Papierkorb löschen mit Rückfrage", "Delete to RecycleBin with acknowledgement"},
    {"RadioButton6", "Löschen mit Rückfrage", "Delete with acknowledgement"},
    {"RadioButton7", "Sofort löschen ohne Rückfrage", "Delete immediately without acknowledgement"},
    {"RadioButton8", "Nur nach 0-Byte-Dateien suchen", "Scan only for 0-Byte files"},
    {"RadioButton15", "Nach Dateien suchen, älter als", "Scan for files older tham"},
    {"RadioButton16", "Nach Dateinamen suchen", "Scan for filename"},
};

const TColor scanNowColor = 0x8000; // green

void SetCaptionOf(TForm1& form, const char* name, const char* german, const char* english)
{
    if (auto* control = dynamic_cast<TControl*>(form.FindComponent(name)))
        control->SetCaption(language::Text(german, english));
}

} // namespace

void TForm1::BuildCleaningPages()
{
    BuildLocationsPage();
    BuildMaskPage();
    BuildExcludePage();
    BuildScanPage();
}

void TForm1::BuildScanPage()
{
    TTabSheet* page = TabSheets[7];
    page_parts::MakePageTitle(this, page, "ScanPageTitle");

    for (int mode = 0; mode < 8; ++mode) {
        auto* button = new TRadioButton(this);
        button->Name = scanModeButtons[mode].name;
        button->SetParent(page);
        button->SetBounds(16, 40 + 24 * mode, 290, 20);
        ScanModeButtons[mode] = button;
    }
    ScanModeButtons[0]->SetChecked(true);

    CSpinEdit2 = new TCSpinEdit(this);
    CSpinEdit2->Name = "CSpinEdit2";
    CSpinEdit2->SetParent(page);
    CSpinEdit2->SetBounds(310, 40 + 24 * 6, 64, 22);
    CSpinEdit2->SetMinValue(0);
    CSpinEdit2->SetMaxValue(36500);
    CSpinEdit2->SetValue(30);
    auto* days = new TLabel(this);
    days->Name = "ScanDaysLabel";
    days->SetParent(page);
    days->SetTransparent(true);
    days->SetBounds(380, 43 + 24 * 6, 60, 16);

    Edit2 = new TEdit(this);
    Edit2->Name = "Edit2";
    Edit2->SetParent(page);
    Edit2->SetBounds(310, 40 + 24 * 7, 150, 21);

    Panel1 = new TPanel(this);
    Panel1->Name = "Panel1";
    Panel1->SetParent(page);
    Panel1->SetBounds(16, 248, 150, 32);
    Panel1->SetBevelOuter(bvRaised);
    Label11 = page_parts::MakePageLink(this, Panel1, "Label11", 8, 8, 134, scanNowColor);
    // The link was sized to its still empty caption; it spans the panel's face instead.
    Label11->SetAutoSize(false);
    Label11->SetBounds(8, 8, 134, 16);
    Label11->SetAlignment(taCenter);
    Label11->Font()->SetStyle(fsBold);
    Label11->OnClick = Bind(this, &TForm1::Image102Click);
    Label11->OnMouseDown = Bind(this, &TForm1::Image102MouseDown);
}

void TForm1::ShowScanPages()
{
    SetCaptionOf(*this, "LocationsPageTitle", "Zu durchsuchende Laufwerke und Ordner", "Drives and folders to search");
    SetCaptionOf(*this, "MaskPageTitle", "Gesuchte Dateiendungen", "File endings to search for");
    SetCaptionOf(*this, "ExcludePageTitle", "Diese Ordner werden nicht durchsucht", "These folders are not searched");
    SetCaptionOf(*this, "ScanPageTitle", "Was soll mit den gefundenen Dateien geschehen?",
                 "What shall happen to the files found?");
    SetCaptionOf(*this, "ScanDaysLabel", "Tagen", "days");
    for (TLabel* add : {Label24, Label19, Label16})
        add->SetCaption(language::Text("Hinzufügen", "Add"));
    for (TLabel* remove : {Label25, Label18, Label17})
        remove->SetCaption(language::Text("Entfernen", "Remove"));
    Hinzufgen1->Caption = language::Text("Hinzufügen", "Add");
    Entfernen1->Caption = language::Text("Entfernen", "Remove");
    AusnahmenHinzufgen1->Caption = language::Text("Ausnahme hinzufügen", "Add exception");
    for (TMenuItem* all : {Allemarkieren1, Alleauswhlen1})
        all->Caption = language::Text("Alle auswählen", "Select all");
    for (TMenuItem* invert : {Markierungumdrehen2, Auswahlumkehren1})
        invert->Caption = language::Text("Auswahl umkehren", "Invert selection");
    for (int mode = 0; mode < 8; ++mode)
        ScanModeButtons[mode]->SetCaption(language::Text(scanModeButtons[mode].german, scanModeButtons[mode].english));
    Label11->SetCaption(language::Text("Jetzt suchen", "Scan now"));

    ScanModeButtons[ScanMode >= 0 && ScanMode <= 7 ? ScanMode : 0]->SetChecked(true);
    if (OlderThanDays > 0)
        CSpinEdit2->SetValue(OlderThanDays);
    Edit2->SetText(SearchName);
}

void TForm1::TakeScanOptions()
{
    for (int mode = 0; mode < 8; ++mode)
        if (ScanModeButtons[mode]->Checked()) {
            ScanMode = mode;
            break;
        }
    OlderThanDays = CSpinEdit2->Value();
    SearchName = Edit2->Text();
}

void TForm1::SaveScanSettings()
{
    SaveScreenSettings();
    WriteFileEnding();
    WriteRegExcludeDirs();
    WriteActionOptions();
}

// The scan runs in a second start of the program, which reads what this one saves now;
// this window then closes (and saves the same again).
void TForm1::Image102Click(TObject*)
{
    Panel1->SetBevelOuter(bvRaised);
    TakeScanOptions();
    if (ScanMode == 7 && SearchName.empty()) {
        effects::ShowMessageBox(Handle(), language::Text("Der Suchtext ist leer", "Searchtext is empty"), "Tidewrack",
                                MB_OK | MB_ICONINFORMATION | MB_TOPMOST | MB_TASKMODAL | MB_SYSTEMMODAL);
        return;
    }
    StartScanProcess("");
}

void TForm1::StartScanProcess(const std::string& extraArguments)
{
    SaveScanSettings();
    std::string program = common::OwnExecutable();
    std::string folder = program.substr(0, program.find_last_of('\\'));
    if (!effects::StartProcess("\"" + program + "\" /scan" + extraArguments, folder)) {
        effects::ShowMessageBox(
            Handle(),
            language::Text("Die Suche konnte nicht gestartet werden: ", "The scan could not be started: ") + program,
            language::Text("Fehler", "Error"), MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
        return;
    }
    Close();
}

void TForm1::Image102MouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    Panel1->SetBevelOuter(bvLowered);
    Application->ProcessMessages();
}
