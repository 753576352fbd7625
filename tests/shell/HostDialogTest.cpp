// Host dialogs: the design of each, who owns dialog and frame, Escape, the relaunch
// after the found-files window, and that a dialog whose loop still runs is freed only
// after the loop has returned.
#include "pageparts/HostDialog.h"
#include "tests/shell/FormFixture.h"

namespace {

class HostDialogTest : public FormFixture {
protected:
    // A host dialog with a frame in it; the handles tell whether they still exist.
    struct Built {
        HWND dialog;
        HWND frame;
    };
    Built Build(HostDialog kind)
    {
        TForm6* dialog = Form1->MakeHostDialog(kind);
        TFrame* frame = MakeHostFrame<TFrame>(Form1->HostPanel);
        return {dialog->Handle(), frame->Handle()};
    }
};

TEST_F(HostDialogTest, DialogsTakeTheirDesign)
{
    Form1->LanguageFlag = 0;
    TForm6* progress = Form1->MakeHostDialog(HostDialog::ScanProgress);
    EXPECT_EQ(Form6, progress);
    EXPECT_EQ(progress->Caption(), "Searching ...");
    EXPECT_EQ(progress->Width(), 330);
    EXPECT_EQ(progress->Height(), 150);
    EXPECT_EQ(progress->BorderStyle(), bsSingle);
    EXPECT_EQ(progress->Position(), poScreenCenter);
    EXPECT_FALSE(progress->BorderIcons() & biSystemMenu);
    EXPECT_EQ(progress->Owner(), Form1->HostPanel);

    TForm6* update = Form1->MakeHostDialog(HostDialog::Update);
    EXPECT_EQ(update->Caption(), "Download Update");
    EXPECT_EQ(update->FormStyle(), fsStayOnTop);
    EXPECT_EQ(update->Position(), poMainFormCenter);
    EXPECT_EQ(update->BorderIcons(), biSystemMenu | biMinimize);

    TForm6* warning = Form1->MakeHostDialog(HostDialog::ShutdownWarning);
    EXPECT_EQ(warning->BorderIcons(), 0u);
    EXPECT_EQ(warning->Height(), 130);

    Form1->LanguageFlag = 1;
    TForm6* options = Form1->MakeHostDialog(HostDialog::Options);
    EXPECT_EQ(options->Caption(), "Optionen");
    EXPECT_EQ(options->BorderStyle(), bsDialog);
    EXPECT_EQ(options->Width(), 410);
    EXPECT_EQ(options->Height(), 440);
    EXPECT_TRUE(DesignOf(HostDialog::Options).modal);
    EXPECT_FALSE(DesignOf(HostDialog::ScanProgress).modal);
}

TEST_F(HostDialogTest, FrameFillsItsDialog)
{
    Form1->MakeHostDialog(HostDialog::About);
    TFrame* frame = MakeHostFrame<TFrame>(Form1->HostPanel);
    EXPECT_EQ(frame->Owner(), Form1->HostPanel);
    EXPECT_EQ(frame->Parent(), Form6);
    EXPECT_EQ(frame->Align(), alClient);
    EXPECT_EQ(frame->Width(), Form6->ClientWidth());
}

TEST_F(HostDialogTest, NextHostDialogFreesThePreviousDialogAndFrame)
{
    Built about = Build(HostDialog::About);
    Built again = Build(HostDialog::About);
    EXPECT_FALSE(IsWindow(about.dialog));
    EXPECT_FALSE(IsWindow(about.frame));
    EXPECT_TRUE(IsWindow(again.dialog));
    EXPECT_EQ(Form1->PanelTE2->ComponentCount(), 1); // one host panel, one about dialog
    EXPECT_EQ(Form1->HostPanel->Parent(), Form1->PanelTE2);
}

TEST_F(HostDialogTest, FoundFilesDialogBelongsToTheMainFormAndOutlivesItsFrame)
{
    Built found = Build(HostDialog::FoundFiles);
    EXPECT_EQ(Form6->Owner(), Form1);
    TForm6* foundDialog = Form6;
    Build(HostDialog::ScanProgress);
    EXPECT_TRUE(IsWindow(found.dialog));
    EXPECT_FALSE(IsWindow(found.frame));
    delete foundDialog;
}

TEST_F(HostDialogTest, DialogWhoseLoopRunsIsFreedOnlyAfterTheLoop)
{
    Built progress = Build(HostDialog::ScanProgress);
    {
        TForm1::HostPanelInUse loop(Form1);
        Built warning = Build(HostDialog::ShutdownWarning); // e.g. from the countdown timer
        EXPECT_TRUE(IsWindow(progress.dialog));
        EXPECT_TRUE(IsWindow(progress.frame));
        EXPECT_EQ(Form6->Handle(), warning.dialog);
        Application->ProcessMessages();
        EXPECT_TRUE(IsWindow(progress.frame));
        Build(HostDialog::About); // the warning's dialog is not in use: it goes at once
        EXPECT_FALSE(IsWindow(warning.dialog));
    }
    // Freed from the message loop, once the code that ran the loop has returned.
    EXPECT_TRUE(IsWindow(progress.dialog));
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindow(progress.dialog));
    EXPECT_FALSE(IsWindow(progress.frame));
    EXPECT_EQ(Form1->PanelTE2->ComponentCount(), 1);
}

TEST_F(HostDialogTest, NestedLoopsKeepTheDialogUntilTheOuterOneReturns)
{
    Built progress = Build(HostDialog::DuplicateProgress);
    {
        TForm1::HostPanelInUse outer(Form1);
        {
            TForm1::HostPanelInUse inner(Form1);
            Build(HostDialog::About);
        }
        Application->ProcessMessages();
        EXPECT_TRUE(IsWindow(progress.frame));
    }
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindow(progress.frame));
}

TEST_F(HostDialogTest, LoopOfTheCurrentDialogLeavesItToTheNextHostDialog)
{
    Built progress = Build(HostDialog::ScanProgress);
    { TForm1::HostPanelInUse loop(Form1); }
    Application->ProcessMessages();
    EXPECT_TRUE(IsWindow(progress.frame));
    Build(HostDialog::About);
    EXPECT_FALSE(IsWindow(progress.frame));
}

TEST_F(HostDialogTest, EscapeClosesAModelessDialog)
{
    Build(HostDialog::ScanProgress);
    EXPECT_EQ(Form1->ShowHostDialog(HostDialog::ScanProgress), mrNone);
    EXPECT_TRUE(IsWindowVisible(Form6->Handle()));
    SendMessageA(Form6->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindowVisible(Form6->Handle()));
    EXPECT_NE(Form6, nullptr); // closing only hides it
}

TEST_F(HostDialogTest, EscapeEndsAModalDialog)
{
    Build(HostDialog::About);
    PostMessageA(Form6->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(Form1->ShowHostDialog(HostDialog::About), mrCancel);
    EXPECT_FALSE(IsWindowVisible(Form6->Handle()));
}

TEST_F(HostDialogTest, ModalDialogSurvivesAHostDialogPreparedWhileItIsUp)
{
    Built about = Build(HostDialog::About);
    HWND warningDialog = nullptr;
    UINT_PTR timer = 0;
    timer = toolkit::StartTimer(10, [&] {
        toolkit::StopTimer(timer);
        warningDialog = Build(HostDialog::ShutdownWarning).dialog;
        PostMessageA(about.dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(Form1->ShowHostDialog(HostDialog::About), mrCancel);
    ASSERT_NE(warningDialog, nullptr);
    EXPECT_EQ(Form6->Handle(), warningDialog);
    Application->ProcessMessages();
    EXPECT_FALSE(IsWindow(about.dialog));
    EXPECT_TRUE(IsWindow(warningDialog));
}

TEST_F(HostDialogTest, ClosingTheFoundFilesWindowStartsTheProgramAgain)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    Form1->ProgramDir = std::string(temp) + "TidewrackHostDialogTest";
    CreateDirectoryA(Form1->ProgramDir.c_str(), nullptr);
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);

    TForm6* found = Form1->MakeHostDialog(HostDialog::FoundFiles);
    Form1->RelaunchOnClose = 1;
    found->Show();
    found->Close();
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_EQ(effects.launches[0].verb, "open");
    EXPECT_EQ(effects.launches[0].file, Form1->ProgramDir + "\\Tidewrack.exe");
    EXPECT_EQ(effects.launches[0].parameters, "");
    EXPECT_EQ(Form1->RelaunchOnClose, 0);
    EXPECT_TRUE(Application->Terminated);

    SetCurrentDirectoryA(before);
    RemoveDirectoryA(Form1->ProgramDir.c_str());
    delete found;
}

TEST_F(HostDialogTest, AFailedRelaunchIsReportedAndTheWindowStays)
{
    effects.launchSucceeds = false;
    TForm6* found = Form1->MakeHostDialog(HostDialog::FoundFiles);
    Form1->RelaunchOnClose = 1;
    found->Show();
    found->Close();
    ASSERT_EQ(effects.launches.size(), 1u);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_NE(effects.boxes[0].text.find("Tidewrack.exe"), std::string::npos);
    EXPECT_FALSE(Application->Terminated);
    EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
    delete found;
}

TEST_F(HostDialogTest, ClosingAHostDialogWithoutRelaunchOnlyHidesIt)
{
    TForm6* found = Form1->MakeHostDialog(HostDialog::FoundFiles);
    found->Show();
    found->Close();
    EXPECT_TRUE(effects.launches.empty());
    EXPECT_FALSE(Application->Terminated);
    EXPECT_FALSE(IsWindowVisible(found->Handle()));
    delete found;
}

} // namespace
