// The uninstall page: the programs registered for removal; runs a program's uninstaller,
// opens the system's software panel, or deletes only the registration. The panels follow
// the selection, by mouse or keyboard, and every command acts on the record they show.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "pageparts/PageParts.h"
#include "system/RegistryDelete.h"
#include "system/RegistryPages.h"
#include "common/RegistryValues.h"
#include "toolkit/Button.h"
#include "toolkit/Effects.h"
#include "toolkit/Panel.h"
#include "toolkit/Place.h"
#include "toolkit/UpdateScope.h"

namespace {

const char* const uninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

TForm1::UninstallEntry* EntryOf(TListItem* item)
{
    return item ? static_cast<TForm1::UninstallEntry*>(item->Data()) : nullptr;
}

TPanel* MakePanel(TForm1& form, TWinControl* page, const char* name, int top)
{
    auto* panel = new TPanel(&form);
    panel->Name = name;
    panel->SetParent(page);
    panel->SetBounds(16, top, 450, 22);
    // A read-only field: sunk and white like the list above it, even while empty.
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clWindow);
    SetWindowLongA(panel->Handle(), GWL_EXSTYLE, GetWindowLongA(panel->Handle(), GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(panel->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return panel;
}

} // namespace

void registry_pages::BuildUninstallPage(TForm1& form)
{
    TTabSheet* page = form.TabSheets[20];
    page_parts::MakePageTitle(&form, page, "UninstallPageTitle");
    form.ListView15 = PlaceRowList(&form, page, "ListView15", 16, 40, 450, 176);
    form.ListView15->Columns()->Add()->SetWidth(425);
    form.ListView15->SetMultiSelect(false);
    form.ListView15->OnSelectionChange = Bind(&form, &TForm1::ListView15Click);
    form.Panel5 = MakePanel(form, page, "Panel5", 222);
    form.Panel4 = MakePanel(form, page, "Panel4", 248);
    form.Button4 = new TButton(&form);
    form.Button4->Name = "Button4";
    form.Button4->SetParent(page);
    form.Button4->SetBounds(366, 276, 100, 25);
    form.Button4->OnClick = Bind(&form, &TForm1::Button4Click);
    form.Label79 = page_parts::MakePageLink(&form, page, "Label79", 16, 280, 200);
    form.Label79->OnClick = Bind(&form, &TForm1::Label79Click);
    form.Label80 = page_parts::MakePageLink(&form, page, "Label80", 16, 300, 200);
    form.Label80->OnClick = Bind(&form, &TForm1::Label80Click);
}

void TForm1::CaptionUninstallPage()
{
    if (auto* title = dynamic_cast<TLabel*>(FindComponent("UninstallPageTitle")))
        title->SetCaption(
            language::Text("Zur Deinstallation eingetragene Programme", "Programs registered for removal"));
    ListView15->Columns()->Items(0)->SetCaption(language::Text("Programm", "Program"));
    Button4->SetCaption(language::Text("Deinstallieren", "Uninstall"));
    Label79->SetCaption(language::Text("Windows Software", "Windows software"));
    Label80->SetCaption(language::Text("Nur den Eintrag löschen", "Delete entry only"));
}

void TForm1::GetUninstallProgramms()
{
    const UpdateScope updating(*ListView15->Items());
    ListView15->Items()->Clear();
    UninstallEntries.clear();
    RegistryKey uninstall(HKEY_LOCAL_MACHINE, uninstallKey);
    for (const std::string& name : uninstall ? regvalues::SubkeyNames(uninstall.Get()) : std::vector<std::string>()) {
        RegistryKey program(uninstall.Get(), name);
        std::optional<std::string> displayName = regvalues::ReadStringValue(program.Get(), "DisplayName");
        if (!displayName)
            continue;
        UninstallEntries.push_back(std::make_unique<UninstallEntry>(
            UninstallEntry{name, *displayName, regvalues::ReadStringValue(program.Get(), "UninstallString").value_or("")}));
        TListItem* item = ListView15->Items()->Add();
        item->SetCaption(*displayName);
        item->SetData(UninstallEntries.back().get());
    }
    ListView15Click(nullptr);
}

void TForm1::ListView15Click(TObject*)
{
    ShownUninstallEntry = EntryOf(ListView15->Selected());
    Panel5->SetCaption(ShownUninstallEntry ? ShownUninstallEntry->displayName : "");
    Panel4->SetCaption(ShownUninstallEntry ? ShownUninstallEntry->command : "");
}

void TForm1::Button4Click(TObject*)
{
    const UninstallEntry* entry = ShownUninstallEntry;
    if (!entry)
        return;
    if (entry->command.empty() || !effects::StartProcess(entry->command, "", true, nullptr))
        effects::ShowMessageBox(Handle(),
                                language::Text("Das Deinstallationsprogramm konnte nicht gestartet werden.",
                                               "The uninstall program could not be started."),
                                "Tidewrack", MB_ICONEXCLAMATION | MB_OK);
    GetUninstallProgramms();
}

void TForm1::Label79Click(TObject*)
{
    effects::ShellOpen(GetForegroundWindow(), "open", "rundll32", "shell32.dll,Control_RunDLL appwiz.cpl,,0");
}

void TForm1::Label80Click(TObject*)
{
    const UninstallEntry* entry = ShownUninstallEntry;
    if (!entry)
        return;
    if (effects::ShowMessageBox(
            Application->Handle(),
            language::Text("Nur den Registrierungseintrag löschen, das Programm nicht deinstallieren !\n\n"
                           "Fortfahren?",
                           "Delete only Registry Value, not uninstall the program !\n\nContinue?"),
            "Tidewrack", MB_ICONQUESTION | MB_YESNO | MB_SYSTEMMODAL) != IDYES)
        return;
    const std::string path = std::string(uninstallKey) + "\\" + entry->subkey;
    const char* failure = nullptr;
    if (entry->subkey.empty() || !RegistryKey(HKEY_LOCAL_MACHINE, path))
        failure = language::Text("Der Schlüssel wurde nicht gefunden:\n", "The key was not found:\n");
    else if (!regdelete::DeleteKeyTree(HKEY_LOCAL_MACHINE, path))
        failure = language::Text("Der Schlüssel konnte nicht gelöscht werden:\n", "The key could not be deleted:\n");
    if (failure)
        effects::ShowMessageBox(Application->Handle(), failure + std::string("HKEY_LOCAL_MACHINE\\") + path,
                                "Hinweis  ", MB_ICONEXCLAMATION | MB_OK | MB_SYSTEMMODAL);
    GetUninstallProgramms();
}
