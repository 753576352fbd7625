// Emptying the places where Windows keeps traces: the Recent, Temp, Prefetch and offline
// pages folders and the recycle bin. These run silently (at start-up, from the clean
// center), so they never show the shell's error boxes; what they could not remove is
// counted and handed back.
#pragma once

#include <string>
#include <vector>

namespace special_folders {

// Folders that no bulk delete may ever empty, whatever a registry value says.
struct ProtectedFolders {
    std::vector<std::string> folders; // Windows, system, program files, profiles
};

// The protected folders of this system.
ProtectedFolders SystemProtectedFolders();

// True when the folder may be emptied: an absolute path that is no drive or share root,
// none of the protected folders, and -- unless expectedLastName is empty -- whose last
// name is expectedLastName (in any case). The folder's paths come from the registry and
// the environment, which anybody can point at C:\ or the Windows folder.
bool MayEmpty(const std::string& folder, const std::string& expectedLastName,
              const ProtectedFolders& protectedFolders);

struct EmptyResult {
    bool refused = false; // the guard refused the folder; nothing was touched
    unsigned left = 0;    // entries that could not be removed (in use, no rights)
    bool Succeeded() const { return !refused && left == 0; }
};

// Removes everything inside the folder, never the folder itself. Links and junctions in
// it are removed as entries, never entered. A missing folder is empty.
EmptyResult EmptyFolder(const std::string& folder, const std::string& expectedLastName,
                        const ProtectedFolders& protectedFolders);

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
