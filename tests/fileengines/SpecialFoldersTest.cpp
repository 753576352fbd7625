// The path guard of every bulk delete, and emptying a folder's content.
#include "fileengines/SpecialFolders.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSymlink.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <initguid.h>
#include <knownfolders.h>
#include <shlobj.h>

using namespace testing_support;

namespace {

std::string ShortName(const std::string& path)
{
    char buffer[MAX_PATH] = {};
    DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(buffer) : path;
}

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// A pretend system in a temporary folder: the guard takes its folders as given.
TEST(PathGuard, RefusesDrivesGuardedFoldersAndWhatHoldsThemInAnySpelling)
{
    TempFolder base, elsewhere;
    for (const char* name : {"Windows", "Windows\\System32", "Windows\\Prefetch", "Program Files (x86)", "Users",
                             "Users\\me", "Users\\me\\AppData", "Users\\me\\AppData\\Roaming", "Users\\me\\Temp",
                             "Users\\other", "Tidewrack", "junk"})
        CreateDirectoryA((base / name).c_str(), nullptr);
    ASSERT_TRUE(MakeUnixSymlink(base / "junk\\link", elsewhere.Path()));
    // Other names for guarded folders: a link on the way, a junction as Vista keeps for
    // old profile paths, another drive letter onto the profile.
    ASSERT_TRUE(MakeUnixSymlink(base / "junk\\mid", base / "Users\\me"));
    ASSERT_TRUE(MakeUnixSymlink(base / "Documents and Settings", base / "Users"));
    MappedDrive alias('M', base / "Users\\me");
    ASSERT_TRUE(alias.Made());
    // And a share onto the pretend system's drive: \\localhost\admin$ reaches base.
    CreateDirectoryA((elsewhere / "localhost").c_str(), nullptr);
    ASSERT_TRUE(MakeUnixSymlink(elsewhere / "localhost\\admin$", base.Path()));
    const std::unique_ptr<MappedDrive> shares = MappedDrive::Shares(elsewhere.Path());
    ASSERT_TRUE(shares->Made());
    path_guard::GuardedFolders guarded;
    guarded.folders = {base / "Windows", base / "Windows\\System32", base / "Program Files (x86)", base / "Users\\me",
                       base / "Users\\me\\AppData\\Roaming", base / "Tidewrack\\ZipBackup"};
    guarded.profileRoots = {base / "Users"};
    using path_guard::Verdict;
    struct Case { std::string path; Verdict verdict; };
    const Case cases[] = {
        {"", Verdict::NotAbsolute},
        {"junk", Verdict::NotAbsolute},
        {".\\junk", Verdict::NotAbsolute},
        {"C:\\", Verdict::WholeDrive},
        {"c:", Verdict::WholeDrive},
        {"C:/.", Verdict::WholeDrive},
        {"\\\\?\\C:\\", Verdict::WholeDrive},
        {"\\\\server\\share\\", Verdict::WholeDrive},
        {base / "Windows", Verdict::Protected},
        {Lower(base / "windows\\system32\\"), Verdict::Protected},
        {base / "Windows. \\System32 .", Verdict::Misread}, // "System32 " when listed
        {"\\\\?\\" + base / "Windows", Verdict::Protected},
        {base / "junk\\..\\Windows", Verdict::Protected},
        {ShortName(base / "Program Files (x86)"), Verdict::Protected},
        {base.Path(), Verdict::Protected},                  // holds them all
        {base / "Users\\me\\AppData", Verdict::Protected},   // a temp folder set one level too high
        {base / "Tidewrack", Verdict::Protected},            // holds the backups
        {base / "Users", Verdict::Protected},
        {base / "Users\\other", Verdict::Protected},         // somebody else's profile
        {base / "junk\\link", Verdict::Link},
        {base / "junk\\mid\\AppData", Verdict::Protected},
        {base / "Documents and Settings\\me\\AppData\\Roaming", Verdict::Protected},
        {base / "Documents and Settings\\other", Verdict::Protected},
        {"M:\\AppData", Verdict::Protected},
        {"m:\\appdata\\roaming\\", Verdict::Protected},
        {"\\\\localhost\\admin$\\Windows", Verdict::Protected},
        {"\\\\?\\UNC\\localhost\\admin$\\users\\ME\\AppData", Verdict::Protected},
        {"\\\\localhost\\c$\\windows", Verdict::Unreachable},        // a share that is not there
        {base / "junk\\missing", Verdict::Unreachable},
        {base / "junk\\mid\\Temp", Verdict::Allowed},
        {base / "Users\\me\\Temp", Verdict::Allowed},
        {ShortName(base / "Program Files (x86)") + "\\..\\junk", Verdict::Allowed},
        {base / "Windows\\Prefetch", Verdict::Allowed},
        {base / "junk", Verdict::Allowed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<int>(c.verdict), static_cast<int>(path_guard::Judge(c.path, guarded))) << c.path;
    for (const char* link : {"junk\\link", "junk\\mid", "Documents and Settings"})
        RemoveUnixSymlink(base / link);
    RemoveUnixSymlink(elsewhere / "localhost\\admin$");
}

// The system drops a trailing blank or dot of the last name only: "x \AppData" lies in the
// folder "x ", here a link onto the profile beside an ordinary "x" with the same inside,
// and "x " alone is "x" when opened but "x " when what it holds is listed.
TEST(PathGuard, JudgesANameEndingInABlankAsTheSystemOpensIt)
{
    TempFolder base;
    for (const char* name : {"Users", "Users\\me", "Users\\me\\AppData", "Users\\me\\AppData\\Roaming", "probe",
                             "probe\\x", "probe\\x\\AppData", "probe\\x\\AppData\\Roaming"})
        CreateDirectoryA((base / name).c_str(), nullptr);
    WriteFileText(base / "Users\\me\\AppData\\Roaming\\mail.dbx", "mail");
    ASSERT_TRUE(MakeUnixSymlink(base / "probe\\x ", base / "Users\\me"));
    path_guard::GuardedFolders guarded;
    guarded.folders = {base / "Users\\me", base / "Users\\me\\AppData\\Roaming"};
    using path_guard::Verdict;
    const std::pair<std::string, Verdict> cases[] = {
        {base / "probe\\x \\AppData\\Roaming", Verdict::Protected},
        {base / "probe\\x \\AppData", Verdict::Protected},
        {base / "probe\\x ", Verdict::Misread},
        {base / "probe\\x \\", Verdict::Misread},
        {"\\\\?\\" + base / "probe\\x ", Verdict::Misread},
        {"\\\\?\\" + base / "probe\\x\\..\\x", Verdict::Misread},
        {base / "probe\\x \\AppData\\..\\..\\x", Verdict::Allowed},
        {base / "probe\\x\\AppData\\Roaming", Verdict::Allowed},
    };
    for (const auto& [path, verdict] : cases)
        EXPECT_EQ(static_cast<int>(verdict), static_cast<int>(path_guard::Judge(path, guarded))) << path;
    for (const char* emptied :
         {"probe\\x \\AppData\\Roaming", "probe\\x \\AppData\\Roaming\\.", "probe\\x \\AppData\\Roaming "})
        EXPECT_TRUE(special_folders::EmptyFolder(base / emptied, "Roaming", guarded).refused) << emptied;
    EXPECT_EQ(ReadFileText(base / "Users\\me\\AppData\\Roaming\\mail.dbx"), "mail");
    RemoveUnixSymlink(base / "probe\\x ");
}

// A file system (or a redirector) that gives 0 for every index could not tell a guarded
// folder from any other.
TEST(PathGuard, RefusesAFolderWhoseIndexIsUnknown)
{
    TempFolder base;
    CreateDirectoryA((base / "junk").c_str(), nullptr);
    path_guard::GuardedFolders guarded;
    guarded.folders = {base / "Windows"};
    const path_guard::IndexSource noIndex = [](HANDLE) { return std::optional<unsigned long long>(0); };
    EXPECT_EQ(static_cast<int>(path_guard::Verdict::Unreachable),
              static_cast<int>(path_guard::Judge(base / "junk", guarded, noIndex)));
    EXPECT_EQ(static_cast<int>(path_guard::Verdict::Allowed),
              static_cast<int>(path_guard::Judge(base / "junk", guarded)));
}

TEST(PathGuard, KnowsThisSystemsFoldersAndTheProgramsOwn)
{
    // The program's folders need not exist to be guarded.
    const std::string program = "C:\\Tools\\Tidewrack";
    const path_guard::GuardedFolders guarded = path_guard::SystemGuardedFolders(program, program + "\\ZipBackup");
    char windows[MAX_PATH] = {}, system[MAX_PATH] = {}, profile[MAX_PATH] = {}, data[MAX_PATH] = {};
    char temp[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);
    SHGetFolderPathA(nullptr, CSIDL_PROFILE, nullptr, 0, profile);
    SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, data);
    GetTempPathA(MAX_PATH, temp);
    const std::string profiles = std::string(profile).substr(0, std::string(profile).find_last_of('\\'));
    char appData[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, appData);
    const std::string appDataParent = std::string(appData).substr(0, std::string(appData).find_last_of('\\'));
    for (const std::string& refused : {std::string(windows), std::string(system), std::string(profile), profiles,
                                       std::string(data), appDataParent, program, std::string("c:\\tools")})
        EXPECT_FALSE(special_folders::MayEmpty(refused, "", guarded)) << refused;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    for (const char* name : {"ProgramFilesDir", "ProgramFilesDir (x86)"}) {
        char folder[MAX_PATH] = {};
        DWORD size = sizeof folder;
        if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(folder), &size) == ERROR_SUCCESS) {
            EXPECT_FALSE(special_folders::MayEmpty(folder, "", guarded)) << folder;
        }
    }
    RegCloseKey(key);
    // The user's own folders, as the shell names them.
    std::vector<std::string> usersOwn;
    for (int csidl : {CSIDL_MYPICTURES, CSIDL_MYMUSIC, CSIDL_MYVIDEO, CSIDL_FAVORITES, CSIDL_STARTMENU, CSIDL_SENDTO,
                      CSIDL_TEMPLATES, CSIDL_COMMON_PICTURES}) {
        char folder[MAX_PATH] = {};
        EXPECT_HRESULT_SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, folder)) << csidl;
        usersOwn.push_back(folder);
    }
    using KnownFolderPath = HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, PWSTR*);
    const auto knownFolderPath = reinterpret_cast<KnownFolderPath>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("shell32.dll"), "SHGetKnownFolderPath")));
    ASSERT_TRUE(knownFolderPath);
    for (const GUID& id : {FOLDERID_Downloads, FOLDERID_SavedGames, FOLDERID_Contacts, FOLDERID_Links}) {
        PWSTR wide = nullptr;
        char folder[MAX_PATH] = {};
        EXPECT_HRESULT_SUCCEEDED(knownFolderPath(id, 0, nullptr, &wide));
        if (wide)
            WideCharToMultiByte(CP_ACP, 0, wide, -1, folder, MAX_PATH, nullptr, nullptr);
        CoTaskMemFree(wide);
        usersOwn.push_back(folder);
    }
    for (const std::string& folder : usersOwn)
        EXPECT_FALSE(special_folders::MayEmpty(folder, "", guarded)) << folder;
    // The special folders themselves, by their expected names.
    EXPECT_TRUE(special_folders::MayEmpty(temp, "", guarded));
    EXPECT_TRUE(special_folders::MayEmpty(std::string(windows) + "\\Prefetch", "prefetch", guarded));
    EXPECT_FALSE(special_folders::MayEmpty(std::string(profile) + "\\Documents", "Recent", guarded));
    EXPECT_FALSE(special_folders::MayEmpty(std::string(windows) + "\\Prefetch\\..", "Prefetch", guarded));
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
    CreateDirectoryA((outside / "empty").c_str(), nullptr);
    ASSERT_TRUE(MakeUnixSymlink(folder + "\\link", outside.Path()));
    // Removing a link to an empty folder must not remove that folder (Wine's
    // RemoveDirectoryA does).
    ASSERT_TRUE(MakeUnixSymlink(folder + "\\link2", outside / "empty"));

    special_folders::EmptyResult result =
        special_folders::EmptyFolder(folder, "Recent", path_guard::SystemGuardedFolders("", ""));

    EXPECT_FALSE(result.refused);
    EXPECT_TRUE(Exists(folder));
    EXPECT_FALSE(Exists(folder + "\\a.lnk"));
    EXPECT_FALSE(Exists(folder + "\\sub"));
    EXPECT_FALSE(Exists(folder + "\\locked.txt"));
    EXPECT_EQ(ReadFileText(outside / "keep.txt"), "keep");
    EXPECT_TRUE(Exists(outside / "empty"));
    RemoveUnixSymlink(folder + "\\link");
    RemoveUnixSymlink(folder + "\\link2");
}

// Another process that may write in the folder swaps a listed subfolder for a link to a
// folder elsewhere right after the folder was listed.
struct Swap {
    std::string listed, sub, movedTo, target;
} swapAfterListing;

special_folders::Listing ListThenSwap(const std::string& folder)
{
    special_folders::Listing listing = special_folders::ListFolder(folder);
    Swap& swap = swapAfterListing;
    if (folder == swap.listed && MoveFileA(swap.sub.c_str(), swap.movedTo.c_str()))
        MakeUnixSymlink(swap.sub, swap.target);
    return listing;
}

TEST(EmptyFolder, ASubfolderSwappedForALinkAfterTheListingIsNotFollowed)
{
    TempFolder root, outside;
    const std::string folder = root / "Recent";
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
    WriteFileText(folder + "\\sub\\mine.txt", "mine");
    CreateDirectoryA((outside / "victim").c_str(), nullptr);
    WriteFileText(outside / "victim\\keep.txt", "keep");
    swapAfterListing = {folder, folder + "\\sub", root / "moved", outside / "victim"};

    special_folders::EmptyResult result =
        special_folders::EmptyFolder(folder, "Recent", path_guard::SystemGuardedFolders("", ""), ListThenSwap);

    EXPECT_EQ(ReadFileText(outside / "victim\\keep.txt"), "keep");
    EXPECT_TRUE(Exists(outside / "victim"));
    EXPECT_FALSE(result.Succeeded());
    RemoveUnixSymlink(folder + "\\sub");
}

} // namespace
