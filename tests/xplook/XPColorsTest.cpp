// The colour arithmetic of the XP look, and the working colours made from injected
// system colours and colour depths.
#include "tests/support/Canvas.h"
#include "xplook/XPColors.h"

#include <gtest/gtest.h>

namespace {

using namespace xplook;

const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);

struct ColorCase {
    const char* what;
    COLORREF got;
    COLORREF expected;
};

TEST(XPColors, HelpersByTable)
{
    const ColorCase cases[] = {
        {"shade of black stays black", GetShadeColor(black, 10), black},
        {"shade of white: green two lighter", GetShadeColor(white, 10), RGB(245, 247, 245)},
        {"lighten 100 % is white", NewColor(RGB(12, 34, 56), 100), white},
        {"lighten above 100 acts as 100", NewColor(RGB(12, 34, 56), 150), white},
        {"lighten 0 % keeps the colour", NewColor(RGB(12, 34, 56), 0), RGB(12, 34, 56)},
        // 255 * 50 / 100 = 127.5 rounds to the even 128; 55 * 50 / 100 = 27.5 to 28.
        {"halves round to even", NewColor(RGB(0, 200, 0), 50), RGB(128, 228, 128)},
        {"grey of white is capped at 240", GrayColor(white, 10), RGB(240, 240, 240)},
        {"grey of black is the level", GrayColor(black, 10), RGB(10, 10, 10)},
        // (1 + 1 + 2) / 3 = 1.33 and (2 + 2 + 1) / 3 = 1.67: both truncate to 1.
        {"grey truncates the mean", GrayColor(RGB(1, 1, 2), 0), RGB(1, 1, 1)},
        {"grey truncates a mean near the next level", GrayColor(RGB(2, 2, 1), 10), RGB(11, 11, 11)},
        {"mean of white and white is white", MergColor({white, white}), white},
        {"mean of one colour is that colour", MergColor({RGB(7, 8, 9)}), RGB(7, 8, 9)},
        {"mean of black and white", MergColor({black, white}), RGB(128, 128, 128)},
        {"inverse", GetInverseColor(RGB(1, 2, 3)), RGB(254, 253, 252)},
    };
    for (const ColorCase& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
}

XPPalette Injected(int bits)
{
    XPPalette palette;
    palette.bitsPerPixel = bits;
    palette.systemColor = [](int index) -> COLORREF {
        switch (index) {
        case COLOR_BTNFACE: return RGB(200, 200, 200);
        case COLOR_HIGHLIGHT: return RGB(0, 0, 128);
        case COLOR_BTNSHADOW: return RGB(100, 100, 100);
        default: return RGB(1, 2, 3);
        }
    };
    return palette;
}

TEST(XPColors, SystemColoursInHighColourComeFromTheInjectedPalette)
{
    const XPWorkColors w = ComputeWorkColors(XPColorProperties{}, Injected(32));
    EXPECT_TRUE(w.highColor);
    EXPECT_EQ(w.work, NewColor(RGB(200, 200, 200), 86));
    EXPECT_EQ(w.iconBack, NewColor(RGB(200, 200, 200), 16));
    EXPECT_EQ(w.select, NewColor(RGB(0, 0, 128), 68));
    EXPECT_EQ(w.selectBorder, RGB(0, 0, 128));
    EXPECT_EQ(w.separator, NewColor(RGB(100, 100, 100), 25));
    EXPECT_EQ(w.menuBorder, GetShadeColor(RGB(200, 200, 200), 90));
}

TEST(XPColors, FewColoursUseWhiteAndPlainSystemColours)
{
    const XPWorkColors w = ComputeWorkColors(XPColorProperties{}, Injected(8));
    EXPECT_FALSE(w.highColor);
    EXPECT_EQ(w.work, white);
    EXPECT_EQ(w.iconBack, RGB(200, 200, 200));
    EXPECT_EQ(w.checkedArea, white);
    EXPECT_EQ(w.disabled, RGB(100, 100, 100));
}

TEST(XPColors, OwnColoursAreUsedWithoutSystemColours)
{
    XPColorProperties own;
    own.useSystemColors = false;
    own.selectColor = RGB(10, 20, 30);
    own.useDimColor = true;
    const XPWorkColors w = ComputeWorkColors(own, Injected(32));
    EXPECT_EQ(w.select, NewColor(RGB(10, 20, 30), 68));
    EXPECT_EQ(w.checkedAreaSelect, NewColor(RGB(10, 20, 30), 50));
    EXPECT_EQ(w.work, RGB(200, 200, 200));
}

TEST(XPColors, BitmapFiltersWorkPixelByPixel)
{
    testing_support::Canvas canvas(3, 2);
    HDC dc = canvas.dc();
    SetPixelV(dc, 0, 0, black);
    SetPixelV(dc, 1, 0, white);
    SetPixelV(dc, 2, 0, RGB(30, 60, 90));
    for (int x = 0; x < 3; ++x) SetPixelV(dc, x, 1, black);
    GrayBitmap(dc, 3, 2, 10);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(10, 10, 10)) << "a black first pixel is greyed too";
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(240, 240, 240));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(70, 70, 70));
    DimBitmap(dc, 3, 2, 100);
    EXPECT_EQ(GetPixel(dc, 2, 1), white);
}

}  // namespace
