#include "system/RegistryRoots.h"

const RegistryRootPrefix RegistryRoots[registryRootCount] = {
    {"HKCR", HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", 0},
    {"HKCU", HKEY_CURRENT_USER, "HKEY_CURRENT_USER", 1},
    {"HKLM", HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", 2},
    {"HKU", HKEY_USERS, "HKEY_USERS", 3},
    {"HKCC", HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG", 4},
};

const RegistryRootPrefix* RootOfPrefix(const std::string& prefix)
{
    for (const RegistryRootPrefix& root : RegistryRoots)
        if (prefix == root.prefix)
            return &root;
    return nullptr;
}

KeyText SplitKeyText(const std::string& text)
{
    KeyText split;
    const size_t slash = text.find('\\');
    split.prefix = text.substr(0, slash);
    if (slash != std::string::npos)
        split.path = text.substr(slash + 1);
    split.root = RootOfPrefix(split.prefix);
    return split;
}

std::string JoinKeyText(const RegistryRootPrefix& root, const std::string& path)
{
    return std::string(root.prefix) + "\\" + path;
}

PathTail SplitLastBackslash(const std::string& path)
{
    const size_t slash = path.rfind('\\');
    if (slash == std::string::npos)
        return {std::string(), path};
    return {path.substr(0, slash), path.substr(slash + 1)};
}
