// What the found-files window needs of the program that opens it: the found records and
// the main form's settings and services. The main form hands the window one when it
// makes it (cleaning/FoundFilesMethods.cpp), so the window itself knows no main form.
#pragma once

#include "fileengines/PathGuard.h"
#include "toolkit/Contnrs.h"

#include <functional>
#include <string>
#include <vector>

class ShredderIo;
class TComponent;
class TListView;
class TXPMenu;
struct FoundFileRecord;
namespace backup {
struct PackResult;
}

class FoundFilesHost {
public:
    virtual ~FoundFilesHost() = default;

    // The records the list shows; a delete drops the ones whose files are gone.
    virtual TObjectList<FoundFileRecord>& Records() = 0;
    virtual std::string SystemDir() const = 0;
    virtual void ShowProperties(const std::string& path) = 0;
    virtual void ExportSelected(TListView& list, const std::string& title) = 0;
    // The zip backup radio button's choice, kept for the next window.
    virtual void RememberBackupChoice(bool zip) = 0;
    // A delete runs as a long job: a close waits for it, a task due meanwhile starts after it.
    // It does not start while another long job runs, whose cancel it would clear.
    virtual void RunAsLongJob(const std::function<void()>& job) = 0;
    // The flag a cancel sets, of the packing as of the shredding.
    virtual unsigned char& AbortFlag() = 0;
    // Packs the files into a new backup project under the zip progress window owned by
    // progressOwner, the backup folder's missing levels made by makeDirectory;
    // packingStarts is told once a project is claimed.
    virtual backup::PackResult BackUp(TComponent& progressOwner, const std::vector<std::string>& paths,
                                      const std::function<bool(const std::string& folder)>& makeDirectory,
                                      const std::function<void()>& packingStarts) = 0;
    // Names what a backup before a deletion did not save.
    virtual void ReportUnsavedFiles(const backup::PackResult& result) = 0;
    virtual path_guard::GuardedFolders GuardedFolders() const = 0;
    // The program's look, for the windows it opens.
    virtual TXPMenu* Look() = 0;
    virtual std::string ShredPasses() const = 0;
    // The disk the shredder works on in a test; nullptr: the real one.
    virtual ShredderIo* ShredderDisk() = 0;
};
