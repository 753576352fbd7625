// Times the junk scan's walk (shell enumeration, real find data, per-file test in list
// mode) against the plainest walk the file system allows, over one generated tree.
#include "cleaning/JunkScan.h"
#include "fileengines/Masks.h"
#include "common/CaseRule.h"
#include "common/FileHandle.h"

#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int topFolders = 50;
constexpr int foldersPerTop = 99;  // with the top folders: 5,000 folders
constexpr int filesPerFolder = 20; // 100,000 files

const char* const endings[] = {"txt", "bak", "dll", "tmp", "jpg", "old", "html", "doc", "chk", "exe"};

void MakeFiles(const std::string& folder, int& made)
{
    for (int i = 0; i < filesPerFolder; ++i) {
        std::string path = folder + "\\file" + std::to_string(i) + "." + endings[i % 10];
        const FileHandle file(
            ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid()) {
            DWORD written;
            ::WriteFile(file.Get(), "data", i % 5, &written, nullptr);
            ++made;
        }
    }
}

int BuildTree(const std::string& root)
{
    int made = 0;
    ::CreateDirectoryA(root.c_str(), nullptr);
    for (int top = 0; top < topFolders; ++top) {
        std::string topFolder = root + "\\top" + std::to_string(top);
        ::CreateDirectoryA(topFolder.c_str(), nullptr);
        MakeFiles(topFolder, made);
        for (int sub = 0; sub < foldersPerTop; ++sub) {
            std::string folder = topFolder + "\\sub" + std::to_string(sub);
            ::CreateDirectoryA(folder.c_str(), nullptr);
            MakeFiles(folder, made);
        }
    }
    return made;
}

void RemoveTree(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(folder + "\\" + name);
            else
                ::DeleteFileA((folder + "\\" + name).c_str());
        } while (::FindNextFileA(search, &entry));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
}

// The reference: every entry found, sizes summed, folders entered.
void BareWalk(const std::string& folder, long& files, unsigned long long& bytes)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (strcmp(entry.cFileName, ".") && strcmp(entry.cFileName, ".."))
                BareWalk(folder + "\\" + entry.cFileName, files, bytes);
        } else {
            ++files;
            bytes += entry.nFileSizeLow;
        }
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
}

class Counting : public file_engines::ScanObserver {};

class NoDeletes : public file_engines::FileDeleter {
public:
    file_engines::DeleteOutcome Delete(const std::string&, file_engines::DeleteAction) override
    {
        return file_engines::DeleteOutcome::Declined;
    }
};

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

// With --keep the tree stays for the next run, which then uses it as it is.
int main(int argc, char** argv)
{
    bool keep = argc > 1 && std::string(argv[1]) == "--keep";
    ::CoInitialize(nullptr);
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string root = std::string(temp) + "tw_scan_bench";
    auto start = std::chrono::steady_clock::now();
    bool reuse = keep && ::GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!reuse) {
        RemoveTree(root);
        int made = BuildTree(root);
        std::printf("tree: %d files in %d folders, built in %.1f s\n", made, topFolders * (foldersPerTop + 1),
                    Seconds(start));
    }

    cleaning::ScanSettings settings;
    settings.mode = cleaning::scanList;
    for (const std::string& mask : file_engines::DefaultMasks())
        settings.masks.push_back({true, common::UpperCase(mask)});
    settings.excludeDirs = {{true, "C:\\windows"}, {true, "C:\\Program Files"}, {true, root + "\\top7"}};

    double bareBest = 1e9, scanBest = 1e9;
    long bareFiles = 0;
    int found = 0;
    for (int round = 0; round < 3; ++round) {
        long files = 0;
        unsigned long long bytes = 0;
        start = std::chrono::steady_clock::now();
        BareWalk(root, files, bytes);
        bareBest = std::min(bareBest, Seconds(start));
        bareFiles = files;

        file_engines::FolderLocation location;
        HRESULT error;
        if (!file_engines::MakeFolderLocation(root, location, error)) {
            std::printf("the tree cannot be opened as a location (0x%08lx)\n", static_cast<unsigned long>(error));
            return 1;
        }
        Counting observer;
        NoDeletes deleter;
        TObjectList<FoundFileRecord> foundFiles;
        cleaning::JunkScan scan(settings, observer, deleter, foundFiles);
        start = std::chrono::steady_clock::now();
        // As the main form's ScanShellFolder walks each location.
        file_engines::WalkLocations(
            {{"bench", location.parentFolder, location.item}},
            [&](IShellFolder* folder, const std::string& path) {
                file_engines::WalkShellFolder(folder, path, nullptr, file_engines::WalkOptions{}, scan);
            },
            observer);
        scanBest = std::min(scanBest, Seconds(start));
        found = foundFiles.Count();
        location.parentFolder->Release();
        ::CoTaskMemFree(location.item);
    }
    std::printf("bare walk:  %ld files in %.2f s = %.0f files/s\n", bareFiles, bareBest, bareFiles / bareBest);
    std::printf("scan walk:  %ld files in %.2f s = %.0f files/s (list mode, %d found)\n", bareFiles, scanBest,
                bareFiles / scanBest, found);
    std::printf("ratio scan/bare: %.2f (target: at most 3)\n", scanBest / bareBest);
    if (!keep)
        RemoveTree(root);
    return 0;
}
