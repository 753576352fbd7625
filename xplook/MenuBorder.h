// The flat border of a popup menu window.
#pragma once

#include "xplook/XPColors.h"

namespace xplook {

// Paints the border of a popup menu window of width x height on the window's device
// context: a one-pixel frame in menuBorder, the icon column carried through the frame's
// top rows, and, where the system draws no shadow (before XP), a two-pixel shadow at the
// right and bottom in menuShadow (the window's region leaves it the room).
void PaintMenuBorder(HDC dc, int width, int height, bool rightToLeft, bool xp, const XPWorkColors& colors);

}  // namespace xplook
