// The found-files window's logic without the window: sort orders, carried selection,
// totals, type names and the printed page layout.
#include "cleaning/FoundFilesView.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace found_files;

FoundFileRecord* Record(TObjectList<FoundFileRecord>& list, const std::string& name, unsigned long long size = 0,
                        unsigned long long time = 0, const std::string& attributes = "",
                        const std::string& type = "")
{
    auto* record = new FoundFileRecord;
    record->displayName = name;
    record->path = "C:\\junk\\" + name;
    record->size = size;
    record->sizeText = std::to_string(size);
    record->lastWrite.dwLowDateTime = static_cast<DWORD>(time);
    record->lastWrite.dwHighDateTime = static_cast<DWORD>(time >> 32);
    record->attributes = attributes;
    record->typeName = type;
    list.Add(record);
    return record;
}

std::vector<std::string> Names(const TObjectList<FoundFileRecord>& list)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list[i]->displayName);
    return names;
}


TEST(FoundFilesSort, SizesAreComparedAsNumbersNotTexts)
{
    TObjectList<FoundFileRecord> list;
    Record(list, "big", 10000);
    Record(list, "small", 900);
    Record(list, "huge", 5ULL << 32); // beyond 32 bits
    Record(list, "none", 0);
    SortRecords(list, colSize, true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"none", "small", "big", "huge"}));
    SortRecords(list, colSize, false);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"huge", "big", "small", "none"}));
}

TEST(FoundFilesSort, DatesAreComparedAsFileTimesAndUnknownTimesComeFirst)
{
    TObjectList<FoundFileRecord> list;
    Record(list, "new", 0, 0x01D0000000000000ULL);
    Record(list, "unknown", 0, 0); // its date text is empty
    Record(list, "old", 0, 0x01A0000000000000ULL);
    SortRecords(list, colDate, true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"unknown", "old", "new"}));
    SortRecords(list, colDate, false);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"new", "old", "unknown"}));
}

TEST(FoundFilesSort, TextsCompareWithoutCaseByCharacterCode)
{
    TObjectList<FoundFileRecord> list;
    Record(list, "beta", 0, 0, "RA", "Zip");
    Record(list, "Alpha", 0, 0, "", "text");
    Record(list, "ärger", 0, 0, "A", "");
    Record(list, "alpha2", 0, 0, "HA", "TEXT2");
    SortRecords(list, colName, true);
    // Upper-cased "Ä" (0xC4) has a higher code than every ASCII letter.
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Alpha", "alpha2", "beta", "ärger"}));
    SortRecords(list, colPath, false);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"ärger", "beta", "alpha2", "Alpha"}));
    SortRecords(list, colType, true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"ärger", "Alpha", "alpha2", "beta"}));
    SortRecords(list, colAttributes, true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Alpha", "ärger", "alpha2", "beta"}));
}

TEST(FoundFilesSort, EqualKeysKeepTheirOrderInBothDirections)
{
    TObjectList<FoundFileRecord> list;
    Record(list, "one", 5);
    Record(list, "two", 7);
    Record(list, "three", 5);
    Record(list, "four", 7);
    SortRecords(list, colSize, true);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"one", "three", "two", "four"}));
    SortRecords(list, colSize, false);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"two", "four", "one", "three"}));
    SortRecords(list, colType, true); // all types empty: nothing moves
    EXPECT_EQ(Names(list), (std::vector<std::string>{"two", "four", "one", "three"}));
}

TEST(FoundFilesSort, TheNameColumnReadsTheDirectionFlagTheOtherWayRound)
{
    EXPECT_TRUE(SortsAscending(colName, 0));
    EXPECT_FALSE(SortsAscending(colName, 1));
    for (int column = colPath; column < columnCount; ++column) {
        EXPECT_FALSE(SortsAscending(column, 0));
        EXPECT_TRUE(SortsAscending(column, 1));
    }
}

TEST(FoundFilesSort, ChosenRecordsAreFoundInTheirNewRows)
{
    TObjectList<FoundFileRecord> list;
    Record(list, "c", 3);
    FoundFileRecord* a = Record(list, "a", 1);
    Record(list, "d", 4);
    FoundFileRecord* b = Record(list, "b", 2);
    SortRecords(list, colSize, true);
    EXPECT_EQ(RowsOf(list, {b, a}), (std::vector<int>{0, 1}));
    SortRecords(list, colSize, false);
    EXPECT_EQ(RowsOf(list, {b, a}), (std::vector<int>{2, 3}));
    EXPECT_TRUE(RowsOf(list, {}).empty());
    EXPECT_EQ(SizeOfRows(list, {2, 3}), 3u);
    EXPECT_EQ(SizeOfAll(list), 10u);
}

TEST(FoundFilesTotals, MegabytesWithFiveDecimalsAndTheGivenSeparator)
{
    EXPECT_EQ(MegabytesText(0, "."), "0.00000 MB");
    EXPECT_EQ(MegabytesText(1048576, ","), "1,00000 MB");
    EXPECT_EQ(MegabytesText(1572864, "."), "1.50000 MB");
    EXPECT_EQ(MegabytesText(5ULL << 40, "."), "5242880.00000 MB"); // 5 TB
}

TEST(FoundFilesTypes, EachEndingIsAskedOnceAndKnownTypesStay)
{
    TObjectList<FoundFileRecord> list;
    Record(list, "a.tmp");
    Record(list, "b.TMP");
    Record(list, "c.bak", 0, 0, "", "Backup of mine");
    Record(list, "noending");
    list[3]->path = "C:\\dir.d\\noending";
    std::vector<std::string> asked;
    FillMissingTypeNames(list, [&](const std::string& ending) {
        asked.push_back(ending);
        return "type of " + ending;
    });
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked, (std::vector<std::string>{"", ".TMP"}));
    EXPECT_EQ(list[0]->typeName, "type of .TMP");
    EXPECT_EQ(list[1]->typeName, "type of .TMP");
    EXPECT_EQ(list[2]->typeName, "Backup of mine");
    EXPECT_EQ(list[3]->typeName, "type of ");
}

// ---- printing

PrintSetup PrinterOf(int pageHeightCm, int perCmX, int perCmY)
{
    PrintSetup setup{pageHeightCm, perCmX, perCmY, {"Size", "Typename", "Date", "Attributes"}};
    return setup;
}

const PrintText* Find(const PrintPage& page, const std::string& text)
{
    for (const PrintText& item : page)
        if (item.text == text)
            return &item;
    return nullptr;
}

TEST(FoundFilesPrint, PrinterMeasuresInWholeCentimetres)
{
    EXPECT_EQ(PageHeightCm(7016, 600), 29); // A4 at 600 dpi: 297 mm
    EXPECT_EQ(PageHeightCm(3300, 300), 27); // Letter: 279 mm
    EXPECT_EQ(PixelsPerCm(600), 236);
    EXPECT_EQ(PixelsPerCm(300), 118);
    EXPECT_EQ(PageHeightCm(1000, 0), 0);
}

TEST(FoundFilesPrint, HeadAndRowsStandAtTheirCentimetres)
{
    TObjectList<FoundFileRecord> list;
    FoundFileRecord* record = Record(list, "x", 123, 0, "RA", "Temporary file");
    record->path = "C:\\" + std::string(60, 'p');
    record->sizeText = std::string(30, '9');
    record->dateText = "01.02.2003 04:05:06";
    // Different resolutions across and down: positions follow each on its own axis.
    std::vector<PrintPage> pages = PrintPages({record, record}, PrinterOf(29, 100, 200));
    ASSERT_EQ(pages.size(), 1u);
    const PrintPage& page = pages[0];

    const PrintText* title = Find(page, "Fileinformation");
    ASSERT_TRUE(title);
    EXPECT_EQ(title->x, 100);
    EXPECT_EQ(title->y, 200);
    EXPECT_EQ(title->points, 14);
    EXPECT_TRUE(title->bold);
    const PrintText* madeBy = Find(page, "made by");
    ASSERT_TRUE(madeBy);
    EXPECT_EQ(madeBy->x, 650);
    EXPECT_EQ(madeBy->y, 240);
    EXPECT_FALSE(madeBy->bold);
    ASSERT_TRUE(Find(page, "Tidewrack"));
    EXPECT_EQ(Find(page, "Tidewrack")->x, 870);
    ASSERT_TRUE(Find(page, "(Page 1)"));
    EXPECT_EQ(Find(page, "(Page 1)")->x, 1400);
    ASSERT_TRUE(Find(page, "File"));
    EXPECT_EQ(Find(page, "File")->y, 400);
    ASSERT_TRUE(Find(page, "Attributes"));
    EXPECT_EQ(Find(page, "Attributes")->x, 1860);
    EXPECT_TRUE(Find(page, "Attributes")->bold);

    // The path is cut to 52 characters, the size text to 22.
    std::vector<const PrintText*> paths;
    for (const PrintText& item : page)
        if (item.text == record->path.substr(0, 52))
            paths.push_back(&item);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0]->x, 100);
    EXPECT_EQ(paths[0]->y, 500);
    EXPECT_EQ(paths[1]->y, 560); // 0.3 cm further down
    EXPECT_EQ(paths[0]->points, 8);
    EXPECT_FALSE(paths[0]->bold);
    const PrintText* size = Find(page, std::string(22, '9'));
    ASSERT_TRUE(size);
    EXPECT_EQ(size->x, 1000);
    ASSERT_TRUE(Find(page, "Temporary file"));
    EXPECT_EQ(Find(page, "Temporary file")->x, 1340);
    ASSERT_TRUE(Find(page, "01.02.2003 04:05:06"));
    EXPECT_EQ(Find(page, "01.02.2003 04:05:06")->x, 1580);
}

TEST(FoundFilesPrint, RowsGoOnANewPageBeforeTheBottomThreeCentimetres)
{
    TObjectList<FoundFileRecord> list;
    std::vector<const FoundFileRecord*> rows;
    for (int i = 0; i < 80; ++i)
        rows.push_back(Record(list, "f" + std::to_string(i)));
    const int headItems = 9;
    // 29 cm: a row at 2.5 + 0.3 k must stay above 26 cm, so k runs to 78: 79 rows.
    std::vector<PrintPage> pages = PrintPages(rows, PrinterOf(29, 10, 10));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), headItems + 79 * 5u);
    EXPECT_EQ(pages[1].size(), headItems + 1 * 5u);
    EXPECT_TRUE(Find(pages[1], "(Page 2)"));
    EXPECT_EQ(Find(pages[1], "C:\\junk\\f79")->y, 25);

    // A page too short for the rule still takes one row each.
    pages = PrintPages({rows[0], rows[1]}, PrinterOf(5, 10, 10));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Find(pages[1], "C:\\junk\\f1")->y, 25);

    // Nothing selected: one page with its head.
    pages = PrintPages({}, PrinterOf(29, 10, 10));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].size(), size_t(headItems));
}

} // namespace
