// Where a result window was and how wide its list's columns were, stored as string
// values under one subkey of the settings: "left", "top", "width", "height" (the whole
// window, in pixels) and one value of column widths, each followed by ";" ("200;80;120;").
// The column value's name differs by window ("columswidth", "columnswidth", "columns");
// each window reads the name it writes.
#pragma once

#include "toolkit/Registry.h"

#include <optional>
#include <string>
#include <vector>

class TForm;
class TListView;

namespace window_layout {

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// "200;80;120;" for widths 200, 80 and 120.
std::string ColumnWidthsText(const std::vector<int>& widths);

// The stored width of each of the first columnCount columns, in column order. A column
// keeps its designed width (nullopt) when its entry is empty (";120;"), not a whole
// number ("abc;") or missing (fewer entries than columns); text after the last ";" is
// not an entry.
std::vector<std::optional<int>> ColumnWidthsFromText(const std::string& text, int columnCount);

// A stored number as a whole decimal number, or nullopt.
std::optional<int> StoredNumber(const std::optional<std::string>& text);

// The values one window stored under its subkey.
struct StoredLayout {
    bool keyFound = false;
    std::optional<std::string> left, top, width, height;
    std::optional<std::string> columns;
};

// Reads under HKEY_CURRENT_USER key (never creating it).
StoredLayout ReadLayout(TRegistry& registry, const std::string& key, const std::string& columnsName);
// Writes the column value, then "width", "left", "top", "height", under HKEY_CURRENT_USER
// key (created when missing). Nothing is written when the key cannot be opened; false then.
bool WriteLayout(TRegistry& registry, const std::string& key, const std::string& columnsName,
                 const WindowRect& rect, const std::vector<int>& widths);

// The found-files window's rule: the stored rectangle when "width" is stored, nothing
// (keep the window as it is) when only other values are, and the fallback when the
// subkey is missing or one of the four values is missing or not a number.
std::optional<WindowRect> WholeRect(const StoredLayout& stored, const WindowRect& fallback);
// The backups browser's rule: each stored value that is a number replaces that side of
// current; the fallback when the subkey is missing.
WindowRect EachValueRect(const StoredLayout& stored, const WindowRect& current,
                         const WindowRect& fallback);

// ---- a window and its list
WindowRect RectOf(const TForm& window);
void ApplyRect(TForm& window, const WindowRect& rect);
std::vector<int> ColumnWidthsOf(TListView& list);
// Sets the widths that the text holds; other columns keep theirs.
void ApplyColumnWidths(TListView& list, const std::string& text);

} // namespace window_layout
