// The short root names that stored key paths begin with ("HKLM\Software\..."), the roots
// they name and the roots' full names. The order is the order of the roots on the
// registry-cleaner page.
#pragma once

#include <windows.h>

#include <string>

struct RegistryRootPrefix {
    const char* prefix;   // "HKCR"
    HKEY root;
    const char* fullName; // "HKEY_CLASSES_ROOT"
    int rootIndex;        // the registry layer's root argument
};

constexpr int registryRootCount = 5;
extern const RegistryRootPrefix RegistryRoots[registryRootCount];

// The row of a prefix (exact, upper case), or nullptr.
const RegistryRootPrefix* RootOfPrefix(const std::string& prefix);

// A stored key path split at its first backslash. The prefix is kept as it was when it
// names no root (root stays nullptr); a text without backslash is all prefix.
struct KeyText {
    const RegistryRootPrefix* root = nullptr;
    std::string prefix;
    std::string path;
};
KeyText SplitKeyText(const std::string& text);
// prefix + "\" + path; "HKCU\" for the root key itself.
std::string JoinKeyText(const RegistryRootPrefix& root, const std::string& path);

// A path split at its last backslash: the parent ("" when there is none) and the name.
struct PathTail {
    std::string parent;
    std::string name;
};
PathTail SplitLastBackslash(const std::string& path);
