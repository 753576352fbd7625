// The REGEDIT4 export: what it writes, and that the system's registry editor brings back
// from it every key and value that deleting the findings removed, byte for byte.
#include "common/Wow64.h"
#include "system/RegistryBackup.h"
#include "system/RegistryDelete.h"
#include "system/RegistryExport.h"
#include "tests/support/RecordingEffects.h"
#include "tests/support/TempFolder.h"
#include "tests/system/RegistrySeeds.h"

#include <gtest/gtest.h>

namespace {

TEST(RegistryExportTest, ValueLinesKeepTypeAndEscapeQuotesAndBackslashes)
{
    using regvalues::RawValue;
    auto bytes = [](const std::string& text, bool terminated) {
        std::vector<BYTE> data(text.begin(), text.end());
        if (terminated)
            data.push_back(0);
        return data;
    };
    EXPECT_EQ(regexport::ValueLine(RawValue{"a\\b", REG_SZ, bytes("C:\\x \"q\"", true)}),
              "\"a\\\\b\"=\"C:\\\\x \\\"q\\\"\"");
    EXPECT_EQ(regexport::ValueLine(RawValue{"", REG_SZ, bytes("d", true)}), "@=\"d\"");
    EXPECT_EQ(regexport::ValueLine(RawValue{"n", REG_DWORD, {0x0a, 0, 0, 0x80}}), "\"n\"=dword:8000000a");
    EXPECT_EQ(regexport::ValueLine(RawValue{"n", REG_SZ, bytes("ab", false)}), "\"n\"=hex(1):61,62");
    EXPECT_EQ(regexport::ValueLine(RawValue{"n", REG_EXPAND_SZ, bytes("%x%", true)}), "\"n\"=hex(2):25,78,25,00");
    EXPECT_EQ(regexport::ValueLine(RawValue{"n", 11, {1, 2, 3, 4, 5, 6, 7, 8}}), "\"n\"=hex(b):01,02,03,04,05,06,07,08");
    EXPECT_EQ(regexport::KeyLine(RegistryRoots[4], "System\\x"), "[HKEY_CURRENT_CONFIG\\System\\x]");
}

const char* const exportKey = "Software\\TidewrackExportSeeds";
const char* const valueKey = "Software\\TidewrackExportValue";
// Keys that 64-bit Windows keeps apart for 32-bit programs (below "Wow6432Node").
const char* const machineKey = "Software\\TidewrackExportMachine";
const char* const classKey = "CLSID\\{7E1DE3A5-0B39-4C55-9E0A-5EEDC1A55E5D}";

void SeedEveryType()
{
    const std::string key = exportKey, deep = key + "\\Deeper\\Deepest";
    seeds::SetString(HKEY_CURRENT_USER, key, "", "default");
    seeds::SetString(HKEY_CURRENT_USER, key, "quote\"and\\slash", "C:\\a \"b\" \\\\c");
    seeds::SetString(HKEY_CURRENT_USER, key, "empty", "");
    seeds::SetString(HKEY_CURRENT_USER, key, "lines", "one\r\ntwo");
    seeds::SetString(HKEY_CURRENT_USER, key, "expand", "%SystemRoot%\\x.dll", REG_EXPAND_SZ);
    seeds::SetRaw(HKEY_CURRENT_USER, key, "multi", REG_MULTI_SZ, {'a', 0, 'b', '\\', 'c', 0, 0});
    seeds::SetDword(HKEY_CURRENT_USER, key, "dword", 0xDEADBEEF);
    seeds::SetRaw(HKEY_CURRENT_USER, key, "short dword", REG_DWORD, {1, 2, 3});
    seeds::SetRaw(HKEY_CURRENT_USER, key, "binary", REG_BINARY, {0, 0xFF, 0x7F, 0x80});
    seeds::SetRaw(HKEY_CURRENT_USER, key, "empty binary", REG_BINARY, {});
    seeds::SetRaw(HKEY_CURRENT_USER, key, "qword", 11, {1, 2, 3, 4, 5, 6, 7, 8});
    seeds::SetRaw(HKEY_CURRENT_USER, key, "none", REG_NONE, {9, 8});
    seeds::SetString(HKEY_CURRENT_USER, deep, "deep", "C:\\TwGone\\deep.dll");
    seeds::MakeKey(HKEY_CURRENT_USER, key + "\\Empty");
    seeds::SetString(HKEY_CURRENT_USER, valueKey, "gone \"one\"", "C:\\TwGone\\v.dll", REG_EXPAND_SZ);
    seeds::SetString(HKEY_CURRENT_USER, valueKey, "stays", "C:\\TwGone\\w.dll");
    seeds::SetRaw(HKEY_CURRENT_USER, key + "\\Unterminated", "abc", REG_SZ, {'a', 'b', 'c'});
}

// The registry editor that a double click on a .reg file starts: on 64-bit Windows the
// 64-bit one. Wine starts its 32-bit editor for a 32-bit program that names the Windows
// folder's one, so there the 64-bit command interpreter starts it.
bool RunRegedit(const std::string& arguments)
{
    const std::string editor = seeds::WindowsFolder() + "\\regedit.exe " + arguments;
    std::string command =
        common::RunsUnderWow64() ? seeds::WindowsFolder() + "\\Sysnative\\cmd.exe /c " + editor : editor;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code == 0;
}

TEST(RegistryExportTest, ImportingTheExportRestoresEveryDeletedKeyAndValueByteForByte)
{
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, exportKey);
    seeded.Own(HKEY_CURRENT_USER, valueKey);
    seeded.Own(HKEY_LOCAL_MACHINE, machineKey);
    seeded.Own(HKEY_CLASSES_ROOT, classKey);
    SeedEveryType();
    seeds::SetString(HKEY_LOCAL_MACHINE, std::string(machineKey) + "\\Deeper", "m", "C:\\TwGone\\m.dll");
    seeds::SetString(HKEY_CLASSES_ROOT, std::string(classKey) + "\\InprocServer32", "", "C:\\TwGone\\c.dll");
    const seeds::Tree keyBefore = seeds::Snapshot(HKEY_CURRENT_USER, exportKey);
    const seeds::Tree valueBefore = seeds::Snapshot(HKEY_CURRENT_USER, valueKey);
    const seeds::Tree machineBefore = seeds::Snapshot(HKEY_LOCAL_MACHINE, machineKey);
    const seeds::Tree classBefore = seeds::Snapshot(HKEY_CLASSES_ROOT, classKey);
    ASSERT_EQ(keyBefore.size(), 5u);

    const std::vector<regscan::Finding> findings = {
        {std::string("HKCU\\") + exportKey, "", "", "", "", true, {}},
        {std::string("HKCU\\") + valueKey, "gone \"one\"", "C:\\TwGone\\v.dll", "", "", false, {}},
        {std::string("HKLM\\") + machineKey, "", "", "", "", true, {}},
        {std::string("HKCR\\") + classKey, "", "", "", "", true, {}},
    };
    testing_support::TempFolder folder;
    const std::string file = folder.Path() + "\\export.reg";
    ASSERT_TRUE(regexport::WriteFile(file, regexport::ExportText(findings)));
    for (const regscan::Finding& finding : findings)
        ASSERT_TRUE(regdelete::DeleteFinding(finding));
    ASSERT_FALSE(seeds::KeyExists(HKEY_CURRENT_USER, exportKey));
    ASSERT_FALSE(seeds::ValueExists(HKEY_CURRENT_USER, valueKey, "gone \"one\""));

    ASSERT_TRUE(RunRegedit("/s \"" + file + "\""));
    // The registry editor ends every string it imports with a zero, so a string stored
    // without one comes back with one: the same text. (The 64-bit Wine already reads the
    // stored one with a zero added.)
    seeds::Tree keyExpected = keyBefore;
    keyExpected[std::string(exportKey) + "\\Unterminated"]["abc"].second = {'a', 'b', 'c', 0};
    EXPECT_EQ(seeds::Snapshot(HKEY_CURRENT_USER, exportKey), keyExpected);
    EXPECT_EQ(seeds::Snapshot(HKEY_CURRENT_USER, valueKey), valueBefore);
    EXPECT_EQ(seeds::Snapshot(HKEY_LOCAL_MACHINE, machineKey), machineBefore);
    EXPECT_EQ(seeds::Snapshot(HKEY_CLASSES_ROOT, classKey), classBefore);
}

TEST(RegistryExportTest, FindingsGoneSinceTheScanAreLeftOut)
{
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, valueKey);
    seeds::SetString(HKEY_CURRENT_USER, valueKey, "stays", "C:\\TwGone\\w.dll");
    const std::string key = std::string("HKCU\\") + valueKey;
    const std::vector<regscan::Finding> findings = {
        {key, "gone", "C:\\TwGone\\v.dll", "", "", false, {}},
        {key + "\\Gone", "", "", "", "", true, {}},
        {key, "stays", "C:\\TwGone\\w.dll", "", "", false, {}},
    };
    EXPECT_EQ(regexport::ExportText(findings), "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\" + std::string(valueKey) +
                                                   "]\r\n\"stays\"=\"C:\\\\TwGone\\\\w.dll\"\r\n\r\n");
}

// A backup that could not bring a key back exactly is no backup: the user is told, and
// the removal that waits for it does not go on.
TEST(RegistryExportTest, ABackupRefusesKeysItCouldNotRestoreExactly)
{
    if (!seeds::RegistryKeepsWideNames())
        GTEST_SKIP() << "this Wine keeps characters outside Windows-1252 out of the registry (run it with LANG=C.UTF-8)";
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, exportKey);
    seeds::SetWideString(HKEY_CURRENT_USER, L"Software\\TidewrackExportSeeds\\Vendor", L"\u4E2D\u6587", L"x");
    testing_support::RecordingEffects effects;
    testing_support::TempFolder folder;
    effects.fileDialogAnswers.push_back(folder.Path() + "\\backup.reg");
    const std::vector<regscan::Finding> keys = {{std::string("HKCU\\") + exportKey, "", "", "", "", true, {}}};
    EXPECT_EQ(regbackup::SaveAs(nullptr, false, keys), regbackup::Outcome::Failed);
    EXPECT_TRUE(effects.fileDialogs.empty());
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_NE(effects.boxes[0].text.find("cannot keep exactly"), std::string::npos) << effects.boxes[0].text;
    EXPECT_EQ(GetFileAttributesA((folder.Path() + "\\backup.reg").c_str()), INVALID_FILE_ATTRIBUTES);
}

// The delete takes a finding as the user saw it: what is already gone counts as deleted,
// and a file that has come back keeps its entry.
TEST(RegistryDeleteTest, AFindingIsTestedAgainJustBeforeItIsDeleted)
{
    testing_support::TempFolder folder;
    const std::string file = folder / "back.dll";
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, valueKey);
    seeds::SetString(HKEY_CURRENT_USER, valueKey, "v", file);
    const regscan::Finding finding{std::string("HKCU\\") + valueKey, "v", file, "", "", false, {file}};

    testing_support::WriteFileText(file, "x");
    EXPECT_EQ(regdelete::RemoveFinding(finding), regdelete::Removal::Returned);
    EXPECT_TRUE(seeds::ValueExists(HKEY_CURRENT_USER, valueKey, "v"));
    DeleteFileA(file.c_str());
    EXPECT_EQ(regdelete::RemoveFinding(finding), regdelete::Removal::Deleted);
    EXPECT_FALSE(seeds::ValueExists(HKEY_CURRENT_USER, valueKey, "v"));
    EXPECT_EQ(regdelete::RemoveFinding(finding), regdelete::Removal::Gone);
    EXPECT_EQ(regdelete::RemoveFinding({std::string("HKCU\\") + valueKey + "\\Gone", "", "", "", "", true, {}}),
              regdelete::Removal::Gone);
    EXPECT_EQ(regdelete::RemoveFinding({"HKCU\\", "", "", "", "", true, {}}), regdelete::Removal::Failed);
}

TEST(RegistryDeleteTest, DeletesThatCannotHappenReportFailureAndNeverTakeTheParent)
{
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, exportKey);
    seeds::SetString(HKEY_CURRENT_USER, std::string(exportKey) + "\\Child", "v", "x");
    const std::string parent = std::string("HKCU\\") + exportKey;
    EXPECT_FALSE(regdelete::DeleteFinding({parent + "\\", "", "", "", "", true, {}}));     // no name
    EXPECT_FALSE(regdelete::DeleteFinding({"HKCU\\", "", "", "", "", true, {}}));          // the root
    EXPECT_FALSE(regdelete::DeleteFinding({parent + "\\Gone", "", "", "", "", true, {}})); // key gone
    EXPECT_FALSE(regdelete::DeleteFinding({parent + "\\Child", "w", "", "", "", false, {}}));
    EXPECT_FALSE(regdelete::DeleteFinding({"HKXX\\" + std::string(exportKey), "", "", "", "", true, {}}));
    EXPECT_TRUE(seeds::ValueExists(HKEY_CURRENT_USER, std::string(exportKey) + "\\Child", "v"));
    EXPECT_TRUE(regdelete::DeleteFinding({parent + "\\Child", "", "", "", "", true, {}}));
    EXPECT_TRUE(seeds::KeyExists(HKEY_CURRENT_USER, exportKey));
}

} // namespace
