// Packed (compressed, encrypted, sparse) files: their clusters are overwritten on the
// raw volume only when the cluster map makes sense. The volume is always a pretend one.
#include "ShredderTestKit.h"

#include "filetools/Shredder.h"
#include "filetools/ShredderVolumes.h"

#include <gtest/gtest.h>

using namespace shredder_test;

namespace {

class PackedFile : public ::testing::Test {
protected:
    PackedFile() : path(folder / "packed.bin")
    {
        WriteFileText(path, std::string(10000, 'p'));
        io.packedNames = {"packed.bin"};
        io.realClusterQuery = false;
    }

    ShredderResult Shred() { return RunShredder({"", "-p", "1", path}, observer, io); }

    TempFolder folder;
    std::string path;
    TestObserver observer;
    TestIo io;
};

TEST_F(PackedFile, ClustersOnTheDiskAreOverwrittenOnTheVolumeOfItsDrive)
{
    const int64_t farCluster = int64_t(1) << 33;  // its byte offset needs 46 bits
    io.scriptedExtents = {{0, 2, 100}, {2, 3, -1}, {3, 5, farCluster}};
    io.volumeClusters = uint64_t(1) << 34;

    ShredderResult result = Shred();

    EXPECT_TRUE(result.Succeeded()) << observer.console;
    EXPECT_FALSE(result.wipeRan);
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(std::vector<std::string>{"volume C:\\"}, io.Entries({"volume"}));
    std::vector<std::string> expected;
    for (uint64_t offset : {uint64_t(100) * 4096, uint64_t(farCluster) * 4096}) {
        expected.push_back("seekto " + std::to_string(offset));
        for (const char* write : {"vwrite 8192 Z", "seekback 8192", "vwrite 8192 O",
                                  "seekback 8192", "vwrite 8192 R"})
            expected.push_back(write);
    }
    EXPECT_EQ(expected, io.Entries({"seekto", "seekback", "vwrite"}));
    EXPECT_TRUE(io.Entries({"open", "write"}).empty());
}

TEST_F(PackedFile, AMeaninglessClusterMapMakesItAnOrdinaryFile)
{
    io.realClusterQuery = true;  // Wine answers with success and one meaningless extent

    ShredderResult result = Shred();

    EXPECT_TRUE(result.Succeeded()) << observer.console;
    EXPECT_FALSE(result.wipeRan);
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(io.Entries({"volume", "vwrite"}).empty());
    EXPECT_EQ(std::vector<std::string>{"open packed.bin"}, io.Entries({"open"}));
}

TEST_F(PackedFile, ClustersBeyondTheVolumeAreNeverWritten)
{
    io.scriptedExtents = {{0, 4, 998}};
    io.volumeClusters = 1000;

    EXPECT_TRUE(Shred().Succeeded()) << observer.console;
    EXPECT_TRUE(io.Entries({"vwrite"}).empty());
    EXPECT_EQ(std::vector<std::string>{"open packed.bin"}, io.Entries({"open"}));
}

TEST_F(PackedFile, DataKeptInTheFileTableIsOverwrittenThroughTheFile)
{
    io.scriptedStatus = static_cast<LONG>(0xC000000D);  // STATUS_INVALID_PARAMETER

    EXPECT_TRUE(Shred().Succeeded()) << observer.console;
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(std::string::npos, observer.console.find("Scanning file"));
}

TEST_F(PackedFile, ClustersOutOfReachAreLeftToAFreeSpaceWipeOfItsVolume)
{
    io.scriptedExtents = {{0, 3, 500}};
    io.volumeRoot = "C:\\Mnt\\D\\";  // the file's volume is mounted there
    io.volumeOpens = false;
    io.disk.freeBytes = 1 << 20;

    ShredderResult result = Shred();

    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(1u, result.filesShredded);
    EXPECT_TRUE(result.wipeRan);
    EXPECT_TRUE(result.wipeCompleted);
    EXPECT_EQ((std::vector<std::string>{"volume C:\\Mnt\\D\\", "freespace C:\\Mnt\\D\\"}),
              io.Entries({"volume", "freespace"}));
    // The wipe after packed files leaves the file table alone.
    EXPECT_EQ((std::vector<std::string>{"WIPE_SHREDDER", "WIPE_SHREDDER1"}), io.disk.created);
    EXPECT_NE(std::string::npos,
              observer.console.find("Cleaning free space to securely delete compressed files"));
}

// A mount point or a junction on the path leads to another volume than the drive
// letter's; that volume's cluster numbers mean other files on the drive's volume.
TEST_F(PackedFile, OnAVolumeOtherThanItsDrivesItIsOverwrittenThroughTheFileAndReported)
{
    io.scriptedExtents = {{0, 3, 500}};
    io.fileVolumeSerial = 0xD0D0D0D0;

    ShredderResult result = Shred();

    EXPECT_TRUE(io.Entries({"volume", "vwrite"}).empty());
    EXPECT_EQ(std::vector<std::string>{"open packed.bin"}, io.Entries({"open"}));
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ(std::vector<std::string>{path}, result.oldClustersLeft);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_NE(std::string::npos, observer.console.find("old clusters were not wiped"));
}

TEST_F(PackedFile, AMissingNtEntryPointOnlyMakesItAnOrdinaryFile)
{
    io.missingEntryPoint = "NtFsControlFile";

    EXPECT_TRUE(Shred().Succeeded());
    EXPECT_NE(std::string::npos,
              observer.console.find("Could not find NtFsControlFile entry point in NTDLL.DLL"));
    EXPECT_FALSE(Exists(path));
    EXPECT_TRUE(io.Entries({"scan", "volume"}).empty());
}

RETRIEVAL_POINTERS_BUFFER Answer(int64_t start, int64_t next, int64_t lcn)
{
    RETRIEVAL_POINTERS_BUFFER answer{};
    answer.ExtentCount = 1;
    answer.StartingVcn.QuadPart = start;
    answer.Extents[0].NextVcn.QuadPart = next;
    answer.Extents[0].Lcn.QuadPart = lcn;
    return answer;
}

TEST(ShredderExtents, OnlyAMapThatMovesForwardFromWhereItWasAskedIsTaken)
{
    std::vector<ShredderExtent> extents;
    EXPECT_FALSE(AppendRetrievalExtents(Answer(1, 0, 0), sizeof(RETRIEVAL_POINTERS_BUFFER), 0, extents));
    EXPECT_FALSE(AppendRetrievalExtents(Answer(0, 0, 7), sizeof(RETRIEVAL_POINTERS_BUFFER), 0, extents));
    EXPECT_FALSE(AppendRetrievalExtents(Answer(0, 4, -2), sizeof(RETRIEVAL_POINTERS_BUFFER), 0, extents));
    RETRIEVAL_POINTERS_BUFFER tooMany = Answer(0, 4, 7);
    tooMany.ExtentCount = 2;
    EXPECT_FALSE(AppendRetrievalExtents(tooMany, sizeof(RETRIEVAL_POINTERS_BUFFER), 0, extents));

    // A map too long for one answer goes on where the last one ended.
    ASSERT_TRUE(AppendRetrievalExtents(Answer(0, 4, 7), sizeof(RETRIEVAL_POINTERS_BUFFER), 0, extents));
    EXPECT_FALSE(AppendRetrievalExtents(Answer(3, 9, 20), sizeof(RETRIEVAL_POINTERS_BUFFER), 4, extents));
    ASSERT_TRUE(AppendRetrievalExtents(Answer(4, 9, -1), sizeof(RETRIEVAL_POINTERS_BUFFER), 4, extents));
    ASSERT_EQ(2u, extents.size());
    EXPECT_TRUE(ExtentsOnDisk(extents));
    EXPECT_TRUE(ExtentsFitVolume(extents, 11));
    EXPECT_FALSE(ExtentsFitVolume(extents, 10));
    EXPECT_FALSE(ExtentsOnDisk({{0, 5, -1}}));
}

TEST(ShredderVolumes, TheVolumeAlwaysBelongsToTheDriveAskedFor)
{
    TestIo io;
    ShredderVolumes volumes(io);
    const ShredderVolume* c = volumes.For("C:\\");
    ASSERT_NE(nullptr, c);
    EXPECT_EQ(c, volumes.For("C:\\"));
    volumes.For("C:\\Mnt\\D\\");
    EXPECT_EQ((std::vector<std::string>{"volume C:\\", "close", "volume C:\\Mnt\\D\\"}), io.log);
}

} // namespace
