// The flat painters: each draws over what a standard control painted of itself, on any
// device context, from its state and the look's working colours -- so they can be
// tried on an off-screen bitmap.
#pragma once

#include "toolkit/Panel.h"
#include "xplook/XPColors.h"

#include <string>

namespace xplook {

// Fills rect with one solid colour.
void FillSolid(HDC dc, const RECT& rect, COLORREF color);

struct FlatState {
    bool hot = false;      // mouse inside or keyboard focus
    bool focused = false;
    bool enabled = true;
    bool pressed = false;  // left button or space key held
    bool checked = false;
    bool grayed = false;
    bool isDefault = false;
    bool rightToLeft = false;
};

// The colours round a control: its own and the brush of its parent.
struct FlatSurroundings {
    COLORREF control;
    COLORREF parentBrush;
    // The control blends into a coloured parent (Tag 1000): faces are the parent's brush
    // lightened instead of the button face.
    bool fillFromParent = false;
};

// A control's caption and the font it is shown in.
struct ControlCaption {
    std::string text;
    HFONT font = nullptr;
    COLORREF color = 0;
};

// A one-pixel frame round rect (the window of an edit, list or tree view, progress bar).
void PaintFlatFrame(HDC dc, const RECT& rect, COLORREF color);
COLORREF EditFrameColor(const XPWorkColors& colors, const FlatSurroundings& around, const FlatState& state);
// A list or tree view's frame: fainter, and at rest in its parent's colour, when the view
// has no border of its own.
COLORREF ListFrameColor(const XPWorkColors& colors, const FlatSurroundings& around, const FlatState& state,
                        bool singleBorder);
COLORREF ProgressFrameColor(const XPWorkColors& colors, const FlatSurroundings& around, const FlatState& state);

// A push button: face, edge and centred caption (embossed on the default button).
void PaintButton(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                 const FlatState& state, const ControlCaption& caption);
// A speed button: its face by flat, down (state.checked) and hot state, an outline, the
// edge of a raised or pressed button, and the centred caption.
void PaintSpeedButton(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                      const FlatState& state, bool flat, const ControlCaption& caption);
// The box of a check box at the left (boxRight: at the right) of its client area.
void PaintCheckBox(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                   const FlatState& state, bool boxRight);
void PaintRadio(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                const FlatState& state, bool boxRight);
// A combo box's frame and, unless it is a simple one (list always open), its drop-down button.
void PaintCombo(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                const FlatState& state, bool droppedDown, bool simple);
// A group box's frame below its caption (captionHeight), caption left alone: light on
// the top and left, shaded on the bottom and right.
void PaintGroupFrame(HDC dc, const RECT& client, const FlatSurroundings& around, int captionHeight,
                     int captionWidth);
// An up-down control's two arrow buttons, one above the other; hotHalf is the half under
// the cursor (0 upper, 1 lower, -1 neither).
void PaintUpDown(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                 const FlatState& state, int hotHalf);
// A panel's outer bevel and, borderWidth further in, its inner one, bevelWidth pixels
// each, in shades of its colour.
void PaintPanelBevels(HDC dc, const RECT& client, COLORREF control, TPanelBevel outer, TPanelBevel inner,
                      int bevelWidth, int borderWidth);

}  // namespace xplook
