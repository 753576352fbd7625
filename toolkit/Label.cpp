#include "toolkit/Label.h"

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
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    int width = text.empty() ? 0 : r.right - r.left;
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
