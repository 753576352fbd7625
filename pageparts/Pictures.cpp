#include "pageparts/Pictures.h"

#include "toolkit/Graphics.h"

#include <string>

namespace pictures {
namespace {

const COLORREF deepSea = RGB(20, 70, 120);
const COLORREF shallowSea = RGB(40, 160, 200);
const COLORREF foam = RGB(255, 255, 255);

struct MemoryCanvas {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap;
    HGDIOBJ previous;

    MemoryCanvas(int width, int height)
        : bitmap(CreateCompatibleBitmap(screen, width, height)), previous(SelectObject(dc, bitmap)) {}
    // Hands the bitmap to the caller.
    HBITMAP Take()
    {
        SelectObject(dc, previous);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        dc = nullptr;
        return bitmap;
    }
    ~MemoryCanvas()
    {
        if (dc) DeleteObject(Take());
    }
};

COLORREF Blend(COLORREF a, COLORREF b, int step, int steps)
{
    auto mix = [&](int x, int y) { return x + (y - x) * step / (steps > 1 ? steps - 1 : 1); };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
               mix(GetBValue(a), GetBValue(b)));
}

void HorizontalGradient(HDC dc, int width, int height, COLORREF from, COLORREF to)
{
    for (int x = 0; x < width; ++x) {
        HPEN pen = CreatePen(PS_SOLID, 1, Blend(from, to, x, width));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, x, 0, nullptr);
        LineTo(dc, x, height);
        DeleteObject(SelectObject(dc, old));
    }
}

void DrawText(HDC dc, const std::string& text, RECT rect, int height, bool bold, COLORREF color)
{
    HFONT font = CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             ANSI_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, "Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    ::DrawTextA(dc, text.c_str(), -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    DeleteObject(SelectObject(dc, old));
}

// Builds an icon from a 16 x 16 drawing on a key colour that becomes transparent. The
// drawing goes into a DIB section so the pixels are read from memory, not one by one
// through GDI.
template <class Draw>
HICON MakeIcon(Draw draw)
{
    const int size = 16;
    const COLORREF key = RGB(255, 0, 255);
    DWORD* pixels = nullptr;
    HBITMAP image = MakePixelBitmap(size, size, pixels);
    if (!image)
        return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image);
    RECT all{0, 0, size, size};
    HBRUSH keyBrush = CreateSolidBrush(key);
    FillRect(dc, &all, keyBrush);
    DeleteObject(keyBrush);
    draw(dc);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);

    // A DIB pixel is 0x00RRGGBB; the key colour becomes transparent, everything else opaque.
    const DWORD keyPixel = 0x00FF00FF;
    BYTE maskBits[size * 2] = {}; // one bit per pixel, rows padded to 16 bits
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            DWORD& pixel = pixels[y * size + x];
            if ((pixel & 0x00FFFFFF) == keyPixel) {
                pixel = 0;
                maskBits[y * 2 + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
            } else {
                pixel |= 0xFF000000;
            }
        }
    HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits);
    ICONINFO iconInfo{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&iconInfo);
    DeleteObject(mask);
    DeleteObject(image);
    return icon;
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color, int width = 2)
{
    HPEN pen = CreatePen(PS_SOLID, width, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    DeleteObject(SelectObject(dc, old));
}

void Disc(HDC dc, COLORREF fill)
{
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, deepSea);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, 1, 1, 15, 15);
    DeleteObject(SelectObject(dc, oldBrush));
    DeleteObject(SelectObject(dc, oldPen));
}

// Fills and outlines what draw paints with the given colours.
template <class Draw>
void Shape(HDC dc, COLORREF fill, COLORREF outline, Draw draw)
{
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, outline);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    draw();
    DeleteObject(SelectObject(dc, oldBrush));
    DeleteObject(SelectObject(dc, oldPen));
}

// A closed carton seen from above at a slant: an installed product.
HICON ProductBox()
{
    return MakeIcon([](HDC dc) {
        const COLORREF edge = RGB(120, 80, 30);
        const POINT top[] = {{1, 5}, {6, 2}, {15, 2}, {10, 5}};
        const POINT side[] = {{10, 5}, {15, 2}, {15, 11}, {10, 14}};
        Shape(dc, RGB(235, 195, 130), edge, [&] { Polygon(dc, top, 4); });
        Shape(dc, RGB(170, 120, 60), edge, [&] { Polygon(dc, side, 4); });
        Shape(dc, RGB(210, 160, 90), edge, [&] { Rectangle(dc, 1, 5, 11, 15); });
        Line(dc, 4, 5, 4, 9, RGB(250, 240, 220), 1); // the tape over the lid
    });
}

} // namespace

HBITMAP TitleBar(int width, int height)
{
    MemoryCanvas canvas(width, height);
    HorizontalGradient(canvas.dc, width, height, deepSea, shallowSea);
    DrawText(canvas.dc, "Tidewrack", RECT{8, 0, 160, height}, height / 2, true, foam);
    return canvas.Take();
}

HBITMAP GroupTitle(int width, int height, bool open)
{
    MemoryCanvas canvas(width, height);
    HorizontalGradient(canvas.dc, width, height, open ? shallowSea : RGB(225, 235, 245),
                       open ? RGB(225, 240, 250) : RGB(250, 252, 255));
    return canvas.Take();
}

HICON TitleButtonIcon(TitleButton button)
{
    return MakeIcon([button](HDC dc) {
        Disc(dc, RGB(235, 245, 250));
        switch (button) {
        case TitleButton::Close:
        case TitleButton::Exit:
            Line(dc, 5, 5, 11, 11, RGB(180, 30, 30));
            Line(dc, 11, 5, 5, 11, RGB(180, 30, 30));
            break;
        case TitleButton::Maximize:
            Line(dc, 5, 5, 11, 5, deepSea);
            Line(dc, 5, 5, 5, 11, deepSea, 1);
            Line(dc, 11, 5, 11, 11, deepSea, 1);
            Line(dc, 5, 11, 11, 11, deepSea, 1);
            break;
        case TitleButton::Minimize:
        case TitleButton::Tray:
            Line(dc, 5, 11, 11, 11, deepSea);
            break;
        case TitleButton::About:
            Line(dc, 8, 7, 8, 12, deepSea);
            Line(dc, 8, 4, 8, 5, deepSea);
            break;
        case TitleButton::Help:
            Line(dc, 6, 5, 10, 5, deepSea);
            Line(dc, 10, 5, 10, 8, deepSea);
            Line(dc, 10, 8, 8, 9, deepSea);
            Line(dc, 8, 11, 8, 12, deepSea);
            break;
        }
    });
}

HICON SidebarIcon(int index)
{
    // A small wave on a disc whose colour runs around the colour wheel by index.
    static const COLORREF palette[] = {RGB(52, 152, 219), RGB(46, 204, 113), RGB(230, 126, 34),
                                       RGB(155, 89, 182), RGB(231, 76, 60),  RGB(26, 188, 156),
                                       RGB(241, 196, 15), RGB(127, 140, 141)};
    COLORREF colour = palette[index % 8];
    bool inverted = index / 8 % 2 == 1;
    return MakeIcon([&](HDC dc) {
        Disc(dc, inverted ? foam : colour);
        COLORREF wave = inverted ? colour : foam;
        Line(dc, 3, 9, 6, 7, wave);
        Line(dc, 6, 7, 9, 9, wave);
        Line(dc, 9, 9, 13, 7, wave);
        if (index >= 16)
            Line(dc, 5, 12, 11, 12, wave, 1);
    });
}

HICON MainImage(int index)
{
    if (index == registryKeyPicture)
        // A folder: the key, with whatever lies below it.
        return MakeIcon([](HDC dc) {
            HBRUSH brush = CreateSolidBrush(RGB(240, 200, 80));
            HPEN pen = CreatePen(PS_SOLID, 1, RGB(150, 110, 20));
            HGDIOBJ oldBrush = SelectObject(dc, brush);
            HGDIOBJ oldPen = SelectObject(dc, pen);
            POINT tab[] = {{1, 3}, {6, 3}, {8, 5}, {8, 6}, {1, 6}};
            Polygon(dc, tab, 5);
            Rectangle(dc, 1, 5, 15, 14);
            DeleteObject(SelectObject(dc, oldBrush));
            DeleteObject(SelectObject(dc, oldPen));
        });
    if (index == registryValuePicture)
        // A sheet with lines of text: one value.
        return MakeIcon([](HDC dc) {
            HPEN pen = CreatePen(PS_SOLID, 1, deepSea);
            HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
            HGDIOBJ oldPen = SelectObject(dc, pen);
            Rectangle(dc, 3, 1, 13, 15);
            SelectObject(dc, oldBrush);
            DeleteObject(SelectObject(dc, oldPen));
            for (int y = 4; y <= 11; y += 3)
                Line(dc, 5, y, 11, y, shallowSea, 1);
        });
    if (index == productPicture)
        return ProductBox();
    return SidebarIcon(index);
}

HICON PrivacyGroupPicture(int group)
{
    return MakeIcon([group](HDC dc) {
        switch (group) {
        case 0: // the browser: a globe
            Shape(dc, RGB(60, 130, 220), deepSea, [&] { Ellipse(dc, 1, 1, 15, 15); });
            Shape(dc, RGB(60, 130, 220), foam, [&] { Ellipse(dc, 5, 1, 11, 15); });
            Line(dc, 2, 8, 14, 8, foam, 1);
            Line(dc, 3, 5, 13, 5, foam, 1);
            Line(dc, 3, 11, 13, 11, foam, 1);
            break;
        case 1: // the media player: a play sign on a disc
            Shape(dc, RGB(240, 140, 30), RGB(160, 80, 10), [&] { Ellipse(dc, 1, 1, 15, 15); });
            Shape(dc, foam, foam, [&] {
                const POINT play[] = {{6, 4}, {12, 8}, {6, 12}};
                Polygon(dc, play, 3);
            });
            break;
        case 2: // error reports: a warning sign
            Shape(dc, RGB(250, 210, 40), RGB(150, 100, 0), [&] {
                const POINT sign[] = {{8, 1}, {15, 14}, {1, 14}};
                Polygon(dc, sign, 3);
            });
            Line(dc, 8, 5, 8, 9, RGB(0, 0, 0));
            Line(dc, 8, 11, 8, 12, RGB(0, 0, 0));
            break;
        case 3: // services: a gear wheel
            for (int spoke = 0; spoke < 4; ++spoke) {
                const int dx[] = {7, 5, 0, -5}, dy[] = {0, 5, 7, 5};
                Line(dc, 8 - dx[spoke], 8 - dy[spoke], 8 + dx[spoke], 8 + dy[spoke], RGB(110, 120, 130), 3);
            }
            Shape(dc, RGB(150, 160, 170), RGB(80, 90, 100), [&] { Ellipse(dc, 3, 3, 14, 14); });
            Shape(dc, foam, RGB(80, 90, 100), [&] { Ellipse(dc, 6, 6, 11, 11); });
            break;
        case 4: // the messenger: a person
            Shape(dc, RGB(60, 170, 80), RGB(30, 110, 50), [&] { Ellipse(dc, 2, 9, 14, 21); });
            Shape(dc, RGB(60, 170, 80), RGB(30, 110, 50), [&] { Ellipse(dc, 5, 1, 11, 8); });
            break;
        default: // other settings: three sliders
            for (int row = 0; row < 3; ++row) {
                const int y = 3 + row * 5, knob = row == 1 ? 10 : row == 0 ? 5 : 7;
                Line(dc, 1, y, 15, y, RGB(130, 130, 130), 1);
                Shape(dc, shallowSea, deepSea, [&] { Rectangle(dc, knob - 2, y - 2, knob + 2, y + 3); });
            }
            break;
        }
    });
}

} // namespace pictures
