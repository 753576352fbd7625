// The page control with hidden tabs that the main window switches by code.
#include "toolkit/Forms.h"
#include "toolkit/PageControl.h"

#include "ToolkitTestSupport.h"

#include <commctrl.h>

#include <vector>

namespace {

using toolkit_test::ToolkitTest;

class PageControlTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 500, 400);
        pages = new TPageControl(form);
        pages->SetParent(form);
        pages->SetAlign(alClient);
        for (int i = 0; i < 22; ++i) {
            auto* sheet = new TTabSheet(form);
            sheet->SetPageControl(pages);
            sheet->SetCaption("Page " + std::to_string(i));
            sheets.push_back(sheet);
        }
    }
    void TearDown() override
    {
        delete form;
        ToolkitTest::TearDown();
    }
    int TabCount() const { return static_cast<int>(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0)); }

    TForm* form = nullptr;
    TPageControl* pages = nullptr;
    std::vector<TTabSheet*> sheets;
};

TEST_F(PageControlTest, FirstSheetIsActiveAndOnlyTheActiveOneShows)
{
    EXPECT_EQ(pages->PageCount(), 22);
    EXPECT_EQ(pages->ActivePage(), sheets[0]);
    EXPECT_EQ(TabCount(), 22);
    pages->SetActivePageIndex(5);
    EXPECT_EQ(pages->ActivePage(), sheets[5]);
    int visible = 0;
    for (TTabSheet* s : sheets) visible += s->Visible() ? 1 : 0;
    EXPECT_EQ(visible, 1);
    EXPECT_TRUE(sheets[5]->Visible());
}

TEST_F(PageControlTest, HiddenTabsLeaveTheWholeControlToThePages)
{
    for (TTabSheet* s : sheets) s->SetTabVisible(false);
    EXPECT_EQ(TabCount(), 0);
    pages->SetActivePage(sheets[21]);
    EXPECT_EQ(pages->ActivePageIndex(), 21);
    EXPECT_EQ(sheets[21]->Left(), 0);
    EXPECT_EQ(sheets[21]->Top(), 0);
    EXPECT_EQ(sheets[21]->Width(), pages->ClientWidth());
    EXPECT_EQ(sheets[21]->Height(), pages->ClientHeight());
    form->SetBounds(0, 0, 600, 450);
    EXPECT_EQ(sheets[21]->Width(), pages->ClientWidth());
    EXPECT_EQ(sheets[21]->Height(), pages->ClientHeight());
}

TEST_F(PageControlTest, OutOfRangeIndexLeavesNoPageActive)
{
    pages->SetActivePageIndex(pages->PageCount());
    EXPECT_EQ(pages->ActivePage(), nullptr);
    EXPECT_EQ(pages->ActivePageIndex(), -1);
}

TEST_F(PageControlTest, PickingATabSwitchesThePageAndTellsOnChange)
{
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    sheets[0]->SetTabVisible(false);  // tab 0 is now sheet 1
    SendMessageA(pages->Handle(), TCM_SETCURSEL, 2, 0);
    NMHDR header{pages->Handle(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(pages->ActivePage(), sheets[3]);
    EXPECT_EQ(changes, 1);
}

TEST_F(PageControlTest, DeletingTheActiveSheetActivatesTheNextOne)
{
    pages->SetActivePage(sheets[4]);
    delete sheets[4];
    EXPECT_EQ(pages->PageCount(), 21);
    EXPECT_EQ(pages->ActivePage(), sheets[5]);
    EXPECT_EQ(sheets[5]->PageIndex(), 4);
}

}  // namespace
