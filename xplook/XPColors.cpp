#include "xplook/XPColors.h"

#include <algorithm>
#include <cmath>

namespace xplook {

namespace {

int Clamp(int value) { return std::min(255, std::max(0, value)); }

COLORREF Channels(int r, int g, int b) { return RGB(Clamp(r), Clamp(g), Clamp(b)); }

}  // namespace

int RoundHalfEven(double value) { return static_cast<int>(std::nearbyint(value)); }

COLORREF GetShadeColor(COLORREF color, int value)
{
    return Channels(GetRValue(color) - value, GetGValue(color) - value + 2, GetBValue(color) - value);
}

COLORREF NewColor(COLORREF color, int value)
{
    value = std::min(value, 100);
    auto lighten = [value](int c) { return c + RoundHalfEven((255 - c) * value / 100.0); };
    return Channels(lighten(GetRValue(color)), lighten(GetGValue(color)), lighten(GetBValue(color)));
}

COLORREF GrayColor(COLORREF color, int value)
{
    // The mean of the channels is truncated, not rounded.
    int level = (GetRValue(color) + GetGValue(color) + GetBValue(color)) / 3 + value;
    level = std::min(level, 240);
    return Channels(level, level, level);
}

COLORREF MergColor(std::initializer_list<COLORREF> colors)
{
    if (colors.size() == 0) return 0;
    int r = 0, g = 0, b = 0;
    for (COLORREF c : colors) {
        r += GetRValue(c);
        g += GetGValue(c);
        b += GetBValue(c);
    }
    const double n = static_cast<double>(colors.size());
    return Channels(RoundHalfEven(r / n), RoundHalfEven(g / n), RoundHalfEven(b / n));
}

COLORREF GetInverseColor(COLORREF color) { return ~color & 0xFFFFFF; }

namespace {

// Walks the pixels row by row; a run of equal pixels is converted once.
template <class Convert>
void MapPixels(HDC dc, int width, int height, Convert convert)
{
    for (int y = 0; y < height; ++y) {
        COLORREF before = CLR_INVALID, after = 0;
        for (int x = 0; x < width; ++x) {
            COLORREF pixel = GetPixel(dc, x, y);
            if (pixel != before) {
                before = pixel;
                after = convert(pixel);
            }
            if (after != pixel) SetPixelV(dc, x, y, after);
        }
    }
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

}  // namespace

void GrayBitmap(HDC dc, int width, int height, int value)
{
    MapPixels(dc, width, height, [value](COLORREF c) { return GrayColor(c, value); });
}

void DimBitmap(HDC dc, int width, int height, int value)
{
    MapPixels(dc, width, height, [value](COLORREF c) { return NewColor(c, value); });
}

void DrawBitmapShadow(HDC source, int width, int height, COLORREF background, HDC target, int x, int y,
                      COLORREF shadow)
{
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            if (GetPixel(source, column, row) != background) SetPixelV(target, x + column, y + row, shadow);
}

void DrawCheckMark(HDC dc, int x, int y)
{
    for (int k = 0; k < 3; ++k) {
        POINT points[] = {{x + 2, y - 5 - k}, {x + 4, y - 3 - k}, {x + 9, y - 8 - k}};
        Polyline(dc, points, 3);
    }
}

void DrawArrow(HDC dc, int x, int y)
{
    Line(dc, x, y, x + 5, y);
    Line(dc, x + 1, y + 1, x + 4, y);
    Line(dc, x + 2, y + 2, x + 3, y);
}

void DrawArrow(HDC dc, int x, int y, int direction)
{
    if (direction == 0) {
        Line(dc, x, y, x, y - 1);
        Line(dc, x + 1, y + 1, x + 4, y + 4);
        Line(dc, x, y + 1, x + 3, y + 4);
        Line(dc, x, y + 2, x + 2, y + 4);
        Line(dc, x - 1, y + 1, x - 4, y + 4);
        Line(dc, x, y + 2, x - 3, y + 4);
        Line(dc, x, y + 1, x - 2, y + 4);
    } else if (direction == 1) {
        Line(dc, x, y + 3, x, y + 4);
        Line(dc, x + 1, y + 2, x + 4, y - 1);
        Line(dc, x, y + 2, x + 3, y - 1);
        Line(dc, x, y + 1, x + 2, y);
        Line(dc, x - 1, y + 2, x - 4, y - 1);
        Line(dc, x, y + 2, x - 3, y - 1);
        Line(dc, x, y + 1, x - 2, y);
    }
}

XPPalette XPPalette::Machine()
{
    XPPalette palette;
    palette.systemColor = [](int index) { return GetSysColor(index); };
    HDC screen = GetDC(nullptr);
    palette.bitsPerPixel = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    ReleaseDC(nullptr, screen);
    return palette;
}

COLORREF XPPalette::Resolve(TColor color) const
{
    if (color & clSystemColor) return systemColor ? systemColor(color & 0xFF) : GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}

XPWorkColors ComputeWorkColors(const XPColorProperties& p, const XPPalette& palette)
{
    auto rgb = [&palette](TColor c) { return palette.Resolve(c); };
    XPWorkColors w;
    w.btnFace = rgb(clBtnFace);
    w.btnShadow = rgb(clSystemColor | COLOR_BTNSHADOW);
    w.highlight = rgb(clHighlight);
    w.window = rgb(clWindow);
    w.highColor = palette.bitsPerPixel >= 16;
    w.work = rgb(p.color);
    w.iconBack = rgb(p.iconBackColor);
    const COLORREF select = rgb(p.selectColor);
    if (w.highColor) {
        if (p.useDimColor) {
            w.select = NewColor(select, 68);
            w.checkedArea = NewColor(select, 80);
            w.checkedAreaSelect = NewColor(select, 50);
        } else {
            w.select = w.checkedArea = w.checkedAreaSelect = select;
        }
        w.menuBorder = GetShadeColor(w.btnFace, 90);
        w.menuShadow = GetShadeColor(w.btnFace, 76);
    } else {
        w.select = select;
        w.checkedArea = RGB(255, 255, 255);
        w.checkedAreaSelect = RGB(192, 192, 192);
        w.menuBorder = w.menuShadow = w.btnShadow;
    }
    w.selectBorder = rgb(p.selectBorderColor);
    w.selectFont = rgb(p.selectFontColor);
    w.menuBar = rgb(p.menuBarColor);
    w.disabled = rgb(p.disabledColor);
    w.checked = rgb(p.checkedColor);
    w.separator = rgb(p.separatorColor);
    if (!p.useSystemColors) return w;
    w.selectFont = rgb(p.fontColor);
    w.selectBorder = w.highlight;
    w.menuBar = w.btnFace;
    w.checked = w.highlight;
    if (w.highColor) {
        w.work = NewColor(w.btnFace, 86);
        w.iconBack = NewColor(w.btnFace, 16);
        w.select = NewColor(w.highlight, 68);
        w.disabled = NewColor(w.btnShadow, 10);
        w.separator = NewColor(w.btnShadow, 25);
        w.checkedArea = NewColor(w.highlight, 80);
        w.checkedAreaSelect = NewColor(w.highlight, 50);
    } else {
        w.work = RGB(255, 255, 255);
        w.iconBack = w.btnFace;
        w.select = RGB(255, 255, 255);
        w.disabled = w.btnShadow;
        w.separator = w.btnShadow;
        w.checkedArea = w.checkedAreaSelect = RGB(255, 255, 255);
    }
    return w;
}

}  // namespace xplook
