// Deleting the selected found files: to the recycle bin, for good, or securely through
// the shredder, each optionally after a zip backup. After a backup only the files that
// the closed archive really holds are deleted; the others stay, and the user is told.
#include "archive/BackupPacker.h"
#include "archive/BackupProjects.h"
#include "cleaning/FoundFilesHost.h"
#include "cleaning/Showdelfilesframe.h"
#include "common/CaseRule.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "fileengines/FileDeleter.h"
#include "fileengines/PathGuard.h"
#include "fileengines/ScanRecords.h"
#include "filetools/ShredderRun.h"
#include "pageparts/MessageText.h"
#include "fileengines/ShellServices.h"
#include "toolkit/Effects.h"
#include "toolkit/RadioButton.h"

#include <algorithm>
#include <set>

namespace {

TMenuItem* MakeItem(TComponent* owner, TMenuItem* parent, const char* name, TNotifyEvent onClick, int index = -1)
{
    auto* item = new TMenuItem(owner);
    item->Name = name;
    item->OnClick = std::move(onClick);
    if (index < 0)
        parent->Add(item);
    else
        parent->Insert(index, item);
    return item;
}

// Marks a delete as running and keeps the window that holds the list disabled meanwhile:
// the delete loops pump messages, and a second delete started from a key or a button
// would refill the selected-file list under the first one.
class DeleteRunning {
public:
    DeleteRunning(bool& running, HWND window) : running_(running), window_(window)
    {
        running_ = true;
        wasEnabled_ = window_ && !EnableWindow(window_, FALSE);
    }
    ~DeleteRunning()
    {
        if (wasEnabled_)
            EnableWindow(window_, TRUE);
        running_ = false;
    }
    DeleteRunning(const DeleteRunning&) = delete;
    DeleteRunning& operator=(const DeleteRunning&) = delete;

private:
    bool& running_;
    HWND window_;
    bool wasEnabled_;
};

} // namespace

void TFrame8::BuildDeleteCommands()
{
    RadioButton1 = new TRadioButton(this);
    RadioButton1->Name = "RadioButton1";
    RadioButton1->SetParent(Panel1);
    RadioButton1->SetBounds(604, 4, 170, 18);
    RadioButton2 = new TRadioButton(this);
    RadioButton2->Name = "RadioButton2";
    RadioButton2->SetParent(Panel1);
    RadioButton2->SetBounds(604, 25, 170, 18);
    // Checked before the handlers are bound: the default writes no setting.
    RadioButton1->SetChecked(true);
    RadioButton1->OnClick = Bind(this, &TFrame8::RadioButton1Click);
    RadioButton2->OnClick = Bind(this, &TFrame8::RadioButton2Click);

    TMenuItem* menu = PopupMenu31->Items();
    MarkierteDateienindenPapierkorblschen1 = MakeItem(this, menu, "MarkierteDateienindenPapierkorblschen1",
                                                      Bind(this, &TFrame8::MarkierteDateienindenPapierkorblschen1Click), 2);
    MarkierteDateienendgltiglschen2 = MakeItem(this, menu, "MarkierteDateienendgltiglschen2",
                                               Bind(this, &TFrame8::MarkierteDateienendgltiglschen2Click), 3);
    LschenundSpeicherplatzfreigeben1 =
        MakeItem(this, menu, "LschenundSpeicherplatzfreigeben1", Bind(this, &TFrame8::ToolButton13Click), 4);

    PopupMenu33 = new TPopupMenu(this);
    PopupMenu33->Name = "PopupMenu33";
    menu = PopupMenu33->Items();
    MarkierteDateienindenPapierkorbverschieben1 =
        MakeItem(this, menu, "MarkierteDateienindenPapierkorbverschieben1",
                 Bind(this, &TFrame8::MarkierteDateienindenPapierkorblschen1Click));
    MarkierteDateienendgltiglschen1 = MakeItem(this, menu, "MarkierteDateienendgltiglschen1",
                                               Bind(this, &TFrame8::MarkierteDateienendgltiglschen2Click));
    LschenundSpeicherplatzfreigeben2 =
        MakeItem(this, menu, "LschenundSpeicherplatzfreigeben2", Bind(this, &TFrame8::ToolButton13Click));
    Schlieen2 = MakeItem(this, menu, "Schlieen2", Bind(this, &TFrame8::Schlieen3Click));
    // A right click on the tool bar or on one of its delete buttons offers the deletes.
    for (TControl* control : {static_cast<TControl*>(Panel1), static_cast<TControl*>(ToolBar1)})
        control->SetPopupMenu(PopupMenu33);

    Texts.Caption(RadioButton1, "Keine Sicherung", "No Backup");
    Texts.Caption(RadioButton2, "Sicherung als Zip", "Make Backup as zip");
    for (TMenuItem* item : {MarkierteDateienindenPapierkorblschen1, MarkierteDateienindenPapierkorbverschieben1})
        Texts.MenuCaption(item, "In den Papierkorb löschen", "Delete to Recycle Bin");
    for (TMenuItem* item : {MarkierteDateienendgltiglschen2, MarkierteDateienendgltiglschen1})
        Texts.MenuCaption(item, "Endgültig löschen    Strg+L", "Delete    Strg+L");
    for (TMenuItem* item : {LschenundSpeicherplatzfreigeben1, LschenundSpeicherplatzfreigeben2})
        Texts.MenuCaption(item, "Löschen und Speicherplatz überschreiben   Strg+D", "Delete and wipe files   Strg+D");
    Texts.MenuCaption(Schlieen2, "Schließen\t    Esc", "Close\t    Esc");
}

void TFrame8::RadioButton1Click(TObject*)
{
    host_->RememberBackupChoice(false);
    StatusBar1->Panels()->Items(2)->SetText(language::Text("Keine Sicherung", "No backup"));
}

void TFrame8::RadioButton2Click(TObject*)
{
    host_->RememberBackupChoice(true);
    StatusBar1->Panels()->Items(2)->SetText(language::Text("Sicherung als Zip-Datei", "Backup as zip file"));
}

// ---- the three commands

void TFrame8::MarkierteDateienindenPapierkorblschen1Click(TObject*)
{
    DeleteToRecycle = 1;
    DeleteSecurely = 0;
    Loeschenvorbereiten();
}

void TFrame8::MarkierteDateienendgltiglschen2Click(TObject*)
{
    DeleteToRecycle = 0;
    DeleteSecurely = 0;
    Loeschenvorbereiten();
}

void TFrame8::ToolButton13Click(TObject*)
{
    DeleteSecurely = 1;
    Loeschenvorbereiten();
}

void TFrame8::GetFiles(std::vector<SelectedFileRecord>& list)
{
    SelectedRowIndexes.clear();
    list.clear();
    for (int row : ListView1->SelectedIndices()) {
        if (row >= host_->Records().Count())
            continue;
        const FoundFileRecord& record = *host_->Records().Items(row);
        SelectedRowIndexes.push_back(row);
        list.push_back({record.displayName, record.path, record.dateText, record.sizeText});
    }
}

void TFrame8::Loeschenvorbereiten()
{
    if (Deleting)
        return; // the running delete owns the selected-file list
    DeleteRunning running(Deleting, GetAncestor(Handle(), GA_ROOT));
    // A backup, a delete or a shred: a close waits for it, a task due meanwhile starts after it.
    host_->RunAsLongJob([this] { DeleteSelected(); });
}

void TFrame8::DeleteSelected()
{
    TStatusPanel* state = StatusBar1->Panels()->Items(2);
    if (ListView1->SelCount() > 0) {
        {
            const unsigned char wasBusy = Frame8Busy;
            Frame8Busy = 1;
            host_->AbortFlag() = 0;
            GetFiles(SelectedFileList);
            Frame8Busy = wasBusy;
        }
        bool goOn = true;
        if (RadioButton2->Checked()) {
            goOn = effects::ShowMessageBox(
                       Handle(),
                       language::Text("Die Sicherung wird jetzt erstellt. Das kann einige Minuten dauern!\n"
                                      "Die Dateien werden noch nicht gelöscht. Vor dem Löschen werden Sie gefragt!\n"
                                      "Sicherung jetzt erstellen?",
                                      "Backup will now be created. This might take several minutes!\n"
                                      "Files will not be deleted. Before deletion you will be prompt!\n"
                                      "Create Backup now?"),
                       language::Text("Frage", "Question"), MB_YESNO | MB_ICONQUESTION) == IDYES;
            if (goOn)
                goOn = MakeZIP(SelectedFileList, SelectedRowIndexes);
        }
        if (goOn) {
            HourGlass busy;
            state->SetText(language::Text("Lösche Dateien. Bitte warten . . .", "Deleting files. Please wait . . ."));
            if (DeleteSecurely == 1)
                DeleteSecure();
            else
                Loeschen();
        }
    }
    state->SetText(language::Text("Fertig . . .", "Ready . . ."));
}

// The zip backup before a deletion. A cancel stops the deletion too (what was packed
// stays a project); otherwise only the files a good archive holds stay in list, and in
// rows beside it. False when nothing is left to delete.
bool TFrame8::MakeZIP(std::vector<SelectedFileRecord>& list, std::vector<int>& rows)
{
    HourGlass busy;
    TStatusPanel* state = StatusBar1->Panels()->Items(2);
    std::vector<std::string> paths;
    for (const SelectedFileRecord& record : list)
        paths.push_back(record.fullPath);
    backup::PackResult result = host_->BackUp(
        *this, paths, [this](const std::string& folder) { return MakeDirectory(folder); },
        [state] {
            state->SetText(language::Text("Komprimiere Dateien. Bitte warten . . .",
                                          "Compressing files. Please wait . . ."));
        });
    if (result.cancelled || host_->AbortFlag()) {
        effects::ShowMessageBox(Handle(),
                                language::Text("Die Sicherung wurde abgebrochen. Es wurde nichts gelöscht.",
                                               "The backup was cancelled. No file was deleted."),
                                language::Text("Hinweis", "Hint"), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    host_->ReportUnsavedFiles(result);
    std::set<std::string> saved;
    for (const std::string& path : result.saved)
        saved.insert(common::UpperCase(path));
    std::vector<SelectedFileRecord> kept;
    std::vector<int> keptRows;
    for (size_t i = 0; i < list.size(); ++i)
        if (saved.count(common::UpperCase(list[i].fullPath))) {
            kept.push_back(list[i]);
            keptRows.push_back(rows[i]);
        }
    list.swap(kept);
    rows.swap(keptRows);
    return !list.empty();
}

bool TFrame8::MakeDirectory(const std::string& path) { return backup::MakeDirectory(path); }

// ---- deleting

namespace {

// Removes from the found list the records of the given paths whose files are gone.
void DropVanishedRecords(TObjectList<FoundFileRecord>& records, const std::vector<SelectedFileRecord>& handled)
{
    std::set<std::string> paths;
    for (const SelectedFileRecord& record : handled)
        paths.insert(common::UpperCase(record.fullPath));
    for (int i = records.Count() - 1; i >= 0; --i) {
        const std::string& path = records.Items(i)->path;
        if (paths.count(common::UpperCase(path)) && !common::Exists(path))
            records.Delete(i);
    }
}

// A folder row takes its whole content along, files that match no mask included, so it
// is acted on only when the path guard allows it and after a question that names it as
// a folder. Returns the folder rows to act on: all that the guard allows, or none when
// the user says No (and is then told they stay). The refused ones are named first.
std::vector<std::string> ConfirmedFolders(HWND owner, const std::vector<SelectedFileRecord>& list,
                                          const path_guard::GuardedFolders& guarded)
{
    std::vector<std::string> folders;
    std::string refused;
    for (const SelectedFileRecord& record : list) {
        if (!common::IsFolder(record.fullPath))
            continue;
        const path_guard::Verdict verdict = path_guard::Judge(record.fullPath, guarded);
        if (verdict == path_guard::Verdict::Allowed)
            folders.push_back(record.fullPath);
        else
            refused += record.fullPath + path_guard::RefusalNote(verdict, language::German());
    }
    if (!refused.empty())
        effects::ShowMessageBox(
            owner,
            language::Text("Diese Ordner werden nicht gelöscht:\n", "These folders are not deleted:\n") + refused,
            language::Text("Hinweis", "Hint"), MB_OK | MB_ICONEXCLAMATION);
    if (folders.empty())
        return folders;
    const std::string names = JoinLines(folders, 20);
    if (effects::ShowMessageBox(owner,
                                language::Text("Diese Einträge sind Ordner. Mit ihnen geht ihr ganzer Inhalt, auch "
                                               "Dateien, die keiner Maske entsprechen:\n",
                                               "These entries are folders. All their content goes with them, also "
                                               "files that match no mask:\n") +
                                    names +
                                    language::Text("Die Ordner mit ihrem ganzen Inhalt löschen?",
                                                   "Delete the folders with all their content?"),
                                language::Text("Frage", "Question"), MB_YESNO | MB_ICONWARNING) == IDYES)
        return folders;
    effects::ShowMessageBox(
        owner, language::Text("Diese Ordner wurden übersprungen:\n", "These folders were skipped:\n") + names,
        language::Text("Hinweis", "Hint"), MB_OK | MB_ICONEXCLAMATION);
    return {};
}

bool Listed(const std::vector<std::string>& paths, const std::string& path)
{
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

} // namespace

void TFrame8::Loeschen()
{
    // A Yes for the recycle bin is no Yes for a delete that cannot be undone.
    unsigned char& confirmed = DeleteToRecycle == 1 ? RecycleConfirmed : DeleteConfirmed;
    if (!confirmed) {
        std::string question =
            DeleteToRecycle == 1
                ? language::Text("Wollen Sie die ausgewählten  Dateien wirklich entfernen?\nHINWEIS:\n"
                                 "Tidewrack kann Dateien auf einem Netzlaufwerk nicht in den Papierkorb löschen.\n",
                                 "Do you really want to remove the selected  files?\nNOTE:\n"
                                 "Tidewrack can't delete files to recycle bin on a network drive.\n")
                : language::Text("Wollen Sie die ausgewählten Dateien wirklich endgültig löschen?\n"
                                 "Sie werden nicht in den Papierkorb verschoben.\n",
                                 "Do you really want to delete the selected files for good?\n"
                                 "They will not go to the recycle bin.\n");
        question += language::Text("Sie können nur eine Sicherung dieser Dateien anlegen.\n",
                                   "You can only make a backup of these files.\n");
        question += language::Text("Diese Abfrage erscheint nur einmal nach einem Suchlauf.",
                                   "This MessageBox will only displayed after completing a scan.");
        if (effects::ShowMessageBox(Handle(), question, language::Text("Frage", "Question"),
                                    MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        confirmed = 1;
    }
    const std::vector<std::string> folders = ConfirmedFolders(Handle(), SelectedFileList, host_->GuardedFolders());
    file_engines::ShellFileDeleter deleter(language::German(), GetForegroundWindow());
    const file_engines::DeleteAction action =
        DeleteToRecycle == 1 ? file_engines::deleteToRecycleBin : file_engines::deletePermanently;
    std::vector<std::string> stayed;
    for (const SelectedFileRecord& record : SelectedFileList) {
        if (common::IsFolder(record.fullPath) && !Listed(folders, record.fullPath))
            continue;
        // A No to the question about a drive without a recycle bin is no failure.
        if (deleter.Delete(record.fullPath, action) == file_engines::DeleteOutcome::Failed && common::Exists(record.fullPath))
            stayed.push_back(record.fullPath);
        Application->ProcessMessages();
    }
    DropVanishedRecords(host_->Records(), SelectedFileList);
    FillListView1();
    UnselectAll();
    if (!stayed.empty())
        effects::ShowMessageBox(
            Handle(),
            language::Text("Diese Dateien konnten nicht gelöscht werden:\n", "These files could not be deleted:\n") +
                JoinLines(stayed, 20),
            language::Text("Hinweis", "Hint"), MB_OK | MB_ICONEXCLAMATION);
}

void TFrame8::DeleteSecure()
{
    if (SelectedFileList.empty())
        return;
    if (!ShredConfirmed &&
        effects::ShowMessageBox(Handle(),
                                language::Text("Wollen Sie diese Dateien wirklich endgültig von Ihrem Computer "
                                               "entfernen?\nGelöschte Daten können nicht wiederhergestellt werden.\n"
                                               "Fortfahren ?\nDiese Abfrage erscheint nur einmal nach einem Suchlauf.",
                                               "Do you really want to permanently remove these files from your "
                                               "computer.\nYou can't restore deleted data.\nContinue ?\n"
                                               "This MessageBox will only displayed after completing a scan."),
                                language::Text("Frage", "Question"),
                                MB_YESNO | MB_ICONWARNING | MB_SYSTEMMODAL) != IDYES)
        return;
    ShredConfirmed = 1;
    const std::vector<std::string> folders = ConfirmedFolders(Handle(), SelectedFileList, host_->GuardedFolders());

    int files = 0;
    for (const SelectedFileRecord& record : SelectedFileList)
        files += common::IsFolder(record.fullPath) ? std::max(0, file_engines::FastCountFiles(record.fullPath, 1)) : 1;
    ShredderWindowSetup setup;
    setup.caller = ShredderCaller::FoundFiles;
    setup.entries = files;
    ShredderWindow window(this, host_->Look(), setup);
    host_->AbortFlag() = 0;

    ShredderIo& disk = host_->ShredderDisk() ? *host_->ShredderDisk() : Win32ShredderIo();
    for (const SelectedFileRecord& record : SelectedFileList) {
        if (host_->AbortFlag() || window.Cancelled())
            break;
        Application->ProcessMessages();
        const std::string& path = record.fullPath;
        if (common::IsFolder(path) && !Listed(folders, path))
            continue;
        if (StartShredderRun(*window, {path, host_->ShredPasses()}, disk).start == ShredderRun::Start::Missing)
            effects::ShowMessageBox(Handle(),
                                    language::Text("Datei nicht gefunden\n", "Unable to locate file\n") + path,
                                    language::Text("Fehler", "Error"), MB_OK | MB_ICONWARNING | MB_SYSTEMMODAL);
    }
    DropVanishedRecords(host_->Records(), SelectedFileList);
    window.Close();
    FillListView1();
    UnselectAll();
}

void TFrame8::UnselectAll()
{
    const unsigned char wasBusy = Frame8Busy;
    Frame8Busy = 1;
    ListView1->ClearSelection();
    Frame8Busy = wasBusy;
    FillListView1();
}
