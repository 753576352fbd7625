// Dragging rows from one list view to another: the mouse is kept from the drag's start, the
// list view under it is asked whether it takes the rows, and a release drops them there.
#include "toolkit/ListView.h"

void TListView::BeginDrag()
{
    dragging_ = true;
    dragTarget_ = nullptr;
    dragAccepted_ = false;
    SetCapture(Handle());
}

TListView* TListView::ListViewAt(POINT& point) const
{
    POINT screen = point;
    ClientToScreen(Handle(), &screen);
    // A list's column header is a window of the control's own, inside the list.
    HWND window = WindowFromPoint(screen);
    while (window && !FromHandle(window))
        window = GetParent(window);
    auto* list = window ? dynamic_cast<TListView*>(FromHandle(window)) : nullptr;
    if (list) {
        point = screen;
        ScreenToClient(list->Handle(), &point);
    }
    return list;
}

void TListView::LeaveDragTarget(POINT point)
{
    auto* target = dragTarget_ ? dynamic_cast<TListView*>(FromHandle(dragTarget_)) : nullptr;
    dragTarget_ = nullptr;
    dragAccepted_ = false;
    if (!target || !target->OnDragOver)
        return;
    MapWindowPoints(Handle(), target->Handle(), &point, 1);
    bool accept = false;
    target->OnDragOver(target, this, point.x, point.y, dsDragLeave, accept);
}

void TListView::DragTo(POINT point)
{
    POINT there = point;
    TListView* target = ListViewAt(there);
    TDragState state = dsDragMove;
    if (!target || target->Handle() != dragTarget_) {
        LeaveDragTarget(point);
        state = dsDragEnter;
    }
    dragTarget_ = target ? target->Handle() : nullptr;
    bool accept = false;
    if (target && target->OnDragOver) {
        accept = true;
        target->OnDragOver(target, this, there.x, there.y, state, accept);
    }
    dragAccepted_ = accept;
    ::SetCursor(LoadCursorA(nullptr, accept ? IDC_ARROW : IDC_NO));
}

void TListView::EndDrag(bool drop, POINT point)
{
    if (!dragging_)
        return;
    if (drop)
        DragTo(point); // the release may come without a move to where it happens
    dragging_ = false;
    if (GetCapture() == Handle())
        ReleaseCapture();
    auto* target = dragTarget_ ? dynamic_cast<TListView*>(FromHandle(dragTarget_)) : nullptr;
    if (drop && dragAccepted_ && target) {
        dragTarget_ = nullptr;
        dragAccepted_ = false;
        MapWindowPoints(Handle(), target->Handle(), &point, 1);
        if (target->OnDragDrop)
            target->OnDragDrop(target, this, point.x, point.y);
    } else {
        LeaveDragTarget(point);
    }
    ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}
