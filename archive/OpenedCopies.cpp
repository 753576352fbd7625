#include "archive/OpenedCopies.h"

#include "common/CaseRule.h"

#include <windows.h>

#include <vector>

namespace backup {

namespace {

// Its destructor runs when the program ends (a static object's, after the message loop
// has returned).
class KeptCopies {
public:
    KeptCopies() = default;
    KeptCopies(const KeptCopies&) = delete;
    KeptCopies& operator=(const KeptCopies&) = delete;
    ~KeptCopies() { DeleteAll(); }

    void DeleteAll()
    {
        for (const std::string& path : paths) {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        paths.clear();
    }

    std::vector<std::string> paths;
};

KeptCopies& Copies()
{
    static KeptCopies copies;
    return copies;
}

} // namespace

void KeepUntilExit(const std::string& path)
{
    if (!IsKeptCopy(path))
        Copies().paths.push_back(path);
}

bool IsKeptCopy(const std::string& path)
{
    for (const std::string& kept : Copies().paths)
        if (common::SameText(kept, path))
            return true;
    return false;
}

void DeleteKeptCopies() { Copies().DeleteAll(); }

} // namespace backup
