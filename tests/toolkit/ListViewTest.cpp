// The list view: items with texts, check marks, selection, data and ordering.
#include "toolkit/Forms.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/Place.h"

#include "ToolkitTestSupport.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

namespace {

using toolkit_test::CellText;
using toolkit_test::FormHostTest;

class ListViewTest : public FormHostTest {
protected:
    void SetUp() override
    {
        FormHostTest::SetUp();
        list = new TListView(form);
        list->SetParent(form);
        list->SetAlign(alClient);
        list->SetCheckboxes(true);
        list->SetMultiSelect(true);
        TListColumn* name = list->Columns()->Add();
        name->SetCaption("Name");
        name->SetWidth(140);
        TListColumn* size = list->Columns()->Add();
        size->SetCaption("Size");
        size->SetWidth(90);
        size->SetAlignment(taRightJustify);
    }
    TListItem* AddRow(const std::string& caption, const std::string& size)
    {
        TListItem* item = list->Items()->Add();
        item->SetCaption(caption);
        item->SubItems()->Add(size);
        return item;
    }
    TListView* list = nullptr;
};

TEST_F(ListViewTest, ColumnsKeepCaptionWidthAndAlignment)
{
    ASSERT_EQ(list->Columns()->Count(), 2);
    EXPECT_EQ(list->Columns()->Items(0)->Caption(), "Name");
    EXPECT_EQ(list->Columns()->Items(0)->Width(), 140);
    EXPECT_EQ(list->Columns()->Items(1)->Width(), 90);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_TEXT;
    char text[64] = "";
    column.pszText = text;
    column.cchTextMax = sizeof text;
    SendMessageA(list->Handle(), LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(std::string(text), "Size");
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
}

TEST_F(ListViewTest, TheControlShowsCaptionsAndSubItemsAsTheyChange)
{
    TListItem* a = AddRow("autoexec.bat", "12");
    AddRow("config.sys", "7");
    EXPECT_EQ(list->Items()->Count(), 2);
    EXPECT_EQ(CellText(list, 0, 0), "autoexec.bat");
    EXPECT_EQ(CellText(list, 1, 1), "7");
    EXPECT_EQ(CellText(list, 1, 2), "");  // beyond the sub-items: empty
    a->SetCaption("boot.ini");
    a->SubItems()->SetString(0, "99");
    EXPECT_EQ(CellText(list, 0, 0), "boot.ini");
    EXPECT_EQ(CellText(list, 0, 1), "99");
}

TEST_F(ListViewTest, CheckMarksAndDataBelongToTheirItems)
{
    int payload = 5;
    TListItem* a = AddRow("a", "1");
    TListItem* b = AddRow("b", "2");
    b->SetData(&payload);
    EXPECT_FALSE(a->Checked());
    b->SetChecked(true);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    // Checking through the control (as a click on the box does) shows in the item.
    ListView_SetCheckState(list->Handle(), 0, TRUE);
    EXPECT_TRUE(a->Checked());
    EXPECT_EQ(list->Items()->Item(1)->Data(), &payload);
}

TEST_F(ListViewTest, SelectionIsReadAndSetThroughItems)
{
    TListItem* a = AddRow("a", "1");
    TListItem* b = AddRow("b", "2");
    TListItem* c = AddRow("c", "3");
    EXPECT_EQ(list->Selected(), nullptr);
    EXPECT_EQ(list->SelCount(), 0);
    c->SetSelected(true);
    a->SetSelected(true);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_EQ(list->Selected(), a);  // the first selected row
    EXPECT_EQ(list->GetNextItem(a, LVNI_SELECTED), c);
    list->SetSelected(b);
    EXPECT_EQ(list->SelCount(), 1);
    EXPECT_TRUE(b->Selected());
    list->SelectAll();
    EXPECT_EQ(list->SelCount(), 3);
}

TEST_F(ListViewTest, APlacedRowListPicksWholeRowsAndKeepsThemMarked)
{
    TListView* rows = PlaceRowList(form, form, "Rows", 10, 20, 200, 100);
    EXPECT_EQ(rows->Name, "Rows");
    EXPECT_EQ(rows->Top(), 20);
    EXPECT_EQ(rows->ViewStyle(), vsReport);
    EXPECT_TRUE(rows->RowSelect());
    EXPECT_FALSE(rows->HideSelection());
}

TEST_F(ListViewTest, DeletingFromTheEndKeepsTheOtherItemsAndTheirIndexes)
{
    // The program deletes selected rows from the last to the first.
    for (int i = 0; i < 6; ++i) AddRow("row" + std::to_string(i), std::to_string(i));
    list->Items()->Item(1)->SetSelected(true);
    list->Items()->Item(4)->SetSelected(true);
    for (int i = list->Items()->Count() - 1; i >= 0; --i)
        if (list->Items()->Item(i)->Selected()) list->Items()->Delete(i);
    ASSERT_EQ(list->Items()->Count(), 4);
    EXPECT_EQ(list->Items()->Item(1)->Caption(), "row2");
    EXPECT_EQ(list->Items()->Item(3)->Caption(), "row5");
    EXPECT_EQ(list->Items()->Item(3)->Index(), 3);
    list->Items()->Item(0)->Delete();
    EXPECT_EQ(CellText(list, 0, 0), "row2");
    list->Items()->Clear();
    EXPECT_EQ(list->Items()->Count(), 0);
    EXPECT_EQ(list->Items()->Item(0), nullptr);
}

TEST_F(ListViewTest, CustomSortReordersRowsWithTheirItems)
{
    TListItem* big = AddRow("big", "300");
    AddRow("small", "2");
    AddRow("medium", "40");
    list->CustomSort([](TListItem* a, TListItem* b) {
        return std::stoi(a->SubItems()->Strings(0)) - std::stoi(b->SubItems()->Strings(0));
    });
    EXPECT_EQ(CellText(list, 0, 0), "small");
    EXPECT_EQ(CellText(list, 2, 0), "big");
    EXPECT_EQ(big->Index(), 2);
    EXPECT_THROW(list->CustomSort([](TListItem*, TListItem*) -> int { throw std::runtime_error("bad"); }),
                 std::runtime_error);
}

TEST_F(ListViewTest, ClickDoubleClickColumnClickAndDeleteKeyReachTheirEvents)
{
    AddRow("a", "1");
    std::string events;
    list->OnClick = [&](TObject*) { events += "click "; };
    list->OnDblClick = [&](TObject*) { events += "dblclick "; };
    list->OnColumnClick = [&](TObject*, TListColumn* column) { events += "column" + std::to_string(column->Index()) + " "; };
    list->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { events += "key" + std::to_string(key); };
    NMITEMACTIVATE click{};
    click.hdr = NMHDR{list->Handle(), 0, static_cast<UINT>(NM_CLICK)};
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    click.hdr.code = static_cast<UINT>(NM_DBLCLK);
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    NMLISTVIEW column{};
    column.hdr = NMHDR{list->Handle(), 0, static_cast<UINT>(LVN_COLUMNCLICK)};
    column.iSubItem = 1;
    SendMessageA(form->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&column));
    SendMessageA(list->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(events, "click dblclick column1 key46");
}

TEST_F(ListViewTest, SharedImageListSurvivesTheListView)
{
    // The system image list is borrowed: neither the list view nor the wrapper frees it.
    HIMAGELIST shared = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    ImageList_AddIcon(shared, LoadIconA(nullptr, IDI_APPLICATION));
    auto* images = new TImageList(form);
    images->SetShareImages(true);
    images->SetHandle(shared);
    list->SetSmallImages(images);
    TListItem* item = AddRow("drive", "");
    item->SetImageIndex(0);
    LVITEMA asked{};
    asked.mask = LVIF_IMAGE;
    asked.iItem = 0;
    SendMessageA(list->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&asked));
    EXPECT_EQ(asked.iImage, 0);
    delete form;
    form = nullptr;
    EXPECT_EQ(ImageList_GetImageCount(shared), 1);
    ImageList_Destroy(shared);
}

TEST_F(ListViewTest, TheListViewFollowsItsImageListsHandleAndLetsGoOfAListThatGoes)
{
    // Pages set the list first and adopt the shell's list later: the control must draw
    // with the new handle, never with the one its list destroyed.
    auto* images = new TImageList(form);
    list->SetSmallImages(images);
    HIMAGELIST adopted = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    images->SetHandle(adopted);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(list->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0)), adopted);
    delete images;
    EXPECT_EQ(list->SmallImages(), nullptr);
    EXPECT_EQ(SendMessageA(list->Handle(), LVM_GETIMAGELIST, LVSIL_SMALL, 0), 0);
}

}  // namespace

// A column given the width its widest text needs is at least as wide as the control's own
// fit of that text; SetWidth below the least width keeps the least.
TEST_F(ListViewTest, AColumnFittedToItsTextsShowsThemWhole)
{
    const std::string text = "12/28/2028 10:58:58 PM  Wednesday";
    AddRow("a", text);
    TListColumn* size = list->Columns()->Items(1);
    size->SetMinWidth(list->CellWidth({"x", text}));
    const int fitted = size->Width();
    size->SetWidth(10);
    EXPECT_EQ(size->Width(), fitted);
    SendMessageA(list->Handle(), LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE);
    EXPECT_GE(fitted, size->Width());
}

// The last column takes what the others leave of the list's width, and keeps its
// caption in view when they leave less.
TEST_F(ListViewTest, TheLastColumnFillsTheListAsItsWidthChanges)
{
    list->SetAlign(alNone);
    list->SetLastColumnFills(true);
    TListColumn* last = list->Columns()->Items(1);
    const int captionWidth = ListView_GetStringWidth(list->Handle(), "Size");
    for (int width : {400, 250, 600, 120}) {
        list->SetBounds(0, 0, width, 200);
        RECT client;
        GetClientRect(list->Handle(), &client);
        const int room = client.right - list->Columns()->Items(0)->Width();
        if (room > captionWidth + 12)
            EXPECT_EQ(last->Width(), room) << width;
        else
            EXPECT_GT(last->Width(), captionWidth) << width;
    }
    list->Columns()->Items(0)->SetWidth(60);
    RECT client;
    GetClientRect(list->Handle(), &client);
    EXPECT_EQ(last->Width(), client.right - 60);
}
