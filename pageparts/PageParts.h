// pageparts/: what the pages and windows of every area share, below the areas.
// The parts the main window's pages share, whichever area a page belongs to: their headings, link
// labels (red with the hand cursor while the mouse is over them, their own colour again after),
// popup entries and check lists.
#pragma once

#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/Menus.h"

#include <string>

namespace page_parts {

// The light grey of the lists that gather dropped or stored items (shredder, folder index,
// backups), against the white of the lists whose rows the user ticks.
constexpr TColor listGrey = 0xEAEAEA;

// Where a page's controls stand: 16 pixels in from its left edge, and some 22 pixels short
// of its right and bottom edges (a page is 488 by 385), so that nothing touches the
// window's border or the footer strip below the pages.
constexpr int contentLeft = 16;
constexpr int contentRight = 466;
constexpr int contentBottom = 362;

TLabel* MakePageLink(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top,
                     int width, TColor restColor = clBlue);

// The page's heading: bold navy text across the top of the page, as every page has. A page whose
// lists start higher up than most puts it higher and narrower.
TLabel* MakePageTitle(TComponent* owner, TWinControl* page, const std::string& name, int top = 14,
                      int width = 450);

TMenuItem* MakeMenuEntry(TPopupMenu* menu, const std::string& name, TNotifyEvent onClick);

// A list whose one column needs no heading: the rows say what they are.
void HideColumnHeader(TListView* list);

// A one-column report list with check boxes, no header, selection kept visible.
TListView* MakeCheckList(TComponent* owner, TWinControl* parent, const std::string& name, int left, int top,
                         int width, int height);

// The index of the selected row, or -1.
int SelectedRow(TListView* list);

} // namespace page_parts
