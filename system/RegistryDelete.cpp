#include "system/RegistryDelete.h"

#include "toolkit/Registry.h"

namespace regdelete {

bool DeleteKeyTree(HKEY root, const std::string& path)
{
    const PathTail tail = SplitLastBackslash(path);
    if (tail.name.empty())
        return false;
    TRegistry registry;
    registry.RootKey = root;
    registry.Access = KEY_READ | KEY_WRITE;
    if (!tail.parent.empty() && !registry.OpenKey(tail.parent, false))
        return false;
    return registry.KeyExists(tail.name) && registry.DeleteKey(tail.name) && !registry.KeyExists(tail.name);
}

bool DeleteValue(HKEY root, const std::string& path, const std::string& name)
{
    TRegistry registry;
    registry.RootKey = root;
    registry.Access = KEY_READ | KEY_WRITE;
    if (!registry.OpenKey(path, false))
        return false;
    return registry.ValueExists(name) && registry.DeleteValue(name);
}

bool DeleteFinding(const regscan::Finding& finding)
{
    const KeyText key = SplitKeyText(finding.keyText);
    if (!key.root)
        return false;
    return finding.isKey ? DeleteKeyTree(key.root->root, key.path)
                         : DeleteValue(key.root->root, key.path, finding.valueName);
}

Removal RemoveFinding(const regscan::Finding& finding)
{
    if (!regscan::EntryExists(finding))
        return Removal::Gone;
    if (!regscan::Unchanged(finding))
        return Removal::Changed;
    if (!regscan::StillMissing(finding))
        return Removal::Returned;
    if (DeleteFinding(finding))
        return Removal::Deleted;
    return regscan::EntryExists(finding) ? Removal::Failed : Removal::Gone;
}

bool IsEmptyKey(HKEY root, const std::string& path)
{
    RegistryKey key(root, path);
    DWORD subkeys = 0, values = 0;
    return key && RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                   nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys == 0 && values == 0;
}

} // namespace regdelete
