// The list view as a virtual list, rows by index, sort arrows, and files dropped on it.
#include "toolkit/Forms.h"
#include "toolkit/ListView.h"

#include "ToolkitTestSupport.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using toolkit_test::CellText;
using toolkit_test::FormHostTest;

class VirtualListTest : public FormHostTest {
protected:
    void SetUp() override
    {
        FormHostTest::SetUp();
        list = new TListView(form);
        list->SetParent(form);
        list->SetAlign(alClient);
        list->SetMultiSelect(true);
        for (const char* caption : {"Name", "Size", "Date"}) {
            TListColumn* column = list->Columns()->Add();
            column->SetCaption(caption);
            column->SetWidth(100);
        }
    }
    // The sort format bits and bitmap of a header item.
    HDITEMA HeaderItem(int column)
    {
        HWND header = reinterpret_cast<HWND>(SendMessageA(list->Handle(), LVM_GETHEADER, 0, 0));
        HDITEMA item{};
        item.mask = HDI_FORMAT | HDI_BITMAP;
        SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
        return item;
    }
    static bool HasSortMark(const HDITEMA& item)
    {
        return (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) || ((item.fmt & HDF_BITMAP) && item.hbm);
    }
    TListView* list = nullptr;
};

TEST_F(VirtualListTest, OwnerDataRowsComeFromOnDataAndOnlyVisibleRowsAreAsked)
{
    list->Items()->Add()->SetCaption("dropped when the list becomes virtual");
    list->SetRowSelect(true);
    list->SetOwnerData(true);
    EXPECT_TRUE(GetWindowLongA(list->Handle(), GWL_STYLE) & LVS_OWNERDATA);
    EXPECT_TRUE(list->RowSelect());          // styles and columns survive the new window
    EXPECT_EQ(list->Columns()->Items(2)->Width(), 100);
    std::set<int> asked;
    list->OnData = [&](TListView*, int index, TListItem& item) {
        asked.insert(index);
        item.SetCaption("file" + std::to_string(index));
        item.SubItems()->Add(std::to_string(index * 10));
    };
    list->SetItemCount(100000);
    EXPECT_EQ(list->Items()->Count(), 100000);
    form->Show();
    UpdateWindow(list->Handle());
    ASSERT_FALSE(asked.empty());
    EXPECT_LT(*asked.rbegin(), 100);         // painting asks for the rows in view only
    EXPECT_EQ(CellText(list, 99999, 0), "file99999");
    EXPECT_EQ(CellText(list, 99999, 1), "999990");
    EXPECT_EQ(CellText(list, 5, 2), "");
    EXPECT_EQ(list->Items()->Item(42)->Caption(), "file42");
    EXPECT_EQ(list->Items()->Item(42)->Index(), 42);
    EXPECT_EQ(list->Items()->Item(100000), nullptr);
    EXPECT_THROW(list->Items()->Add(), std::logic_error);
}

TEST_F(VirtualListTest, SelectionByIndexInAVirtualList)
{
    list->SetOwnerData(true);
    list->OnData = [](TListView*, int index, TListItem& item) { item.SetCaption(std::to_string(index)); };
    list->SetItemCount(5000);
    EXPECT_EQ(list->ItemIndex(), -1);
    list->SetSelected(4000, true);
    list->SetSelected(7, true);
    list->SetSelected(4999, true);
    list->SetSelected(4000, false);
    EXPECT_EQ(list->SelCount(), 2);
    EXPECT_EQ(list->SelectedIndices(), (std::vector<int>{7, 4999}));
    EXPECT_TRUE(list->IsSelected(4999));
    EXPECT_EQ(list->Selected()->Caption(), "7");
    list->SetItemIndex(123);
    EXPECT_EQ(list->SelectedIndices(), (std::vector<int>{123}));
    EXPECT_EQ(list->ItemIndex(), 123);
    list->SetItemIndex(-1);
    EXPECT_EQ(list->SelCount(), 0);
}

TEST_F(VirtualListTest, SortArrowShowsOnExactlyOneColumn)
{
    list->SetSortColumn(list->Columns()->Items(1), soAscending);
    EXPECT_FALSE(HasSortMark(HeaderItem(0)));
    EXPECT_TRUE(HasSortMark(HeaderItem(1)));
    EXPECT_FALSE(HasSortMark(HeaderItem(2)));
    HDITEMA ascending = HeaderItem(1);
    list->SetSortColumn(list->Columns()->Items(2), soDescending);
    EXPECT_FALSE(HasSortMark(HeaderItem(1)));
    HDITEMA descending = HeaderItem(2);
    EXPECT_TRUE(HasSortMark(descending));
    EXPECT_TRUE(ascending.fmt != descending.fmt || ascending.hbm != descending.hbm);
    // A later change of the caption keeps the arrow.
    list->Columns()->Items(2)->SetCaption("Changed");
    EXPECT_TRUE(HasSortMark(HeaderItem(2)));
    EXPECT_EQ(list->Columns()->Items(2)->SortOrder(), soDescending);
    list->SetSortColumn(nullptr, soNone);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(HasSortMark(HeaderItem(i)));
}

// A drop as the shell hands it over: a DROPFILES block with the paths after it.
HGLOBAL MakeDrop(const std::vector<std::string>& paths)
{
    std::string names;
    for (const std::string& path : paths) names += path + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    return memory;
}

TEST_F(VirtualListTest, DroppedFilesReachOnDropFilesWithTheirPaths)
{
    EXPECT_FALSE(list->AcceptFiles());
    list->SetAcceptFiles(true);
    EXPECT_TRUE(list->AcceptFiles());
    std::vector<std::string> seen;
    TObject* sender = nullptr;
    list->OnDropFiles = [&](TObject* from, const std::vector<std::string>& paths) {
        sender = from;
        seen = paths;
    };
    std::vector<std::string> paths{"C:\\temp\\a.txt", "C:\\Program Files\\b c\\d.log", "C:\\x"};
    SendMessageA(list->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)), 0);
    EXPECT_EQ(sender, list);
    EXPECT_EQ(seen, paths);
}

}  // namespace
