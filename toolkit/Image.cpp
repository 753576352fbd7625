#include "toolkit/Image.h"

TImage::TImage(TComponent* owner) : TControl(owner)
{
    CreateHandle(nullptr, WS_CHILD | WS_VISIBLE, 0);
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this] { Invalidate(); };
}

void TImage::SetStretch(bool stretch)
{
    stretch_ = stretch;
    Invalidate();
}

void TImage::SetCenter(bool center)
{
    center_ = center;
    Invalidate();
}

void TImage::PaintUnder(HDC dc)
{
    if (picture_.Empty()) return;
    TRect client = ClientRect();
    if (stretch_) {
        picture_.Draw(dc, client, true);
        return;
    }
    int left = center_ ? (client.Width() - picture_.Width()) / 2 : 0;
    int top = center_ ? (client.Height() - picture_.Height()) / 2 : 0;
    // Clip to the control: an unstretched picture may be larger than it.
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    int hadClip = GetClipRgn(dc, clip);
    IntersectClipRect(dc, 0, 0, client.Width(), client.Height());
    picture_.Draw(dc, TRect(left, top, left + picture_.Width(), top + picture_.Height()), false);
    SelectClipRgn(dc, hadClip == 1 ? clip : nullptr);
    DeleteObject(clip);
}

void TImage::Paint(HDC dc, const TRect&)
{
    PaintParentBackground(dc);
    PaintUnder(dc);
}
