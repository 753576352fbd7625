// The folder index's entries and its two formats.
#include "filetools/FolderIndex.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace {

using folder_index::Entry;
using testing_support::WriteFileText;

folder_index::Facts SizeOnly(const std::string& path)
{
    folder_index::Facts facts;
    std::string bytes = testing_support::ReadFileText(path);
    facts.found = testing_support::Exists(path);
    facts.size = bytes.size();
    facts.typeName = "T";
    facts.dateText = "D";
    return facts;
}

size_t Find(const std::vector<std::string>& lines, const std::string& text)
{
    auto at = std::find_if(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.find(text) != std::string::npos; });
    return at == lines.end() ? std::string::npos : static_cast<size_t>(at - lines.begin());
}

TEST(FolderIndex, SubfolderIsFollowedByItsContents)
{
    testing_support::TempFolder folder;
    CreateDirectoryA((folder / "sub").c_str(), nullptr);
    WriteFileText(folder / "sub\\inner.txt", "x");
    WriteFileText(folder / "top.txt", "y");
    std::vector<Entry> entries;
    folder_index::AppendFolderEntries(folder.Path(), entries);
    ASSERT_EQ(entries.size(), 3u);
    auto sub = std::find_if(entries.begin(), entries.end(), [](const Entry& e) { return e.folder; });
    ASSERT_NE(sub, entries.end());
    EXPECT_EQ((sub + 1)->path, folder / "sub\\inner.txt");
}

TEST(FolderIndex, HtmlRowsGroupSummariesAndTotal)
{
    testing_support::TempFolder folder;
    WriteFileText(folder / "a", std::string(10, 'a'));
    WriteFileText(folder / "b", std::string(20, 'b'));
    std::vector<Entry> entries = {{folder.Path(), true}, {folder / "a", false}, {folder / "b", false},
                                  {folder / "gone", false}};
    folder_index::Totals totals;
    std::vector<std::string> lines = folder_index::HtmlLines({"<head>"}, entries, SizeOnly, false, {",", "."}, totals);

    EXPECT_EQ(lines[0], "<head>");
    EXPECT_EQ(totals.files, 3u);
    EXPECT_EQ(totals.folders, 1u); // counted once
    EXPECT_EQ(totals.bytes, 30u);
    size_t summary = Find(lines, "3 Files; 30 Bytes (0.00 MB)");
    ASSERT_NE(summary, std::string::npos);
    EXPECT_NE(lines[summary + 1].find(">new folder<"), std::string::npos);
    EXPECT_LT(Find(lines, ">b<"), summary);
    EXPECT_NE(Find(lines, "Total: 3 Files; 1 Folders; 30 Bytes (0.00 MB)"), std::string::npos);
    // The vanished file: its name and folder, then three empty cells.
    size_t gone = Find(lines, ">gone<");
    ASSERT_NE(gone, std::string::npos);
    EXPECT_EQ(lines[gone + 2], "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\"></font></td>");
    EXPECT_EQ(lines.back(), "</body>");
}

TEST(FolderIndex, MegabytesTakeTheDecimalSeparator)
{
    auto megabyteAndAHalf = [](const std::string&) { return folder_index::Facts{true, 1572864, "T", "D"}; };
    folder_index::Totals totals;
    std::vector<std::string> lines = folder_index::HtmlLines({"<head>"}, {{"C:\\a", false}}, megabyteAndAHalf,
                                                             true, {".", ","}, totals);
    EXPECT_NE(Find(lines, "1.572.864 Bytes (1,50 MB)"), std::string::npos);
}

TEST(FolderIndex, TextHasOneLinePerEntry)
{
    testing_support::TempFolder folder;
    WriteFileText(folder / "a", std::string(1234, 'a'));
    std::vector<Entry> entries = {{folder.Path(), true}, {folder / "a", false}};
    std::vector<std::string> lines = folder_index::TextLines(entries, SizeOnly, ".");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "a;" + folder.Path() + "\\;1.234;T;D;");
}

TEST(FolderIndex, ByteFigures)
{
    EXPECT_EQ(folder_index::ByteFigure(0, ","), "0");
    EXPECT_EQ(folder_index::ByteFigure(999, ","), "999");
    EXPECT_EQ(folder_index::ByteFigure(1234567, ","), "1,234,567");
    EXPECT_EQ(folder_index::ByteFigure(1234567, "\xA0"), "1\xA0" "234\xA0" "567");
}

} // namespace
