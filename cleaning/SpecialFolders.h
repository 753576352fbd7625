// Emptying the places where Windows keeps traces: the Recent, Temp, Prefetch and offline
// pages folders and the recycle bin. These run silently (at start-up, from the clean
// center), so they never show the shell's error boxes; what they could not remove is
// counted and handed back.
#pragma once

#include "cleaning/PathGuard.h"

#include <string>
#include <vector>

namespace special_folders {

// True when the folder may be emptied: the path guard allows it, and -- unless
// expectedLastName is empty -- its last name is expectedLastName (in any case). The
// folders' paths come from the registry and the environment, which anybody can point at
// C:\ or the Windows folder. A folder that is not there, under a name the guard does
// not refuse, may be: there is nothing to take.
bool MayEmpty(const std::string& folder, const std::string& expectedLastName,
              const path_guard::GuardedFolders& guarded);

struct EmptyResult {
    bool refused = false; // the guard refused the folder; nothing was touched
    unsigned left = 0;    // entries that could not be removed (in use, no rights)
    bool Succeeded() const { return !refused && left == 0; }
};

// Removes everything inside the folder, never the folder itself. Links and junctions in
// it are removed as entries, never entered. A missing folder is empty.
EmptyResult EmptyFolder(const std::string& folder, const std::string& expectedLastName,
                        const path_guard::GuardedFolders& guarded);

// The entries directly inside a folder (full paths), links and junctions left out: what
// a secure pass shreds one by one so that the folder itself stays.
struct FolderEntry {
    std::string path;
    bool folder;
};
std::vector<FolderEntry> ShreddableEntries(const std::string& folder);

// Empties the recycle bin of every drive without questions, progress or sound. True when
// it is empty afterwards (the shell reports a failure for a bin that was empty already).
bool EmptyRecycleBin();

} // namespace special_folders
