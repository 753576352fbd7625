#include "tests/cleaning/ScanTestKit.h"

#include "fileengines/Masks.h"
#include "common/CaseRule.h"
#include "tests/support/UnixSymlink.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace scan_test {

TempTree::~TempTree()
{
    for (const std::string& link : links_)
        testing_support::RemoveUnixSymlink(link);
}

void TempTree::Folder(const std::string& relative) const
{
    ASSERT_TRUE(::CreateDirectoryA((*this / relative).c_str(), nullptr)) << relative;
}

void TempTree::File(const std::string& relative, size_t size) const
{
    testing_support::WriteFileText(*this / relative, std::string(size, 'x'));
}

bool TempTree::Exists(const std::string& relative) const
{
    return testing_support::Exists(*this / relative);
}

bool TempTree::Link(const std::string& relative, const std::string& target)
{
    std::string link = *this / relative;
    DWORD attributes = ::GetFileAttributesA(target.c_str());
    bool toFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!testing_support::MakeUnixSymlink(link, target, toFolder))
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

file_engines::DeleteOutcome RecordingDeleter::Delete(const std::string& path, file_engines::DeleteAction action)
{
    asked.emplace_back(path, action);
    return file_engines::DeleteOutcome::Declined;
}

std::vector<std::string> Scan(const std::string& folder, cleaning::ScanSettings settings,
                              file_engines::FileDeleter& deleter, RecordingObserver& observer,
                              TObjectList<FoundFileRecord>& found, DWORD enumFlags)
{
    if (settings.masks.empty())
        settings.masks = DefaultScanMasks();
    file_engines::FolderLocation location;
    HRESULT error = S_OK;
    EXPECT_TRUE(file_engines::MakeFolderLocation(folder, location, error)) << folder << " " << std::hex << error;
    cleaning::JunkScan scan(settings, observer, deleter, found);
    file_engines::WalkOptions options;
    options.enumFlags = enumFlags;
    file_engines::WalkLocations(
        {{folder, location.parentFolder, location.item}},
        [&](IShellFolder* bound, const std::string& path) {
            file_engines::WalkShellFolder(bound, path, nullptr, options, scan);
        },
        observer);
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
    for (const std::string& mask : file_engines::DefaultMasks())
        masks.push_back({true, common::UpperCase(mask)});
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
