#include "toolkit/GroupBox.h"

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner)
{
    SetParentColor(true);
    CreateHandle(nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    SetBounds(0, 0, 185, 105);
}

int TGroupBox::CaptionHeight() const
{
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, const_cast<TGroupBox*>(this)->Font()->Handle());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    return metrics.tmHeight;
}

void TGroupBox::AdjustClientRect(TRect& rect)
{
    rect = TRect(rect.Left + 2, rect.Top + CaptionHeight(), rect.Right - 2, rect.Bottom - 2);
}

void TGroupBox::FontChanged()
{
    TCustomControl::FontChanged();
    Realign();
}

void TGroupBox::Paint(HDC dc, const TRect& client)
{
    TCustomControl::Paint(dc, client);
    int textHeight = CaptionHeight();
    RECT frame = client;
    frame.top += textHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    std::string caption = Caption();
    if (caption.empty()) return;
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    // The caption interrupts the top edge: drawn on the control's colour.
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, ColorToRGB(Color()));
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    RECT text{client.Left + 8, client.Top, client.Right - 8, client.Top + textHeight};
    DrawTextA(dc, (" " + caption + " ").c_str(), -1, &text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}
