// Open and save dialogs through the effects seam.
#include "toolkit/OpenDialog.h"
#include "toolkit/SaveDialog.h"

#include "ToolkitTestSupport.h"
#include "tests/support/RecordingEffects.h"

#include <string>

namespace {

using toolkit_test::ToolkitTest;

// Also keeps what the recording sink does not: the flags, extension and filter index.
class DialogEffects : public testing_support::RecordingEffects {
public:
    bool ShowFileDialog(OPENFILENAMEA& dialog, bool save) override
    {
        flags = dialog.Flags;
        defaultExt = dialog.lpstrDefExt ? dialog.lpstrDefExt : "";
        initialName = dialog.lpstrFile;
        filterIndex = dialog.nFilterIndex;
        dialog.nFilterIndex = 2;  // the user switched to the second filter
        return RecordingEffects::ShowFileDialog(dialog, save);
    }
    DWORD flags = 0;
    std::string defaultExt;
    std::string initialName;
    DWORD filterIndex = 0;
};

class FileDialogTest : public ToolkitTest {
protected:
    DialogEffects effects;
};

TEST_F(FileDialogTest, SaveDialogPassesItsSettingsAndTakesTheChosenName)
{
    TSaveDialog dialog(nullptr);
    dialog.Filter = "Text|*.txt|HTML|*.html";
    dialog.DefaultExt = ".txt";
    dialog.Title = "Save the list";
    dialog.FileName = "list.txt";
    dialog.Options |= ofOverwritePrompt;
    effects.fileDialogAnswers.push_back("C:\\users\\me\\report.html");
    ASSERT_TRUE(dialog.Execute());
    ASSERT_EQ(effects.fileDialogs.size(), 1u);
    EXPECT_TRUE(effects.fileDialogs[0].save);
    EXPECT_EQ(effects.fileDialogs[0].title, "Save the list");
    EXPECT_EQ(effects.fileDialogs[0].filter, "Text|*.txt|HTML|*.html|");
    EXPECT_TRUE(effects.flags & OFN_OVERWRITEPROMPT);
    EXPECT_EQ(effects.defaultExt, "txt");
    EXPECT_EQ(effects.initialName, "list.txt");
    EXPECT_EQ(effects.filterIndex, 1u);
    EXPECT_EQ(dialog.FileName, "C:\\users\\me\\report.html");
    EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST_F(FileDialogTest, CancelledDialogsLeaveTheNameAlone)
{
    TOpenDialog open(nullptr);
    open.FileName = "before.txt";
    EXPECT_FALSE(open.Execute());  // no answer: the user cancelled
    EXPECT_EQ(open.FileName, "before.txt");
    ASSERT_EQ(effects.fileDialogs.size(), 1u);
    EXPECT_FALSE(effects.fileDialogs[0].save);
    EXPECT_FALSE(effects.flags & OFN_OVERWRITEPROMPT);
}

}  // namespace
