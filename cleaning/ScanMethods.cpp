// The main form's junk scan: the driver over the checked locations, the walk, the
// immediate delete and the used space of the locations.
#include "shell/Unit1.h"

#include "cleaning/JunkScan.h"
#include "cleaning/ScanLocations.h"
#include "common/Language.h"
#include "fileengines/FileFacts.h"
#include "fileengines/ShellWalk.h"
#include "pageparts/Scanframe.h"
#include "toolkit/Effects.h"

namespace {

// Ties a scan to the main form: its cancel flag, its message pump and its boxes.
class FormScanObserver : public file_engines::ScanObserver {
public:
    explicit FormScanObserver(TForm1& form) : form_(form) {}

    bool Cancelled() override { return form_.AbortFlag != 0; }
    void Progress(int percent) override
    {
        if (Frame2)
            Frame2->ProgressBar1->SetPosition(percent);
    }
    void LocationStarted(const std::string& caption) override
    {
        if (Frame2)
            Frame2->Label1->SetCaption(language::Text("Aktuelles Laufwerk : ", "Current Drive : ") + caption);
    }
    // Once per folder, so that the progress dialog stays painted and its Cancel works.
    void FolderEntered(const std::string&) override { Application->ProcessMessages(); }
    void DeleteFailed(const std::string& path) override
    {
        effects::ShowMessageBox(form_.Handle(),
                                language::Text("Fehler beim Löschen der Datei ", "Error deleting file ") + path,
                                language::Text("Fehler", "Error"), MB_OK | MB_ICONINFORMATION);
    }
    // Told after the scan (StartScan): a box here would hold up an unattended scan.
    void LocationSkipped(const std::string& caption, HRESULT) override { form_.UnreadLocations.push_back(caption); }

private:
    TForm1& form_;
};

// The scan deletes each file at once through the main form's MoveFiles, with the one
// shell deleter of the run (it asks once per drive without a recycle bin).
class MoveFilesDeleter : public file_engines::FileDeleter {
public:
    MoveFilesDeleter(TForm1& form, file_engines::FileDeleter& deleter) : form_(form), deleter_(deleter) {}
    file_engines::DeleteOutcome Delete(const std::string& path, file_engines::DeleteAction action) override
    {
        return form_.MoveFiles(path, action, deleter_);
    }

private:
    TForm1& form_;
    file_engines::FileDeleter& deleter_;
};

} // namespace

int TForm1::GetNumber(const std::string& text) { return cleaning::DriveNumber(text); }

void TForm1::GetHDS()
{
    cleaning::SpaceMeter meter;
    ScanTotalBytes = cleaning::UsedSpaceOfLocations(ScanLocationRows(), meter);
}

bool TForm1::ValidFileTime(const FILETIME& time) { return file_engines::ValidFileTime(time); }

file_engines::DeleteOutcome TForm1::MoveFiles(const std::string& path, file_engines::DeleteAction action,
                                              file_engines::FileDeleter& deleter)
{
    return deleter.Delete(path, action);
}

void TForm1::ScanShellFolder(IShellFolder* folder, const std::string& folderPath, LPCITEMIDLIST parentItem,
                             file_engines::WalkVisitor& visitor)
{
    file_engines::WalkOptions options;
    options.enumFlags = static_cast<DWORD>(ShellEnumFlags);
    options.owner = Application->Handle();
    file_engines::WalkShellFolder(folder, folderPath, parentItem, options, visitor);
}

void TForm1::Clean()
{
    FoundFiles->Clear();
    GetActualExcludeDirs();
    TakeScanOptions();
    GetActualDelFileEndings();
    if (Frame2)
        Frame2->ProgressBar1->SetPosition(0);
    GetHDS();
    Label1->SetCaption(language::Text("Suche läuft. Bitte warten . . .", "Scanning. Please wait . . ."));

    // The scan starts its count above zero, as it always has, so that the bar moves at once.
    ScannedBytes = OsLevel == 0 ? 120 : 800;
    Label11->SetCaption(language::Text("Abbrechen", "Cancel"));
    AbortFlag = 0;

    cleaning::ScanSettings settings;
    settings.mode = ScanMode;
    settings.masks = FileEndingList->Copies(); // upper case, from the rows just now
    settings.excludeDirs = ExcludeDirList->Copies();
    settings.skipRecycleBin = SkipRecycleBin != 0;
    settings.olderThanDays = OlderThanDays;
    settings.searchText = SearchName;
    settings.now = effects::Now();
    settings.totalBytes = ScanTotalBytes;
    settings.startBytes = ScannedBytes;

    FormScanObserver observer(*this);
    file_engines::ShellFileDeleter shellDeleter(LanguageFlag, GetForegroundWindow());
    MoveFilesDeleter deleter(*this, shellDeleter);
    cleaning::JunkScan scan(settings, observer, deleter, *FoundFiles);
    file_engines::WalkLocations(
        CheckedScanLocations(),
        [&](IShellFolder* folder, const std::string& path) { ScanShellFolder(folder, path, nullptr, scan); },
        observer);
    ScannedBytes = scan.ScannedBytes();

    if (Frame2)
        Frame2->ProgressBar1->SetPosition(100);
    Label11->SetCaption(language::Text("Jetzt suchen", "Scan now"));
    Application->ProcessMessages();
    if (cleaning::DeletesAtOnce(ScanMode))
        Application->ShowMainForm = true; // the scan process was started hidden
    Label1->SetCaption(language::Text("Bereit . . .", "Ready . . ."));
}
