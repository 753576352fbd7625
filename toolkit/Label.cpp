#include "toolkit/Label.h"

#include "toolkit/Graphics.h"

#include <algorithm>

namespace {

// The right edge of the ink that one line of text leaves when drawn with the font
// selected into dc. The rasteriser may step glyphs wider than the advances DrawText
// measures with: Wine draws small hinted sizes with the advances of its monochrome
// glyphs, up to two pixels more per letter such as 'w'. Drawing the line once on a
// scratch bitmap is the only measure that agrees with what the label will show.
int InkRight(HDC dc, const std::string& text, int measuredWidth, int height)
{
    const int width = measuredWidth + measuredWidth / 2 + 16;
    DWORD* pixels = nullptr;
    HBITMAP bitmap = MakePixelBitmap(width, height, pixels);
    if (!bitmap) return measuredWidth;
    HDC scratch = CreateCompatibleDC(dc);
    HGDIOBJ oldBitmap = SelectObject(scratch, bitmap);
    HGDIOBJ oldFont = SelectObject(scratch, GetCurrentObject(dc, OBJ_FONT));
    RECT all{0, 0, width, height};
    FillRect(scratch, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(scratch, TRANSPARENT);
    SetTextColor(scratch, RGB(0, 0, 0));
    DrawTextA(scratch, text.c_str(), static_cast<int>(text.size()), &all, DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP);
    GdiFlush();
    int right = 0;
    for (int y = 0; y < height; ++y)
        for (int x = width - 1; x >= right; --x)
            if ((pixels[y * width + x] & 0xFFFFFF) != 0xFFFFFF) {
                right = x + 1;
                break;
            }
    SelectObject(scratch, oldFont);
    SelectObject(scratch, oldBitmap);
    DeleteDC(scratch);
    DeleteObject(bitmap);
    return std::max(right, measuredWidth);
}

}  // namespace

TLabel::TLabel(TComponent* owner) : TControl(owner)
{
    SetParentColor(true);
    CreateHandle("STATIC", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, 0);
    SetBounds(0, 0, 40, 13);
}

void TLabel::TextChanged()
{
    AdjustSize();
    Invalidate();
}

void TLabel::SetAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    AdjustSize();
}

void TLabel::SetTransparent(bool transparent)
{
    transparent_ = transparent;
    Invalidate();
}

void TLabel::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap)
{
    wordWrap_ = wordWrap;
    AdjustSize();
    Invalidate();
}

void TLabel::FontChanged()
{
    TControl::FontChanged();
    AdjustSize();
}

UINT TLabel::TextFormat() const
{
    // No prefix handling: captions hold paths and names in which '&' is a plain letter.
    UINT format = DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    if (alignment_ == taCenter) format |= DT_CENTER;
    if (alignment_ == taRightJustify) format |= DT_RIGHT;
    return format;
}

void TLabel::AdjustSize()
{
    if (!autoSize_ || !Handle()) return;
    std::string text = Caption();
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    DrawTextA(dc, text.empty() ? " " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()),
              &r, TextFormat() | DT_CALCRECT);
    int width = text.empty() ? 0 : r.right - r.left;
    if (!wordWrap_ && !text.empty()) {
        // Colour changes and repeated captions come here too: draw only for new text or type.
        InkKey key{text, Font()->Name(), Font()->Size(), Font()->Style()};
        if (!(key == inkKey_)) {
            inkWidth_ = InkRight(dc, text, width, r.bottom - r.top);
            inkKey_ = key;
        }
        width = inkWidth_;
    }
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    TRect bounds = BoundsRect();
    if (width != bounds.Width() || r.bottom != bounds.Height())
        SetBounds(bounds.Left, bounds.Top, wordWrap_ ? bounds.Width() : width, r.bottom - r.top);
}

void TLabel::DrawLabel(HDC dc, const RECT& client)
{
    if (transparent_) {
        PaintParentBackground(dc);
    } else {
        HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    }
    std::string text = Caption();
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    RECT r = client;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, TextFormat());
    SelectObject(dc, oldFont);
}

bool TLabel::ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        RECT client = draw->rcItem;
        int width = client.right - client.left, height = client.bottom - client.top;
        if (width <= 0 || height <= 0) return true;
        // Drawn off-screen first, so hover changes do not flicker.
        HDC memory = CreateCompatibleDC(draw->hDC);
        HBITMAP bitmap = CreateCompatibleBitmap(draw->hDC, width, height);
        HGDIOBJ old = SelectObject(memory, bitmap);
        DrawLabel(memory, RECT{0, 0, width, height});
        BitBlt(draw->hDC, client.left, client.top, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        result = TRUE;
        return true;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == STN_CLICKED && OnClick) OnClick(this);
        if (HIWORD(wParam) == STN_DBLCLK && OnDblClick) OnDblClick(this);
        return true;
    default:
        return false;
    }
}

bool TLabel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_ERASEBKGND) {
        result = 1;  // all painting happens in WM_DRAWITEM
        return true;
    }
    return TControl::WndProc(msg, wParam, lParam, result);
}
