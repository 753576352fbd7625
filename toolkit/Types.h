// Basic value types of the toolkit: colours, cursors, alignment, mouse and key states,
// rectangles, and the event signatures that controls call back through.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

class TObject;

// A colour as the program writes it: 0x00BBGGRR like COLORREF, or a system colour
// (clSystemColor plus a COLOR_* index) that is looked up when the colour is used.
using TColor = int;

constexpr TColor clSystemColor = static_cast<int>(0x80000000);
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBtnText = clSystemColor | COLOR_BTNTEXT;
constexpr TColor clHighlight = clSystemColor | COLOR_HIGHLIGHT;
constexpr TColor clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT;
constexpr TColor clGrayText = clSystemColor | COLOR_GRAYTEXT;
constexpr TColor clNone = 0x1FFFFFFF;

// The COLORREF to draw with.
COLORREF ColorToRGB(TColor color);

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Cursor identifiers; crDefault leaves the choice to the window below.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crHSplit = -14;

// The system cursor for a TCursor (nullptr for crDefault).
HCURSOR CursorHandle(TCursor cursor);

// Shift, Alt, Ctrl and mouse-button state of a mouse or key event.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

// The state of the modifier keys and the mouse buttons now.
TShiftState CurrentShiftState();

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A rectangle with Delphi-style field names; converts to and from RECT.
struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    TRect() = default;
    TRect(int left, int top, int right, int bottom)
        : Left(left), Top(top), Right(right), Bottom(bottom) {}
    TRect(const RECT& r) : Left(r.left), Top(r.top), Right(r.right), Bottom(r.bottom) {}
    operator RECT() const { return RECT{Left, Top, Right, Bottom}; }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// A handler may set key to 0 to keep the key from the control.
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
// A handler may change key or set it to 0 to drop the character.
using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;
// The full paths of files dropped onto a control.
using TDropFilesEvent = std::function<void(TObject* sender, const std::vector<std::string>& paths)>;

// Binds an event to a method of an object, e.g. Label1->OnClick = Bind(this, &TForm1::LabelClick).
template <class C, class R, class... A>
std::function<R(A...)> Bind(C* object, R (C::*method)(A...))
{
    return [object, method](A... args) -> R { return (object->*method)(std::forward<A>(args)...); };
}
