#include "toolkit/ListView.h"

#include "toolkit/ImageList.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <stdexcept>

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

// --- TListColumn -----------------------------------------------------------------------

void TListColumn::Apply()
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = const_cast<char*>(caption_.c_str());
    column.cx = width_;
    column.fmt = alignment_ == taRightJustify ? LVCFMT_RIGHT
                 : alignment_ == taCenter     ? LVCFMT_CENTER
                                              : LVCFMT_LEFT;
    SendMessageA(view_->Handle(), LVM_SETCOLUMNA, index_, reinterpret_cast<LPARAM>(&column));
    ApplySortOrder();
}

void TListColumn::Insert()
{
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = const_cast<char*>("");
    column.cx = width_;
    column.fmt = LVCFMT_LEFT;
    SendMessageA(view_->Handle(), LVM_INSERTCOLUMNA, index_, reinterpret_cast<LPARAM>(&column));
    Apply();
}

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

void TListColumn::SetCaption(const std::string& caption)
{
    caption_ = caption;
    width_ = Width();
    Apply();
}

int TListColumn::Width() const
{
    return static_cast<int>(SendMessageA(view_->Handle(), LVM_GETCOLUMNWIDTH, index_, 0));
}

void TListColumn::SetWidth(int width)
{
    width_ = std::max(width, minWidth_);
    SendMessageA(view_->Handle(), LVM_SETCOLUMNWIDTH, index_, width_);
    if (index_ + 1 < view_->columns_.Count()) view_->FillLastColumn();
}

void TListColumn::SetMinWidth(int width)
{
    minWidth_ = width;
    if (Width() < width) SetWidth(width);
}

void TListColumn::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    width_ = Width();
    Apply();
}

TListColumn* TListColumns::Add()
{
    columns_.push_back(std::make_unique<TListColumn>(view_, Count()));
    columns_.back()->Insert();
    return columns_.back().get();
}

// --- TListItem -------------------------------------------------------------------------

TListItem::TListItem(TListView* view) : view_(view)
{
    subItems_.OnChange = [this](TObject*) { Redraw(); };
}

void TListItem::Redraw()
{
    // An item of a virtual list is being filled for the control, which is painting it.
    if (view_->OwnerData()) return;
    int index = Index();
    if (index >= 0) SendMessageA(view_->Handle(), LVM_REDRAWITEMS, index, index);
}

void TListItem::SetCaption(const std::string& caption)
{
    caption_ = caption;
    Redraw();
}

void TListItem::SetImageIndex(int index)
{
    imageIndex_ = index;
    Redraw();
}

int TListItem::Index() const
{
    if (view_->OwnerData()) return indexHint_;
    HWND list = view_->Handle();
    if (indexHint_ >= 0) {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = indexHint_;
        if (SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) &&
            item.lParam == reinterpret_cast<LPARAM>(this))
            return indexHint_;
    }
    LVFINDINFOA find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(this);
    indexHint_ = static_cast<int>(SendMessageA(list, LVM_FINDITEMA, -1, reinterpret_cast<LPARAM>(&find)));
    return indexHint_;
}

bool TListItem::State(UINT mask) const
{
    int index = Index();
    if (index < 0) return false;
    return (SendMessageA(view_->Handle(), LVM_GETITEMSTATE, index, mask) & mask) != 0;
}

void TListItem::SetState(UINT state, UINT mask)
{
    int index = Index();
    if (index < 0) return;
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    ++view_->settingState_;
    SendMessageA(view_->Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
    --view_->settingState_;
}

bool TListItem::Checked() const
{
    int index = Index();
    if (index < 0) return false;
    UINT state = static_cast<UINT>(SendMessageA(view_->Handle(), LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK));
    // State image 2 is the checked box, 1 the empty one.
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void TListItem::SetChecked(bool checked)
{
    SetState(INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

bool TListItem::Selected() const
{
    return State(LVIS_SELECTED);
}

void TListItem::SetSelected(bool selected)
{
    SetState(selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

bool TListItem::Focused() const
{
    return State(LVIS_FOCUSED);
}

void TListItem::SetFocused(bool focused)
{
    SetState(focused ? LVIS_FOCUSED : 0, LVIS_FOCUSED);
}

void TListItem::MakeVisible()
{
    int index = Index();
    if (index >= 0) SendMessageA(view_->Handle(), LVM_ENSUREVISIBLE, index, FALSE);
}

void TListItem::Delete()
{
    view_->Items()->Delete(Index());
}

// --- TListItems ------------------------------------------------------------------------

TListItems::~TListItems()
{
    FreeAll();
}

void TListItems::FreeAll()
{
    for (TListItem* item : owned_) delete item;
    owned_.clear();
}

int TListItems::Count() const
{
    return static_cast<int>(SendMessageA(view_->Handle(), LVM_GETITEMCOUNT, 0, 0));
}

TListItem* TListItems::Add()
{
    return Insert(Count());
}

TListItem* TListItems::Insert(int index)
{
    if (view_->OwnerData()) throw std::logic_error("The rows of a virtual list come from OnData");
    auto* object = new TListItem(view_);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.iImage = I_IMAGECALLBACK;
    item.lParam = reinterpret_cast<LPARAM>(object);
    int row = static_cast<int>(SendMessageA(view_->Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) {
        delete object;
        throw std::runtime_error("Cannot add a list item");
    }
    owned_.insert(object);
    object->indexHint_ = row;
    return object;
}

void TListItems::Delete(int index)
{
    if (view_->OwnerData()) throw std::logic_error("The rows of a virtual list come from OnData");
    TListItem* object = Item(index);
    if (!object) throw std::out_of_range("List index out of bounds");
    SendMessageA(view_->Handle(), LVM_DELETEITEM, index, 0);
    owned_.erase(object);
    delete object;
}

void TListItems::Clear()
{
    SendMessageA(view_->Handle(), LVM_DELETEALLITEMS, 0, 0);
    FreeAll();
}

TListItem* TListItems::Item(int index) const
{
    if (view_->OwnerData()) return view_->DataItem(index);
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageA(view_->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    auto* object = reinterpret_cast<TListItem*>(item.lParam);
    if (object) object->indexHint_ = index;
    return object;
}

void TListItems::BeginUpdate() { redrawHold_.Begin(view_->Handle()); }

void TListItems::EndUpdate() { redrawHold_.End(view_->Handle()); }

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

TListItem* TListView::Selected() const
{
    return GetNextItem(nullptr, LVNI_SELECTED);
}

void TListView::SetSelected(TListItem* item)
{
    ClearSelection();
    if (item) {
        item->SetSelected(true);
        item->SetFocused(true);
    }
}

int TListView::SelCount() const
{
    return static_cast<int>(SendMessageA(Handle(), LVM_GETSELECTEDCOUNT, 0, 0));
}

TListItem* TListView::ItemFocused() const
{
    return GetNextItem(nullptr, LVNI_FOCUSED);
}

TListItem* TListView::GetNextItem(TListItem* start, UINT states) const
{
    int from = start ? start->Index() : -1;
    int row = static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, from, states | LVNI_ALL));
    return row < 0 ? nullptr : items_.Item(row);
}

void TListView::SelectAll()
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = LVIS_SELECTED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, -1, reinterpret_cast<LPARAM>(&item));
}

void TListView::ClearSelection()
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendMessageA(Handle(), LVM_SETITEMSTATE, -1, reinterpret_cast<LPARAM>(&item));
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

TListItem* TListView::ItemOfRow(int row, LPARAM param) const
{
    if (ownerData_) return DataItem(row);
    if (param) return reinterpret_cast<TListItem*>(param);
    return items_.Item(row);
}

TListItem* TListView::DataItem(int row) const
{
    if (row < 0 || row >= items_.Count()) return nullptr;
    auto* self = const_cast<TListView*>(this);
    if (!dataItem_) self->dataItem_ = std::make_unique<TListItem>(self);
    TListItem& item = *dataItem_;
    item.caption_.clear();
    item.subItems_.Clear();
    item.imageIndex_ = -1;
    item.data_ = nullptr;
    item.indexHint_ = row;
    if (OnData) OnData(self, row, item);
    return &item;
}

void TListView::SetOwnerData(bool ownerData)
{
    if (ownerData == ownerData_) return;
    items_.Clear();
    // The control reads LVS_OWNERDATA only when it is made: make it again as it was.
    for (int i = 0; i < columns_.Count(); ++i) columns_[i]->width_ = columns_[i]->Width();
    DWORD exStyle = static_cast<DWORD>(SendMessageA(Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    DWORD style = GetWindowLongA(Handle(), GWL_STYLE);
    style = ownerData ? style | LVS_OWNERDATA : style & ~LVS_OWNERDATA;
    ownerData_ = ownerData;
    RecreateHandle(style, GetWindowLongA(Handle(), GWL_EXSTYLE));
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle);
    for (int i = 0; i < columns_.Count(); ++i) columns_[i]->Insert();
    smallImages_.HandOver();
}

void TListView::SetItemCount(int count)
{
    SendMessageA(Handle(), LVM_SETITEMCOUNT, count, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

int TListView::ItemIndex() const
{
    return static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, -1, LVNI_SELECTED | LVNI_ALL));
}

void TListView::SetItemIndex(int index)
{
    ClearSelection();
    if (index < 0) return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = item.stateMask;
    SendMessageA(Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

bool TListView::IsSelected(int index) const
{
    return (SendMessageA(Handle(), LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void TListView::SetSelected(int index, bool selected)
{
    if (index < 0) return;  // -1 would mean every row to the control
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
}

std::vector<int> TListView::SelectedIndices() const
{
    std::vector<int> rows;
    for (int row = -1;;) {
        row = static_cast<int>(SendMessageA(Handle(), LVM_GETNEXTITEM, row, LVNI_SELECTED | LVNI_ALL));
        if (row < 0) return rows;
        rows.push_back(row);
    }
}

void TListView::SetSortColumn(TListColumn* column, TSortOrder order)
{
    for (int i = 0; i < columns_.Count(); ++i)
        columns_[i]->SetSortOrder(columns_[i] == column ? order : soNone);
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

int TListView::CellWidth(const std::vector<std::string>& texts) const
{
    // A cell leaves 6 pixels free on either side of its text, and so does a header item.
    constexpr int margins = 12;
    int widest = 0;
    for (const std::string& text : texts)
        widest = std::max(widest, static_cast<int>(SendMessageA(Handle(), LVM_GETSTRINGWIDTHA, 0,
                                                                reinterpret_cast<LPARAM>(text.c_str()))));
    return widest + margins;
}

int TListView::RowAt(int x, int y) const
{
    LVHITTESTINFO hit{};
    hit.pt = {x, y};
    return static_cast<int>(SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TListView::SetLastColumnFills(bool on)
{
    lastColumnFills_ = on;
    FillLastColumn();
}

void TListView::FillLastColumn()
{
    if (!lastColumnFills_ || columns_.Count() == 0) return;
    RECT client;
    GetClientRect(Handle(), &client);
    int room = client.right - client.left;
    for (int i = 0; i + 1 < columns_.Count(); ++i)
        room -= columns_[i]->Width();
    TListColumn* last = columns_[columns_.Count() - 1];
    const int width = std::max(room, CellWidth({last->Caption()}));
    if (width != last->Width()) last->SetWidth(width);
}

void TListView::AnswerDisplayInfo(NMLVDISPINFOA* info) const
{
    LVITEMA& asked = info->item;
    TListItem* item = ItemOfRow(asked.iItem, asked.lParam);
    if (!item) return;
    if (asked.mask & LVIF_TEXT && asked.pszText && asked.cchTextMax > 0) {
        const std::string* text = nullptr;
        if (asked.iSubItem == 0)
            text = &item->Caption();
        else if (asked.iSubItem - 1 < item->SubItems()->Count())
            text = &item->SubItems()->Strings(asked.iSubItem - 1);
        lstrcpynA(asked.pszText, text ? text->c_str() : "", asked.cchTextMax);
    }
    if (asked.mask & LVIF_IMAGE) asked.iImage = asked.iSubItem == 0 ? item->ImageIndex() : -1;
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

// --- Dragging rows ---------------------------------------------------------------------

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
