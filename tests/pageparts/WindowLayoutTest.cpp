// The stored window layout: the column-width text, the rectangle rules of the two kinds
// of readers, and a round trip through the registry.
#include "common/OptionsKeys.h"
#include "pageparts/WindowLayout.h"
#include "tests/support/MainFormFixture.h"

#include <gtest/gtest.h>

namespace {

using window_layout::StoredLayout;
using window_layout::WindowRect;
using Widths = std::vector<std::optional<int>>;

bool SameRect(const WindowRect& a, const WindowRect& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

TEST(ColumnWidthsText, EachWidthEndsWithASemicolon)
{
    EXPECT_EQ(window_layout::ColumnWidthsText({200, 80, 120}), "200;80;120;");
    EXPECT_EQ(window_layout::ColumnWidthsText({}), "");
}

TEST(ColumnWidthsFromText, ReadsOneEntryPerColumn)
{
    EXPECT_EQ(window_layout::ColumnWidthsFromText("200;80;120;", 3), (Widths{200, 80, 120}));
    // Back again from what was written.
    EXPECT_EQ(window_layout::ColumnWidthsFromText(window_layout::ColumnWidthsText({5, 0, 999}), 3),
              (Widths{5, 0, 999}));
}

TEST(ColumnWidthsFromText, EmptyEntryKeepsTheDesignedWidth)
{
    EXPECT_EQ(window_layout::ColumnWidthsFromText(";120;", 2), (Widths{std::nullopt, 120}));
}

TEST(ColumnWidthsFromText, MissingEntriesKeepTheDesignedWidths)
{
    EXPECT_EQ(window_layout::ColumnWidthsFromText("200;", 3),
              (Widths{200, std::nullopt, std::nullopt}));
    EXPECT_EQ(window_layout::ColumnWidthsFromText("", 2), (Widths{std::nullopt, std::nullopt}));
    // Text after the last semicolon is not an entry.
    EXPECT_EQ(window_layout::ColumnWidthsFromText("200;80", 2), (Widths{200, std::nullopt}));
    // More entries than columns: the rest is ignored.
    EXPECT_EQ(window_layout::ColumnWidthsFromText("1;2;3;", 1), (Widths{1}));
}

TEST(ColumnWidthsFromText, HandEditedEntriesAreSkipped)
{
    EXPECT_EQ(window_layout::ColumnWidthsFromText("abc;90;", 2), (Widths{std::nullopt, 90}));
    EXPECT_EQ(window_layout::ColumnWidthsFromText("12px;-5;", 2), (Widths{std::nullopt, -5}));
    EXPECT_EQ(window_layout::ColumnWidthsFromText(" 7;99999999999;", 2),
              (Widths{std::nullopt, std::nullopt}));
}

TEST(WholeRect, AppliesTheStoredRectangleOnlyWithAWidth)
{
    const WindowRect fallback{10, 10, 800, 400};
    StoredLayout stored;
    EXPECT_TRUE(SameRect(*window_layout::WholeRect(stored, fallback), fallback)); // no subkey

    stored.keyFound = true;
    stored.left = "50";
    EXPECT_FALSE(window_layout::WholeRect(stored, fallback)); // "left" without "width"

    stored.top = "60";
    stored.width = "700";
    stored.height = "500";
    EXPECT_TRUE(SameRect(*window_layout::WholeRect(stored, fallback), WindowRect{50, 60, 700, 500}));

    stored.height = "tall";
    EXPECT_TRUE(SameRect(*window_layout::WholeRect(stored, fallback), fallback));
    stored.height.reset();
    EXPECT_TRUE(SameRect(*window_layout::WholeRect(stored, fallback), fallback));
}

TEST(EachValueRect, AppliesEveryStoredNumber)
{
    const WindowRect fallback{10, 5, 800, 500};
    const WindowRect current{1, 2, 3, 4};
    StoredLayout stored;
    EXPECT_TRUE(SameRect(window_layout::EachValueRect(stored, current, fallback), fallback));

    stored.keyFound = true;
    EXPECT_TRUE(SameRect(window_layout::EachValueRect(stored, current, fallback), current));
    stored.width = "640";
    stored.top = "abc";
    stored.height = "480";
    EXPECT_TRUE(SameRect(window_layout::EachValueRect(stored, current, fallback),
                         WindowRect{1, 2, 640, 480}));
}

class WindowLayoutRegistryTest : public ::testing::Test {
protected:
    void TearDown() override { testing_support::ClearSettings(); }
    TRegistry registry;
};

TEST_F(WindowLayoutRegistryTest, RoundTripUnderTheWindowsSubkey)
{
    namespace key = options::screenSettingsDelFiles;
    ASSERT_TRUE(window_layout::WriteLayout(registry, key::Key, key::ColumsWidth,
                                           WindowRect{-8, 20, 780, 620}, {150, 90, 300}));
    TRegistry check;
    ASSERT_TRUE(check.OpenKeyReadOnly(key::Key));
    EXPECT_EQ(check.ReadString("columswidth"), "150;90;300;");
    EXPECT_EQ(check.ReadString("left"), "-8");
    EXPECT_EQ(check.ReadString("width"), "780");
    check.CloseKey();

    StoredLayout stored = window_layout::ReadLayout(registry, key::Key, key::ColumsWidth);
    EXPECT_TRUE(stored.keyFound);
    EXPECT_EQ(stored.columns, "150;90;300;");
    EXPECT_TRUE(SameRect(*window_layout::WholeRect(stored, WindowRect{}), WindowRect{-8, 20, 780, 620}));

    // Another window's name for the column value reads nothing here.
    EXPECT_FALSE(window_layout::ReadLayout(registry, key::Key, "columnswidth").columns);
}

TEST_F(WindowLayoutRegistryTest, MissingSubkeyIsNotCreatedByReading)
{
    StoredLayout stored = window_layout::ReadLayout(registry, options::screenSettingsBackupFiles::Key,
                                                    options::screenSettingsBackupFiles::ColumsWidth);
    EXPECT_FALSE(stored.keyFound);
    EXPECT_FALSE(registry.KeyExists(options::screenSettingsBackupFiles::Key));
}

} // namespace
