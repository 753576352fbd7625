// Rewriting a check list only when it changed. A "Scan now" saves the lists for the scan
// process and then closes, which saves them again while the scan process may be reading
// them; skipping an unchanged list leaves that process an untouched key.
#pragma once

#include "fileengines/ScanRecords.h"
#include "toolkit/Registry.h"

#include <string>
#include <vector>

namespace cleaning {

// True when `key` holds exactly these entries, in this order or (where the registry
// lists values by name, as Wine does) in name order.
bool StoredAsIs(TRegistry& registry, const std::string& key, const std::vector<CheckedEntry>& entries);

// WriteCheckedValues unless the key already holds the entries.
bool WriteCheckedValuesIfChanged(TRegistry& registry, const std::string& parentKey, const std::string& subkeyName,
                                 const std::vector<CheckedEntry>& entries);

} // namespace cleaning
