// The flat painters: each draws over what a standard control painted of itself, on any
// device context, from its state and the look's working colours -- so they can be
// tried on an off-screen bitmap.
#pragma once

#include "xplook/XPColors.h"

#include <string>

namespace xplook {

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
};

// A one-pixel frame round rect (the window of an edit, list or tree view, progress bar).
void PaintFlatFrame(HDC dc, const RECT& rect, COLORREF color);
COLORREF EditFrameColor(const XPWorkColors& colors, const FlatSurroundings& around, const FlatState& state);
COLORREF ListFrameColor(const XPWorkColors& colors, const FlatSurroundings& around, const FlatState& state);

// A push button: face, edge and centred caption.
void PaintButton(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                 const FlatState& state, const std::string& caption, HFONT font);
// The box of a check box at the left (boxRight: at the right) of its client area.
void PaintCheckBox(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                   const FlatState& state, bool boxRight);
void PaintRadio(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                const FlatState& state, bool boxRight);
// A drop-down list's frame and button.
void PaintCombo(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                const FlatState& state, bool droppedDown);
// A group box's frame below its caption (captionHeight), caption left alone.
void PaintGroupFrame(HDC dc, const RECT& client, const FlatSurroundings& around, int captionHeight,
                     int captionWidth);

}  // namespace xplook
