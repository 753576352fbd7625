#include "filetools/ShredderArgv.h"

#include <gtest/gtest.h>

namespace {

ShredderOptions Parsed(const ShredderArgv& argv)
{
    ShredderOptions options;
    EXPECT_TRUE(ParseShredderArgv(argv, options));
    return options;
}

bool Refused(const ShredderArgv& argv)
{
    ShredderOptions options;
    return !ParseShredderArgv(argv, options);
}

TEST(ShredderArgv, ReadsTheVectorOfEveryCaller)
{
    ShredderOptions wipe = Parsed({"", "-p", "1", "-z", "D:\\"});
    EXPECT_TRUE(wipe.wipeFreeSpace);
    EXPECT_FALSE(wipe.recurse);
    EXPECT_EQ(1u, wipe.passes);
    EXPECT_EQ("D:\\", wipe.path);

    // The shredder page's folder and file rows, the clean center, the found-files
    // window and the space manager.
    ShredderOptions folder = Parsed({"", "-p", "35", "-s", "C:\\data\\old"});
    EXPECT_TRUE(folder.recurse);
    EXPECT_FALSE(folder.wipeFreeSpace);
    EXPECT_EQ(35u, folder.passes);
    EXPECT_EQ("C:\\data\\old", folder.path);

    ShredderOptions file = Parsed({"", "-p", "7", "C:\\data\\report.txt"});
    EXPECT_FALSE(file.recurse);
    EXPECT_EQ(7u, file.passes);
    EXPECT_EQ("C:\\data\\report.txt", file.path);

    EXPECT_EQ(3u, Parsed({"", "-p", "3", "-s", "C:\\x"}).passes);
    EXPECT_FALSE(Parsed({"", "-p", "7", "C:\\x"}).quiet);
}

TEST(ShredderArgv, SwitchesTakeEitherLeaderAndAnyCase)
{
    ShredderOptions options = Parsed({"", "/S", "-Q", "/p", "2", "C:\\x"});
    EXPECT_TRUE(options.recurse);
    EXPECT_TRUE(options.quiet);
    EXPECT_EQ(2u, options.passes);
    EXPECT_TRUE(Parsed({"", "-Z"}).wipeFreeSpace);
    // Whole words only: "-sx" is a path, not a switch.
    EXPECT_EQ("-sx", Parsed({"", "-sx"}).path);
}

TEST(ShredderArgv, PassCountIsCappedAndDefaultsToOne)
{
    EXPECT_EQ(500u, Parsed({"", "-p", "501", "C:\\x"}).passes);
    EXPECT_EQ(500u, Parsed({"", "-p", "99999999999999", "C:\\x"}).passes);
    EXPECT_EQ(1u, Parsed({"", "C:\\x"}).passes);
    EXPECT_EQ(4u, Parsed({"", "-p", "9", "-p", "4", "C:\\x"}).passes);
}

TEST(ShredderArgv, UsageErrors)
{
    EXPECT_TRUE(Refused({}));
    EXPECT_TRUE(Refused({""}));
    EXPECT_TRUE(Refused({"", "-p", "0", "C:\\x"}));
    EXPECT_TRUE(Refused({"", "-p", "-3", "C:\\x"}));
    EXPECT_TRUE(Refused({"", "-p", "seven", "C:\\x"}));
    EXPECT_TRUE(Refused({"", "-p", "3x", "C:\\x"}));
    EXPECT_TRUE(Refused({"", "C:\\x", "-p"}));
    EXPECT_TRUE(Refused({"", "-?"}));
    EXPECT_TRUE(Refused({"", "/?", "C:\\x"}));
    EXPECT_TRUE(Refused({"", "C:\\x", "C:\\y"}));
    EXPECT_TRUE(Refused({"", "-p", "3", "-s"}));
    EXPECT_TRUE(Refused({"", "-p", "3", ""}));
}

TEST(ShredderArgv, WholeDriveTargets)
{
    EXPECT_TRUE(IsWholeDriveTarget("C:\\", "C:\\"));
    EXPECT_TRUE(IsWholeDriveTarget("d:/", "d:\\"));
    EXPECT_TRUE(IsWholeDriveTarget("C:", "C:\\users\\me"));
    EXPECT_TRUE(IsWholeDriveTarget("C:\\*.*", "C:\\*.*"));
    EXPECT_TRUE(IsWholeDriveTarget("C:\\x\\..\\*", "C:\\*"));
    EXPECT_TRUE(IsWholeDriveTarget("\\\\server\\share", "\\\\server\\share"));
    EXPECT_TRUE(IsWholeDriveTarget("\\\\server\\share\\*.doc", "\\\\server\\share\\*.doc"));
    EXPECT_TRUE(IsWholeDriveTarget("\\\\?\\C:\\", "\\\\?\\C:\\"));
    EXPECT_TRUE(IsWholeDriveTarget("\\\\.\\C:", "\\\\.\\C:"));

    EXPECT_FALSE(IsWholeDriveTarget("C:\\x", "C:\\x"));
    EXPECT_FALSE(IsWholeDriveTarget("C:\\x\\*.*", "C:\\x\\*.*"));
    EXPECT_FALSE(IsWholeDriveTarget("C:\\boot.ini", "C:\\boot.ini"));
    EXPECT_FALSE(IsWholeDriveTarget("\\\\server\\share\\x", "\\\\server\\share\\x"));
}

} // namespace
