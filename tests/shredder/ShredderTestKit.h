// Test doubles for the shredder engine: a temporary folder, an observer that records
// what the window would show, and an I/O seam that does the file work on the real
// file system (inside a temporary folder) while keeping every drive-wide operation -
// raw volumes, free space, wipe files - on a pretend disk.
#pragma once

#include "filetools/ShredderExtents.h"
#include "filetools/ShredderIo.h"
#include "filetools/ShredderObserver.h"
#include "tests/support/TempFolder.h"

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace shredder_test {

using testing_support::Exists;
using testing_support::ReadFileText;
using testing_support::TempFolder;
using testing_support::WriteFileText;

void MakeFolder(const std::string& path);
// Names in the folder and all its subfolders, as paths relative to it ("sub\a.txt").
std::set<std::string> TreeNames(const std::string& folder);

class TestObserver : public ShredderObserver {
public:
    bool Cancelled() const override { return cancelled; }
    void ProcessMessages() override {}
    void ShowNotice(const std::string& text) override { notices.push_back(text); }
    void WipeProgress(unsigned percent, bool) override { percents.push_back(percent); }
    void WipeFinished() override { ++wipesFinished; }
    void Print(const std::string& text) override { console += text; }

    bool cancelled = false;
    std::string console;
    std::vector<std::string> notices;
    std::vector<unsigned> percents;
    unsigned wipesFinished = 0;
};

// The pretend disk of the free-space wipe: it takes bytes until freeBytes are used up
// and files until its file table has no record left; small files live in their record.
struct FakeDisk {
    uint64_t freeBytes = 0;
    bool quota = false;                // the caller's share is smaller than the free space
    bool freeSpaceExAvailable = true;
    DWORD sectorsPerCluster = 8;
    DWORD bytesPerSector = 512;
    unsigned freeRecords = 20;
    uint64_t residentBytes = 700;

    struct File {
        std::string name;
        WipeFileMode mode;
        uint64_t size = 0;
        uint64_t position = 0;
    };
    std::map<HANDLE, File> openFiles;
    std::vector<std::string> created;  // names, in order
    unsigned misalignedWrites = 0;     // unbuffered writes of part of a sector
};

class TestIo : public ShredderIo {
public:
    // Every call, in order: "open NAME", "seekto N", "seekback N", "write N Z|O|R" (zeros,
    // 0xFF bytes, random), "flush", "close", "rename FROM TO", "delete NAME",
    // "rmdir NAME", "attr NAME", "scan NAME", "volume ROOT", "freespace ROOT",
    // "wipefile NAME"; names without their folder. Writes to a volume read "vwrite";
    // wipe files log nothing but their creation.
    std::vector<std::string> log;
    // The log entries that start with one of these words.
    std::vector<std::string> Entries(std::initializer_list<const char*> words) const;

    // false: no call reaches the real file system (each fails with access denied).
    bool forward = true;
    std::set<std::string> packedNames;  // listed with FILE_ATTRIBUTE_COMPRESSED
    std::set<std::string> linkNames;    // listed with FILE_ATTRIBUTE_REPARSE_POINT
    bool failRemoveFile = false;
    std::string failRenameTo;           // a rename to this path fails
    std::function<void()> beforeWrite;  // runs before every write
    // Runs after every listing, with the search text: another process at work meanwhile.
    std::function<void(const std::string& searchText)> afterList;

    // The cluster query: Wine's own answer, or the scripted one.
    std::string missingEntryPoint;
    bool realClusterQuery = true;
    LONG scriptedStatus = 0;
    std::vector<ShredderExtent> scriptedExtents;
    // Where a file lives: the real volume, unless these say otherwise.
    std::string volumeRoot;                 // the root the file's volume is found at
    std::optional<DWORD> fileVolumeSerial;  // what the file tells of its volume
    // The raw volumes (never real ones).
    bool volumeOpens = true;
    uint32_t volumeClusterSize = 4096;
    uint64_t volumeClusters = 1000000;

    FakeDisk disk;

    std::vector<WIN32_FIND_DATAA> List(const std::string& searchText) override;
    DWORD GetAttributes(const std::string& path) override;
    bool SetAttributes(const std::string& path, DWORD attributes) override;
    HANDLE OpenForOverwrite(const std::string& path) override;
    HANDLE OpenForClusterScan(const std::string& path) override;
    HANDLE CreateWipeFile(const std::string& path, WipeFileMode mode) override;
    bool SeekTo(HANDLE handle, uint64_t offset) override;
    bool SeekBack(HANDLE handle, uint64_t distance) override;
    bool Write(HANDLE handle, const void* data, DWORD length) override;
    bool Flush(HANDLE handle) override;
    void Close(HANDLE handle) override;
    bool QueryFileInfo(HANDLE file, ShredderFileInfo& info) override;
    bool RenameFile(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    std::unique_ptr<folder_descent::EnteredFolder> EnterFolder(const std::string& path) override;
    bool RemoveFolder(folder_descent::EnteredFolder& folder) override;
    bool LoadNtEntryPoints(std::string& missing) override;
    bool ClusterQueryAvailable() override;
    LONG QueryRetrievalPointers(HANDLE file, LONGLONG startingVcn, RETRIEVAL_POINTERS_BUFFER* out,
                                DWORD outSize) override;
    DWORD NtStatusToWin32Error(LONG status) override;
    bool LocateVolume(HANDLE file, const std::string& path, std::string& root,
                      DWORD& serialNumber) override;
    bool OpenVolume(const std::string& root, ShredderVolume& volume) override;
    bool QueryFreeSpace(const std::string& root, DWORD& sectorsPerCluster, DWORD& bytesPerSector,
                        DWORD& freeClusters, DWORD& totalClusters) override;
    FreeSpaceEx QueryFreeSpaceEx(const std::string& root, uint64_t& freeToCaller,
                                 uint64_t& totalFree) override;

private:
    bool Refused();
    HANDLE NewFakeHandle() { return reinterpret_cast<HANDLE>(0x7E000000 + 4 * ++fakeHandles_); }
    ShredderIo& real_ = Win32ShredderIo();
    std::set<HANDLE> volumes_;
    std::map<HANDLE, uint64_t> volumePositions_;
    unsigned fakeHandles_ = 0;
};

} // namespace shredder_test
