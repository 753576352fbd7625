// Lists of names with a check mark, kept as one string value per name under a key of
// the settings: value name = the name, data "1" (checked) or "0". Masks, exclusion
// folders, location check marks and added folders are all stored this way.
#pragma once

#include "fileengines/ScanRecords.h"
#include "toolkit/Registry.h"

#include <string>
#include <vector>

namespace cleaning {

// The values of `key` (under registry.RootKey, opened read-only, never created) in the
// order the registry enumerates them -- creation order on Windows, sorted by name under
// Wine. A data text that is not a non-zero number reads as unchecked, so a hand-edited
// value never turns a mask on. A missing key gives an empty list.
std::vector<CheckedEntry> ReadCheckedValues(TRegistry& registry, const std::string& key);

// Writes one value per entry in list order into the subkey `subkeyName` of `parentKey`
// (created when missing), then deletes the values whose names are not among the entries
// (compared without regard to case). Returns false when anything failed; a failed write
// deletes nothing, so the stored entries stay. Where the registry lists values in
// creation order, a name that stays keeps its place and new names follow.
bool WriteCheckedValues(TRegistry& registry, const std::string& parentKey, const std::string& subkeyName,
                        const std::vector<CheckedEntry>& entries);

} // namespace cleaning
