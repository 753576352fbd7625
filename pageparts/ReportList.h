// The rows of a result window (found files, duplicates, the backups browser): a status bar
// along the window's bottom and, over the rest of it, a report list whose selection takes
// several rows and stays marked while another control has the focus.
#pragma once

#include "pageparts/WindowTexts.h"
#include "toolkit/ListView.h"
#include "toolkit/StatusBar.h"

#include <initializer_list>
#include <vector>

namespace report_list {

struct Column {
    const char* germanCaption;
    const char* englishCaption;
    int width;
    TAlignment alignment;
};

// How a list differs from the plain one; combined with |.
enum Option : unsigned {
    plain = 0,
    rowsOnDemand = 1, // a virtual list: its OnData gives each row when the list shows it
    gridLines = 2,
};

// "StatusBar1" along the bottom of window, with panels of these widths from the left.
TStatusBar* PlaceStatusBar(TWinControl* window, std::initializer_list<int> panelWidths);

// "ListView1" over the rest of window (its status bar placed first), with the columns in
// order, their captions in the program's language.
TListView* PlaceReportList(TWinControl* window, unsigned options, const std::vector<Column>& columns);

// The same, with the German captions now and the English ones kept in texts for the
// window's English switch.
TListView* PlaceReportList(TWinControl* window, unsigned options, const std::vector<Column>& columns,
                           TWindowTexts& texts);

} // namespace report_list
