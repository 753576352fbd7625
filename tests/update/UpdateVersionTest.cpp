// Version numbers: compared part by part as whole numbers, read from the version file's
// first line and from a module's version resource.
#include "shell/UpdateVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(UpdateVersionTest, ComparesPartByPartAsWholeNumbers)
{
    struct Case {
        const char* older;
        const char* newer;
    };
    const Case cases[] = {
        {"2.1.9", "2.1.10"}, {"2.1.4", "2.1.5"}, {"1.9", "1.10"}, {"1.0.0", "1.0.0.1"},
        {"2.9.9", "3.0"},    {"9", "10"},        {"2.1.99", "2.2.0"},
    };
    for (const Case& c : cases) {
        auto older = update::ParseVersion(c.older);
        auto newer = update::ParseVersion(c.newer);
        ASSERT_TRUE(older && newer) << c.older << " " << c.newer;
        EXPECT_LT(update::CompareVersions(*older, *newer), 0) << c.older << " < " << c.newer;
        EXPECT_GT(update::CompareVersions(*newer, *older), 0) << c.newer << " > " << c.older;
    }
    EXPECT_EQ(update::CompareVersions(*update::ParseVersion("2.1"), *update::ParseVersion("2.1.0")), 0);
}

TEST(UpdateVersionTest, AcceptsOnlyDottedWholeNumbers)
{
    EXPECT_EQ(update::ParseVersion(" 2.1.10 \r"), update::Version({2, 1, 10}));
    for (const char* text : {"", "2,1,10", "2.1.", ".2", "2..1", "v2.1", "2.1 beta", "1.2.3.4.5",
                             "12345678901", "<html>"})
        EXPECT_FALSE(update::ParseVersion(text)) << text;
}

TEST(UpdateVersionTest, NewestVersionIsTheFirstLine)
{
    EXPECT_EQ(update::NewestVersionIn("2.1.10\r\nRelease notes 3.0\r\n"), update::Version({2, 1, 10}));
    EXPECT_EQ(update::NewestVersionIn("\xEF\xBB\xBF" "2.2\n"), update::Version({2, 2}));
    EXPECT_FALSE(update::NewestVersionIn("<!DOCTYPE html>\n<p>2.1</p>"));
}

TEST(UpdateVersionTest, ReadsAModulesVersionResource)
{
    std::optional<std::string> system = update::ModuleVersion(GetModuleHandleA("kernel32.dll"));
    ASSERT_TRUE(system);
    EXPECT_TRUE(update::ParseVersion(*system)) << *system;
    // The test program carries no version resource.
    EXPECT_FALSE(update::ModuleVersion(GetModuleHandleA(nullptr)));
}

} // namespace
