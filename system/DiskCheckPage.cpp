// The disk-check page: the fixed drives with check boxes, the four switches, "Check Now"
// (each checked drive in turn in the progress window, then the summary), and the
// boot-time check of a drive that is in use.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "common/OptionsKeys.h"
#include "system/BootExecute.h"
#include "system/Chkdskanimation.h"
#include "system/DrivePictures.h"
#include "system/Zusammenfassungchkdsk.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Effects.h"
#include "toolkit/ListView.h"
#include "toolkit/UpdateScope.h"

namespace {

TCheckBox* MakeSwitchBox(TForm1* form, const char* name, int top)
{
    auto* box = new TCheckBox(form);
    box->Name = name;
    box->SetParent(form->TabSheets[2]);
    box->SetBounds(16, top, 300, 18);
    return box;
}

// Brings the main window back when a check run ends, however it ends.
class MainWindowBack {
public:
    explicit MainWindowBack(TForm1* form) : form_(form) {}
    ~MainWindowBack() { form_->Show(); }
    MainWindowBack(const MainWindowBack&) = delete;
    MainWindowBack& operator=(const MainWindowBack&) = delete;

private:
    TForm1* form_;
};

} // namespace

void TForm1::BuildDiskCheckPage()
{
    TTabSheet* page = TabSheets[2];
    ListView6 = new TListView(this);
    ListView6->Name = "ListView6";
    ListView6->SetParent(page);
    ListView6->SetBounds(16, 14, 430, 170);
    ListView6->SetCheckboxes(true);
    ListView6->SetRowSelect(true);
    for (int width : {180, 140, 90})
        ListView6->Columns()->Add()->SetWidth(width);
    ListView6->SetSmallImages(drive_pictures::MakeImages(this, "DiskCheckDriveImages"));

    CheckBox6 = MakeSwitchBox(this, "CheckBox6", 194);
    CheckBox7 = MakeSwitchBox(this, "CheckBox7", 214);
    CheckBox8 = MakeSwitchBox(this, "CheckBox8", 234);
    CheckBox9 = MakeSwitchBox(this, "CheckBox9", 254);
    Label31 = new TLabel(this);
    Label31->Name = "Label31";
    Label31->SetParent(page);
    Label31->SetTransparent(true);
    Label31->SetBounds(320, 236, 200, 16);

    Button5 = new TButton(this);
    Button5->Name = "Button5";
    Button5->SetParent(page);
    Button5->SetBounds(16, 284, 120, 25);
    Button5->OnClick = Bind(this, &TForm1::Button5Click);
}

void TForm1::InitCHKDSKDrives()
{
    CheckBox6->SetCaption(language::Text("Fehler auf dem Datenträger korrigieren", "Fixes errors on the disk"));
    CheckBox7->SetCaption(
        language::Text("Vollständigen Pfad jeder Datei anzeigen", "Displays the full path of every file"));
    CheckBox8->SetCaption(language::Text("Fehlerhafte Sektoren suchen und wiederherstellen",
                                         "Locates bad sectors and recovers readable information"));
    CheckBox9->SetCaption(
        language::Text("Nur prüfen, wenn das Laufwerk fehlerhaft ist", "Checks the drive only if it is dirty"));
    Label31->SetCaption(language::Text("(schließt Fehlerkorrektur ein)", "(implies fixing errors)"));
    Button5->SetCaption(language::Text("Jetzt prüfen", "Check Now"));
    ListView6->Columns()->Items(0)->SetCaption(language::Text("Laufwerk", "Drive"));
    ListView6->Columns()->Items(1)->SetCaption(language::Text("Bezeichnung", "Label"));
    ListView6->Columns()->Items(2)->SetCaption(language::Text("Dateisystem", "File system"));

    const UpdateScope updating(*ListView6->Items());
    ListView6->Items()->Clear();
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string root = std::string(1, letter) + ":\\";
        if (GetDriveTypeA(root.c_str()) != DRIVE_FIXED)
            continue;
        TListItem* row = ListView6->Items()->Add();
        row->SetCaption("DRIVE_FIXED (" + std::string(1, letter) + ")");
        row->SetImageIndex(drive_pictures::fixed);
        char label[261] = {}, fileSystem[261] = {};
        if (GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, fileSystem,
                                  sizeof fileSystem)) {
            row->SubItems()->Add(label);
            row->SubItems()->Add(fileSystem);
            row->SetChecked(true);
        }
    }
}

void TForm1::RestoreChkDskChecks()
{
    const std::string switches = ReadReg(rootCurrentUser, options::chkDsk::Key, options::chkDsk::Options, "s");
    TCheckBox* boxes[] = {CheckBox6, CheckBox7, CheckBox8, CheckBox9};
    if (!switches.empty())
        for (size_t i = 0; i < 4; ++i)
            boxes[i]->SetChecked(i < switches.size() && switches[i] != '0');
    const std::string drives = ReadReg(rootCurrentUser, options::chkDsk::Key, options::chkDsk::Drives, "s");
    const int rows = ListView6->Items()->Count();
    for (int i = 0; i < rows && i < static_cast<int>(drives.size()); ++i)
        ListView6->Items()->Item(i)->SetChecked(drives[i] != '0');
}

void TForm1::Button5Click(TObject*)
{
    if (CheckBox8->Checked() && !CheckBox6->Checked()) {
        effects::ShowMessageBox(Handle(),
                                language::Text("Sie müssen auch 'Fehler auf dem Datenträger korrigieren' wählen",
                                               "You must also check 'Fixes errors on the disk'"),
                                "Tidewrack", MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OK);
        return;
    }
    TCheckBox* boxes[] = {CheckBox6, CheckBox7, CheckBox8, CheckBox9};
    std::string switchDigits, driveDigits;
    for (TCheckBox* box : boxes)
        switchDigits += box->Checked() ? '1' : '0';
    for (int i = 0; i < ListView6->Items()->Count(); ++i)
        driveDigits += ListView6->Items()->Item(i)->Checked() ? '1' : '0';
    WriteReg(rootCurrentUser, options::chkDsk::Key, options::chkDsk::Options, switchDigits, "s");
    WriteReg(rootCurrentUser, options::chkDsk::Key, options::chkDsk::Drives, driveDigits, "s");

    // Without the library nothing can be checked: say so once rather than show a
    // progress window for drives that are never checked.
    const std::string library = FmifsPath.empty() ? chkdsk::SystemFmifsPath() : FmifsPath;
    if (!chkdsk::FmifsLibrary(library).HasChkdsk()) {
        effects::ShowMessageBox(Handle(),
                                language::Text("Die Datenträgerprüfung braucht die Systembibliothek fmifs.dll, die auf "
                                               "diesem System fehlt. Es wurde kein Laufwerk geprüft.",
                                               "The disk check needs the system library fmifs.dll, which this system "
                                               "lacks. No drive was checked."),
                                language::Text("Fehler", "Error"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
        return;
    }

    std::vector<std::wstring> switches;
    const wchar_t* switchTexts[] = {L"-f", L"-v", L"-r", L"-c"};
    for (int i = 0; i < 4; ++i)
        if (boxes[i]->Checked())
            switches.push_back(switchTexts[i]);

    auto* progress = new TForm13(this, [this] { return AddDriveToAutoCheck(ChkdskDrive); });
    XPMenu1->InitComponent(progress);
    {
        MainWindowBack back(this);
        Hide();
        EnableMenuItem(GetSystemMenu(progress->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        progress->Memo1->SetVisible(CheckBox7->Checked());
        progress->Show();
        progress->CancelFlag = 0;
        for (int i = 0; i < ListView6->Items()->Count() && !progress->CancelFlag; ++i) {
            TListItem* row = ListView6->Items()->Item(i);
            const std::string& caption = row->Caption();
            const size_t open = caption.find('('), close = caption.find(')');
            if (open == std::string::npos || close == std::string::npos || close < open)
                continue;
            ChkdskDrive = caption.substr(open + 1, close - open - 1) + ":";
            if (!row->Checked())
                continue;
            progress->Memo2->Lines()->Add(language::Text("Überprüfe Laufwerk ", "Checking Drive ") + ChkdskDrive);
            progress->Label4->SetCaption(
                language::Text("Dateien und Ordner werden überprüft...", "Verifying files and folders..."));
            std::vector<std::wstring> arguments{L"", std::wstring(ChkdskDrive.begin(), ChkdskDrive.end())};
            arguments.insert(arguments.end(), switches.begin(), switches.end());
            progress->RunChkdsk(arguments, library);
        }

        auto* summary = new TForm14(this);
        XPMenu1->InitComponent(summary);
        progress->Hide();
        summary->Memo1->SetText(progress->Memo2->Lines()->Text());
        summary->ShowModal();
        progress->Close();
    }
}

bool TForm1::AddDriveToAutoCheck(const std::string& drive)
{
    // A value that cannot be read is never replaced: it holds the system's own lines.
    std::optional<std::vector<std::string>> lines = bootexecute::ReadLines();
    return lines && bootexecute::WriteLines(bootexecute::WithDriveLine(*lines, drive, CheckBox8->Checked()));
}
