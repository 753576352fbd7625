// The scan run of a "/scan" start, in-process: the progress dialog, the scan over a
// temporary tree, and what follows by mode; Cancel stops the walk.
#include "pageparts/Scanframe.h"
#include "cleaning/Showdelfilesframe.h"
#include "pageparts/HostDialog.h"
#include "tests/cleaning/ScanTestKit.h"
#include "tests/cleaningui/ScanPagesFixture.h"

#include <algorithm>

namespace {

std::vector<std::string> FoundPaths()
{
    std::vector<std::string> paths;
    for (int i = 0; i < Form1->FoundFiles->Count(); ++i)
        paths.push_back((*Form1->FoundFiles)[i]->path);
    return paths;
}

// A tree whose junk lies in the open, in an excluded folder and in a folder named like junk.
void MakeJunk(const scan_test::TempTree& tree)
{
    for (const char* folder : {"sub", "keep", "x.bak"})
        tree.Folder(folder);
    tree.File("a.bak", 5);
    tree.File("b.txt", 7);
    tree.File("sub\\c.BAK", 11);
    tree.File("keep\\d.bak");
    tree.File("x.bak\\e.txt");
}

} // namespace

TEST_F(ScanPagesTest, AListScanCollectsTheMaskedFilesAndHandsThemOn)
{
    scan_test::TempTree tree;
    MakeJunk(tree);
    PrepareScan(tree.Root(), {"bak"}, {tree / "keep"}, 0);
    Form1->StartScan();

    std::vector<std::string> found = scan_test::Relative(tree.Root(), FoundPaths());
    EXPECT_EQ(found, (std::vector<std::string>{"a.bak", "sub\\c.BAK", "x.bak"}))
        << "a folder named like junk is listed for the user to decide";
    EXPECT_TRUE(tree.Exists("a.bak"));
    EXPECT_EQ(Form1->ScanTotalBytes, 5u + 7 + 11 + 1 + 1);
    EXPECT_FALSE(Application->ShowMainForm && Form1->AutoScan) << "no delete: the main window stays hidden";
    EXPECT_EQ(Form1->Label1->Caption(), "Bereit . . .");
}

TEST_F(ScanPagesTest, ADeleteAtOnceScanDeletesExactlyTheMaskedFiles)
{
    scan_test::TempTree tree;
    MakeJunk(tree);
    PrepareScan(tree.Root(), {"bak"}, {tree / "keep"}, 4);
    Application->ShowMainForm = false; // as in a "/scan" start
    Form1->StartScan();

    EXPECT_FALSE(tree.Exists("a.bak"));
    EXPECT_FALSE(tree.Exists("sub\\c.BAK"));
    EXPECT_TRUE(tree.Exists("b.txt"));
    EXPECT_TRUE(tree.Exists("keep\\d.bak")) << "excluded folder";
    EXPECT_TRUE(tree.Exists("x.bak\\e.txt")) << "a folder is never deleted with its content at once";
    EXPECT_EQ(Form1->FoundFiles->Count(), 0);
    EXPECT_TRUE(effects.boxes.empty());

    EXPECT_TRUE(Application->ShowMainForm) << "the main window shows after deleting";
    ASSERT_NE(Frame2, nullptr);
    EXPECT_EQ(Frame2->ProgressBar1->Position(), 100);
    EXPECT_TRUE(Form6->Visible()) << "the progress dialog stays at 100 %";
    EXPECT_EQ(Form6->Caption(), "Suche läuft ...");
    EXPECT_NE(Frame2->Label1->Caption().find(tree.Root()), std::string::npos);
}

TEST_F(ScanPagesTest, TheZeroByteAndNameSearchesTakeTheirOptionsFromThePage)
{
    scan_test::TempTree tree;
    tree.File("empty.dat", 0);
    tree.File("full.dat", 3);
    tree.Folder("Report");
    tree.File("Report\\notes.txt", 2);
    PrepareScan(tree.Root(), {"***"}, {}, 5);
    Form1->StartScan();
    EXPECT_EQ(scan_test::Relative(tree.Root(), FoundPaths()), std::vector<std::string>{"empty.dat"});

    Form1->ScanModeButtons[7]->SetChecked(true);
    Form1->Edit2->SetText("report");
    Form1->StartScan();
    EXPECT_EQ(scan_test::Relative(tree.Root(), FoundPaths()), std::vector<std::string>{"Report\\notes.txt"});
    EXPECT_EQ(Form1->ScanMode, 7);
    EXPECT_EQ(Form1->SearchName, "report");
}

TEST_F(ScanPagesTest, AnUnreadableLocationIsToldAfterTheScanNotDuringIt)
{
    for (int mode : {0, 4}) {
        scan_test::TempTree tree;
        MakeJunk(tree);
        PrepareScan(tree.Root(), {"bak"}, {}, mode);
        ASSERT_TRUE(Form1->FindPidlShellFolder(tree / "sub", true));
        testing_support::RemoveTree(tree / "sub");
        effects.boxes.clear();
        Form1->StartScan();
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{}) << "mode " << mode << ": nothing may wait for an answer";
        EXPECT_EQ(tree.Exists("a.bak"), mode == 0) << "the other location is scanned all the same";
        if (mode == 0) {
            ASSERT_NE(Frame8, nullptr);
            EXPECT_EQ(Frame8->StatusBar1->Panels()->Items(3)->Text(), "Nicht gelesen: " + (tree / "sub"));
        } else {
            Form1->Show(); // the main window shows after deleting at once
            ASSERT_EQ(effects.boxes.size(), 1u);
            EXPECT_NE(effects.boxes[0].text.find(tree / "sub"), std::string::npos) << effects.boxes[0].text;
        }
    }
}

namespace {

bool cancelClicked = false;

void CALLBACK ClickCancel(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    if (Frame2) {
        Frame2->Button1->Click();
        cancelClicked = true;
    }
}

} // namespace

TEST_F(ScanPagesTest, CancelStopsTheWalkAndClosesTheProgress)
{
    scan_test::TempTree tree;
    const int folders = 300;
    for (int i = 0; i < folders; ++i) {
        tree.Folder("f" + std::to_string(i));
        tree.File("f" + std::to_string(i) + "\\junk.bak");
    }
    PrepareScan(tree.Root(), {"bak"}, {}, 0);
    cancelClicked = false;
    ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, ClickCancel);
    Form1->StartScan();

    ASSERT_TRUE(cancelClicked) << "the walk keeps the messages flowing";
    EXPECT_EQ(Form1->AbortFlag, 1);
    EXPECT_LT(Form1->FoundFiles->Count(), folders) << "the walk stopped early";
}
