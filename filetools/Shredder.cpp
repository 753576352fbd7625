#include "filetools/Shredder.h"

#include "filetools/ShredderEngine.h"
#include "filetools/ShredderMessages.h"

#include <vector>

namespace {

bool FullPathName(const std::string& path, std::string& fullPath)
{
    std::vector<char> buffer(MAX_PATH);
    DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(),
                                    nullptr);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(),
                                  nullptr);
    }
    if (length == 0 || length >= buffer.size())
        return false;
    fullPath.assign(buffer.data(), length);
    return true;
}

std::string CurrentFolder()
{
    std::vector<char> buffer(GetCurrentDirectoryA(0, nullptr) + 1);
    DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    return std::string(buffer.data(), length < buffer.size() ? length : 0);
}

const char* Plural(unsigned count, const char* ending) { return count == 1 ? "" : ending; }

} // namespace

ShredderResult RunShredder(const ShredderArgv& argv, ShredderObserver& observer, ShredderIo& io)
{
    ShredderResult result;
    ShredderOptions options;
    std::string fullPath;
    if (!ParseShredderArgv(argv, options) ||
        (options.hasPath && !FullPathName(options.path, fullPath))) {
        result.usageError = true;
        return result;
    }
    if (!options.hasPath)
        fullPath = CurrentFolder();
    // "C:\data\" names the folder C:\data; the system finds nothing under the first spelling.
    while (fullPath.size() > 3 && fullPath.back() == '\\')
        fullPath.pop_back();
    // Only the free-space wipe takes a drive; a file or folder shred of a drive root
    // would empty the whole drive.
    if (!options.wipeFreeSpace && IsWholeDriveTarget(options.path, fullPath)) {
        observer.Print(FormatText("Refusing to shred the whole drive %s\n", fullPath.c_str()));
        result.refused = true;
        return result;
    }
    // Without the NT entry points packed files are overwritten as ordinary files.
    std::string missing;
    if (!io.LoadNtEntryPoints(missing))
        observer.Print(FormatText("\nCould not find %s entry point in NTDLL.DLL\n", missing.c_str()));

    observer.Print(FormatText("Nullpass is set for %u pass%s.\n", options.passes,
                              options.passes > 1 ? "es" : ""));
    ShredderEngine engine(options, observer, io);
    if (!options.wipeFreeSpace) {
        std::string pattern;
        engine.ShredDirectory(fullPath, pattern);
        if (engine.Tally().filesFound == 0)
            observer.Print(FormatText("No files found that match %s.\n", options.path.c_str()));
    }
    if (options.wipeFreeSpace || engine.PackedFilesNeedWipe()) {
        result.wipeRan = true;
        // Packed files' old clusters are free space of the volumes the files were on,
        // which need not be the path's drive.
        result.wipeCompleted = options.wipeFreeSpace ? engine.WipeFreeSpace(fullPath)
                                                     : engine.WipeLeftClusters();
    }
    observer.Print("\n");

    const ShredderTally& tally = engine.Tally();
    result.cancelled = observer.Cancelled();
    result.filesFound = tally.filesFound;
    result.filesShredded = tally.filesShredded;
    result.filesLeft = tally.filesLeft;
    result.foldersLeft = tally.foldersLeft;
    result.filesWithOtherNames = tally.filesWithOtherNames;
    result.oldClustersLeft = tally.oldClustersLeft;
    result.scrambledLeft = tally.scrambledLeft;
    if (tally.filesLeft)
        observer.Print(FormatText("%u file%s could not be shredded.\n", tally.filesLeft,
                                  Plural(tally.filesLeft, "s")));
    if (tally.foldersLeft)
        observer.Print(FormatText("%u folder%s could not be removed.\n", tally.foldersLeft,
                                  Plural(tally.foldersLeft, "s")));
    return result;
}
