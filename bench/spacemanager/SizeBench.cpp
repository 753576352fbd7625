// Times the space manager's folder sizing over a generated tree of 100,000 files, and a
// bare find-first/find-next walk over the same tree: the bare walk is nearly all Wine's
// own file calls, so the difference is what the sizing itself adds.
#include "spacemanager/FolderSizing.h"
#include "common/FileHandle.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int topFolders = 50;
constexpr int foldersPerTop = 99;  // with the top folders: 5,000 folders
constexpr int filesPerFolder = 20; // 100,000 files

void MakeFiles(const std::string& folder)
{
    for (int i = 0; i < filesPerFolder; ++i) {
        std::string path = folder + "\\file" + std::to_string(i) + ".dat";
        const FileHandle file(
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid()) {
            static const char data[97] = {};
            DWORD written;
            WriteFile(file.Get(), data, static_cast<DWORD>(i * 5 % 97), &written, nullptr);
        }
    }
}

void BuildTree(const std::string& root)
{
    CreateDirectoryA(root.c_str(), nullptr);
    for (int top = 0; top < topFolders; ++top) {
        std::string topFolder = root + "\\top" + std::to_string(top);
        CreateDirectoryA(topFolder.c_str(), nullptr);
        MakeFiles(topFolder);
        for (int sub = 0; sub < foldersPerTop; ++sub) {
            std::string folder = topFolder + "\\sub" + std::to_string(sub);
            CreateDirectoryA(folder.c_str(), nullptr);
            MakeFiles(folder);
        }
    }
}

void BareWalk(const std::string& folder, unsigned long long& bytes)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            bytes += entry.nFileSizeLow;
        else if (strcmp(entry.cFileName, ".") && strcmp(entry.cFileName, ".."))
            BareWalk(folder + "\\" + entry.cFileName, bytes);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

// Prints the tree's Windows path, our total and times; the script compares with du and
// removes the tree.
int main()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "tw_size_bench";
    if (GetFileAttributesA(root.c_str()) == INVALID_FILE_ATTRIBUTES)
        BuildTree(root);
    double oursBest = 1e9, bareBest = 1e9;
    unsigned long long ours = 0, bare = 0;
    for (int round = 0; round < 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        // As the list measures it: each row of the root on its own.
        ours = 0;
        for (int top = 0; top < topFolders; ++top) {
            bool complete = false;
            ours += MeasureFolder(root + "\\top" + std::to_string(top), [] { return true; }, complete);
        }
        oursBest = std::min(oursBest, Seconds(start));
        start = std::chrono::steady_clock::now();
        bare = 0;
        BareWalk(root, bare);
        bareBest = std::min(bareBest, Seconds(start));
    }
    std::printf("tree: %s\n", root.c_str());
    std::printf("sizing: %llu bytes in %.2f s\n", ours, oursBest);
    std::printf("bare find walk: %llu bytes in %.2f s (Wine's own file calls)\n", bare, bareBest);
    return 0;
}
