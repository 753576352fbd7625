// Shredding real files in a temporary folder, the file work watched through the seam.
#include "ShredderTestKit.h"

#include "filetools/Shredder.h"
#include "tests/support/UnixSymlink.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace shredder_test;

namespace {

bool NoNameContains(const std::set<std::string>& names, const std::string& part)
{
    return std::none_of(names.begin(), names.end(),
                        [&](const std::string& name) { return name.find(part) != std::string::npos; });
}

TEST(ShredderFiles, AFileIsGoneWithItsName)
{
    TempFolder folder;
    WriteFileText(folder / "secret-report.txt", std::string(100000, 's'));
    WriteFileText(folder / "keep.txt", "keep");
    TestObserver observer;
    TestIo io;

    ShredderResult result = RunShredder({"", "-p", "2", folder / "secret-report.txt"}, observer, io);

    EXPECT_TRUE(result.Succeeded()) << observer.console;
    EXPECT_EQ(1u, result.filesShredded);
    EXPECT_EQ(std::set<std::string>{"keep.txt"}, TreeNames(folder.Path()));
    EXPECT_EQ("keep", ReadFileText(folder / "keep.txt"));
    // 26 new names of the same length and dots, the last one deleted.
    std::vector<std::string> renames = io.Entries({"rename"});
    ASSERT_EQ(26u, renames.size());
    EXPECT_EQ("rename secret-report.txt AAAAAAAAAAAAA.AAA", renames.front());
    EXPECT_EQ("rename YYYYYYYYYYYYY.YYY ZZZZZZZZZZZZZ.ZZZ", renames.back());
    EXPECT_EQ(std::vector<std::string>{"delete ZZZZZZZZZZZZZ.ZZZ"}, io.Entries({"delete"}));
    EXPECT_NE(std::string::npos, observer.console.find("deleted."));
}

TEST(ShredderFiles, AFolderWithRecurseGoesEntirely)
{
    TempFolder parent;
    std::string root = parent / "private";
    MakeFolder(root);
    MakeFolder(root + "\\letters");
    MakeFolder(root + "\\letters\\2004");
    MakeFolder(root + "\\empty");
    WriteFileText(root + "\\diary.txt", "dear diary");
    WriteFileText(root + "\\letters\\to-bank.doc", "account 1234");
    WriteFileText(root + "\\letters\\2004\\tax.xls", "numbers");
    TestObserver observer;
    TestIo io;

    ShredderResult result = RunShredder({"", "-p", "1", "-s", root}, observer, io);

    EXPECT_TRUE(result.Succeeded()) << observer.console;
    EXPECT_EQ(3u, result.filesShredded);
    EXPECT_TRUE(TreeNames(parent.Path()).empty());

    // Without "-s" a folder path finds nothing to delete.
    MakeFolder(root);
    WriteFileText(root + "\\diary.txt", "dear diary");
    TestObserver plain;
    EXPECT_EQ(0u, RunShredder({"", "-p", "1", root}, plain, io).filesFound);
    EXPECT_NE(std::string::npos, plain.console.find("No files found that match " + root + "."));
    EXPECT_TRUE(Exists(root + "\\diary.txt"));

    // A folder path ending in a backslash names the same folder.
    EXPECT_TRUE(RunShredder({"", "-p", "1", "-s", root + "\\"}, plain, io).Succeeded());
    EXPECT_FALSE(Exists(root));
}

TEST(ShredderFiles, APatternTakesTheMatchingFilesAndEveryRunStartsAfresh)
{
    TempFolder parent;
    auto makeTree = [&](const std::string& root) {
        MakeFolder(root);
        MakeFolder(root + "\\sub");
        WriteFileText(root + "\\a.bak", "a");
        WriteFileText(root + "\\b.txt", "b");
        WriteFileText(root + "\\sub\\c.bak", "c");
        WriteFileText(root + "\\sub\\d.txt", "d");
    };
    makeTree(parent / "one");
    makeTree(parent / "two");
    TestObserver observer;
    TestIo io;

    // "*.*" empties the folder, subfolders included, and keeps the folder.
    ShredderResult all = RunShredder({"", "-p", "1", "-s", parent / "one\\*.*"}, observer, io);
    EXPECT_TRUE(all.Succeeded()) << observer.console;
    EXPECT_TRUE(Exists(parent / "one"));
    EXPECT_TRUE(TreeNames(parent / "one").empty());

    // A later "*.bak" run in the same process removes no folder.
    ShredderResult some = RunShredder({"", "-p", "1", "-s", parent / "two\\*.bak"}, observer, io);
    EXPECT_TRUE(some.Succeeded()) << observer.console;
    EXPECT_EQ(2u, some.filesShredded);
    EXPECT_EQ((std::set<std::string>{"b.txt", "sub", "sub\\d.txt"}), TreeNames(parent / "two"));
}

TEST(ShredderFiles, EmptyAndReadOnlyFilesAreGone)
{
    TempFolder folder;
    WriteFileText(folder / "empty.log", "");
    WriteFileText(folder / "locked.ini", "password=swordfish");
    SetFileAttributesA((folder / "locked.ini").c_str(),
                       FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    TestObserver observer;
    TestIo io;

    EXPECT_TRUE(RunShredder({"", "-p", "1", folder / "empty.log"}, observer, io).Succeeded());
    // The empty file is renamed and deleted without a single write.
    EXPECT_TRUE(io.Entries({"write"}).empty());
    EXPECT_EQ(26u, io.Entries({"rename"}).size());

    EXPECT_TRUE(RunShredder({"", "-p", "1", folder / "locked.ini"}, observer, io).Succeeded())
        << observer.console;
    EXPECT_TRUE(TreeNames(folder.Path()).empty());
}

TEST(ShredderFiles, CancelLeavesTheFileUnderItsOwnName)
{
    TempFolder folder;
    std::string path = folder / "half.dat";
    WriteFileText(path, std::string(300000, 'h'));
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    TestObserver observer;
    TestIo io;
    int writes = 0;
    io.beforeWrite = [&] { observer.cancelled = ++writes == 5; };

    ShredderResult result = RunShredder({"", "-p", "3", path}, observer, io);

    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(std::set<std::string>{"half.dat"}, TreeNames(folder.Path()));
    EXPECT_TRUE(io.Entries({"rename", "delete"}).empty());
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY),
              GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(ShredderFiles, AFileThatCannotBeDeletedIsCountedAndKeepsItsName)
{
    TempFolder folder;
    WriteFileText(folder / "stuck.txt", "stuck");
    TestObserver observer;
    TestIo io;
    io.failRemoveFile = true;

    ShredderResult result = RunShredder({"", "-p", "1", folder / "stuck.txt"}, observer, io);

    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(1u, result.filesLeft);
    EXPECT_EQ(0u, result.filesShredded);
    EXPECT_TRUE(Exists(folder / "stuck.txt"));
    EXPECT_NE(std::string::npos, observer.console.find("Error deleting " + folder / "stuck.txt"));
    EXPECT_NE(std::string::npos, observer.console.find("1 file could not be shredded."));
}

TEST(ShredderFiles, LinksAreNeitherFollowedNorTouched)
{
    TempFolder parent;
    std::string root = parent / "tree";
    MakeFolder(root);
    MakeFolder(root + "\\elsewhere");  // stands for a junction to another folder
    WriteFileText(root + "\\elsewhere\\precious.doc", "precious");
    WriteFileText(root + "\\shortcut.doc", "target");  // stands for a file symbolic link
    WriteFileText(root + "\\own.txt", "own");
    TestObserver observer;
    TestIo io;
    io.linkNames = {"elsewhere", "shortcut.doc"};

    ShredderResult result = RunShredder({"", "-p", "1", "-s", root}, observer, io);

    EXPECT_EQ(1u, result.filesShredded);
    EXPECT_EQ(1u, result.filesLeft);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ("precious", ReadFileText(root + "\\elsewhere\\precious.doc"));
    EXPECT_EQ("target", ReadFileText(root + "\\shortcut.doc"));
    for (const std::string& entry : io.log)
        EXPECT_TRUE(entry.find("elsewhere") == std::string::npos &&
                    entry.find("precious") == std::string::npos &&
                    entry.find("shortcut") == std::string::npos)
            << entry;
    EXPECT_TRUE(NoNameContains(TreeNames(parent.Path()), "own"));
}

// Another process that may write in the folder swaps a listed subfolder for a link to a
// folder elsewhere between the walk's listing of the subfolders and its descent.
TEST(ShredderFiles, ASubfolderSwappedForALinkAfterTheListingIsNotFollowed)
{
    TempFolder parent, outside;
    std::string root = parent / "tree";
    MakeFolder(root);
    MakeFolder(root + "\\sub");
    WriteFileText(root + "\\sub\\mine.txt", "mine");
    MakeFolder(outside / "victim");
    WriteFileText(outside / "victim\\keep.txt", "keep");
    TestObserver observer;
    TestIo io;
    // The walk lists a folder's files first, then its subfolders.
    int listings = 0;
    io.afterList = [&](const std::string& searchText) {
        if (searchText == root + "\\*.*" && ++listings == 2 &&
            MoveFileA((root + "\\sub").c_str(), (parent / "moved").c_str()))
            testing_support::MakeUnixSymlink(root + "\\sub", outside / "victim");
    };

    ShredderResult result = RunShredder({"", "-p", "1", "-s", root}, observer, io);

    EXPECT_EQ("keep", ReadFileText(outside / "victim\\keep.txt"));
    EXPECT_TRUE(Exists(outside / "victim"));
    EXPECT_FALSE(result.Succeeded());
    EXPECT_NE(std::string::npos, observer.console.find("Skipping link " + root + "\\sub")) << observer.console;
    testing_support::RemoveUnixSymlink(root + "\\sub");
}

// The other name lies outside the target and still shows the file's data.
TEST(ShredderFiles, AFileWithOtherNamesLosesOnlyTheChosenName)
{
    TempFolder folder;
    MakeFolder(folder / "target");
    std::string path = folder / "target\\shared.doc";
    WriteFileText(path, "shared data");
    ASSERT_TRUE(CreateHardLinkA((folder / "other-name.doc").c_str(), path.c_str(), nullptr));
    TestObserver observer;
    TestIo io;

    ShredderResult result = RunShredder({"", "-p", "1", "-s", folder / "target"}, observer, io);

    EXPECT_FALSE(Exists(folder / "target"));
    EXPECT_EQ("shared data", ReadFileText(folder / "other-name.doc"));
    EXPECT_TRUE(io.Entries({"write"}).empty());
    EXPECT_EQ(std::vector<std::string>{path}, result.filesWithOtherNames);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_NE(std::string::npos, observer.console.find(path + " has other names; its data were not overwritten."));
}

// The real seam refuses a name that leads to another file (a file link that the system
// shows as an ordinary file); an ordinary file must open under any of its spellings.
TEST(ShredderFiles, AnOrdinaryFileOpensUnderEverySpellingOfItsName)
{
    TempFolder folder;
    MakeFolder(folder / "sub");
    std::string path = folder / "A Rather Long File Name.text";
    WriteFileText(path, "x");
    char shortPath[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    std::string upper = path;
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));

    for (const std::string& spelling :
         {path, upper, std::string(shortPath), folder / "sub\\..\\A Rather Long File Name.text"}) {
        HANDLE file = Win32ShredderIo().OpenForOverwrite(spelling);
        EXPECT_NE(INVALID_HANDLE_VALUE, file) << spelling << " " << GetLastError();
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
    }
}

} // namespace
