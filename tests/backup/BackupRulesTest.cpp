// The rules of backup projects and of the browser's columns, and the packing loop on
// real files: stamps and their folders, the names a removal or restore may act on, the
// saving and attribute texts and their order, and which files a backup really holds.
#include "archive/BackupPacker.h"
#include "archive/BackupProjects.h"
#include "archive/Showbackupfiles.h"
#include "tests/backup/BackupTestKit.h"
#include "tests/support/Times.h"

#include <gtest/gtest.h>


namespace {

using testing_support::SystemTimeOf;

std::string TempRoot(const char* name)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string root = std::string(temp) + name;
    RemoveTree(root);
    CreateDirectoryA(root.c_str(), nullptr);
    return root;
}

std::string Write(const std::string& path, const std::string& content)
{
    testing_support::WriteFileText(path, content);
    return path;
}

class CountingObserver : public backup::PackObserver {
public:
    bool Cancelled() override { return cancelAfter >= 0 && started >= cancelAfter; }
    void FileStarted(const std::string&) override { ++started; }
    void AddFailed(const std::string& path, ZipResult) override { failed.push_back(path); }
    int cancelAfter = -1;
    int started = 0;
    std::vector<std::string> failed;
};

} // namespace

TEST(BackupStamp, NamesFolderArchiveAndValueAlike)
{
    SYSTEMTIME time = SystemTimeOf(2004, 3, 7, 9, 5, 2);
    EXPECT_EQ(backup::StampOf(time), "07.03.2004_09.05.02");
    EXPECT_EQ(backup::ProjectArchive("C:\\B", "07.03.2004_09.05.02"),
              "C:\\B\\07.03.2004_09.05.02\\07.03.2004_09.05.02.zip");
    EXPECT_EQ(backup::StampOf(backup::NextSecond(SystemTimeOf(2004, 12, 31, 23, 59, 59))), "01.01.2005_00.00.00");
}

TEST(BackupStamp, OnlyTheStampsFormNamesAProject)
{
    EXPECT_TRUE(backup::IsStampName("07.03.2004_09.05.02"));
    for (const char* other : {"", "..", ".", "C:\\Windows", "07.03.2004_09.05.0", "07.03.2004_09.05.022",
                              "07.03.2004 09.05.02", "07.03.2004_09.05.02\\..", "..\\..\\x", "a7.03.2004_09.05.02"})
        EXPECT_FALSE(backup::IsStampName(other)) << other;
}

TEST(BackupStamp, TwoBackupsInOneSecondGetTwoFolders)
{
    std::string root = TempRoot("TidewrackStampTest");
    std::string dir = root + "\\deep\\backups";
    SYSTEMTIME now = SystemTimeOf(2004, 3, 7, 9, 5, 2);
    std::string first = backup::ClaimProject(dir, now, nullptr);
    std::string second = backup::ClaimProject(dir, now, nullptr);
    EXPECT_EQ(first, "07.03.2004_09.05.02");
    EXPECT_EQ(second, "07.03.2004_09.05.03");
    // A registered project whose folder has gone keeps its stamp.
    RemoveDirectoryA((dir + "\\" + first).c_str());
    std::string third = backup::ClaimProject(dir, now, [&](const std::string& stamp) { return stamp == first; });
    EXPECT_EQ(third, "07.03.2004_09.05.04");
    RemoveTree(root);
}

TEST(BackupStamp, NoProjectWhereNoFolderCanBeMade)
{
    std::string root = TempRoot("TidewrackStampTest");
    std::string file = Write(root + "\\plain.txt", "x");
    EXPECT_EQ(backup::ClaimProject(file + "\\backups", SystemTimeOf(2004, 3, 7, 9, 5, 2), nullptr), "");
    EXPECT_FALSE(backup::MakeDirectory(file + "\\backups"));
    RemoveTree(root);
}

TEST(BackupBrowserTexts, RatioAttributesAndPlaces)
{
    EXPECT_EQ(backup::SavingRatioText(100, 400), "75 %");
    EXPECT_EQ(backup::SavingRatioText(400, 400), "0 %");
    EXPECT_EQ(backup::SavingRatioText(500, 400), "0 %");
    EXPECT_EQ(backup::SavingRatioText(0, 400), "0 %");
    EXPECT_EQ(backup::SavingRatioText(1, 3), "67 %");
    EXPECT_EQ(backup::AttributeLetters(0x10 | 0x20 | 2 | 1 | 4), "DAHRS");
    EXPECT_EQ(backup::AttributeLetters(FILE_ATTRIBUTE_NORMAL), "");
    EXPECT_EQ(backup::AttributeLetters(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE), "AR");
    EXPECT_EQ(backup::FolderPartOf("C:\\a\\b.txt"), "C:\\a\\");
    EXPECT_EQ(backup::FileNamePart("C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(backup::ExtractTarget("D:\\", "C:\\a\\b.txt"), "D:\\b.txt");
    EXPECT_EQ(backup::ExtractTarget("D:\\Out", "C:\\a\\b.txt"), "D:\\Out\\b.txt");
    EXPECT_EQ(backup::ExtractTarget("D:\\Out", "C:\\a\\.."), "");
    EXPECT_EQ(backup::ExtractTarget("D:\\Out", "C:\\a\\x:y"), "");
}

TEST(BackupBrowserTexts, RestoreOnlyToPlainAbsolutePaths)
{
    EXPECT_TRUE(backup::IsSafeRestoreTarget("C:\\a\\b.txt"));
    for (const char* refused : {"a\\b.txt", "\\a\\b.txt", "\\\\server\\share\\b.txt", "C:\\a\\..\\b.txt",
                                "C:\\a\\.. \\b.txt", "C:\\a\\b.txt:stream", "C:\\a\\", "C:b.txt", "1:\\b.txt"})
        EXPECT_FALSE(backup::IsSafeRestoreTarget(refused)) << refused;
}

TEST(BackupBrowserTexts, NumberColumnsSortAsNumbers)
{
    BackupRowRecord a, b;
    EXPECT_LT(backup::CompareBrowserRows(backup::colRatio, "9 %", "10 %", a, b), 0);
    EXPECT_LT(backup::CompareBrowserRows(backup::colSize, "900", "10000", a, b), 0);
    EXPECT_EQ(backup::CompareBrowserRows(backup::colPacked, "", "10", a, b), 0);
    EXPECT_GT(backup::CompareBrowserRows(backup::colName, "b.txt", "A.txt", a, b), 0);
    EXPECT_EQ(backup::CompareBrowserRows(backup::colAttributes, "ar", "AR", a, b), 0);
    a.lastWrite = {1, 0};
    b.lastWrite = {0, 1};
    EXPECT_LT(backup::CompareBrowserRows(backup::colModified, "zzz", "aaa", a, b), 0);
}

TEST(BackupPacking, SavesWhatTheClosedArchiveHolds)
{
    std::string root = TempRoot("TidewrackPackTest");
    std::string a = Write(root + "\\a.txt", std::string(4000, 'a'));
    std::string b = Write(root + "\\b.txt", "bee");
    std::string locked = Write(root + "\\locked.txt", "locked");
    HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    CountingObserver observer;
    backup::PackResult result = backup::PackFiles(root + "\\x.zip", {a, "", locked, b}, observer);
    CloseHandle(hold);
    EXPECT_TRUE(result.archiveClosed);
    EXPECT_FALSE(result.Complete());
    EXPECT_EQ(result.saved, (std::vector<std::string>{a, b}));
    EXPECT_EQ(result.unsaved, (std::vector<std::string>{locked}));
    EXPECT_EQ(observer.failed, (std::vector<std::string>{locked}));
    std::vector<std::string> names;
    ASSERT_TRUE(backup::ArchiveEntryNames(root + "\\x.zip", names));
    EXPECT_EQ(names, (std::vector<std::string>{a, b}));
    RemoveTree(root);
}

TEST(BackupPacking, AnArchiveThatCannotBeMadeSavesNothing)
{
    std::string root = TempRoot("TidewrackPackTest");
    std::string a = Write(root + "\\a.txt", "a");
    CountingObserver observer;
    backup::PackResult result = backup::PackFiles(root + "\\missing\\x.zip", {a}, observer);
    EXPECT_FALSE(result.archiveOpened);
    EXPECT_TRUE(result.saved.empty());
    EXPECT_EQ(result.unsaved, (std::vector<std::string>{a}));
    RemoveTree(root);
}

TEST(BackupPacking, CancelKeepsWhatWasPackedAndNamesTheRest)
{
    std::string root = TempRoot("TidewrackPackTest");
    std::string a = Write(root + "\\a.txt", "a");
    std::string b = Write(root + "\\b.txt", "b");
    std::string c = Write(root + "\\c.txt", "c");
    CountingObserver observer;
    observer.cancelAfter = 1;
    backup::PackResult result = backup::PackFiles(root + "\\x.zip", {a, b, c}, observer);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.saved, (std::vector<std::string>{a}));
    EXPECT_EQ(result.unsaved, (std::vector<std::string>{b, c}));
    RemoveTree(root);
}

TEST(BackupPacking, NoArchiveStaysWhenNothingWasSaved)
{
    std::string root = TempRoot("TidewrackPackTest");
    CountingObserver observer;
    backup::PackResult result = backup::PackFiles(root + "\\x.zip", {root + "\\gone.txt"}, observer);
    EXPECT_TRUE(result.saved.empty());
    EXPECT_EQ(GetFileAttributesA((root + "\\x.zip").c_str()), INVALID_FILE_ATTRIBUTES);
    RemoveTree(root);
}
