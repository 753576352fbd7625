// The main form created as at a real start, under Xvfb, against the sandbox registry.
#include "common/OptionsKeys.h"
#include "shell/Unit1.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/SandboxWindows.h"
#include "tests/support/TempFolder.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/Edit.h"
#include "toolkit/RadioButton.h"

#include <gtest/gtest.h>

namespace {

class MainFormTest : public testing_support::MainFormTest {
protected:
    // The form is started by each test, after it has prepared settings and files.
    void SetUp() override { ClearSettings(); }

    void WriteLanguageFile(const std::string& content)
    {
        testing_support::WriteFileText(programDir + "\\language.dat", content);
    }

    testing_support::TempFolder programFolder;
    const std::string programDir = programFolder.Path();
};

TEST_F(MainFormTest, FirstStartWithoutSettingsUsesTheDefaults)
{
    Start();
    EXPECT_EQ(Form1->BorderStyle(), bsNone);
    EXPECT_EQ(Form1->ClientWidth(), 664);
    EXPECT_EQ(Form1->ClientHeight(), 439);
    EXPECT_EQ(Form1->LanguageFlag, 1);
    EXPECT_EQ(Form1->PassCount, 3);
    EXPECT_EQ(Form1->SkipRecycleBin, 1);
    EXPECT_EQ(Form1->ShredPasses, "7");
    EXPECT_EQ(Form1->ScanMode, 0);
    EXPECT_EQ(ShellEnumFlags, 96);
    EXPECT_FALSE(Form1->AutoScan);
    EXPECT_EQ(Form1->Label1->Caption(), "Bereit . . .");

    // Without an installer's entry the program folder is the program's own folder.
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string exeFolder(exe);
    exeFolder.erase(exeFolder.find_last_of('\\'));
    EXPECT_EQ(Form1->ProgramDir, exeFolder);
    EXPECT_EQ(Form1->BackupDir, exeFolder + "\\ZipBackup");

    EXPECT_FALSE(Form1->WindowsDir.empty());
    EXPECT_FALSE(Form1->SystemDir.empty());
    ASSERT_FALSE(Form1->TempDir.empty());
    EXPECT_EQ(Form1->TempDir.back(), '\\');
    EXPECT_NE(Form1->DesktopFolder.Get(), nullptr);
    EXPECT_NE(Form1->ShellMalloc.Get(), nullptr);
    EXPECT_EQ(Form1->LogFileName, "Tidewrack_Log_File.twk");
    EXPECT_NE(SystemImageList, nullptr);
    EXPECT_EQ(Form1->OsLevel, 3); // the sandbox runs as Windows XP
    EXPECT_EQ(OsNameText.rfind(testing_support::kSandboxNameStart, 0), 0u) << OsNameText;

    EXPECT_EQ(Form1->PageControl1->PageCount(), 22);
    for (int i = 0; i < Form1->PageControl1->PageCount(); ++i)
        EXPECT_FALSE(Form1->PageControl1->Pages(i)->TabVisible());
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabSheets[8]);
}

TEST_F(MainFormTest, NetworkWarningShowsOnTheFirstStartOnly)
{
    Start();
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].caption, "Tidewrack");
    EXPECT_EQ(effects.boxes[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK));
    EXPECT_EQ(Stored(options::Key, options::ShowNetworkMessage), "done");
    delete Form1;

    Start();
    EXPECT_EQ(effects.boxes.size(), 1u);
}

TEST_F(MainFormTest, StoredOptionsAreRead)
{
    Store(options::Key, options::InstallDir, programDir);
    Store(options::Key, options::NumPasses, "7.6");
    Store(options::Key, options::RowSelect, "2");
    Store(options::Key, options::Ratio, "9");
    Store(options::Key, options::NotScanRecycleBin, "0");
    Store(options::Key, options::ZipDir, "C:\\Backups");
    Store(options::Key, options::IncludeHidden, "1");
    Store(options::action::Key, options::action::ComboBoxIndex, "6");
    Store(options::action::Key, options::action::LastAccess, "30");
    Store(options::action::Key, options::action::SearchName, "report");
    WriteLanguageFile("0\r\n");
    Start();
    EXPECT_EQ(Form1->ProgramDir, programDir);
    EXPECT_EQ(Form1->BackupDir, "C:\\Backups");
    EXPECT_EQ(Form1->PassCount, 8);
    EXPECT_EQ(Form1->RowSelectOption, 1);
    EXPECT_EQ(Form1->CompressionRatio, 9);
    EXPECT_EQ(Form1->SkipRecycleBin, 0);
    EXPECT_EQ(ShellEnumFlags, 224);
    EXPECT_EQ(Form1->LanguageFlag, 0);
    EXPECT_EQ(Form1->Label1->Caption(), "Ready . . .");
    EXPECT_EQ(Form1->ScanMode, 6);
    EXPECT_EQ(Form1->OlderThanDays, 30);
    EXPECT_EQ(Form1->SearchName, "report");
    ShellEnumFlags = 96;
}

TEST_F(MainFormTest, HandEditedValuesReadAsAbsent)
{
    Store(options::Key, options::InstallDir, programDir);
    Store(options::Key, options::NumPasses, "many");
    Store(options::Key, options::NotScanRecycleBin, "");
    Store(options::action::Key, options::action::ComboBoxIndex, "12");
    Store(options::action::Key, options::action::LastAccess, "soon");
    WriteLanguageFile("0 \r\n"); // a blank after the 0 keeps the German texts
    Start();
    EXPECT_EQ(Form1->PassCount, 3);
    EXPECT_EQ(Form1->SkipRecycleBin, 1);
    EXPECT_EQ(Form1->ScanMode, 0);
    EXPECT_EQ(Form1->OlderThanDays, 0);
    EXPECT_EQ(Form1->LanguageFlag, 1);
    EXPECT_EQ(Form1->BackupDir, programDir + "\\ZipBackup");
}

TEST_F(MainFormTest, CloseSavesTheScanActionAndLeavesTheCookieKeepList)
{
    // Nothing loads or edits the keep-list yet, so closing must not write it over.
    Store(options::cookiesNoDelete::Key, "bank", "");
    Store(options::cookiesNoDelete::Key, "mail", "");
    Start();
    // The scan options page holds them while the window is open.
    Form1->ScanModeButtons[5]->SetChecked(true);
    Form1->CSpinEdit2->SetValue(14);
    Form1->Edit2->SetText("*.tmp");
    Form1->Close();

    EXPECT_TRUE(Application->Terminated);
    EXPECT_EQ(Stored(options::action::Key, options::action::ComboBoxIndex), "5");
    EXPECT_EQ(Stored(options::action::Key, options::action::LastAccess), "14");
    EXPECT_EQ(Stored(options::action::Key, options::action::SearchName), "*.tmp");
    EXPECT_EQ(testing_support::SettingNames(options::cookiesNoDelete::Key),
              (std::vector<std::string>{"bank", "mail"}));
}

TEST_F(MainFormTest, CloseRequestDuringALongJobWaitsForItToUnwind)
{
    Start();
    {
        TForm1::LongJob job(Form1);
        SendMessageA(Form1->Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(Form1->AbortFlag, 1);
        EXPECT_FALSE(Application->Terminated); // the job is still running
    }
    EXPECT_TRUE(Application->Terminated);
}

TEST_F(MainFormTest, CloseRequestWithoutAJobClosesAtOnce)
{
    Start();
    SendMessageA(Form1->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Form1->AbortFlag, 1);
    EXPECT_TRUE(Application->Terminated);
}

TEST_F(MainFormTest, TrayIconHidesAndALeftClickBringsTheWindowBack)
{
    Start();
    Form1->Show();
    Form1->AddToTaskBar();
    EXPECT_FALSE(IsWindowVisible(Form1->Handle()));
    EXPECT_EQ(TrayIconData.uID, 1u);
    EXPECT_EQ(TrayIconData.uCallbackMessage, UINT(WM_USER + 1));
    EXPECT_STREQ(TrayIconData.szTip, "Tidewrack");

    SendMessageA(Form1->Handle(), WM_USER + 1, 1, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(Form1->Handle()));
    EXPECT_TRUE(Application->ShowMainForm);
    EXPECT_EQ(TrayIconData.cbSize, 0u); // the icon is gone again
}

// "Terminate" in the tray icon's menu ends the program as a close does, saving what the
// user set.
TEST_F(MainFormTest, TerminateInTheTrayMenuSavesAsACloseDoes)
{
    Start();
    Form1->Edit2->SetText("tray.txt");
    Form1->AddToTaskBar();
    Form1->Beenden1Click(nullptr);
    EXPECT_TRUE(Application->Terminated);
    EXPECT_EQ(TrayIconData.cbSize, 0u);
    EXPECT_EQ(Stored(options::action::Key, options::action::SearchName), "tray.txt");
}

TEST_F(MainFormTest, TitleButtonsSitFromTheRightEdge)
{
    Start();
    EXPECT_EQ(Form1->Image33->Left(), Form1->Width() - 22);
    EXPECT_EQ(Form1->Image32->Left(), Form1->Width() - 40);
    EXPECT_EQ(Form1->Image36->Left(), Form1->Width() - 94);
    Form1->SetWidth(700);
    EXPECT_EQ(Form1->Image33->Left(), 700 - 38);
    EXPECT_EQ(Form1->Image31->Left(), 700 - 74);
}

TEST_F(MainFormTest, RegistryLayerOfTheFormFillsTheValueList)
{
    Start();
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Tidewrack\\Test", true));
    const char multi[] = "one\0two\0";
    ASSERT_EQ(RegSetValueExA(registry.CurrentKey(), "list", 0, REG_MULTI_SZ,
                             reinterpret_cast<const BYTE*>(multi), sizeof multi),
              ERROR_SUCCESS);
    registry.CloseKey();
    EXPECT_EQ(Form1->ReadReg(rootCurrentUser, "Software\\Tidewrack\\Test", "list", "z"), "one\ntwo\n");
    ASSERT_EQ(Form1->ValueList->Count(), 2);
    EXPECT_EQ(Form1->ValueList->Strings(1), "two");
}

} // namespace
