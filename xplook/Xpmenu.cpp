#include "xplook/Xpmenu.h"

#include "toolkit/Button.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/GroupBox.h"
#include "toolkit/ListView.h"
#include "toolkit/Memo.h"
#include "toolkit/Menus.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/RadioButton.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/ToolBar.h"
#include "toolkit/TreeView.h"
#include "xplook/ControlSubClass.h"
#include "xplook/XPMenuManager.h"
#include "xplook/XPPainters.h"

#include <algorithm>

namespace {

bool Has(uint32_t set, int kind) { return (set & XPBit(kind)) != 0; }

// The handlers the look installs; their types tell them apart from handlers of other code.
struct XPMeasureHandler {
    TXPMenu* menu;
    void operator()(TMenuItem* item, HDC dc, int& width, int& height) const
    {
        menu->MeasureItem(item, dc, width, height);
    }
};
struct XPDrawHandler {
    TXPMenu* menu;
    void operator()(TMenuItem* item, HDC dc, const RECT& rect, bool selected) const
    {
        menu->DrawItem(item, dc, rect, selected);
    }
};
struct XPToolBarHandler {
    TXPMenu* menu;
    void operator()(TToolBar* bar, TToolButton* button, HDC dc, unsigned state, bool& defaultDraw) const
    {
        xplook::ToolBarDrawButton(*menu, bar, button, dc, state);
        defaultDraw = false;
    }
};

// XP draws the shadow of a popup menu itself; older systems need the look's.
bool RunsOnXP()
{
    const DWORD version = GetVersion();
    return LOBYTE(LOWORD(version)) == 5 && HIBYTE(LOWORD(version)) == 1;
}

bool Inside(const TControl* control, const TWinControl* window)
{
    return control->Handle() == window->Handle() || IsChild(window->Handle(), control->Handle());
}

HFONT MakeMenuFont()
{
    NONCLIENTMETRICSA metrics{};
    // The size of the record before Vista added a field: every system fills that one.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return CreateFontIndirectA(&metrics.lfMenuFont);
    return nullptr;
}

}  // namespace

int XPControlKindOf(const TComponent* component)
{
    if (dynamic_cast<const TComboBox*>(component)) return xcCombo;
    if (dynamic_cast<const TMemo*>(component)) return xcMemo;
    if (dynamic_cast<const TEdit*>(component)) return xcEdit;
    if (dynamic_cast<const TCheckBox*>(component)) return xcCheckBox;
    if (dynamic_cast<const TRadioButton*>(component)) return xcRadioButton;
    if (dynamic_cast<const TButton*>(component)) return xcButton;
    if (dynamic_cast<const TSpeedButton*>(component)) return xcSpeedButton;
    if (dynamic_cast<const TPanel*>(component)) return xcPanel;
    if (dynamic_cast<const TGroupBox*>(component)) return xcGroupBox;
    if (dynamic_cast<const TTreeView*>(component)) return xcTreeView;
    if (dynamic_cast<const TListView*>(component)) return xcListView;
    if (dynamic_cast<const TProgressBar*>(component)) return xcProgressBar;
    return -1;
}

int XPContainerKindOf(const TWinControl* parent)
{
    if (dynamic_cast<const TToolBar*>(parent)) return xccToolbar;
    if (dynamic_cast<const TPanel*>(parent)) return xccPanel;
    if (dynamic_cast<const TGroupBox*>(parent)) return xccGroupBox;
    if (dynamic_cast<const TTabSheet*>(parent) || dynamic_cast<const TPageControl*>(parent)) return xccTabSheet;
    if (dynamic_cast<const TFrame*>(parent)) return xccFrame;
    if (dynamic_cast<const TForm*>(parent)) return xccForm;
    return -1;
}

TXPMenu::TXPMenu(TComponent* owner)
    : TComponent(owner), form_(dynamic_cast<TWinControl*>(owner)), palette_(xplook::XPPalette::Machine()),
      font_(MakeMenuFont()), isWinXP_(RunsOnXP())
{
    Name = "XPMenu1";
    colorProperties_.fontColor = clSystemColor | COLOR_MENUTEXT;
    colorProperties_.selectFontColor = colorProperties_.fontColor;
    EnsureXPMenuManager();
}

TXPMenu::~TXPMenu()
{
    BeginDestroy();
    if (form_ && active_) InitItems(form_, false, false);
    if (XPMenuManager) {
        // Before the look lets its controls go: the manager may hand some to another look.
        XPMenuManager->Delete(this);
        if (XPMenuManager->XPMenus().empty()) FreeXPMenuManager();
    }
    DropAllSubclasses();
    if (font_) DeleteObject(font_);
}

void TXPMenu::Loaded()
{
    // Another look that went meanwhile may have taken the manager with it.
    EnsureXPMenuManager();
    XPMenuManager->Add(this);
}

void TXPMenu::SetDisableSubclassing(bool disable)
{
    if (disable == disableSubclassing_) return;
    disableSubclassing_ = disable;
    if (!XPMenuManager) return;
    if (XPMenuManager->ActiveXPMenu() == this)
        XPMenuManager->UpdateActiveXPMenu(this);
    else if (!XPMenuManager->ActiveXPMenu() && !disable)
        XPMenuManager->UpdateActiveXPMenu(nullptr);
}

void TXPMenu::Notification(TComponent* component, TOperation operation)
{
    if (!XPMenuManager) return;
    if (operation == opRemove) {
        detected_.erase(std::remove(detected_.begin(), detected_.end(), component), detected_.end());
        return;
    }
    // The new component is still being made: it is looked at from the message loop.
    if (active_ && AutoDetect) {
        detected_.push_back(component);
        XPMenuManager->Detected(this);
    }
}

void TXPMenu::TreatDetected()
{
    while (!detected_.empty()) {
        TComponent* component = detected_.front();
        detected_.erase(detected_.begin());
        if (active_ && (dynamic_cast<TPopupMenu*>(component) || dynamic_cast<TToolBar*>(component)))
            InitItem(component, true, true);
    }
}

void TXPMenu::HandOverSubclasses(TXPMenu* to, const TWinControl* keep)
{
    for (TControlSubClass* subclass : std::vector<TControlSubClass*>(subclasses_)) {
        TControl* control = subclass->Control();
        if (keep && Inside(control, keep)) continue;
        // The same window painted the same way: a spin edit's arrows stay arrows.
        const HWND window = subclass->Window();
        const int kind = subclass->Kind();
        Forget(subclass);
        subclass->Release();
        to->subclasses_.push_back(new TControlSubClass(to, control, window, kind));
    }
}

void TXPMenu::ReleaseSubclassesInside(const TWinControl* form)
{
    for (TControlSubClass* subclass : std::vector<TControlSubClass*>(subclasses_)) {
        if (!Inside(subclass->Control(), form)) continue;
        Forget(subclass);
        subclass->Release();
    }
}

void TXPMenu::SetColorProperties(const xplook::XPColorProperties& properties)
{
    colorProperties_ = properties;
    colorsChanged_ = true;
}

void TXPMenu::SetPalette(const xplook::XPPalette& palette)
{
    palette_ = palette;
    colorsChanged_ = true;
}

const xplook::XPWorkColors& TXPMenu::WorkColors()
{
    if (colorsChanged_) {
        workColors_ = xplook::ComputeWorkColors(colorProperties_, palette_);
        colorsChanged_ = false;
    }
    return workColors_;
}

void TXPMenu::SetActive(bool active)
{
    if (active == active_) return;
    active_ = active;
    if (form_) InitItems(form_, active, true);
    if (!active) DropAllSubclasses();
}

void TXPMenu::SetXPContainers(TXPContainers containers)
{
    if (containers != containers_ && active_) {
        SetActive(false);
        containers_ = containers;
        SetActive(true);
    }
    containers_ = containers;
}

void TXPMenu::SetXPControls(TXPControls controls)
{
    if (controls != controls_ && active_) {
        SetActive(false);
        controls_ = controls;
        SetActive(true);
    }
    controls_ = controls;
}

void TXPMenu::InitComponent(TComponent* component)
{
    if (!active_ || !component) return;
    InitItem(component, true, true);
    // A window handed over here is not treated by the manager a second time.
    if (auto* form = dynamic_cast<TForm*>(component))
        if (XPMenuManager) XPMenuManager->FormTreated(form);
}

void TXPMenu::InitItems(TComponent* control, bool enable, bool update)
{
    // A copy: treating a component must not be upset by the list changing.
    std::vector<TComponent*> owned;
    for (int i = 0; i < control->ComponentCount(); ++i) owned.push_back(control->Components(i));
    for (TComponent* component : owned) InitItem(component, enable, update);
}

void TXPMenu::InitItem(TComponent* component, bool enable, bool update)
{
    if (component == this || component->Destroying()) return;
    if (auto* bar = dynamic_cast<TMainMenu*>(component)) {
        if (Has(controls_, xcMainMenu) && bar->Tag != TagUntouched && bar->Items()->Count() > 0) {
            HookMenu(bar->Items(), enable);
            // The bar's items are made anew, drawn by their new handlers.
            bar->Rebuild();
        }
        return;
    }
    if (auto* popup = dynamic_cast<TPopupMenu*>(component)) {
        // The popup menu's own Tag does not count; its items' tags do.
        if (Has(controls_, xcPopupMenu)) HookMenu(popup->Items(), enable);
        return;
    }
    if (auto* bar = dynamic_cast<TToolBar*>(component))
        if (Has(controls_, xcToolbar)) HookToolBar(bar, enable, update);
    if (auto* control = dynamic_cast<TControl*>(component)) {
        const int kind = XPControlKindOf(control);
        const int container = control->Parent() ? XPContainerKindOf(control->Parent()) : -1;
        if (kind >= 0 && container >= 0 && Has(controls_, kind) && Has(containers_, container))
            SubclassControl(control, enable, update);
    }
    const bool frame = dynamic_cast<TFrame*>(component) != nullptr;
    if ((frame && Has(containers_, xccFrame)) || dynamic_cast<TForm*>(component)) {
        if (component->Tag != TagUntouched) InitItems(component, enable, update);
    }
}

void TXPMenu::HookMenu(TMenuItem* parent, bool enable)
{
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (enable) {
            if (item->Tag != TagUntouched) {
                if (!item->OnDrawItem || OverrideOwnerDraw) item->OnDrawItem = XPDrawHandler{this};
                if (!item->OnMeasureItem || OverrideOwnerDraw) item->OnMeasureItem = XPMeasureHandler{this};
            }
        } else {
            auto* draw = item->OnDrawItem.target<XPDrawHandler>();
            if (draw && draw->menu == this) item->OnDrawItem = nullptr;
            auto* measure = item->OnMeasureItem.target<XPMeasureHandler>();
            if (measure && measure->menu == this) item->OnMeasureItem = nullptr;
        }
        HookMenu(item, enable);
    }
}

void TXPMenu::HookToolBar(TToolBar* bar, bool enable, bool update)
{
    if (!bar->Flat()) bar->SetFlat(true);
    if (enable) {
        if (bar->Tag != TagUntouched && bar->ButtonCount() > 0 && (!bar->OnCustomDrawButton || OverrideOwnerDraw))
            bar->OnCustomDrawButton = XPToolBarHandler{this};
    } else {
        auto* handler = bar->OnCustomDrawButton.target<XPToolBarHandler>();
        if (handler && handler->menu == this) bar->OnCustomDrawButton = nullptr;
    }
    if (update) bar->Invalidate();
}

void TXPMenu::SubclassControl(TControl* control, bool enable, bool update)
{
    if (!enable || !control->Handle()) return;
    if (control->Tag == TagUntouched || control->Parent()->Tag == TagUntouched) return;
    // A control is taken over once: a second hand-over finds it in the chain already.
    if (TControlSubClass::Of(control->Handle())) return;
    subclasses_.push_back(new TControlSubClass(this, control));
    // A spin edit's arrows are an up-down control inside it.
    auto* spin = dynamic_cast<TCSpinEdit*>(control);
    if (spin && Has(controls_, xcUpDown))
        subclasses_.push_back(new TControlSubClass(this, spin, spin->Arrows(), xcUpDown));
    if (update) control->Invalidate();
}

bool TXPMenu::IsSubclassed(const TControl* control) const
{
    return std::any_of(subclasses_.begin(), subclasses_.end(),
                       [control](const TControlSubClass* s) { return s->Control() == control; });
}

void TXPMenu::Forget(TControlSubClass* subclass)
{
    subclasses_.erase(std::remove(subclasses_.begin(), subclasses_.end(), subclass), subclasses_.end());
}

void TXPMenu::DropAllSubclasses()
{
    std::vector<TControlSubClass*> all;
    all.swap(subclasses_);
    for (TControlSubClass* subclass : all) subclass->Release();
}
