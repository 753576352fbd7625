// Deleting registry keys and values that a page found, each delete telling whether it
// really happened, so a row is removed only when its entry is gone.
#pragma once

#include "system/RegistryRoots.h"
#include "system/RegistryScan.h"

#include <string>

namespace regdelete {

// Deletes the key `path` with everything below it. A path that names no key below the
// root (empty, or ending in a backslash) is refused: the delete would take the parent.
bool DeleteKeyTree(HKEY root, const std::string& path);
// Deletes the value `name` ("" the default value) of the key `path`; false when it is
// not there or cannot be deleted.
bool DeleteValue(HKEY root, const std::string& path, const std::string& name);
// A key finding's key or a value finding's value.
bool DeleteFinding(const regscan::Finding& finding);

// What became of a finding that the user asked to delete.
enum class Removal {
    Deleted,  // deleted now
    Gone,     // already gone (deleted through another row, or by someone else): as good as deleted
    Changed,  // its value has other data now, or its key passes its check: left alone
    Returned, // a file or folder it said was missing exists again: left alone
    Failed,   // still there
};
// Deletes a finding as the user saw it, after testing once more that it still holds.
Removal RemoveFinding(const regscan::Finding& finding);
// True when the key opens and has neither subkeys nor values.
bool IsEmptyKey(HKEY root, const std::string& path);

} // namespace regdelete
