// A result list's column of dates: wide enough for a whole date and time as the locale
// writes them, whatever the month, day or hour.
#pragma once

class TListView;

// Gives column (and its caption) the least width the widest date and time needs.
void FitDateColumn(TListView& list, int column);
