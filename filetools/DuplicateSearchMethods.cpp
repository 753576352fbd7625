// The duplicate search of a "/duplicate" start: the progress dialog, the walk over the
// checked locations of the duplicate list, the grouping, and the duplicates window.
#include "shell/Unit1.h"

#include "fileengines/FileFacts.h"
#include "fileengines/ScanRecords.h"
#include "fileengines/ShellWalk.h"
#include "pageparts/Scanframe.h"
#include "common/FindHandle.h"
#include "common/Language.h"
#include "filetools/DuplicateFinder.h"
#include "filetools/DuplicateModeOn.h"
#include "filetools/Showdoublefiles.h"
#include "pageparts/HostDialog.h"
#include "common/OptionsKeys.h"
#include "pageparts/WindowLayout.h"
#include "toolkit/Button.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/PathText.h"
#include "toolkit/RadioButton.h"
#include "toolkit/Timer.h"

#include <set>

namespace {

namespace keys = options::scanDoubleSettings;

// The criterion of the page's radio buttons (the date when none of the other three is
// chosen), with the byte limit of content mode.
duplicates::SearchOptions SearchOptionsOf(const TForm1& form)
{
    duplicates::SearchOptions options;
    options.criterion = form.CompareContent ? duplicates::Criterion::Content
                        : form.CompareSize  ? duplicates::Criterion::Size
                        : form.CompareName  ? duplicates::Criterion::Name
                                            : duplicates::Criterion::Date;
    options.byteLimit = form.DuplicateByteLimit;
    return options;
}

// Collects the files of the walk that pass the filter, with the progress by bytes.
class DuplicateCollector : public file_engines::WalkVisitor, public file_engines::ScanObserver {
public:
    DuplicateCollector(TForm1& form, bool allFiles, const std::string& filter)
        : form_(form), allFiles_(allFiles), filter_(filter)
    {
    }

    void Visit(const file_engines::WalkItem& item) override
    {
        if (!item.hasFindData || (item.findData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return;
        unsigned long long size = file_engines::SizeOf(item.findData);
        bytes_ += size;
        if (form_.ScanTotalBytes > 0 && Frame2) {
            int percent = static_cast<int>(bytes_ * 100.0 / static_cast<double>(form_.ScanTotalBytes));
            Frame2->ProgressBar1->SetPosition(percent > 100 ? 100 : percent);
        }
        if (duplicates::PassesFilter(item.path, allFiles_, filter_))
            form_.DuplicateCandidates.push_back({item.path, size, item.findData.ftLastWriteTime});
    }
    void FolderEntered(const std::string& path) override
    {
        if (Frame2)
            Frame2->Memo1->Lines()->SetText(path);
        Application->ProcessMessages();
    }
    bool Cancelled() override { return form_.AbortFlag != 0; }
    void LocationStarted(const std::string& caption) override
    {
        if (Frame2)
            Frame2->Label1->SetCaption(language::Text("Aktuelles Laufwerk : ", "Current Drive : ") + caption);
    }
    void LocationSkipped(const std::string& caption, HRESULT) override { form_.UnreadLocations.push_back(caption); }

private:
    TForm1& form_;
    bool allFiles_;
    std::string filter_;
    double bytes_ = 0;
};

} // namespace

DuplicatesWindowSource DuplicatesOfSearch(TForm1& search)
{
    DuplicatesWindowSource source;
    source.lines = search.DuplicateList.get();
    source.found = &search.ListedDuplicates;
    source.unknownIdentity = {search.UnknownIdentityDuplicates.begin(), search.UnknownIdentityDuplicates.end()};
    source.systemDir = search.SystemDir;
    source.shellIcons = SystemImageList;
    source.showProperties = TForm1::EigenschaftenDialog;
    source.exportAsHtml = [&search](TObject* sender, TListView* list, const std::string& title) {
        search.ExportAsHTML(sender, list, title);
    };
    // The window belongs to the search's form and goes before it.
    source.closed = [&search](HWND window) {
        search.WriteForm3Settings();
        SetCurrentDirectoryA(search.ProgramDir.c_str());
        if (search.StartAfresh(window))
            return;
        // The main window stays in this process after all, with the schedule that the
        // search process had paused.
        Application->ShowMainForm = true;
        search.Timer1->SetEnabled(true);
        search.Show();
    };
    return source;
}

void TForm1::RunDuplicateSearch()
{
    AbortFlag = 0;
    HourGlass busy;
    FoundFiles->Clear();
    StartScanDuplicate();
    Application->ProcessMessages();

    Form3 = new TForm3(this, DuplicatesOfSearch(*this));
    XPMenu1->InitComponent(Form3);
    GetForm3Settings();
    Form3->Show();
    Application->ProcessMessages();
    FillDuplicatesFiles();
}

void TForm1::StartScanDuplicate()
{
    MakeHostDialog(HostDialog::DuplicateProgress);
    Frame2 = MakeHostFrame<TFrame2>(HostPanel);
    Frame2->Button1->SetCaption(language::Text("Abbrechen", "Cancel"));
    // Cancel stops the search; its dialog closes once the search has unwound.
    Frame2->OnCancel = [this] { AbortFlag = 1; };
    Frame2->Memo1->Show();
    HostPanelInUse inUse(this);
    ShowHostDialog(HostDialog::DuplicateProgress);
    if (Frame2)
        Frame2->Button1->SetFocus();
    ScanDuplicateFiles();
    Application->ProcessMessages();
    DisplayDoubleSizeFiles();
    if (Form6)
        Form6->Close();
    Application->ProcessMessages();
}

void TForm1::ScanDuplicateFiles()
{
    FoundFiles->Clear();
    DuplicateCandidates.clear();
    UnreadableDuplicates.clear();
    DuplicateModeOn duplicateMode(DuplicateMode);
    if (Frame2)
        Frame2->ProgressBar1->SetPosition(0);
    DuplicateByteLimit = CompareContent && CheckBox2->Checked() ? static_cast<unsigned long long>(CSpinEdit4->Value()) : 0;
    Label1->SetCaption(language::Text("Suche nach doppelten Dateien. Bitte warten . . .",
                                      "Scanning for duplicate files. Please wait . . ."));
    GetDuplicateHDS();

    std::vector<file_engines::ScanLocation> locations;
    for (int row = 0; row < ListView17->Items()->Count() && row < DuplicateScanItems->Count(); ++row) {
        TListItem* item = ListView17->Items()->Item(row);
        if (item->Checked())
            locations.push_back({item->Caption(), (*DuplicateScanItems)[row]->parentFolder,
                                 (*DuplicateScanItems)[row]->item});
    }
    AbortFlag = 0;
    DuplicateCollector collector(*this, RadioButton9->Checked(), Edit1->Text());
    file_engines::WalkLocations(
        locations,
        [&](IShellFolder* folder, const std::string& path) { ScanShellFolder(folder, path, nullptr, collector); },
        collector);

    if (Frame2) {
        Frame2->ProgressBar1->SetPosition(100);
        Frame2->Label1->SetCaption(language::Text("Datenbank wird vorbereitet ...", "Initializing Database ..."));
        Frame2->Memo1->Hide();
    }
    Application->ProcessMessages();
}

void TForm1::DisplayDoubleSizeFiles()
{
    const duplicates::SearchOptions options = SearchOptionsOf(*this);
    // What the walk found is grouped even after a cancel; a second Cancel stops the comparing.
    AbortFlag = 0;
    int step = 0;
    auto cancelled = [this, &step] {
        if (++step % 16 == 0)
            Application->ProcessMessages();
        return AbortFlag != 0;
    };
    duplicates::Grouping grouping =
        duplicates::GroupDuplicates(DuplicateCandidates, options, duplicates::FileChecksum, cancelled);
    UnreadableDuplicates = grouping.unreadable;
    ChangedDuplicates = grouping.changed;
    UnknownIdentityDuplicates = grouping.unknownIdentity;
    std::set<std::string> listed;
    for (const auto& group : grouping.groups)
        listed.insert(group.begin(), group.end());
    ListedDuplicates.clear();
    for (const duplicates::Candidate& file : DuplicateCandidates)
        if (listed.count(file.path))
            ListedDuplicates.emplace(file.path, file);
    DuplicateList->Clear();
    for (const std::string& line : duplicates::ResultLines(grouping))
        DuplicateList->Add(line);
}

void TForm1::FillDuplicatesFiles()
{
    if (!Form3)
        return;
    Form3->FillRows();
    // What the groups mean, and what was left out, stand in the free status panel; the
    // delete question repeats what the groups mean.
    Form3->GroupMeaning = duplicates::GroupMeaning(SearchOptionsOf(*this), language::German());
    std::string note = Form3->GroupMeaning;
    // "1 file", "2 files": the count and its noun in the window's language.
    auto files = [this](size_t count, const char* what, const char* englishWhat) {
        return std::to_string(count) +
               language::Text(count == 1 ? " Datei " : " Dateien ", count == 1 ? " file " : " files ") +
               language::Text(what, englishWhat);
    };
    if (!UnreadableDuplicates.empty())
        note += std::string(note.empty() ? "" : "; ") +
                files(UnreadableDuplicates.size(), "nicht lesbar", "not readable");
    if (!ChangedDuplicates.empty())
        note += std::string(note.empty() ? "" : "; ") +
                files(ChangedDuplicates.size(), "während der Suche geändert", "changed during the search");
    if (!UnknownIdentityDuplicates.empty())
        note += std::string(note.empty() ? "" : "; ") +
                files(UnknownIdentityDuplicates.size(), "ohne Dateinummer des Laufwerks, nie automatisch markiert",
                      "without the drive's file number, never selected automatically");
    for (const std::string& location : UnreadLocations)
        note += std::string(note.empty() ? "" : "; ") + language::Text("Nicht gelesen: ", "Not read: ") + location;
    Form3->SetNote(note);
}

bool TForm1::GetFileTimeAndSize(const std::string& path)
{
    WIN32_FIND_DATAA found{};
    if (!FindHandle(path, found).Valid())
        return false;
    FoundFileDate = file_engines::DateTextToSecond(found.ftLastWriteTime);
    FoundFileSize = file_engines::SizeOf(found);
    return true;
}

void TForm1::GetForm3Settings()
{
    if (!Form3)
        return;
    TRegistry registry;
    window_layout::StoredLayout stored = window_layout::ReadLayout(registry, keys::Key, keys::ColumnsWidth);
    if (!stored.left || stored.left->empty())
        return;
    if (stored.columns && !stored.columns->empty())
        window_layout::ApplyColumnWidths(*Form3->ListView1, *stored.columns);
    if (auto rect = window_layout::WholeRect(stored, {10, 10, 733, 433}))
        window_layout::ApplyRect(*Form3, *rect);
}

void TForm1::WriteForm3Settings()
{
    if (!Form3)
        return;
    TRegistry registry;
    window_layout::WriteLayout(registry, keys::Key, keys::ColumnsWidth, window_layout::RectOf(*Form3),
                               window_layout::ColumnWidthsOf(*Form3->ListView1));
}
