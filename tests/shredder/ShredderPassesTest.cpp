// The order and number of the overwrite writes, and the renames, through the seam.
#include "ShredderTestKit.h"

#include "filetools/Shredder.h"
#include "filetools/ShredderEngine.h"
#include "filetools/ShredderPatterns.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace shredder_test;

namespace {

// What one region of `length` bytes gets with `passes` passes: zeros, 0xFF bytes and
// random bytes per pass, always from the region's start, in writes of at most a pattern
// block, each pattern flushed to the disk before the next overwrites it.
std::vector<std::string> RegionWrites(uint64_t length, unsigned passes)
{
    std::string size = std::to_string(length);
    std::vector<std::string> expected;
    for (unsigned pass = 0; pass < passes; ++pass) {
        if (pass > 0)
            expected.push_back("seekback " + size);
        for (const char* pattern : {"Z", "O", "R"}) {
            if (*pattern != 'Z')
                expected.push_back("seekback " + size);
            for (uint64_t done = 0; done < length; done += kPatternBlockSize)
                expected.push_back("write " + std::to_string(std::min<uint64_t>(kPatternBlockSize, length - done)) +
                                   " " + pattern);
            expected.push_back("flush");
        }
    }
    return expected;
}

TEST(ShredderPasses, EveryPatternOfEveryPassReachesTheDiskBeforeTheNext)
{
    TempFolder folder;
    const uint64_t size = kPatternBlockSize + 10;
    WriteFileText(folder / "two-regions.bin", std::string(size, 'x'));
    TestObserver observer;
    TestIo io;

    ASSERT_TRUE(RunShredder({"", "-p", "2", folder / "two-regions.bin"}, observer, io).Succeeded());

    // The last byte first, then the whole file pattern by pattern.
    std::vector<std::string> expected{"seekto " + std::to_string(size - 1)};
    for (const auto& part : {RegionWrites(1, 2), std::vector<std::string>{"seekto 0"}, RegionWrites(size, 2)})
        expected.insert(expected.end(), part.begin(), part.end());
    EXPECT_EQ(expected, io.Entries({"seekto", "seekback", "write", "flush"}));
}

TEST(ShredderPasses, SevenPassesWriteTwentyOneTimesAndEndOnRandomBytes)
{
    TempFolder folder;
    std::string path = folder / "region.bin";
    const DWORD length = 3 * kPatternBlockSize / 2;
    WriteFileText(path, std::string(length + 4, 'x'));
    TestObserver observer;
    TestIo io;
    ShredderOptions options;
    options.passes = 7;
    ShredderEngine engine(options, observer, io);

    HANDLE file = io.OpenForOverwrite(path);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ASSERT_TRUE(engine.WritePasses(file, length));
    ASSERT_TRUE(io.Write(file, "END!", 4));  // the position ends at the region's end
    io.Close(file);

    // Each pattern of the 1.5-block region goes out as a whole block and a half block.
    EXPECT_EQ(7u * 3 * 2 + 1, io.Entries({"write"}).size());
    std::string content = ReadFileText(path);
    ASSERT_EQ(length + 4, content.size());
    EXPECT_EQ("END!", content.substr(length));
    const unsigned char* random = ShredderPatternBlocks(observer)[kRandom];
    EXPECT_EQ(0, memcmp(content.data(), random, kPatternBlockSize));
    EXPECT_EQ(0, memcmp(content.data() + kPatternBlockSize, random, length - kPatternBlockSize));
    EXPECT_NE(std::string(length, '\0'), content.substr(0, length));
}

TEST(ShredderPasses, ScramblingKeepsEveryDotAndTheFolder)
{
    TempFolder folder;
    WriteFileText(folder / "my.tax.return.2004", "x");
    TestObserver observer;
    TestIo io;
    ShredderEngine engine(ShredderOptions(), observer, io);

    std::string lastName;
    engine.ScrambleFileName(folder / "my.tax.return.2004", lastName);

    EXPECT_EQ(folder / "ZZ.ZZZ.ZZZZZZ.ZZZZ", lastName);
    EXPECT_EQ(std::set<std::string>{"ZZ.ZZZ.ZZZZZZ.ZZZZ"}, TreeNames(folder.Path()));
}

} // namespace
