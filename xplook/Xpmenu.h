// xplook/: the XP look painted over the toolkit's menus, tool bars and controls.
// The XP look: a component a window carries (XPMenu1) that draws the window's menus
// (popups and the menu bar) and tool bars itself and gives its standard controls a flat
// frame and face. Code that makes a window or frame later hands it over with one call,
// InitComponent.
//
// A component, menu item or window whose Tag is 999 is left alone, and so is a control
// whose parent's Tag is 999 (for a popup menu the Tag of each item counts, a menu bar's
// own Tag counts too).
#pragma once

#include "toolkit/Controls.h"
#include "xplook/XPColors.h"

#include <cstdint>
#include <vector>

class TMenuItem;
class TToolBar;
class TControlSubClass;
namespace xplook {
struct MenuLook;
}

// The kinds of parent a treated control may sit in.
enum TXPContainer {
    xccForm, xccFrame, xccToolbar, xccCoolbar, xccControlbar, xccPanel, xccScrollBox,
    xccGroupBox, xccTabSheet, xccPageScroller
};
using TXPContainers = uint32_t;
// The kinds of component the look treats.
enum TXPControl {
    xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcListBox, xcEdit, xcMaskEdit,
    xcMemo, xcRichEdit, xcMiscEdit, xcCheckBox, xcRadioButton, xcButton, xcBitBtn,
    xcSpeedButton, xcUpDown, xcPanel, xcGroupBox, xcTreeView, xcListView, xcProgressBar, xcHotKey
};
using TXPControls = uint32_t;

constexpr uint32_t XPBit(int kind) { return 1u << kind; }
constexpr TXPContainers AllXPContainers = (1u << 10) - 1;
constexpr TXPControls AllXPControls = (1u << 23) - 1;
constexpr int TagUntouched = 999;

class TXPMenu : public TComponent {
public:
    // Works on owner when that is a form or frame. Created inactive.
    explicit TXPMenu(TComponent* owner);
    ~TXPMenu() override;

    int DimLevel = 30;
    int GrayLevel = 10;
    int IconWidth = 24;
    bool DrawSelect = true;
    bool OverrideOwnerDraw = false;
    // Menus and tool bars the window gains later get the look too (while active).
    bool AutoDetect = false;
    // Popup menus get a flat one-pixel border (and a shadow before XP).
    bool FlatMenu = false;
    // Popup items on a gradient instead of a plain face.
    bool Gradient = false;
    // Menu bars in the MenuBarColor of the colour properties instead of the working one.
    bool DrawMenuBar = false;

    // The colour properties; a change takes effect at the next paint.
    const xplook::XPColorProperties& ColorProperties() const { return colorProperties_; }
    void SetColorProperties(const xplook::XPColorProperties& properties);
    // Where system colours and the colour depth come from (the machine unless a test says).
    void SetPalette(const xplook::XPPalette& palette);
    // A colour value as RGB through the palette.
    COLORREF Resolve(TColor color) const { return palette_.Resolve(color); }
    // The working colours, recomputed after a change of colours or palette.
    const xplook::XPWorkColors& WorkColors();
    // The menu font (the system's, owned by the component).
    HFONT Font() const { return font_; }

    TWinControl* Form() const { return form_; }
    bool Active() const { return active_; }
    // Applies the look to everything the form owns, or takes it off.
    void SetActive(bool active);
    TXPContainers XPContainers() const { return containers_; }
    TXPControls XPControls() const { return controls_; }
    // While active a change takes the look off and applies it again with the new set.
    void SetXPContainers(TXPContainers containers);
    void SetXPControls(TXPControls controls);

    // With it set the look serves its own window only: the windows it treated for the
    // manager go to the next look, or get their own look back.
    bool DisableSubclassing() const { return disableSubclassing_; }
    void SetDisableSubclassing(bool disable);
    // The window's design is complete: the look registers with the manager.
    void Loaded();
    void Notification(TComponent* component, TOperation operation) override;

    // Hands a window, frame or control made after start to the look (nothing while inactive).
    void InitComponent(TComponent* component);
    virtual void InitItems(TComponent* control, bool enable, bool update);
    void InitItem(TComponent* component, bool enable, bool update);

    // The flat-painting objects the component made (one per treated control).
    int SubclassCount() const { return static_cast<int>(subclasses_.size()); }
    bool IsSubclassed(const TControl* control) const;

    // Menu items drawn by the look.
    void MeasureItem(TMenuItem* item, HDC dc, int& width, int& height);
    void DrawItem(TMenuItem* item, HDC dc, const RECT& rect, bool selected);
    // Gives a popup menu's window the flat border (FlatMenu).
    void DrawWindowBorder(HWND window, bool rightToLeft);

private:
    friend class TControlSubClass;
    friend class TXPMenuManager;
    // Asks the application window to draw the border of the flat popup that dc paints.
    void AskForFlatBorder(HDC dc);
    // Gives the controls treated outside keep (every one without keep) to another look.
    void HandOverSubclasses(TXPMenu* to, const TWinControl* keep);
    void ReleaseSubclassesInside(const TWinControl* form);
    void TreatDetected();
    void HookMenu(TMenuItem* root, bool enable);
    xplook::MenuLook MenuLookFor(const TMenuItem* item) const;
    void HookToolBar(TToolBar* bar, bool enable, bool update);
    void SubclassControl(TControl* control, bool enable, bool update);
    void Forget(TControlSubClass* subclass);
    void DropAllSubclasses();

    TWinControl* form_ = nullptr;
    bool active_ = false;
    TXPContainers containers_ = AllXPContainers;
    TXPControls controls_ = AllXPControls;
    xplook::XPColorProperties colorProperties_;
    xplook::XPPalette palette_;
    xplook::XPWorkColors workColors_{};
    bool colorsChanged_ = true;
    HFONT font_ = nullptr;
    std::vector<TControlSubClass*> subclasses_;
    bool disableSubclassing_ = false;
    bool borderPainting_ = false;
    bool isWinXP_ = false;
    std::vector<TComponent*> detected_;
};

// Which kind of component control is for the look, or -1 when none.
int XPControlKindOf(const TComponent* component);
// Which kind of container parent is, or -1 when none.
int XPContainerKindOf(const TWinControl* parent);
