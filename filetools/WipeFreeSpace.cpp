// The free-space wipe: fills the drive's free space with files overwritten like any
// shredded file, so that the data of deleted files is overwritten too, and after "-z"
// fills the file table with small files, so that the names and small data kept in its
// free records go as well. The files are hidden and deleted when closed.
#include "filetools/ShredderEngine.h"

#include "filetools/ShredderMessages.h"

#include <algorithm>

namespace {

// The wipe files stay open while the wipe runs, so that the space they took stays
// taken, and are closed (and so removed) however the wipe ends.
class OpenWipeFiles {
public:
    explicit OpenWipeFiles(ShredderIo& io) : io_(io) {}
    ~OpenWipeFiles() { CloseAll(); }
    OpenWipeFiles(const OpenWipeFiles&) = delete;
    OpenWipeFiles& operator=(const OpenWipeFiles&) = delete;

    HANDLE Create(const std::string& path, WipeFileMode mode)
    {
        HANDLE file = io_.CreateWipeFile(path, mode);
        if (file != INVALID_HANDLE_VALUE)
            files_.push_back(file);
        return file;
    }

    void CloseAll()
    {
        for (HANDLE file : files_)
            io_.Close(file);
        files_.clear();
    }

private:
    ShredderIo& io_;
    std::vector<HANDLE> files_;
};

unsigned WipePercent(uint64_t written, uint64_t totalFree)
{
    if (totalFree == 0)
        return 100;
    return static_cast<unsigned>(std::min<uint64_t>(100, written * 100 / totalFree));
}

constexpr DWORD kFirstFileTableFileSize = 4096;

} // namespace

bool ShredderEngine::WipeFreeSpace(const std::string& drivePath)
{
    if (drivePath.size() < 2 || drivePath[1] != ':') {
        Print("Cannot clean free space for UNC drive\n\n");
        return false;
    }
    return WipeVolumeFreeSpace(drivePath.substr(0, 2) + "\\");
}

bool ShredderEngine::WipeLeftClusters()
{
    for (const std::string& root : packedWipeRoots_)
        if (!WipeVolumeFreeSpace(root))
            return false;
    return true;
}

// root is the volume's drive or a folder it is mounted at: the wipe files take the
// free space of the volume they are made on.
bool ShredderEngine::WipeVolumeFreeSpace(const std::string& root)
{
    Print(PackedFilesNeedWipe()
              ? std::string("Cleaning free space to securely delete compressed files: 0%")
              : FormatText("Cleaning free space on %s: 0%%", root.c_str()));

    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!io_.QueryFreeSpace(root, sectorsPerCluster, bytesPerSector, freeClusters, totalClusters)) {
        Print("Could not determine disk cluster size: " + FormatSystemErrorMessage(GetLastError()));
        return false;
    }
    const uint64_t clusterSize = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector;
    uint64_t freeToCaller = 0;
    uint64_t totalFree = 0;
    switch (io_.QueryFreeSpaceEx(root, freeToCaller, totalFree)) {
    case ShredderIo::FreeSpaceEx::Failed:
        Print("Could not determine amount of free space: " + FormatSystemErrorMessage(GetLastError()));
        return false;
    case ShredderIo::FreeSpaceEx::Unavailable:
        freeToCaller = totalFree = clusterSize * freeClusters;
        break;
    case ShredderIo::FreeSpaceEx::Done:
        break;
    }
    // Under a quota the files could only take the user's share of the free space.
    if (freeToCaller != totalFree) {
        Print("Your disk quota prevents you from cleaning free space on this drive.\n\n");
        return false;
    }
    if (Cancelled())
        return false;
    observer_.ProcessMessages();

    OpenWipeFiles files(io_);
    HANDLE file = files.Create(root + "WIPE_SHREDDER", WipeFileMode::Unbuffered);
    if (file == INVALID_HANDLE_VALUE) {
        Print("Could not create free-space cleanup file: " + FormatSystemErrorMessage(GetLastError()));
        return false;
    }
    // Big unbuffered writes of whole clusters until the disk is full; each failure tries
    // one cluster less, down to a single cluster ...
    uint64_t chunk = clusterSize * 128;
    uint64_t written = 0;
    unsigned percent = 0;
    while (chunk > clusterSize) {
        if (Cancelled())
            return false;
        observer_.ProcessMessages();
        if (!WritePasses(file, chunk)) {
            chunk -= clusterSize;
            continue;
        }
        written += chunk;
        unsigned now = WipePercent(written, totalFree);
        if (now != percent) {
            percent = now;
            observer_.WipeProgress(percent, PackedFilesNeedWipe());
        }
    }
    // ... and the last cluster's worth byte by byte through a second, buffered file.
    if (Cancelled())
        return false;
    file = files.Create(root + "WIPE_SHREDDER1", WipeFileMode::WriteThrough);
    if (file != INVALID_HANDLE_VALUE) {
        while (chunk != 0) {
            observer_.ProcessMessages();
            if (Cancelled())
                return false;
            if (!WritePasses(file, chunk))
                --chunk;
        }
    }

    if (!Cancelled() && options_.wipeFreeSpace) {
        // With the clusters gone, each new file can only take a free record of the file
        // table; the fill ends when no record is left.
        const char spinner[] = "|/-\\|/-\\";
        uint64_t size = kFirstFileTableFileSize;
        for (unsigned index = 0; !Cancelled(); ++index) {
            observer_.ProcessMessages();
            file = files.Create(FormatText("%sWIPE_SHREDDER%03u", root.c_str(), index),
                                WipeFileMode::Plain);
            if (file == INVALID_HANDLE_VALUE)
                break;
            bool filled = false;
            for (uint64_t attempt = size; !Cancelled() && attempt > 0;) {
                if (WritePasses(file, attempt)) {
                    size = attempt;
                    filled = true;
                } else {
                    --attempt;
                }
            }
            if (!filled)
                break;
            if (index == 0)
                Print("\r" + std::string(59, ' '));
            std::string notice = FormatText("\rCleaning MFT...%c", spinner[(index + 1) % 8]);
            Print(notice);
            observer_.ShowNotice(notice);
        }
    }
    if (Cancelled())
        return false;
    files.CloseAll();
    Print(FormatText("\rFree space cleaned on %s%s\n", root.c_str(), std::string(39, ' ').c_str()));
    observer_.WipeFinished();
    return true;
}
