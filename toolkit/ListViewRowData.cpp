// Where a row's texts and picture come from when the control paints it: the row's item, or
// in a virtual list (OwnerData) an item OnData fills for that row on demand.
#include "toolkit/ListView.h"

#include <commctrl.h>

#include <memory>

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
