// The found-files window's logic apart from its controls: the order of the records by a
// column, which rows the chosen records occupy after a reorder, the size totals as the
// status bar shows them, type names for records the list has not shown yet, and the
// layout of the printed pages.
#pragma once

#include "fileengines/ScanRecords.h"
#include "toolkit/Contnrs.h"

#include <functional>
#include <string>
#include <vector>

namespace found_files {

// The list's columns, in display order.
enum Column { colName, colPath, colSize, colType, colDate, colAttributes, columnCount };

// Compares the real values of a column: sizes as numbers, dates as file times, the texts
// (name, path, type, attributes) upper-cased by character code. -1, 0 or 1.
int CompareFoundFiles(const FoundFileRecord& first, const FoundFileRecord& second, int column);

// The window keeps one direction flag for every column: for the name column 0 means
// ascending, for the others 1 does.
bool SortsAscending(int column, int direction);

// Sorts the records by the column's values; equal values keep their present order.
void SortRecords(TObjectList<FoundFileRecord>& records, int column, bool ascending);

// The rows (ascending) that the chosen records hold in the list now.
std::vector<int> RowsOf(const TObjectList<FoundFileRecord>& records,
                        const std::vector<const FoundFileRecord*>& chosen);

// The summed sizes of the given rows, and of all rows.
unsigned long long SizeOfRows(const TObjectList<FoundFileRecord>& records, const std::vector<int>& rows);
unsigned long long SizeOfAll(const TObjectList<FoundFileRecord>& records);

// Bytes as megabytes with five decimals and the given decimal separator, then " MB".
std::string MegabytesText(unsigned long long bytes, const std::string& decimalSeparator);

// Gives every record without a type name the type of its file ending, asking
// typeOfEnding once per ending (".TXT", or "" for a name without one).
void FillMissingTypeNames(TObjectList<FoundFileRecord>& records,
                          const std::function<std::string(const std::string& ending)>& typeOfEnding);

// ---- printing
struct PrintText {
    int x, y;   // device pixels
    int points; // font size
    bool bold;
    std::string text;
};
using PrintPage = std::vector<PrintText>;

// The printer's page height in whole centimetres, and its pixels per centimetre, from
// its device capabilities (PHYSICALHEIGHT, LOGPIXELSX/Y).
int PageHeightCm(int physicalHeight, int logPixelsY);
int PixelsPerCm(int logPixels);

struct PrintSetup {
    int pageHeightCm;
    int pixelsPerCmX, pixelsPerCmY;
    std::string headCaptions[4]; // the list's size, type, date and attribute column captions
};

// The pages for the given records, in order: each page has its head (title, page
// number, column heads) and as many rows as fit at 0.3 cm apart, at least one.
std::vector<PrintPage> PrintPages(const std::vector<const FoundFileRecord*>& rows, const PrintSetup& setup);

} // namespace found_files
