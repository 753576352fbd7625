// The secure-delete engine: overwrites files with passes of zeros, 0xFF bytes and random
// bytes, renames each file 26 times and deletes it, overwrites the disk clusters of
// packed files through the raw volume, and wipes a drive's free space. One engine serves
// one run, so no state of one run reaches the next.
#pragma once

#include "filetools/Shredder.h"
#include "filetools/ShredderArgv.h"
#include "filetools/ShredderExtents.h"
#include "filetools/ShredderIo.h"
#include "filetools/ShredderObserver.h"
#include "filetools/ShredderVolumes.h"

#include <cstdint>
#include <string>
#include <vector>

struct ShredderTally {
    unsigned filesFound = 0;     // files handed to the per-file step
    unsigned filesShredded = 0;
    unsigned filesLeft = 0;      // files that could not be shredded and are still there
    unsigned foldersLeft = 0;    // folders the walk should have removed but could not
    // Files with further names (hard links): only the chosen name went, their data stay.
    std::vector<std::string> filesWithOtherNames;
    // Packed files overwritten through the file, as their volume could not be told for
    // sure: their old clusters are still on the disk.
    std::vector<std::string> oldClustersLeft;
    // Files left under a scrambled name (counted in filesLeft too).
    std::vector<ScrambledLeftover> scrambledLeft;
};

class ShredderEngine {
public:
    enum class Outcome {
        Shredded,   // overwritten (or its clusters dealt with), renamed and deleted
        Left,       // an error left the file in place under its own name
        Cancelled,  // the user cancelled; the file keeps its own name
        NameRemoved,   // the file has other names: only this one went, its data stay
        Plain,         // ShredPackedFile only: overwrite it as an ordinary file
        PlainOldClustersStay  // the same, though its old clusters stay on the disk
    };

    ShredderEngine(const ShredderOptions& options, ShredderObserver& observer, ShredderIo& io);
    ShredderEngine(const ShredderEngine&) = delete;
    ShredderEngine& operator=(const ShredderEngine&) = delete;

    // Shreds what matches path: a file, a folder (with "-s"), or a pattern in the last
    // component. The first call fills `pattern`; the walk's deeper calls pass it on.
    void ShredDirectory(const std::string& path, std::string& pattern);
    // One entry that the walk found; folders are passed over.
    void ShredEntry(const WIN32_FIND_DATAA& entry, const std::string& path);
    Outcome ShredFile(const std::string& path, uint64_t size);
    // A compressed, encrypted or sparse file: overwrite its clusters on the volume.
    Outcome ShredPackedFile(const std::string& path);
    // Writes the region that starts at the handle's position (pass count) x (zeros, 0xFF,
    // random), always from the same start, each of them flushed to the disk before the
    // next; the position ends at the region's end. showProgress reports each write as
    // the current file's progress.
    bool WritePasses(HANDLE handle, uint64_t length, bool showProgress = false);
    // Renames the file 26 times, its name's letters all 'A', then 'B', ... 'Z' (dots
    // kept), and gives the name it ends under.
    void ScrambleFileName(const std::string& path, std::string& lastName);
    // Fills the free space of the path's drive with overwritten files, then with small
    // ones for the file table after "-z"; true when the wipe ran to its end.
    bool WipeFreeSpace(const std::string& drivePath);
    // Wipes the free space of every volume that packed files left old clusters on.
    bool WipeLeftClusters();
    // Clears the attributes (read-only, hidden, system) that would stop the shredding.
    void SetDelAttributes(const std::string& path);

    const ShredderTally& Tally() const { return tally_; }
    // A packed file was deleted without its clusters being overwritten: the run has to
    // wipe the free space of its volume.
    bool PackedFilesNeedWipe() const { return !packedWipeRoots_.empty(); }

private:
    enum class ClusterScan {
        Mapped,          // the whole cluster map was read
        Overwritten,     // every cluster on the disk was overwritten
        NotOverwritten,  // clusters on the disk that could not be overwritten
        NoClusters,      // nothing on the disk: an ordinary overwrite reaches all of it
        Untrusted,       // the map cannot be right; never write the volume after it
        VolumeUnknown,   // the file's volume cannot be told for sure; never write one
        Failed,          // the query failed
        Cancelled
    };

    bool OverwriteFile(HANDLE file, uint64_t size);
    Outcome RemoveScrambled(const std::string& path);
    // root receives the root of the file's volume.
    ClusterScan OverwriteClusterRuns(HANDLE file, const std::string& path, DWORD fileVolumeSerial,
                                     std::string& root);
    bool WipeVolumeFreeSpace(const std::string& root);
    ClusterScan QueryExtents(HANDLE file, std::vector<ShredderExtent>& extents);
    void PrintError(const char* format, const std::string& path, DWORD error);
    void Print(const std::string& text) { observer_.Print(text); }
    bool Cancelled() const { return observer_.Cancelled(); }

    const ShredderOptions options_;
    ShredderObserver& observer_;
    ShredderIo& io_;
    ShredderVolumes volumes_;
    ShredderTally tally_;
    bool firstLevel_ = true;
    bool deleteFolders_ = false;
    std::vector<std::string> packedWipeRoots_;  // volumes to wipe for packed files
    std::vector<LONGLONG> retrievalBuffer_;
};
