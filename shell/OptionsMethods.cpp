// The main form's part of the options dialog: opening it, filling it from the settings,
// storing it, its English texts; the English texts of the main window; the help button;
// and the scheduled task as the settings hold it.
#include "shell/Unit1.h"

#include "cleaning/ScanLocations.h"
#include "common/Language.h"
#include "shell/Frameoptionen.h"
#include "pageparts/HostDialog.h"
#include "pageparts/LocaleTime.h"
#include "common/OptionsKeys.h"
#include "pageparts/RegistryLayer.h"
#include "toolkit/Effects.h"

#include <cctype>
#include <fstream>
#include <optional>

namespace {

// The clean-up actions at start, in the order of the "cleanonstartup" digits.
const char* const startupActions[6][2] = {
    {"Ordner Recent leeren", "Empty Folder Recent"},
    {"Ordner Temp leeren", "Empty Folder Temp"},
    {"Papierkorb leeren", "Empty Recycle Bin "},
    {"Cookies löschen", "Delete Cookies"},
    {"Ordner Verlauf leeren", "Empty Folder History"},
    {"Ordner Prefetch leeren", "Empty Folder Prefetch"},
};

// Rewrites the language file whole; false when it could not be written completely.
bool WriteLanguageFile(const std::string& path, bool german)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file << language::Text(german, "1", "0") << "\r\n";
    file.close();
    return !file.fail();
}

std::string Flag(bool on) { return on ? "1" : "0"; }

std::optional<int> IntegerOf(const std::optional<std::string>& text)
{
    return text ? registry_layer::StoredInteger(*text) : std::nullopt;
}

} // namespace

void TForm1::ShowOptionsDialog()
{
    MakeHostDialog(HostDialog::Options);
    RelaunchOnClose = 0;
    Frame4 = MakeHostFrame<TFrame4>(HostPanel, OptionsFrameActions());
    XPMenu1->InitComponent(Frame4);
    if (LanguageFlag)
        Frame4->RadioButton1->SetChecked(true);
    else
        OptionenEnglish();
    GetOptions();
    ShowHostDialog(HostDialog::Options);
}

OptionsActions TForm1::OptionsFrameActions()
{
    OptionsActions actions;
    actions.store = [this] { WriteOptions(); };
    actions.browseFolder = [this](std::string& folder) { BrowseDirectory(this, folder); };
    return actions;
}

// The dialog's caption comes with the host dialog; the frame keeps its own texts in both
// languages.
void TForm1::OptionenEnglish() { Frame4->Texts.English(); }

void TForm1::GetOptions()
{
    TFrame4* frame = Frame4;
    TListItems* startupRows = frame->ListView1->Items();
    startupRows->Clear();
    for (const auto& action : startupActions)
        startupRows->Add()->SetCaption(language::Text(action[0], action[1]));

    SYSTEMTIME now = effects::Now();
    frame->DateTimePicker1->SetDateTime(now);
    frame->DateTimePicker2->SetDateTime(now);
    frame->DateTimePicker3->SetDateTime(now);

    Registry->RootKey = HKEY_CURRENT_USER;
    KeyOpened = Registry->OpenKeyReadOnly(options::tasks::Key);
    if (KeyOpened) {
        std::optional<int> task = IntegerOf(Registry->ReadString(options::tasks::Task));
        std::optional<int> after = IntegerOf(Registry->ReadString(options::tasks::ActionAfterTaskEnding));
        std::optional<std::string> time = Registry->ReadString(options::tasks::Time);
        std::optional<std::string> dateTime = Registry->ReadString(options::tasks::DateTime);
        if (task == 0)
            frame->RadioButton8->SetChecked(true);
        else if (task == 1)
            frame->RadioButton6->SetChecked(true);
        else if (task == 2)
            frame->RadioButton7->SetChecked(true);
        if (after == 0)
            frame->RadioButton11->SetChecked(true);
        else if (after == 1)
            frame->RadioButton9->SetChecked(true);
        else if (after == 2)
            frame->RadioButton10->SetChecked(true);
        // A time the locale cannot read leaves the picker at the present time.
        if (task == 1 && time)
            if (std::optional<SYSTEMTIME> daily = locale_time::ParseTime(*time))
                frame->DateTimePicker1->SetTime(*daily);
        if (task == 2 && dateTime)
            if (std::optional<SYSTEMTIME> once = locale_time::ParseDateTime(*dateTime)) {
                frame->DateTimePicker2->SetDate(*once);
                frame->DateTimePicker3->SetTime(*once);
            }
    }
    Registry->CloseKey();

    std::optional<std::string> zipDir;
    KeyOpened = Registry->OpenKeyReadOnly(options::Key);
    if (KeyOpened) {
        if (auto digits = Registry->ReadString(options::CleanOnStartup))
            if (!digits->empty() && digits->size() < 20)
                for (size_t i = 0; i < digits->size() && i < 6; ++i) {
                    unsigned char c = static_cast<unsigned char>((*digits)[i]);
                    (*startupRows)[static_cast<int>(i)]->SetChecked(std::isdigit(c) && c != '0');
                }
        if (auto rowSelect = IntegerOf(Registry->ReadString(options::RowSelect)))
            frame->CheckBox3->SetChecked(*rowSelect != 0);
        if (auto passes = IntegerOf(Registry->ReadString(options::NumPasses)))
            frame->CSpinEdit2->SetValue(*passes);
        if (auto ratio = IntegerOf(Registry->ReadString(options::Ratio)))
            frame->CSpinEdit1->SetValue(*ratio);
        if (auto includeHidden = IntegerOf(Registry->ReadString(options::IncludeHidden)))
            frame->CheckBox1->SetChecked(*includeHidden != 0);
        if (auto skipRecycleBin = IntegerOf(Registry->ReadString(options::NotScanRecycleBin)))
            frame->CheckBox2->SetChecked(*skipRecycleBin != 0);
        zipDir = Registry->ReadString(options::ZipDir);
    }
    Registry->CloseKey();
    // An empty folder, like none, stands for the default backup folder.
    frame->Edit1->SetText(zipDir && !zipDir->empty() ? *zipDir : BackupDir);

    TListItems* taskRows = frame->ListView3->Items();
    taskRows->Clear();
    for (const cleaning::LocationRow& location : ScanLocationRows())
        taskRows->Add()->SetCaption(location.caption);
    KeyOpened = Registry->OpenKeyReadOnly(options::scanDirs::Key);
    if (KeyOpened) {
        for (const std::string& name : Registry->GetValueNames()) {
            std::optional<int> ticked = IntegerOf(Registry->ReadString(name));
            if (!ticked || *ticked == 0)
                continue;
            for (int row = 0; row < taskRows->Count(); ++row)
                if ((*taskRows)[row]->Caption() == name) {
                    (*taskRows)[row]->SetChecked(true);
                    break;
                }
        }
    }
    Registry->CloseKey();
}

// Every setting is stored even when the language file cannot be written (a program
// folder without write access); the user is then told that only the language was lost.
void TForm1::WriteOptions()
{
    TFrame4* frame = Frame4;
    const std::string languageFile = ProgramDir + "\\language.dat";
    const bool languageSaved = WriteLanguageFile(languageFile, frame->RadioButton1->Checked());

    std::string digits;
    TListItems* startupRows = frame->ListView1->Items();
    for (int row = 0; row < startupRows->Count(); ++row)
        digits += Flag((*startupRows)[row]->Checked());
    auto write = [this](const char* key, const char* name, const std::string& data) {
        WriteReg(rootCurrentUser, key, name, data, "s");
    };
    write(options::Key, options::CleanOnStartup, digits);
    RowSelectOption = frame->CheckBox3->Checked();
    write(options::Key, options::RowSelect, Flag(RowSelectOption));
    PassCount = frame->CSpinEdit2->Value();
    write(options::Key, options::NumPasses, std::to_string(PassCount));
    CompressionRatio = frame->CSpinEdit1->Value();
    write(options::Key, options::Ratio, std::to_string(CompressionRatio));
    const std::string zipDir = frame->Edit1->Text();
    write(options::Key, options::ZipDir, zipDir);
    BackupDir = zipDir.empty() ? ProgramDir + "\\ZipBackup" : zipDir;
    SkipRecycleBin = frame->CheckBox2->Checked();
    write(options::Key, options::NotScanRecycleBin, Flag(SkipRecycleBin));
    write(options::Key, options::IncludeHidden, Flag(frame->CheckBox1->Checked()));
    ShellEnumFlags = frame->CheckBox1->Checked() ? 224 : 96;

    const char* task = frame->RadioButton6->Checked() ? "1" : frame->RadioButton7->Checked() ? "2" : "0";
    const char* after = frame->RadioButton9->Checked() ? "1" : frame->RadioButton10->Checked() ? "2" : "0";
    write(options::tasks::Key, options::tasks::Task, task);
    write(options::tasks::Key, options::tasks::ActionAfterTaskEnding, after);
    write(options::tasks::Key, options::tasks::Time, locale_time::TimeText(frame->DateTimePicker1->DateTime()));
    SYSTEMTIME once = frame->DateTimePicker2->Date();
    SYSTEMTIME onceTime = frame->DateTimePicker3->Time();
    once.wHour = onceTime.wHour;
    once.wMinute = onceTime.wMinute;
    once.wSecond = onceTime.wSecond;
    write(options::tasks::Key, options::tasks::DateTime, locale_time::DateTimeText(once));
    GetTaskPlaner();

    DeleteReg(rootCurrentUser, options::tasks::Key, options::scanDirs::Name, 1);
    TListItems* taskRows = frame->ListView3->Items();
    for (int row = 0; row < taskRows->Count(); ++row)
        write(options::scanDirs::Key, (*taskRows)[row]->Caption().c_str(), Flag((*taskRows)[row]->Checked()));

    if (!languageSaved)
        effects::ShowMessageBox(
            GetParentForm(frame) ? GetParentForm(frame)->Handle() : Handle(),
            language::Text("Die Sprache konnte nicht gespeichert werden, weil die Datei\n" + languageFile +
                               "\nnicht geschrieben werden kann. Alle anderen Einstellungen wurden gespeichert.",
                           "The language could not be saved because the file\n" + languageFile +
                               "\ncannot be written. All other settings have been saved."),
            language::Text("Fehler", "Error"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
}

// The English texts of the main window, set once at start in English mode. The sidebar's
// links, the pages and the windows opened later pick their texts themselves.
void TForm1::Language()
{
    CaptionSidebarGroups();
    CaptionTrayMenu();
}

void TForm1::Image36Click(TObject*)
{
    const std::string helpFile =
        ProgramDir + language::Text("\\Tidewrack Hilfedatei.chm", "\\Tidewrack Helper.chm");
    if (effects::ShellOpen(Handle(), "open", helpFile, "", "", SW_SHOW) > 32)
        return;
    effects::ShowMessageBox(
        Handle(),
        language::Text("Die Hilfedatei konnte nicht geöffnet werden:\n", "The help file could not be opened:\n") +
            helpFile,
        language::Text("Hinweis", "Note"), MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OK);
}

// A missing Tasks key, or a value that is no number, means no task.
void TForm1::GetTaskPlaner()
{
    TaskFired = 0;
    ShutdownCountdown = 0;
    heldTaskStamp_.reset(); // a task held for the old schedule is no task of the new one
    TaskMode = 0;
    AfterTaskAction = 0;
    TaskTime.clear();
    TaskDateTime.clear();
    Registry->RootKey = HKEY_CURRENT_USER;
    KeyOpened = Registry->OpenKeyReadOnly(options::tasks::Key);
    if (KeyOpened) {
        TaskMode = IntegerOf(Registry->ReadString(options::tasks::Task)).value_or(0);
        AfterTaskAction = IntegerOf(Registry->ReadString(options::tasks::ActionAfterTaskEnding)).value_or(0);
        TaskTime = Registry->ReadString(options::tasks::Time).value_or("");
        TaskDateTime = Registry->ReadString(options::tasks::DateTime).value_or("");
    }
    Registry->CloseKey();
}
