// The registry scan on entries seeded into the sandbox registry.
#include "common/PathFacts.h"
#include "common/Wow64.h"
#include "system/RegistryDelete.h"
#include "system/RegistryScan.h"
#include "tests/support/TempFolder.h"
#include "tests/system/RegistrySeeds.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <map>
#include <set>

namespace {

const std::vector<std::string> driveC = {"Hard Drive (C)"};

struct PathCase {
    std::string text;
    bool reported;
};

TEST(RegistryScanPathTest, TheWalksTestReportsOnlyMissingFilesOnCheckedDrives)
{
    const PathCase cases[] = {
        {"C:\\TwGone\\tool.exe /s", true},
        {"c:\\TwGone\\tool.dll,1", true},
        {"C:\\Program Files\\tool.exe", false},  // cut at the blank: no extension
        {seeds::LiveFile(), false},
        {"C:\\TwGone\\RunDll32.exe x", false},
        {"C:\\TwGone\\page.html", false},       // extension too long
        {"C:\\TwGone\\bLaNk.htm", false},
        {"\\\\server\\share\\x.dll", false},     // no drive letter
        {"xC:\\TwGone\\x.dll", false},           // ":\" not at the second character
        {"Q:\\TwGone\\x.dll", false},            // a drive not checked
        {"C:\\x\\a.dll\n", false},               // a multi-string's line feed joins the extension
    };
    for (const PathCase& test : cases)
        EXPECT_EQ(regscan::Test(test.text, driveC).has_value(), test.reported) << test.text;
}

TEST(RegistryScanPathTest, OnlyNotFoundIsMissing)
{
    const struct {
        std::string path;
        common::Presence presence;
    } cases[] = {
        {"C:\\TwGone\\x.dll", common::Presence::Missing},
        {seeds::LiveFile(), common::Presence::Exists},
        {"C:\\TwGone\\" + std::string(300, 'x') + ".dll", common::Presence::Unknown}, // too long to ask
        {"\\\\nosuchserver\\share\\x.dll", common::Presence::Unknown},
        {seeds::AbsentDriveRoot() + "TwGone\\x.dll", common::Presence::Unknown}, // a disk not plugged in
    };
    for (const auto& test : cases)
        EXPECT_EQ(common::PresenceOf(test.path), test.presence) << test.path;
    EXPECT_FALSE(regscan::Test(cases[2].path, driveC));
}

TEST(RegistryScanPathTest, TokensAreExpandedAtTheFrontAndTheOddTokenIsKept)
{
    const regscan::Folders folders{"C:\\windows", "C:\\Program Files", "C:\\windows\\system32"};
    EXPECT_EQ(regscan::ConvertPath("%WinDir%\\x.dll", folders), "C:\\windows\\x.dll");
    EXPECT_EQ(regscan::ConvertPath("%SYSSTEM32%\\y.dll,2", folders), "C:\\windows\\system32\\y.dll");
    EXPECT_EQ(regscan::ConvertPath("%SYSTEM32%\\y.dll", folders), "%SYSTEM32%\\y.dll");
    EXPECT_TRUE(regscan::Test1("%WINDIR%\\TwGone\\z.dll", folders));
    EXPECT_FALSE(regscan::Test1("%PROGRAMFILES%\\TwGone\\z.dll", folders)); // cut at the blank
    EXPECT_FALSE(regscan::Test1("%windir%\\win.ini", {seeds::WindowsFolder(), "", ""}));
}

const char* const walkKey = "Software\\TidewrackScanSeeds";

TEST(RegistryScanWalkTest, TheWalkReportsExactlyTheDanglingValuesWithTheirRealData)
{
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, walkKey);
    const std::string sub = std::string(walkKey) + "\\Sub";
    const std::string longPath = "C:\\TwGone\\" + std::string(3000, 'x') + ".dll"; // not asked: unknown
    seeds::SetString(HKEY_CURRENT_USER, walkKey, "missing", "C:\\TwGone\\tool.exe /s");
    seeds::SetString(HKEY_CURRENT_USER, walkKey, "expand", "%SystemRoot%\\system32\\twgone.dll", REG_EXPAND_SZ);
    seeds::SetRaw(HKEY_CURRENT_USER, walkKey, "unterminated", REG_SZ,
                  {'C', ':', '\\', 'T', 'w', '\\', 'b', '.', 'd', 'l', 'l'});
    seeds::SetString(HKEY_CURRENT_USER, walkKey, "long", longPath);
    seeds::SetString(HKEY_CURRENT_USER, walkKey, "live", seeds::LiveFile());
    seeds::SetString(HKEY_CURRENT_USER, sub, "deep", "C:\\TwGone\\deep.ocx");

    regscan::Settings settings;
    settings.driveCaptions = driveC;
    settings.folders.windowsDir = "C:\\windows";
    settings.german = false;
    unsigned char cancel = 0;
    regscan::Scanner scanner(settings, cancel);
    std::set<std::string> found;
    scanner.OnFinding = [&](const regscan::Finding& finding) {
        EXPECT_FALSE(finding.isKey);
        EXPECT_EQ(finding.reason, "File or Path does not exist");
        EXPECT_FALSE(finding.modified.empty());
        found.insert(finding.keyText + "|" + finding.valueName + "|" + finding.data);
    };
    scanner.WalkKey(RegistryRoots[1], walkKey);

    const std::string key = std::string("HKCU\\") + walkKey;
    EXPECT_EQ(found, (std::set<std::string>{
                         key + "|missing|C:\\TwGone\\tool.exe /s",
                         key + "|expand|C:\\windows\\system32\\twgone.dll",
                         key + "|unterminated|C:\\Tw\\b.dll",
                         key + "\\Sub|deep|C:\\TwGone\\deep.ocx",
                     }));
    EXPECT_EQ(scanner.KeysWalked(), 2);
}

TEST(RegistryScanWalkTest, ACancelEndsTheWalkAfterTheValueInHand)
{
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, walkKey);
    for (const char* name : {"a", "b", "c"})
        seeds::SetString(HKEY_CURRENT_USER, std::string(walkKey) + "\\" + name, "v", "C:\\TwGone\\x.dll");
    regscan::Settings settings;
    settings.driveCaptions = driveC;
    unsigned char cancel = 0;
    regscan::Scanner scanner(settings, cancel);
    int findings = 0;
    scanner.OnFinding = [&](const regscan::Finding&) { ++findings; cancel = 1; };
    scanner.WalkKey(RegistryRoots[1], walkKey);
    EXPECT_EQ(findings, 1);
}

TEST(RegistryScanWalkTest, EachStringOfAMultiStringIsTestedOnItsOwn)
{
    testing_support::TempFolder folder;
    for (const char* name : {"a.db", "a.c"})
        testing_support::WriteFileText(folder / name, "x");
    const std::string gone = "C:\\TwGone\\a.dll", alsoGone = "C:\\TwGone\\b.ocx";
    const struct {
        const char* name;
        std::vector<std::string> strings;
        const char* reported; // the data shown, or nullptr
    } cases[] = {
        {"live", {folder / "a.db", folder / "a.c"}, nullptr},
        {"mixed", {folder / "a.db", gone}, nullptr}, // deleting it would take the live one too
        {"dead", {gone, "not a path", alsoGone}, "C:\\TwGone\\a.dll; C:\\TwGone\\b.ocx"},
        {"one", {gone}, "C:\\TwGone\\a.dll"},
    };
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, walkKey);
    for (const auto& test : cases) {
        std::vector<BYTE> data;
        for (const std::string& text : test.strings) {
            data.insert(data.end(), text.begin(), text.end());
            data.push_back(0);
        }
        data.push_back(0);
        seeds::SetRaw(HKEY_CURRENT_USER, walkKey, test.name, REG_MULTI_SZ, data);
    }
    regscan::Settings settings;
    settings.driveCaptions = driveC;
    unsigned char cancel = 0;
    regscan::Scanner scanner(settings, cancel);
    std::map<std::string, regscan::Finding> found;
    scanner.OnFinding = [&](const regscan::Finding& finding) { found[finding.valueName] = finding; };
    scanner.WalkKey(RegistryRoots[1], walkKey);
    for (const auto& test : cases) {
        ASSERT_EQ(found.count(test.name), test.reported ? 1u : 0u) << test.name;
        if (test.reported) {
            EXPECT_EQ(found[test.name].data, test.reported);
        }
    }
    EXPECT_EQ(found["dead"].missingPaths, (std::vector<std::string>{gone, alsoGone}));
}

// A path the ANSI functions read with '?' or a look-alike names another file than the
// stored one; a name read so names another value or key.
TEST(RegistryScanWalkTest, NamesAndTextsOutsideTheAnsiCodePageAreNotReported)
{
    if (!seeds::RegistryKeepsWideNames())
        GTEST_SKIP() << "this Wine keeps characters outside Windows-1252 out of the registry (run it with LANG=C.UTF-8)";
    testing_support::TempFolder folder;
    const std::wstring wideFolder(folder.Path().begin(), folder.Path().end());
    const std::wstring chinese = L"\u4E2D\u6587", lodz = L"\u0141\u00F3d\u017A"; // "Łódź" reads as "Lódz"
    // The folder's clean-up goes through the ANSI functions, which cannot name these files.
    struct WideFiles {
        std::vector<std::wstring> paths;
        ~WideFiles()
        {
            for (const std::wstring& path : paths)
                DeleteFileW(path.c_str());
        }
    } files;
    // The files exist where the file system can hold their names (Wine: with a UTF-8
    // locale); either way the paths stored must not be reported.
    for (const std::wstring& name : {chinese, lodz}) {
        files.paths.push_back(wideFolder + L"\\" + name + L".dll");
        HANDLE file = CreateFileW(files.paths.back().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
    const std::wstring key = L"Software\\TidewrackScanSeeds";
    const struct {
        std::wstring key, name, data;
    } cases[] = {
        {key, L"chinese data", wideFolder + L"\\" + chinese + L".dll"},
        {key, L"look-alike data", wideFolder + L"\\" + lodz + L".dll"},
        {key, chinese, L"C:\\TwGone\\name.dll"},
        {key + L"\\" + chinese, L"in a key", L"C:\\TwGone\\key.dll"},
        {key, L"plain", L"C:\\TwGone\\plain.dll"},
    };
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, walkKey);
    const std::string fileExts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.twseedwide";
    seeded.Own(HKEY_CURRENT_USER, fileExts);
    for (const auto& test : cases)
        seeds::SetWideString(HKEY_CURRENT_USER, test.key, test.name, test.data);
    // A key finding of the targeted checks whose subtree holds a name the export cannot spell.
    seeds::SetWideString(HKEY_CURRENT_USER, std::wstring(fileExts.begin(), fileExts.end()) + L"\\OpenWithList", L"a",
                         chinese + L".exe");

    regscan::Settings settings;
    settings.driveCaptions = driveC;
    unsigned char cancel = 0;
    regscan::Scanner scanner(settings, cancel);
    std::set<std::string> found;
    scanner.OnFinding = [&](const regscan::Finding& finding) {
        if (finding.keyText.find("Seeds") != std::string::npos || finding.keyText.find(".twseed") != std::string::npos)
            found.insert(finding.keyText + "|" + finding.valueName);
    };
    scanner.WalkKey(RegistryRoots[1], walkKey);
    scanner.ScanRegEntries();
    EXPECT_EQ(found, (std::set<std::string>{std::string("HKCU\\") + walkKey + "|plain"}));
}

// Seeds one dangling and one live entry for each targeted check; every seeded name holds
// "TWSEED", so the checks' findings on the prefix's own entries are told apart.
TEST(RegistryScanTargetedTest, EveryCheckFindsTheSeededDanglingEntriesAndNoLiveOnes)
{
    const std::string windows = seeds::WindowsFolder();
    const char* const fileExts = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
    const char* const help = "Software\\Microsoft\\Windows\\Help";
    const char* const htmlHelp = "Software\\Microsoft\\Windows\\HTML Help";
    const char* const appPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
    const char* const sharedDlls = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
    seeds::Seeded seeded;
    seeded.Own(HKEY_CLASSES_ROOT, "Applications\\TwSeedDead.exe");
    seeded.Own(HKEY_CLASSES_ROOT, "Applications\\TwSeedLive.exe");
    seeds::MakeKey(HKEY_CLASSES_ROOT, "Applications\\TwSeedDead.exe\\shell");
    seeds::SetString(HKEY_CLASSES_ROOT, "Applications\\TwSeedLive.exe\\shell\\Open\\command", "", "x.exe %1");
    seeded.Own(HKEY_CURRENT_USER, std::string(fileExts) + "\\.twseeddead");
    seeded.Own(HKEY_CURRENT_USER, std::string(fileExts) + "\\.twseedlive");
    seeds::MakeKey(HKEY_CURRENT_USER, std::string(fileExts) + "\\.twseeddead\\OpenWithList");
    seeds::MakeKey(HKEY_CURRENT_USER, std::string(fileExts) + "\\.twseedlive\\OpenWithProgids");
    seeded.Own(HKEY_CLASSES_ROOT, ".twseednoopen");
    seeded.Own(HKEY_CLASSES_ROOT, ".twseedshell");
    seeds::SetString(HKEY_CLASSES_ROOT, ".twseednoopen", "NoOpen", "");
    seeds::SetString(HKEY_CLASSES_ROOT, ".twseedshell", "NoOpen", "");
    seeds::MakeKey(HKEY_CLASSES_ROOT, ".twseedshell\\ShellNew");
    for (const char* key : {help, htmlHelp}) {
        seeded.OwnValue(HKEY_LOCAL_MACHINE, key, "twseedgone.hlp");
        seeded.OwnValue(HKEY_LOCAL_MACHINE, key, "win.ini");
        seeds::SetString(HKEY_LOCAL_MACHINE, key, "twseedgone.hlp", "C:\\TwSeedGone");
        seeds::SetString(HKEY_LOCAL_MACHINE, key, "win.ini", windows + "\\");
    }
    seeded.Own(HKEY_LOCAL_MACHINE, std::string(appPaths) + "\\twseeddead.exe");
    seeded.Own(HKEY_LOCAL_MACHINE, std::string(appPaths) + "\\twseedlive.exe");
    seeds::SetString(HKEY_LOCAL_MACHINE, std::string(appPaths) + "\\twseeddead.exe", "Path", "C:\\TwSeedGone;");
    seeds::SetString(HKEY_LOCAL_MACHINE, std::string(appPaths) + "\\twseedlive.exe", "Path", "%WINDIR%;");
    seeded.OwnValue(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\x.dll");
    seeds::SetDword(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\x.dll", 3);
    // On a disk that is not plugged in now: not known to be gone.
    const std::string unplugged = seeds::AbsentDriveRoot() + "TwSeedGone";
    for (const char* key : {help, htmlHelp}) {
        seeded.OwnValue(HKEY_LOCAL_MACHINE, key, "twseedunplugged.hlp");
        seeds::SetString(HKEY_LOCAL_MACHINE, key, "twseedunplugged.hlp", unplugged);
    }
    seeded.Own(HKEY_LOCAL_MACHINE, std::string(appPaths) + "\\twseedunplugged.exe");
    seeds::SetString(HKEY_LOCAL_MACHINE, std::string(appPaths) + "\\twseedunplugged.exe", "Path", unplugged);
    seeded.OwnValue(HKEY_LOCAL_MACHINE, sharedDlls, unplugged + "\\x.dll");
    seeds::SetDword(HKEY_LOCAL_MACHINE, sharedDlls, unplugged + "\\x.dll", 1);

    regscan::Settings settings;
    settings.folders.windowsDir = windows;
    settings.german = false;
    unsigned char cancel = 0;
    regscan::Scanner scanner(settings, cancel);
    std::set<std::string> found;
    scanner.OnFinding = [&](const regscan::Finding& finding) {
        std::string all = finding.keyText + "|" + finding.valueName + "|" + finding.data;
        std::string upper = all;
        CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
        if (upper.find("TWSEED") != std::string::npos || finding.valueName == "win.ini")
            found.insert(all + "|" + (finding.isKey ? "key" : "value") + "|" + finding.reason);
    };
    scanner.ScanRegEntries();

    const std::string hkcu = "HKCU\\", hklm = "HKLM\\";
    EXPECT_EQ(found, (std::set<std::string>{
                         "HKCR\\Applications\\TwSeedDead.exe|||key|Unused 'Open with' entry",
                         hkcu + fileExts + "\\.twseeddead|||key|Extension not used",
                         "HKCR\\.twseednoopen|||key|Extension not used",
                         hklm + help + "|twseedgone.hlp|C:\\TwSeedGone|value|Path or File does not exist",
                         hklm + htmlHelp + "|twseedgone.hlp|C:\\TwSeedGone|value|Path or File does not exist",
                         hklm + appPaths + "\\twseeddead.exe|Path|C:\\TwSeedGone;|value|Path or File does not exist",
                         hklm + sharedDlls + "|C:\\TwSeedGone\\x.dll|3|value|Path or File does not exist",
                     }));
}

TEST(RegistryScanTargetedTest, AppPathsFoldersAreTestedWithTheirVariablesExpanded)
{
    const std::string appPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\twseed";
    const struct {
        const char* path;
        bool reported;
    } cases[] = {
        {"%SystemDrive%\\windows;", false},
        {"%CommonProgramFiles%", false},
        {"%ProgramFiles(x86)%", false},
        {"%LOCALAPPDATA%", false},
        {"%TwSeedNoSuchVariable%\\tool", false}, // left unexpanded: not known to be missing
        {"\\\\nosuchserver\\share\\tool", false}, // a network path that cannot be asked
        {"%SystemDrive%\\TwSeedGone", true},
    };
    seeds::Seeded seeded;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string key = appPaths + std::to_string(i) + ".exe";
        seeded.Own(HKEY_LOCAL_MACHINE, key);
        seeds::SetString(HKEY_LOCAL_MACHINE, key, "", "C:\\TwSeedGone\\tool.exe");
        seeds::SetString(HKEY_LOCAL_MACHINE, key, "Path", cases[i].path, REG_EXPAND_SZ);
    }
    regscan::Settings settings;
    unsigned char cancel = 0;
    regscan::Scanner scanner(settings, cancel);
    std::vector<regscan::Finding> found;
    scanner.OnFinding = [&](const regscan::Finding& finding) {
        if (finding.keyText.find("App Paths\\twseed") != std::string::npos)
            found.push_back(finding);
    };
    scanner.ScanRegEntries();

    ASSERT_EQ(found.size(), 1u);
    const std::string dead = appPaths + std::to_string(std::size(cases) - 1) + ".exe";
    EXPECT_EQ(found[0].keyText, "HKLM\\" + dead);
    EXPECT_EQ(found[0].valueName, "Path");
    EXPECT_FALSE(found[0].isKey) << "the row shows the value: the value is what goes";
    EXPECT_EQ(regdelete::RemoveFinding(found[0]), regdelete::Removal::Deleted);
    EXPECT_FALSE(seeds::ValueExists(HKEY_LOCAL_MACHINE, dead, "Path"));
    EXPECT_TRUE(seeds::ValueExists(HKEY_LOCAL_MACHINE, dead, ""));
}

// 64-bit Windows shows a 32-bit program the 32-bit system folder in place of the real one:
// a file that only 64-bit programs see there is not missing, wherever it is named; a file
// that no program sees is. The delete tests it the same way.
TEST(RegistryScanWow64Test, AFileOnlyIn64BitSystem32IsNotMissing)
{
    if (!common::RunsUnderWow64())
        GTEST_SKIP() << "only a 32-bit program on 64-bit Windows sees two system folders";
    const std::string windows = seeds::WindowsFolder();
    const std::string only64 = windows + "\\system32\\twseed64.dll", gone = windows + "\\system32\\twseedgone.dll";
    // Written through the alias that shows this program the 64-bit folder.
    struct SeededFile {
        std::string path;
        ~SeededFile() { DeleteFileA(path.c_str()); }
    } file{windows + "\\Sysnative\\twseed64.dll"};
    testing_support::WriteFileText(file.path, "x");
    ASSERT_FALSE(common::Exists(only64)) << "the 32-bit view shows the 64-bit folder";

    const char* const run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string service = "System\\CurrentControlSet\\Services\\TwSeedService";
    seeds::Seeded seeded;
    seeded.OwnValue(HKEY_CURRENT_USER, run, "twseed64");
    seeded.OwnValue(HKEY_CURRENT_USER, run, "twseedgone");
    seeded.Own(HKEY_LOCAL_MACHINE, service);
    seeded.Own(HKEY_CURRENT_USER, walkKey);
    seeds::SetString(HKEY_CURRENT_USER, run, "twseed64", only64 + " /start");
    seeds::SetString(HKEY_CURRENT_USER, run, "twseedgone", gone + " /start");
    seeds::SetString(HKEY_LOCAL_MACHINE, service, "ImagePath", "%SystemRoot%\\system32\\twseed64.dll -k x",
                     REG_EXPAND_SZ);
    seeds::SetString(HKEY_LOCAL_MACHINE, service + "\\Parameters", "ServiceDll", "%SystemRoot%\\system32\\twseed64.dll",
                     REG_EXPAND_SZ);
    seeds::SetString(HKEY_CURRENT_USER, walkKey, "plain", only64);
    seeds::SetString(HKEY_CURRENT_USER, walkKey, "gone", gone);

    regscan::Settings settings;
    settings.driveCaptions = driveC;
    settings.folders.windowsDir = windows;
    unsigned char cancel = 0;
    regscan::Scanner scanner(settings, cancel);
    std::set<std::string> found;
    scanner.OnFinding = [&](const regscan::Finding& finding) {
        if (finding.data.find("twseed") != std::string::npos)
            found.insert(finding.keyText + "|" + finding.valueName);
    };
    scanner.WalkKey(RegistryRoots[1], run);
    scanner.WalkKey(RegistryRoots[2], service);
    scanner.WalkKey(RegistryRoots[1], walkKey);
    EXPECT_EQ(found, (std::set<std::string>{std::string("HKCU\\") + run + "|twseedgone",
                                            std::string("HKCU\\") + walkKey + "|gone"}));
    const regscan::Finding plain{std::string("HKCU\\") + walkKey, "plain", only64, "", "", false, {only64}};
    EXPECT_EQ(regdelete::RemoveFinding(plain), regdelete::Removal::Returned);
}

// Wine's 64-bit registry shows the App Paths key below Wow6432Node too, as one key that
// 32-bit and 64-bit programs share (64-bit Windows shares a list of keys): its dangling
// entry is one finding, and deleting it is one removal.
TEST(RegistryScanWalkTest, AKeyBothViewsShareIsListedOnce)
{
    const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\twseedshared.exe";
    seeds::Seeded seeded;
    seeded.Own(HKEY_LOCAL_MACHINE, key);
    seeds::SetString(HKEY_LOCAL_MACHINE, key, "", "C:\\TwSeedGone\\shared.exe");
#ifdef _WIN64
    ASSERT_TRUE(seeds::KeyExists(HKEY_LOCAL_MACHINE, "Software\\Wow6432Node" + key.substr(8))) << "both views show it";
#endif
    regscan::Settings settings;
    settings.roots[0] = settings.roots[1] = settings.roots[3] = settings.roots[4] = false; // the machine's keys
    settings.driveCaptions = driveC;
    unsigned char cancel = 0;
    regscan::Scanner scanner(settings, cancel);
    std::vector<regscan::Finding> found;
    scanner.OnFinding = [&](const regscan::Finding& finding) {
        if (finding.data.find("TwSeedGone\\shared") != std::string::npos)
            found.push_back(finding);
    };
    scanner.WalkRoots();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].keyText, "HKLM\\" + key) << "named where the system keeps it";
    EXPECT_EQ(regdelete::RemoveFinding(found[0]), regdelete::Removal::Deleted);
    EXPECT_FALSE(seeds::ValueExists(HKEY_LOCAL_MACHINE, key, ""));
}

// How long the walk over the whole sandbox registry takes, for the record.
TEST(RegistryScanWalkTest, TheWholeSandboxRegistryIsWalked)
{
    regscan::Settings settings;
    settings.driveCaptions = driveC;
    unsigned char cancel = 0;
    regscan::Scanner scanner(settings, cancel);
    int findings = 0;
    scanner.OnFinding = [&](const regscan::Finding&) { ++findings; };
    const auto start = std::chrono::steady_clock::now();
    scanner.WalkRoots();
    scanner.ScanRegEntries();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    RecordProperty("keys", scanner.KeysWalked());
    std::printf("whole sandbox registry: %d keys, %d findings, %.2f s\n", scanner.KeysWalked(), findings, seconds);
    EXPECT_GT(scanner.KeysWalked(), 1000);
}

} // namespace
