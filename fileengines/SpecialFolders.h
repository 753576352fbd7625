// Emptying the places where Windows keeps traces: the Recent, Temp, Prefetch and offline
// pages folders and the recycle bin. These run silently (at start-up, from the clean
// center), so they never show the shell's error boxes; what they could not remove is
// counted and handed back.
#pragma once

#include "fileengines/PathGuard.h"

#include <windows.h>

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

// The entries directly inside a folder, "." and ".." left out. A folder that cannot be
// listed (a user without rights, as for the Prefetch folder) gives the system's error
// code and no entries; a folder that is not there lists as empty.
struct FolderEntry {
    std::string path;  // full path
    DWORD attributes;
};
struct Listing {
    std::vector<FolderEntry> entries;
    DWORD error = ERROR_SUCCESS;
};
Listing ListFolder(const std::string& folder);
// How the functions below list a folder. Tests hand in one that the system refuses:
// their sandbox runs with every right.
using Lister = Listing (*)(const std::string& folder);

struct EmptyResult {
    bool refused = false; // the guard refused the folder; nothing was touched
    unsigned left = 0;    // entries that could not be removed (in use, no rights)
    // The first folder whose content could not even be listed, and the system's error:
    // what lies in it was not removed, and no count can tell how much that is.
    std::string unlisted;
    DWORD listError = ERROR_SUCCESS;
    bool Succeeded() const { return !refused && left == 0 && unlisted.empty(); }
};

// Removes everything inside the folder, never the folder itself. Links and junctions in
// it are removed as entries, never entered. A missing folder is empty.
EmptyResult EmptyFolder(const std::string& folder, const std::string& expectedLastName,
                        const path_guard::GuardedFolders& guarded, Lister list = ListFolder);

// The entries directly inside a folder, links and junctions left out: what a secure pass
// shreds one by one so that the folder itself stays.
Listing ShreddableEntries(const std::string& folder, Lister list = ListFolder);

// Empties the recycle bin of every drive without questions, progress or sound. True when
// it is empty afterwards (the shell reports a failure for a bin that was empty already).
bool EmptyRecycleBin();

} // namespace special_folders
