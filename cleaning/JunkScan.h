// cleaning/ (an area): the junk scan, its pages and found-files window, and the clean center.
// The junk scan's per-file test: for each item of the walk, by the scan mode, either
// collect it as a found file, delete it at once, or let it be.
#pragma once

#include "fileengines/FileDeleter.h"
#include "fileengines/Masks.h"
#include "fileengines/ScanRecords.h"
#include "fileengines/ShellWalk.h"
#include "toolkit/Contnrs.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace cleaning {

// The scan modes, as the scan page offers them and the settings store them.
enum ScanMode {
    scanList = 0,                     // masks and exclusions; collect
    scanDeleteToRecycleBin = 1,       // masks and exclusions; delete at once (DeleteActionOf)
    scanDeleteToRecycleBinConfirmed = 2,
    scanDeletePermanentlyConfirmed = 3,
    scanDeletePermanently = 4,
    scanEmptyFiles = 5,               // size 0; collect
    scanNotAccessed = 6,              // last access more than olderThanDays days ago; collect
    scanFileName = 7,                 // full path contains the search text; collect
};

inline bool DeletesAtOnce(int mode) { return mode >= scanDeleteToRecycleBin && mode <= scanDeletePermanently; }

// How a mode that deletes at once deletes. Any other number (a mode that does not delete,
// or one that names no mode) gets the mildest delete, into the recycle bin after the
// shell's question, so that no number can make a delete harsher than the user chose.
file_engines::DeleteAction DeleteActionOf(int mode);

struct ScanSettings {
    int mode = scanList;
    std::vector<CheckedEntry> masks;       // in upper case, in list order
    std::vector<CheckedEntry> excludeDirs;
    bool skipRecycleBin = true;
    double olderThanDays = 0;
    std::string searchText;                // any case; compared in upper case
    SYSTEMTIME now{};                      // local time the ages are measured against
    unsigned long long totalBytes = 0;     // 100 % of the progress
    double startBytes = 0;                 // where the progress count begins
};

class JunkScan : public file_engines::WalkVisitor {
public:
    JunkScan(const ScanSettings& settings, file_engines::ScanObserver& observer, file_engines::FileDeleter& deleter,
             TObjectList<FoundFileRecord>& found);

    void Visit(const file_engines::WalkItem& item) override;
    void FolderEntered(const std::string& path) override { observer_.FolderEntered(path); }
    bool Cancelled() override { return observer_.Cancelled(); }

    double ScannedBytes() const { return scannedBytes_; }
    int Deleted() const { return deleted_; }

private:
    bool MatchesMasks(const std::string& path);
    void Collect(const file_engines::WalkItem& item, unsigned long long size);
    void CountProgress(unsigned long long size);
    std::string DisplayNameOf(const file_engines::WalkItem& item);

    const ScanSettings& settings_;
    file_engines::ScanObserver& observer_;
    file_engines::FileDeleter& deleter_;
    TObjectList<FoundFileRecord>& found_;
    file_engines::ExclusionTest exclusions_;
    std::string searchTextUpper_;
    double scannedBytes_;
    int lastPercent_ = -1;
    int deleted_ = 0;
    // The exclusion test depends on the folder only; the walk hands over one folder's
    // items in a row, so the answer is kept for the folder at hand.
    std::string lastFolder_;
    bool lastFolderExcluded_ = false;
    // How the shell shows the names of files of each ending (upper case): with their
    // extension, or without it (the user hides known extensions). Asking the shell costs
    // a registry look-up per file, so the first file of an ending is asked for all.
    enum class NameStyle { FullName, WithoutExtension, AskEachTime };
    std::unordered_map<std::string, NameStyle> nameStyles_;
};

} // namespace cleaning
