// The main window's XP look and the windows handed to it: the found-files window with its
// tool bar (pictures and hints in both languages) and the add-ending dialog.
#include "cleaning/Fileending.h"
#include "cleaning/Showdelfilesframe.h"
#include "cleaning/Shutdownwarning.h"
#include "pageparts/HostDialog.h"
#include "shell/Unit1.h"
#include "tests/support/MainFormFixture.h"
#include "toolkit/RadioButton.h"
#include "xplook/Xpmenu.h"

#include <gtest/gtest.h>

namespace {

class XPHandOffTest : public testing_support::MainFormTest {
protected:
    void Start() override
    {
        testing_support::MainFormTest::Start();
        SettleAfterStart();
    }

    // Every kind of control and container, whatever the system, so a hand-off shows.
    void TreatEverything()
    {
        Form1->XPMenu1->SetXPContainers(AllXPContainers);
        Form1->XPMenu1->SetXPControls(AllXPControls);
    }
};

TEST_F(XPHandOffTest, TheMainWindowCarriesAnActiveLookNarrowedOnXp)
{
    TXPMenu* look = Form1->XPMenu1;
    ASSERT_NE(look, nullptr);
    EXPECT_TRUE(look->Active());
    if (IsXpClass == 1) {
        EXPECT_EQ(look->XPContainers(), XPBit(xccPanel));
        EXPECT_EQ(look->XPControls(),
                  XPBit(xcMainMenu) | XPBit(xcPopupMenu) | XPBit(xcTreeView) | XPBit(xcListView));
    } else {
        EXPECT_EQ(look->XPControls(), AllXPControls);
    }
}

TEST_F(XPHandOffTest, TheFoundFilesWindowIsHandedOverWithItsToolBar)
{
    TreatEverything();
    Form1->ShowFoundFiles();
    ASSERT_NE(Frame8, nullptr);
    TXPMenu* look = Form1->XPMenu1;
    EXPECT_TRUE(Frame8->ffnen1->OnDrawItem) << "the list's menu is drawn by the look";
    EXPECT_TRUE(Frame8->ToolBar1->OnCustomDrawButton) << "the tool bar is drawn by the look";
    EXPECT_TRUE(look->IsSubclassed(Frame8->ListView1));
    EXPECT_TRUE(look->IsSubclassed(Frame8->RadioButton1));
    EXPECT_EQ(Frame8->ToolImages->Count(), 7) << "a picture for every button";
    EXPECT_GE(Frame8->ToolButton1->ImageIndex(), 0);
    EXPECT_EQ(Frame8->ToolButton4->DropdownMenu, Frame8->PopupMenu34);
    EXPECT_EQ(Frame8->ToolBar1->ButtonCount(), 9) << "seven buttons and two separators";
}

TEST_F(XPHandOffTest, ToolBarHintsInBothLanguages)
{
    Form1->ShowFoundFiles();
    EXPECT_EQ(Frame8->ToolButton1->Hint, "In den Papierkorb löschen");
    EXPECT_EQ(Frame8->ToolButton6->Hint, "Eigenschaften");
    Form6->Close();
    Application->ProcessMessages();

    Form1->LanguageFlag = 0;
    Form1->ShowFoundFiles();
    EXPECT_EQ(Frame8->ToolButton11->Hint, " Print selected files");
    EXPECT_EQ(Frame8->ToolButton1->Hint, "Delete to Recycle Bin");
    EXPECT_EQ(Frame8->ToolButton2->Hint, "Delete");
    EXPECT_EQ(Frame8->ToolButton6->Hint, "Properties");

    // The tool tip asks the bar, which answers with the button's hint.
    NMTBGETINFOTIPA tip{};
    char text[80] = "";
    tip.hdr.hwndFrom = Frame8->ToolBar1->Handle();
    tip.hdr.code = TBN_GETINFOTIPA;
    tip.pszText = text;
    tip.cchTextMax = sizeof text;
    TBBUTTON button{};
    SendMessageA(Frame8->ToolBar1->Handle(), TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&button));
    tip.iItem = button.idCommand;
    SendMessageA(Frame8->Panel1->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
    EXPECT_STREQ(text, "Delete");
}

TEST_F(XPHandOffTest, TheAddEndingDialogIsHandedOver)
{
    TreatEverything();
    Form1->Label19Click(nullptr);
    ASSERT_NE(Frame3, nullptr);
    EXPECT_TRUE(Form1->XPMenu1->IsSubclassed(Frame3->Edit1));
}

TEST_F(XPHandOffTest, TheShutdownWarningIsHandedOverWithItsFrame)
{
    TreatEverything();
    Form1->AfterTaskAction = 1;
    Form1->ArmShutdownCountdown();
    ASSERT_NE(Frame12, nullptr);
    EXPECT_TRUE(Form1->XPMenu1->IsSubclassed(Frame12->Button1)) << "the frame was made before the hand-over";
    EXPECT_TRUE(Form1->XPMenu1->IsSubclassed(Frame12->Button2));
    Frame12->Button2Click(nullptr);
}

}  // namespace
