#include "archive/EntryExtraction.h"

#include "archive/BackupProjects.h"
#include "archive/Zip.h"

#include <windows.h>

namespace backup {

namespace {

bool MoveInPlace(const char* temporary, const std::string& target, bool replace)
{
    if (!replace)
        return MoveFileExA(temporary, target.c_str(), 0) != FALSE;
    // A read-only file would refuse to be replaced; it gets its mark back if the move fails.
    const DWORD old = GetFileAttributesA(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (MoveFileExA(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    if (old != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesA(target.c_str(), old);
    return false;
}

} // namespace

bool ExtractEntryTo(ZipHandle reader, int index, const std::string& target, bool replace)
{
    // Beside the target, so that the final move stays on one drive and cannot fail half-way.
    char temporary[MAX_PATH] = {};
    if (!GetTempFileNameA(FolderPartOf(target).c_str(), "twr", 0, temporary))
        return false;
    const bool placed = ZipReaderUnzipItem(reader, index, temporary, 0, ZipSourceKind::FileName) == ZipOk &&
                        MoveInPlace(temporary, target, replace);
    if (!placed) {
        SetFileAttributesA(temporary, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(temporary);
    }
    return placed;
}

} // namespace backup
