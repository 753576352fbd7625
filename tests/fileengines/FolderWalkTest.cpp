#include "fileengines/ShellServices.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSymlink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace file_engines;

namespace {

void WriteFileOfSize(const std::string& path, size_t size)
{
    testing_support::WriteFileText(path, std::string(size, 'x'));
}

class FolderWalk : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = base / "tree";
        outside = base / "outside";
        ASSERT_TRUE(::CreateDirectoryA(root.c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA(outside.c_str(), nullptr));
    }
    void TearDown() override
    {
        for (const std::string& link : links)
            testing_support::RemoveUnixSymlink(link); // before the folder goes, so that it never reaches through one
    }
    void Folder(const std::string& relative) { ASSERT_TRUE(::CreateDirectoryA((root + "\\" + relative).c_str(), nullptr)); }
    void File(const std::string& relative, size_t size) { WriteFileOfSize(root + "\\" + relative, size); }
    // A link inside the tree; the walks must see it as one.
    void Link(const std::string& relative, const std::string& target, bool toFolder = true)
    {
        std::string link = root + "\\" + relative;
        ASSERT_TRUE(testing_support::MakeUnixSymlink(link, target, toFolder));
        links.push_back(link);
        DWORD attributes = ::GetFileAttributesA(link.c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    }

    testing_support::TempFolder base;
    std::string root, outside;
    std::vector<std::string> links;
};

} // namespace

TEST_F(FolderWalk, EmptyAndMissingFoldersAreZero)
{
    EXPECT_EQ(GetDirSize(root), 0u);
    EXPECT_EQ(FastCountFiles(root, 1), 0);
    EXPECT_EQ(GetDirSize(root + "\\absent"), 0u);
    EXPECT_EQ(FastCountFiles(root + "\\absent", 1), 0);
}

TEST_F(FolderWalk, SizesAndCountsOfATree)
{
    File("a.txt", 10);
    File("b.bin", 100);
    Folder("a");
    File("a\\c.txt", 1000);
    Folder("a\\deeper");
    File("a\\deeper\\d", 1);
    Folder(".cache");
    File(".cache\\e", 7);

    EXPECT_EQ(GetDirSize(root), 1118u);
    EXPECT_EQ(GetDirSize(root + "\\"), 1118u) << "a trailing separator is not doubled";
    EXPECT_EQ(FastCountFiles(root, 0), 2) << "without recursion only the files directly inside";
    EXPECT_EQ(FastCountFiles(root, 1), 4) << "descends into \"a\", skips \".cache\"";
}

TEST_F(FolderWalk, LinksToFoldersAreNotFollowed)
{
    WriteFileOfSize(outside + "\\precious.dat", 5000);
    File("own.txt", 3);
    Folder("sub");
    Link("out", outside);
    Link("sub\\loop", root); // followed, this would walk until the path is too long

    EXPECT_EQ(GetDirSize(root), 3u);
    EXPECT_EQ(FastCountFiles(root, 1), 1);
}

TEST_F(FolderWalk, DeepPathsBeyondMaxPathEndTheWalkQuietly)
{
    std::string relative;
    for (int depth = 0; depth < 30; ++depth) {
        relative += std::string(relative.empty() ? "" : "\\") + "level_of_a_deep_tree";
        if (!::CreateDirectoryA((root + "\\" + relative).c_str(), nullptr))
            break; // the API's own limit
        File(relative + "\\f", 1);
    }
    unsigned long long size = GetDirSize(root);
    EXPECT_GT(size, 0u);
    EXPECT_EQ(static_cast<int>(size), FastCountFiles(root, 1));
}

TEST_F(FolderWalk, FiveGibibyteFileCountsInFull)
{
    // Made sparse by the file system: no 5 GiB are written.
    HANDLE file = ::CreateFileA((root + "\\big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER end;
    end.QuadPart = 5LL << 30;
    EXPECT_TRUE(::SetFilePointerEx(file, end, nullptr, FILE_BEGIN));
    EXPECT_TRUE(::SetEndOfFile(file));
    ::CloseHandle(file);
    File("small", 5);
    EXPECT_EQ(GetDirSize(root), (5ULL << 30) + 5);
}
