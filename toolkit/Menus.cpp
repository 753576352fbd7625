#include "toolkit/Menus.h"

#include "toolkit/Controls.h"
#include "toolkit/Forms.h"

#include <algorithm>

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem()
{
    BeginDestroy();
    // Sub-items are owned elsewhere (usually by the form); only unhook them.
    for (TMenuItem* item : items_) item->parent_ = nullptr;
    if (parent_) parent_->Remove(this);
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item->parent_) item->parent_->Remove(item);
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
}

void TMenuItem::Click()
{
    if (Enabled && OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), root_(nullptr) {}

TPopupMenu::~TPopupMenu()
{
    BeginDestroy();
}

namespace {

// The items of the menus being shown (popups nest): only their owner-draw messages are
// believed, so a stale item pointer is never followed.
std::vector<TMenuItem*>& ShownItems()
{
    static std::vector<TMenuItem*> items;
    return items;
}

// Appends item's visible sub-items to menu; ids index into commands, starting at 1.
void BuildMenu(HMENU menu, TMenuItem* item, std::vector<TMenuItem*>& commands)
{
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (!child->Visible) continue;
        // An owner-drawn item carries itself as its data instead of a text.
        const bool ownerDrawn = static_cast<bool>(child->OnDrawItem);
        const char* content = ownerDrawn ? reinterpret_cast<const char*>(child) : child->Caption.c_str();
        const UINT drawing = ownerDrawn ? MF_OWNERDRAW : MF_STRING;
        ShownItems().push_back(child);
        if (child->IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR | (ownerDrawn ? MF_OWNERDRAW : 0), 0, ownerDrawn ? content : nullptr);
            continue;
        }
        UINT flags = drawing | (child->Enabled ? 0 : MF_GRAYED) | (child->Checked ? MF_CHECKED : 0);
        if (child->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            BuildMenu(sub, child, commands);
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), content);
        } else {
            commands.push_back(child);
            AppendMenuA(menu, flags, commands.size(), content);
        }
    }
}

}  // namespace

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup) OnPopup(this);
    std::vector<TMenuItem*> commands;
    const size_t shownBefore = ShownItems().size();
    HMENU menu = CreatePopupMenu();
    BuildMenu(menu, &root_, commands);
    // The owner window must be in the foreground, or the menu does not close when the
    // user clicks elsewhere (notification-area menus in particular).
    HWND owner = Application->MainForm() ? Application->MainForm()->Handle() : toolkit::UtilityWindow();
    SetForegroundWindow(owner);
    UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0,
                                 owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    DestroyMenu(menu);
    ShownItems().resize(shownBefore);
    if (chosen >= 1 && chosen <= commands.size()) commands[chosen - 1]->Click();
}

bool toolkit::MenuOwnerDraw(UINT msg, LPARAM lParam, LRESULT& result)
{
    ULONG_PTR data = 0;
    if (msg == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_MENU) return false;
        data = measure->itemData;
    } else if (msg == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU) return false;
        data = draw->itemData;
    } else {
        return false;
    }
    auto* item = reinterpret_cast<TMenuItem*>(data);
    const auto& shown = ShownItems();
    if (std::find(shown.begin(), shown.end(), item) == shown.end()) return false;
    if (msg == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        int width = static_cast<int>(measure->itemWidth), height = static_cast<int>(measure->itemHeight);
        if (item->OnMeasureItem) {
            HDC dc = GetDC(nullptr);
            item->OnMeasureItem(item, dc, width, height);
            ReleaseDC(nullptr, dc);
        }
        measure->itemWidth = static_cast<UINT>(width);
        measure->itemHeight = static_cast<UINT>(height);
    } else {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->OnDrawItem) item->OnDrawItem(item, draw->hDC, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
    }
    result = TRUE;
    return true;
}
