#include "tests/support/UnixSymlink.h"

#include <windows.h>

namespace testing_support {

namespace {

using UnixNameOf = char*(CDECL*)(LPCWSTR);

UnixNameOf WineUnixName()
{
    return reinterpret_cast<UnixNameOf>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
}

std::string UnixPath(UnixNameOf unixName, const std::string& windowsPath)
{
    std::wstring wide(windowsPath.begin(), windowsPath.end()); // the test paths are ASCII
    char* name = unixName(wide.c_str());
    if (!name)
        return std::string();
    std::string result = name;
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

// Under Wine the program is a Linux process of its own width, so the system-call gate and
// numbers are those of i386 or of x86_64.
#if defined(__x86_64__)
long LinuxCall(long number, const char* first, const char* second = nullptr)
{
    long result;
    asm volatile("syscall" : "=a"(result) : "a"(number), "D"(first), "S"(second) : "rcx", "r11", "memory");
    return result;
}

constexpr long kLinuxSymlink = 88;
constexpr long kLinuxUnlink = 87;
#else
long LinuxCall(long number, const char* first, const char* second = nullptr)
{
    long result;
    asm volatile("int $0x80" : "=a"(result) : "a"(number), "b"(first), "c"(second) : "memory");
    return result;
}

constexpr long kLinuxSymlink = 83;
constexpr long kLinuxUnlink = 10;
#endif

// The link's own Unix name: its folder's, then its name as it stands. Wine would drop a
// trailing blank or dot of the name, and "x " would be the "x" beside it.
std::string UnixLinkPath(UnixNameOf unixName, const std::string& link)
{
    const size_t slash = link.find_last_of('\\');
    if (slash == std::string::npos)
        return UnixPath(unixName, link);
    const std::string folder = UnixPath(unixName, link.substr(0, slash));
    return folder.empty() ? folder : folder + "/" + link.substr(slash + 1);
}

} // namespace

bool MakeUnixSymlink(const std::string& link, const std::string& target, bool toFolder)
{
    if (UnixNameOf unixName = WineUnixName()) {
        std::string unixLink = UnixLinkPath(unixName, link), unixTarget = UnixPath(unixName, target);
        return !unixLink.empty() && !unixTarget.empty() &&
               LinuxCall(kLinuxSymlink, unixTarget.c_str(), unixLink.c_str()) == 0;
    }
    using Create = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    auto create = reinterpret_cast<Create>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA"));
    return create && create(link.c_str(), target.c_str(), toFolder ? 1 : 0);
}

void RemoveUnixSymlink(const std::string& link)
{
    if (UnixNameOf unixName = WineUnixName()) {
        std::string unixLink = UnixLinkPath(unixName, link);
        if (!unixLink.empty())
            LinuxCall(kLinuxUnlink, unixLink.c_str());
    } else if (!::RemoveDirectoryA(link.c_str())) {
        ::DeleteFileA(link.c_str());
    }
}

} // namespace testing_support

namespace testing_support {

MappedDrive::MappedDrive(char letter, const std::string& folder)
    : MappedDrive(std::string(1, static_cast<char>(letter | 0x20)) + ":", folder)
{
}

std::unique_ptr<MappedDrive> MappedDrive::Shares(const std::string& folder)
{
    return std::unique_ptr<MappedDrive>(new MappedDrive("unc", folder));
}

MappedDrive::MappedDrive(const std::string& device, const std::string& folder) : device_(device)
{
    if (UnixNameOf unixName = WineUnixName()) {
        // Wine names C:'s root through its link, "<prefix>/dosdevices/c:/"; the new
        // device's link goes beside it.
        std::string drive = UnixPath(unixName, "C:\\"), target = UnixPath(unixName, folder);
        size_t at = drive.rfind("/c:");
        if (at == std::string::npos || target.empty())
            return;
        link_ = drive.substr(0, at + 1) + device;
        made_ = LinuxCall(kLinuxSymlink, target.c_str(), link_.c_str()) == 0;
    } else if (device.size() == 2) {
        made_ = ::DefineDosDeviceA(0, device.c_str(), folder.c_str()) != FALSE;
    }
}

MappedDrive::~MappedDrive()
{
    if (!made_)
        return;
    if (!link_.empty())
        LinuxCall(kLinuxUnlink, link_.c_str());
    else
        ::DefineDosDeviceA(DDD_REMOVE_DEFINITION, device_.c_str(), nullptr);
}

} // namespace testing_support
