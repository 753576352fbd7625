// Real files for the scan's tests: a temporary tree in the sandbox, links made the way
// the host system makes them, and a scan run over a folder of that tree.
#pragma once

#include "cleaning/JunkScan.h"
#include "tests/support/TempFolder.h"

#include <string>
#include <utility>
#include <vector>

namespace scan_test {

class TempTree {
public:
    TempTree() = default;
    ~TempTree();  // removes the links first, so that removing the tree never reaches through one

    const std::string& Root() const { return folder_.Path(); }
    std::string operator/(const std::string& relative) const { return folder_ / relative; }
    void Folder(const std::string& relative) const;
    void File(const std::string& relative, size_t size = 1) const;
    bool Exists(const std::string& relative) const;
    // A symbolic link inside the tree that leads to target; false when the system cannot make one.
    bool Link(const std::string& relative, const std::string& target);

private:
    testing_support::TempFolder folder_;
    std::vector<std::string> links_;
};

// Sets a file's times (UTC) as given; a zero time leaves that time alone.
void SetTimes(const std::string& path, FILETIME lastWrite, FILETIME lastAccess);

// Records every delete it is asked for; deletes nothing unless `really` is set.
class RecordingDeleter : public file_engines::FileDeleter {
public:
    file_engines::DeleteOutcome Delete(const std::string& path, file_engines::DeleteAction action) override;
    std::vector<std::pair<std::string, file_engines::DeleteAction>> asked;
};

class RecordingObserver : public file_engines::ScanObserver {
public:
    bool Cancelled() override { return cancelAfterFolders >= 0 && folders > cancelAfterFolders; }
    void FolderEntered(const std::string&) override { ++folders; }
    void Progress(int percent) override { percents.push_back(percent); }
    void DeleteFailed(const std::string& path) override { failures.push_back(path); }
    void LocationSkipped(const std::string& caption, HRESULT) override { skipped.push_back(caption); }

    int cancelAfterFolders = -1;
    int folders = 0;
    std::vector<int> percents;
    std::vector<std::string> failures;
    std::vector<std::string> skipped;
};

// Scans `folder` as the one checked location, with the default masks unless settings
// bring their own; returns the found files' paths (the records stay in `found`).
std::vector<std::string> Scan(const std::string& folder, cleaning::ScanSettings settings,
                              file_engines::FileDeleter& deleter, RecordingObserver& observer,
                              TObjectList<FoundFileRecord>& found, DWORD enumFlags = 0x60);

// The default masks in upper case, all checked, as the scan uses them.
std::vector<CheckedEntry> DefaultScanMasks();

// Relative paths of the found files under root, sorted.
std::vector<std::string> Relative(const std::string& root, std::vector<std::string> paths);

} // namespace scan_test
