// What a list view control itself shows, for tests that look past the object model.
#pragma once

#include "toolkit/ListView.h"

#include <commctrl.h>

#include <string>

namespace testing_support {

// The text the control shows in a cell (not what the object model holds).
inline std::string CellText(TListView* list, int row, int column)
{
    char buffer[260] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(list->Handle(), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

} // namespace testing_support
