#include "archive/OpenedCopies.h"

#include "common/CaseRule.h"
#include "fileengines/FileIdentity.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace backup {

namespace {

// What tells the extracted file from one written in its place or over it since.
struct CopyFacts {
    file_identity::Identity identity;
    unsigned long long size = 0;
    FILETIME written{};

    bool operator==(const CopyFacts& other) const
    {
        return identity == other.identity && size == other.size && CompareFileTime(&written, &other.written) == 0;
    }
};

std::optional<CopyFacts> FactsOf(const std::string& path)
{
    const file_identity::Opened file(path);
    BY_HANDLE_FILE_INFORMATION information{};
    const std::optional<file_identity::Identity> identity =
        file.Valid() ? file_identity::Of(file.Handle()) : std::nullopt;
    if (!identity || !GetFileInformationByHandle(file.Handle(), &information))
        return std::nullopt;
    return CopyFacts{*identity,
                     (static_cast<unsigned long long>(information.nFileSizeHigh) << 32) | information.nFileSizeLow,
                     information.ftLastWriteTime};
}

struct KeptCopy {
    std::string path;
    CopyFacts facts;

    bool Unchanged() const { return FactsOf(path) == facts; }
};

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
        for (const KeptCopy& copy : copies)
            if (copy.Unchanged()) {
                SetFileAttributesA(copy.path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(copy.path.c_str());
            }
        copies.clear();
    }

    std::vector<KeptCopy>::iterator Find(const std::string& path)
    {
        return std::find_if(copies.begin(), copies.end(),
                            [&path](const KeptCopy& copy) { return common::SameText(copy.path, path); });
    }

    std::vector<KeptCopy> copies;
};

KeptCopies& Copies()
{
    static KeptCopies copies;
    return copies;
}

} // namespace

void KeepUntilExit(const std::string& path)
{
    KeptCopies& kept = Copies();
    auto found = kept.Find(path);
    if (found != kept.copies.end())
        kept.copies.erase(found);
    // A copy whose facts cannot be read could not be told from the user's file later.
    if (const std::optional<CopyFacts> facts = FactsOf(path))
        kept.copies.push_back({path, *facts});
}

bool IsKeptCopy(const std::string& path)
{
    KeptCopies& kept = Copies();
    auto found = kept.Find(path);
    if (found == kept.copies.end())
        return false;
    if (found->Unchanged())
        return true;
    kept.copies.erase(found);
    return false;
}

void DeleteKeptCopies() { Copies().DeleteAll(); }

} // namespace backup
