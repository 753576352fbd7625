// The case rule for paths and names, and the file facts every area asks.
#include "common/CaseRule.h"
#include "common/PathFacts.h"
#include "common/TickCount.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::TempFolder;

namespace {
DWORD readTicks = 0;
DWORD WINAPI ReadTicks() { return readTicks; }
} // namespace

TEST(CaseRule, UmlautsFoldAsTheFileSystemFoldsThem)
{
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"C:\\Bilder\\Ärger.txt", "c:\\bilder\\ärger.TXT", true},
        {"C:\\Öl\\Übung", "C:\\öl\\übung", true},
        {"C:\\Straße", "C:\\STRAßE", true},
        {"C:\\Ärger", "C:\\Arger", false},
        {"C:\\a", "C:\\ab", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(common::SameText(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(common::UpperCase(c.a) == common::UpperCase(c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(common::CompareText(c.a, c.b) == 0, c.same) << c.a << " / " << c.b;
    }
    EXPECT_EQ(common::UpperCase("c:\\müll\\ä.exe"), "C:\\MÜLL\\Ä.EXE");
    EXPECT_TRUE(common::LessText("c:\\a", "C:\\B"));
    EXPECT_FALSE(common::LessText("C:\\B", "c:\\a"));
}

TEST(CaseRule, DoubleByteCharactersFoldAsWholeCharacters)
{
    // Code page 932: a trail byte may be an ASCII letter, and full-width letters have a case.
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"C:\\\x83\x41", "c:\\\x83\x41", true},  // "ア" and "ア"
        {"C:\\\x83\x41", "C:\\\x83\x61", false}, // "ア" and "ヂ"
        {"\x82\x60.txt", "\x82\x81.TXT", true},    // full-width "Ａ" and "ａ"
        {"\x82\x60", "A", false},                  // full-width and plain "A"
    };
    for (const Case& c : cases)
        EXPECT_EQ(common::CompareTextIn(932, c.a, c.b) == 0, c.same) << c.a << " / " << c.b;
}

TEST(FileFacts, TellFilesFromFoldersAndFindTheProgram)
{
    TempFolder folder;
    testing_support::WriteFileText(folder / "Grüße.txt", "x");
    struct Case {
        std::string path;
        bool exists, isFolder, isFile;
    };
    const Case cases[] = {
        {folder.Path(), true, true, false},
        {folder / "Grüße.txt", true, false, true},
        {folder / "missing", false, false, false},
        {"", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(common::Exists(c.path), c.exists) << c.path;
        EXPECT_EQ(common::IsFolder(c.path), c.isFolder) << c.path;
        EXPECT_EQ(common::FileExists(c.path), c.isFile) << c.path;
    }
    EXPECT_TRUE(common::SameText(common::OwnFolder() + "\\test_common.exe", common::OwnExecutable()));
}

TEST(TickCount, GoesOnAcrossTheWrapOfTheTicks)
{
    struct Case {
        uint64_t last;
        DWORD ticks;
        uint64_t count;
    };
    const Case cases[] = {
        {0, 1000, 1000},
        {0xFFFFFFF0, 0x10, 0x100000010},
        {0x100000010, 0x20, 0x100000020},
        {0x1FFFFFF00, 0x5, 0x200000005},
    };
    for (const Case& c : cases) {
        std::atomic<uint64_t> last{c.last};
        readTicks = c.ticks;
        EXPECT_EQ(common::ExtendTickCount(last, ReadTicks), c.count) << c.last;
        EXPECT_EQ(last.load(), c.count);
    }
}
