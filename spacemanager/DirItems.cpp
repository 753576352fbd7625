#include "spacemanager/DirItems.h"

#include "common/CaseRule.h"
#include "common/Language.h"
#include "toolkit/NumberText.h"

#include <algorithm>

namespace {

template <typename T>
int Order(T a, T b) { return a < b ? -1 : (b < a ? 1 : 0); }

int CompareTimes(const FILETIME& a, const FILETIME& b)
{
    return CompareFileTime(&a, &b);
}

} // namespace

void ClearDirItems(std::vector<DirItem>& items)
{
    // The records own their lists; the shell's allocator is the task allocator.
    for (DirItem& item : items) {
        CoTaskMemFree(item.RelativeList);
        CoTaskMemFree(item.AbsoluteList);
    }
    items.clear();
}

int CompareDirItems(const DirItem& a, const DirItem& b, int key, bool reversed, IShellFolder* folder)
{
    const DirItem& first = reversed ? b : a;
    const DirItem& second = reversed ? a : b;
    switch (key) {
    case dcName:
        if (folder && first.RelativeList && second.RelativeList) {
            HRESULT result = folder->CompareIDs(0, first.RelativeList, second.RelativeList);
            if (SUCCEEDED(result))
                return static_cast<short>(HRESULT_CODE(result));
        }
        return Order(common::UpperCase(first.DisplayName), common::UpperCase(second.DisplayName));
    case dcSize: return Order(first.Size, second.Size);
    case dcPercent: return Order(first.Percent, second.Percent);
    case dcType: return Order(common::UpperCase(first.TypeName), common::UpperCase(second.TypeName));
    case dcDate: return CompareTimes(first.WriteTime, second.WriteTime);
    case dcAttributes: return Order(second.Attributes, first.Attributes);
    default: return 0;
    }
}

int64_t ApplyShares(std::vector<DirItem>& items)
{
    int64_t total = 0, largest = 0;
    for (const DirItem& item : items)
        total += item.Size;
    for (DirItem& item : items) {
        item.Percent = total > 0 ? 100.0 * static_cast<double>(item.Size) / static_cast<double>(total) : 0;
        largest = std::max(largest, item.Size);
    }
    return total > 0 ? largest : 0;
}

std::string MegabyteText(double bytes, bool german)
{
    return DecimalText(bytes / 1048576.0, 2, german);
}

std::string DateTextOf(const FILETIME& writeTime)
{
    if (writeTime.dwLowDateTime == 0 && writeTime.dwHighDateTime == 0)
        return std::string();
    FILETIME local;
    SYSTEMTIME time;
    if (!FileTimeToLocalFileTime(&writeTime, &local) || !FileTimeToSystemTime(&local, &time))
        return std::string();
    char date[64] = "", clock[64] = "";
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date) ||
        !GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, sizeof clock))
        return std::string();
    return std::string(date) + " " + clock;
}

std::string ListingStatusText(const ListingTotals& totals, bool german)
{
    auto count = [](double value) { return std::to_string(static_cast<long long>(value)); };
    return count(totals.folderCount) + language::Text(german, " Ordner(", " Folders(") +
           MegabyteText(static_cast<double>(totals.folderBytes), german) + " MB), " + count(totals.fileCount) +
           language::Text(german, " Dateien(", " Files(") +
           MegabyteText(static_cast<double>(totals.fileBytes), german) + " MB) [" +
           MegabyteText(static_cast<double>(totals.folderBytes + totals.fileBytes), german) + " MB]";
}

std::string TreeNodeCaption(const std::string& name, uint64_t bytes, bool hasSize, bool german)
{
    return hasSize ? name + "  " + MegabyteText(static_cast<double>(bytes), german) + " MB" : name;
}

std::string SelectionStatusText(int selectedCount, uint64_t selectedBytes, bool german)
{
    return std::to_string(selectedCount) + language::Text(german, " Objekte ausgewählt (", " Objects selected (") +
           MegabyteText(static_cast<double>(selectedBytes), german) + " MB)";
}

int FindRowByPrefix(const std::vector<DirItem>& items, const std::string& text, int start, bool wrap)
{
    const int count = static_cast<int>(items.size());
    if (count == 0 || text.empty())
        return -1;
    const std::string prefix = common::UpperCase(text);
    start = std::clamp(start, 0, count - 1);
    for (int step = 0, row = start; step < count; ++step, ++row) {
        if (row == count) {
            if (!wrap)
                return -1;
            row = 0;
        }
        if (common::UpperCase(items[row].DisplayName).compare(0, prefix.size(), prefix) == 0)
            return row;
    }
    return -1;
}
