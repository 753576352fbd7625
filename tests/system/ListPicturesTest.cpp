// The pictures of the drive, registry and privacy lists: each row shows the picture it was
// given, from the image list the control really draws with, and none is the system's
// default application icon.
#include "pageparts/Pictures.h"
#include "system/DrivePictures.h"
#include "tests/support/Canvas.h"
#include "tests/support/MainFormFixture.h"
#include "toolkit/ListView.h"
#include "toolkit/TreeView.h"

#include <commctrl.h>

#include <functional>
#include <vector>

namespace {

struct Shown {
    HIMAGELIST list;
    int index;
};

Shown OfRow(TListView* view, int row)
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(view->Handle(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return {ListView_GetImageList(view->Handle(), LVSIL_SMALL), item.iImage};
}

Shown OfNode(TTreeView* tree, int node)
{
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_IMAGE;
    item.hItem = tree->Items()->Item(node)->ItemId();
    SendMessageA(tree->Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return {TreeView_GetImageList(tree->Handle(), TVSIL_NORMAL), item.iImage};
}

// The pixels of a 16 x 16 drawing on white.
template <class Draw>
std::vector<COLORREF> Pixels(Draw draw)
{
    testing_support::Canvas canvas(16, 16);
    RECT all{0, 0, 16, 16};
    FillRect(canvas.dc(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw(canvas.dc());
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels.push_back(canvas.at(x, y));
    return pixels;
}

std::vector<COLORREF> Pixels(const Shown& shown)
{
    return Pixels([&](HDC dc) { ImageList_Draw(shown.list, shown.index, dc, 0, 0, ILD_NORMAL); });
}

int SystemIconOf(const char* path)
{
    SHFILEINFOA info{};
    SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return info.iIcon;
}

class ListPicturesTest : public testing_support::MainFormTest {
protected:
    void Open(int section, int item)
    {
        Form1->NavSection = section;
        Form1->NavItem = item;
        Form1->SpeedClick(nullptr);
    }
};

TEST_F(ListPicturesTest, EveryRowShowsItsOwnPictureAndNoneTheDefaultIcon)
{
    SettleAfterStart();
    Open(1, 0); // wipe free space
    Open(2, 1); // registry cleaner
    Open(2, 5); // installed software
    Open(2, 7); // privacy
    Open(3, 3); // disk check
    TForm1& f = *Form1;
    const int systemC = SystemIconOf("C:\\");
    // The first row of each drive list is drive C: of the sandbox.
    const struct {
        const char* what;
        std::function<Shown()> shown;
        int index;
    } rows[] = {
        {"drive information: a drive", [&] { return OfRow(f.ListView5, 0); }, systemC},
        {"drive information: a group", [&] { return OfRow(f.ListView4, 0); }, 0},
        {"drive information: a fact", [&] { return OfRow(f.ListView4, 1); }, 1},
        {"wipe free space: a drive", [&] { return OfRow(f.ListView10, 0); }, systemC},
        {"disk check: a drive", [&] { return OfRow(f.ListView6, 0); }, drive_pictures::fixed},
        {"registry cleaner: a hard drive", [&] { return OfRow(f.ListView12, 0); }, drive_pictures::fixed},
        {"installed software: a product", [&] { return OfRow(f.ListView16, 0); }, pictures::productPicture},
        {"privacy: browser", [&] { return OfNode(f.TreeView3, 0); }, 2},
        {"privacy: media player", [&] { return OfNode(f.TreeView3, 3); }, 3},
        {"privacy: error reports", [&] { return OfNode(f.TreeView3, 7); }, 4},
        {"privacy: services", [&] { return OfNode(f.TreeView3, 10); }, 5},
        {"privacy: messenger", [&] { return OfNode(f.TreeView3, 15); }, 6},
        {"privacy: other settings", [&] { return OfNode(f.TreeView3, 19); }, 7},
    };
    const std::vector<COLORREF> blank = Pixels([](HDC) {});
    // The system's default icons as a 16 x 16 image list shows them.
    std::vector<std::vector<COLORREF>> defaultIcons;
    HIMAGELIST defaults = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
    for (LPCSTR icon : {IDI_APPLICATION, IDI_WINLOGO})
        defaultIcons.push_back(Pixels(Shown{defaults, ImageList_AddIcon(defaults, LoadIconA(nullptr, icon))}));
    ImageList_Destroy(defaults);
    std::vector<std::vector<COLORREF>> privacyGroups;
    for (const auto& row : rows) {
        const Shown shown = row.shown();
        EXPECT_EQ(shown.index, row.index) << row.what;
        const std::vector<COLORREF> pixels = Pixels(shown);
        EXPECT_NE(pixels, blank) << row.what;
        for (const std::vector<COLORREF>& defaultIcon : defaultIcons)
            EXPECT_NE(pixels, defaultIcon) << row.what;
        if (std::string(row.what).rfind("privacy", 0) == 0)
            privacyGroups.push_back(pixels);
    }
    for (size_t a = 0; a < privacyGroups.size(); ++a)
        for (size_t b = a + 1; b < privacyGroups.size(); ++b)
            EXPECT_NE(privacyGroups[a], privacyGroups[b]) << "privacy groups " << a << " and " << b;
}

} // namespace
