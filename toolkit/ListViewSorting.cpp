// Sorting: the rows reordered by the program's comparison, and the arrow a column header
// shows for the order (the header's own where it draws one, else a bitmap of ours).
#include "toolkit/ListView.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <exception>

namespace {

// Version 6 of the common controls draws sort arrows itself (HDF_SORTUP/DOWN); older
// headers get a bitmap of ours. The program runs with version 6 by its manifest.
bool HeaderDrawsSortArrows()
{
    static int major = -1;
    if (major < 0) {
        major = 0;
        auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
            GetProcAddress(GetModuleHandleA("comctl32.dll"), "DllGetVersion"));
        DLLVERSIONINFO info{};
        info.cbSize = sizeof info;
        if (getVersion && SUCCEEDED(getVersion(&info))) major = static_cast<int>(info.dwMajorVersion);
    }
    return major >= 6;
}

}  // namespace

void TListColumn::SetSortOrder(TSortOrder order)
{
    sortOrder_ = order;
    ApplySortOrder();
}

void TListColumn::ApplySortOrder()
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(view_->Handle(), LVM_GETHEADER, 0, 0));
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    if (!header || !SendMessageA(header, HDM_GETITEMA, index_, reinterpret_cast<LPARAM>(&item))) return;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN | HDF_BITMAP | HDF_BITMAP_ON_RIGHT);
    if (HeaderDrawsSortArrows()) {
        if (sortOrder_ == soAscending) item.fmt |= HDF_SORTUP;
        if (sortOrder_ == soDescending) item.fmt |= HDF_SORTDOWN;
    } else {
        item.mask |= HDI_BITMAP;
        item.hbm = view_->SortArrow(sortOrder_);
        if (item.hbm) item.fmt |= HDF_BITMAP | HDF_BITMAP_ON_RIGHT;
    }
    SendMessageA(header, HDM_SETITEMA, index_, reinterpret_cast<LPARAM>(&item));
}

namespace {

int CALLBACK CompareItems(LPARAM a, LPARAM b, LPARAM context)
{
    auto* compare = reinterpret_cast<const TLVCompare*>(context);
    return (*compare)(reinterpret_cast<TListItem*>(a), reinterpret_cast<TListItem*>(b));
}

}  // namespace

void TListView::CustomSort(const TLVCompare& compare)
{
    // An exception must not unwind through the control's sort: keep the first one and
    // rethrow it after the control is done.
    std::exception_ptr failure;
    TLVCompare guarded = [&](TListItem* a, TListItem* b) {
        if (failure) return 0;
        try {
            return compare(a, b);
        } catch (...) {
            failure = std::current_exception();
            return 0;
        }
    };
    SendMessageA(Handle(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&guarded),
                 reinterpret_cast<LPARAM>(CompareItems));
    if (failure) std::rethrow_exception(failure);
}

void TListView::SetSortColumn(TListColumn* column, TSortOrder order)
{
    ClearSortOrders(column);
    if (column)
        column->SetSortOrder(order);
}

void TListView::ClearSortOrders(const TListColumn* keep)
{
    for (int i = 0; i < columns_.Count(); ++i)
        if (columns_[i] != keep)
            columns_[i]->SetSortOrder(soNone);
}

HBITMAP TListView::SortArrow(TSortOrder order)
{
    if (order == soNone) return nullptr;
    HBITMAP& arrow = sortArrows_[order == soAscending ? 0 : 1];
    if (arrow) return arrow;
    // A small filled triangle on the header's colour: point up for ascending.
    const int width = 9, height = 5;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    arrow = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldBitmap = SelectObject(dc, arrow);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_BTNSHADOW));
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    POINT up[3] = {{0, height - 1}, {width - 1, height - 1}, {width / 2, 0}};
    POINT down[3] = {{0, 0}, {width - 1, 0}, {width / 2, height - 1}};
    Polygon(dc, order == soAscending ? up : down, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return arrow;
}
