#include "shell/StartupRules.h"

#include <gtest/gtest.h>

using namespace startup;

TEST(CommandLine, SecondStartModesComeFromTheArgumentsOnly)
{
    EXPECT_TRUE(ParseCommandLine("\"C:\\Program Files\\Tidewrack\\Tidewrack.exe\" /scan").autoScan);
    SecondStart both = ParseCommandLine("Tidewrack.exe /duplicate /scan");
    EXPECT_TRUE(both.autoScan);
    EXPECT_FALSE(both.autoDuplicate);
    SecondStart duplicate = ParseCommandLine("\"D:\\Tidewrack.exe\" /duplicate/");
    EXPECT_TRUE(duplicate.autoScan);
    EXPECT_TRUE(duplicate.autoDuplicate);

    // A program folder that merely looks like a switch starts nothing.
    SecondStart plain = ParseCommandLine("\"C:\\x/scanner\\/duplicates\\Tidewrack.exe\"");
    EXPECT_FALSE(plain.autoScan);
    EXPECT_FALSE(plain.autoDuplicate);
    EXPECT_FALSE(ParseCommandLine("C:\\x/scan\\Tidewrack.exe").autoScan);
    EXPECT_FALSE(ParseCommandLine("").autoScan);
}

TEST(StartupClean, DigitsPickActionsByPosition)
{
    EXPECT_EQ(StartupCleanActions("101"),
              (std::vector<StartupClean>{StartupClean::Recent, StartupClean::RecycleBin}));
    EXPECT_EQ(StartupCleanActions("111111"),
              (std::vector<StartupClean>{StartupClean::Recent, StartupClean::Temp,
                                         StartupClean::RecycleBin, StartupClean::Cookies,
                                         StartupClean::UrlHistory, StartupClean::Prefetch}));
    EXPECT_TRUE(StartupCleanActions("").empty());
    EXPECT_TRUE(StartupCleanActions("x2y").empty());
    EXPECT_TRUE(StartupCleanActions(std::string(20, '1')).empty());
    EXPECT_EQ(StartupCleanActions(std::string(19, '1')).size(), 6u);
}

TEST(Language, OnlyAnExactZeroMeansEnglish)
{
    EXPECT_TRUE(LanguageLineMeansEnglish("0"));
    EXPECT_FALSE(LanguageLineMeansEnglish("0 "));
    EXPECT_FALSE(LanguageLineMeansEnglish("1"));
    EXPECT_FALSE(LanguageLineMeansEnglish(""));
}

TEST(UserHive, LongestNameWithoutClassesWins)
{
    EXPECT_EQ(ChooseUserHive({".DEFAULT", "S-1-5-21-1-2-3-1000", "S-1-5-21-1-2-3-1000_Classes",
                              "S-1-5-18"}),
              "S-1-5-21-1-2-3-1000");
    EXPECT_EQ(ChooseUserHive({"S-1-5-19", "S-1-5-20"}), "S-1-5-19");
    EXPECT_EQ(ChooseUserHive({"x_classes"}), "");
    EXPECT_EQ(ChooseUserHive({}), "");
}
