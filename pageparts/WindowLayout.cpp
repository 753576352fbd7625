#include "pageparts/WindowLayout.h"

#include "toolkit/Forms.h"
#include "toolkit/ListView.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace window_layout {

std::string ColumnWidthsText(const std::vector<int>& widths)
{
    std::string text;
    for (int width : widths)
        text += std::to_string(width) + ";";
    return text;
}

std::optional<int> StoredNumber(const std::optional<std::string>& text)
{
    if (!text || text->empty())
        return std::nullopt;
    const char* begin = text->c_str();
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(begin, &end, 10);
    // strtol skips leading blanks; a stored number has none.
    if (*end != '\0' || errno == ERANGE || *begin == ' ' || *begin == '\t' ||
        number < INT_MIN || number > INT_MAX)
        return std::nullopt;
    return static_cast<int>(number);
}

std::vector<std::optional<int>> ColumnWidthsFromText(const std::string& text, int columnCount)
{
    std::vector<std::optional<int>> widths;
    size_t start = 0;
    for (int column = 0; column < columnCount; ++column) {
        size_t semicolon = text.find(';', start);
        if (semicolon == std::string::npos) {
            widths.emplace_back();
            continue;
        }
        widths.push_back(StoredNumber(text.substr(start, semicolon - start)));
        start = semicolon + 1;
    }
    return widths;
}

StoredLayout ReadLayout(TRegistry& registry, const std::string& key, const std::string& columnsName)
{
    StoredLayout stored;
    registry.RootKey = HKEY_CURRENT_USER;
    if (registry.OpenKeyReadOnly(key)) {
        stored.keyFound = true;
        stored.left = registry.ReadString("left");
        stored.top = registry.ReadString("top");
        stored.width = registry.ReadString("width");
        stored.height = registry.ReadString("height");
        stored.columns = registry.ReadString(columnsName);
    }
    registry.CloseKey();
    return stored;
}

bool WriteLayout(TRegistry& registry, const std::string& key, const std::string& columnsName,
                 const WindowRect& rect, const std::vector<int>& widths)
{
    registry.RootKey = HKEY_CURRENT_USER;
    registry.Access = KEY_READ | KEY_WRITE;
    if (!registry.OpenKey(key, true)) {
        registry.CloseKey();
        return false;
    }
    bool written = registry.WriteString(columnsName, ColumnWidthsText(widths)) &&
                   registry.WriteString("width", std::to_string(rect.width)) &&
                   registry.WriteString("left", std::to_string(rect.left)) &&
                   registry.WriteString("top", std::to_string(rect.top)) &&
                   registry.WriteString("height", std::to_string(rect.height));
    registry.CloseKey();
    return written;
}

std::optional<WindowRect> WholeRect(const StoredLayout& stored, const WindowRect& fallback)
{
    if (!stored.keyFound)
        return fallback;
    if (!stored.width)
        return std::nullopt;
    std::optional<int> width = StoredNumber(stored.width), left = StoredNumber(stored.left),
                       top = StoredNumber(stored.top), height = StoredNumber(stored.height);
    if (!width || !left || !top || !height)
        return fallback;
    return WindowRect{*left, *top, *width, *height};
}

WindowRect EachValueRect(const StoredLayout& stored, const WindowRect& current,
                         const WindowRect& fallback)
{
    if (!stored.keyFound)
        return fallback;
    WindowRect rect = current;
    if (auto width = StoredNumber(stored.width)) rect.width = *width;
    if (auto left = StoredNumber(stored.left)) rect.left = *left;
    if (auto height = StoredNumber(stored.height)) rect.height = *height;
    if (auto top = StoredNumber(stored.top)) rect.top = *top;
    return rect;
}

WindowRect RectOf(const TForm& window)
{
    TRect bounds = window.BoundsRect();
    return {bounds.Left, bounds.Top, bounds.Width(), bounds.Height()};
}

void ApplyRect(TForm& window, const WindowRect& rect)
{
    window.SetBounds(rect.left, rect.top, rect.width, rect.height);
}

std::vector<int> ColumnWidthsOf(TListView& list)
{
    std::vector<int> widths;
    for (int column = 0; column < list.Columns()->Count(); ++column)
        widths.push_back(list.Columns()->Items(column)->Width());
    return widths;
}

void ApplyColumnWidths(TListView& list, const std::string& text)
{
    std::vector<std::optional<int>> widths = ColumnWidthsFromText(text, list.Columns()->Count());
    for (size_t column = 0; column < widths.size(); ++column)
        if (widths[column])
            list.Columns()->Items(static_cast<int>(column))->SetWidth(*widths[column]);
}

} // namespace window_layout
