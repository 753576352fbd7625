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
    if (bitmap_) DeleteObject(bitmap_);
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

void TMenuItem::SetBitmap(HBITMAP bitmap)
{
    if (bitmap_ && bitmap_ != bitmap) DeleteObject(bitmap_);
    bitmap_ = bitmap;
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

TMenu::TMenu(TComponent* owner) : TComponent(owner), root_(nullptr)
{
    root_.menu_ = this;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

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

// The menu bars that exist: their items' owner-draw messages are believed.
std::vector<TMainMenu*>& MainMenus()
{
    static std::vector<TMainMenu*> menus;
    return menus;
}

bool InTree(const TMenuItem* root, const TMenuItem* item)
{
    for (int i = 0; i < root->Count(); ++i)
        if (root->Items(i) == item || InTree(root->Items(i), item)) return true;
    return false;
}

bool Believed(const TMenuItem* item)
{
    const auto& shown = ShownItems();
    if (std::find(shown.begin(), shown.end(), item) != shown.end()) return true;
    const auto& bars = MainMenus();
    return std::any_of(bars.begin(), bars.end(), [item](TMainMenu* bar) { return InTree(bar->Items(), item); });
}

// How item is shown: an owner-drawn item carries itself as its data instead of a text.
UINT ItemFlags(const TMenuItem* item)
{
    return (item->OnDrawItem ? MF_OWNERDRAW : MF_STRING) | (item->Enabled ? 0 : MF_GRAYED) |
           (item->Checked ? MF_CHECKED : 0);
}
// text holds what the system shows of an item it draws itself: the caption and, after a
// tab, the key, which the system puts in the menu's right-aligned key column.
const char* ItemContent(const TMenuItem* item, std::string& text)
{
    if (item->OnDrawItem) return reinterpret_cast<const char*>(item);
    text = item->ShortCut.empty() ? item->Caption : item->Caption + "\t" + item->ShortCut;
    return text.c_str();
}

// Appends item's visible sub-items to menu; ids index into commands, starting at 1.
// Popups note what they show in shown, for their owner-draw messages.
void BuildMenu(HMENU menu, TMenuItem* item, std::vector<TMenuItem*>& commands, std::vector<TMenuItem*>* shown)
{
    for (int i = 0; i < item->Count(); ++i) {
        TMenuItem* child = item->Items(i);
        if (!child->Visible) continue;
        const bool ownerDrawn = static_cast<bool>(child->OnDrawItem);
        std::string text;
        if (shown) shown->push_back(child);
        if (child->IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR | (ownerDrawn ? MF_OWNERDRAW : 0), 0,
                        ownerDrawn ? ItemContent(child, text) : nullptr);
            continue;
        }
        if (child->Count() > 0) {
            HMENU sub = CreatePopupMenu();
            BuildMenu(sub, child, commands, shown);
            AppendMenuA(menu, ItemFlags(child) | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), ItemContent(child, text));
        } else {
            commands.push_back(child);
            AppendMenuA(menu, ItemFlags(child), commands.size(), ItemContent(child, text));
        }
        if (child->Default) SetMenuDefaultItem(menu, GetMenuItemCount(menu) - 1, TRUE);
    }
}

}  // namespace

void TPopupMenu::Popup(int x, int y)
{
    if (OnPopup) OnPopup(this);
    std::vector<TMenuItem*> commands;
    const size_t shownBefore = ShownItems().size();
    HMENU menu = CreatePopupMenu();
    BuildMenu(menu, Items(), commands, &ShownItems());
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
    if (!Believed(item)) return false;
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

TMainMenu::TMainMenu(TForm* owner) : TMenu(owner), form_(owner), window_(owner->Handle())
{
    MainMenus().push_back(this);
    Rebuild();
}

TMainMenu::~TMainMenu()
{
    BeginDestroy();
    MainMenus().erase(std::find(MainMenus().begin(), MainMenus().end(), this));
    // A window takes its menu bar with it when it is destroyed.
    if (!IsWindow(window_)) return;
    if (GetMenu(window_) == bar_) SetMenu(window_, nullptr);
    DestroyMenu(bar_);
}

void TMainMenu::Rebuild()
{
    HMENU bar = CreateMenu();
    commands_.clear();
    menus_.clear();
    for (int i = 0; i < Items()->Count(); ++i) {
        TMenuItem* item = Items()->Items(i);
        if (!item->Visible) continue;
        std::string text;
        if (item->Count() > 0) {
            // Filled when it opens.
            HMENU sub = CreatePopupMenu();
            menus_.emplace_back(sub, item);
            AppendMenuA(bar, ItemFlags(item) | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), ItemContent(item, text));
        } else {
            commands_.push_back(item);
            AppendMenuA(bar, ItemFlags(item), commands_.size(), ItemContent(item, text));
        }
    }
    barCommands_ = commands_.size();
    SetMenu(window_, bar);
    if (bar_) DestroyMenu(bar_);
    bar_ = bar;
    DrawMenuBar(window_);
}

bool TMainMenu::MenuMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITMENUPOPUP) {
        const auto menu = reinterpret_cast<HMENU>(wParam);
        auto it = std::find_if(menus_.begin(), menus_.end(), [menu](const auto& m) { return m.first == menu; });
        if (it == menus_.end()) return false;
        while (GetMenuItemCount(menu) > 0) DeleteMenu(menu, 0, MF_BYPOSITION);
        commands_.resize(barCommands_);
        BuildMenu(menu, it->second, commands_, nullptr);
        return true;
    }
    // Only a menu's command: controls send theirs with their window, accelerators with code 1.
    if (msg != WM_COMMAND || lParam != 0 || HIWORD(wParam) != 0) return false;
    const size_t id = LOWORD(wParam);
    if (id < 1 || id > commands_.size()) return false;
    commands_[id - 1]->Click();
    return true;
}

bool toolkit::MainMenuMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_COMMAND && msg != WM_INITMENUPOPUP) return false;
    for (TMainMenu* bar : MainMenus())
        if (bar->Handle() == GetMenu(window) && bar->MenuMessage(msg, wParam, lParam)) return true;
    return false;
}
