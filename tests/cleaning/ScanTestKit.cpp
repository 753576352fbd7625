#include "tests/cleaning/ScanTestKit.h"

#include "cleaning/Masks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace scan_test {

namespace {

// Wine shows a Unix symbolic link as a reparse point but cannot make one; the link is
// made with the Linux system call (this is a 32-bit Linux process there) on the paths
// Wine maps the names to.
using UnixNameOf = char*(CDECL*)(LPCWSTR);

std::string UnixName(const std::string& path)
{
    auto unixName = reinterpret_cast<UnixNameOf>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
    if (!unixName)
        return std::string();
    std::wstring wide(path.begin(), path.end()); // the test paths are ASCII
    char* name = unixName(wide.c_str());
    if (!name)
        return std::string();
    std::string result = name;
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

long LinuxSystemCall(long number, const char* first, const char* second)
{
    long result;
    asm volatile("int $0x80" : "=a"(result) : "a"(number), "b"(first), "c"(second) : "memory");
    return result;
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..")
                continue;
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(search, &entry));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

} // namespace

TempTree::TempTree()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    root_ = std::string(temp) + "tw_scan_" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
    EXPECT_TRUE(::CreateDirectoryA(root_.c_str(), nullptr));
}

TempTree::~TempTree()
{
    // Links go first, so that removing the tree can never reach through one.
    for (const std::string& link : links_) {
        std::string unixLink = UnixName(link);
        if (!unixLink.empty())
            LinuxSystemCall(10 /* unlink */, unixLink.c_str(), nullptr);
    }
    RemoveTree(root_);
}

void TempTree::Folder(const std::string& relative) const
{
    ASSERT_TRUE(::CreateDirectoryA((*this / relative).c_str(), nullptr)) << relative;
}

void TempTree::File(const std::string& relative, size_t size) const
{
    std::ofstream(*this / relative, std::ios::binary) << std::string(size, 'x');
}

bool TempTree::Exists(const std::string& relative) const
{
    return ::GetFileAttributesA((*this / relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool TempTree::Link(const std::string& relative, const std::string& target)
{
    std::string link = *this / relative;
    std::string unixLink = UnixName(link), unixTarget = UnixName(target);
    if (unixLink.empty() || unixTarget.empty() || LinuxSystemCall(83 /* symlink */, unixTarget.c_str(), unixLink.c_str()) != 0)
        return false;
    links_.push_back(link);
    return true;
}

void SetTimes(const std::string& path, FILETIME lastWrite, FILETIME lastAccess)
{
    HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    auto given = [](const FILETIME& time) { return time.dwLowDateTime || time.dwHighDateTime ? &time : nullptr; };
    EXPECT_TRUE(::SetFileTime(file, nullptr, given(lastAccess), given(lastWrite)));
    ::CloseHandle(file);
}

FILETIME LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME clock{};
    clock.wYear = static_cast<WORD>(year);
    clock.wMonth = static_cast<WORD>(month);
    clock.wDay = static_cast<WORD>(day);
    clock.wHour = static_cast<WORD>(hour);
    clock.wMinute = static_cast<WORD>(minute);
    clock.wSecond = static_cast<WORD>(second);
    FILETIME local{}, utc{};
    ::SystemTimeToFileTime(&clock, &local);
    ::LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

cleaning::DeleteOutcome RecordingDeleter::Delete(const std::string& path, int action)
{
    asked.emplace_back(path, action);
    return cleaning::DeleteOutcome::Declined;
}

std::vector<std::string> Scan(const std::string& folder, cleaning::ScanSettings settings,
                              cleaning::FileDeleter& deleter, RecordingObserver& observer,
                              TObjectList<FoundFileRecord>& found, DWORD enumFlags)
{
    if (settings.masks.empty())
        settings.masks = DefaultScanMasks();
    cleaning::ShellItemRecordParts location;
    HRESULT error = S_OK;
    EXPECT_TRUE(cleaning::MakeFolderLocation(folder, location, error)) << folder << " " << std::hex << error;
    cleaning::JunkScan scan(settings, observer, deleter, found);
    cleaning::WalkOptions options;
    options.enumFlags = enumFlags;
    cleaning::WalkLocations({{folder, location.parentFolder, location.item}}, options, scan, observer);
    if (location.parentFolder)
        location.parentFolder->Release();
    ::CoTaskMemFree(location.item);
    std::vector<std::string> paths;
    for (int i = 0; i < found.Count(); ++i)
        paths.push_back(found[i]->path);
    return paths;
}

std::vector<CheckedEntry> DefaultScanMasks()
{
    std::vector<CheckedEntry> masks;
    for (const std::string& mask : cleaning::DefaultMasks())
        masks.push_back({true, cleaning::UpperCase(mask)});
    return masks;
}

std::vector<std::string> Relative(const std::string& root, std::vector<std::string> paths)
{
    for (std::string& path : paths) {
        EXPECT_EQ(::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, path.c_str(), static_cast<int>(root.size()),
                                   root.c_str(), static_cast<int>(root.size())), CSTR_EQUAL) << path;
        path = path.substr(root.size() + 1);
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

} // namespace scan_test
