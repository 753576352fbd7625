#include "toolkit/ScrollBox.h"

#include <algorithm>

TScrollBox::TScrollBox(TComponent* owner) : TCustomControl(owner)
{
    CreateHandle(nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL, WS_EX_CONTROLPARENT);
    SetBounds(0, 0, 185, 41);
    content_ = new TPanel(this);
    content_->SetParent(this);
    content_->SetBevelOuter(bvNone);
    content_->SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetContentHeight(int height)
{
    content_->SetBounds(0, -position_, ClientWidth(), height);
    UpdateBar();
}

void TScrollBox::ScrollTo(int position)
{
    const int most = std::max(0, content_->Height() - ClientHeight());
    position_ = std::clamp(position, 0, most);
    content_->SetBounds(0, -position_, ClientWidth(), content_->Height());
    UpdateBar();
}

void TScrollBox::UpdateBar()
{
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, content_->Height() - 1);
    info.nPage = static_cast<UINT>(std::max(0, ClientHeight()));
    info.nPos = position_;
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
}

bool TScrollBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_VSCROLL) {
        int position = position_;
        switch (LOWORD(wParam)) {
        case SB_LINEUP: position -= 16; break;
        case SB_LINEDOWN: position += 16; break;
        case SB_PAGEUP: position -= ClientHeight(); break;
        case SB_PAGEDOWN: position += ClientHeight(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(Handle(), SB_VERT, &info);
            position = info.nTrackPos;
            break;
        }
        default: break;
        }
        ScrollTo(position);
        result = 0;
        return true;
    }
    if (msg == WM_MOUSEWHEEL) {
        ScrollTo(position_ - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 48);
        result = 0;
        return true;
    }
    return TCustomControl::WndProc(msg, wParam, lParam, result);
}
