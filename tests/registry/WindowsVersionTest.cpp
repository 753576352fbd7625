#include "shell/WindowsVersion.h"
#include "tests/support/SandboxWindows.h"

#include "toolkit/Registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace {

WindowsVersionRecord Record(DWORD platform, DWORD major, DWORD minor, DWORD build, const char* service,
                            BYTE productType = 0, WORD suite = 0, bool extended = true)
{
    WindowsVersionRecord r;
    r.platform = platform;
    r.major = major;
    r.minor = minor;
    r.build = build;
    r.service = service;
    r.productType = productType;
    r.suiteMask = suite;
    r.hasExtendedFields = extended;
    return r;
}

WindowsVersion Decode(const WindowsVersionRecord& record, std::optional<std::string> productType = std::nullopt,
                      bool hotfix = false)
{
    WindowsVersionFacts facts;
    facts.record = record;
    facts.productType = productType;
    facts.hotfixQ246009 = hotfix;
    return DecodeWindowsVersion(facts);
}

struct Row {
    WindowsVersionRecord record;
    const char* name;
    int level;
    int xp;
};

constexpr DWORD k9x = VER_PLATFORM_WIN32_WINDOWS;
constexpr DWORD kNt = VER_PLATFORM_WIN32_NT;
constexpr BYTE kWork = VER_NT_WORKSTATION;
constexpr BYTE kServer = VER_NT_SERVER;

} // namespace

TEST(WindowsVersionDecoder, EveryListedVersion)
{
    const Row rows[] = {
        {Record(VER_PLATFORM_WIN32s, 3, 10, 0, ""), "Microsoft Win32sVersion 3.10", 0, 0},
        {Record(k9x, 4, 0, 950, ""), "Microsoft Windows 95 Version 4.0", 0, 0},
        {Record(k9x, 4, 0, 1111, " B "), "Microsoft Windows 95 OSR2 Version 4.0", 0, 0},
        {Record(k9x, 4, 0, 1212, " C "), "Microsoft Windows 95 OSR2 Version 4.0", 0, 0},
        {Record(k9x, 4, 10, 1998, " "), "Microsoft Windows 98 Version 4.10", 0, 0},
        {Record(k9x, 4, 10, 2222, " A "), "Microsoft Windows 98  SE Version 4.10", 0, 0},
        {Record(k9x, 4, 90, 3000, " "), "Microsoft Windows Millennium EditionVersion 4.90", 0, 0},
        {Record(k9x, 4, 3, 0, ""), "Version 4.3", 0, 0},
        {Record(kNt, 5, 2, 3790, "Service Pack 1", kServer, 0),
         "Microsoft Windows Server 2003 family, Standard Edition Service Pack 1 (Build 3790) Version 5.2", 3, 1},
        {Record(kNt, 5, 2, 3790, "", kServer, 0x82),
         "Microsoft Windows Server 2003 family, Datacenter Edition  (Build 3790) Version 5.2", 3, 1},
        {Record(kNt, 5, 2, 3790, "", kServer, 0x02),
         "Microsoft Windows Server 2003 family, Enterprise Edition  (Build 3790) Version 5.2", 3, 1},
        {Record(kNt, 5, 2, 3790, "", kServer, 0x400),
         "Microsoft Windows Server 2003 family, Web Edition  (Build 3790) Version 5.2", 3, 1},
        // Web Edition sets exactly the blade bit; another bit beside it means Standard.
        {Record(kNt, 5, 2, 3790, "", kServer, 0x410),
         "Microsoft Windows Server 2003 family, Standard Edition  (Build 3790) Version 5.2", 3, 1},
        {Record(kNt, 5, 1, 2600, "Service Pack 2", kWork, 0),
         "Microsoft Windows XP Professional Service Pack 2 (Build 2600) Version 5.1", 3, 1},
        {Record(kNt, 5, 1, 2600, "Service Pack 3", kWork, VER_SUITE_PERSONAL),
         "Microsoft Windows XP Home Edition Service Pack 3 (Build 2600) Version 5.1", 3, 1},
        {Record(kNt, 5, 0, 2195, "Service Pack 4", kWork, 0),
         "Microsoft Windows 2000 Professional Service Pack 4 (Build 2195) Version 5.0", 2, 0},
        {Record(kNt, 5, 0, 2195, "", kServer, 0x80), "Microsoft Windows 2000 Datacenter Server  (Build 2195) Version 5.0", 2, 0},
        {Record(kNt, 5, 0, 2195, "", kServer, 0x02), "Microsoft Windows 2000 Advanced Server  (Build 2195) Version 5.0", 2, 0},
        {Record(kNt, 5, 0, 2195, "", kServer, 0), "Microsoft Windows 2000 Server  (Build 2195) Version 5.0", 2, 0},
        // A domain controller has no edition text.
        {Record(kNt, 5, 0, 2195, "SP1", VER_NT_DOMAIN_CONTROLLER, 0), "Microsoft Windows 2000 SP1 (Build 2195) Version 5.0", 2, 0},
        {Record(kNt, 4, 0, 1381, "Service Pack 6", kWork, 0),
         "Microsoft Windows NT Workstation 4.0 Service Pack 6 (Build 1381) Version 4.0", 1, 0},
        {Record(kNt, 4, 0, 1381, "", kServer, 0x02), "Microsoft Windows NT Server 4.0, Enterprise Edition  (Build 1381) Version 4.0", 1, 0},
        {Record(kNt, 4, 0, 1381, "", kServer, 0), "Microsoft Windows NT Server 4.0  (Build 1381) Version 4.0", 1, 0},
        {Record(kNt, 3, 51, 1057, "Service Pack 5", kWork, 0),
         "Microsoft Windows NT Professional Service Pack 5 (Build 1057) Version 3.51", 1, 0},
        // Versions the table does not list: level 0, but still named by edition and service pack.
        {Record(kNt, 6, 0, 6001, "Service Pack 1", kWork, 0), "Professional Service Pack 1 (Build 6001) Version 6.0", 0, 0},
        {Record(kNt, 5, 3, 1, "", kWork, 0), "Professional  (Build 1) Version 5.3", 0, 0},
        {Record(kNt, 6, 1, 7601, "", kServer, 0), "Server 4.0  (Build 7601) Version 6.1", 0, 0},
        {Record(7, 6, 2, 0, "x"), "Version 6.2", 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        WindowsVersion v = Decode(row.record);
        EXPECT_TRUE(v.ok);
        EXPECT_EQ(v.nameText, row.name);
        EXPECT_EQ(v.osLevel, row.level);
        EXPECT_EQ(v.isXpClass, row.xp);
        EXPECT_EQ(v.versionText, "Version " + std::to_string(row.record.major) + "." + std::to_string(row.record.minor));
    }
}

TEST(WindowsVersionDecoder, BuildNumberKeepsItsLowWordOnly)
{
    EXPECT_EQ(Decode(Record(kNt, 5, 1, 0x12340A28, "", kWork)).nameText,
              "Microsoft Windows XP Professional  (Build 2600) Version 5.1");
}

TEST(WindowsVersionDecoder, ServicePack6aIsToldByTheHotfixKey)
{
    WindowsVersionRecord nt4 = Record(kNt, 4, 0, 1381, "Service Pack 6", kWork);
    EXPECT_EQ(Decode(nt4, std::nullopt, true).nameText,
              "Microsoft Windows NT Workstation 4.0 Service Pack 6a (Build 1381) Version 4.0");
    nt4.service = "SERVICE PACK 6";
    EXPECT_EQ(Decode(nt4, std::nullopt, true).nameText,
              "Microsoft Windows NT Workstation 4.0 Service Pack 6a (Build 1381) Version 4.0");
    nt4.service = "Service Pack 5";
    EXPECT_EQ(Decode(nt4, std::nullopt, true).nameText,
              "Microsoft Windows NT Workstation 4.0 Service Pack 5 (Build 1381) Version 4.0");
    // Only NT 4 knows that hotfix.
    EXPECT_EQ(Decode(Record(kNt, 5, 0, 2195, "Service Pack 6", kWork), std::nullopt, true).nameText,
              "Microsoft Windows 2000 Professional Service Pack 6 (Build 2195) Version 5.0");
}

TEST(WindowsVersionDecoder, WithoutTheExtendedRecordTheRegistryNamesTheEdition)
{
    WindowsVersionRecord nt4 = Record(kNt, 4, 0, 1381, "Service Pack 5", 0, 0, false);
    EXPECT_EQ(Decode(nt4, "WINNT").nameText,
              "Microsoft Windows NT Workstation 4.0 Service Pack 5 (Build 1381) Version 4.0");
    EXPECT_EQ(Decode(nt4, "lanmannt").nameText,
              "Microsoft Windows NT Server 4.0 Service Pack 5 (Build 1381) Version 4.0");
    EXPECT_EQ(Decode(nt4, "ServerNT").nameText,
              "Microsoft Windows NT Advanced Server 4.0 Service Pack 5 (Build 1381) Version 4.0");
    EXPECT_EQ(Decode(nt4, "Embedded").nameText, "Microsoft Windows NT 4.0 Service Pack 5 (Build 1381) Version 4.0");
    EXPECT_TRUE(Decode(nt4, std::string(79, 'x')).ok);

    // An unreadable or over-long product type fails with the text so far.
    for (std::optional<std::string> unreadable : {std::optional<std::string>(), std::optional<std::string>(std::string(80, 'x'))}) {
        WindowsVersion v = Decode(nt4, unreadable);
        EXPECT_FALSE(v.ok);
        EXPECT_EQ(v.nameText, "Microsoft Windows NT ");
        EXPECT_EQ(v.versionText, "");
        EXPECT_EQ(v.osLevel, 1);
    }
    // The extended record makes the registry irrelevant.
    EXPECT_TRUE(Decode(Record(kNt, 5, 1, 2600, "", kWork), std::nullopt).ok);
    // The 95 family never asks.
    EXPECT_TRUE(Decode(Record(k9x, 4, 10, 2222, " A ", 0, 0, false), std::nullopt).ok);
}

TEST(WindowsVersionDecoder, NoRecordAtAllFails)
{
    WindowsVersion v = DecodeWindowsVersion(WindowsVersionFacts{});
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.osLevel, 0);
    EXPECT_EQ(v.isXpClass, 0);
    EXPECT_EQ(v.nameText, "");
}

// End to end: the sandbox prefix is set to Windows XP (tests/support/SandboxWindows.h).
TEST(WindowsVersionEndToEnd, TheSandboxIsWindowsXp)
{
    TRegistry registry;
    WindowsVersionFacts facts = GatherWindowsVersionFacts(registry);
    ASSERT_TRUE(facts.record);
    EXPECT_TRUE(facts.record->hasExtendedFields);
    WindowsVersion v = DecodeWindowsVersion(facts);
    EXPECT_TRUE(v.ok);
    EXPECT_EQ(v.osLevel, 3);
    EXPECT_EQ(v.isXpClass, 1);
    EXPECT_EQ(v.versionText, testing_support::kSandboxVersionText);
    EXPECT_EQ(v.nameText.rfind(testing_support::kSandboxNameStart, 0), 0u) << v.nameText;
    EXPECT_EQ(registry.CurrentKey(), nullptr);
}

namespace {

const char kReportVariable[] = "TIDEWRACK_VERSION_REPORT";

bool UnderWine() { return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

} // namespace

// Run only as the child of the test below: reports what this process detects.
TEST(WindowsVersionEndToEnd, DISABLED_ReportLevel)
{
    const char* report = std::getenv(kReportVariable);
    if (!report)
        GTEST_SKIP() << "only run by WindowsVersionUnderWine";
    TRegistry registry;
    WindowsVersion v = DecodeWindowsVersion(GatherWindowsVersionFacts(registry));
    std::ofstream(report) << v.osLevel << ' ' << v.isXpClass << ' ' << v.nameText;
}

// Wine takes a per-program Windows version from HKCU\Software\Wine\AppDefaults\<exe>, so
// a renamed copy of this test program can be run as another Windows.
class WindowsVersionUnderWine : public ::testing::TestWithParam<std::pair<const char*, int>> {};

TEST_P(WindowsVersionUnderWine, GivesItsLevel)
{
    if (!UnderWine())
        GTEST_SKIP() << "needs Wine's per-program version setting";
    const std::string wineVersion = GetParam().first;
    char temp[MAX_PATH], self[MAX_PATH];
    ASSERT_TRUE(::GetTempPathA(MAX_PATH, temp));
    ASSERT_TRUE(::GetModuleFileNameA(nullptr, self, MAX_PATH));
    const std::string exeName = "twversion_" + wineVersion + ".exe";
    const std::string copy = std::string(temp) + exeName;
    const std::string report = std::string(temp) + "twversion_" + wineVersion + ".txt";
    const std::string appKey = "Software\\Wine\\AppDefaults\\" + exeName;
    ASSERT_TRUE(::CopyFileA(self, copy.c_str(), FALSE)) << self << " (run the test by its full path)";
    ::DeleteFileA(report.c_str());
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(appKey, true));
    ASSERT_TRUE(registry.WriteString("Version", wineVersion));
    registry.CloseKey();

    ::SetEnvironmentVariableA(kReportVariable, report.c_str());
    std::string command = "\"" + copy + "\" --gtest_filter=WindowsVersionEndToEnd.DISABLED_ReportLevel"
                          " --gtest_also_run_disabled_tests";
    // The child's own test report would only clutter this one.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE nul = ::CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    BOOL started = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                    &startup, &process);
    ::CloseHandle(nul);
    ::SetEnvironmentVariableA(kReportVariable, nullptr);
    if (started) {
        ::WaitForSingleObject(process.hProcess, 60000);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    int level = -1, xp = -1;
    std::string name;
    {
        std::ifstream in(report);
        in >> level >> xp;
        std::getline(in, name);
    }
    registry.DeleteKey(appKey);
    ::DeleteFileA(copy.c_str());
    ::DeleteFileA(report.c_str());

    ASSERT_TRUE(started);
    EXPECT_EQ(level, GetParam().second) << name;
}

INSTANTIATE_TEST_SUITE_P(Versions, WindowsVersionUnderWine,
                         ::testing::Values(std::make_pair("win2k", 2), std::make_pair("nt40", 1),
                                           std::make_pair("win2003", 3), std::make_pair("win98", 0)),
                         [](const auto& info) { return std::string(info.param.first); });
