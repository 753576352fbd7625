// Times the duplicate search's engine (a walk of the folder for the candidates, then the
// grouping by content) over one tree and prints the groups, one path per line and an
// empty line after each group, sorted, so they can be compared with another tool's.
#include "filetools/DuplicateFinder.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void Collect(const std::string& folder, std::vector<duplicates::Candidate>& files)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Collect(path, files);
        else
            files.push_back({path, (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
                             found.ftLastWriteTime});
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: duplicate_bench FOLDER GROUPS-FILE\n");
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    std::vector<duplicates::Candidate> files;
    Collect(argv[1], files);
    double walked = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    duplicates::Grouping grouping = duplicates::GroupDuplicates(files, {duplicates::Criterion::Content, 0});
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::FILE* out = std::fopen(argv[2], "wb");
    if (!out)
        return 1;
    for (const std::string& line : duplicates::ResultLines(grouping))
        std::fprintf(out, "%s\n", line.c_str());
    std::fclose(out);
    std::printf("files %zu groups %zu unreadable %zu walk %.3f seconds %.3f\n", files.size(),
                grouping.groups.size(), grouping.unreadable.size(), walked, seconds);
    return 0;
}
