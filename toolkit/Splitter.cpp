#include "toolkit/Splitter.h"

#include <windowsx.h>

#include <algorithm>

TSplitter::TSplitter(TComponent* owner) : TCustomControl(owner)
{
    CreateHandle(nullptr, WS_CHILD | WS_VISIBLE, 0);
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
    SetCursor(crHSplit);
}

TControl* TSplitter::ResizedControl() const
{
    if (!Parent()) return nullptr;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* control = Parent()->Controls(i);
        if (control != this && control->Align() == alLeft && control->Visible() &&
            control->BoundsRect().Right == Left())
            return control;
    }
    return nullptr;
}

bool TSplitter::MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    // The position in the parent's coordinates: the bar itself moves while it is dragged.
    auto parentX = [&] {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        MapWindowPoints(Handle(), Parent()->Handle(), &at, 1);
        return static_cast<int>(at.x);
    };
    switch (msg) {
    case WM_LBUTTONDOWN:
        dragged_ = ResizedControl();
        if (!dragged_) return false;
        grabX_ = parentX();
        startWidth_ = dragged_->Width();
        SetCapture(Handle());
        result = 0;
        return true;
    case WM_MOUSEMOVE: {
        if (!dragged_ || !(wParam & MK_LBUTTON)) return false;
        const int room = Parent()->ClientWidth() - Width() - MinSize;
        const int width = std::max(MinSize, std::min(room, startWidth_ + parentX() - grabX_));
        if (width != dragged_->Width()) dragged_->SetWidth(width);
        result = 0;
        return true;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
        if (!dragged_) return false;
        dragged_ = nullptr;
        if (msg == WM_LBUTTONUP) ReleaseCapture();
        result = 0;
        return true;
    }
    default:
        return TCustomControl::MessageMap(msg, wParam, lParam, result);
    }
}
