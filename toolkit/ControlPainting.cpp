// How a control paints: through a memory picture, over its parent's colour and the siblings
// under it when it is transparent, and which windows a change makes paint again.
#include "toolkit/Controls.h"

#include <vector>

void TControl::PaintWindow()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    RECT client;
    GetClientRect(handle_, &client);
    if (client.right > 0 && client.bottom > 0) {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        Paint(memory, TRect(client));
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(handle_, &ps);
}

void TControl::Paint(HDC dc, const TRect& client)
{
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    RECT r = client;
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void TControl::PaintParentBackground(HDC dc)
{
    RECT client;
    GetClientRect(handle_, &client);
    TColor background = parent_ ? parent_->Color() : Color();
    HBRUSH brush = CreateSolidBrush(ColorToRGB(background));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    if (!parent_) return;
    // Siblings below this one in the z-order, bottom first.
    std::vector<TControl*> below;
    for (HWND w = GetWindow(handle_, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        TControl* sibling = FromHandle(w);
        if (sibling && sibling->parent_ == parent_ && sibling->Visible()) below.push_back(sibling);
    }
    TRect mine = BoundsRect();
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        TRect theirs = (*it)->BoundsRect();
        RECT a = mine, b = theirs, overlap;
        if (!IntersectRect(&overlap, &a, &b)) continue;
        POINT oldOrigin;
        SetViewportOrgEx(dc, theirs.Left - mine.Left, theirs.Top - mine.Top, &oldOrigin);
        (*it)->PaintUnder(dc);
        SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    }
}

void TControl::Invalidate()
{
    // A window that does not show has nothing to repaint, and it is painted whole when it
    // comes to show. Skipping it keeps a form that is being built from paying a round
    // trip to the Wine server for every change of every control.
    if (!handle_ || !Showing()) return;
    InvalidateRect(handle_, nullptr, TRUE);
    if (!parent_) return;
    // Transparent siblings above this control show it as their background. Walking the
    // z-order costs a server round trip per window, so first see whether any overlap.
    TRect mine = BoundsRect();
    auto overlaps = [&mine](TControl* other) {
        RECT a = mine, b = other->BoundsRect(), overlap;
        return IntersectRect(&overlap, &a, &b) != FALSE;
    };
    bool anyAbove = false;
    for (TControl* sibling : parent_->controls_)
        if (sibling != this && sibling->IsTransparent() && overlaps(sibling)) anyAbove = true;
    if (!anyAbove) return;
    for (HWND w = GetWindow(handle_, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        TControl* sibling = FromHandle(w);
        if (sibling && sibling->IsTransparent() && overlaps(sibling)) InvalidateRect(w, nullptr, TRUE);
    }
}

void TControl::Repaint()
{
    Invalidate();
    if (handle_) UpdateWindow(handle_);
}

void TRedrawHold::Begin(HWND window)
{
    if (count_++ == 0) SendMessageA(window, WM_SETREDRAW, FALSE, 0);
}

void TRedrawHold::End(HWND window)
{
    if (count_ > 0 && --count_ == 0) {
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    }
}
