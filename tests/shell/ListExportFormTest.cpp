// Exporting a list view's selected rows through the save dialog, and the sort arrows in
// its header.
#include "tests/shell/FormFixture.h"
#include "tests/support/TempFolder.h"
#include "toolkit/ListView.h"

#include <commctrl.h>

namespace {

// Answers the save dialog like the recording sink and picks the text filter.
class TextFilterEffects : public testing_support::RecordingEffects {
public:
    bool ShowFileDialog(OPENFILENAMEA& dialog, bool save) override
    {
        bool chosen = RecordingEffects::ShowFileDialog(dialog, save);
        dialog.nFilterIndex = 2;
        return chosen;
    }
};

class ListExportFormTest : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();

        list = new TListView(Form1);
        list->SetParent(Form1->TabSheets[8]);
        list->SetMultiSelect(true);
        const char* captions[] = {"Name", "Size", "Path"};
        const int widths[] = {120, 60, 200};
        for (int i = 0; i < 3; ++i) {
            TListColumn* column = list->Columns()->Add();
            column->SetCaption(captions[i]);
            column->SetWidth(widths[i]);
        }
        AddRow({"a<b>.txt", "12", "C:\\x"});
        AddRow({"skipped", "1", "C:\\y"});
        AddRow({"short"}); // no sub-items
    }

    void AddRow(const std::vector<std::string>& cells)
    {
        TListItem* item = list->Items()->Add();
        item->SetCaption(cells[0]);
        for (size_t i = 1; i < cells.size(); ++i)
            item->SubItems()->Add(cells[i]);
    }

    void SelectFirstAndLast()
    {
        list->Items()->Item(0)->SetSelected(true);
        list->Items()->Item(2)->SetSelected(true);
    }

    testing_support::TempFolder temp;
    const std::string folder = temp.Path();
    TListView* list = nullptr;
};

TEST_F(ListExportFormTest, NothingSelectedShowsTheNoteAndWritesNothing)
{
    effects.fileDialogAnswers.push_back(folder + "\\list");
    Form1->ExportAsHTML(nullptr, list, "Found files");
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "Bitte zuerst Dateien auswählen !");
    EXPECT_EQ(effects.boxes[0].caption, "Hinweis");
    EXPECT_EQ(effects.boxes[0].flags, 0x43030u);
    EXPECT_TRUE(effects.fileDialogs.empty());

    Form1->LanguageFlag = 0;
    Form1->ExportAsHTML(nullptr, list, "Found files");
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_EQ(effects.boxes[1].text, "Select files first !");
    EXPECT_EQ(effects.boxes[1].caption, "Note");
}

TEST_F(ListExportFormTest, HtmlPageHoldsTheSelectedRowsUnderTheTitle)
{
    SelectFirstAndLast();
    effects.clockSet = true;
    effects.clock = SYSTEMTIME{2026, 3, 0, 14, 9, 30, 0, 0};
    char date[80] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &effects.clock, nullptr, date, sizeof date);
    Form1->LanguageFlag = 0;
    effects.fileDialogAnswers.push_back(folder + "\\list.htm");

    Form1->ExportAsHTML(nullptr, list, "Found files");

    ASSERT_EQ(effects.fileDialogs.size(), 1u);
    EXPECT_TRUE(effects.fileDialogs[0].save);
    EXPECT_EQ(effects.fileDialogs[0].title, "Save");
    EXPECT_EQ(effects.fileDialogs[0].filter, "HTML Document (*.htm)|*.htm|Text files (*.txt)|*.txt|");
    EXPECT_TRUE(effects.boxes.empty());
    std::string expected =
        "<html>\r\n"
        "  <head>\r\n"
        "    <title>Found files</title>\r\n"
        "  </head>\r\n"
        "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\r\n"
        "   <body bgcolor=\"#FFFFFF\">\r\n"
        "   <h1><font color=\"#0080C0\" size=\"5\">Found files</font></h1>\r\n"
        "   <p><font color=\"#0080C0\">erstellt am " + std::string(date) + " </font></p>\r\n"
        "   <table border=\"0\" cellspacing=\"2\" cellpadding=\"2\">\r\n"
        "   <tr bgcolor=\"#CCCCCC\">\r\n"
        "   <td width=120 bgcolor=\"#6699FF\"><font color=\"#FFFFFF\">Name</font></td>\r\n"
        "   <td width=60 bgcolor=\"#6699FF\"><font color=\"#FFFFFF\">Size</font></td>\r\n"
        "   <td width=200 bgcolor=\"#6699FF\"><font color=\"#FFFFFF\">Path</font></td>\r\n"
        "  </tr>\r\n"
        "  <tr valign=\"top\">\r\n"
        "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\">a<b>.txt</font></td>\r\n"
        "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\">12</font></td>\r\n"
        "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\">C:\\x</font></td>\r\n"
        "  </tr>\r\n"
        "  <tr valign=\"top\">\r\n"
        "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\">short</font></td>\r\n"
        "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\"></font></td>\r\n"
        "    <td bgcolor=\"#F4F4F4\"><font color=\"#0000FF\"></font></td>\r\n"
        "  </tr>\r\n"
        "  </table>\r\n"
        "  <p><a href=\"http://www.tidewrack.example/\">Created by Tidewrack</a></p>\r\n"
        "</body>\r\n";
    // The extension is appended even though the name ends with it already.
    EXPECT_EQ(testing_support::ReadFileText(folder + "\\list.htm.htm"), expected);
    EXPECT_EQ(GetFileAttributesA((folder + "\\list.htm").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ListExportFormTest, TextFileHoldsOneLinePerSelectedRow)
{
    SelectFirstAndLast();
    {
        TextFilterEffects textEffects; // takes the fixture's place while it lives
        textEffects.fileDialogAnswers.push_back(folder + "\\list");
        Form1->ExportAsHTML(nullptr, list, "Found files");
        ASSERT_EQ(textEffects.fileDialogs.size(), 1u);
        EXPECT_EQ(textEffects.fileDialogs[0].title, "Speichern");
    }
    effects::SetSink(&effects);
    EXPECT_EQ(testing_support::ReadFileText(folder + "\\list.txt"), "a<b>.txt; 12; C:\\x; \r\nshort; \r\n");
}

TEST_F(ListExportFormTest, CancelledSaveWritesNothing)
{
    SelectFirstAndLast();
    Form1->ExportAsHTML(nullptr, list, "Found files");
    EXPECT_EQ(effects.fileDialogs.size(), 1u);
    EXPECT_TRUE(effects.boxes.empty());
    EXPECT_EQ(GetFileAttributesA((folder + "\\list.htm").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ListExportFormTest, UnwritableTargetIsReported)
{
    SelectFirstAndLast();
    effects.fileDialogAnswers.push_back(folder + "\\missing folder\\list");
    Form1->ExportAsHTML(nullptr, list, "Found files");
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_NE(effects.boxes[0].text.find("missing folder\\list.htm"), std::string::npos);
}

// The question names the file really written (the extension comes after the dialog), and a
// "no" leaves it as it was.
TEST_F(ListExportFormTest, AsksBeforeReplacingTheFileReallyWritten)
{
    SelectFirstAndLast();
    const std::string written = folder + "\\list.htm.htm";
    testing_support::WriteFileText(written, "the user's page");
    for (int answer : {IDNO, IDYES}) {
        effects.boxes.clear();
        effects.answers = {answer};
        effects.fileDialogAnswers.push_back(folder + "\\list.htm");
        Form1->ExportAsHTML(nullptr, list, "Found files");
        ASSERT_EQ(effects.boxes.size(), 1u) << answer;
        EXPECT_NE(effects.boxes[0].text.find(written), std::string::npos) << answer;
        EXPECT_EQ(testing_support::ReadFileText(written) == "the user's page", answer == IDNO) << answer;
    }
}

} // namespace

TEST_F(ListExportFormTest, OnlyTheColumnKeptShowsAnArrow)
{
    Form1->AddBitmapTo(0, 0, list);
    Form1->AddBitmapTo(2, 1, list);
    Form1->ClearBitmapOnAllBut(2, list);
    EXPECT_EQ(list->Columns()->Items(0)->SortOrder(), soNone);
    EXPECT_EQ(list->Columns()->Items(1)->SortOrder(), soNone);
    EXPECT_EQ(list->Columns()->Items(2)->SortOrder(), soDescending);
    // The header shows it: the arrow of column 2 alone.
    HWND header = reinterpret_cast<HWND>(SendMessageA(list->Handle(), LVM_GETHEADER, 0, 0));
    auto marked = [header](int column) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
        return (item.fmt & (HDF_BITMAP | HDF_SORTUP | HDF_SORTDOWN)) != 0;
    };
    EXPECT_FALSE(marked(0));
    EXPECT_FALSE(marked(1));
    EXPECT_TRUE(marked(2));
}
