#include "cleaning/SpecialFolders.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>

namespace special_folders {

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string WithoutTrailingSlashes(std::string path)
{
    while (!path.empty() && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}

// The full path in upper case without trailing backslashes, so that "c:\windows\" and
// "C:\Windows" compare equal; "" for a relative or unreadable path.
std::string Canonical(const std::string& path)
{
    const bool drivePath = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
                           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    const bool sharePath = path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
    if (!drivePath && !sharePath)
        return std::string();
    char full[MAX_PATH * 2] = {};
    DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full)
        return std::string();
    return Upper(WithoutTrailingSlashes(full));
}

// "C:" or "\\server\share" (canonical form): the whole drive or share.
bool IsRoot(const std::string& canonical)
{
    if (canonical.size() <= 2)
        return true;
    if (canonical.compare(0, 2, "\\\\") != 0)
        return false;
    size_t server = canonical.find('\\', 2);
    return server == std::string::npos || canonical.find('\\', server + 1) == std::string::npos;
}

std::string LastName(const std::string& canonical)
{
    size_t slash = canonical.find_last_of('\\');
    return slash == std::string::npos ? canonical : canonical.substr(slash + 1);
}

std::string FolderOf(int csidl)
{
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) ? path : "";
}

bool IsLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

bool IsDots(const char* name) { return !strcmp(name, ".") || !strcmp(name, ".."); }

class FindHandle {
public:
    FindHandle(const std::string& pattern, WIN32_FIND_DATAA& entry)
        : handle_(FindFirstFileA(pattern.c_str(), &entry)) {}
    ~FindHandle() { if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_); }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& entry) { return FindNextFileA(handle_, &entry) != FALSE; }

private:
    HANDLE handle_;
};

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

ProtectedFolders SystemProtectedFolders()
{
    ProtectedFolders result;
    char path[MAX_PATH] = {};
    if (GetWindowsDirectoryA(path, MAX_PATH))
        result.folders.push_back(path);
    if (GetSystemDirectoryA(path, MAX_PATH))
        result.folders.push_back(path);
    for (int csidl : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROFILE, CSIDL_PERSONAL,
                      CSIDL_DESKTOPDIRECTORY, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_COMMON_APPDATA})
        if (std::string folder = FolderOf(csidl); !folder.empty())
            result.folders.push_back(folder);
    // The folder that holds every profile.
    std::string profile = WithoutTrailingSlashes(FolderOf(CSIDL_PROFILE));
    if (size_t slash = profile.find_last_of('\\'); slash != std::string::npos)
        result.folders.push_back(profile.substr(0, slash));
    return result;
}

bool MayEmpty(const std::string& folder, const std::string& expectedLastName,
              const ProtectedFolders& protectedFolders)
{
    const std::string canonical = Canonical(folder);
    if (canonical.empty() || IsRoot(canonical))
        return false;
    for (const std::string& guarded : protectedFolders.folders)
        if (Canonical(guarded) == canonical)
            return false;
    return expectedLastName.empty() || LastName(canonical) == Upper(expectedLastName);
}

EmptyResult EmptyFolder(const std::string& folder, const std::string& expectedLastName,
                        const ProtectedFolders& protectedFolders)
{
    EmptyResult result;
    if (!MayEmpty(folder, expectedLastName, protectedFolders)) {
        result.refused = true;
        return result;
    }
    const std::string path = WithoutTrailingSlashes(folder);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    // A folder that is itself a link is left alone: its content lives elsewhere.
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return result;
    if (IsLink(attributes)) {
        result.refused = true;
        return result;
    }
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
