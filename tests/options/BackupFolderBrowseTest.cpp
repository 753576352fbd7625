// The backup folder's "..." button: the folder dialog opens, and only a chosen folder
// replaces the one in the box.
#include "tests/options/OptionsFixture.h"

namespace {

using BackupFolderBrowseTest = OptionsFixture;

TEST_F(BackupFolderBrowseTest, CancelKeepsTheFolder)
{
    TFrame4& frame = Prepare();
    frame.Edit1->SetText("C:\\Kept backups");
    frame.Button7->Click();
    EXPECT_EQ(effects.folderDialogs.size(), 1u);
    EXPECT_EQ(frame.Edit1->Text(), "C:\\Kept backups");
}

TEST_F(BackupFolderBrowseTest, ChosenFolderReplacesIt)
{
    TFrame4& frame = Prepare();
    frame.Edit1->SetText("C:\\Old backups");
    effects.folderDialogAnswers.push_back(programDir);
    frame.Button7->Click();
    EXPECT_EQ(lstrcmpiA(frame.Edit1->Text().c_str(), programDir.c_str()), 0) << frame.Edit1->Text();
}

} // namespace
