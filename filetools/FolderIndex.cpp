#include "filetools/FolderIndex.h"

#include "common/FindHandle.h"
#include "common/Language.h"
#include "common/ProductInfo.h"

#include <windows.h>

#include <cstdio>

namespace folder_index {

namespace {

std::string Megabytes(unsigned long long bytes, const std::string& decimal)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(bytes) / 1048576.0);
    std::string figure = text;
    figure.replace(figure.find('.'), 1, decimal);
    return figure;
}

std::string NameOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

const char* const fileCell = "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\">";
const char* const cellEnd = "</font></td>";

// The summary of a group of files, and the invisible cell that parts it from the next.
void AppendGroupEnd(std::vector<std::string>& lines, unsigned long long files, unsigned long long bytes,
                    bool german, const Separators& separators)
{
    lines.push_back("    <td bgcolor=\"#FFFFFF\"><font color=\"#0000FF\">" + std::to_string(files) +
                    language::Text(german, " Dateien; ", " Files; ") + ByteFigure(bytes, separators.thousands) +
                    " Bytes (" + Megabytes(bytes, separators.decimal) + " MB)" + cellEnd);
    lines.push_back(std::string("    <td bgcolor=\"#FFFFFF\"><font color=\"#FFFFFF\">") +
                    language::Text(german, "neuer Ordner", "new folder") + cellEnd);
}

} // namespace

void AppendFolderEntries(const std::string& folder, std::vector<Entry>& entries,
                         const std::function<bool()>& cancelled)
{
    WIN32_FIND_DATAA found;
    FindHandle search(folder + "\\*", found);
    if (!search.Valid())
        return;
    do {
        if (cancelled && cancelled())
            return;
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entries.push_back({path, isFolder});
        if (isFolder && !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            AppendFolderEntries(path, entries, cancelled);
    } while (search.Next(found));
}

std::string ByteFigure(unsigned long long bytes, const std::string& separator)
{
    std::string digits = std::to_string(bytes);
    std::string text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0)
            text += separator;
        text += digits[i];
    }
    return text;
}

std::vector<std::string> HtmlLines(const std::vector<std::string>& headLines, const std::vector<Entry>& entries,
                                   const FactsFunction& facts, bool german, const Separators& separators,
                                   Totals& totals, const std::function<bool(const std::string&)>& step)
{
    std::vector<std::string> lines = headLines;
    lines.push_back("   <tr bgcolor=\"#CCCCCC\">");
    const char* german_[] = {"Name", "Ordner", "Größe", "Typname", "Datum"};
    const char* english[] = {"Name", "Folder", "Size", "Type", "Date"};
    for (int i = 0; i < 5; ++i)
        lines.push_back(std::string("   <td width=100 bgcolor=\"#6699FF\"><font color=\"#FFFFFF\">") +
                        language::Text(german, german_[i], english[i]) + cellEnd);
    lines.push_back("  </tr>");

    totals = Totals{};
    unsigned long long groupFiles = 0, groupBytes = 0;
    for (const Entry& entry : entries) {
        if (step && !step(entry.path))
            break;
        lines.push_back("  <tr valign=\"top\">");
        if (entry.folder) {
            ++totals.folders;
            if (groupFiles > 0) {
                AppendGroupEnd(lines, groupFiles, groupBytes, german, separators);
                groupFiles = groupBytes = 0;
            }
        } else {
            Facts file = facts(entry.path);
            ++totals.files;
            ++groupFiles;
            totals.bytes += file.size;
            groupBytes += file.size;
            for (const std::string& value :
                 {NameOf(entry.path), FolderOf(entry.path),
                  file.found ? ByteFigure(file.size, separators.thousands) : std::string(),
                  file.found ? file.typeName : std::string(), file.found ? file.dateText : std::string()})
                lines.push_back(fileCell + value + cellEnd);
        }
        lines.push_back("  </tr>");
    }
    if (groupFiles > 0)
        AppendGroupEnd(lines, groupFiles, groupBytes, german, separators);
    lines.push_back("  </table>");
    lines.push_back(fileCell + std::string(language::Text(german, "Gesamt: ", "Total: ")) +
                    std::to_string(totals.files) + language::Text(german, " Dateien; ", " Files; ") +
                    std::to_string(totals.folders) + language::Text(german, " Ordner; ", " Folders; ") +
                    ByteFigure(totals.bytes, separators.thousands) + " Bytes (" +
                    Megabytes(totals.bytes, separators.decimal) + " MB)" + cellEnd);
    lines.push_back(std::string("  <p><a href=\"") + product::WebSiteUrl + "\">Created by Tidewrack</a></p>");
    lines.push_back("</body>");
    return lines;
}

std::vector<std::string> TextLines(const std::vector<Entry>& entries, const FactsFunction& facts,
                                   const std::string& thousands,
                                   const std::function<bool(const std::string&)>& step)
{
    std::vector<std::string> lines;
    for (const Entry& entry : entries) {
        if (step && !step(entry.path))
            break;
        Facts item = facts(entry.path);
        bool sized = item.found && !entry.folder;
        lines.push_back(NameOf(entry.path) + ";" + FolderOf(entry.path) + ";" +
                        (sized ? ByteFigure(item.size, thousands) : std::string()) + ";" +
                        (item.found ? item.typeName : std::string()) + ";" +
                        (item.found ? item.dateText : std::string()) + ";");
    }
    return lines;
}

} // namespace folder_index
