// A list's columns: their captions, widths and alignment in the control's header, the
// width a text needs in a cell, and the last column that fills the room the others leave.
#include "toolkit/ListView.h"

#include <commctrl.h>

#include <algorithm>

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
