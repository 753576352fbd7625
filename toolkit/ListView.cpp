// The list view itself: its window and styles, colours and font, the row under a point, and
// the messages it turns into events (clicks, selection and check changes, a drag's start,
// column clicks) and handles while rows are dragged or the list changes size.
#include "toolkit/ListView.h"

#include "toolkit/ImageList.h"

#include <commctrl.h>
#include <windowsx.h>

// --- TListView -------------------------------------------------------------------------

TListView::TListView(TComponent* owner) : TWinControl(owner)
{
    // The image lists belong to TImageList objects, so the control must not destroy them.
    CreateHandle(WC_LISTVIEWA,
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_SINGLESEL,
                 WS_EX_CLIENTEDGE);
    SetBounds(0, 0, 250, 150);
    SetColor(clWindow);
}

TListView::~TListView()
{
    BeginDestroy();
    // The window's last messages still look at the items, so it goes first.
    DestroyHandle();
    items_.FreeAll();
    for (HBITMAP arrow : sortArrows_)
        if (arrow) DeleteObject(arrow);
}

bool TListView::ExStyle(DWORD bit) const
{
    return (SendMessageA(Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & bit) != 0;
}

void TListView::SetExStyle(DWORD bit, bool on)
{
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, bit, on ? bit : 0);
}

bool TListView::HasStyle(DWORD bit) const
{
    return (GetWindowLongA(Handle(), GWL_STYLE) & bit) != 0;
}

void TListView::SetStyle(DWORD bit, bool on)
{
    DWORD style = GetWindowLongA(Handle(), GWL_STYLE);
    style = on ? style | bit : style & ~bit;
    SetWindowLongA(Handle(), GWL_STYLE, static_cast<LONG>(style));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TListView::SetViewStyle(TViewStyle style)
{
    viewStyle_ = style;
    DWORD type = style == vsIcon ? LVS_ICON : style == vsSmallIcon ? LVS_SMALLICON
                                          : style == vsList        ? LVS_LIST
                                                                   : LVS_REPORT;
    DWORD bits = GetWindowLongA(Handle(), GWL_STYLE);
    SetWindowLongA(Handle(), GWL_STYLE, static_cast<LONG>((bits & ~LVS_TYPEMASK) | type));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TListView::SetSmallImages(TImageList* images) { smallImages_.Set(images); }

void TListView::ColorChanged()
{
    COLORREF color = ColorToRGB(Color());
    SendMessageA(Handle(), LVM_SETBKCOLOR, 0, color);
    SendMessageA(Handle(), LVM_SETTEXTBKCOLOR, 0, color);
    TWinControl::ColorChanged();
}

void TListView::FontChanged()
{
    SendMessageA(Handle(), LVM_SETTEXTCOLOR, 0, ColorToRGB(Font()->Color()));
    TWinControl::FontChanged();
}

int TListView::RowAt(int x, int y) const
{
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    return static_cast<int>(SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

bool TListView::ReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_NOTIFY) return false;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    switch (header->code) {
    case LVN_GETDISPINFOA:
        AnswerDisplayInfo(reinterpret_cast<NMLVDISPINFOA*>(lParam));
        result = 0;
        return true;
    case NM_CLICK:
        if (OnClick) OnClick(this);
        return false;
    case NM_DBLCLK:
        if (OnDblClick) OnDblClick(this);
        return false;
    case LVN_ITEMCHANGED: {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(lParam);
        if (OnSelectionChange && (change->uChanged & LVIF_STATE) &&
            ((change->uOldState ^ change->uNewState) & LVIS_SELECTED))
            OnSelectionChange(this);
        // A check box shows state picture 1 (clear) or 2 (ticked); 0 is a row still being made.
        const UINT before = (change->uOldState & LVIS_STATEIMAGEMASK) >> 12;
        const UINT after = (change->uNewState & LVIS_STATEIMAGEMASK) >> 12;
        if (OnItemChecked && settingState_ == 0 && !ownerData_ && (change->uChanged & LVIF_STATE) && before != 0 &&
            after != 0 && before != after && change->iItem >= 0 && change->iItem < items_.Count())
            OnItemChecked(this, items_.Item(change->iItem));
        return false;
    }
    case LVN_BEGINDRAG:
        if (dragMode_ == dmAutomatic && reinterpret_cast<NMLISTVIEW*>(lParam)->iItem >= 0)
            BeginDrag();
        return false;
    case LVN_COLUMNCLICK: {
        int column = reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem;
        if (OnColumnClick && column >= 0 && column < columns_.Count())
            OnColumnClick(this, columns_[column]);
        return false;
    }
    default:
        return false;
    }
}

// Mouse and keys while rows are dragged; the last column follows the list's width.
bool TListView::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (dragging_) {
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        switch (msg) {
        case WM_MOUSEMOVE:
            DragTo(point);
            // The control's own handling would take the held button for the start of a new drag.
            result = 0;
            return true;
        case WM_LBUTTONUP:
            EndDrag(true, point);
            break; // the control ends its own press too
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                POINT at{};
                GetCursorPos(&at);
                ScreenToClient(Handle(), &at);
                EndDrag(false, at);
                result = 0;
                return true; // not the form's Escape as well
            }
            break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Handle())
                EndDrag(false, POINT{-1, -1});
            break;
        default:
            break;
        }
    }
    if (msg == WM_SIZE && lastColumnFills_) {
        // The control takes its new size first; the column is measured against it.
        TWinControl::WndProc(msg, wParam, lParam, result);
        result = DefaultHandler(msg, wParam, lParam);
        FillLastColumn();
        return true;
    }
    return TWinControl::WndProc(msg, wParam, lParam, result);
}
