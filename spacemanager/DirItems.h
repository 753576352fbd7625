// The space manager's rows: one record per item of the shown folder with its size, its
// share of the folder's total, type, date and attributes, and the rules that order and
// describe them. The window keeps the records; the list, the chart and the context menus
// read them.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <string>
#include <vector>

struct DirItem {
    IShellFolder* ParentFolder = nullptr;  // the listed folder, not owned
    LPITEMIDLIST AbsoluteList = nullptr;   // from the desktop; owned
    LPITEMIDLIST RelativeList = nullptr;   // inside the parent folder; owned
    LPCITEMIDLIST ParentList = nullptr;    // the listed folder's list, not owned
    unsigned char IsFolder = 0;
    std::string ParsingName;
    std::string DisplayName;
    std::string TypeName;
    std::string DateText;
    FILETIME WriteTime{};                  // what the date column sorts by
    int ImageIndex = 0;
    DWORD Attributes = 0;
    double Percent = 0;
    int64_t Size = 0;                      // bytes, at least 1 once listed
};

// Frees every record's lists through the shell allocator and empties the list.
void ClearDirItems(std::vector<DirItem>& items);

// Columns of the item list, which are also the sort keys.
enum DirColumn { dcName, dcSize, dcPercent, dcType, dcDate, dcAttributes };

// The order of two rows by column. The name order is the shell's own (CompareIDs of
// folder); without a folder the upper-cased display names decide. Attributes sort
// descending when not reversed, every other column ascending.
int CompareDirItems(const DirItem& a, const DirItem& b, int key, bool reversed, IShellFolder* folder);

// Each record's share of the sum of all sizes (0 when the sum is 0); returns the
// largest size.
int64_t ApplyShares(std::vector<DirItem>& items);

// Bytes as megabytes with two decimals ("5120.00"; German with a decimal comma).
std::string MegabyteText(double bytes, bool german);
// The last write time as local date and time text, "" for a zero time or one that
// does not convert.
std::string DateTextOf(const FILETIME& writeTime);

// The listing's totals, before the minimum size of 1 byte per row.
struct ListingTotals {
    double folderCount = 0;
    double fileCount = 0;
    uint64_t folderBytes = 0;
    uint64_t fileBytes = 0;
};

// The status line of a listing: counts and sizes of the folders, of the files and of both.
std::string ListingStatusText(const ListingTotals& totals, bool german);
// A folder tree node's caption: the name, two blanks and the size in MB. A shell folder
// without a place on disk (My Computer, Control Panel) has no size: its name alone.
std::string TreeNodeCaption(const std::string& name, uint64_t bytes, bool hasSize, bool german);
// The status line of the selection: how many rows are selected and their size.
std::string SelectionStatusText(int selectedCount, uint64_t selectedBytes, bool german);

// The first row from start on whose display name begins with text (case-insensitive),
// going round to the top when wrap is set; -1 when none does.
int FindRowByPrefix(const std::vector<DirItem>& items, const std::string& text, int start, bool wrap);
