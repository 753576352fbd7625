// Popup menus: TPopupMenu holds a tree of TMenuItem components and shows them at a
// screen position. The Win32 menu is built anew for each popup from the items as they
// are then, so captions changed at run time (language switch) always show.
#pragma once

#include "toolkit/Classes.h"

#include <functional>
#include <string>
#include <vector>

class TMenuItem;
// Size and picture of an item that is drawn by its owner (a look) instead of the system.
using TMenuMeasureItemEvent = std::function<void(TMenuItem* item, HDC dc, int& width, int& height)>;
using TMenuDrawItemEvent = std::function<void(TMenuItem* item, HDC dc, const RECT& rect, bool selected)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    // "-" makes a separator.
    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    bool RadioItem = false;
    TNotifyEvent OnClick;
    // With a draw handler the item is drawn by it (the menu then asks for its size too).
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index); }
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    // Fires OnClick.
    void Click();
    // "-" makes a separator.
    bool IsSeparator() const { return Caption == "-"; }

private:
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
};

class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // The top-level items.
    TMenuItem* Items() { return &root_; }
    // The control whose right click opened the menu.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component) { popupComponent_ = component; }

    // Shows the menu at screen position (x, y) and runs the chosen item's OnClick once
    // the menu has closed.
    void Popup(int x, int y);

    TNotifyEvent OnPopup;

private:
    TMenuItem root_;
    TComponent* popupComponent_ = nullptr;
};

namespace toolkit {
// A WM_MEASUREITEM or WM_DRAWITEM of an owner-drawn item of the popup menu being shown,
// handed to the item's handlers; false for anything else.
bool MenuOwnerDraw(UINT msg, LPARAM lParam, LRESULT& result);
}  // namespace toolkit
