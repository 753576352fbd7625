// The duplicate grouping on real files: a group is a set of files equal by the criterion,
// and in content mode equal byte for byte.
#include "filetools/DuplicateFinder.h"
#include "filetools/DuplicateResults.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Times.h"
#include "tests/support/UnixSymlink.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

using duplicates::Candidate;
using duplicates::Criterion;
using testing_support::WriteFileText;

// Writes the file, with the given last-write time when there is one, and returns it as
// the walk would have found it.
Candidate Make(const std::string& path, const std::string& bytes, FILETIME time = {})
{
    WriteFileText(path, bytes);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (time.dwLowDateTime || time.dwHighDateTime)
        SetFileTime(file, nullptr, nullptr, &time);
    else
        GetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
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
    // 4 GiB + 4: not the 4-byte files' size (a file the walk saw, alone in its size and time)
    files.push_back({folder / "huge", 0x100000004ull, testing_support::FileTimeOf(2040, 1, 1)});

    EXPECT_EQ(Group(files, Criterion::Size).groups,
              (std::vector<std::vector<std::string>>{{folder / "big", folder / "Name.txt"}}));
    EXPECT_EQ(Group(files, Criterion::Date).groups,
              (std::vector<std::vector<std::string>>{{folder / "big", folder / "Name.txt"}}));
    EXPECT_EQ(Group(files, Criterion::Name).groups,
              (std::vector<std::vector<std::string>>{{folder / "Name.txt", folder / "sub\\name.TXT"}}));
}

// A file reached under two paths must not become its own duplicate: overlapping
// locations, another drive letter onto the same folder, a linked folder as location.
TEST(DuplicateFinder, AFileReachedTwiceIsNoDuplicate)
{
    testing_support::TempFolder folder;
    CreateDirectoryA((folder / "dups").c_str(), nullptr);
    FILETIME noon = testing_support::FileTimeOf(2020, 5, 1, 12);
    std::vector<Candidate> first = {Make(folder / "dups\\one", "same", noon), Make(folder / "dups\\two", "same", noon)};
    testing_support::MappedDrive drive('M', folder / "dups");
    ASSERT_TRUE(drive.Made());
    ASSERT_TRUE(testing_support::MakeUnixSymlink(folder / "linked", folder / "dups"));
    struct Case {
        const char* spelling;
        std::string folder;
    } cases[] = {{"case", folder / "DUPS\\"}, {"drive letter", drive.Root()}, {"linked folder", folder / "linked\\"}};
    for (const Case& c : cases) {
        std::vector<Candidate> files = first;
        for (Candidate again : first) {
            again.path = c.folder + again.path.substr(again.path.find_last_of('\\') + 1);
            files.push_back(again);
        }
        for (Criterion criterion : {Criterion::Content, Criterion::Name, Criterion::Size, Criterion::Date}) {
            auto expected = criterion == Criterion::Name ? std::vector<std::vector<std::string>>{}
                                                         : std::vector<std::vector<std::string>>{{first[0].path, first[1].path}};
            duplicates::Grouping result = Group(files, criterion);
            EXPECT_EQ(result.groups, expected) << c.spelling << " " << static_cast<int>(criterion);
            EXPECT_TRUE(result.unreadable.empty() && result.changed.empty()) << c.spelling << ": each path reached";
        }
    }
    testing_support::RemoveUnixSymlink(folder / "linked");
}

// A file system without file indexes (some network shares) gives 0 for every file: such
// files are told apart by their full paths, not all taken for one file.
TEST(DuplicateFinder, FilesWithoutAnIndexAreKnownByTheirPaths)
{
    testing_support::TempFolder folder;
    CreateDirectoryA((folder / "x").c_str(), nullptr);
    CreateDirectoryA((folder / "y").c_str(), nullptr);
    FILETIME noon = testing_support::FileTimeOf(2020, 5, 1, 12);
    Candidate x = Make(folder / "x\\f", "same", noon), y = Make(folder / "y\\f", "same", noon);
    Candidate xAgain = x; // reached a second time, through overlapping locations
    xAgain.path = folder / "X\\F";
    auto noIndex = [](HANDLE) { return 0ull; };
    for (Criterion criterion : {Criterion::Content, Criterion::Name, Criterion::Size, Criterion::Date})
        EXPECT_EQ(duplicates::GroupDuplicates({x, y, xAgain}, {criterion, 0}, duplicates::FileChecksum, {}, noIndex)
                      .groups,
                  (std::vector<std::vector<std::string>>{{x.path, y.path}}))
            << static_cast<int>(criterion);
}

// Without an index, one file reached by a drive letter and by the folder it maps must not
// be offered as its own copy: it is one file where the system says so (its final path),
// and never picked by the automatic selection where it cannot.
TEST(DuplicateFinder, OneFileWithoutAnIndexIsNeverPickedAsItsOwnCopy)
{
    testing_support::TempFolder folder;
    CreateDirectoryA((folder / "dups").c_str(), nullptr);
    const Candidate file = Make(folder / "dups\\f", "same", testing_support::FileTimeOf(2020, 5, 1, 12));
    testing_support::MappedDrive drive('N', folder / "dups");
    ASSERT_TRUE(drive.Made());
    Candidate onDrive = file;
    onDrive.path = drive.Root() + "f";
    auto noIndex = [](HANDLE) { return 0ull; };
    for (Criterion criterion : {Criterion::Content, Criterion::Name, Criterion::Size, Criterion::Date}) {
        const duplicates::Grouping grouping =
            duplicates::GroupDuplicates({file, onDrive}, {criterion, 0}, duplicates::FileChecksum, {}, noIndex);
        const std::vector<std::string> lines = duplicates::ResultLines(grouping);
        auto known = [&](int row) {
            const auto& unknown = grouping.unknownIdentity;
            return std::find(unknown.begin(), unknown.end(), lines[row]) == unknown.end();
        };
        EXPECT_EQ(duplicates::AllButFirstRows(lines, [](int) { return true; }, known), std::vector<int>{})
            << static_cast<int>(criterion);
    }
}

// Only the file the walk saw may join a group: one that grew or shrank since is left out
// as changed, whatever the criterion, even when its first bytes still match.
TEST(DuplicateFinder, AFileChangedSinceTheWalkIsLeftOutAsChanged)
{
    testing_support::TempFolder folder;
    CreateDirectoryA((folder / "x").c_str(), nullptr);
    CreateDirectoryA((folder / "y").c_str(), nullptr);
    FILETIME noon = testing_support::FileTimeOf(2020, 5, 1, 12);
    for (const char* now : {"AAAAzzzz", "AA"}) {
        std::vector<Candidate> files = {Make(folder / "x\\f", "AAAA", noon), Make(folder / "y\\f", "AAAA", noon)};
        Make(folder / "y\\f", now, noon); // the same time, another size
        for (Criterion criterion : {Criterion::Content, Criterion::Name, Criterion::Size, Criterion::Date}) {
            duplicates::Grouping result = Group(files, criterion);
            EXPECT_TRUE(result.groups.empty()) << now << " " << static_cast<int>(criterion);
            EXPECT_EQ(result.changed, std::vector<std::string>{folder / "y\\f"}) << now;
        }
    }
}

// Empty files that cannot be read: no group of one, no group of none (a lone empty line).
TEST(DuplicateFinder, AGroupHasTwoFilesOrMore)
{
    testing_support::TempFolder folder;
    struct Case {
        std::vector<const char*> readable, locked;
    } cases[] = {{{"e1"}, {"l1"}}, {{}, {"l1", "l2"}}};
    for (const Case& c : cases) {
        std::vector<Candidate> files;
        std::vector<HANDLE> locks;
        for (const char* name : c.readable)
            files.push_back(Make(folder / name, ""));
        for (const char* name : c.locked) {
            files.push_back(Make(folder / name, ""));
            locks.push_back(CreateFileA((folder / name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        }
        duplicates::Grouping result = Group(files, Criterion::Content);
        for (HANDLE lock : locks)
            CloseHandle(lock);
        EXPECT_TRUE(result.groups.empty()) << c.locked.size();
        EXPECT_TRUE(duplicates::ResultLines(result).empty()) << c.locked.size();
        EXPECT_EQ(result.unreadable.size(), c.locked.size());
    }
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
