// Menus: a TPopupMenu or a form's menu bar (TMainMenu) holds a tree of TMenuItem
// components. A popup's Win32 menu is built anew for each popup, and a menu of the bar
// each time it opens, from the items as they are then, so captions changed at run time
// (language switch) always show there.
#pragma once

#include "toolkit/Classes.h"

#include <functional>
#include <string>
#include <vector>

class TForm;
class TImageList;
class TMenu;
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
    // The key that does what the item does ("Strg+O"), shown right-aligned after the
    // caption; empty for none. The form's own key handler does the work.
    std::string ShortCut;
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    bool RadioItem = false;
    // The item the menu offers as the usual choice.
    bool Default = false;
    // The item's picture in its menu's image list (or in its parent's SubMenuImages),
    // -1 for none.
    int ImageIndex = -1;
    // Pictures of the sub-items, used instead of the menu's.
    TImageList* SubMenuImages = nullptr;
    TNotifyEvent OnClick;
    // With a draw handler the item is drawn by it (the menu then asks for its size too).
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(index); }
    TMenuItem* Parent() const { return parent_; }
    // The menu whose tree the item is in, or nullptr.
    TMenu* GetParentMenu() const;
    // The item's own picture (owned by the item), used when it has no image-list picture.
    HBITMAP Bitmap() const { return bitmap_; }
    void SetBitmap(HBITMAP bitmap);
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    // Fires OnClick.
    void Click();
    // "-" makes a separator.
    bool IsSeparator() const { return Caption == "-"; }

private:
    friend class TMenu;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on a menu's root item only
    HBITMAP bitmap_ = nullptr;
};

class TMenu : public TComponent {
public:
    // The top-level items.
    TMenuItem* Items() { return &root_; }
    const TMenuItem* Items() const { return &root_; }
    // Pictures of the items by their ImageIndex.
    TImageList* Images = nullptr;

protected:
    explicit TMenu(TComponent* owner);

private:
    TMenuItem root_;
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    // The control whose right click opened the menu.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* component) { popupComponent_ = component; }

    // Shows the menu at screen position (x, y) and runs the chosen item's OnClick once
    // the menu has closed.
    void Popup(int x, int y);

    TNotifyEvent OnPopup;

private:
    TComponent* popupComponent_ = nullptr;
};

// A form's menu bar, set on the owner form. A top item with sub-items opens a menu, one
// without is a command itself. Call Rebuild after changing top items (captions, flags,
// items added): the bar shows them as they were at its last build.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TForm* owner);
    ~TMainMenu() override;

    HMENU Handle() const { return bar_; }
    void Rebuild();
    // A command or the opening of one of the bar's menus; false for other messages.
    bool MenuMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The form whose bar this is.
    TForm* Form() const { return form_; }

private:
    TForm* form_;
    HWND window_;  // kept apart: the form may be half destroyed when the menu goes
    HMENU bar_ = nullptr;
    // The items a command id stands for (id - 1): the bar's own, then those of the open menu.
    std::vector<TMenuItem*> commands_;
    size_t barCommands_ = 0;
    std::vector<std::pair<HMENU, TMenuItem*>> menus_;
};

namespace toolkit {
// A WM_MEASUREITEM or WM_DRAWITEM of an owner-drawn item of the popup menu being shown,
// handed to the item's handlers; false for anything else.
bool MenuOwnerDraw(UINT msg, LPARAM lParam, LRESULT& result);
// A command or menu opening of window's menu bar, handed to its TMainMenu; false for
// anything else.
bool MainMenuMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
}  // namespace toolkit
