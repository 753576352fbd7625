#include "toolkit/Graphics.h"

#include <map>
#include <mutex>
#include <tuple>

COLORREF ColorToRGB(TColor color)
{
    if (color & clSystemColor) return GetSysColor(color & 0xFF);
    return static_cast<COLORREF>(color) & 0xFFFFFF;
}

// --- TFont ------------------------------------------------------------------------------

namespace {

// Fonts of the same description share one HFONT: a form's controls nearly all use the
// same font, and each control asks for its handle when it is made and again whenever it
// takes its parent's font.
struct SharedFont {
    HFONT handle;
    int users;
};

using FontKey = std::tuple<std::string, int, TFontStyles>;

// Canvases may be drawn on outside the window thread. Lock and table live on (fonts of
// static objects are released after static destruction has begun).
std::mutex& SharedFontsLock()
{
    static auto* lock = new std::mutex;
    return *lock;
}

std::map<FontKey, SharedFont>& SharedFonts()
{
    static auto* fonts = new std::map<FontKey, SharedFont>;
    return *fonts;
}

int ScreenPixelsPerInch()
{
    static int pixels = [] {
        HDC screen = GetDC(nullptr);
        int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value;
    }();
    return pixels;
}

HFONT AcquireFont(const std::string& name, int size, TFontStyles style)
{
    std::lock_guard<std::mutex> hold(SharedFontsLock());
    SharedFont& shared = SharedFonts()[FontKey(name, size, style)];
    if (!shared.handle) {
        LOGFONTA lf{};
        lf.lfHeight = -MulDiv(size, ScreenPixelsPerInch(), 72);
        lf.lfWeight = (style & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynA(lf.lfFaceName, name.c_str(), LF_FACESIZE);
        shared.handle = CreateFontIndirectA(&lf);
    }
    ++shared.users;
    return shared.handle;
}

void ReleaseFont(const std::string& name, int size, TFontStyles style)
{
    std::lock_guard<std::mutex> hold(SharedFontsLock());
    auto& fonts = SharedFonts();
    auto it = fonts.find(FontKey(name, size, style));
    if (it == fonts.end() || --it->second.users > 0) return;
    if (it->second.handle) DeleteObject(it->second.handle);
    fonts.erase(it);
}

}  // namespace

TFont::TFont() = default;

TFont::~TFont()
{
    ReleaseHandle();
}

void TFont::ReleaseHandle() const
{
    if (!handle_) return;
    ReleaseFont(handleName_, handleSize_, handleStyle_);
    handle_ = nullptr;
}

void TFont::Changed()
{
    ReleaseHandle();
    if (OnChange) OnChange();
}

void TFont::SetName(const std::string& name)
{
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetSize(int points)
{
    if (points == size_) return;
    size_ = points;
    Changed();
}

void TFont::SetColor(TColor color)
{
    if (color == color_) return;
    color_ = color;
    // The HFONT does not carry the colour; only the owner needs to know.
    if (OnChange) OnChange();
}

void TFont::SetStyle(TFontStyles style)
{
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::Assign(const TFont& other)
{
    if (&other == this) return;
    name_ = other.name_;
    size_ = other.size_;
    color_ = other.color_;
    style_ = other.style_;
    Changed();
}

HFONT TFont::Handle() const
{
    if (!handle_) {
        handle_ = AcquireFont(name_, size_, style_);
        handleName_ = name_;
        handleSize_ = size_;
        handleStyle_ = style_;
    }
    return handle_;
}

// --- TCanvas ----------------------------------------------------------------------------

void TCanvas::SetHandle(HDC dc)
{
    if (dc_ && oldFont_) SelectObject(dc_, oldFont_);
    oldFont_ = nullptr;
    dc_ = dc;
}

void TCanvas::PrepareText()
{
    HGDIOBJ previous = SelectObject(dc_, Font.Handle());
    if (!oldFont_) oldFont_ = previous;
    SetTextColor(dc_, ColorToRGB(Font.Color()));
    if (Brush.Style == bsClear) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(Brush.Color));
    }
}

void TCanvas::FillRect(const TRect& rect)
{
    if (!dc_ || Brush.Style == bsClear) return;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Brush.Color));
    RECT r = rect;
    ::FillRect(dc_, &r, brush);
    DeleteObject(brush);
}

void TCanvas::TextOut(int x, int y, const std::string& text)
{
    if (!dc_) return;
    PrepareText();
    ::TextOutA(dc_, x, y, text.c_str(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text)
{
    if (!dc_) return;
    PrepareText();
    RECT r = rect;
    UINT options = ETO_CLIPPED | (Brush.Style == bsClear ? 0 : ETO_OPAQUE);
    ExtTextOutA(dc_, x, y, options, &r, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::TextWidth(const std::string& text)
{
    if (!dc_) return 0;
    PrepareText();
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int TCanvas::TextHeight(const std::string& text)
{
    if (!dc_) return 0;
    PrepareText();
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.empty() ? "Wg" : text.c_str(),
                          text.empty() ? 2 : static_cast<int>(text.size()), &size);
    return size.cy;
}

// --- TPicture ---------------------------------------------------------------------------

void TPicture::Changed()
{
    if (OnChange) OnChange();
}

void TPicture::Clear()
{
    if (bitmap_) DeleteObject(bitmap_);
    if (icon_) DestroyIcon(icon_);
    bitmap_ = nullptr;
    icon_ = nullptr;
}

void TPicture::SetBitmap(HBITMAP bitmap)
{
    if (bitmap == bitmap_) return;
    Clear();
    bitmap_ = bitmap;
    Changed();
}

void TPicture::SetIcon(HICON icon)
{
    if (icon == icon_) return;
    Clear();
    icon_ = icon;
    Changed();
}

void TPicture::Assign(const TPicture& other)
{
    if (&other == this) return;
    Clear();
    if (other.bitmap_)
        bitmap_ = static_cast<HBITMAP>(CopyImage(other.bitmap_, IMAGE_BITMAP, 0, 0, 0));
    else if (other.icon_)
        icon_ = CopyIcon(other.icon_);
    Changed();
}

// The picture's size; a monochrome icon keeps its AND and XOR masks stacked in one
// bitmap, so its height is half the bitmap's.
SIZE TPicture::Size() const
{
    if (bitmap_) {
        BITMAP info{};
        GetObjectA(bitmap_, sizeof info, &info);
        return SIZE{info.bmWidth, info.bmHeight};
    }
    if (icon_) {
        ICONINFO info{};
        if (!GetIconInfo(icon_, &info)) return SIZE{0, 0};
        BITMAP bm{};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        return SIZE{bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
    }
    return SIZE{0, 0};
}

int TPicture::Width() const { return Size().cx; }

int TPicture::Height() const { return Size().cy; }

void TPicture::Draw(HDC dc, const TRect& dest, bool stretch) const
{
    int width = stretch ? dest.Width() : Width();
    int height = stretch ? dest.Height() : Height();
    if (bitmap_) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap_);
        if (stretch) {
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, dest.Left, dest.Top, width, height, source, 0, 0, Width(), Height(),
                       SRCCOPY);
        } else {
            BitBlt(dc, dest.Left, dest.Top, width, height, source, 0, 0, SRCCOPY);
        }
        SelectObject(source, old);
        DeleteDC(source);
    } else if (icon_) {
        DrawIconEx(dc, dest.Left, dest.Top, icon_, width, height, 0, nullptr, DI_NORMAL);
    }
}

// --- self-drawn bitmaps ------------------------------------------------------------------

HBITMAP MakeSolidBitmap(int width, int height, TColor color)
{
    return MakeGradientBitmap(width, height, color, color, true);
}

HBITMAP MakePixelBitmap(int width, int height, DWORD*& pixels)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels = static_cast<DWORD*>(bits);
    return bitmap;
}

HBITMAP MakeGradientBitmap(int width, int height, TColor from, TColor to, bool vertical)
{
    if (width <= 0 || height <= 0) return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF a = ColorToRGB(from), b = ColorToRGB(to);
    int steps = vertical ? height : width;
    for (int i = 0; i < steps; ++i) {
        auto mix = [&](int ca, int cb) { return steps > 1 ? ca + (cb - ca) * i / (steps - 1) : ca; };
        HBRUSH brush = CreateSolidBrush(RGB(mix(GetRValue(a), GetRValue(b)),
                                            mix(GetGValue(a), GetGValue(b)),
                                            mix(GetBValue(a), GetBValue(b))));
        RECT line = vertical ? RECT{0, i, width, i + 1} : RECT{i, 0, i + 1, height};
        FillRect(dc, &line, brush);
        DeleteObject(brush);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}
