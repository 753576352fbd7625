// The look's painters of menu items and tool buttons.
#pragma once

#include "xplook/XPColors.h"

#include <functional>
#include <string>

class TXPMenu;
class TToolBar;
class TToolButton;

namespace xplook {

// A picture as the painters get it: paint draws it at (0, 0) of a dc; width 0 means none.
struct Picture {
    int width = 0;
    int height = 0;
    std::function<void(HDC dc)> paint;
};

// What a menu item shows, as the painter needs it.
struct MenuItemFacts {
    std::string caption;
    // The item's key, drawn right-aligned in the key column; empty for none.
    std::string shortCut;
    bool separator = false;
    bool enabled = true;
    bool checked = false;
    bool radio = false;
    bool isDefault = false;
    bool hasSubItems = false;
    // An item of a menu bar, and the bar's last one.
    bool topItem = false;
    bool lastTopItem = false;
    // A bar item the mouse is over: it lights up like an open one, without the shadow.
    bool underCursor = false;
    Picture picture;
};

// The look's settings that menu items are painted with.
struct MenuLook {
    int iconWidth = 24;
    bool drawSelect = true;
    // Popup items on a gradient from the icon column's colour toward white.
    bool gradient = false;
    // The bar in menuBarColor, up to barWidth (the form's client width) behind its last item.
    bool drawMenuBar = false;
    COLORREF menuBarColor = 0;
    int barWidth = 0;
    bool useSystemColors = true;
    int dimLevel = 30;
    int grayLevel = 10;
    HFONT font = nullptr;
    COLORREF fontColor = 0;
};

// The size a menu item needs (at least width x height as given).
void MeasureMenuItem(const MenuItemFacts& item, HDC dc, const MenuLook& look, int& width, int& height);
// Paints a menu item into rect.
void DrawMenuItem(const MenuItemFacts& item, HDC dc, const RECT& rect, bool selected, const MenuLook& look,
                  const XPWorkColors& colors);

// An open menu-bar item (or a pressed tool button with a menu): a face in the selection
// colour framed on three sides, with a shadow falling to the right for a bar item in high
// colour, else a strip in a shade of barColor.
void DrawTopMenuItem(HDC dc, const RECT& rect, COLORREF barColor, bool menuBarItem, const XPWorkColors& colors);

// How DrawTheText shows a text: in the font's colour, the selected font colour when
// selected, the disabled colour when disabled; an enabled default one embossed in shades
// of what lies beneath it; a selected bar item in system colours in a colour that stands
// out on the icon column's.
struct TextState {
    bool selected = false;
    bool enabled = true;
    bool isDefault = false;
    bool topItem = false;
    bool useSystemColors = true;
};
// Draws text in rect with DrawTextEx and format (tabs expanded) and, when shortCut is not
// empty, shortCut in the same rect 10 pixels in from the far side (from the left for
// right-to-left reading).
void DrawTheText(HDC dc, const std::string& text, const std::string& shortCut, const RECT& rect, UINT format,
                 HFONT font, COLORREF fontColor, const TextState& state, const XPWorkColors& colors);

// How an icon is shown: greyed and dimmed when disabled, dimmed when resting in high
// colour (not when checked); a hot one moves by (-left, -up) over a shadow 2 pixels
// down and right of it.
struct IconState {
    bool enabled = true;
    bool hot = false;
    bool checked = false;
    int up = 0;
    int left = 0;
    int dimLevel = 30;
    int grayLevel = 10;
    bool highColor = true;
    COLORREF shadow = 0;
    // The colour the picture lies on (its soft edges blend into it).
    COLORREF under = 0;
};
void DrawIcon(HDC dc, const Picture& picture, int x, int y, const IconState& state);

// Draws one tool button flat: background, hot or checked fill and frame, the image of
// the state (hot, disabled or normal list), and separators with a Tag above 0 as a line.
void ToolBarDrawButton(TXPMenu& menu, TToolBar* bar, TToolButton* button, HDC dc, unsigned state);

}  // namespace xplook
