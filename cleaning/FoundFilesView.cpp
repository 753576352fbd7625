#include "cleaning/FoundFilesView.h"

#include "common/CaseRule.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <unordered_set>

namespace found_files {

namespace {

template <class T>
int CompareValues(const T& a, const T& b)
{
    return a < b ? -1 : b < a ? 1 : 0;
}

unsigned long long TimeValue(const FILETIME& time)
{
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// The ending the shell names a file's type by: ".TXT", or "" when the name has none.
std::string EndingOf(const std::string& path)
{
    size_t nameStart = path.find_last_of("\\/");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < nameStart)
        return std::string();
    return common::UpperCase(path.substr(dot));
}

} // namespace

int CompareFoundFiles(const FoundFileRecord& first, const FoundFileRecord& second, int column)
{
    switch (column) {
    case colName: return common::CompareText(first.displayName, second.displayName);
    case colPath: return common::CompareText(first.path, second.path);
    case colSize: return CompareValues(first.size, second.size);
    case colType: return common::CompareText(first.typeName, second.typeName);
    case colDate: return CompareValues(TimeValue(first.lastWrite), TimeValue(second.lastWrite));
    case colAttributes: return common::CompareText(first.attributes, second.attributes);
    default: return 0;
    }
}

bool SortsAscending(int column, int direction)
{
    return column == colName ? direction == 0 : direction == 1;
}

void SortRecords(TObjectList<FoundFileRecord>& records, int column, bool ascending)
{
    if (ascending)
        records.Sort([column](const FoundFileRecord* a, const FoundFileRecord* b) {
            return CompareFoundFiles(*a, *b, column) < 0;
        });
    else
        records.Sort([column](const FoundFileRecord* a, const FoundFileRecord* b) {
            return CompareFoundFiles(*a, *b, column) > 0;
        });
}

std::vector<int> RowsOf(const TObjectList<FoundFileRecord>& records,
                        const std::vector<const FoundFileRecord*>& chosen)
{
    std::vector<int> rows;
    if (chosen.empty())
        return rows;
    std::unordered_set<const FoundFileRecord*> wanted(chosen.begin(), chosen.end());
    for (int row = 0; row < records.Count(); ++row)
        if (wanted.count(records.Items(row)))
            rows.push_back(row);
    return rows;
}

unsigned long long SizeOfRows(const TObjectList<FoundFileRecord>& records, const std::vector<int>& rows)
{
    unsigned long long total = 0;
    for (int row : rows)
        total += records.Items(row)->size;
    return total;
}

unsigned long long SizeOfAll(const TObjectList<FoundFileRecord>& records)
{
    unsigned long long total = 0;
    for (int row = 0; row < records.Count(); ++row)
        total += records.Items(row)->size;
    return total;
}

std::string MegabytesText(unsigned long long bytes, const std::string& decimalSeparator)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.5f", static_cast<double>(bytes) / 1048576.0);
    std::string number = text;
    size_t point = number.find('.');
    if (point != std::string::npos)
        number.replace(point, 1, decimalSeparator);
    return number + " MB";
}

void FillMissingTypeNames(TObjectList<FoundFileRecord>& records,
                          const std::function<std::string(const std::string& ending)>& typeOfEnding)
{
    std::map<std::string, std::string> known;
    for (int row = 0; row < records.Count(); ++row) {
        FoundFileRecord& record = *records.Items(row);
        if (!record.typeName.empty())
            continue;
        std::string ending = EndingOf(record.path);
        auto found = known.find(ending);
        if (found == known.end())
            found = known.emplace(ending, typeOfEnding(ending)).first;
        record.typeName = found->second;
    }
}

// ---- printing

int PageHeightCm(int physicalHeight, int logPixelsY)
{
    if (logPixelsY <= 0)
        return 0;
    return static_cast<int>(std::lround(physicalHeight * 25.4 / logPixelsY)) / 10;
}

int PixelsPerCm(int logPixels) { return static_cast<int>(std::lround(logPixels * 0.3937007874)); }

namespace {

// Positions are given in tenths of a centimetre, which keeps the row steps of 0.3 cm
// exact; they become device pixels by the printer's pixels per centimetre.
struct PageWriter {
    const PrintSetup& setup;
    std::vector<PrintPage> pages;

    void Put(int xTenths, int yTenths, int points, bool bold, const std::string& text)
    {
        pages.back().push_back({static_cast<int>(std::lround(xTenths / 10.0 * setup.pixelsPerCmX)),
                                static_cast<int>(std::lround(yTenths / 10.0 * setup.pixelsPerCmY)),
                                points, bold, text});
    }

    void BeginPage()
    {
        pages.emplace_back();
        Put(10, 10, 14, true, "Fileinformation");
        Put(65, 12, 8, false, "made by");
        Put(87, 10, 12, true, "Tidewrack");
        Put(140, 12, 8, false, "(Page " + std::to_string(pages.size()) + ")");
        Put(10, 20, 8, true, "File");
        const int columnX[4] = {100, 134, 158, 186};
        for (int i = 0; i < 4; ++i)
            Put(columnX[i], 20, 8, true, setup.headCaptions[i]);
    }
};

} // namespace

std::vector<PrintPage> PrintPages(const std::vector<const FoundFileRecord*>& rows, const PrintSetup& setup)
{
    PageWriter writer{setup, {}};
    writer.BeginPage();
    int k = 0; // rows on the current page
    for (const FoundFileRecord* record : rows) {
        // The row at 2.5 + 0.3 k cm must stay above the bottom 3 cm of the page; a page
        // too short for even one row still gets one, so every row is printed.
        if (k > 0 && !(setup.pageHeightCm * 10 - 30 > 25 + 3 * k)) {
            writer.BeginPage();
            k = 0;
        }
        int y = 25 + 3 * k;
        writer.Put(10, y, 8, false, record->path.substr(0, 52));
        writer.Put(100, y, 8, false, record->sizeText.substr(0, 22));
        writer.Put(134, y, 8, false, record->typeName);
        writer.Put(158, y, 8, false, record->dateText);
        writer.Put(186, y, 8, false, record->attributes);
        ++k;
    }
    return writer.pages;
}

} // namespace found_files
