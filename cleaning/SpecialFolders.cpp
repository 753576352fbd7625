#include "cleaning/SpecialFolders.h"

#include "common/CaseRule.h"
#include "common/FindHandle.h"
#include "common/PathFacts.h"

#include <windows.h>
#include <shlobj.h>

namespace special_folders {

namespace {

std::string WithoutTrailingSlashes(std::string path)
{
    while (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}

bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

// Not there at all; a folder the system will not show (no rights) is there.
bool IsMissing(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool IsDots(const char* name) { return !strcmp(name, ".") || !strcmp(name, ".."); }

// Removes the folder's content; returns the entries that stayed.
unsigned RemoveContent(const std::string& folder)
{
    unsigned left = 0;
    WIN32_FIND_DATAA entry{};
    FindHandle find(folder + "\\*", entry);
    if (!find.Valid())
        return 0;
    do {
        if (IsDots(entry.cFileName))
            continue;
        const std::string path = folder + "\\" + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(path.c_str(), entry.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
        bool removed;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // A link or junction goes as an entry; what it leads to lies outside.
            if (!IsLink(entry.dwFileAttributes))
                left += RemoveContent(path);
            removed = RemoveDirectoryA(path.c_str()) != FALSE;
        } else {
            removed = DeleteFileA(path.c_str()) != FALSE;
        }
        if (!removed)
            ++left;
    } while (find.Next(entry));
    return left;
}

} // namespace

bool MayEmpty(const std::string& folder, const std::string& expectedLastName,
              const path_guard::GuardedFolders& guarded)
{
    const path_guard::Verdict verdict = path_guard::Judge(folder, guarded);
    // The guard cannot open a folder that is not there; emptying it finds nothing to take.
    const bool missing = verdict == path_guard::Verdict::Unreachable && IsMissing(WithoutTrailingSlashes(folder));
    if (verdict != path_guard::Verdict::Allowed && !missing)
        return false;
    if (expectedLastName.empty())
        return true;
    const std::string canonical = path_guard::CanonicalPath(folder);
    return common::SameText(canonical.substr(canonical.find_last_of('\\') + 1), expectedLastName);
}

EmptyResult EmptyFolder(const std::string& folder, const std::string& expectedLastName,
                        const path_guard::GuardedFolders& guarded)
{
    EmptyResult result;
    // The guard refuses a folder that is itself a link as well: its content lives elsewhere.
    if (!MayEmpty(folder, expectedLastName, guarded)) {
        result.refused = true;
        return result;
    }
    const std::string path = WithoutTrailingSlashes(folder);
    if (!common::IsFolder(path))
        return result;
    result.left = RemoveContent(path);
    return result;
}

std::vector<FolderEntry> ShreddableEntries(const std::string& folder)
{
    std::vector<FolderEntry> entries;
    const std::string path = WithoutTrailingSlashes(folder);
    WIN32_FIND_DATAA entry{};
    FindHandle find(path + "\\*", entry);
    if (!find.Valid())
        return entries;
    do {
        if (IsDots(entry.cFileName) || IsLink(entry.dwFileAttributes))
            continue;
        entries.push_back({path + "\\" + entry.cFileName, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (find.Next(entry));
    return entries;
}

bool EmptyRecycleBin()
{
    // Looked up at run time: the oldest shells lack it.
    HMODULE shell = LoadLibraryA("SHELL32.DLL");
    if (!shell)
        return false;
    using EmptyFunction = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);
    using QueryFunction = HRESULT(WINAPI*)(LPCSTR, LPSHQUERYRBINFO);
    auto empty = reinterpret_cast<EmptyFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell, "SHEmptyRecycleBinA")));
    auto query = reinterpret_cast<QueryFunction>(
        reinterpret_cast<void*>(GetProcAddress(shell, "SHQueryRecycleBinA")));
    bool emptied = false;
    if (empty) {
        emptied = SUCCEEDED(empty(GetDesktopWindow(), nullptr,
                                  SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND));
        // What is left decides: one shell fails on a bin that was empty already, another
        // answers success and leaves folders and read-only files behind.
        SHQUERYRBINFO info{};
        info.cbSize = sizeof info;
        if (query && SUCCEEDED(query(nullptr, &info)))
            emptied = info.i64NumItems == 0;
    }
    FreeLibrary(shell);
    return emptied;
}

} // namespace special_folders
