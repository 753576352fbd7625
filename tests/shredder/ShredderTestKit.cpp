#include "ShredderTestKit.h"

#include "filetools/ShredderPatterns.h"

#include <gtest/gtest.h>

namespace shredder_test {

namespace {

std::string NameOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

char PatternOf(const void* data, DWORD length)
{
    // A write from one of the engine's pattern blocks is named by its block: a random
    // block can hold a run of zeros or 0xFF bytes by chance (a one-byte write does so once
    // in 128), so the bytes alone would misname it now and then.
    static TestObserver quiet;
    static const unsigned char* const* blocks = ShredderPatternBlocks(quiet);
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (blocks)
        for (int pattern = 0; pattern < kPatternCount; ++pattern)
            if (bytes >= blocks[pattern] && bytes + length <= blocks[pattern] + kPatternBlockSize)
                return "ZOR"[pattern];
    bool zeros = true, ones = true;
    for (DWORD i = 0; i < length; ++i) {
        zeros = zeros && bytes[i] == 0;
        ones = ones && bytes[i] == 0xFF;
    }
    return zeros ? 'Z' : ones ? 'O' : 'R';
}

void CollectNames(const std::string& folder, const std::string& prefix, std::set<std::string>& names)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        names.insert(prefix + name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectNames(folder + "\\" + name, prefix + name + "\\", names);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

} // namespace

void MakeFolder(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

std::set<std::string> TreeNames(const std::string& folder)
{
    std::set<std::string> names;
    CollectNames(folder, "", names);
    return names;
}

std::vector<std::string> TestIo::Entries(std::initializer_list<const char*> words) const
{
    std::vector<std::string> entries;
    for (const std::string& entry : log)
        for (const char* word : words)
            if (entry.compare(0, entry.find(' '), word) == 0)
                entries.push_back(entry);
    return entries;
}

bool TestIo::Refused()
{
    if (forward)
        return false;
    log.push_back("REFUSED");
    SetLastError(ERROR_ACCESS_DENIED);
    return true;
}

std::vector<WIN32_FIND_DATAA> TestIo::List(const std::string& searchText)
{
    if (Refused())
        return {};
    std::vector<WIN32_FIND_DATAA> entries = real_.List(searchText);
    for (WIN32_FIND_DATAA& entry : entries) {
        if (packedNames.count(entry.cFileName))
            entry.dwFileAttributes |= FILE_ATTRIBUTE_COMPRESSED;
        if (linkNames.count(entry.cFileName))
            entry.dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
    }
    if (afterList)
        afterList(searchText);
    return entries;
}

DWORD TestIo::GetAttributes(const std::string& path)
{
    return Refused() ? INVALID_FILE_ATTRIBUTES : real_.GetAttributes(path);
}

bool TestIo::SetAttributes(const std::string& path, DWORD attributes)
{
    log.push_back("attr " + NameOf(path));
    return !Refused() && real_.SetAttributes(path, attributes);
}

HANDLE TestIo::OpenForOverwrite(const std::string& path)
{
    log.push_back("open " + NameOf(path));
    return Refused() ? INVALID_HANDLE_VALUE : real_.OpenForOverwrite(path);
}

HANDLE TestIo::OpenForClusterScan(const std::string& path)
{
    log.push_back("scan " + NameOf(path));
    return Refused() ? INVALID_HANDLE_VALUE : real_.OpenForClusterScan(path);
}

HANDLE TestIo::CreateWipeFile(const std::string& path, WipeFileMode mode)
{
    log.push_back("wipefile " + NameOf(path));
    for (const auto& open : disk.openFiles)
        if (open.second.name == NameOf(path)) {
            SetLastError(ERROR_FILE_EXISTS);
            return INVALID_HANDLE_VALUE;
        }
    if (disk.freeRecords == 0) {
        SetLastError(ERROR_DISK_FULL);
        return INVALID_HANDLE_VALUE;
    }
    --disk.freeRecords;
    HANDLE handle = NewFakeHandle();
    disk.openFiles[handle] = FakeDisk::File{NameOf(path), mode};
    disk.created.push_back(NameOf(path));
    return handle;
}

bool TestIo::SeekTo(HANDLE handle, uint64_t offset)
{
    if (disk.openFiles.count(handle)) {
        disk.openFiles[handle].position = offset;
        return true;
    }
    log.push_back("seekto " + std::to_string(offset));
    if (volumes_.count(handle)) {
        volumePositions_[handle] = offset;
        return true;
    }
    return !Refused() && real_.SeekTo(handle, offset);
}

bool TestIo::SeekBack(HANDLE handle, uint64_t distance)
{
    if (disk.openFiles.count(handle)) {
        disk.openFiles[handle].position -= distance;
        return true;
    }
    log.push_back("seekback " + std::to_string(distance));
    if (volumes_.count(handle)) {
        volumePositions_[handle] -= distance;
        return true;
    }
    return !Refused() && real_.SeekBack(handle, distance);
}

bool TestIo::Write(HANDLE handle, const void* data, DWORD length)
{
    if (beforeWrite)
        beforeWrite();
    auto wipeFile = disk.openFiles.find(handle);
    if (wipeFile != disk.openFiles.end()) {
        FakeDisk::File& file = wipeFile->second;
        if (file.mode == WipeFileMode::Unbuffered && length % disk.bytesPerSector) {
            ++disk.misalignedWrites;
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
        // Bytes on the disk: none while the file fits its file-table record.
        auto onDisk = [&](uint64_t size) {
            return file.mode == WipeFileMode::Plain && size <= disk.residentBytes ? 0 : size;
        };
        uint64_t end = file.position + length;
        if (end > file.size) {
            uint64_t growth = onDisk(end) - onDisk(file.size);
            if (growth > disk.freeBytes) {
                SetLastError(ERROR_DISK_FULL);
                return false;
            }
            disk.freeBytes -= growth;
            file.size = end;
        }
        file.position = end;
        return true;
    }
    std::string entry = " " + std::to_string(length) + " " + PatternOf(data, length);
    if (volumes_.count(handle)) {
        log.push_back("vwrite" + entry);
        volumePositions_[handle] += length;
        return true;
    }
    log.push_back("write" + entry);
    return !Refused() && real_.Write(handle, data, length);
}

bool TestIo::Flush(HANDLE handle)
{
    if (disk.openFiles.count(handle))
        return true;
    log.push_back("flush");
    return volumes_.count(handle) || (!Refused() && real_.Flush(handle));
}

void TestIo::Close(HANDLE handle)
{
    auto wipeFile = disk.openFiles.find(handle);
    if (wipeFile != disk.openFiles.end()) {
        // Delete-on-close: the space and the record come back.
        const FakeDisk::File& file = wipeFile->second;
        if (!(file.mode == WipeFileMode::Plain && file.size <= disk.residentBytes))
            disk.freeBytes += file.size;
        ++disk.freeRecords;
        disk.openFiles.erase(wipeFile);
        return;
    }
    log.push_back("close");
    if (volumes_.erase(handle))
        return;
    if (!Refused())
        real_.Close(handle);
}

bool TestIo::QueryFileInfo(HANDLE file, ShredderFileInfo& info)
{
    if (Refused() || !real_.QueryFileInfo(file, info))
        return false;
    if (fileVolumeSerial)
        info.volumeSerialNumber = *fileVolumeSerial;
    return true;
}

bool TestIo::RenameFile(const std::string& from, const std::string& to)
{
    log.push_back("rename " + NameOf(from) + " " + NameOf(to));
    if (to == failRenameTo) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return !Refused() && real_.RenameFile(from, to);
}

bool TestIo::RemoveFile(const std::string& path)
{
    log.push_back("delete " + NameOf(path));
    if (failRemoveFile) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return !Refused() && real_.RemoveFile(path);
}

std::unique_ptr<folder_descent::EnteredFolder> TestIo::EnterFolder(const std::string& path)
{
    return Refused() ? nullptr : real_.EnterFolder(path);
}

bool TestIo::RemoveFolder(folder_descent::EnteredFolder& folder)
{
    log.push_back("rmdir " + NameOf(folder.Path()));
    return !Refused() && real_.RemoveFolder(folder);
}

bool TestIo::LoadNtEntryPoints(std::string& missing)
{
    if (!missingEntryPoint.empty()) {
        missing = missingEntryPoint;
        return false;
    }
    return real_.LoadNtEntryPoints(missing);
}

bool TestIo::ClusterQueryAvailable()
{
    return missingEntryPoint.empty() && (!realClusterQuery || real_.ClusterQueryAvailable());
}

LONG TestIo::QueryRetrievalPointers(HANDLE file, LONGLONG startingVcn,
                                    RETRIEVAL_POINTERS_BUFFER* out, DWORD outSize)
{
    if (realClusterQuery)
        return real_.QueryRetrievalPointers(file, startingVcn, out, outSize);
    out->StartingVcn.QuadPart = startingVcn;
    out->ExtentCount = 0;
    for (const ShredderExtent& extent : scriptedExtents) {
        if (extent.vcn < startingVcn)
            continue;
        out->Extents[out->ExtentCount].NextVcn.QuadPart = extent.nextVcn;
        out->Extents[out->ExtentCount].Lcn.QuadPart = extent.lcn;
        ++out->ExtentCount;
    }
    return scriptedStatus;
}

DWORD TestIo::NtStatusToWin32Error(LONG status) { return real_.NtStatusToWin32Error(status); }

bool TestIo::LocateVolume(HANDLE file, const std::string& path, std::string& root,
                          DWORD& serialNumber)
{
    if (Refused() || !real_.LocateVolume(file, path, root, serialNumber))
        return false;
    if (!volumeRoot.empty())
        root = volumeRoot;
    return true;
}

bool TestIo::OpenVolume(const std::string& root, ShredderVolume& volume)
{
    log.push_back("volume " + root);
    if (!volumeOpens) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    volume.handle = NewFakeHandle();
    volume.clusterSize = volumeClusterSize;
    volume.totalClusters = volumeClusters;
    volumes_.insert(volume.handle);
    return true;
}

bool TestIo::QueryFreeSpace(const std::string& root, DWORD& sectorsPerCluster, DWORD& bytesPerSector,
                            DWORD& freeClusters, DWORD& totalClusters)
{
    log.push_back("freespace " + root);
    sectorsPerCluster = disk.sectorsPerCluster;
    bytesPerSector = disk.bytesPerSector;
    freeClusters = static_cast<DWORD>(disk.freeBytes / (sectorsPerCluster * bytesPerSector));
    totalClusters = freeClusters * 2 + 100;
    return true;
}

ShredderIo::FreeSpaceEx TestIo::QueryFreeSpaceEx(const std::string&, uint64_t& freeToCaller,
                                                 uint64_t& totalFree)
{
    if (!disk.freeSpaceExAvailable)
        return FreeSpaceEx::Unavailable;
    totalFree = disk.freeBytes;
    freeToCaller = disk.quota ? disk.freeBytes / 2 : disk.freeBytes;
    return FreeSpaceEx::Done;
}

} // namespace shredder_test
