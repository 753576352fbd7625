#include "xplook/XPMenuManager.h"

#include "xplook/Xpmenu.h"

#include <algorithm>

TXPMenuManager* XPMenuManager = nullptr;

namespace {

template <class T, class U>
bool Contains(const std::vector<T*>& list, const U* item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

template <class T, class U>
void Erase(std::vector<T*>& list, const U* item)
{
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

// Windows marked with Tag 999 and windows with a look of their own are not the manager's.
bool Treatable(const TWinControl* form)
{
    if (form->Tag == TagUntouched) return false;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (dynamic_cast<TXPMenu*>(form->Components(i))) return false;
    return true;
}

}  // namespace

void EnsureXPMenuManager()
{
    if (!XPMenuManager) XPMenuManager = new TXPMenuManager;
}

void FreeXPMenuManager()
{
    delete XPMenuManager;
    XPMenuManager = nullptr;
}

TXPMenuManager::TXPMenuManager()
{
    hookId_ = Application->HookMainWindow(
        [this](UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) { return MainWindowHook(msg, wParam, lParam); });
    Screen->OnFormChange = [this](TForm* form, TOperation operation) { Notification(form, operation); };
}

TXPMenuManager::~TXPMenuManager()
{
    Application->UnhookMainWindow(hookId_);
    Screen->OnFormChange = nullptr;
}

void TXPMenuManager::Add(TXPMenu* menu)
{
    if (!Contains(menus_, menu)) menus_.push_back(menu);
    if (menu->Form() && !Contains(subclassedForms_, menu->Form())) subclassedForms_.push_back(menu->Form());
    if (!active_ && menu->Active() && !menu->DisableSubclassing() && !disableSubclassing_) {
        active_ = menu;
        CollectForms();
    }
}

void TXPMenuManager::Delete(TXPMenu* menu)
{
    if (menu == active_) UpdateActiveXPMenu(menu);
    // Without a main form the choice above keeps the active look; a look that goes must
    // not stay chosen.
    if (menu == active_) active_ = nullptr;
    Erase(menus_, menu);
    Erase(detecting_, menu);
    if (menu->Form()) RemoveForm(menu->Form());
}

TXPMenu* TXPMenuManager::FindSubclassingXPMenu(const TXPMenu* exclude) const
{
    if (disableSubclassing_) return nullptr;
    for (TXPMenu* menu : menus_)
        if (menu != exclude && menu->Active() && !menu->DisableSubclassing()) return menu;
    return nullptr;
}

void TXPMenuManager::UpdateActiveXPMenu(TXPMenu* exclude)
{
    TXPMenu* candidate = FindSubclassingXPMenu(exclude);
    if (!candidate) {
        pendingForms_.clear();
        if (!Application->MainForm()) return;
        const TWinControl* keep = exclude ? exclude->Form() : nullptr;
        for (const TWinControl* form : std::vector<TWinControl*>(subclassedForms_))
            if (form != keep) RemoveChildSubclassing(form);
        subclassedForms_.clear();
        active_ = nullptr;
        return;
    }
    if (!active_) {
        active_ = candidate;
        CollectForms();
        return;
    }
    if (exclude && active_ != candidate) active_->HandOverSubclasses(candidate, exclude->Form());
    active_ = candidate;
}

void TXPMenuManager::SetDisableSubclassing(bool disable)
{
    if (disable == disableSubclassing_) return;
    disableSubclassing_ = disable;
    UpdateActiveXPMenu(nullptr);
}

bool TXPMenuManager::IsFormSubclassed(const TWinControl* form) const
{
    return Contains(subclassedForms_, form) || Contains(pendingForms_, form);
}

void TXPMenuManager::CollectForms()
{
    if (disableSubclassing_) return;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TForm* form = Screen->Forms(i);
        if (!Contains(subclassedForms_, form) && Treatable(form)) AddForm(form);
    }
    if (!pendingForms_.empty()) Nudge();
}

void TXPMenuManager::Notification(TForm* form, TOperation operation)
{
    // A form that goes leaves both lists whatever the state, so it is never touched again.
    if (operation == opRemove) {
        RemoveForm(form);
        return;
    }
    if (!active_ || disableSubclassing_) return;
    AddForm(form);
    Nudge();
}

bool TXPMenuManager::MainWindowHook(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == XPDrawBorderMessage && active_)
        active_->DrawWindowBorder(reinterpret_cast<HWND>(lParam), (wParam & 0x7F) != 0);
    TreatPendingForms();
    while (!detecting_.empty()) {
        TXPMenu* menu = detecting_.front();
        detecting_.erase(detecting_.begin());
        menu->TreatDetected();
    }
    // The application window handles every message itself as well.
    return false;
}

void TXPMenuManager::TreatPendingForms()
{
    // One form at a time off the list: a treatment may run messages that add or remove forms.
    while (!pendingForms_.empty()) {
        TWinControl* form = pendingForms_.front();
        pendingForms_.erase(pendingForms_.begin());
        if (Contains(subclassedForms_, form)) continue;
        subclassedForms_.push_back(form);
        if (disableSubclassing_ || !active_ || !active_->Active() || !Treatable(form)) continue;
        try {
            active_->InitItems(form, true, true);
        } catch (...) {
            // The look is decoration: a form it cannot treat keeps its own look and is not
            // tried again.
        }
    }
}

void TXPMenuManager::RemoveChildSubclassing(const TWinControl* form)
{
    if (active_) active_->ReleaseSubclassesInside(form);
}

void TXPMenuManager::AddForm(TWinControl* form)
{
    if (!Contains(pendingForms_, form)) pendingForms_.push_back(form);
}

void TXPMenuManager::RemoveForm(const TWinControl* form)
{
    Erase(pendingForms_, form);
    Erase(subclassedForms_, form);
}

void TXPMenuManager::FormTreated(TWinControl* form)
{
    Erase(pendingForms_, form);
    if (!Contains(subclassedForms_, form)) subclassedForms_.push_back(form);
}

void TXPMenuManager::Detected(TXPMenu* menu)
{
    if (!Contains(detecting_, menu)) detecting_.push_back(menu);
    Nudge();
}

void TXPMenuManager::Nudge()
{
    if (HWND application = Application->Handle()) PostMessageA(application, WM_NULL, 0, 0);
}
