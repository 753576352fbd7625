// The free-space wipe, always on the pretend disk of the test seam: under Wine every
// drive's free space is the host's disk.
#include "ShredderTestKit.h"

#include "filetools/Shredder.h"
#include "filetools/ShredderEngine.h"

#include <gtest/gtest.h>

using namespace shredder_test;

namespace {

ShredderResult Wipe(TestObserver& observer, TestIo& io)
{
    return RunShredder({"", "-p", "1", "-z", "C:\\"}, observer, io);
}

TEST(WipeFreeSpace, FillsEveryFreeByteAndTheFileTableThenRemovesItsFiles)
{
    TestObserver observer;
    TestIo io;
    io.disk.freeBytes = 3 * 1024 * 1024 + 5001;  // not a whole number of clusters
    io.disk.freeRecords = 12;
    uint64_t leastFree = io.disk.freeBytes;
    io.beforeWrite = [&] { leastFree = std::min(leastFree, io.disk.freeBytes); };

    ShredderResult result = Wipe(observer, io);

    EXPECT_TRUE(result.wipeCompleted) << observer.console;
    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(0u, leastFree);
    std::vector<std::string> expected{"WIPE_SHREDDER", "WIPE_SHREDDER1"};
    for (const char* name : {"000", "001", "002", "003", "004", "005", "006", "007", "008", "009"})
        expected.push_back(std::string("WIPE_SHREDDER") + name);
    EXPECT_EQ(expected, io.disk.created);
    EXPECT_TRUE(io.disk.openFiles.empty());
    EXPECT_EQ(3u * 1024 * 1024 + 5001, io.disk.freeBytes);
    EXPECT_EQ(0u, io.disk.misalignedWrites);
    ASSERT_FALSE(observer.percents.empty());
    EXPECT_GE(observer.percents.back(), 99u);
    EXPECT_EQ(1u, observer.wipesFinished);
    EXPECT_NE(std::string::npos, observer.console.find("Free space cleaned on C:\\"));
    EXPECT_FALSE(observer.notices.empty());
}

TEST(WipeFreeSpace, AQuotaStopsItBeforeAnyFileIsMade)
{
    TestObserver observer;
    TestIo io;
    io.disk.freeBytes = 1 << 20;
    io.disk.quota = true;

    ShredderResult result = Wipe(observer, io);

    EXPECT_TRUE(result.wipeRan);
    EXPECT_FALSE(result.wipeCompleted);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_TRUE(io.disk.created.empty());
    EXPECT_NE(std::string::npos, observer.console.find("Your disk quota prevents you"));
}

TEST(WipeFreeSpace, AFullDiskAndAnOldSystemWithoutTheLargeQueryStillWork)
{
    TestObserver observer;
    TestIo io;
    io.disk.freeBytes = 0;
    io.disk.freeSpaceExAvailable = false;

    EXPECT_TRUE(Wipe(observer, io).wipeCompleted) << observer.console;
    EXPECT_TRUE(io.disk.openFiles.empty());
}

TEST(WipeFreeSpace, CancelClosesAndRemovesItsFiles)
{
    TestObserver observer;
    TestIo io;
    io.disk.freeBytes = 8 << 20;
    int writes = 0;
    io.beforeWrite = [&] { observer.cancelled = ++writes == 40; };

    ShredderResult result = Wipe(observer, io);

    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.wipeCompleted);
    EXPECT_EQ(std::vector<std::string>{"WIPE_SHREDDER"}, io.disk.created);
    EXPECT_TRUE(io.disk.openFiles.empty());
    EXPECT_EQ(uint64_t(8) << 20, io.disk.freeBytes);
    EXPECT_EQ(0u, observer.wipesFinished);
}

TEST(WipeFreeSpace, ANetworkPathHasNoDriveToWipe)
{
    TestObserver observer;
    TestIo io;
    ShredderEngine engine(ShredderOptions(), observer, io);

    EXPECT_FALSE(engine.WipeFreeSpace("\\\\server\\share\\"));
    EXPECT_NE(std::string::npos, observer.console.find("Cannot clean free space for UNC drive"));
    EXPECT_TRUE(io.disk.created.empty());
}

TEST(ShredderRefusal, NoFileOrFolderShredTakesAWholeDrive)
{
    for (const ShredderArgv& argv : std::vector<ShredderArgv>{
             {"", "-p", "1", "C:\\"}, {"", "-p", "1", "-s", "C:\\"}, {"", "-p", "1", "-s", "C:"},
             {"", "-p", "7", "c:\\*.*"}, {"", "-p", "7", "-s", "C:\\*"},
             {"", "-p", "7", "-s", "C:\\windows\\..\\*.txt"}}) {
        TestObserver observer;
        TestIo io;
        io.forward = false;  // should the refusal fail, nothing real is reached
        ShredderResult result = RunShredder(argv, observer, io);
        EXPECT_TRUE(result.refused) << argv.back();
        EXPECT_FALSE(result.Succeeded());
        EXPECT_TRUE(io.log.empty()) << argv.back();
    }
    // The free-space wipe is the one that takes a drive.
    TestObserver observer;
    TestIo io;
    io.forward = false;
    io.disk.freeBytes = 1 << 20;
    EXPECT_TRUE(Wipe(observer, io).wipeCompleted);
}

} // namespace
