// The one manager of every XP look of the program. It keeps the list of looks, picks the
// one that treats the windows carrying no look of their own (the active look) and treats
// each such window once, at the first message that reaches the application window after
// the window was made. It also draws the borders of flat popup menus when asked to.
#pragma once

#include "toolkit/Forms.h"

#include <vector>

class TXPMenu;

// Posted by a look to the application window for the border of a flat popup menu:
// wParam the right-to-left flag, lParam the menu's window.
constexpr UINT XPDrawBorderMessage = 0xBCB4;

class TXPMenuManager {
public:
    TXPMenuManager();
    ~TXPMenuManager();
    TXPMenuManager(const TXPMenuManager&) = delete;
    TXPMenuManager& operator=(const TXPMenuManager&) = delete;

    // Registers a look whose window design is complete (the first eligible one becomes
    // active and collects the windows without a look), or takes one out.
    void Add(TXPMenu* menu);
    void Delete(TXPMenu* menu);
    const std::vector<TXPMenu*>& XPMenus() const { return menus_; }
    TXPMenu* ActiveXPMenu() const { return active_; }
    // The first active look that does not refuse to serve other windows, other than exclude.
    TXPMenu* FindSubclassingXPMenu(const TXPMenu* exclude) const;
    // Chooses the active look again, handing the treated controls of other windows from
    // the current one (when exclude, leaving exclude's own window) to the next one, or
    // giving them their own look back when there is none.
    void UpdateActiveXPMenu(TXPMenu* exclude);

    bool DisableSubclassing() const { return disableSubclassing_; }
    void SetDisableSubclassing(bool disable);
    // The form is treated already or waits for its treatment.
    bool IsFormSubclassed(const TWinControl* form) const;

private:
    friend class TXPMenu;
    void CollectForms();
    void Notification(TForm* form, TOperation operation);
    bool MainWindowHook(UINT msg, WPARAM wParam, LPARAM lParam);
    void TreatPendingForms();
    void RemoveChildSubclassing(const TWinControl* form);
    void AddForm(TWinControl* form);
    void RemoveForm(const TWinControl* form);
    // A form that a look treated itself (InitComponent): the manager leaves it alone.
    void FormTreated(TWinControl* form);
    // A look that detected new components: it treats them at the next message.
    void Detected(TXPMenu* menu);
    // Makes sure a message reaches the application window soon.
    static void Nudge();

    std::vector<TXPMenu*> menus_;
    std::vector<TWinControl*> pendingForms_;
    std::vector<TWinControl*> subclassedForms_;
    std::vector<TXPMenu*> detecting_;
    TXPMenu* active_ = nullptr;
    bool disableSubclassing_ = false;
    int hookId_ = 0;
};

// The manager, made by the first look and freed with the last registered one.
extern TXPMenuManager* XPMenuManager;
void EnsureXPMenuManager();
void FreeXPMenuManager();
