// The parts the result windows share: the status bar and report list they place, and the
// tool bar buttons added from a design table.
#include "common/Language.h"
#include "pageparts/ReportList.h"
#include "pageparts/ToolBarDesign.h"
#include "toolkit/Forms.h"

#include <gtest/gtest.h>

namespace {

class ReportListTest : public ::testing::Test {
protected:
    void SetUp() override { form = new TForm(nullptr); }
    void TearDown() override
    {
        delete form;
        language::Flag = 1;
    }
    TForm* form = nullptr;
};

TEST_F(ReportListTest, TheStatusBarAndTheListFillTheWindowWithTheDesignedColumns)
{
    TStatusBar* bar = report_list::PlaceStatusBar(form, {150, 600});
    TListView* list = report_list::PlaceReportList(
        form, report_list::rowsOnDemand | report_list::gridLines,
        {{"Größe", "Size", 90, taRightJustify}, {"Pfad", "Path", 250, taLeftJustify}});
    EXPECT_EQ(bar->Name, "StatusBar1");
    EXPECT_EQ(bar->Align(), alBottom);
    ASSERT_EQ(bar->Panels()->Count(), 2);
    EXPECT_EQ(bar->Panels()->Items(1)->Width(), 600);
    EXPECT_EQ(list->Name, "ListView1");
    EXPECT_EQ(list->Align(), alClient);
    EXPECT_TRUE(list->OwnerData());
    EXPECT_TRUE(list->GridLines());
    EXPECT_TRUE(list->MultiSelect());
    EXPECT_FALSE(list->HideSelection());
    EXPECT_EQ(list->ViewStyle(), vsReport);
    ASSERT_EQ(list->Columns()->Count(), 2);
    EXPECT_EQ(list->Columns()->Items(0)->Caption(), "Größe");
    EXPECT_EQ(list->Columns()->Items(0)->Width(), 90);
    EXPECT_EQ(list->Columns()->Items(0)->Alignment(), taRightJustify);
    EXPECT_EQ(list->Columns()->Items(1)->Alignment(), taLeftJustify);
}

TEST_F(ReportListTest, CaptionsComeInTheProgramsLanguageOrInBothThroughTheWindowTexts)
{
    language::Flag = 0;
    TListView* plain = report_list::PlaceReportList(form, report_list::plain, {{"Pfad", "Path", 250, taLeftJustify}});
    EXPECT_FALSE(plain->OwnerData());
    EXPECT_FALSE(plain->GridLines());
    EXPECT_EQ(plain->Columns()->Items(0)->Caption(), "Path");

    TWindowTexts texts;
    TListView* switched =
        report_list::PlaceReportList(form, report_list::plain, {{"Pfad", "Path", 250, taLeftJustify}}, texts);
    EXPECT_EQ(switched->Columns()->Items(0)->Caption(), "Pfad");
    texts.English();
    EXPECT_EQ(switched->Columns()->Items(0)->Caption(), "Path");
}

TEST_F(ReportListTest, DesignedToolButtonsTakeTheirPicturesTextsAndClicks)
{
    auto* bar = new TToolBar(form);
    bar->SetParent(form);
    auto* pictures = new TImageList(form, 32, 32);
    TWindowTexts texts;
    TToolButton* open = nullptr;
    int clicks = 0;
    tool_bar_design::AddDesignedButtons(
        *bar, *pictures, texts,
        {{&open, "Open", tbsButton, 4, "Datei", "File", "Öffnen", "Open", [&clicks](TObject*) { ++clicks; }},
         {nullptr, "Gap", tbsSeparator, 0, nullptr, nullptr, nullptr, nullptr, nullptr},
         {nullptr, "View", tbsDropDown, 165, nullptr, nullptr, "Ansicht", "View", nullptr}});
    EXPECT_EQ(bar->Images(), pictures);
    EXPECT_EQ(bar->HotImages(), pictures);
    ASSERT_EQ(bar->ButtonCount(), 3);
    ASSERT_EQ(open, bar->Buttons(0));
    EXPECT_EQ(open->Name, "Open");
    EXPECT_EQ(open->Caption(), "Datei");
    EXPECT_EQ(bar->Buttons(1)->ImageIndex(), -1);
    EXPECT_EQ(bar->Buttons(2)->Caption(), "");
    // Pictures are taken for the buttons only, in their order.
    EXPECT_EQ(pictures->Count(), 2);
    EXPECT_EQ(bar->Buttons(2)->ImageIndex(), 1);
    texts.English();
    EXPECT_EQ(open->Caption(), "File");
    EXPECT_EQ(open->Hint, "Open");
    EXPECT_EQ(bar->Buttons(2)->Hint, "View");
    open->Click();
    EXPECT_EQ(clicks, 1);
}

} // namespace
