#include "spacemanager/FolderSizing.h"

#include "common/FindHandle.h"
#include "toolkit/NoDiskBoxes.h"

#include <shlobj.h>

#include <cstring>

namespace {

std::string Child(const std::string& folder, const char* name)
{
    if (!folder.empty() && folder.back() == '\\')
        return folder + name;
    return folder + "\\" + name;
}

uint64_t EntrySize(const WIN32_FIND_DATAA& entry)
{
    return (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

bool IsDotEntry(const char* name) { return !strcmp(name, ".") || !strcmp(name, ".."); }

bool Walk(const std::string& folder, const KeepSizing& keepGoing, uint64_t& total,
          const SubfolderMeasured& subfolderMeasured = {})
{
    WIN32_FIND_DATAA entry;
    FindHandle search(Child(folder, "*"), entry);
    if (!search.Valid())
        return true;
    do {
        if (keepGoing && !keepGoing())
            return false;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            total += EntrySize(entry);
        } else if (!IsDotEntry(entry.cFileName)) {
            total += EntrySize(entry);
            // A junction or a link to a folder may lead anywhere, even back up the tree.
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                const std::string subfolder = Child(folder, entry.cFileName);
                uint64_t below = 0;
                const bool whole = Walk(subfolder, keepGoing, below);
                total += below;
                if (!whole)
                    return false;
                if (subfolderMeasured)
                    subfolderMeasured(subfolder, below);
            }
        }
    } while (search.Next(entry));
    return true;
}

} // namespace

uint64_t MeasureFolder(const std::string& folder, const KeepSizing& keepGoing, bool& complete,
                       const SubfolderMeasured& subfolderMeasured)
{
    NoDiskBoxes quiet;
    uint64_t total = 0;
    complete = Walk(folder, keepGoing, total, subfolderMeasured);
    return total;
}

bool IsDriveRootName(const std::string& parsingName) { return !parsingName.empty() && parsingName.size() < 4; }

uint64_t DriveUsedBytes(const std::string& root)
{
    if (root.size() >= 2 && (root[0] == 'A' || root[0] == 'a') && root[1] == ':')
        return 0;
    NoDiskBoxes quiet;
    ULARGE_INTEGER freeToCaller, total, totalFree;
    if (!GetDiskFreeSpaceExA(root.c_str(), &freeToCaller, &total, &totalFree))
        return 0;
    return total.QuadPart - totalFree.QuadPart;
}

ItemKind ClassifyItem(ULONG shellAttributes, const std::string& parsingName, bool hasFindData,
                      DWORD fileAttributes)
{
    if (!(shellAttributes & SFGAO_FOLDER) || (shellAttributes & SFGAO_STREAM))
        return ItemKind::File;
    if (IsDriveRootName(parsingName))
        return ItemKind::Drive;
    if (!(shellAttributes & SFGAO_FILESYSTEM))
        return ItemKind::Virtual;
    if (hasFindData && !(fileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return ItemKind::File;
    if (fileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return ItemKind::Link;
    return ItemKind::Folder;
}
