// The path guard of every bulk delete, and emptying a folder's content.
#include "cleaning/SpecialFolders.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSymlink.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace testing_support;
using special_folders::MayEmpty;

namespace {

TEST(PathGuard, RefusesWhatNoBulkDeleteMayEmpty)
{
    const special_folders::ProtectedFolders guarded = special_folders::SystemProtectedFolders();
    char windows[MAX_PATH] = {}, system[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    char profile[MAX_PATH] = {};
    GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    const std::string profiles = std::string(profile).substr(0, std::string(profile).find_last_of('\\'));
    struct Case { std::string folder, lastName; };
    for (const Case& c : std::vector<Case>{{"", ""},
                                           {"C:\\", ""},
                                           {"C:", ""},
                                           {"c:\\\\", ""},
                                           {"\\\\server\\share\\", ""},
                                           {"Recent", "Recent"},
                                           {".\\Recent", "Recent"},
                                           {windows, ""},
                                           {std::string(windows) + "\\", ""},
                                           {system, ""},
                                           {profile, ""},
                                           {profiles, ""},
                                           {std::string(profile) + "\\Documents", "Recent"},
                                           {std::string(windows) + "\\Prefetch\\..", "Prefetch"}})
        EXPECT_FALSE(MayEmpty(c.folder, c.lastName, guarded)) << c.folder;
    EXPECT_TRUE(MayEmpty(std::string(profile) + "\\Recent\\", "recent", guarded));
    EXPECT_TRUE(MayEmpty(std::string(windows) + "\\Prefetch", "Prefetch", guarded));
}

TEST(EmptyFolder, RemovesTheContentButNotTheFolderNorWhatALinkLeadsTo)
{
    TempFolder root, outside;
    const std::string folder = root / "Recent";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
    WriteFileText(folder + "\\a.lnk", "a");
    WriteFileText(folder + "\\sub\\b.txt", "b");
    WriteFileText(folder + "\\locked.txt", "r");
    SetFileAttributesA((folder + "\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFileText(outside / "keep.txt", "keep");
    ASSERT_TRUE(MakeUnixSymlink(folder + "\\link", outside.Path()));

    special_folders::EmptyResult result =
        special_folders::EmptyFolder(folder, "Recent", special_folders::SystemProtectedFolders());

    EXPECT_FALSE(result.refused);
    EXPECT_TRUE(Exists(folder));
    EXPECT_FALSE(Exists(folder + "\\a.lnk"));
    EXPECT_FALSE(Exists(folder + "\\sub"));
    EXPECT_FALSE(Exists(folder + "\\locked.txt"));
    EXPECT_EQ(ReadFileText(outside / "keep.txt"), "keep");
    RemoveUnixSymlink(folder + "\\link");
}

} // namespace
