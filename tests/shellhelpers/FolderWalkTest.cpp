#include "shell/ShellHelpers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

// Wine shows a Unix symbolic link as a reparse point, but its CreateSymbolicLinkA does
// nothing; so under Wine the link is made with the Linux system call itself on the
// paths that Wine maps the Windows names to. This process is a 32-bit Linux process
// there, so the i386 system-call gate is the one to use.
using UnixNameOf = char*(CDECL*)(LPCWSTR);

UnixNameOf WineUnixName()
{
    return reinterpret_cast<UnixNameOf>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name"));
}

std::string UnixPath(UnixNameOf unixName, const std::string& windowsPath)
{
    std::wstring wide(windowsPath.begin(), windowsPath.end()); // the test paths are ASCII
    char* name = unixName(wide.c_str());
    if (!name)
        return std::string();
    std::string result = name;
    ::HeapFree(::GetProcessHeap(), 0, name);
    return result;
}

long LinuxCall(long number, const char* first, const char* second = nullptr)
{
    long result;
    asm volatile("int $0x80" : "=a"(result) : "a"(number), "b"(first), "c"(second) : "memory");
    return result;
}

constexpr long kLinuxSymlink = 83;
constexpr long kLinuxUnlink = 10;

bool MakeSymbolicLink(const std::string& link, const std::string& target, bool toFolder)
{
    if (UnixNameOf unixName = WineUnixName()) {
        std::string unixLink = UnixPath(unixName, link), unixTarget = UnixPath(unixName, target);
        return !unixLink.empty() && !unixTarget.empty()
            && LinuxCall(kLinuxSymlink, unixTarget.c_str(), unixLink.c_str()) == 0;
    }
    using Create = BOOLEAN(WINAPI*)(LPCSTR, LPCSTR, DWORD);
    auto create = reinterpret_cast<Create>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA"));
    return create && create(link.c_str(), target.c_str(), toFolder ? 1 : 0);
}

void RemoveSymbolicLink(const std::string& link)
{
    if (UnixNameOf unixName = WineUnixName()) {
        std::string unixLink = UnixPath(unixName, link);
        LinuxCall(kLinuxUnlink, unixLink.c_str());
    } else if (!::RemoveDirectoryA(link.c_str())) {
        ::DeleteFileA(link.c_str());
    }
}

void WriteFileOfSize(const std::string& path, size_t size)
{
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
}

// Deletes a tree that holds no links any more (they are removed first).
void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName, path = folder + "\\" + name;
            if (name == "." || name == "..")
                continue;
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(path);
            else
                ::DeleteFileA(path.c_str());
        } while (::FindNextFileA(search, &entry));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

class FolderWalk : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_TRUE(::GetTempPathA(MAX_PATH, temp));
        base = std::string(temp) + "tw_walk_" + std::to_string(::GetCurrentProcessId());
        root = base + "\\tree";
        outside = base + "\\outside";
        ::CreateDirectoryA(base.c_str(), nullptr);
        ASSERT_TRUE(::CreateDirectoryA(root.c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryA(outside.c_str(), nullptr));
    }
    void TearDown() override
    {
        for (const std::string& link : links)
            RemoveSymbolicLink(link);
        RemoveTree(base);
    }
    void Folder(const std::string& relative) { ASSERT_TRUE(::CreateDirectoryA((root + "\\" + relative).c_str(), nullptr)); }
    void File(const std::string& relative, size_t size) { WriteFileOfSize(root + "\\" + relative, size); }
    // A link inside the tree; the walks must see it as one.
    void Link(const std::string& relative, const std::string& target, bool toFolder = true)
    {
        std::string link = root + "\\" + relative;
        ASSERT_TRUE(MakeSymbolicLink(link, target, toFolder));
        links.push_back(link);
        DWORD attributes = ::GetFileAttributesA(link.c_str());
        ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
        ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    }

    std::string base, root, outside;
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
