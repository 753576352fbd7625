#include "fileengines/SpecialFolders.h"

#include "common/CaseRule.h"
#include "common/FindHandle.h"
#include "common/PathFacts.h"
#include "fileengines/FolderDescent.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

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

bool RemoveFolder(const std::string& folder, Lister list, EmptyResult& result);

// Removes the folder's content, counting into result what stayed.
void RemoveContent(const std::string& folder, Lister list, EmptyResult& result)
{
    const Listing listing = list(folder);
    if (listing.error != ERROR_SUCCESS && result.unlisted.empty()) {
        result.unlisted = folder;
        result.listError = listing.error;
    }
    for (const FolderEntry& entry : listing.entries) {
        bool removed;
        if (IsLink(entry.attributes)) {
            // A link or junction goes as an entry; what it leads to lies outside.
            removed = folder_descent::RemoveLink(entry.path);
        } else if (entry.attributes & FILE_ATTRIBUTE_DIRECTORY) {
            removed = RemoveFolder(entry.path, list, result);
        } else {
            if (entry.attributes & FILE_ATTRIBUTE_READONLY)
                SetFileAttributesA(entry.path.c_str(), entry.attributes & ~FILE_ATTRIBUTE_READONLY);
            removed = DeleteFileA(entry.path.c_str()) != FALSE;
        }
        if (!removed)
            ++result.left;
    }
}

// A listed subfolder, with its content, unless it is no longer the folder that was listed.
bool RemoveFolder(const std::string& folder, Lister list, EmptyResult& result)
{
    folder_descent::EnteredFolder entered(folder);
    if (!entered.Entered())
        return false;
    RemoveContent(folder, list, result);
    return entered.Remove();
}

} // namespace

Listing ListFolder(const std::string& folder)
{
    Listing listing;
    WIN32_FIND_DATAA entry{};
    FindHandle find(folder + "\\*", entry);
    if (!find.Valid()) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND && error != ERROR_NO_MORE_FILES)
            listing.error = error;
        return listing;
    }
    do {
        if (!IsDots(entry.cFileName))
            listing.entries.push_back({folder + "\\" + entry.cFileName, entry.dwFileAttributes});
    } while (find.Next(entry));
    return listing;
}

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
                        const path_guard::GuardedFolders& guarded, Lister list)
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
    RemoveContent(path, list, result);
    return result;
}

Listing ShreddableEntries(const std::string& folder, Lister list)
{
    Listing listing = list(WithoutTrailingSlashes(folder));
    auto& entries = listing.entries;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const FolderEntry& entry) { return IsLink(entry.attributes); }),
                  entries.end());
    return listing;
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
