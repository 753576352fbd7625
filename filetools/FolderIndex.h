// The folder index: the files and folders the user dropped, optionally with everything
// below them, written as an HTML page or as semicolon-separated text.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace folder_index {

struct Entry {
    std::string path;
    bool folder = false;
};

// Appends everything below folder: each subfolder followed at once by its contents.
// Junctions and symbolic links are listed but not entered, so the index stays inside
// the folder that was dropped. cancelled is polled between entries.
void AppendFolderEntries(const std::string& folder, std::vector<Entry>& entries,
                         const std::function<bool()>& cancelled = {});

// What the index shows of one entry; found is false for an entry that vanished meanwhile,
// which then gets empty size, type and date cells.
struct Facts {
    bool found = false;
    unsigned long long size = 0;
    std::string typeName;
    std::string dateText;
};
using FactsFunction = std::function<Facts(const std::string& path)>;

struct Totals {
    unsigned long long files = 0;
    unsigned long long folders = 0; // each folder entry once
    unsigned long long bytes = 0;
};

// Bytes in groups of three digits parted by separator ("1,234,567"); 0 gives "0".
std::string ByteFigure(unsigned long long bytes, const std::string& separator);

// The user's separators for the figures of the page ("1.234 Bytes (0,01 MB)").
struct Separators {
    std::string thousands;
    std::string decimal;
};

// The page below its head: the header row of five columns, one row per entry, a summary
// cell after each group of files, the total line, the closing link and "</body>".
// headLines is the list export's page head up to the open table.
std::vector<std::string> HtmlLines(const std::vector<std::string>& headLines, const std::vector<Entry>& entries,
                                   const FactsFunction& facts, bool german, const Separators& separators,
                                   Totals& totals, const std::function<bool(const std::string&)>& step = {});
// One line per entry: name;folder;size;type;date;
std::vector<std::string> TextLines(const std::vector<Entry>& entries, const FactsFunction& facts,
                                   const std::string& thousands,
                                   const std::function<bool(const std::string&)>& step = {});

} // namespace folder_index
