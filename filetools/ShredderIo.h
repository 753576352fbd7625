// Every file, folder and volume operation of the shredder engine goes through this
// interface, so that tests can watch what the engine writes and can run the free-space
// wipe on a pretend disk instead of a real drive. Failures leave the Win32 error code in
// GetLastError, as the real calls do.
#pragma once

#include "fileengines/FolderDescent.h"

#include <windows.h>
#include <winioctl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// How a free-space wipe file is opened (all of them new, hidden and delete-on-close).
enum class WipeFileMode { Unbuffered, WriteThrough, Plain };

// What the system tells of an open file.
struct ShredderFileInfo {
    DWORD volumeSerialNumber = 0;  // of the volume the file really lives on
    DWORD links = 1;               // names the file has (hard links)
};

// An open raw volume and the figures needed to address its clusters.
struct ShredderVolume {
    HANDLE handle = INVALID_HANDLE_VALUE;
    uint32_t clusterSize = 0;
    uint64_t totalClusters = 0;
};

class ShredderIo {
public:
    virtual ~ShredderIo() = default;

    // Entries that match the search text (a path, possibly with wildcards in its last
    // component); "." and ".." included as the system reports them.
    virtual std::vector<WIN32_FIND_DATAA> List(const std::string& searchText) = 0;
    virtual DWORD GetAttributes(const std::string& path) = 0;
    virtual bool SetAttributes(const std::string& path, DWORD attributes) = 0;

    // An existing file for writing, sharing read and write, write-through.
    virtual HANDLE OpenForOverwrite(const std::string& path) = 0;
    // An existing file for reading without sharing, for the cluster query.
    virtual HANDLE OpenForClusterScan(const std::string& path) = 0;
    // A new free-space wipe file; fails when the name exists.
    virtual HANDLE CreateWipeFile(const std::string& path, WipeFileMode mode) = 0;
    virtual bool SeekTo(HANDLE handle, uint64_t offset) = 0;
    virtual bool SeekBack(HANDLE handle, uint64_t distance) = 0;
    // Writes all of the bytes or fails.
    virtual bool Write(HANDLE handle, const void* data, DWORD length) = 0;
    virtual bool Flush(HANDLE handle) = 0;
    virtual void Close(HANDLE handle) = 0;
    virtual bool QueryFileInfo(HANDLE file, ShredderFileInfo& info) = 0;

    virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // A listed subfolder, opened so that it stays what it is while the walk works under
    // it; null (GetLastError telling why: ERROR_CANT_RESOLVE_FILENAME for a link) when it
    // is no longer the folder that was listed.
    virtual std::unique_ptr<folder_descent::EnteredFolder> EnterFolder(const std::string& path) = 0;
    // Removes an entered folder, emptied by now, through what was opened.
    virtual bool RemoveFolder(folder_descent::EnteredFolder& folder) = 0;

    // Binds the NT entry points for the cluster query. On the Windows 95 family there is
    // nothing to bind; returns false with the name of a missing entry point.
    virtual bool LoadNtEntryPoints(std::string& missing) = 0;
    virtual bool ClusterQueryAvailable() = 0;
    // FSCTL_GET_RETRIEVAL_POINTERS from startingVcn, waited for when it pends;
    // returns the NT status.
    virtual LONG QueryRetrievalPointers(HANDLE file, LONGLONG startingVcn,
                                        RETRIEVAL_POINTERS_BUFFER* out, DWORD outSize) = 0;
    // The Win32 error code of an NT status, for the message text.
    virtual DWORD NtStatusToWin32Error(LONG status) = 0;
    // The volume an open file lives on, which a mount point or a junction on its path
    // can make another one than the volume of the path's drive letter: the root folder to
    // reach that volume by (its drive "D:\" when it has one, else a folder it is mounted
    // at, "C:\Mnt\D\") and the volume's serial number.
    virtual bool LocateVolume(HANDLE file, const std::string& path, std::string& root,
                              DWORD& serialNumber) = 0;
    // The raw volume mounted at root, for reading and writing.
    virtual bool OpenVolume(const std::string& root, ShredderVolume& volume) = 0;

    // GetDiskFreeSpaceA of a root ("X:\").
    virtual bool QueryFreeSpace(const std::string& root, DWORD& sectorsPerCluster,
                                DWORD& bytesPerSector, DWORD& freeClusters,
                                DWORD& totalClusters) = 0;
    enum class FreeSpaceEx { Unavailable, Failed, Done };
    // GetDiskFreeSpaceExA, looked up at run time since early Windows 95 lacks it.
    virtual FreeSpaceEx QueryFreeSpaceEx(const std::string& root, uint64_t& freeToCaller,
                                         uint64_t& totalFree) = 0;
};

// The real file system.
ShredderIo& Win32ShredderIo();
