// Times the zip writer and reader on a folder of files:
//   zip_bench write ARCHIVE FOLDER    packs every file and folder below FOLDER
//   zip_bench extract ARCHIVE FOLDER  extracts every entry below FOLDER
// Prints "SECONDS s", the work alone without the process start, and the number of
// entries written or bytes extracted; exit code 1 when any step failed.
#include "archive/Zip.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

double Now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Folders (with a trailing '/') and files below `root`, relative to it, folders first
// within each level as a recursive walk meets them.
void Collect(const std::string& root, const std::string& relative, std::vector<std::string>& names)
{
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((root + "\\" + relative + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    std::vector<std::string> folders;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(relative + name + "/");
        else
            names.push_back(relative + name);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    for (const std::string& folder : folders) {
        names.push_back(folder);
        Collect(root, folder, names);
    }
}

int Write(const std::string& archive, const std::string& folder)
{
    std::vector<std::string> names;
    Collect(folder, "", names);
    SetCurrentDirectoryA(folder.c_str());
    const double start = Now();
    ZipHandle zip = ZipWriterOpen(const_cast<char*>(archive.c_str()), 0, ZipSourceKind::FileName);
    if (!zip)
        return std::fprintf(stderr, "cannot create %s\n", archive.c_str()), 1;
    int failures = 0;
    for (const std::string& name : names) {
        const bool isFolder = name.back() == '/';
        ZipResult result = isFolder ? ZipWriterAdd(zip, name.c_str(), nullptr, 0, ZipSourceKind::Folder)
                                    : ZipWriterAdd(zip, name.c_str(), name.c_str(), 0, ZipSourceKind::FileName);
        if (result != ZipOk) {
            ++failures;
            std::fprintf(stderr, "adding %s: 0x%lX\n", name.c_str(), static_cast<unsigned long>(result));
        }
    }
    if (ZipWriterClose(zip) != ZipOk) {
        ++failures;
        std::fprintf(stderr, "closing failed\n");
    }
    std::printf("SECONDS %.3f\nENTRIES %u\n", Now() - start, static_cast<unsigned>(names.size()));
    return failures ? 1 : 0;
}

int Extract(const std::string& archive, const std::string& folder)
{
    CreateDirectoryA(folder.c_str(), nullptr);
    SetCurrentDirectoryA(folder.c_str());
    const double start = Now();
    ZipHandle zip = ZipReaderOpen(archive.c_str(), 0, ZipSourceKind::FileName);
    if (!zip)
        return std::fprintf(stderr, "cannot open %s\n", archive.c_str()), 1;
    ZipItemInfo info;
    ZipReaderGetItem(zip, -1, &info);
    const int count = info.index;
    unsigned long long bytes = 0;
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        ZipResult result = ZipReaderGetItem(zip, i, &info);
        if (result == ZipOk)
            result = ZipReaderUnzipItem(zip, i, info.name, 0, ZipSourceKind::FileName);
        bytes += info.unpackedSize;
        if (result != ZipOk) {
            ++failures;
            std::fprintf(stderr, "extracting %s: 0x%lX\n", info.name, static_cast<unsigned long>(result));
        }
    }
    ZipReaderClose(zip);
    std::printf("SECONDS %.3f\nBYTES %llu\n", Now() - start, bytes);
    return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: zip_bench write|extract ARCHIVE FOLDER\n");
        return 2;
    }
    const std::string command = argv[1];
    if (command == "write")
        return Write(argv[2], argv[3]);
    if (command == "extract")
        return Extract(argv[2], argv[3]);
    std::fprintf(stderr, "unknown command %s\n", argv[1]);
    return 2;
}
