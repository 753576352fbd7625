// Packed files (compressed, encrypted, sparse): overwriting them through the file would
// put the new bytes into new clusters and leave the old ones on the disk, so their
// clusters are overwritten on the raw volume instead.
#include "filetools/ShredderEngine.h"

#include "filetools/ShredderMessages.h"

#include <cctype>

namespace {

constexpr LONG kStatusSuccess = 0;
constexpr LONG kStatusBufferOverflow = static_cast<LONG>(0x80000005);
constexpr LONG kStatusInvalidParameter = static_cast<LONG>(0xC000000D);
constexpr LONG kStatusEndOfFile = static_cast<LONG>(0xC0000011);

// Room for 8,192 extents.
constexpr DWORD kRetrievalBufferSize = 131088;

char DriveLetterOf(const std::string& path)
{
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0])))
        return 0;
    return static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
}

} // namespace

ShredderEngine::Outcome ShredderEngine::ShredPackedFile(const std::string& path)
{
    if (Cancelled())
        return Outcome::Cancelled;
    // Without the NT cluster query, or for a file on a network share whose volume is out
    // of reach, the file can only be overwritten as an ordinary one.
    char driveLetter = DriveLetterOf(path);
    if (!driveLetter || !io_.ClusterQueryAvailable())
        return Outcome::Plain;
    HANDLE file = io_.OpenForClusterScan(path);
    if (file == INVALID_HANDLE_VALUE) {
        PrintError("\nError opening %s for compressed file scan: ", path, GetLastError());
        return Outcome::Left;
    }
    ClusterScan scan = OverwriteClusterRuns(file, driveLetter);
    io_.Close(file);
    switch (scan) {
    case ClusterScan::Cancelled:
        return Outcome::Cancelled;
    case ClusterScan::Failed:
        return Outcome::Left;
    case ClusterScan::NoClusters:
    case ClusterScan::Untrusted:
        return Outcome::Plain;
    case ClusterScan::Mapped:
    case ClusterScan::Overwritten:
    case ClusterScan::NotOverwritten:
        break;
    }
    Outcome outcome = RemoveScrambled(path);
    // The clusters that could not be overwritten are free space once the file is gone;
    // the run wipes it at its end.
    if (outcome == Outcome::Shredded && scan == ClusterScan::NotOverwritten)
        packedFilesNeedWipe_ = true;
    return outcome;
}

ShredderEngine::ClusterScan ShredderEngine::OverwriteClusterRuns(HANDLE file, char driveLetter)
{
    std::vector<ShredderExtent> extents;
    ClusterScan scan = QueryExtents(file, extents);
    if (scan != ClusterScan::Mapped)
        return scan;
    if (!ExtentsOnDisk(extents))
        return ClusterScan::NoClusters;
    const ShredderVolume* volume = volumes_.For(driveLetter);
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
