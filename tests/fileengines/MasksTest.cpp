// The mask test, the wildcard and the exclusion rules, as pure functions.
#include "fileengines/Masks.h"
#include "common/CaseRule.h"

#include <gtest/gtest.h>

using namespace file_engines;

namespace {

std::vector<CheckedEntry> Masks(std::initializer_list<std::pair<const char*, bool>> masks)
{
    std::vector<CheckedEntry> entries;
    for (auto& mask : masks)
        entries.push_back({mask.second, common::UpperCase(mask.first)});
    return entries;
}

bool Takes(const std::vector<CheckedEntry>& masks, const std::string& path) { return TestFile(masks, EndingOf(path)); }

} // namespace

TEST(Masks, EndingIsTheExtensionCutToThreeInUpperCase)
{
    EXPECT_EQ(EndingOf("C:\\a\\x.bak"), "BAK");
    EXPECT_EQ(EndingOf("C:\\a\\page.html"), "HTM");
    EXPECT_EQ(EndingOf("C:\\a\\x.bakup"), "BAK");
    EXPECT_EQ(EndingOf("C:\\a\\README"), "");
    EXPECT_EQ(EndingOf("C:\\a.dir\\README"), "") << "a dot in a folder name is no extension";
    EXPECT_EQ(EndingOf("C:\\a\\archive.tar.gz"), "GZ");
    EXPECT_EQ(EndingOf("C:\\a\\trailing."), "");
    EXPECT_EQ(EndingOf("C:\\a\\x.bäk"), "BÄK") << "upper-cased by the code page, not by ASCII alone";
}

TEST(Masks, LiteralMaskMatchesItsEndingInAnyCase)
{
    auto masks = Masks({{"bak", true}});
    EXPECT_TRUE(Takes(masks, "C:\\x.bak"));
    EXPECT_TRUE(Takes(masks, "C:\\x.BAK"));
    EXPECT_TRUE(Takes(masks, "C:\\x.bakup"));
    EXPECT_FALSE(Takes(masks, "C:\\x.ba"));
    EXPECT_FALSE(Takes(masks, "C:\\bak"));
}

TEST(Masks, StarStandsForAnyCharacterOrNone)
{
    EXPECT_TRUE(DateiFilter("BMP", "B**"));
    EXPECT_TRUE(DateiFilter("bat", "b**"));
    EXPECT_TRUE(DateiFilter("B", "B**"));
    EXPECT_FALSE(DateiFilter("", "B**"));
    EXPECT_FALSE(DateiFilter("ABC", "B**"));
    EXPECT_TRUE(DateiFilter("", "***"));
    EXPECT_TRUE(DateiFilter("XYZ", "***"));
    EXPECT_TRUE(DateiFilter("--X", "--*"));
    EXPECT_FALSE(DateiFilter("-X-", "--*"));
    EXPECT_TRUE(DateiFilter("TM", "TM*"));
    EXPECT_FALSE(DateiFilter("T", "TM*")) << "a position beyond the ending matches only `*`";
    EXPECT_TRUE(DateiFilter("ABCD", "AB*")) << "characters after the third are never looked at";
}

TEST(Masks, QuestionMarkTildeDashAndUnderscoreAreOrdinary)
{
    auto masks = Masks({{"??~", true}, {"---", true}, {"_mp", true}, {"~**", true}});
    EXPECT_TRUE(Takes(masks, "C:\\a.??~"));
    EXPECT_FALSE(Takes(masks, "C:\\a.ab~")) << "? is no wildcard";
    EXPECT_TRUE(Takes(masks, "C:\\a.---"));
    EXPECT_FALSE(Takes(masks, "C:\\a.-a-"));
    EXPECT_TRUE(Takes(masks, "C:\\a._mp"));
    EXPECT_TRUE(Takes(masks, "C:\\a.~wr"));
    EXPECT_TRUE(Takes(masks, "C:\\a.~"));
}

TEST(Masks, FirstMatchingMaskDecides)
{
    auto masks = Masks({{"tmp", false}, {"t**", true}});
    EXPECT_FALSE(Takes(masks, "C:\\a.tmp")) << "the unchecked mask above keeps the file";
    EXPECT_TRUE(Takes(masks, "C:\\a.txt"));
    auto reversed = Masks({{"t**", true}, {"tmp", false}});
    EXPECT_TRUE(Takes(reversed, "C:\\a.tmp"));
    EXPECT_FALSE(Takes(Masks({}), "C:\\a.tmp")) << "no mask, no file";
    EXPECT_TRUE(Takes(Masks({{"***", true}}), "C:\\a")) << "*** takes files without extension";
}

TEST(Masks, ExclusionFoldersCoverSubfoldersAndLookAlikes)
{
    ExclusionTest test({{true, "C:\\Windows"}, {false, "C:\\Data"}}, false);
    EXPECT_TRUE(test.IsInExcludeDirs("C:\\WINDOWS\\system32\\a.bak"));
    EXPECT_TRUE(test.IsInExcludeDirs("C:\\Windows2\\a.bak")) << "the folder text merely has to occur";
    EXPECT_TRUE(test.IsInExcludeDirs("D:\\backup\\c:\\windows\\a.bak"));
    EXPECT_FALSE(test.IsInExcludeDirs("C:\\a.bak"));
    EXPECT_FALSE(test.IsInExcludeDirs("C:\\Windows.bak")) << "only the folder part counts";
    EXPECT_FALSE(test.IsInExcludeDirs("C:\\Data\\a.bak")) << "an unchecked folder excludes nothing";
}

TEST(Masks, TheRecycleBinOfEverySystemIsExcludedOnlyWhenAsked)
{
    ExclusionTest skipping({}, true), scanning({}, false);
    const struct {
        const char* path;
        bool inBin;
    } cases[] = {
        {"C:\\RECYCLED\\Dc1.bak", true},
        {"D:\\Recycled\\sub\\Dc1.bak", true},
        {"C:\\RECYCLER\\S-1-5-21\\Dc1.bak", true},
        {"C:\\$Recycle.Bin\\S-1-5-21\\$RAB12CD.bak", true},
        {"C:\\Data\\RECYCLER\\a.bak", false}, // only at a drive's root
        {"C:\\RecycledParts\\a.bak", false},   // only the whole name
    };
    for (const auto& c : cases) {
        EXPECT_EQ(skipping.IsInExcludeDirs(c.path), c.inBin) << c.path;
        EXPECT_EQ(IsInRecycleFolder(c.path, true), c.inBin) << c.path;
        EXPECT_FALSE(scanning.IsInExcludeDirs(c.path)) << c.path;
        EXPECT_FALSE(IsInRecycleFolder(c.path, false)) << c.path;
    }
}

TEST(Masks, DefaultsInTheirOrder)
{
    EXPECT_EQ(DefaultMasks(), (std::vector<std::string>{"bak", "tmp", "old", "chk", "~**", "---", "gid", "--*", "_mp",
                                                        "??~", "syd"}));
    std::vector<int> asked;
    auto folders = DefaultExcludeDirs(
        [&asked](int id) {
            asked.push_back(id);
            return id == CSIDL_FONTS ? std::string("C:\\Windows\\Fonts") : std::string();
        },
        "C:\\Windows");
    EXPECT_EQ(folders, (std::vector<std::string>{"C:\\Windows\\SendTo", "C:\\Windows\\Fonts"}))
        << "SendTo falls back to the Windows folder; folders without a path write nothing";
    ASSERT_EQ(asked.size(), 30u);
    EXPECT_EQ(asked.front(), CSIDL_SENDTO);
    EXPECT_EQ(asked.back(), CSIDL_TEMPLATES);
}
