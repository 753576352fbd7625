#include "fileengines/FileIdentity.h"

#include "common/CaseRule.h"

#include <winternl.h>

namespace file_identity {

namespace {

std::string NameOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

} // namespace

std::optional<Identity> Of(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information))
        return std::nullopt;
    return Identity{information.dwVolumeSerialNumber,
                    (static_cast<unsigned long long>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

std::optional<unsigned long long> IndexOf(HANDLE handle)
{
    using Query = LONG(WINAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, ULONG);
    static const Query query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
    if (!query) {
        const std::optional<Identity> identity = Of(handle);
        return identity ? std::optional<unsigned long long>(identity->index) : std::nullopt;
    }
    constexpr ULONG fileInternalInformation = 6;
    IO_STATUS_BLOCK status{};
    LARGE_INTEGER internal{};
    if (query(handle, &status, &internal, sizeof internal, fileInternalInformation) < 0)
        return std::nullopt;
    return static_cast<unsigned long long>(internal.QuadPart);
}

std::string FinalPathOf(HANDLE handle)
{
    // Looked up at run time: Windows XP lacks it, and the program must still start there.
    using Final = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    static const Final final = reinterpret_cast<Final>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
    if (!final)
        return std::string();
    char path[MAX_PATH * 4];
    const DWORD length = final(handle, path, sizeof path, 0); // normalized, with the drive letter
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

Opened::Opened(const std::string& path)
    : handle_(::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr))
{
}

std::optional<Identity> Of(const std::string& path)
{
    const Opened opened(path);
    return opened.Valid() ? Of(opened.Handle()) : std::nullopt;
}

bool Same(const std::string& first, const std::string& second)
{
    const std::optional<Identity> a = Of(first);
    return a && a == Of(second);
}

bool LeadsElsewhere(HANDLE handle, const std::string& path)
{
    // Systems before Vista give no final path: they have no links to files either.
    std::string target = FinalPathOf(handle);
    if (target.empty())
        return false;
    if (target.compare(0, 8, "\\\\?\\UNC\\") == 0)
        target.replace(0, 7, "\\");
    else if (target.compare(0, 4, "\\\\?\\") == 0)
        target.erase(0, 4);

    // The walks name files by their long names; compare those.
    char longPath[MAX_PATH * 4];
    DWORD longLength = ::GetLongPathNameA(path.c_str(), longPath, sizeof longPath);
    std::string own = longLength > 0 && longLength < sizeof longPath ? std::string(longPath) : path;
    if (!common::SameText(NameOf(target), NameOf(own)))
        return true;
    return !Same(FolderOf(target), FolderOf(own));
}

} // namespace file_identity
