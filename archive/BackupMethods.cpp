// The main form's backup parts: the packing loop of the found-files and shared-DLL
// backups, the DLL backup command, and the browser's restore, open and save-as.
#include "archive/Avidialog.h"
#include "archive/BackupPacker.h"
#include "archive/BackupProjects.h"
#include "archive/BackupRun.h"
#include "archive/EntryExtraction.h"
#include "archive/OpenedCopies.h"
#include "archive/Showbackupfiles.h"
#include "archive/Zip.h"
#include "common/Language.h"
#include "common/OptionsKeys.h"
#include "common/PathFacts.h"
#include "fileengines/FileDeleter.h"
#include "pageparts/MessageText.h"
#include "pageparts/WindowLayout.h"
#include "shell/Unit1.h"
#include "toolkit/Effects.h"

namespace {

namespace layoutKeys = options::screenSettingsBackupFiles;

// Form9 shows the file being packed, and its Cancel (or a close of the main window)
// sets AbortFlag, which stops the loop after the current file.
class FormPackObserver : public backup::PackObserver {
public:
    explicit FormPackObserver(TForm1& form) : form_(form) {}

    bool Cancelled() override { return form_.AbortFlag != 0; }

    void FileStarted(const std::string& path) override
    {
        if (Form9)
            Form9->ShowFile(path);
        Application->ProcessMessages();
    }

    void AddFailed(const std::string& path, ZipResult) override
    {
        effects::ShowMessageBox(Application->Handle(),
                                language::Text("Fehler beim Packen der Datei ", "Error packing file ") + path,
                                language::Text("Hinweis", "Hint"), MB_ICONEXCLAMATION | MB_SYSTEMMODAL | MB_OK);
    }

private:
    TForm1& form_;
};

// The zip progress window over a packing; its Cancel stops the packing loop.
void ShowPackingProgress(TForm1& form, TComponent& owner)
{
    auto* progress = new TForm9(&owner);
    progress->OnCancel = [&form] { form.AbortFlag = 1; };
    form.XPMenu1->InitComponent(progress);
    progress->ShowPacking();
}

} // namespace

// ---- packing

bool TForm1::MakeDirectory(const std::string& path)
{
    const bool made = backup::MakeDirectory(path);
    Application->ProcessMessages();
    return made;
}

std::string TForm1::ClaimBackupProject(const std::function<bool(const std::string& folder)>& makeDirectory)
{
    // A value whose folder has gone still names a project: its stamp is not used again.
    TRegistry registry;
    const bool listed = registry.OpenKeyReadOnly(options::backup::Key);
    return backup::ClaimProject(
        BackupDir, effects::Now(), [&](const std::string& stamp) { return listed && registry.ValueExists(stamp); },
        makeDirectory);
}

void TForm1::RegisterBackupProject(const std::string& stamp, const std::string& data)
{
    WriteReg(rootCurrentUser, options::backup::Key, stamp, data, "s");
}

backup::PackResult TForm1::MakeZipArchive(const std::string& archivePath, const std::vector<std::string>& paths)
{
    if (Form9)
        Form9->Panel1->Show();
    LongJob job(this);
    FormPackObserver observer(*this);
    AbortFlag = 0;
    return backup::PackFiles(archivePath, paths, observer);
}

void TForm1::ReportUnsavedFiles(const backup::PackResult& result, bool deletionFollows)
{
    if (result.unsaved.empty() && result.archiveClosed)
        return;
    std::string text;
    if (!result.archiveOpened)
        text = language::Text("Das Sicherungsarchiv konnte nicht angelegt werden.\n",
                              "The backup archive could not be created.\n");
    else if (!result.archiveClosed)
        text = language::Text("Das Sicherungsarchiv konnte nicht fertig geschrieben werden.\n",
                              "The backup archive could not be completed.\n");
    else if (result.cancelled)
        text = language::Text("Die Sicherung wurde abgebrochen.\n", "The backup was cancelled.\n");
    if (!result.unsaved.empty()) {
        text += deletionFollows
                    ? language::Text("Diese Dateien wurden nicht gesichert und daher nicht gelöscht:\n",
                                     "These files were not backed up and therefore not deleted:\n")
                    : language::Text("Diese Dateien wurden nicht gesichert:\n", "These files were not backed up:\n");
        text += JoinLines(result.unsaved, 20);
    }
    effects::ShowMessageBox(Application->Handle(), text, language::Text("Hinweis", "Hint"),
                            MB_ICONEXCLAMATION | MB_SYSTEMMODAL | MB_OK);
}

void TForm1::DLLDateiensichern()
{
    if (InLongJob())
        return;
    AbortFlag = 0;
    if (!ListView14 || ListView14->SelCount() == 0)
        return;
    if (effects::ShowMessageBox(nullptr,
                                language::Text("Markierte Dateien als Zip-Datei sichern \n"
                                               "Die Sicherung kann wiederhergestellt werden (siehe 'Sicherungen') \n",
                                               "Backup selected files as Zip-File \n"
                                               "Backup can be restored (look for 'Backup entry') \n"),
                                "Tidewrack", MB_ICONQUESTION | MB_OKCANCEL | MB_SYSTEMMODAL) != IDOK)
        return;
    std::vector<std::string> paths;
    for (int row : ListView14->SelectedIndices())
        paths.push_back(ListView14->Items()->Item(row)->Caption());
    const BackupSteps steps{[this](const std::string& folder) { return MakeDirectory(folder); },
                            [this](const std::string& archive, const std::vector<std::string>& files) {
                                return MakeDLLZipArchive(archive, files);
                            }};
    const backup::PackResult result =
        BackUpIntoNewProject(*this, *this, paths, language::Text("DLL Sicherung", "DLL Backup"), [] {}, steps);
    ReportUnsavedFiles(result, false);
}

backup::PackResult TForm1::MakeDLLZipArchive(const std::string& archivePath, const std::vector<std::string>& paths)
{
    return MakeZipArchive(archivePath, paths);
}

backup::PackResult BackUpIntoNewProject(TForm1& form, TComponent& progressOwner, const std::vector<std::string>& paths,
                                        const std::string& comment, const std::function<void()>& packingStarts,
                                        const BackupSteps& steps)
{
    ShowPackingProgress(form, progressOwner);
    backup::PackResult result;
    const std::string stamp = form.ClaimBackupProject(steps.makeDirectory);
    if (stamp.empty()) {
        result.unsaved = paths;
    } else {
        packingStarts();
        result = steps.pack(backup::ProjectArchive(form.BackupDir, stamp), paths);
        Application->ProcessMessages();
        // A project is listed only with an archive that holds something; an empty folder
        // is not left behind.
        if (!result.saved.empty())
            form.RegisterBackupProject(stamp, comment);
        else
            RemoveDirectoryA(backup::ProjectFolder(form.BackupDir, stamp).c_str());
        if (!form.ProgramDir.empty())
            SetCurrentDirectoryA(form.ProgramDir.c_str());
    }
    if (Form9)
        Form9->Close();
    Application->ProcessMessages();
    return result;
}

// ---- the browser

void TForm1::GetForm8Settings(TForm8& browser)
{
    TRegistry registry;
    window_layout::StoredLayout stored = window_layout::ReadLayout(registry, layoutKeys::Key, layoutKeys::ColumsWidth);
    if (stored.columns)
        window_layout::ApplyColumnWidths(*browser.ListView1, *stored.columns);
    window_layout::ApplyRect(browser, window_layout::EachValueRect(stored, window_layout::RectOf(browser),
                                                                    {10, 5, 800, 500}));
}

void TForm1::WriteForm8Settings(TForm8& browser)
{
    TRegistry registry;
    window_layout::WriteLayout(registry, layoutKeys::Key, layoutKeys::ColumsWidth, window_layout::RectOf(browser),
                               window_layout::ColumnWidthsOf(*browser.ListView1));
}

void TForm1::ShowZippedFiles(TForm8& browser, const std::string& archivePath)
{
    browser.ClearRecords();
    ZipHandle reader = ZipReaderOpen(archivePath.c_str(), 0, ZipSourceKind::FileName);
    if (!reader)
        return;
    ZipItemInfo info{};
    const int count = ZipReaderGetItem(reader, -1, &info) == ZipOk ? info.index : 0;
    for (int i = 0; i < count; ++i) {
        if (ZipReaderGetItem(reader, i, &info) != ZipOk)
            continue;
        auto record = std::make_unique<BackupRowRecord>();
        record->storedName = info.name;
        record->backslashedName = backup::SlashToBackslash(info.name);
        record->index = i;
        record->lastWrite = info.lastWriteTime;
        const std::string name = backup::FileNamePart(record->backslashedName);
        // The type by name only: the file itself may be long gone.
        SHFILEINFOA shell{};
        SHGetFileInfoA(("C:\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL, &shell, sizeof shell,
                       SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
        TListItem* item = browser.ListView1->Items()->Add();
        item->SetCaption(name);
        TStringList* cells = item->SubItems();
        cells->Add(std::to_string(info.packedSize));
        cells->Add(backup::SavingRatioText(info.packedSize, info.unpackedSize));
        cells->Add(std::to_string(info.unpackedSize));
        cells->Add(shell.szTypeName);
        cells->Add(backup::LocalDateTimeText(info.lastWriteTime));
        cells->Add(backup::AttributeLetters(info.attributes));
        cells->Add(backup::FolderPartOf(record->backslashedName));
        item->SetImageIndex(shell.iIcon);
        item->SetData(browser.AddRecord(std::move(record)));
    }
    ZipReaderClose(reader);
}

void TForm1::RestoreBackupData(TForm8& browser) { UnzipFiles(browser); }

namespace {

std::string NotWritten(TForm1& form)
{
    return language::Text("  (konnte nicht geschrieben werden)", "  (could not be written)");
}

// Restore and save as alike: a file already at the target is replaced only when it is an
// ordinary file and the user agrees; the entry reaches the target only whole. A file not
// written adds its line to `failed`.
void PlaceEntry(TForm1& form, ZipHandle reader, int index, const std::string& target,
                std::vector<std::string>& failed)
{
    const bool exists = common::Exists(target);
    if (exists) {
        if (file_engines::NameLeadsElsewhere(target) || common::IsFolder(target)) {
            failed.push_back(target + language::Text("  (keine gewöhnliche Datei)", "  (not an ordinary file)"));
            return;
        }
        const std::string question = language::Text("Die Datei existiert bereits:\n", "The file exists already:\n") +
                                     target + language::Text("\nErsetzen ?", "\nReplace it ?");
        if (effects::ShowMessageBox(nullptr, question, language::Text("Frage", "Question"),
                                    MB_ICONQUESTION | MB_YESNO | MB_SYSTEMMODAL) != IDYES)
            return;
    }
    if (!backup::ExtractEntryTo(reader, index, target, exists))
        failed.push_back(target + NotWritten(form));
}

std::string UnreadableArchive(TForm1& form)
{
    return language::Text("  (Archiv nicht lesbar)", "  (archive cannot be read)");
}

std::string RefusedName(TForm1& form) { return language::Text("  (ungültiger Name)", "  (name refused)"); }

void ReportNotWritten(TForm1& form, const std::string& heading, const std::vector<std::string>& failed)
{
    effects::ShowMessageBox(nullptr, heading + JoinLines(failed, 20), language::Text("Hinweis", "Hint"),
                            MB_ICONEXCLAMATION | MB_SYSTEMMODAL | MB_OK);
}

} // namespace

void TForm1::UnzipFiles(TForm8& browser)
{
    std::vector<TListItem*> items = browser.SelectedItems();
    if (items.empty())
        return;
    ZipHandle reader = ZipReaderOpen(browser.ArchivePath.c_str(), 0, ZipSourceKind::FileName);
    std::vector<std::string> failed;
    for (TListItem* item : items) {
        BackupRowRecord* record = browser.RecordOf(item);
        if (!record)
            continue;
        const std::string& target = record->backslashedName;
        browser.StatusBar1->Panels()->Items(1)->SetText(language::Text("Wiederherstellen: ", "Restoring: ") +
                                                        record->storedName);
        Application->ProcessMessages();
        if (!reader)
            failed.push_back(target + UnreadableArchive(*this));
        else if (!backup::IsSafeRestoreTarget(target))
            failed.push_back(target + RefusedName(*this));
        else if (!common::IsFolder(backup::FolderPartOf(target)))
            failed.push_back(target + language::Text("  (Ordner fehlt)", "  (folder missing)"));
        else
            PlaceEntry(*this, reader, record->index, target, failed);
    }
    if (reader)
        ZipReaderClose(reader);
    browser.StatusBar1->Panels()->Items(1)->SetText("");
    if (failed.empty())
        effects::ShowMessageBox(nullptr,
                                language::Text("Wiederherstellung der Dateien beendet", "Restoring of files done"),
                                language::Text("Hinweis", "Hint"), MB_ICONINFORMATION | MB_SYSTEMMODAL | MB_OK);
    else
        ReportNotWritten(
            *this,
            language::Text("Diese Dateien wurden nicht wiederhergestellt:\n", "These files were not restored:\n"),
            failed);
}

void TForm1::OpenZippedFile(TForm8& browser)
{
    BackupRowRecord* record = browser.RecordOf(browser.ListView1->Selected());
    if (!record)
        return;
    const std::string target = backup::ExtractTarget(BackupDir, record->backslashedName);
    // A file of that name in the backup folder is the user's, and is neither replaced nor
    // deleted -- unless it is a copy opened before in this run, which is replaced.
    const bool openedBefore = backup::IsKeptCopy(target);
    if (target.empty() || (common::Exists(target) && !openedBefore)) {
        effects::ShowMessageBox(
            nullptr,
            language::Text("Die Datei kann nicht geöffnet werden, da im Sicherungsordner bereits eine "
                           "Datei dieses Namens liegt:\n",
                           "The file cannot be opened: a file of that name lies in the backup folder "
                           "already:\n") +
                target,
            language::Text("Hinweis", "Hint"), MB_ICONEXCLAMATION | MB_SYSTEMMODAL | MB_OK);
        return;
    }
    ZipHandle reader = ZipReaderOpen(browser.ArchivePath.c_str(), 0, ZipSourceKind::FileName);
    const bool readable = reader != nullptr;
    const bool extracted = readable && backup::ExtractEntryTo(reader, record->index, target, openedBefore);
    if (readable)
        ZipReaderClose(reader);
    if (!extracted) {
        ReportNotWritten(*this,
                         language::Text("Die Datei konnte nicht zum Öffnen entpackt werden:\n",
                                        "The file could not be extracted for opening:\n"),
                         {target + (readable ? NotWritten(*this) : UnreadableArchive(*this))});
        return;
    }
    // The end of the process that opens it says nothing: it may have handed the file on
    // to a viewer that runs already, which reads it later.
    backup::KeepUntilExit(target);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = browser.Handle();
    info.lpVerb = "open";
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    effects::ShellOpenEx(info);
}

void TForm1::ExtractZippedFileToSpecialFolder(TForm8& browser, const std::string& folder)
{
    ZipHandle reader = ZipReaderOpen(browser.ArchivePath.c_str(), 0, ZipSourceKind::FileName);
    std::vector<std::string> failed;
    for (TListItem* item : browser.SelectedItems()) {
        BackupRowRecord* record = browser.RecordOf(item);
        if (!record)
            continue;
        const std::string target = backup::ExtractTarget(folder, record->backslashedName);
        if (target.empty())
            failed.push_back(record->backslashedName + RefusedName(*this));
        else if (!reader)
            failed.push_back(target + UnreadableArchive(*this));
        else
            PlaceEntry(*this, reader, record->index, target, failed);
    }
    if (reader)
        ZipReaderClose(reader);
    if (!failed.empty())
        ReportNotWritten(*this,
                         language::Text("Diese Dateien wurden nicht gespeichert:\n", "These files were not saved:\n"),
                         failed);
}
