// Which rows are selected, focused and ticked: asked and set through an item, through the
// list view, or by row index (the only way in a virtual list).
#include "toolkit/ListView.h"

#include <commctrl.h>

#include <vector>

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
