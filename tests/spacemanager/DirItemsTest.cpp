// The rows' order, shares, texts and type-ahead.
#include "fileengines/FileFacts.h"
#include "spacemanager/DirItems.h"
#include "spacemanager/SizeChart.h"
#include "tests/support/Times.h"

#include <gtest/gtest.h>

using testing_support::FileTimeOf;

namespace {

DirItem Row(const std::string& name, int64_t size, bool folder = false)
{
    DirItem item;
    item.DisplayName = name;
    item.ParsingName = "C:\\x\\" + name;
    item.Size = size;
    item.IsFolder = folder ? 1 : 0;
    return item;
}

std::vector<std::string> SortedNames(std::vector<DirItem> items, int key, bool reversed)
{
    std::stable_sort(items.begin(), items.end(), [&](const DirItem& a, const DirItem& b) {
        return CompareDirItems(a, b, key, reversed, nullptr) < 0;
    });
    std::vector<std::string> names;
    for (const DirItem& item : items)
        names.push_back(item.DisplayName);
    return names;
}

} // namespace

TEST(DirItems, EveryColumnSortsBothWays)
{
    std::vector<DirItem> items{Row("b", 30), Row("a", 10), Row("c", 20)};
    items[0].TypeName = "zip";  items[1].TypeName = "Text"; items[2].TypeName = "bild";
    items[0].Attributes = 0x01; items[1].Attributes = 0x20; items[2].Attributes = 0x02;
    // Dates whose texts would sort the other way ("01.02.2001" < "31.01.2000").
    items[0].WriteTime = FileTimeOf(2000, 1, 31);
    items[1].WriteTime = FileTimeOf(2001, 2, 1);
    items[2].WriteTime = FileTimeOf(1999, 12, 1);
    ApplyShares(items);
    struct Case { int key; std::vector<std::string> ascending; };
    const Case cases[] = {
        {dcName, {"a", "b", "c"}},    {dcSize, {"a", "c", "b"}}, {dcPercent, {"a", "c", "b"}},
        {dcType, {"c", "a", "b"}},    {dcDate, {"c", "b", "a"}},
        {dcAttributes, {"a", "c", "b"}}, // descending attributes when not reversed
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.ascending, SortedNames(items, c.key, false)) << "column " << c.key;
        std::vector<std::string> reversed(c.ascending.rbegin(), c.ascending.rend());
        EXPECT_EQ(reversed, SortedNames(items, c.key, true)) << "column " << c.key;
    }
}

TEST(DirItems, SharesComeFromTheFull64BitSizes)
{
    std::vector<DirItem> items{Row("big", 5LL << 30), Row("small", 1)};
    EXPECT_EQ(5LL << 30, ApplyShares(items));
    EXPECT_NEAR(100.0 * (5LL << 30) / ((5LL << 30) + 1), items[0].Percent, 1e-9);
    EXPECT_EQ("5120.00", MegabyteText(static_cast<double>(items[0].Size), false));
    std::vector<DirItem> none;
    EXPECT_EQ(0, ApplyShares(none));
}

TEST(DirItems, StatusTextsSayWhatTheyCount)
{
    ListingTotals totals;
    totals.folderCount = 2;
    totals.fileCount = 3;
    totals.folderBytes = 1048576;
    totals.fileBytes = 524288;
    EXPECT_EQ("2 Folders(1.00 MB), 3 Files(0.50 MB) [1.50 MB]", ListingStatusText(totals, false));
    EXPECT_EQ("2 Ordner(1,00 MB), 3 Dateien(0,50 MB) [1,50 MB]", ListingStatusText(totals, true));
    EXPECT_EQ("0 Folders(0.00 MB), 0 Files(0.00 MB) [0.00 MB]", ListingStatusText(ListingTotals{}, false));
    EXPECT_EQ("2 Objects selected (3.00 MB)", SelectionStatusText(2, 3 * 1048576, false));
    EXPECT_EQ("C:\\  2,00 MB", TreeNodeCaption("C:\\", 2 * 1048576, true, true));
    EXPECT_EQ("My Computer", TreeNodeCaption("My Computer", 0, false, false)) << "a virtual node has no size";
    EXPECT_EQ("RHSA", file_engines::AttributeLetters(0x27));
    EXPECT_EQ("", DateTextOf(FILETIME{}));
}

TEST(DirItems, TypeAheadFindsThePrefixFromTheStartAndWraps)
{
    std::vector<DirItem> items{Row("Apple", 1), Row("banana", 1), Row("avocado", 1)};
    EXPECT_EQ(2, FindRowByPrefix(items, "a", 1, false));
    EXPECT_EQ(0, FindRowByPrefix(items, "AP", 1, true));
    EXPECT_EQ(-1, FindRowByPrefix(items, "ap", 1, false));
    EXPECT_EQ(-1, FindRowByPrefix(items, "x", 0, true));
}

// ---- the chart's bars

namespace {

SizeChartModel ChartOf(int folders, int files, int64_t size = 100)
{
    std::vector<DirItem> items;
    ListingTotals totals;
    for (int i = 0; i < folders; ++i) {
        items.push_back(Row("d" + std::to_string(i), size, true));
        ++totals.folderCount;
        totals.folderBytes += size;
    }
    for (int i = 0; i < files; ++i) {
        items.push_back(Row("f" + std::to_string(i), size));
        ++totals.fileCount;
        totals.fileBytes += size;
    }
    return BuildSizeChart(items, totals, size, SizeChartLimits{}, false);
}

} // namespace

TEST(SizeChart, KindsAreGroupedOnlyBeyondTheirLimits)
{
    struct Case { int folders, files, bars; std::string last; };
    const Case cases[] = {{30, 60, 90, "d0"}, {60, 60, 61, "[Files(60)]"}, {120, 10, 11, "[Folders(120)]"},
                          {120, 120, 2, "[Files(120)]"}};
    for (const Case& c : cases) {
        SizeChartModel chart = ChartOf(c.folders, c.files);
        EXPECT_EQ(c.bars, chart.barCount) << c.folders << "/" << c.files;
        ASSERT_EQ(static_cast<size_t>(c.bars), chart.bars.size());
        EXPECT_EQ(c.last, chart.bars.back().label);
    }
}

TEST(SizeChart, BarsAndAxisShareTheUnit)
{
    struct Case { int64_t largest; const char* unit; };
    for (const Case& c : {Case{1024, "Bytes"}, Case{1048576, "Bytes"}, Case{2048, "KB"}, Case{3 << 20, "MB"}}) {
        SizeChartModel chart = ChartOf(1, 0, c.largest);
        EXPECT_EQ(c.unit, chart.unit) << c.largest;
        EXPECT_DOUBLE_EQ(chart.bars[0].value, chart.axisMaximum) << c.largest;
    }
}

TEST(SizeChart, TheSameListingGivesTheSamePicture)
{
    SizeChartModel first = ChartOf(5, 5), second = ChartOf(5, 5);
    ASSERT_EQ(first.bars.size(), second.bars.size());
    for (size_t i = 0; i < first.bars.size(); ++i)
        EXPECT_EQ(first.bars[i].color, second.bars[i].color);
    EXPECT_EQ(ChartColours[0], first.bars[0].color);
}

TEST(SizeChart, ZoomStepsByTenAndNeverBelowTen)
{
    struct Case { int zoom, in, out; };
    for (const Case& c : {Case{100, 110, 90}, Case{15, 25, 10}, Case{10, 20, 10}, Case{1000, 1010, 990}}) {
        EXPECT_EQ(c.in, ChartZoomIn(c.zoom)) << c.zoom;
        EXPECT_EQ(c.out, ChartZoomOut(c.zoom)) << c.zoom;
    }
}

TEST(SizeChart, ManyBarsGetTwentyPixelsEachAndScroll)
{
    struct Case { int bars, scrolled; };
    // A 600 x 500 frame: 90 bars (30 folders and 60 files) need 1800 pixels.
    const Case cases[] = {{ChartOf(30, 60).barCount, 1800}, {10, 500}, {24, 500}, {25, 500}, {26, 520}};
    for (const Case& c : cases) {
        const SizeChartLayout layout = LayOutSizeChart(600, 500, c.bars);
        EXPECT_EQ(596, layout.boxWidth);
        EXPECT_EQ(574, layout.chartWidth);
        EXPECT_EQ(c.scrolled, layout.scrolledHeight) << c.bars;
        EXPECT_EQ(c.scrolled - 22, layout.chartHeight) << c.bars;
    }
}
