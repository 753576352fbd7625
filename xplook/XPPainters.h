// The look's painters of menu items and tool buttons.
#pragma once

#include "xplook/XPColors.h"

#include <string>

class TXPMenu;
class TToolBar;
class TToolButton;

namespace xplook {

// What a menu item shows, as the painter needs it.
struct MenuItemFacts {
    std::string caption;
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    bool radio = false;
    bool hasSubItems = false;
};

// The size a popup menu item needs (at least width x height as given).
void MeasureMenuItem(const MenuItemFacts& item, HDC dc, HFONT font, int iconWidth, int& width, int& height);
// Paints a popup menu item into rect.
void DrawMenuItem(const MenuItemFacts& item, HDC dc, const RECT& rect, bool selected, bool drawSelect,
                  int iconWidth, HFONT font, COLORREF fontColor, const XPWorkColors& colors);

// Draws one tool button flat: background, hot or checked fill and frame, the image of
// the state (hot, disabled or normal list), and separators with a Tag above 0 as a line.
void ToolBarDrawButton(TXPMenu& menu, TToolBar* bar, TToolButton* button, HDC dc, unsigned state);

}  // namespace xplook
