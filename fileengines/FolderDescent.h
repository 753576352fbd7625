// Going down into a folder that a walk has listed, and removing it afterwards. Between the
// listing and the descent, whoever may write in the folder being emptied can swap a listed
// subfolder for a link or junction to a folder elsewhere; a walk that went on by the name
// would empty and remove that other folder. Every walk that deletes a folder tree (the
// emptying of the special folders, the shredder's "-s" walk, deleting a folder for good)
// goes down through EnteredFolder instead.
#pragma once

#include "common/FileHandle.h"

#include <windows.h>

#include <string>

namespace folder_descent {

// A folder opened by its name without following a link there, and kept open so that it
// stays what it is: while it is open nobody can rename, remove or swap it, nor a folder
// above it that a walk holds the same way. It is entered only when what was opened is a
// real folder reached under that very name: no link or junction (some systems, Wine among
// them, follow a link even when asked not to: the opened folder then has another path).
class EnteredFolder {
public:
    explicit EnteredFolder(const std::string& path);
    EnteredFolder(const EnteredFolder&) = delete;
    EnteredFolder& operator=(const EnteredFolder&) = delete;

    // False when the folder is gone, is a link now, or cannot be opened (then
    // GetLastError tells why): the walk neither goes down nor removes anything.
    bool Entered() const { return handle_.Valid(); }
    const std::string& Path() const { return path_; }

    // Removes the folder, emptied by now: only the very folder that was entered, never a
    // link that has taken its name. It goes when this object goes. False (with the
    // system's error in GetLastError) when it cannot go.
    bool Remove();

private:
    std::string path_;
    FileHandle handle_;
    BY_HANDLE_FILE_INFORMATION information_{}; // what was entered

};

// Removes a link or junction itself, never what it leads to, and only where the system
// lets the link itself be opened. Where it does not (Wine opens a folder link's target,
// and removing the link there removes an empty target as well), the link stays: false.
bool RemoveLink(const std::string& path);

} // namespace folder_descent
