#include "toolkit/ListView.h"

#include "toolkit/ImageList.h"

#include <commctrl.h>

#include <exception>
#include <stdexcept>

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
    width_ = width;
    SendMessageA(view_->Handle(), LVM_SETCOLUMNWIDTH, index_, width);
}

void TListColumn::SetAlignment(TAlignment alignment)
{
    alignment_ = alignment;
    width_ = Width();
    Apply();
}

TListColumn* TListColumns::Add()
{
    int index = Count();
    columns_.push_back(std::make_unique<TListColumn>(view_, index));
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.pszText = const_cast<char*>("");
    column.cx = 50;
    column.fmt = LVCFMT_LEFT;
    SendMessageA(view_->Handle(), LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
    return columns_.back().get();
}

// --- TListItem -------------------------------------------------------------------------

TListItem::TListItem(TListView* view) : view_(view)
{
    subItems_.OnChange = [this](TObject*) { Redraw(); };
}

void TListItem::Redraw()
{
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
    SendMessageA(view_->Handle(), LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item));
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
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!SendMessageA(view_->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    auto* object = reinterpret_cast<TListItem*>(item.lParam);
    if (object) object->indexHint_ = index;
    return object;
}

void TListItems::BeginUpdate()
{
    if (updateCount_++ == 0) SendMessageA(view_->Handle(), WM_SETREDRAW, FALSE, 0);
}

void TListItems::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0) {
        SendMessageA(view_->Handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(view_->Handle(), nullptr, TRUE);
    }
}

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

void TListView::SetSmallImages(TImageList* images)
{
    smallImages_ = images;
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL,
                 reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

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
    if (param) return reinterpret_cast<TListItem*>(param);
    return items_.Item(row);
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
