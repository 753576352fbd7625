// The autostart page on seeded Run values, a win.ini and folder items of the sandbox:
// the tree, and each command checked in the registry and the files.
#include "common/RegistryKey.h"
#include "common/Wow64.h"
#include "system/AutostartEntries.h"
#include "system/Showregdata.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSymlink.h"
#include "tests/system/RegistrySeeds.h"
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

// Only "load=" and "run=" of the [windows] section start programs, and a delete takes
// exactly the line of the entry.
TEST(AutostartWinIni, OnlyTheStartKeysOfTheWindowsSectionCountAndDeleteTakesThatLine)
{
    TempFolder folder;
    const std::string ini = folder / "win.ini";
    WriteFileText(ini, "[mail]\r\nrun=c:\\x.exe\r\n[Windows]\r\npreload=c:\\p.exe\r\nNoRun=c:\\n.exe\r\n"
                       " Run = c:\\x.exe\r\n[fonts]\r\nload=c:\\f.exe\r\n");
    const auto entries = autostart::ReadWinIni(ini);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].key, "RUN=");
    EXPECT_EQ(entries[0].remainder, "C:\\X.EXE");
    EXPECT_TRUE(autostart::RemoveWinIniLine(ini, entries[0].key, entries[0].remainder));
    EXPECT_EQ(ReadFileText(ini), "[mail]\r\nrun=c:\\x.exe\r\n[Windows]\r\npreload=c:\\p.exe\r\nNoRun=c:\\n.exe\r\n"
                                 "[fonts]\r\nload=c:\\f.exe\r\n");
}

// Umlauts fold as the file system folds them: "müll" and "MÜLL" are one file.
TEST(AutostartWinIni, AnUmlautPathMatchesInEitherCase)
{
    TempFolder folder;
    const std::string ini = folder / "win.ini";
    WriteFileText(ini, "[windows]\r\nrun=c:\\müll.exe\r\n");
    const auto entries = autostart::ReadWinIni(ini);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].remainder, "C:\\MÜLL.EXE");
    EXPECT_TRUE(autostart::RemoveWinIniLine(ini, "RUN=", "C:\\Müll.exe"));
    EXPECT_EQ(ReadFileText(ini), "[windows]\r\n");
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
    TTreeNode* Find(const std::string& root, const std::string& child = "")
    {
        for (TTreeNode* r = Form1->TreeView2->Items()->GetFirstNode(); r; r = r->GetNextSibling()) {
            if (r->Text() != root)
                continue;
            TTreeNode* found = r;
            if (!child.empty())
                for (found = r->GetFirstChild(); found && found->Text() != child; found = found->GetNextSibling()) {}
            return found;
        }
        return nullptr;
    }
    TTreeNode* Select(const std::string& root, const std::string& child = "")
    {
        TTreeNode* found = Find(root, child);
        if (found)
            Form1->TreeView2->SetSelected(found);
        return found;
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

// An edit keeps a value that is expanded when it runs expandable; a rename onto the title
// of another entry asks before it replaces that entry.
TEST_F(AutostartTest, EditKeepsTheValueTypeAndARenameOntoAnotherEntryAsksFirst)
{
    seeds::SetString(HKEY_CURRENT_USER, runKey, "TidewrackTestB", "%SystemRoot%\\b.exe /x", REG_EXPAND_SZ);
    Form1->Refresh1Click(nullptr);
    ASSERT_TRUE(Select(runRoot, "%SystemRoot%\\b.exe /x"));
    WithDialog(&TForm1::Editieren1Click, [](TForm12& dialog) { dialog.Button1->OnClick(dialog.Button1); });
    DWORD type = 0;
    EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, runKey, "TidewrackTestB", RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                           nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_EXPAND_SZ));
    EXPECT_EQ(RunValue("TidewrackTestB"), "%SystemRoot%\\b.exe /x");

    ASSERT_TRUE(Select(runRoot, "%SystemRoot%\\b.exe /x"));
    effects.answers = {IDNO};
    WithDialog(&TForm1::Editieren1Click, [](TForm12& dialog) {
        dialog.Edit1->SetText("tidewrackTESTa");
        dialog.Button1->OnClick(dialog.Button1);
    });
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "There is an entry titled \"tidewrackTESTa\" already in\n" + std::string(runRoot) +
                                         "\nReplace it?");
    EXPECT_EQ(RunValue("TidewrackTestA"), "\"C:\\Program Files\\a.exe\" /min");
    EXPECT_EQ(RunValue("TidewrackTestB"), "%SystemRoot%\\b.exe /x");
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

TEST_F(AutostartTest, TheFileButtonPutsTheChosenFileIntoTheEntry)
{
    ASSERT_TRUE(Select(runRoot));
    effects.fileDialogAnswers.push_back("C:\\windows\\prog.exe");
    WithDialog(&TForm1::NeuerEintrag1Click, [](TForm12& dialog) {
        dialog.Button3->OnClick(dialog.Button3);
        EXPECT_EQ(dialog.Edit2->Text(), "C:\\windows\\prog.exe");
    });
    ASSERT_EQ(effects.fileDialogs.size(), 1u);
    EXPECT_FALSE(effects.fileDialogs[0].save);
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

// The menu acts on the node under the mouse, not on the one selected before, and the
// question says which entry goes.
TEST_F(AutostartTest, ARightClickSelectsTheNodeAndTheDeleteQuestionNamesIt)
{
    Form1->WriteReg(rootCurrentUser, runKey, "TidewrackTestB", "C:\\b.exe", "s");
    Form1->Refresh1Click(nullptr);
    ASSERT_TRUE(Select(runRoot, "C:\\Program Files\\a.exe"));
    TTreeNode* clicked = Find(runRoot, "C:\\b.exe");
    ASSERT_TRUE(clicked);
    clicked->MakeVisible();
    RECT text{};
    ASSERT_TRUE(TreeView_GetItemRect(Form1->TreeView2->Handle(), clicked->ItemId(), &text, TRUE));
    Form1->TreeView2->OnMouseDown(Form1->TreeView2, mbRight, 0, text.left + 2, (text.top + text.bottom) / 2);
    EXPECT_EQ(Form1->TreeView2->Selected(), clicked);
    effects.answers = {IDNO};
    Form1->MenuItem6Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "Delete entry?\n\nC:\\b.exe\n" + std::string(runRoot) + " : TidewrackTestB");
    EXPECT_TRUE(RunValue("TidewrackTestA"));
    EXPECT_TRUE(RunValue("TidewrackTestB"));
}

// A folder item goes through the deleter that refuses a name leading to another file:
// the shell would delete the file outside the folder.
TEST_F(AutostartTest, AFolderItemThatLeadsElsewhereIsNotDeleted)
{
    TempFolder outside;
    WriteFileText(outside / "program.exe", "keep");
    const std::string link = windows / "Tasks\\link.exe";
    ASSERT_TRUE(MakeUnixSymlink(link, outside / "program.exe", false));
    Form1->Refresh1Click(nullptr);
    ASSERT_TRUE(Select(windows / "Tasks", link));
    Form1->MenuItem6Click(nullptr);
    EXPECT_EQ(ReadFileText(outside / "program.exe"), "keep");
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_EQ(effects.boxes[1].text, "The entry could not be deleted.");
    EXPECT_TRUE(Select(windows / "Tasks", link));
    RemoveUnixSymlink(link);
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

namespace {

const char* const machineRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Whether the machine's Run key holds the test's value in that registry view.
bool MachineRunHolds(REGSAM view)
{
    const RegistryKey key(HKEY_LOCAL_MACHINE, machineRun, KEY_QUERY_VALUE | view);
    return key && RegQueryValueExA(key.Get(), "TidewrackTest64", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// A 32-bit program on 64-bit Windows reads the machine's Run keys of 64-bit programs only
// when it asks for their view.
class RegistryAutostartWow64 : public AutostartTest {};

TEST_F(RegistryAutostartWow64, AMachineEntryOf64BitProgramsIsShownAndDeletedInItsOwnView)
{
    if (!common::RunsUnderWow64())
        GTEST_SKIP() << "only 64-bit Windows keeps a second view of the machine's Run keys";
    struct SeededValue {
        REGSAM view;
        const char* data;
        ~SeededValue()
        {
            RegDeleteValueA(RegistryKey(HKEY_LOCAL_MACHINE, machineRun, KEY_SET_VALUE | view).Get(), "TidewrackTest64");
        }
    } seeded[] = {{KEY_WOW64_64KEY, "C:\\sixtyfour.exe /x"}, {KEY_WOW64_32KEY, "C:\\thirtytwo.exe"}};
    for (const SeededValue& value : seeded) {
        const RegistryKey key = RegistryKey::Create(HKEY_LOCAL_MACHINE, machineRun, KEY_SET_VALUE | value.view);
        ASSERT_EQ(RegSetValueExA(key.Get(), "TidewrackTest64", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data),
                                 static_cast<DWORD>(strlen(value.data) + 1)),
                  ERROR_SUCCESS);
    }
    Form1->Refresh1Click(nullptr);
    const std::string root64 = std::string("HKLM\\") + machineRun;
    EXPECT_TRUE(Find("HKLM\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run", "C:\\thirtytwo.exe"));
    ASSERT_TRUE(Select(root64, "C:\\sixtyfour.exe"));
    Form1->MenuItem6Click(nullptr);
    EXPECT_FALSE(Find(root64, "C:\\sixtyfour.exe"));
    EXPECT_FALSE(MachineRunHolds(KEY_WOW64_64KEY));
    EXPECT_TRUE(MachineRunHolds(KEY_WOW64_32KEY)) << "the 32-bit programs' entry of that name stays";
}

} // namespace
