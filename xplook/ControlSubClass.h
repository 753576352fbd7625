// The object that gives one standard control of a treated window its flat look. It sits
// in the control's chain of window procedures (SetWindowSubclass), lets the control paint
// itself and paints the flat frame or face over it. It leaves the chain and frees itself
// when the control's window goes (WM_NCDESTROY), and is taken out by its component when
// the look is switched off or the component goes first.
#pragma once

#include "toolkit/Controls.h"
#include "xplook/FlatPainters.h"

class TXPMenu;

// A control with this Tag blends into its coloured parent: its faces are the parent's
// brush lightened instead of the button face.
constexpr int TagParentColors = 1000;

class TControlSubClass {
public:
    // Joins control's window procedure chain; control must not have an object yet.
    TControlSubClass(TXPMenu* menu, TControl* control);
    // Joins the chain of window, a part of control painted as kind (a spin edit's arrows).
    TControlSubClass(TXPMenu* menu, TControl* control, HWND window, int kind);
    TControlSubClass(const TControlSubClass&) = delete;
    TControlSubClass& operator=(const TControlSubClass&) = delete;

    TControl* Control() const { return control_; }
    // The window whose chain the object is in (a part of Control, or Control's own) and
    // how it is painted.
    HWND Window() const { return window_; }
    int Kind() const { return kind_; }
    // Called by the component that goes or switches the look off: leaves the chain and
    // frees the object now, or when the control's message being handled returns.
    void Release();
    // The object in window's chain, or nullptr.
    static TControlSubClass* Of(HWND window);

    // Paints the flat look over what the control painted.
    void PaintControlXP();

private:
    // Leaves the chain (when still in it) and gives the control its own look back.
    ~TControlSubClass();
    static LRESULT CALLBACK ControlSubClass(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self);
    LRESULT Handle(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Track(UINT msg, WPARAM wParam, LPARAM lParam);
    xplook::FlatState State() const;
    xplook::FlatSurroundings Surroundings() const;
    xplook::ControlCaption Caption() const;
    // The arrow button of an up-down under the cursor: 0 upper, 1 lower, -1 neither.
    int HalfUnderCursor() const;

    TXPMenu* menu_;
    TControl* control_;
    HWND window_;
    int kind_;
    bool inChain_ = false;
    bool highlighted_ = false;
    bool trackingLeave_ = false;  // the system tells the window when the mouse leaves it
    bool mouseDown_ = false;
    bool spaceDown_ = false;
    int paintedHalf_ = -1;  // the up-down half last painted hot
    // Messages of the control being handled (they nest) and whether its window went
    // meanwhile: the object is freed when the outermost one returns.
    int depth_ = 0;
    bool windowGone_ = false;
};

namespace xplook {
// Switches the system's themed painting off for a window the look paints (and back on);
// nothing on systems without themes.
void SetThemedPainting(HWND window, bool themed);
}  // namespace xplook
