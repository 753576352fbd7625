// The page control with hidden tabs that the main window switches by code.
#include "toolkit/Forms.h"
#include "toolkit/PageControl.h"

#include "ToolkitTestSupport.h"

#include <commctrl.h>

#include <string>
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
    // The captions on the control's tabs, in order.
    std::vector<std::string> TabTexts() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < TabCount(); ++i) {
            char text[64] = "";
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(pages->Handle(), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            texts.push_back(text);
        }
        return texts;
    }

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

TEST_F(PageControlTest, TabsFollowTheSheetsThroughHidingRenamingAndRemoving)
{
    for (int i = 4; i < 22; ++i) delete sheets[i];
    sheets.resize(4);
    EXPECT_EQ(TabTexts(), (std::vector<std::string>{"Page 0", "Page 1", "Page 2", "Page 3"}));
    sheets[1]->SetTabVisible(false);
    sheets[2]->SetTabVisible(false);
    EXPECT_EQ(TabTexts(), (std::vector<std::string>{"Page 0", "Page 3"}));
    sheets[2]->SetCaption("Renamed while hidden");
    sheets[2]->SetTabVisible(true);
    sheets[3]->SetCaption("Renamed");
    EXPECT_EQ(TabTexts(), (std::vector<std::string>{"Page 0", "Renamed while hidden", "Renamed"}));
    sheets[1]->SetTabVisible(true);
    delete sheets[0];
    EXPECT_EQ(TabTexts(), (std::vector<std::string>{"Page 1", "Renamed while hidden", "Renamed"}));

    // A sheet moved to another page control takes its tab along.
    auto* other = new TPageControl(form);
    other->SetParent(form);
    sheets[2]->SetPageControl(other);
    EXPECT_EQ(TabTexts(), (std::vector<std::string>{"Page 1", "Renamed"}));
    EXPECT_EQ(SendMessageA(other->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
    // The selected tab is the active page's.
    pages->SetActivePage(sheets[3]);
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 1);
}

}  // namespace
