// The selected rows of a result list as a small HTML page or as a text file. The cells
// are written as they stand, without HTML escaping: the page shows file and key names
// exactly as the list does, and earlier exports are read by people, not by parsers.
#pragma once

#include <string>
#include <vector>

namespace list_export {

enum class Format { Html = 1, Text = 2 }; // the save dialog's filter index

struct Column {
    std::string caption;
    int width; // pixels
};

// One row: its caption, then its sub-items.
using Row = std::vector<std::string>;

// The page under title, dated dateText after dateWords, one table row per row; a row's
// cell i is empty when the row has fewer cells than there are columns. The list exports
// keep the German date words in both languages, so older pages look the same.
std::vector<std::string> HtmlLines(const std::string& title, const std::string& dateText,
                                   const std::vector<Column>& columns, const std::vector<Row>& rows,
                                   const std::string& dateWords = "erstellt am ");
// One line per row: every cell followed by "; ".
std::vector<std::string> TextLines(const std::vector<Row>& rows);

// The chosen name with ".htm" or ".txt" appended -- always, even when it ends so already.
std::string FileNameFor(const std::string& chosen, Format format);

// Where the page's last paragraph points.
extern const char* const WebSite;

} // namespace list_export
