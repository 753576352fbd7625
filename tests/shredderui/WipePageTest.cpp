// The wipe page. Every wipe here runs on the engine tests' pretend disk: under Wine a
// drive's free space is the host's disk.
#include "MainFormFixture.h"

#include "filetools/ShredderForm.h"
#include "tests/shredder/ShredderTestKit.h"
#include "toolkit/ListView.h"

using namespace shredder_test;

namespace {

class WipePageTest : public ShredderMainFormTest {
protected:
    void SetUp() override
    {
        ShredderMainFormTest::SetUp();
        io.forward = false; // nothing of the wipe may reach a real file
        io.disk.freeBytes = 4 * 1024 * 1024;
        io.disk.freeRecords = 6;
        Form1->ShredderDisk = &io;
    }

    void ShowPage()
    {
        Form1->NavSection = 1;
        Form1->NavItem = 0;
        Form1->SpeedClick(nullptr);
    }

    TListItem* DriveRow(char letter)
    {
        TListItems* rows = Form1->ListView10->Items();
        for (int row = 0; row < rows->Count(); ++row)
            if (reinterpret_cast<intptr_t>(rows->Item(row)->Data()) == letter)
                return rows->Item(row);
        return nullptr;
    }

    TestIo io;
};

TEST_F(WipePageTest, ListsTheFixedDrivesWithFileSystemAndSpace)
{
    Form1->LanguageFlag = 0;
    ShowPage();
    EXPECT_EQ(Form1->TabSheets[13], Form1->PageControl1->ActivePage());
    TListItem* drive = DriveRow('C');
    ASSERT_NE(nullptr, drive);
    const std::string caption = drive->Caption();
    EXPECT_NE(std::string::npos, caption.find("  (NTFS; Used Diskspace: ")) << caption;
    EXPECT_NE(std::string::npos, caption.find(" GB; Free Diskspace: ")) << caption;
    EXPECT_EQ(" GB)", caption.substr(caption.size() - 4));
    EXPECT_EQ("Wipe free space", Form1->Label48->Caption());
}

TEST_F(WipePageTest, TheDeleteKeyTakesTheChosenDriveOffTheList)
{
    ShowPage();
    ASSERT_NE(nullptr, DriveRow('C'));
    Form1->ListView10->SetSelected(DriveRow('C'));
    ASSERT_TRUE(Form1->ListView10->OnKeyDown);
    WORD key = VK_DELETE;
    Form1->ListView10->OnKeyDown(Form1->ListView10, key, TShiftState());
    EXPECT_EQ(nullptr, DriveRow('C'));
}

TEST_F(WipePageTest, NoDriveChosenIsAnError)
{
    ShowPage();
    Form1->ListView10->ClearSelection();
    Form1->Label48Click(nullptr);
    ASSERT_EQ(1u, effects.boxes.size());
    EXPECT_EQ("Fehler", effects.boxes[0].caption);
    EXPECT_TRUE(io.disk.created.empty());
    EXPECT_TRUE(effects.launches.empty());
}

TEST_F(WipePageTest, WipesTheChosenDriveShowsItsProgressAndStartsTheProgramAfresh)
{
    Form1->LanguageFlag = 0;
    ShowPage();
    TListItem* drive = DriveRow('C');
    ASSERT_NE(nullptr, drive);
    Form1->ListView10->SetSelected(drive);
    // What the window's timer shows halfway, read while the engine writes.
    std::string bytesShown, memoShown;
    int barShown = -1;
    io.beforeWrite = [&] {
        if (!Form2 || io.disk.freeBytes > 2 * 1024 * 1024 || !bytesShown.empty())
            return;
        EXPECT_EQ(1, Form1->WipeRunning);
        Form2->Timer1Timer(nullptr);
        bytesShown = Form2->Label4->Caption();
        memoShown = Form2->Memo1->Text();
        barShown = Form2->ProgressBar1->Position();
    };

    Form1->Label48Click(nullptr);

    EXPECT_EQ("C:\\", Form1->WipeDriveRoot);
    EXPECT_EQ(3, Form1->WipeDriveNumber);
    EXPECT_EQ("1", Form1->ShredPasses);
    EXPECT_EQ(0, Form1->WipeRunning);
    EXPECT_EQ(4.0 * 1024 * 1024, Form1->WipeFreeAtStart);
    ASSERT_GE(io.disk.created.size(), 3u);
    EXPECT_EQ("WIPE_SHREDDER", io.disk.created[0]);
    EXPECT_EQ("WIPE_SHREDDER1", io.disk.created[1]);
    EXPECT_TRUE(io.disk.openFiles.empty()) << "the wipe files are closed, and so gone";
    EXPECT_EQ(4u * 1024 * 1024, io.disk.freeBytes);
    EXPECT_EQ(std::vector<std::string>{}, io.Entries({"REFUSED"}));

    EXPECT_NE(std::string::npos, bytesShown.find(" / 4,194,304 Bytes done")) << bytesShown;
    EXPECT_EQ(0u, memoShown.find("Cleaning free space on drive C:\\  (")) << memoShown;
    EXPECT_GE(barShown, 50);

    EXPECT_FALSE(Form1->Visible());
    EXPECT_TRUE(Application->Terminated);
    ASSERT_EQ(1u, effects.launches.size());
    const std::string& command = effects.launches[0].file;
    ASSERT_GE(command.size(), 2u);
    EXPECT_EQ('"', command.front());
    EXPECT_EQ('"', command.back());
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(std::string("\"") + self + "\"", command);
    EXPECT_TRUE(effects.boxes.empty()) << effects.boxes[0].text;
}

TEST_F(WipePageTest, AFailedWipeIsReportedAndStillStartsAfresh)
{
    io.disk.quota = true;
    ShowPage();
    Form1->ListView10->SetSelected(DriveRow('C'));

    Form1->Label48Click(nullptr);

    EXPECT_TRUE(io.disk.created.empty());
    ASSERT_EQ(1u, effects.boxes.size());
    EXPECT_EQ("Der freie Speicher konnte nicht vollständig gelöscht werden.\n", effects.boxes[0].text);
    EXPECT_EQ(1u, effects.launches.size());
    EXPECT_EQ(0, Form1->WipeRunning);
}

TEST_F(WipePageTest, TheShredderPageClearsAWipeStateLeftBehind)
{
    Form1->WipeRunning = 1;
    TempFolder folder;
    WriteFileText(folder / "f.txt", "f");
    Form1->AddShredderRow(folder / "f.txt");
    Form1->Allesmarkieren2Click(nullptr);
    effects.answers.push_back(IDYES);
    io.forward = true; // the file is real; a wipe would still go to the pretend disk

    Form1->Button1Click(nullptr);

    EXPECT_EQ(0, Form1->WipeRunning);
    EXPECT_FALSE(Exists(folder / "f.txt"));
}

} // namespace
