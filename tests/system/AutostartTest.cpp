// The autostart page on seeded Run values, a win.ini and folder items of the sandbox:
// the tree, and each command checked in the registry and the files.
#include "system/AutostartEntries.h"
#include "system/Showregdata.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "toolkit/TreeView.h"

#include <functional>

using namespace testing_support;

TEST(AutostartCommands, ACommandIsCutToTheFileItNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"\"C:\\Program Files\\a.exe\" /min", "C:\\Program Files\\a.exe"},
        {"rundll32.exe C:\\WINDOWS\\x.dll,Start", "C:\\WINDOWS\\x.dll"},
        {"explorer.exe", "explorer.exe"},
        {"C:\\noextension", "C:\\"},
    };
    for (const auto& [command, file] : cases)
        EXPECT_EQ(autostart::GetFileName(command), file) << command;
}

TEST(AutostartWinIni, OnlyAMatchingLineIsRemovedAndNoMatchLeavesTheFileAlone)
{
    TempFolder folder;
    const std::string ini = folder / "win.ini";
    WriteFileText(ini, "[windows]\r\nload=\r\nrun=c:\\x.exe c:\\y.exe\r\nother=1\r\n");
    const auto entries = autostart::ReadWinIni(ini);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].remainder, "C:\\X.EXE C:\\Y.EXE");
    EXPECT_FALSE(autostart::RemoveWinIniLine(ini, "RUN=", "C:\\Z.EXE"));
    EXPECT_EQ(ReadFileText(ini), "[windows]\r\nload=\r\nrun=c:\\x.exe c:\\y.exe\r\nother=1\r\n");
    EXPECT_TRUE(autostart::RemoveWinIniLine(ini, "RUN=", entries[0].remainder));
    EXPECT_EQ(ReadFileText(ini), "[windows]\r\nload=\r\nother=1\r\n");
    EXPECT_FALSE(Exists(ini + ".tidewrack-new"));
}

namespace {

const char* const runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const runRoot = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::optional<std::string> RunValue(const char* name)
{
    TRegistry registry;
    registry.RootKey = HKEY_CURRENT_USER;
    if (!registry.OpenKeyReadOnly(runKey))
        return std::nullopt;
    return registry.ReadString(name);
}

class AutostartTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        SettleAfterStart();
        Form1->LanguageFlag = 0;
        Form1->WindowsDir = windows.Path(); // its win.ini and Tasks folder are the test's
        CreateDirectoryA((windows / "Tasks").c_str(), nullptr);
        WriteFileText(windows / "Tasks\\job.job", "");
        WriteFileText(windows / "Tasks\\SA.DAT", "");
        WriteFileText(windows / "win.ini", "[windows]\r\nrun=c:\\x.exe c:\\y.exe\r\nload=\r\n");
        startupItem = Form1->SpecialFolder(CSIDL_STARTUP) + "\\TidewrackTest.lnk";
        WriteFileText(startupItem, "");
        Form1->WriteReg(rootCurrentUser, runKey, "TidewrackTestA", "\"C:\\Program Files\\a.exe\" /min", "s");
        Open();
    }
    void TearDown() override
    {
        for (const char* name : {"TidewrackTestA", "TidewrackTestB"})
            Form1->DeleteReg(rootCurrentUser, runKey, name, 0);
        Form1->DeleteReg(rootCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit", "LastKey", 0);
        DeleteFileA(startupItem.c_str());
        MainFormTest::TearDown();
    }
    void Open()
    {
        Form1->NavSection = 2;
        Form1->NavItem = 3;
        Form1->SpeedClick(nullptr);
    }
    TTreeNode* Select(const std::string& root, const std::string& child = "")
    {
        for (TTreeNode* r = Form1->TreeView2->Items()->GetFirstNode(); r; r = r->GetNextSibling()) {
            if (r->Text() != root)
                continue;
            TTreeNode* found = r;
            if (!child.empty())
                for (found = r->GetFirstChild(); found && found->Text() != child; found = found->GetNextSibling()) {}
            if (found)
                Form1->TreeView2->SetSelected(found);
            return found;
        }
        return nullptr;
    }
    // Runs a command that opens the entry dialog; fill acts on it, and the dialog is
    // cancelled afterwards when fill left it open.
    void WithDialog(void (TForm1::*command)(TObject*), const std::function<void(TForm12&)>& fill)
    {
        bool shown = false;
        UINT_PTR timer = 0;
        timer = toolkit::StartTimer(20, [&] {
            if (!Form12 || !Form12->Visible())
                return;
            toolkit::StopTimer(timer);
            shown = true;
            fill(*Form12);
            if (Form12 && Form12->ModalResult == mrNone)
                Form12->Button2->OnClick(Form12->Button2);
        });
        (Form1->*command)(nullptr);
        toolkit::StopTimer(timer);
        EXPECT_TRUE(shown);
    }

    TempFolder windows;
    std::string startupItem;
};

TEST_F(AutostartTest, TheTreeShowsRunValuesWinIniLinesAndFolderItems)
{
    EXPECT_TRUE(Select(runRoot, "C:\\Program Files\\a.exe"));
    EXPECT_TRUE(Select(windows / "win.ini", "C:\\X.EXE C:\\Y.EXE"));
    EXPECT_TRUE(Select(Form1->SpecialFolder(CSIDL_STARTUP), startupItem));
    EXPECT_TRUE(Select(windows / "Tasks", windows / "Tasks\\job.job"));
    EXPECT_FALSE(Select(windows / "Tasks", windows / "Tasks\\SA.DAT"));
}

TEST_F(AutostartTest, EditKeepsTheArgumentsAndARenameMovesTheValue)
{
    ASSERT_TRUE(Select(runRoot, "C:\\Program Files\\a.exe"));
    WithDialog(&TForm1::Editieren1Click, [](TForm12& dialog) {
        EXPECT_EQ(dialog.Edit2->Text(), "\"C:\\Program Files\\a.exe\" /min");
        dialog.Edit1->SetText("TidewrackTestB");
        dialog.Button1->OnClick(dialog.Button1);
    });
    EXPECT_EQ(RunValue("TidewrackTestB"), "\"C:\\Program Files\\a.exe\" /min");
    EXPECT_FALSE(RunValue("TidewrackTestA"));
}

TEST_F(AutostartTest, ANewEntryWithoutATitleIsRefused)
{
    ASSERT_TRUE(Select(runRoot));
    WithDialog(&TForm1::NeuerEintrag1Click, [](TForm12& dialog) {
        dialog.Edit2->SetText("C:\\b.exe");
        dialog.Button1->OnClick(dialog.Button1);
    });
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "Please enter a title and a file.");
    EXPECT_FALSE(RunValue(""));
}

TEST_F(AutostartTest, AnExistingShortcutIsReplacedOnlyAfterYes)
{
    WriteFileText(windows / "Tasks\\prog.lnk", "keep");
    ASSERT_TRUE(Select(windows / "Tasks"));
    effects.answers = {IDNO};
    WithDialog(&TForm1::NeuerEintrag1Click, [](TForm12& dialog) {
        dialog.Edit1->SetText("Program");
        dialog.Edit2->SetText("C:\\windows\\prog.exe");
        dialog.Button1->OnClick(dialog.Button1);
    });
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(ReadFileText(windows / "Tasks\\prog.lnk"), "keep");
}

TEST_F(AutostartTest, DeleteRemovesTheValueAndTheWinIniLine)
{
    ASSERT_TRUE(Select(runRoot, "C:\\Program Files\\a.exe"));
    Form1->MenuItem6Click(nullptr);
    EXPECT_FALSE(RunValue("TidewrackTestA"));
    EXPECT_FALSE(Select(runRoot, "C:\\Program Files\\a.exe"));
    ASSERT_TRUE(Select(windows / "win.ini", "C:\\X.EXE C:\\Y.EXE"));
    Form1->MenuItem6Click(nullptr);
    EXPECT_EQ(ReadFileText(windows / "win.ini"), "[windows]\r\nload=\r\n");
}

TEST_F(AutostartTest, TheWinlogonValuesCannotBeDeleted)
{
    TTreeNode* shell = Select("HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\Shell");
    ASSERT_TRUE(shell && shell->GetFirstChild()) << "the sandbox has a Winlogon Shell value";
    Form1->TreeView2->SetSelected(shell->GetFirstChild());
    Form1->TreeView2ContextPopup(nullptr);
    EXPECT_FALSE(Form1->MenuItem6->Enabled);
    Form1->MenuItem6Click(nullptr);
    EXPECT_TRUE(effects.boxes.empty());
    EXPECT_NE(Form1->ReadReg(rootLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell", "s"),
              "");
}

TEST_F(AutostartTest, JumpToOpensTheRegistryEditorAtTheKeyThroughTheSeam)
{
    ASSERT_TRUE(Select(runRoot));
    Form1->Gehezu1Click(nullptr);
    EXPECT_EQ(Form1->ReadReg(rootCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit",
                             "LastKey", "s"),
              "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_EQ(effects.launches[0].file, "regedit");
}

} // namespace
