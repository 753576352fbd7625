// Fonts, brushes, a light canvas over a device context, and pictures (a bitmap or an
// icon) with a few helpers that draw the program's own bitmaps.
#pragma once

#include "toolkit/Classes.h"

#include <functional>
#include <string>

using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// A font description that gets its HFONT when asked and again after each change. Fonts
// of the same name, size and style share one HFONT (do not delete it).
class TFont : public TObject {
public:
    TFont();
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    int Size() const { return size_; }  // points
    void SetSize(int points);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    void Assign(const TFont& other);

    HFONT Handle() const;

    // Told after every change (the owning control repaints or re-measures).
    std::function<void()> OnChange;

private:
    void Changed();
    void ReleaseHandle() const;

    std::string name_ = "Tahoma";
    int size_ = 8;
    TColor color_ = clWindowText;
    TFontStyles style_ = 0;
    // The shared handle and the description it was made for.
    mutable HFONT handle_ = nullptr;
    mutable std::string handleName_;
    mutable int handleSize_ = 0;
    mutable TFontStyles handleStyle_ = 0;
};

enum TBrushStyle { bsSolid, bsClear };

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

// Drawing on a device context that someone else owns (a paint or draw-item message).
class TCanvas : public TObject {
public:
    TCanvas() = default;
    ~TCanvas() override { SetHandle(nullptr); }
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }
    // Starts drawing on dc; nullptr ends it and gives the context its font back.
    void SetHandle(HDC dc);

    TBrush Brush;
    TFont Font;

    void FillRect(const TRect& rect);
    void TextOut(int x, int y, const std::string& text);
    // Text at (x, y), clipped to rect; the rect is filled with the brush unless it is bsClear.
    void TextRect(const TRect& rect, int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);

private:
    void PrepareText();

    HDC dc_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};

// A bitmap or an icon, owned by the picture.
class TPicture : public TObject {
public:
    TPicture() = default;
    ~TPicture() override { Clear(); }
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // Takes ownership of the handle.
    void SetBitmap(HBITMAP bitmap);
    void SetIcon(HICON icon);
    // Makes this picture a copy of other's.
    void Assign(const TPicture& other);
    void Clear();

    HBITMAP Bitmap() const { return bitmap_; }
    HICON Icon() const { return icon_; }
    bool Empty() const { return !bitmap_ && !icon_; }
    int Width() const;
    int Height() const;
    SIZE Size() const;

    // Draws into dest: stretched to it, or at its top left in natural size.
    void Draw(HDC dc, const TRect& dest, bool stretch) const;

    std::function<void()> OnChange;

private:
    void Changed();

    HBITMAP bitmap_ = nullptr;
    HICON icon_ = nullptr;
};

// Bitmaps the program draws itself instead of shipping them.
HBITMAP MakeSolidBitmap(int width, int height, TColor color);
// A gradient from one colour to another, top to bottom or left to right.
HBITMAP MakeGradientBitmap(int width, int height, TColor from, TColor to, bool vertical);
// A 32-bit bitmap whose pixels (0x00RRGGBB, top row first) the caller reads and writes
// through pixels, after GdiFlush when GDI drew on it; nullptr when it cannot be made.
HBITMAP MakePixelBitmap(int width, int height, DWORD*& pixels);
