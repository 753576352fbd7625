// The export page and text, line by line.
#include "pageparts/ListExport.h"

#include <gtest/gtest.h>

namespace {

using list_export::Column;
using list_export::Row;
using Lines = std::vector<std::string>;

TEST(HtmlLines, PageWithHeadTableAndLinkButNoClosingHtmlTag)
{
    Lines lines = list_export::HtmlLines("Backups", "01.02.2026", {{"Name", 100}, {"Size", 40}},
                                         {{"x & y", "3", "ignored"}, {}});
    Lines expected = {
        "<html>",
        "  <head>",
        "    <title>Backups</title>",
        "  </head>",
        "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">",
        "   <body bgcolor=\"#FFFFFF\">",
        "   <h1><font color=\"#0080C0\" size=\"5\">Backups</font></h1>",
        "   <p><font color=\"#0080C0\">erstellt am 01.02.2026 </font></p>",
        "   <table border=\"0\" cellspacing=\"2\" cellpadding=\"2\">",
        "   <tr bgcolor=\"#CCCCCC\">",
        "   <td width=100 bgcolor=\"#6699FF\"><font color=\"#FFFFFF\">Name</font></td>",
        "   <td width=40 bgcolor=\"#6699FF\"><font color=\"#FFFFFF\">Size</font></td>",
        "  </tr>",
        "  <tr valign=\"top\">",
        "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\">x & y</font></td>",
        "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\">3</font></td>",
        "  </tr>",
        "  <tr valign=\"top\">",
        "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\"></font></td>",
        "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\"></font></td>",
        "  </tr>",
        "  </table>",
        std::string("  <p><a href=\"") + list_export::WebSite + "\">Created by Tidewrack</a></p>",
        "</body>",
    };
    EXPECT_EQ(lines, expected);
}

TEST(TextLines, EveryCellEndsWithSemicolonAndBlank)
{
    EXPECT_EQ(list_export::TextLines({{"a", "b", "c"}, {"<x>"}, {}}),
              (Lines{"a; b; c; ", "<x>; ", ""}));
}

TEST(FileNameFor, ExtensionIsAlwaysAppended)
{
    EXPECT_EQ(list_export::FileNameFor("C:\\list", list_export::Format::Html), "C:\\list.htm");
    EXPECT_EQ(list_export::FileNameFor("C:\\list.htm", list_export::Format::Html), "C:\\list.htm.htm");
    EXPECT_EQ(list_export::FileNameFor("C:\\list.txt", list_export::Format::Text), "C:\\list.txt.txt");
}

} // namespace
