// Packs a list of files into a new zip archive, each under its full path, and tells
// afterwards which of them the finished archive really holds. A file counts as saved
// only when its add succeeded, the archive was closed without error and its directory
// lists the file: only such files may be deleted after a backup.
#pragma once

#include "archive/ZipTypes.h"

#include <string>
#include <vector>

namespace backup {

class PackObserver {
public:
    virtual ~PackObserver() = default;
    // Asked before each file; true stops the loop (the files packed so far stay packed).
    virtual bool Cancelled() = 0;
    virtual void FileStarted(const std::string& path) = 0;
    virtual void AddFailed(const std::string& path, ZipResult result) = 0;
};

struct PackResult {
    bool archiveOpened = false;       // the archive file could be created
    bool archiveClosed = false;       // its directory and end record were written
    bool cancelled = false;
    std::vector<std::string> saved;   // in the closed archive, checked by reading it back
    std::vector<std::string> unsaved; // failed, not reached, or lost with the archive

    bool Complete() const { return archiveClosed && !cancelled && unsaved.empty(); }
};

// Empty paths are skipped. When nothing could be saved the archive file is removed
// again, so that no empty or broken archive stays behind.
PackResult PackFiles(const std::string& archivePath, const std::vector<std::string>& paths,
                     PackObserver& observer);

// The names of the entries of an archive, '/' turned to '\'; false when it does not open.
bool ArchiveEntryNames(const std::string& archivePath, std::vector<std::string>& names);

} // namespace backup
