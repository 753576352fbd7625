// TListView: the list-view control (report view by default) with columns, check boxes
// and items. An item's texts and picture live in its TListItem object and the control
// asks for them when it paints (text and image callbacks); check marks and selection
// live in the control. Rows keep a pointer to their TListItem, so sorting the control
// keeps rows and objects together. The list view owns its items.
//
// With OwnerData the list is virtual: the program keeps the rows' data, sets only their
// number (SetItemCount), and OnData fills an item each time the control needs a row's
// texts. Rows are then addressed by index (ItemIndex, IsSelected, SelectedIndices).
//
// With DragMode dmAutomatic the user drags the selected rows with the mouse: the list view
// keeps the mouse from the moment the control reports the drag (LVN_BEGINDRAG), asks the
// list view under the mouse through its OnDragOver whether it takes them, and on release
// over one that does calls that one's OnDragDrop. Escape or a lost mouse ends it without
// a drop.
#pragma once

#include "toolkit/Controls.h"
#include "toolkit/ImageList.h"

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class TListView;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
// The arrow a column header shows for the order the list is sorted in.
enum TSortOrder { soNone, soAscending, soDescending };

class TListColumn {
public:
    TListColumn(TListView* view, int index) : view_(view), index_(index) {}

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // The present width (the user may have dragged it).
    int Width() const;
    void SetWidth(int width);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    int Index() const { return index_; }
    // The sort arrow of this column only (TListView::SetSortColumn clears the others).
    TSortOrder SortOrder() const { return sortOrder_; }
    void SetSortOrder(TSortOrder order);
    // The least width the column is given (0: none): it widens now when it is narrower,
    // and a later SetWidth below it gives this width; the user may still drag it narrower.
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int width);

private:
    friend class TListColumns;
    friend class TListView;
    void Apply();
    // Adds the column to the control with everything it has.
    void Insert();
    void ApplySortOrder();

    TListView* view_;
    int index_;
    std::string caption_;
    int width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TSortOrder sortOrder_ = soNone;
    int minWidth_ = 0;
};

class TListColumns {
public:
    explicit TListColumns(TListView* view) : view_(view) {}

    TListColumn* Add();
    int Count() const { return static_cast<int>(columns_.size()); }
    TListColumn* Items(int index) const { return columns_.at(index).get(); }
    TListColumn* operator[](int index) const { return Items(index); }

private:
    TListView* view_;
    std::vector<std::unique_ptr<TListColumn>> columns_;
};

class TListItem {
public:
    explicit TListItem(TListView* view);

    TListView* Owner() const { return view_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // The texts of columns 1, 2, ...; changes show at once.
    TStringList* SubItems() { return &subItems_; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }

    bool Checked() const;
    void SetChecked(bool checked);
    bool Selected() const;
    void SetSelected(bool selected);
    bool Focused() const;
    void SetFocused(bool focused);
    // The row the item is shown in, or -1.
    int Index() const;
    void MakeVisible();
    // Removes the item from its list view and deletes it.
    void Delete();

private:
    friend class TListItems;
    friend class TListView;
    void Redraw();
    bool State(UINT mask) const;
    void SetState(UINT state, UINT mask);

    TListView* view_;
    std::string caption_;
    TStringList subItems_;
    int imageIndex_ = -1;
    void* data_ = nullptr;
    mutable int indexHint_ = -1;
};

class TListItems {
public:
    explicit TListItems(TListView* view) : view_(view) {}
    ~TListItems();

    // Appends a new item and returns it. Adding, inserting and deleting single items
    // throw std::logic_error in a virtual list (its rows are counted, not added).
    TListItem* Add();
    TListItem* Insert(int index);
    void Delete(int index);
    void Clear();
    int Count() const;
    // In a virtual list: an item filled by OnData, valid until the next one is asked for.
    TListItem* Item(int index) const;
    TListItem* operator[](int index) const { return Item(index); }
    int IndexOf(const TListItem* item) const { return item ? item->Index() : -1; }
    // Holds back repainting while many items change.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TListView;
    void FreeAll();

    TListView* view_;
    std::unordered_set<TListItem*> owned_;
    TRedrawHold redrawHold_;
};

enum TDragMode { dmManual, dmAutomatic };
// Where the mouse is in a drag, for the list view under it.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
// Asked while source's rows are dragged over sender at x, y (sender's client coordinates);
// accept arrives true and decides whether a release there drops them.
using TDragOverEvent =
    std::function<void(TObject* sender, TObject* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;

using TLVColumnClickEvent = std::function<void(TObject* sender, TListColumn* column)>;
// Negative when a belongs before b.
using TLVCompare = std::function<int(TListItem* a, TListItem* b)>;
// Fills item (empty when called) with the texts, image and data of row index.
using TLVOwnerDataEvent = std::function<void(TListView* sender, int index, TListItem& item)>;

class TListView : public TWinControl {
public:
    explicit TListView(TComponent* owner);
    ~TListView() override;

    TListColumns* Columns() { return &columns_; }
    TListItems* Items() { return &items_; }

    // The first selected item, or nullptr; setting it selects only that item.
    TListItem* Selected() const;
    void SetSelected(TListItem* item);
    int SelCount() const;
    TListItem* ItemFocused() const;
    // The next item after start (nullptr: from the top) that has all the LVNI_* states.
    TListItem* GetNextItem(TListItem* start, UINT states) const;
    void SelectAll();
    void ClearSelection();

    TImageList* SmallImages() const { return smallImages_.List(); }
    void SetSmallImages(TImageList* images);

    TViewStyle ViewStyle() const { return viewStyle_; }
    void SetViewStyle(TViewStyle style);
    bool Checkboxes() const { return ExStyle(LVS_EX_CHECKBOXES); }
    void SetCheckboxes(bool on) { SetExStyle(LVS_EX_CHECKBOXES, on); }
    bool RowSelect() const { return ExStyle(LVS_EX_FULLROWSELECT); }
    void SetRowSelect(bool on) { SetExStyle(LVS_EX_FULLROWSELECT, on); }
    bool GridLines() const { return ExStyle(LVS_EX_GRIDLINES); }
    void SetGridLines(bool on) { SetExStyle(LVS_EX_GRIDLINES, on); }
    bool MultiSelect() const { return !HasStyle(LVS_SINGLESEL); }
    void SetMultiSelect(bool on) { SetStyle(LVS_SINGLESEL, !on); }
    // Hide the selection while the list has no focus.
    bool HideSelection() const { return !HasStyle(LVS_SHOWSELALWAYS); }
    void SetHideSelection(bool on) { SetStyle(LVS_SHOWSELALWAYS, !on); }
    // Column headers act as buttons (OnColumnClick).
    bool ColumnClick() const { return !HasStyle(LVS_NOSORTHEADER); }
    void SetColumnClick(bool on) { SetStyle(LVS_NOSORTHEADER, !on); }

    // Reorders the rows; the items stay the same objects.
    void CustomSort(const TLVCompare& compare);

    // Rows by index, for virtual lists and plain ones alike. ItemIndex is the first
    // selected row or -1; setting it selects and focuses only that row (-1: none).
    int ItemIndex() const;
    void SetItemIndex(int index);
    bool IsSelected(int index) const;
    void SetSelected(int index, bool selected);
    std::vector<int> SelectedIndices() const;

    // Switching it remakes the window and deletes the items; columns and styles stay.
    bool OwnerData() const { return ownerData_; }
    void SetOwnerData(bool ownerData);
    // The number of rows of a virtual list (the rows are repainted).
    void SetItemCount(int count);
    TLVOwnerDataEvent OnData;

    // The width a column needs to show the widest of texts whole in a cell, in the
    // list's font (the cell's margins included).
    int CellWidth(const std::vector<std::string>& texts) const;
    // The row under the point (client coordinates), or -1.
    int RowAt(int x, int y) const;
    // The last column takes the room the other columns leave in the list's window, now
    // and whenever the list changes size, and never less than its caption needs.
    void SetLastColumnFills(bool on);
    void FillLastColumn();

    // Shows order's arrow on column and none on the others (nullptr: on none).
    void SetSortColumn(TListColumn* column, TSortOrder order);
    // Takes the sort arrow from every column but keep (nullptr: from all).
    void ClearSortOrders(const TListColumn* keep);

    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode mode) { dragMode_ = mode; }
    // Without OnDragOver the list takes no rows.
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;

    TLVColumnClickEvent OnColumnClick;
    // After a row was selected or unselected: by the mouse, the keyboard or the program.
    TNotifyEvent OnSelectionChange;
    // The user ticked or cleared a row's check box (SetChecked does not tell).
    std::function<void(TListView* sender, TListItem* item)> OnItemChecked;

protected:
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ColorChanged() override;
    void FontChanged() override;
    // The item a row shows; the place where a virtual list will make items on demand.
    virtual TListItem* ItemOfRow(int row, LPARAM param) const;

private:
    friend class TListItem;
    friend class TListItems;
    friend class TListColumn;
    friend class TListColumns;
    bool ExStyle(DWORD bit) const;
    void SetExStyle(DWORD bit, bool on);
    bool HasStyle(DWORD bit) const;
    void SetStyle(DWORD bit, bool on);
    void AnswerDisplayInfo(NMLVDISPINFOA* info) const;
    // The row's item of a virtual list, filled by OnData.
    TListItem* DataItem(int row) const;
    // The header bitmap of a sort arrow (where the header does not draw its own).
    HBITMAP SortArrow(TSortOrder order);
    // Takes the mouse for a drag of the selected rows.
    void BeginDrag();
    // The mouse has reached point (this list's client coordinates): the list view there is
    // asked whether it takes the rows, and the cursor says so.
    void DragTo(POINT point);
    // Ends the drag; with drop, a release at point hands the rows to the list there.
    void EndDrag(bool drop, POINT point);
    // The list view at point (this list's client coordinates); point becomes its own.
    TListView* ListViewAt(POINT& point) const;
    // Tells the list view last dragged over that the drag has left it.
    void LeaveDragTarget(POINT point);

    TListColumns columns_{this};
    TListItems items_{this};
    TImageLink smallImages_{[this](HIMAGELIST handle) {
        SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(handle));
    }};
    TViewStyle viewStyle_ = vsReport;
    bool ownerData_ = false;
    bool lastColumnFills_ = false;
    int settingState_ = 0; // inside SetState: the changes are the program's own
    std::unique_ptr<TListItem> dataItem_;
    HBITMAP sortArrows_[2] = {nullptr, nullptr};
    TDragMode dragMode_ = dmManual;
    bool dragging_ = false;
    HWND dragTarget_ = nullptr; // the list view last dragged over (its window: it may go)
    bool dragAccepted_ = false; // ... and whether it takes the rows
};
