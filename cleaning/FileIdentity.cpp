#include "cleaning/FileIdentity.h"

namespace file_identity {

std::optional<Identity> Of(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handle, &information))
        return std::nullopt;
    return Identity{information.dwVolumeSerialNumber,
                    (static_cast<unsigned long long>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

std::optional<Identity> Of(const std::string& path)
{
    HANDLE handle = ::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::optional<Identity> identity = Of(handle);
    ::CloseHandle(handle);
    return identity;
}

bool Same(const std::string& first, const std::string& second)
{
    const std::optional<Identity> a = Of(first);
    return a && a == Of(second);
}

} // namespace file_identity
