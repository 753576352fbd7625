// The colour arithmetic of the XP look: shades, lightening toward white, greys and means
// of colours, the bitmap filters built on them, and the working colours a look paints
// with. Everything here works on plain RGB values; system colours and the screen's colour
// depth come in as parameters (XPPalette), so results do not depend on the machine.
#pragma once

#include "toolkit/Types.h"

#include <functional>
#include <initializer_list>

namespace xplook {

// The one rounding of every colour computation: to the nearest integer, halves to the
// even neighbour.
int RoundHalfEven(double value);

// Each channel darker by value (green by value - 2), clamped to 0..255.
COLORREF GetShadeColor(COLORREF color, int value);
// Each channel value percent of the way to white (value capped at 100).
COLORREF NewColor(COLORREF color, int value);
// The grey of the colour's brightness raised by value, at most 240.
COLORREF GrayColor(COLORREF color, int value);
// The per-channel mean of the colours.
COLORREF MergColor(std::initializer_list<COLORREF> colors);
COLORREF GetInverseColor(COLORREF color);

// Greys, or lightens, every pixel of a bitmap selected into dc (width x height).
void GrayBitmap(HDC dc, int width, int height, int value);
void DimBitmap(HDC dc, int width, int height, int value);
// Every pixel of the source that differs from background sets the target pixel at
// (x + column, y + row) to shadow.
void DrawBitmapShadow(HDC source, int width, int height, COLORREF background, HDC target, int x, int y,
                      COLORREF shadow);
// The flat check mark and the two kinds of small arrows, in the dc's current pen.
void DrawCheckMark(HDC dc, int x, int y);
void DrawArrow(HDC dc, int x, int y);
void DrawArrow(HDC dc, int x, int y, int direction);

// Where system colours and the colour depth come from: the machine by default.
struct XPPalette {
    std::function<COLORREF(int index)> systemColor;
    int bitsPerPixel = 32;
    // The machine's system colours and the depth of the screen.
    static XPPalette Machine();
    // A class library colour value as RGB (system colours resolved).
    COLORREF Resolve(TColor color) const;
};

// The colours of the look that its painters use, derived from its properties.
struct XPWorkColors {
    bool highColor = true;
    COLORREF work, iconBack, select, selectBorder, selectFont, checkedArea, checkedAreaSelect,
        checked, menuBar, disabled, separator, menuBorder, menuShadow;
    // Resolved system colours the painters need besides.
    COLORREF btnFace, btnShadow, highlight, window;
};

// The properties the working colours are made of.
struct XPColorProperties {
    TColor color = clBtnFace;
    TColor iconBackColor = clBtnFace;
    TColor menuBarColor = clBtnFace;
    TColor selectColor = clHighlight;
    TColor selectBorderColor = clHighlight;
    TColor selectFontColor = clWindowText;
    TColor disabledColor = clSystemColor | COLOR_INACTIVECAPTION;
    TColor separatorColor = clBtnFace;
    TColor checkedColor = clHighlight;
    TColor fontColor = clWindowText;
    bool useSystemColors = true;
    bool useDimColor = false;
};

XPWorkColors ComputeWorkColors(const XPColorProperties& properties, const XPPalette& palette);

}  // namespace xplook
