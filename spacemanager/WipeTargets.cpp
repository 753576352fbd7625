#include "spacemanager/WipeTargets.h"

#include "filetools/ShredderArgv.h"

#include <windows.h>
#include <shlobj.h>

namespace {

std::string FullPath(const std::string& path)
{
    char full[MAX_PATH * 2] = "";
    DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

// Full, upper-cased, without a trailing backslash (except a drive root's "C:\").
std::string Normal(const std::string& path)
{
    std::string text = FullPath(path);
    if (!text.empty())
        CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    while (text.size() > 3 && text.back() == '\\')
        text.pop_back();
    return text;
}

// outer is inner or a folder above it.
bool Contains(const std::string& outer, const std::string& inner)
{
    if (outer.empty() || outer.size() > inner.size() || inner.compare(0, outer.size(), outer) != 0)
        return false;
    return inner.size() == outer.size() || outer.back() == '\\' || inner[outer.size()] == '\\';
}

std::string FolderOf(int csidl)
{
    char path[MAX_PATH] = "";
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)) ? path : "";
}

std::string ParentOf(const std::string& path)
{
    std::string::size_type slash = path.find_last_of('\\');
    return slash == std::string::npos || slash < 3 ? std::string() : path.substr(0, slash);
}

} // namespace

ProtectedFolders SystemProtectedFolders(const std::string& programDir)
{
    ProtectedFolders folders;
    char windows[MAX_PATH] = "", system[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    for (const std::string& path : {std::string(windows), std::string(system), FolderOf(CSIDL_PROGRAM_FILES),
                                    FolderOf(CSIDL_PROGRAM_FILES_COMMON), FolderOf(CSIDL_PROFILE),
                                    FolderOf(CSIDL_COMMON_APPDATA), programDir})
        if (!path.empty())
            folders.exact.push_back(path);
    // The folder that holds the profiles: every user's profile directly in it is one.
    const std::string profile = FolderOf(CSIDL_PROFILE);
    if (!ParentOf(profile).empty())
        folders.profileRoots.push_back(ParentOf(profile));
    return folders;
}

WipeVerdict JudgeWipeTarget(const std::string& path, const ProtectedFolders& folders)
{
    const std::string target = Normal(path);
    if (IsWholeDriveTarget(path, FullPath(path)) || target.size() <= 3)
        return WipeVerdict::WholeDrive;
    for (const std::string& folder : folders.exact)
        if (Contains(target, Normal(folder)))
            return WipeVerdict::Protected;
    for (const std::string& root : folders.profileRoots) {
        const std::string normalRoot = Normal(root);
        if (Contains(target, normalRoot) || ParentOf(target) == normalRoot)
            return WipeVerdict::Protected;
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return WipeVerdict::NotAFolder;
    return WipeVerdict::Allowed;
}
