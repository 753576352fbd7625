#include "cleaning/CheckedValues.h"

#include "fileengines/Masks.h"
#include "common/CaseRule.h"
#include "pageparts/RegistryLayer.h"

#include <set>

namespace cleaning {

std::vector<CheckedEntry> ReadCheckedValues(TRegistry& registry, const std::string& key)
{
    std::vector<CheckedEntry> entries;
    if (registry.OpenKeyReadOnly(key)) {
        for (const std::string& name : registry.GetValueNames()) {
            std::optional<int> number;
            if (std::optional<std::string> data = registry.ReadString(name))
                number = registry_layer::StoredInteger(*data);
            entries.push_back(CheckedEntry{number.value_or(0) != 0, name});
        }
    }
    registry.CloseKey();
    return entries;
}

bool WriteCheckedValues(TRegistry& registry, const std::string& parentKey, const std::string& subkeyName,
                        const std::vector<CheckedEntry>& entries)
{
    registry.Access = KEY_READ | KEY_WRITE;
    bool saved = registry.OpenKey(parentKey + "\\" + subkeyName, true);
    if (saved)
        for (const CheckedEntry& entry : entries)
            saved = registry.WriteString(entry.text, entry.active ? "1" : "0") && saved;
    // Only once every entry is stored do the names that went away go; after a failure
    // the key keeps what it held, so the user's exclusions are never lost in between.
    if (saved) {
        std::set<std::string> kept;
        for (const CheckedEntry& entry : entries)
            kept.insert(common::UpperCase(entry.text)); // value names match without regard to case
        for (const std::string& name : registry.GetValueNames())
            if (!kept.count(common::UpperCase(name)))
                saved = registry.DeleteValue(name) && saved;
    }
    registry.CloseKey();
    return saved;
}

} // namespace cleaning
