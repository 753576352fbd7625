#include "pageparts/ListExport.h"

#include "common/ProductInfo.h"

namespace list_export {

const char* const WebSite = product::WebSiteUrl;

std::vector<std::string> HtmlLines(const std::string& title, const std::string& dateText,
                                   const std::vector<Column>& columns, const std::vector<Row>& rows,
                                   const std::string& dateWords)
{
    std::vector<std::string> lines = {
        "<html>",
        "  <head>",
        "    <title>" + title + "</title>",
        "  </head>",
        "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">",
        "   <body bgcolor=\"#FFFFFF\">",
        "   <h1><font color=\"#0080C0\" size=\"5\">" + title + "</font></h1>",
        "   <p><font color=\"#0080C0\">" + dateWords + dateText + " </font></p>",
        "   <table border=\"0\" cellspacing=\"2\" cellpadding=\"2\">",
        "   <tr bgcolor=\"#CCCCCC\">",
    };
    for (const Column& column : columns)
        lines.push_back("   <td width=" + std::to_string(column.width) +
                        " bgcolor=\"#6699FF\"><font color=\"#FFFFFF\">" + column.caption +
                        "</font></td>");
    lines.push_back("  </tr>");
    for (const Row& row : rows) {
        lines.push_back("  <tr valign=\"top\">");
        for (size_t i = 0; i < columns.size(); ++i)
            lines.push_back("    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\">" +
                            (i < row.size() ? row[i] : std::string()) + "</font></td>");
        lines.push_back("  </tr>");
    }
    lines.push_back("  </table>");
    lines.push_back(std::string("  <p><a href=\"") + WebSite + "\">Created by Tidewrack</a></p>");
    lines.push_back("</body>");
    return lines;
}

std::vector<std::string> TextLines(const std::vector<Row>& rows)
{
    std::vector<std::string> lines;
    for (const Row& row : rows) {
        std::string line;
        for (const std::string& cell : row)
            line += cell + "; ";
        lines.push_back(line);
    }
    return lines;
}

std::string FileNameFor(const std::string& chosen, Format format)
{
    return chosen + (format == Format::Html ? ".htm" : ".txt");
}

} // namespace list_export
