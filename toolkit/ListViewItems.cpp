// A list's items: the objects behind the rows, which row each one is in, and adding,
// inserting and deleting them. The control keeps a pointer to its item in every row.
#include "toolkit/ListView.h"

#include <commctrl.h>

#include <stdexcept>

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
