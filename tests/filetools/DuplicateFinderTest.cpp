// The duplicate grouping on real files: a group is a set of files equal by the criterion,
// and in content mode equal byte for byte.
#include "filetools/DuplicateFinder.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Times.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

namespace {

using duplicates::Candidate;
using duplicates::Criterion;
using testing_support::WriteFileText;

Candidate Make(const std::string& path, const std::string& bytes, FILETIME time = {})
{
    WriteFileText(path, bytes);
    return {path, bytes.size(), time};
}

duplicates::Grouping Group(const std::vector<Candidate>& files, Criterion criterion, unsigned long long limit = 0,
                           const duplicates::ChecksumFunction& checksum = duplicates::FileChecksum)
{
    return duplicates::GroupDuplicates(files, {criterion, limit}, checksum);
}

TEST(DuplicateFinder, ChecksumKeepsItsKnownValue)
{
    testing_support::TempFolder folder;
    WriteFileText(folder / "abc", "abc");
    std::uint32_t sum = 0;
    ASSERT_TRUE(duplicates::FileChecksum(folder / "abc", 0, sum));
    EXPECT_EQ(sum, 0xA6FFBCB0u);
    EXPECT_FALSE(duplicates::FileChecksum(folder / "missing", 0, sum));
}

TEST(DuplicateFinder, ContentGroupsOnlyEqualFilesAndLeavesUnreadableOnesOut)
{
    testing_support::TempFolder folder;
    std::vector<Candidate> files = {
        Make(folder / "a1", "same bytes"), Make(folder / "a2", "same bytes"), Make(folder / "a3", "same bytes"),
        Make(folder / "other", "diff bytes"), // same size, other content
        Make(folder / "e1", ""), Make(folder / "e2", ""),
        Make(folder / "locked", "same bytes"), Make(folder / "elocked", ""),
    };
    // Held open without sharing, so no one else can read them.
    HANDLE locked = CreateFileA((folder / "locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE emptyLocked = CreateFileA((folder / "elocked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);

    duplicates::Grouping result = Group(files, Criterion::Content);
    CloseHandle(locked);
    CloseHandle(emptyLocked);

    std::vector<std::vector<std::string>> expected = {{folder / "a1", folder / "a2", folder / "a3"},
                                                      {folder / "e1", folder / "e2"}};
    EXPECT_EQ(result.groups, expected);
    std::sort(result.unreadable.begin(), result.unreadable.end());
    EXPECT_EQ(result.unreadable, (std::vector<std::string>{folder / "elocked", folder / "locked"}));
}

// Two different files that share a checksum (forced here) must not be a group: deleting
// one as the other's duplicate would lose it. So many files of one size are sorted by
// their checksum before their bytes are compared.
TEST(DuplicateFinder, EqualChecksumsWithDifferentBytesAreNoGroup)
{
    testing_support::TempFolder folder;
    std::vector<Candidate> files = {Make(folder / "x", "first"), Make(folder / "z", "first")};
    for (int i = 0; i < 80; ++i) {
        char bytes[8];
        std::snprintf(bytes, sizeof bytes, "y%04d", i);
        files.push_back(Make(folder / bytes, bytes));
    }
    auto collide = [](const std::string&, unsigned long long, std::uint32_t& sum) { return sum = 7, true; };
    duplicates::Grouping result = Group(files, Criterion::Content, 0, collide);
    EXPECT_EQ(result.groups, (std::vector<std::vector<std::string>>{{folder / "x", folder / "z"}}));
}

TEST(DuplicateFinder, ByteLimitComparesTheFirstBytesOnly)
{
    testing_support::TempFolder folder;
    std::vector<Candidate> files = {Make(folder / "p", "head-one"), Make(folder / "q", "head-two")};
    EXPECT_TRUE(Group(files, Criterion::Content).groups.empty());
    EXPECT_EQ(Group(files, Criterion::Content, 5).groups.size(), 1u);
}

TEST(DuplicateFinder, OtherCriteriaCompareRealValues)
{
    testing_support::TempFolder folder;
    CreateDirectoryA((folder / "sub").c_str(), nullptr);
    FILETIME noon = testing_support::FileTimeOf(2020, 5, 1, 12);
    FILETIME noonLater = noon;
    noonLater.dwLowDateTime += 5000; // half a millisecond: the same second
    FILETIME later = testing_support::FileTimeOf(2031, 5, 1, 12);
    std::vector<Candidate> files = {Make(folder / "Name.txt", "1234", noon), Make(folder / "sub\\name.TXT", "ab", later),
                                    Make(folder / "big", "5678", noonLater)};
    files.push_back({folder / "huge", 0x100000004ull, later}); // 4 GiB + 4: not the 4-byte files' size

    EXPECT_EQ(Group(files, Criterion::Size).groups,
              (std::vector<std::vector<std::string>>{{folder / "big", folder / "Name.txt"}}));
    EXPECT_EQ(Group(files, Criterion::Date).groups.size(), 2u);
    EXPECT_EQ(Group(files, Criterion::Name).groups,
              (std::vector<std::vector<std::string>>{{folder / "Name.txt", folder / "sub\\name.TXT"}}));
}

// Overlapping locations reach a file twice; it must not become its own duplicate.
TEST(DuplicateFinder, AFileReachedTwiceIsNoDuplicate)
{
    testing_support::TempFolder folder;
    Candidate once = Make(folder / "one", "x");
    Candidate again = once;
    again.path = folder / "ONE";
    for (Criterion criterion : {Criterion::Content, Criterion::Name, Criterion::Size, Criterion::Date})
        EXPECT_TRUE(Group({once, again}, criterion).groups.empty());
}

TEST(DuplicateFinder, ResultListEndsEachGroupWithAnEmptyLine)
{
    duplicates::Grouping grouping;
    grouping.groups = {{"C:\\a", "C:\\b"}, {"C:\\c", "C:\\d", "C:\\e"}};
    EXPECT_EQ(duplicates::ResultLines(grouping),
              (std::vector<std::string>{"C:\\a", "C:\\b", "", "C:\\c", "C:\\d", "C:\\e", ""}));
}

TEST(DuplicateFinder, FilterIsASubstringTestOfTheExtension)
{
    struct Case {
        const char* path;
        bool allFiles;
        const char* filter;
        bool passes;
    } cases[] = {
        {"C:\\x\\a.jpg", false, "jpg+bmp+gif", true}, {"C:\\x\\a.PG", false, "jpg+bmp", true},
        {"C:\\x\\a.png", false, "jpg+bmp", false},    {"C:\\x.y\\noext", false, "jpg", false},
        {"C:\\x\\noext", true, "", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(duplicates::PassesFilter(c.path, c.allFiles, c.filter), c.passes) << c.path;
}

} // namespace
