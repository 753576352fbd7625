#include "cleaning/CheckedValues.h"

#include "shell/RegistryLayer.h"

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
    if (registry.OpenKey(parentKey, false) && registry.KeyExists(subkeyName))
        registry.DeleteKey(subkeyName);
    registry.CloseKey();
    bool opened = registry.OpenKey(parentKey + "\\" + subkeyName, true);
    if (opened)
        for (const CheckedEntry& entry : entries)
            registry.WriteString(entry.text, entry.active ? "1" : "0");
    registry.CloseKey();
    return opened;
}

} // namespace cleaning
