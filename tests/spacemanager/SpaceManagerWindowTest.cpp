// The space manager window in-process: listing, sorting, the monitor, the shell menus
// and the secure wipe, the chart and the layout, on temporary folders.
#include "filetools/ShredderForm.h"
#include "common/OptionsKeys.h"
#include "fileengines/ShellServices.h"
#include "spacemanager/Dirsize.h"
#include "spacemanager/ShellMenus.h"
#include "spacemanager/Tabframe.h"
#include "tests/shredder/ShredderTestKit.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/UnixSymlink.h"

#include <algorithm>
#include <map>

using testing_support::TempFolder;
using testing_support::WriteFileText;
namespace keys = options::dirSize;

namespace {

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// How many pixels of the chart's picture have exactly that colour.
int ChartPixels(TFrame6* frame, TColor colour)
{
    HBITMAP picture = frame->ChartBitmap();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = frame->DBChart1->Width();
    info.bmiHeader.biHeight = frame->DBChart1->Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<RGBQUAD> pixels(static_cast<size_t>(info.bmiHeader.biWidth) * info.bmiHeader.biHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, picture, 0, info.bmiHeader.biHeight, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(picture);
    const COLORREF wanted = ColorToRGB(colour);
    return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), [wanted](RGBQUAD p) {
        return RGB(p.rgbRed, p.rgbGreen, p.rgbBlue) == wanted;
    }));
}

class SpaceManagerTest : public testing_support::MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        SettleAfterStart();
    }
    void TearDown() override
    {
        for (const std::string& link : links)
            testing_support::RemoveUnixSymlink(link);
        MainFormTest::TearDown(); // the main form takes the space manager with it
    }

    TForm11* Open()
    {
        Form1->Button8Click(nullptr);
        EXPECT_NE(nullptr, Form11);
        return Form11;
    }

    void Show(const std::string& path)
    {
        LPITEMIDLIST list = nullptr;
        std::wstring wide(path.begin(), path.end());
        ASSERT_TRUE(SUCCEEDED(Form11->DesktopFolder->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &list,
                                                                       nullptr)));
        Form11->ShowFolder(list);
        CoTaskMemFree(list);
    }

    const DirItem* Row(const std::string& name)
    {
        for (const DirItem& item : Form11->DirItems)
            if (EndsWith(item.ParsingName, "\\" + name))
                return &item;
        return nullptr;
    }

    template <typename Done>
    static bool PumpUntil(Done done)
    {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 20000) {
            Application->ProcessMessages();
            if (done())
                return true;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        return false;
    }

    // The tree's top level becomes the folders of path; opened as the window opens, the
    // first of them is opened and shown too.
    void FillTopLevelWith(const std::string& path, bool asWhenOpening = false)
    {
        LPITEMIDLIST list = nullptr;
        std::wstring wide(path.begin(), path.end());
        ASSERT_TRUE(SUCCEEDED(Form11->DesktopFolder->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &list,
                                                                       nullptr)));
        IShellFolder* shellFolder = nullptr;
        ASSERT_TRUE(SUCCEEDED(Form11->DesktopFolder->BindToObject(list, nullptr, IID_IShellFolder,
                                                                  reinterpret_cast<void**>(&shellFolder))));
        Form11->TreeView1->SetSelected(nullptr); // so that the nodes going are not shown one by one
        Form11->TreeView1->Items()->Clear();
        if (asWhenOpening)
            Form11->FillTree(shellFolder, list);
        else
            Form11->FillTreeChildren(shellFolder, list, nullptr);
        shellFolder->Release();
        CoTaskMemFree(list);
    }

    // The window open on the test folder, holding one folder "old" with a file: its node, selected.
    TTreeNode* OpenOnAFolderOld()
    {
        Open();
        shredder_test::MakeFolder(folder / "old");
        WriteFileText(folder / "old\\a", "a");
        FillTopLevelWith(folder.Path());
        TTreeNode* node = Form11->TreeView1->Items()->GetFirstNode();
        Form11->TreeView1->SetSelected(node);
        return node;
    }

    // The next menu picks the shell's command with this verb.
    void ChooseVerb(const std::string& verb)
    {
        Form11->ChooseMenuCommand = [verb](HMENU menu, int, int) -> UINT {
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                const UINT id = GetMenuItemID(menu, i);
                if (id != 0 && id < kWipeCommand && ShellMenuVerb(Form11->ShellMenu, id - kFirstShellCommand) == verb)
                    return id;
            }
            return 0;
        };
    }

    void SelectRows(std::initializer_list<const char*> names)
    {
        Form11->ListView1->ClearSelection();
        for (const char* name : names)
            Form11->ListView1->SetSelected(static_cast<int>(Row(name) - Form11->DirItems.data()), true);
    }

    TempFolder folder;
    std::vector<std::string> links;
};

} // namespace

TEST_F(SpaceManagerTest, ListsSizesAndTotalsWithoutFollowingLinks)
{
    Open();
    shredder_test::MakeFolder(folder / "sub");
    shredder_test::MakeFolder(folder / "outside");
    WriteFileText(folder / "sub\\a", std::string(100, 'a'));
    WriteFileText(folder / "outside\\big", std::string(50000, 'x'));
    WriteFileText(folder / "file.txt", std::string(10, 'f'));
    WriteFileText(folder / "empty.txt", "");
    ASSERT_TRUE(testing_support::MakeUnixSymlink(folder / "sub\\link", folder / "outside"));
    links.push_back(folder / "sub\\link");

    Show(folder / "sub");
    ASSERT_EQ(2u, Form11->DirItems.size());
    ASSERT_NE(nullptr, Row("link"));
    EXPECT_LT(Row("link")->Size, 50000);
    EXPECT_EQ(folder / "sub", Form11->ShownPath());

    Show(folder.Path());
    ASSERT_NE(nullptr, Row("sub"));
    EXPECT_EQ(1, Row("sub")->IsFolder);
    EXPECT_GE(Row("sub")->Size, 100);
    EXPECT_LT(Row("sub")->Size, 50000);
    EXPECT_EQ(10, Row("file.txt")->Size);
    EXPECT_EQ(1, Row("empty.txt")->Size); // 1 byte for the shares, 0 in the totals
    EXPECT_EQ(10u, Form11->Totals.fileBytes);
    EXPECT_EQ(2, Form11->Totals.fileCount);
    EXPECT_EQ("0 Objekte ausgewählt (0,00 MB)", Form11->StatusBar1->Panels()->Items(1)->Text());
    SelectRows({"file.txt", "empty.txt"});
    Form11->ListView1SelectItem(nullptr);
    EXPECT_EQ("2 Objekte ausgewählt (0,00 MB)", Form11->StatusBar1->Panels()->Items(1)->Text());
}

TEST_F(SpaceManagerTest, TreeNodesCarryTheirSizesAndLinksAreNotOpened)
{
    Open();
    shredder_test::MakeFolder(folder / "sub");
    shredder_test::MakeFolder(folder / "sub\\deeper");
    shredder_test::MakeFolder(folder / "outside");
    WriteFileText(folder / "sub\\a", std::string(1048576, 'a'));
    WriteFileText(folder / "file.txt", "x");
    ASSERT_TRUE(testing_support::MakeUnixSymlink(folder / "link", folder / "outside"));
    links.push_back(folder / "link");
    FillTopLevelWith(folder.Path());

    std::map<std::string, TTreeNode*> nodes;
    for (TTreeNode* node = Form11->TreeView1->Items()->GetFirstNode(); node; node = node->GetNextSibling())
        nodes[node->Text()] = node;
    ASSERT_EQ(1u, nodes.count("sub  1,00 MB"));
    EXPECT_EQ(0u, nodes.count("file.txt  0,00 MB"));
    ASSERT_EQ(1u, nodes.count("link  0,00 MB"));
    EXPECT_FALSE(nodes["link  0,00 MB"]->HasChildren());
    TTreeNode* sub = nodes["sub  1,00 MB"];
    sub->Expand(false);
    ASSERT_EQ(1, sub->Count());
    EXPECT_EQ("deeper  0,00 MB", sub->Item(0)->Text());
    EXPECT_EQ(folder / "sub\\deeper", file_engines::GetDisplayName(Form11->DesktopFolder,
                                                      static_cast<LPCITEMIDLIST>(sub->Item(0)->Data()),
                                                      SHGDN_FORPARSING));
}

// The first folder is measured with the top level; opening and listing it measure nothing
// again.
TEST_F(SpaceManagerTest, OpeningMeasuresEachFolderOnce)
{
    Open();
    for (const char* top : {"one", "two"})
        for (const char* below : {"", "\\a", "\\b"}) {
            shredder_test::MakeFolder(folder / (top + std::string(below)));
            WriteFileText(folder / (top + std::string(below) + "\\file"), "12345");
        }
    const int before = Form11->FoldersMeasured;
    FillTopLevelWith(folder.Path(), true);
    EXPECT_EQ(Form11->FoldersMeasured - before, 2);
    TTreeNode* first = Form11->TreeView1->Items()->GetFirstNode();
    ASSERT_EQ(first->Count(), 2);
    ASSERT_NE(nullptr, Row("a"));
    EXPECT_EQ(Row("a")->Size, 5);
    EXPECT_TRUE(Form11->SizesComplete);
}

namespace opening {

bool shownWhileSizing = false;

// Runs inside the first sizing's message pump: is the window there, and what does
// "Start" clicked now do?
LRESULT CALLBACK WitnessProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_APP)
        return DefWindowProcA(window, msg, wParam, lParam);
    shownWhileSizing = Form11 && IsWindowVisible(Form11->Handle());
    Form1->Button8Click(nullptr);
    return 0;
}

BOOL CALLBACK CountManagers(HWND window, LPARAM count)
{
    char caption[32] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (IsWindowVisible(window) && std::string(caption) == "Hoardmap")
        ++*reinterpret_cast<int*>(count);
    return TRUE;
}

} // namespace opening

// The tree is sized with the window on the screen (Escape reaches the sizing), and a click
// on "Start" meanwhile makes no second window.
TEST_F(SpaceManagerTest, TheWindowShowsBeforeItsTreeIsSizedAndComesOnce)
{
    char desktop[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, desktop)));
    const std::string sized = std::string(desktop) + "\\sized when opening";
    shredder_test::MakeFolder(sized);
    WriteFileText(sized + "\\a", "a");
    WNDCLASSA type{};
    type.lpfnWndProc = opening::WitnessProc;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "SpaceManagerOpeningWitness";
    RegisterClassA(&type);
    HWND witness = CreateWindowExA(0, type.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   type.hInstance, nullptr);
    PostMessageA(witness, WM_APP, 0, 0);

    Open();
    int managers = 0;
    EnumThreadWindows(GetCurrentThreadId(), opening::CountManagers, reinterpret_cast<LPARAM>(&managers));
    EXPECT_EQ(managers, 1);
    EXPECT_TRUE(opening::shownWhileSizing);
    DestroyWindow(witness);
    testing_support::RemoveTree(sized);
}

TEST_F(SpaceManagerTest, DeleteInTheTreesMenuGoesToTheRecycleBinAfterAQuestion)
{
    TTreeNode* node = OpenOnAFolderOld();
    ASSERT_NE(nullptr, node);
    ChooseVerb("delete");
    effects.answers.push_back(IDNO);
    Form11->DoExplorerMenu(static_cast<LPCITEMIDLIST>(node->Data()), 0, 0);
    ASSERT_EQ(1u, effects.boxes.size());
    EXPECT_TRUE(testing_support::Exists(folder / "old"));

    effects.answers.push_back(IDYES);
    Form11->DoExplorerMenu(static_cast<LPCITEMIDLIST>(node->Data()), 0, 0);
    EXPECT_EQ(2u, effects.boxes.size());
    EXPECT_FALSE(testing_support::Exists(folder / "old"));
    EXPECT_EQ(nullptr, Form11->TreeView1->Items()->GetFirstNode());
}

// The list's delete is the shell's own, which would take a guarded folder as readily as
// any other: the folder is refused before the shell sees the command.
TEST_F(SpaceManagerTest, TheListsDeleteRefusesAGuardedFolder)
{
    Form1->BackupDir = folder / "holder\\ZipBackup";
    shredder_test::MakeFolder(folder / "holder");
    shredder_test::MakeFolder(Form1->BackupDir);
    Open();
    Show(folder.Path());
    ChooseVerb("delete");
    SelectRows({"holder"});
    Form11->ListView1ContextPopup(10, 10);
    ASSERT_EQ(1u, effects.boxes.size());
    EXPECT_EQ(static_cast<UINT>(MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK), effects.boxes[0].flags);
    EXPECT_NE(std::string::npos, effects.boxes[0].text.find(folder / "holder"));
    EXPECT_TRUE(testing_support::Exists(Form1->BackupDir));
}

// Where the recycle bin cannot take the folder, the delete asks before it goes for good.
TEST_F(SpaceManagerTest, TheTreesDeleteAsksBeforeADeleteForGood)
{
    TTreeNode* node = OpenOnAFolderOld();
    ASSERT_NE(nullptr, node);
    Form11->HasRecycleBin = [](const std::string&) { return false; };
    effects.answers = {IDYES, IDNO}; // to the recycle bin: yes; for good: no
    Form11->LoeschenBaum();
    ASSERT_EQ(2u, effects.boxes.size());
    EXPECT_NE(std::string::npos, effects.boxes[1].text.find("Papierkorb"));
    EXPECT_TRUE(testing_support::Exists(folder / "old\\a"));
}

TEST_F(SpaceManagerTest, ColumnClicksSortAscendingThenDescending)
{
    Open();
    WriteFileText(folder / "b", std::string(30, 'x'));
    WriteFileText(folder / "a", std::string(10, 'x'));
    WriteFileText(folder / "c", std::string(20, 'x'));
    Show(folder.Path());
    auto sizes = [] {
        std::vector<int64_t> result;
        for (const DirItem& item : Form11->DirItems)
            result.push_back(item.Size);
        return result;
    };
    TListColumn* size = Form11->ListView1->Columns()->Items(dcSize);
    Form11->ListView1ColumnClick(nullptr, size);
    EXPECT_EQ((std::vector<int64_t>{10, 20, 30}), sizes());
    Form11->ListView1ColumnClick(nullptr, size);
    EXPECT_EQ((std::vector<int64_t>{30, 20, 10}), sizes());
    EXPECT_EQ(soDescending, size->SortOrder());
}

TEST_F(SpaceManagerTest, TheMonitorSeesFilesComeAndGoAndOneWatchIsKept)
{
    Open();
    for (int i = 0; i < 10; ++i)
        shredder_test::MakeFolder(folder / ("d" + std::to_string(i)));
    for (int i = 0; i < 10; ++i)
        Show(folder / ("d" + std::to_string(i)));
    ASSERT_TRUE(Form11->Monitor);
    EXPECT_EQ(folder / "d9", Form11->Monitor->WatchPath());

    Show(folder.Path());
    WriteFileText(folder / "new.txt", "n");
    EXPECT_TRUE(PumpUntil([this] { return Row("new.txt") != nullptr; }));
    DeleteFileA((folder / "new.txt").c_str());
    EXPECT_TRUE(PumpUntil([this] { return Row("new.txt") == nullptr; }));
}

TEST_F(SpaceManagerTest, ClosingWhileANoticeIsUnderWayEndsCleanly)
{
    Open();
    Show(folder.Path());
    WriteFileText(folder / "new.txt", "n");
    const DWORD start = GetTickCount();
    while (Form11->Monitor->NoticesPosted() == 0 && GetTickCount() - start < 20000)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    ASSERT_EQ(1u, Form11->Monitor->NoticesPosted());
    delete Form11; // the thread is stopped and joined; its notice finds no window
    EXPECT_EQ(nullptr, Form11);
    Application->ProcessMessages();
}

TEST_F(SpaceManagerTest, EscapeStopsASizingAndAClosingWaitsForItToUnwind)
{
    Open();
    shredder_test::MakeFolder(folder / "sub");
    WriteFileText(folder / "sub\\a", std::string(100, 'a'));
    Form11->SizingPumpMs = 0;
    PostMessageA(Form11->ListView1->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    Show(folder.Path());
    ASSERT_NE(nullptr, Row("sub"));
    EXPECT_FALSE(Form11->SizesComplete);
    EXPECT_NE(std::string::npos, Form11->StatusBar1->Panels()->Items(0)->Text().find("abgebrochen"));

    PostMessageA(Form11->Handle(), WM_CLOSE, 0, 0);
    Show(folder.Path());
    EXPECT_TRUE(effects.launches.empty()); // not from inside the listing
    EXPECT_TRUE(PumpUntil([this] { return !effects.launches.empty(); }));
}

TEST_F(SpaceManagerTest, TheListMenuIsTheShellsWithTheWipeOnTopAndVerbsResolve)
{
    Open();
    shredder_test::MakeFolder(folder / "junk");
    WriteFileText(folder / "file.txt", "x");
    Show(folder.Path());
    std::vector<std::string> verbs;
    UINT firstId = 0, highestShellId = 0;
    Form11->ChooseMenuCommand = [&](HMENU menu, int, int) -> UINT {
        EXPECT_EQ(0, Form11->MenuIdle);
        firstId = GetMenuItemID(menu, 0);
        for (int i = 1; i < GetMenuItemCount(menu); ++i) {
            const UINT id = GetMenuItemID(menu, i);
            if (id == 0 || id == static_cast<UINT>(-1))
                continue;
            highestShellId = std::max(highestShellId, id);
            verbs.push_back(ShellMenuVerb(Form11->ShellMenu, id - kFirstShellCommand));
        }
        return 0;
    };
    SelectRows({"junk"});
    Form11->ListView1ContextPopup(10, 10);
    EXPECT_EQ(kWipeCommand, firstId);
    EXPECT_LT(highestShellId, kWipeCommand);
    EXPECT_NE(verbs.end(), std::find(verbs.begin(), verbs.end(), "delete"));
    EXPECT_EQ(1, Form11->MenuIdle);
    EXPECT_EQ(nullptr, Form11->ShellMenu);

    SelectRows({"file.txt"}); // a file row has no wipe command
    Form11->ListView1ContextPopup(10, 10);
    EXPECT_NE(kWipeCommand, firstId);
}

TEST_F(SpaceManagerTest, TheWipeTakesTheSelectedFoldersInTheShredderWindow)
{
    Open();
    shredder_test::MakeFolder(folder / "junk");
    shredder_test::MakeFolder(folder / "more");
    WriteFileText(folder / "junk\\secret", "s");
    WriteFileText(folder / "more\\secret", "s");
    WriteFileText(folder / "file.txt", "x");
    Show(folder.Path());
    shredder_test::TestIo disk;
    Form11->WipeDisk = &disk;
    Form11->ChooseMenuCommand = [](HMENU, int, int) { return kWipeCommand; };
    effects.answers.push_back(IDYES);
    SelectRows({"junk", "more", "file.txt"});
    Form11->ListView1ContextPopup(10, 10);

    ASSERT_EQ(1u, effects.boxes.size());
    EXPECT_NE(std::string::npos, effects.boxes[0].text.find(folder / "junk"));
    EXPECT_NE(std::string::npos, effects.boxes[0].text.find(folder / "more"));
    EXPECT_EQ(static_cast<UINT>(MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_YESNO), effects.boxes[0].flags);
    EXPECT_FALSE(testing_support::Exists(folder / "junk"));
    EXPECT_FALSE(testing_support::Exists(folder / "more"));
    EXPECT_TRUE(testing_support::Exists(folder / "file.txt"));
    EXPECT_EQ("7", Form1->ShredPasses);
    EXPECT_EQ(nullptr, Row("junk")); // listed again
}

TEST_F(SpaceManagerTest, TheWipeRefusesDrivesAndSystemFolders)
{
    Open();
    shredder_test::TestIo disk;
    disk.forward = false;
    Form11->WipeDisk = &disk;
    Form11->SecureWipe({"C:\\", Form1->WindowsDir, Form1->ProgramDir});
    ASSERT_EQ(1u, effects.boxes.size());
    EXPECT_EQ(static_cast<UINT>(MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK), effects.boxes[0].flags);
    EXPECT_NE(std::string::npos, effects.boxes[0].text.find("C:\\"));
    EXPECT_EQ(nullptr, Form2);
    EXPECT_TRUE(disk.log.empty());
}

TEST_F(SpaceManagerTest, TheChartShowsTheListingAndPaintsItsBars)
{
    Open();
    WriteFileText(folder / "big", std::string(4000, 'b'));
    WriteFileText(folder / "small", std::string(1000, 's'));
    Show(folder.Path());
    EXPECT_EQ(0, Form11->ChartBuilt);
    Form11->PageControl1->SetActivePage(Form11->TabSheet2);
    Form11->PageControl1Change(nullptr);
    EXPECT_EQ(1, Form11->ChartBuilt);
    const SizeChartModel& chart = Form11->Frame6->Model;
    EXPECT_EQ("KB", chart.unit);
    ASSERT_EQ(2u, chart.bars.size());

    // The largest bar spans the plot from its left edge; no text is there. The first
    // value added lies lowest, as the last row of the list.
    Form11->Frame6->DBChart1->SetAlign(alNone);
    Form11->Frame6->DBChart1->SetBounds(0, 0, 400, 200);
    HBITMAP picture = Form11->Frame6->ChartBitmap();
    ASSERT_NE(nullptr, picture);
    const size_t largest = chart.bars[0].value > chart.bars[1].value ? 0 : 1;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    const int barTop = 30, barHeight = (200 - 8 - barTop) / 2;
    EXPECT_EQ(ColorToRGB(chart.bars[largest].color),
              GetPixel(dc, 12, barTop + static_cast<int>(1 - largest) * barHeight + barHeight / 2));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, 2, 199));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);

    effects.fileDialogAnswers.push_back(folder / "chart.bmp");
    Form11->Frame6->ScrrenShot1Click(nullptr);
    EXPECT_EQ("BM", testing_support::ReadFileText(folder / "chart.bmp").substr(0, 2));
    Form11->Frame6->PrintChart(); // the print dialog is answered with Cancel
    EXPECT_EQ(1, effects.printDialogs);
    EXPECT_TRUE(effects.boxes.empty());
}

TEST_F(SpaceManagerTest, ThreeDFacesZoomAndLegendSwatchesShowInThePicture)
{
    Open();
    TFrame6* frame = Form11->Frame6;
    SizeChartModel model;
    model.barCount = 2;
    // The empty point has no bar or slice: its colour can only come from the legend.
    model.bars = {{10, "a", clLime}, {0, "b", clFuchsia}};
    frame->ShowChart("", model);
    frame->DBChart1->SetBounds(0, 0, 400, 200);
    const TColor topFace = ChartShade(clLime, 80), endFace = ChartShade(clLime, 60);
    EXPECT_GT(ChartPixels(frame, clFuchsia), 0);
    EXPECT_EQ(0, ChartPixels(frame, topFace) + ChartPixels(frame, endFace));
    const int front = ChartPixels(frame, clLime);
    for (int i = 0; i < 9; ++i)
        frame->SpeedButton4->Click();
    EXPECT_LT(ChartPixels(frame, clLime) * 50, front); // a tenth of each side
    frame->DBChart1->SetZoom(100);

    frame->SpeedButton7->Click();
    EXPECT_GT(ChartPixels(frame, topFace), 20);
    EXPECT_GT(ChartPixels(frame, endFace), 20);
    frame->SpeedButton9->Click();
    EXPECT_GT(ChartPixels(frame, endFace), 20);
    frame->SpeedButton2->Click();
    EXPECT_EQ(0, ChartPixels(frame, clFuchsia));
}

TEST_F(SpaceManagerTest, ChartSwitchesOutliveRebuildsAndManyBarsScroll)
{
    Open();
    TFrame6* frame = Form11->Frame6;
    for (TSpeedButton* button : {frame->SpeedButton2, frame->SpeedButton7, frame->SpeedButton9, frame->SpeedButton3})
        button->Click();
    Form11->AddTeeChart();
    EXPECT_FALSE(frame->DBChart1->LegendVisible());
    EXPECT_TRUE(frame->DBChart1->View3D());
    EXPECT_TRUE(frame->Pie());
    EXPECT_EQ(110, frame->DBChart1->Zoom());

    SizeChartModel many;
    many.barCount = 90;
    frame->ShowChart("", many);
    EXPECT_EQ(1778, frame->DBChart1->Height());
    frame->SpeedButton5->Click();
    EXPECT_FALSE(Form11->Panel1->Visible());
    EXPECT_FALSE(Form11->ChartToolbaranzeigen->Checked);
}

TEST_F(SpaceManagerTest, TheLayoutIsReadAndWrittenAndBadNumbersAreIgnored)
{
    Store(keys::Key, keys::Left, "abc");
    Store(keys::Key, keys::Top, "20");
    Store(keys::Key, keys::ShowTree, "0");
    Store(keys::Key, keys::Grid, "1");
    Store(keys::Key, keys::Columns, "110;120;130;140;150;160;");
    Open();
    EXPECT_FALSE(Form11->Panel3->Visible());
    EXPECT_EQ(20, Form11->Top());
    EXPECT_EQ(40, Form11->Left());
    EXPECT_TRUE(Form11->ListView1->GridLines());
    EXPECT_EQ(130, Form11->ListView1->Columns()->Items(2)->Width());

    Form11->Ordneranzeigen1Click(nullptr);
    Form11->Close();
    EXPECT_EQ("1", Stored(keys::Key, keys::ShowTree).value_or(""));
    EXPECT_EQ("40", Stored(keys::Key, keys::Left).value_or(""));
    EXPECT_EQ("110;120;130;140;150;160;", Stored(keys::Key, keys::Columns).value_or(""));
    EXPECT_EQ("0", Stored(keys::Key, keys::LastTab).value_or(""));
    ASSERT_EQ(1u, effects.launches.size());
    EXPECT_EQ(Form1->ProgramDir + "\\Tidewrack.exe", effects.launches[0].file);
}

TEST_F(SpaceManagerTest, EnglishModeSpeaksEnglishInCaptionsAndStatus)
{
    Form1->LanguageFlag = 0;
    Open();
    shredder_test::MakeFolder(folder / "sub");
    Show(folder.Path());
    EXPECT_EQ("Filename", Form11->ListView1->Columns()->Items(0)->Caption());
    EXPECT_EQ("Chart", Form11->TabSheet2->Caption());
    EXPECT_EQ("Invert Section", Form11->Markierungumdrehen3->Caption);
    TFrame6* frame = Form11->Frame6;
    const std::pair<TSpeedButton*, const char*> hints[] = {
        {frame->SpeedButton2, "Show or Hide Legend"}, {frame->SpeedButton3, "Zoom In"},
        {frame->SpeedButton4, "Zoom Out"},            {frame->SpeedButton7, "View Chart as 3D or 2D"},
        {frame->SpeedButton8, "Bar Chart"},           {frame->SpeedButton9, "Pie Chart"},
        {frame->SpeedButton10, "Print Chart"},        {frame->SpeedButton6, "Save Chart to File"},
        {frame->SpeedButton11, "Copy Chart To Clipboard"}};
    for (const auto& hint : hints)
        EXPECT_EQ(hint.second, frame->Hints->Hint(hint.first));
    EXPECT_EQ("1 Folders(0.00 MB), 0 Files(0.00 MB) [0.00 MB]", Form11->StatusBar1->Panels()->Items(0)->Text());
}
