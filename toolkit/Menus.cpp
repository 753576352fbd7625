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

// Appends item's visible sub-items to menu; ids index into commands, starting at 1.
void BuildMenu(HMENU menu, TMenuItem* item, std::vector<TMenuItem*>& commands)
{
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (!child->Visible) continue;
        if (child->Caption == "-") {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (child->Enabled ? 0 : MF_GRAYED) | (child->Checked ? MF_CHECKED : 0);
        if (child->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            BuildMenu(sub, child, commands);
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), child->Caption.c_str());
        } else {
            commands.push_back(child);
            AppendMenuA(menu, flags, commands.size(), child->Caption.c_str());
        }
    }
}

}  // namespace

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup) OnPopup(this);
    std::vector<TMenuItem*> commands;
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
    if (chosen >= 1 && chosen <= commands.size()) commands[chosen - 1]->Click();
}
