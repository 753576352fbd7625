// Where a control sits: its bounds in its parent, and how a parent lines up the controls
// that are aligned to its edges.
#include "toolkit/Controls.h"

#include <algorithm>
#include <vector>

TRect TControl::BoundsRect() const
{
    if (!handle_) return TRect();
    RECT r;
    if (!(GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) && IsIconic(handle_)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(handle_, &placement);
        return TRect(placement.rcNormalPosition);
    }
    GetWindowRect(handle_, &r);
    if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r);
}

TRect TControl::ClientRect() const
{
    RECT r{};
    if (handle_) GetClientRect(handle_, &r);
    return TRect(r);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    MoveWindowTo(TRect(left, top, left + std::max(width, 0), top + std::max(height, 0)));
    RequestRealign();
}

void TControl::SetBoundsFromAlign(const TRect& rect)
{
    MoveWindowTo(TRect(rect.Left, rect.Top, rect.Left + std::max(rect.Width(), 0),
                       rect.Top + std::max(rect.Height(), 0)));
}

void TControl::MoveWindowTo(const TRect& rect)
{
    // A child already in place is left alone: each SetWindowPos is a round trip to the
    // Wine server and a handful of messages, and lining up a parent's controls again
    // mostly puts them where they are. (A form is always moved: a minimised one reports
    // its restored place.)
    if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) {
        TRect now = BoundsRect();
        if (now.Left == rect.Left && now.Top == rect.Top && now.Right == rect.Right &&
            now.Bottom == rect.Bottom)
            return;
    }
    SetWindowPos(handle_, nullptr, rect.Left, rect.Top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::SetLeft(int left)
{
    TRect r = BoundsRect();
    SetBounds(left, r.Top, r.Width(), r.Height());
}

void TControl::SetTop(int top)
{
    TRect r = BoundsRect();
    SetBounds(r.Left, top, r.Width(), r.Height());
}

void TControl::SetWidth(int width)
{
    TRect r = BoundsRect();
    SetBounds(r.Left, r.Top, width, r.Height());
}

void TControl::SetHeight(int height)
{
    TRect r = BoundsRect();
    SetBounds(r.Left, r.Top, r.Width(), height);
}

void TControl::SetAlign(TAlign align)
{
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->Realign();
}

void TControl::RequestRealign()
{
    if (parent_ && align_ != alNone && !parent_->aligning_) parent_->Realign();
}

void TWinControl::Realign()
{
    if (aligning_ || Destroying() || !Handle()) return;
    aligning_ = true;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(rect);
    aligning_ = false;
}

void TWinControl::AlignControls(TRect& rect)
{
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> group;
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible()) group.push_back(c);
        // Controls of one kind stack in the order of their present positions.
        std::stable_sort(group.begin(), group.end(), [align](TControl* a, TControl* b) {
            TRect ra = a->BoundsRect(), rb = b->BoundsRect();
            switch (align) {
            case alTop: return ra.Top < rb.Top;
            case alBottom: return ra.Bottom > rb.Bottom;
            case alLeft: return ra.Left < rb.Left;
            case alRight: return ra.Right > rb.Right;
            default: return false;
            }
        });
        for (TControl* c : group) {
            int w = c->Width(), h = c->Height();
            switch (align) {
            case alTop:
                c->SetBoundsFromAlign(TRect(rect.Left, rect.Top, rect.Right, rect.Top + h));
                rect.Top += h;
                break;
            case alBottom:
                c->SetBoundsFromAlign(TRect(rect.Left, rect.Bottom - h, rect.Right, rect.Bottom));
                rect.Bottom -= h;
                break;
            case alLeft:
                c->SetBoundsFromAlign(TRect(rect.Left, rect.Top, rect.Left + w, rect.Bottom));
                rect.Left += w;
                break;
            case alRight:
                c->SetBoundsFromAlign(TRect(rect.Right - w, rect.Top, rect.Right, rect.Bottom));
                rect.Right -= w;
                break;
            default:
                c->SetBoundsFromAlign(rect);
                break;
            }
        }
    }
}
