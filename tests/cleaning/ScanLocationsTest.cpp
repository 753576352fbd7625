// How the scan locations are stored and restored, and what the scan counts as 100 %.
#include "cleaning/ScanLocations.h"

#include <gtest/gtest.h>

#include <map>

using namespace cleaning;

TEST(ScanLocations, DriveNumbers)
{
    EXPECT_EQ(DriveNumber("A:"), 1);
    EXPECT_EQ(DriveNumber("k:"), 11);
    EXPECT_EQ(DriveNumber("Z:"), 26);
    EXPECT_EQ(DriveNumber("C:\\"), 0);
    EXPECT_EQ(DriveNumber("1:"), 0);
    EXPECT_EQ(DriveNumber(""), 0);
    EXPECT_EQ(DriveLetterOf("Local Disk (C:)"), 'C');
    EXPECT_EQ(DriveLetterOf("Data (k:)"), 'K');
    EXPECT_EQ(DriveLetterOf("No letter"), 0);
}

TEST(ScanLocations, DriveMarksStopAtTheFirstFolderRow)
{
    std::vector<LocationRow> rows = {
        {"System (C:)", true}, {"Data (D:)", false}, {"C:\\Temp", true}, {"Late (E:)", true}};
    auto marks = DriveMarksToSave(rows);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].text, "System (C:)");
    EXPECT_TRUE(marks[0].active);
    EXPECT_FALSE(marks[1].active);
}

TEST(ScanLocations, AddedFoldersAreTheRowsWithoutADriveCaption)
{
    std::vector<LocationRow> rows = {
        {"System (C:)", true}, {"C:\\Temp", false}, {"C:\\Games (old)", true}, {"D:\\Data", true}};
    auto folders = AddedDirsToSave(rows);
    ASSERT_EQ(folders.size(), 3u);
    EXPECT_EQ(folders[0].text, "C:\\Temp");
    EXPECT_FALSE(folders[0].active);
    EXPECT_EQ(folders[1].text, "C:\\Games (old)");
    // A folder whose path holds ")" right after the drive rows counts as a drive row too.
    EXPECT_EQ(DriveMarksToSave({{"System (C:)", true}, {"C:\\Games (old)", true}}).size(), 2u);
}

TEST(ScanLocations, MarksFollowTheirDriveNotTheirPosition)
{
    // Stored as a registry under Wine lists them: sorted by name.
    std::vector<CheckedEntry> stored = {{false, "Backup (E:)"}, {true, "Data (D:)"}, {false, "System (C:)"}};

    auto marks = MatchDriveMarks({"System (C:)", "Data (D:)", "Backup (E:)"}, stored);
    EXPECT_EQ(marks, (std::vector<std::optional<bool>>{false, true, false}));

    // D: disappeared: E: keeps its own mark instead of D:'s.
    marks = MatchDriveMarks({"System (C:)", "Backup (E:)"}, stored);
    EXPECT_EQ(marks, (std::vector<std::optional<bool>>{false, false}));

    // A new drive has no stored mark and keeps the one it has.
    marks = MatchDriveMarks({"System (C:)", "Stick (F:)"}, stored);
    EXPECT_EQ(marks, (std::vector<std::optional<bool>>{false, std::nullopt}));

    // A relabelled drive is known by its letter; names compare without case.
    marks = MatchDriveMarks({"Windows (C:)", "DATA (D:)"}, stored);
    EXPECT_EQ(marks, (std::vector<std::optional<bool>>{false, true}));

    // Two stored names for one letter: neither can be told to be the drive's.
    marks = MatchDriveMarks({"New (C:)"}, {{true, "Old (C:)"}, {false, "Older (C:)"}});
    EXPECT_EQ(marks, (std::vector<std::optional<bool>>{std::nullopt}));
}

TEST(ScanLocations, VanishedAddedFoldersAreReportedAndDropped)
{
    std::vector<CheckedEntry> stored = {{true, "C:\\Keep"}, {false, "C:\\Gone"}, {false, "C:\\Also"}};
    auto plan = PlanAddedDirs(stored, [](const std::string& path) { return path != "C:\\Gone"; });
    ASSERT_EQ(plan.toAdd.size(), 2u);
    EXPECT_EQ(plan.toAdd[0].text, "C:\\Keep");
    EXPECT_TRUE(plan.toAdd[0].active);
    EXPECT_FALSE(plan.toAdd[1].active);
    EXPECT_EQ(plan.missing, std::vector<std::string>{"C:\\Gone"});
}

namespace {

class FakeMeter : public SpaceMeter {
public:
    unsigned long long FolderSize(const std::string& folder) override
    {
        asked.push_back("folder " + folder);
        return 1000;
    }
    unsigned long long DriveUsed(int number) override
    {
        asked.push_back("drive " + std::to_string(number));
        return 5ULL << 32;
    }
    unsigned long long PathUsed(const std::string& path) override
    {
        asked.push_back("path " + path);
        return 7;
    }
    std::vector<std::string> asked;
};

} // namespace

TEST(ScanLocations, UsedSpaceOfTheCheckedRows)
{
    FakeMeter meter;
    std::vector<LocationRow> rows = {{"Data (K:)", true},   {"C:\\Data", true}, {"System (C:)", false},
                                     {"\\\\server\\share", true}, {"Odd", true}};
    EXPECT_EQ(UsedSpaceOfLocations(rows, meter), 2 * (5ULL << 32) + 1000 + 7);
    EXPECT_EQ(meter.asked, (std::vector<std::string>{"drive 11", "folder C:\\Data", "path \\\\server\\share", "drive 0"}))
        << "K: is drive 11; a folder counts by its own size; a caption without a letter is the current drive";
}

TEST(ScanLocations, RealMeterMeasuresAFolderAndTheSystemDrive)
{
    SpaceMeter meter;
    char windows[MAX_PATH];
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_GT(meter.DriveUsed(DriveNumber(std::string(windows, 2))), 0u);
    EXPECT_EQ(meter.FolderSize(std::string(windows) + "\\no such folder"), 0u);
}
