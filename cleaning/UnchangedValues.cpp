#include "cleaning/UnchangedValues.h"

#include "cleaning/CheckedValues.h"
#include "common/CaseRule.h"

#include <algorithm>
#include <utility>

namespace cleaning {

namespace {

// The entries as they are written: name and "1" or "0".
using Written = std::vector<std::pair<std::string, std::string>>;

Written AsWritten(const std::vector<CheckedEntry>& entries)
{
    Written written;
    for (const CheckedEntry& entry : entries)
        written.emplace_back(entry.text, entry.active ? "1" : "0");
    return written;
}

} // namespace

bool StoredAsIs(TRegistry& registry, const std::string& key, const std::vector<CheckedEntry>& entries)
{
    TRegistry reader;
    reader.RootKey = registry.RootKey;
    if (!reader.OpenKeyReadOnly(key))
        return false;
    Written stored;
    for (const std::string& name : reader.GetValueNames())
        stored.emplace_back(name, reader.ReadString(name).value_or(std::string()));
    reader.CloseKey();

    Written wanted = AsWritten(entries);
    if (stored == wanted)
        return true;
    // The registry orders names by their upper-case characters.
    std::stable_sort(wanted.begin(), wanted.end(),
                     [](const auto& x, const auto& y) { return common::LessText(x.first, y.first); });
    return stored == wanted;
}

bool WriteCheckedValuesIfChanged(TRegistry& registry, const std::string& parentKey, const std::string& subkeyName,
                                 const std::vector<CheckedEntry>& entries)
{
    if (StoredAsIs(registry, parentKey + "\\" + subkeyName, entries))
        return true;
    return WriteCheckedValues(registry, parentKey, subkeyName, entries);
}

} // namespace cleaning
