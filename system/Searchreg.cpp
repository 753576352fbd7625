#include "system/Searchreg.h"

#include "common/Language.h"
#include "pageparts/DateColumn.h"
#include "pageparts/MessageText.h"
#include "pageparts/Pictures.h"
#include "pageparts/RegistryLayer.h"
#include "pageparts/WindowLayout.h"
#include "system/RegistryBackup.h"
#include "system/RegistryDelete.h"
#include "system/RegistryEditor.h"
#include "toolkit/Effects.h"
#include "toolkit/MenuEntry.h"
#include "toolkit/UpdateScope.h"

#include <algorithm>
#include <cstdio>

TForm4* Form4 = nullptr;

namespace {

const char* const settingsKey = "Software\\Tidewrack\\Options\\SearchRegSettings";


TPopupMenu* MakeMenu(TComponent* owner, const char* name)
{
    auto* menu = new TPopupMenu(owner);
    menu->Name = name;
    return menu;
}

} // namespace

TForm4::TForm4(TComponent* owner, RegistryScanHost host) : TForm(owner), host_(std::move(host))
{
    using language::Text;
    Name = "Form4";
    SetBorderStyle(bsSizeable);
    SetBounds(300, 233, 737, 440);
    SetCaption(Text("Registrierung nach ungültigen Einträgen durchsuchen", "Scan Registry for junk files"));

    MainMenu1 = new TMainMenu(this);
    MainMenu1->Name = "MainMenu1";
    Registrierung1 = AddMenuEntry(this, MainMenu1, "Registrierung1", Text("Registrierung", "Registry"));
    ffnen1 = AddMenuEntry(this, Registrierung1, "ffnen1", Text("Öffnen", "Open"), Bind(this, &TForm4::ffnen1Click));
    Lschen1 =
        AddMenuEntry(this, Registrierung1, "Lschen1", Text("Löschen", "Delete"), Bind(this, &TForm4::Lschen1Click));
    MarkierteEintrgesichern1 = AddMenuEntry(this, Registrierung1, "MarkierteEintrgesichern1",
                                            Text("Markierte Einträge sichern", "Save selected entries"),
                                            Bind(this, &TForm4::MarkierteEintrgesichern1Click));
    AddMenuEntry(this, Registrierung1, "", "-");
    Schliesen1 = AddMenuEntry(this, Registrierung1, "Schliesen1", Text("Schließen", "Close"),
                              Bind(this, &TForm4::Schliesen1Click));
    Suchen1 = AddMenuEntry(this, MainMenu1, "Suchen1", Text("Suchen", "Search"), Bind(this, &TForm4::Suchen1Click));
    Abbrechen1 =
        AddMenuEntry(this, MainMenu1, "Abbrechen1", Text("Abbrechen", "Cancel"), Bind(this, &TForm4::Abbrechen1Click));
    Abbrechen1->Enabled = false;
    Bearbeiten1 = AddMenuEntry(this, MainMenu1, "Bearbeiten1", Text("Bearbeiten", "Edit"));
    Allesmarkieren1 = AddMenuEntry(this, Bearbeiten1, "Allesmarkieren1", Text("Alles markieren", "Selected all"),
                                   Bind(this, &TForm4::Allesmarkieren1Click));
    Markierungumkehren1 =
        AddMenuEntry(this, Bearbeiten1, "Markierungumkehren1", Text("Markierung umkehren", "Invert selection"),
                     Bind(this, &TForm4::Markierungumkehren1Click));
    AddMenuEntry(this, Bearbeiten1, "", "-");
    MarkierteDateienalsHTMLexportieren1 =
        AddMenuEntry(this, Bearbeiten1, "MarkierteDateienalsHTMLexportieren1", Text("Exportieren", "Export"),
                     Bind(this, &TForm4::MarkierteDateienalsHTMLexportieren1Click));
    Ansicht1 = AddMenuEntry(this, MainMenu1, "Ansicht1", Text("Ansicht", "View"));
    Gitter1 = AddMenuEntry(this, Ansicht1, "Gitter1", Text("Gitternetzlinien", "Grid Lines"),
                           Bind(this, &TForm4::Gitter1Click));
    ganzeZeilemarkieren1 =
        AddMenuEntry(this, Ansicht1, "ganzeZeilemarkieren1", Text("Ganze Zeile markieren", "Row Select"),
                     Bind(this, &TForm4::ganzeZeilemarkieren1Click));
    ganzeZeilemarkieren1->Checked = true;
    ffnen1->ShortCut = "Strg+O";
    Lschen1->ShortCut = Text("Entf", "Del");
    MarkierteEintrgesichern1->ShortCut = "Strg+S";
    Schliesen1->ShortCut = "Esc";
    Allesmarkieren1->ShortCut = "Strg+A";
    Markierungumkehren1->ShortCut = "Strg+U";
    MainMenu1->Rebuild();

    StatusBar1 = new TStatusBar(this);
    StatusBar1->Name = "StatusBar1";
    StatusBar1->SetParent(this);
    StatusBar1->SetAlign(alBottom);
    StatusBar1->Panels()->Add()->SetWidth(400);
    StatusBar1->Panels()->Add()->SetWidth(50);

    ListView1 = new TListView(this);
    ListView1->Name = "ListView1";
    ListView1->SetParent(this);
    ListView1->SetAlign(alClient);
    ListView1->SetViewStyle(vsReport);
    ListView1->SetMultiSelect(true);
    ListView1->SetRowSelect(true);
    ListView1->SetHideSelection(false);
    ListView1->SetSmallImages(host_.pictures);
    const struct {
        const char* germanCaption;
        const char* englishCaption;
        int width;
    } columns[] = {{"Schlüssel", "Key", 180},
                   {"Wert", "Value", 120},
                   {"Daten", "Data", 186},
                   {"Zuletzt geändert", "Last modified", 110},
                   {"Information", "Information", 150}};
    for (const auto& spec : columns) {
        TListColumn* column = ListView1->Columns()->Add();
        column->SetCaption(Text(spec.germanCaption, spec.englishCaption));
        column->SetWidth(spec.width);
    }
    FitColumns();
    ListView1->OnKeyDown = Bind(this, &TForm4::ListView1KeyDown);
    ListView1->OnMouseMove = Bind(this, &TForm4::ListView1MouseMove);
    // The keys the menus name work before the list has the focus too.
    OnKeyDown = Bind(this, &TForm4::ListView1KeyDown);

    PopupMenu1 = MakeMenu(this, "PopupMenu1");
    MarkierteEintrgeausRegistrierungentfernen1 =
        AddMenuEntry(this, PopupMenu1, "MarkierteEintrgeausRegistrierungentfernen1", Text("Löschen", "Delete"),
                     Bind(this, &TForm4::Lschen1Click));
    AddMenuEntry(this, PopupMenu1, "", "-");
    Registrierungdurchsuchen1 =
        AddMenuEntry(this, PopupMenu1, "Registrierungdurchsuchen1", Text("Durchsuchen", "Search reg"),
                     Bind(this, &TForm4::Suchen1Click));
    Sucheabbrechen1 = AddMenuEntry(this, PopupMenu1, "Sucheabbrechen1", Text("Abbrechen", "Cancel"),
                                   Bind(this, &TForm4::Abbrechen1Click));
    Sucheabbrechen1->Enabled = false;
    AddMenuEntry(this, PopupMenu1, "", "-");
    MenuItem2 =
        AddMenuEntry(this, PopupMenu1, "MenuItem2", Text("Markierte Einträge sichern", "Save selected entries"),
                     Bind(this, &TForm4::MarkierteEintrgesichern1Click));
    Registrierungsichern1 =
        AddMenuEntry(this, PopupMenu1, "Registrierungsichern1", Text("Registrierung sichern", "Save Registry"),
                     Bind(this, &TForm4::Registrierungsichern1Click));
    AddMenuEntry(this, PopupMenu1, "", "-");
    MenuItem4 = AddMenuEntry(this, PopupMenu1, "MenuItem4", Text("Öffnen", "Open"), Bind(this, &TForm4::ffnen1Click));
    AddMenuEntry(this, PopupMenu1, "", "-");
    MenuItem5 = AddMenuEntry(this, PopupMenu1, "MenuItem5", Text("Alles markieren", "Select all"),
                             Bind(this, &TForm4::Allesmarkieren1Click));
    MenuItem6 = AddMenuEntry(this, PopupMenu1, "MenuItem6", Text("Markierung umkehren", "Invert selection"),
                             Bind(this, &TForm4::Markierungumkehren1Click));
    AddMenuEntry(this, PopupMenu1, "", "-");
    MarkierteDateienalsHTMLexportieren2 =
        AddMenuEntry(this, PopupMenu1, "MarkierteDateienalsHTMLexportieren2", Text("Exportieren", "Export"),
                     Bind(this, &TForm4::MarkierteDateienalsHTMLexportieren1Click));
    MarkierteEintrgeausRegistrierungentfernen1->ShortCut = Text("Entf", "Del");
    Registrierungdurchsuchen1->ShortCut = "Strg+F";
    Sucheabbrechen1->ShortCut = "Strg+C";
    MenuItem2->ShortCut = "Strg+S";
    Registrierungsichern1->ShortCut = "Strg+R";
    MenuItem4->ShortCut = "Strg+O";
    MenuItem5->ShortCut = "Strg+A";
    MenuItem6->ShortCut = "Strg+U";
    ListView1->SetPopupMenu(PopupMenu1);

    OnClose = Bind(this, &TForm4::FormClose);
    Form4 = this;
}

TForm4::~TForm4()
{
    BeginDestroy();
    if (Form4 == this)
        Form4 = nullptr;
}

void TForm4::FitColumns()
{
    FitDateColumn(*ListView1, 3);
    ListView1->SetLastColumnFills(true);
}

void TForm4::FitKeyColumn()
{
    // The reasons are short and always read whole: the last column is never narrower than
    // the longest one. Keys are long: their column grows to the longest key found, or
    // gives way, as far as the window leaves room beside the other columns and the
    // reasons; where even its caption leaves no room the list scrolls sideways.
    TListColumns& columns = *ListView1->Columns();
    std::vector<std::string> keys, reasons{columns[4]->Caption()};
    for (int i = 0; i < ListView1->Items()->Count(); ++i) {
        TListItem* item = ListView1->Items()->Item(i);
        keys.push_back(item->Caption());
        reasons.push_back(item->SubItems()->Strings(3));
    }
    const int reasonWidth = ListView1->CellWidth(reasons);
    columns[4]->SetMinWidth(reasonWidth);
    RECT client;
    GetClientRect(ListView1->Handle(), &client);
    int room = client.right - reasonWidth;
    for (int i = 1; i < 4; ++i)
        room -= columns[i]->Width();
    const int fits = std::min(std::max(columns[0]->Width(), ListView1->CellWidth(keys)), room);
    columns[0]->SetWidth(std::max(fits, ListView1->CellWidth({columns[0]->Caption()})));
}

void TForm4::ListView1MouseMove(TObject*, TShiftState, int x, int y)
{
    ListView1->SetCursor(ListView1->RowAt(x, y) >= 0 ? crHandPoint : crDefault);
}

regscan::Finding* TForm4::FindingOf(TListItem* item) const
{
    return item ? static_cast<regscan::Finding*>(item->Data()) : nullptr;
}

std::vector<TListItem*> TForm4::SelectedItems() const
{
    std::vector<TListItem*> items;
    for (int row : ListView1->SelectedIndices())
        items.push_back(ListView1->Items()->Item(row));
    return items;
}

void TForm4::SetStatus(const std::string& text) { StatusBar1->Panels()->Items(0)->SetText(text); }

// ---- the scan

void TForm4::ShowScanning(bool scanning)
{
    Abbrechen1->Enabled = scanning;
    Sucheabbrechen1->Enabled = scanning;
    Suchen1->Enabled = !scanning;
    Registrierungdurchsuchen1->Enabled = !scanning;
    MainMenu1->Rebuild();
}

void TForm4::Suchen1Click(TObject*)
{
    if (scanning_)
        return;
    host_.runLongJob([this] {
        scanning_ = true;
        ShowScanning(true);
        {
            const UpdateScope updating(*ListView1->Items());
            ListView1->Items()->Clear();
        }
        findings_.clear();
        InitSuchReg();
        ShowScanning(false);
        if (!CancelFlag)
            ScanRegEntries();
        FitKeyColumn();
        scanning_ = false;
        if (closeDeferred_)
            Release();
    });
}

void TForm4::InitSuchReg()
{
    HourGlass busy;
    CancelFlag = 0;
    targeted_ = false;
    SetStatus(
        language::Text("Registrierung wird durchsucht. Bitte warten ... ", "Scanning registry. Please wait ... "));
    scanner_ = std::make_unique<regscan::Scanner>(host_.settings(), CancelFlag);
    scanner_->OnFinding = [this](const regscan::Finding& finding) { AddFinding(finding); };
    scanner_->OnKeyDone = [] { Application->ProcessMessages(); };
    scanner_->WalkRoots();
    keysWalked_ = scanner_->KeysWalked();
}

void TForm4::ScanRegEntries()
{
    HourGlass busy;
    targeted_ = true;
    if (!scanner_)
        scanner_ = std::make_unique<regscan::Scanner>(host_.settings(), CancelFlag);
    scanner_->OnFinding = [this](const regscan::Finding& finding) { AddFinding(finding); };
    scanner_->ScanRegEntries();
    const std::string count = std::to_string(ListView1->Items()->Count());
    SetStatus(language::Text("Suche beendet : " + count + " möglicherweise ungültige Einträge gefunden",
                             "Scanning ended : " + count + " possible invalid items found"));
}

void TForm4::AddFinding(const regscan::Finding& finding)
{
    findings_.push_back(std::make_unique<regscan::Finding>(finding));
    TListItem* item = ListView1->Items()->Add();
    item->SetCaption(finding.keyText);
    item->SubItems()->Add(finding.valueName);
    item->SubItems()->Add(finding.data);
    item->SubItems()->Add(finding.modified);
    item->SubItems()->Add(finding.reason);
    item->SetImageIndex(finding.isKey ? pictures::registryKeyPicture : pictures::registryValuePicture);
    item->SetData(findings_.back().get());
    const std::string count = std::to_string(ListView1->Items()->Count());
    if (targeted_)
        SetStatus(language::Text("Registrierung wird durchsucht  : " + count + " Einträge gefunden ...",
                                 "Scanning Registry  : " + count + " Items found ..."));
    else
        SetStatus(language::Text("Registrierung durchsuchen : " + count + " Einträge gefunden ...",
                                 "Scan Registry : " + count + " Items found ..."));
}

void TForm4::Abbrechen1Click(TObject*)
{
    CancelFlag = 1;
    Application->ProcessMessages();
}

// ---- commands on the findings

void TForm4::Lschen1Click(TObject*)
{
    if (ListView1->SelCount() == 0)
        return;
    if (effects::ShowMessageBox(
            nullptr,
            language::Text("Wollen Sie die markierten Einträge wirklich aus der Registrierung löschen?\n\n"
                           "Vor dem Löschen sollten Sie die Registrierung sichern\n",
                           "Do you really want to delete the selected entries from your registry?\n\n"
                           "Before deleting you should make a backup of your registry\n"),
            "Tidewrack", MB_ICONEXCLAMATION | MB_YESNO | MB_SYSTEMMODAL) != IDYES)
        return;
    std::vector<std::string> failed, changed, returned;
    std::vector<TListItem*> selected = SelectedItems();
    {
        const UpdateScope updating(*ListView1->Items());
        for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
            regscan::Finding* finding = FindingOf(*it);
            if (!finding)
                continue;
            const std::string name = finding->isKey ? finding->keyText : finding->keyText + " : " + finding->valueName;
            switch (regdelete::RemoveFinding(*finding)) {
            case regdelete::Removal::Failed:
                failed.push_back(name);
                continue;
            case regdelete::Removal::Changed:
                changed.push_back(name);
                break;
            case regdelete::Removal::Returned:
                returned.push_back(name);
                break;
            case regdelete::Removal::Deleted:
            case regdelete::Removal::Gone:
                break;
            }
            (*it)->Delete();
        }
    }
    if (!changed.empty())
        effects::ShowMessageBox(
            nullptr,
            language::Text("Diese Einträge wurden nicht gelöscht, weil sie sich seit der Suche geändert haben:\n",
                           "These entries were not deleted because they have changed since the scan:\n") +
                JoinLines(changed, 20),
            "Tidewrack", MB_ICONINFORMATION | MB_OK | MB_SYSTEMMODAL);
    if (!returned.empty())
        effects::ShowMessageBox(
            nullptr,
            language::Text("Diese Einträge wurden nicht gelöscht, weil ihre Datei oder ihr Ordner "
                           "wieder existiert:\n",
                           "These entries were not deleted because their file or folder exists again:\n") +
                JoinLines(returned, 20),
            "Tidewrack", MB_ICONINFORMATION | MB_OK | MB_SYSTEMMODAL);
    if (!failed.empty())
        effects::ShowMessageBox(
            nullptr,
            language::Text("Diese Einträge konnten nicht gelöscht werden:\n", "These entries could not be deleted:\n") +
                JoinLines(failed, 20),
            "Tidewrack", MB_ICONEXCLAMATION | MB_OK | MB_SYSTEMMODAL);
}

void TForm4::ffnen1Click(TObject*)
{
    regscan::Finding* finding = FindingOf(ListView1->Selected());
    if (!finding)
        return;
    const KeyText key = SplitKeyText(finding->keyText);
    if (key.root)
        regedit::OpenAt(regedit::LastKeyWithRootNode(*key.root, key.path), nullptr, true);
}

void TForm4::MarkierteEintrgesichern1Click(TObject*)
{
    const std::vector<TListItem*> selected = SelectedItems();
    if (selected.empty()) {
        effects::ShowMessageBox(Application->Handle(),
                                language::Text("Keine Einträge markiert !", "No Items Selected !"),
                                language::Text("Hinweis  ", "Hint  "), MB_ICONEXCLAMATION | MB_OK | MB_SYSTEMMODAL);
        return;
    }
    // A finding gone since the scan has nothing to back up and nothing to delete: its row goes.
    std::vector<regscan::Finding> findings;
    {
        const UpdateScope updating(*ListView1->Items());
        for (auto it = selected.rbegin(); it != selected.rend(); ++it)
            if (regscan::Finding* finding = FindingOf(*it)) {
                if (regscan::EntryExists(*finding))
                    findings.insert(findings.begin(), *finding);
                else
                    (*it)->Delete();
            }
    }
    if (findings.empty())
        return;
    regbackup::SaveAs(Handle(), language::German(), findings);
}

void TForm4::Registrierungsichern1Click(TObject*)
{
    const char* tool = host_.osLevel == 0 ? "scanregw.EXE" : "NTBACKUP.EXE";
    if (effects::ShellOpen(GetForegroundWindow(), "open", tool, "", "", SW_SHOW) <= 32)
        effects::ShowMessageBox(
            Application->Handle(),
            language::Text("Das Sicherungsprogramm der Registrierung konnte nicht gestartet werden: ",
                           "The registry backup tool could not be started: ") +
                std::string(tool),
            "Tidewrack", MB_ICONEXCLAMATION | MB_OK | MB_SYSTEMMODAL);
}

void TForm4::Allesmarkieren1Click(TObject*) { ListView1->SelectAll(); }

void TForm4::Markierungumkehren1Click(TObject*)
{
    for (int i = 0; i < ListView1->Items()->Count(); ++i)
        ListView1->SetSelected(i, !ListView1->IsSelected(i));
}

void TForm4::MarkierteDateienalsHTMLexportieren1Click(TObject*)
{
    host_.exportList(*ListView1, language::Text("Tidewrack -  Registrierungseinträge auflisten",
                                                "Tidewrack -  Listing registry entries"));
}

void TForm4::Gitter1Click(TObject*)
{
    Gitter1->Checked = !Gitter1->Checked;
    ListView1->SetGridLines(Gitter1->Checked);
    ListView1->Invalidate();
}

void TForm4::ganzeZeilemarkieren1Click(TObject*)
{
    ganzeZeilemarkieren1->Checked = !ganzeZeilemarkieren1->Checked;
    ListView1->SetRowSelect(ganzeZeilemarkieren1->Checked);
    ListView1->Invalidate();
}

void TForm4::Schliesen1Click(TObject*) { Close(); }

void TForm4::ListView1KeyDown(TObject* sender, WORD& key, TShiftState shift)
{
    const bool ctrl = (shift & ssCtrl) != 0;
    const bool selection = ListView1->SelCount() > 0;
    if (key == VK_ESCAPE)
        Schliesen1Click(sender);
    else if (ctrl && key == 'U')
        Markierungumkehren1Click(sender);
    else if (ctrl && key == 'A')
        Allesmarkieren1Click(sender);
    else if (ctrl && key == 'O' && selection)
        ffnen1Click(sender);
    else if (ctrl && key == 'S' && selection)
        MarkierteEintrgesichern1Click(sender);
    else if (ctrl && key == 'F')
        Suchen1Click(sender);
    else if (ctrl && key == 'C')
        Abbrechen1Click(sender);
    else if (key == VK_DELETE && selection)
        Lschen1Click(sender);
}

void TForm4::FormClose(TObject* sender, TCloseAction& action)
{
    Abbrechen1Click(sender);
    WriteSettings();
    if (scanning_) {
        // The scan is still on the stack below this message: it frees the window when it
        // has returned.
        closeDeferred_ = true;
        action = caHide;
    } else {
        action = caFree;
    }
}

// ---- settings

void TForm4::ReadSettings()
{
    TRegistry registry;
    auto flag = [&registry](const char* name) -> std::optional<int> {
        return registry.OpenKeyReadOnly(settingsKey) ? registry_layer::StoredInteger(registry.ReadString(name).value_or(""))
                                                     : std::nullopt;
    };
    if (std::optional<int> grid = flag("gridlines")) {
        Gitter1->Checked = *grid != 0;
        ListView1->SetGridLines(Gitter1->Checked);
    }
    if (std::optional<int> rowSelect = flag("rowselect")) {
        ganzeZeilemarkieren1->Checked = *rowSelect != 0;
        ListView1->SetRowSelect(ganzeZeilemarkieren1->Checked);
    }
    registry.CloseKey();
    const window_layout::StoredLayout stored = window_layout::ReadLayout(registry, settingsKey, "columnswidth");
    const window_layout::WindowRect current = window_layout::RectOf(*this);
    window_layout::ApplyRect(*this, window_layout::EachValueRect(stored, current, current));
    if (stored.columns)
        window_layout::ApplyColumnWidths(*ListView1, *stored.columns);
}

void TForm4::WriteSettings()
{
    const window_layout::WindowRect rect = window_layout::RectOf(*this);
    const struct {
        const char* name;
        std::string data;
    } values[] = {
        {"left", std::to_string(rect.left)},
        {"top", std::to_string(rect.top)},
        {"width", std::to_string(rect.width)},
        {"height", std::to_string(rect.height)},
        {"gridlines", Gitter1->Checked ? "1" : "0"},
        {"rowselect", ganzeZeilemarkieren1->Checked ? "1" : "0"},
        {"columnswidth", window_layout::ColumnWidthsText(window_layout::ColumnWidthsOf(*ListView1))},
    };
    TRegistry registry;
    for (const auto& value : values)
        registry_layer::WriteReg(registry, rootCurrentUser, settingsKey, value.name, value.data, "s");
}
