#include "toolkit/Panel.h"

TPanel::TPanel(TComponent* owner) : TCustomControl(owner)
{
    CreateHandle(nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel bevel)
{
    bevelOuter_ = bevel;
    Realign();
    Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel bevel)
{
    bevelInner_ = bevel;
    Realign();
    Invalidate();
}

void TPanel::SetBevelWidth(int width)
{
    bevelWidth_ = width;
    Realign();
    Invalidate();
}

void TPanel::SetBorderWidth(int width)
{
    borderWidth_ = width;
    Realign();
    Invalidate();
}

int TPanel::EdgeWidth() const
{
    return (bevelOuter_ != bvNone ? bevelWidth_ : 0) + borderWidth_ + (bevelInner_ != bvNone ? bevelWidth_ : 0);
}

void TPanel::AdjustClientRect(TRect& rect)
{
    int width = EdgeWidth();
    rect = TRect(rect.Left + width, rect.Top + width, rect.Right - width, rect.Bottom - width);
}

void TPanel::Paint(HDC dc, const TRect& client)
{
    TCustomControl::Paint(dc, client);
    RECT r = client;
    auto edge = [&](TPanelBevel bevel) {
        if (bevel == bvNone) return;
        for (int i = 0; i < bevelWidth_; ++i) {
            DrawEdge(dc, &r, bevel == bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
            InflateRect(&r, -1, -1);
        }
    };
    edge(bevelOuter_);
    InflateRect(&r, -borderWidth_, -borderWidth_);
    edge(bevelInner_);
    std::string caption = Caption();
    if (caption.empty()) return;
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}
