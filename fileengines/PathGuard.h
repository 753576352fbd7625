// The one guard of every bulk delete of a folder: the emptying of the special folders
// (clean center, start-up cleaning), the clean center's secure passes, the space
// manager's wipe and its delete to the recycle bin, and folder rows of the found-files
// window. Their folders come from the registry, the environment and the user, any of
// which can name a whole drive or the Windows folder.
#pragma once

#include "fileengines/FileIdentity.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace path_guard {

struct KnownFolders;

// The folders no bulk delete may take, as the system names them.
struct GuardedFolders {
    std::vector<std::string> folders;      // refused, and every folder that holds one
    std::vector<std::string> profileRoots; // refused, with every profile directly in them
    // What those folders and the folders that hold them are (volume and file index), asked
    // at the first judgement and kept while the two lists stay as they were.
    mutable std::shared_ptr<const KnownFolders> known;
};

// The Windows and system folders, both program-files folders (as the shell and the
// registry name them), the common data folders, the user's profile and its folders
// (documents, pictures, music, videos, favorites, downloads, saved games and the other
// shell folders, but not the trace folders this program empties), the folder that holds
// the profiles, and this program's own folder and backup folder.
// The system's part is asked once per process.
GuardedFolders SystemGuardedFolders(const std::string& programDir, const std::string& backupDir);

enum class Verdict {
    Allowed,
    NotAbsolute, // empty or relative: it would depend on the current folder
    WholeDrive,  // a drive or share root
    Protected,   // a guarded folder, a profile, or a folder that holds one of them
    Link,        // a junction or symbolic link: what it holds lies elsewhere
    Unreachable, // cannot be opened, or its file system gives no index: what it is cannot be told
    Misread,     // read as two folders: its own name ends in a blank or a dot ("x " opens "x",
                 // but "x \*" lists "x "), or a "\\?\" path names another than the system opens
};

// Where the guard asks a folder's index on its volume: the system, or a test's stand-in
// for a file system that gives none.
using IndexSource = std::optional<unsigned long long> (*)(HANDLE handle);

// The verdict for a folder. It is judged by what it is: the folder is opened as the system
// will open it for the delete (through any link, drive letter or share on the way, a name
// on the way that ends in a blank or a dot kept as it is) and its volume and file index
// are compared with those of the guarded folders and of the folders that hold them, and
// its parent's with the profile folders. A guarded folder that cannot be opened (not made
// yet, say) is compared by its canonical form (below), so it is refused however it is spelt.
Verdict Judge(const std::string& folder, const GuardedFolders& guarded,
              IndexSource index = file_identity::IndexOf);

// The full path with long names, without a "\\?\" prefix and without trailing dots,
// blanks and backslashes, upper-cased by the system's case rule ("C:" for a drive);
// "" when the path is not absolute.
std::string CanonicalPath(const std::string& path);

// Why a folder was refused, for the list of refused folders in a message: "  (a whole
// drive)" and the like, with its line break; "" for Allowed.
std::string RefusalNote(Verdict verdict, bool german);

} // namespace path_guard
