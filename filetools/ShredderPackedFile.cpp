// Packed files (compressed, encrypted, sparse): overwriting them through the file would
// put the new bytes into new clusters and leave the old ones on the disk, so their
// clusters are overwritten on the raw volume instead.
#include "filetools/ShredderEngine.h"

#include "filetools/ShredderMessages.h"

#include <algorithm>

namespace {

constexpr LONG kStatusSuccess = 0;
constexpr LONG kStatusBufferOverflow = static_cast<LONG>(0x80000005);
constexpr LONG kStatusInvalidParameter = static_cast<LONG>(0xC000000D);
constexpr LONG kStatusEndOfFile = static_cast<LONG>(0xC0000011);

// Room for 8,192 extents.
constexpr DWORD kRetrievalBufferSize = 131088;

} // namespace

ShredderEngine::Outcome ShredderEngine::ShredPackedFile(const std::string& path)
{
    if (Cancelled())
        return Outcome::Cancelled;
    // Without the NT cluster query the file can only be overwritten as an ordinary one.
    if (!io_.ClusterQueryAvailable())
        return Outcome::Plain;
    HANDLE file = io_.OpenForClusterScan(path);
    if (file == INVALID_HANDLE_VALUE) {
        PrintError("\nError opening %s for compressed file scan: ", path, GetLastError());
        return Outcome::Left;
    }
    // Clusters shared with other names are not this target's to overwrite; the
    // ordinary path removes only the chosen name. A file the system tells nothing of
    // has no volume known for sure.
    ShredderFileInfo info;
    const bool known = io_.QueryFileInfo(file, info);
    if (!known || info.links > 1) {
        io_.Close(file);
        return known ? Outcome::Plain : Outcome::PlainOldClustersStay;
    }
    std::string root;
    ClusterScan scan = OverwriteClusterRuns(file, path, info.volumeSerialNumber, root);
    io_.Close(file);
    switch (scan) {
    case ClusterScan::Cancelled:
        return Outcome::Cancelled;
    case ClusterScan::Failed:
        return Outcome::Left;
    case ClusterScan::NoClusters:
    case ClusterScan::Untrusted:
        return Outcome::Plain;
    case ClusterScan::VolumeUnknown:
        return Outcome::PlainOldClustersStay;
    case ClusterScan::Mapped:
    case ClusterScan::Overwritten:
    case ClusterScan::NotOverwritten:
        break;
    }
    Outcome outcome = RemoveScrambled(path);
    // The clusters that could not be overwritten are free space once the file is gone;
    // the run wipes that volume's free space at its end.
    if (outcome == Outcome::Shredded && scan == ClusterScan::NotOverwritten &&
        std::find(packedWipeRoots_.begin(), packedWipeRoots_.end(), root) == packedWipeRoots_.end())
        packedWipeRoots_.push_back(root);
    return outcome;
}

// The volume written is the one the file really lives on: a mount point or a junction
// on the path can lead to another volume than the drive letter's, whose cluster numbers
// mean other files' data there. Its serial number must be the file's.
ShredderEngine::ClusterScan ShredderEngine::OverwriteClusterRuns(HANDLE file, const std::string& path,
                                                                 DWORD fileVolumeSerial,
                                                                 std::string& root)
{
    std::vector<ShredderExtent> extents;
    ClusterScan scan = QueryExtents(file, extents);
    if (scan != ClusterScan::Mapped)
        return scan;
    if (!ExtentsOnDisk(extents))
        return ClusterScan::NoClusters;
    DWORD volumeSerial = 0;
    if (!io_.LocateVolume(file, path, root, volumeSerial) || volumeSerial != fileVolumeSerial)
        return ClusterScan::VolumeUnknown;
    const ShredderVolume* volume = volumes_.For(root);
    if (!volume || volume->clusterSize == 0)
        return ClusterScan::NotOverwritten;
    if (!ExtentsFitVolume(extents, volume->totalClusters))
        return ClusterScan::Untrusted;
    for (const ShredderExtent& extent : extents) {
        observer_.ProcessMessages();
        if (Cancelled())
            return ClusterScan::Cancelled;
        if (extent.lcn == -1)
            continue;
        uint64_t offset = static_cast<uint64_t>(extent.lcn) * volume->clusterSize;
        uint64_t length = static_cast<uint64_t>(extent.nextVcn - extent.vcn) * volume->clusterSize;
        if (!io_.SeekTo(volume->handle, offset) || !WritePasses(volume->handle, length))
            return Cancelled() ? ClusterScan::Cancelled : ClusterScan::NotOverwritten;
    }
    return ClusterScan::Overwritten;
}

// Reads the whole cluster map before anything is written, so that an answer found
// meaningless halfway has not led to a single write.
ShredderEngine::ClusterScan ShredderEngine::QueryExtents(HANDLE file,
                                                         std::vector<ShredderExtent>& extents)
{
    retrievalBuffer_.resize(kRetrievalBufferSize / sizeof(LONGLONG));
    auto* answer = reinterpret_cast<RETRIEVAL_POINTERS_BUFFER*>(retrievalBuffer_.data());
    int64_t vcn = 0;
    LONG status;
    do {
        status = io_.QueryRetrievalPointers(file, vcn, answer, kRetrievalBufferSize);
        if (status != kStatusSuccess && status != kStatusBufferOverflow)
            break;
        observer_.ProcessMessages();
        if (Cancelled())
            return ClusterScan::Cancelled;
        if (!AppendRetrievalExtents(*answer, kRetrievalBufferSize, vcn, extents))
            return ClusterScan::Untrusted;
        vcn = extents.back().nextVcn;
    } while (status != kStatusSuccess);
    if (status == kStatusSuccess)
        return ClusterScan::Mapped;
    // A file whose few bytes live in the file table itself has no clusters to map.
    if (status == kStatusInvalidParameter || status == kStatusEndOfFile)
        return ClusterScan::NoClusters;
    if (!options_.quiet)
        Print("Scanning file: " + FormatNtStatusMessage(status, io_));
    return ClusterScan::Failed;
}
