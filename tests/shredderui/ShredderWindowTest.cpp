// The progress window: what it shows while the engine runs, cancel, and the report of
// files that could not be shredded.
#include "MainFormFixture.h"

#include "archive/Avidialog.h"
#include "filetools/ShredderForm.h"
#include "filetools/ShredderRun.h"
#include "tests/shredder/ShredderTestKit.h"

using namespace shredder_test;

namespace {

class ShredderWindowTest : public ShredderMainFormTest {
protected:
    TForm2* OpenWindow()
    {
        Form2 = new TForm2(Form1);
        Form2->Show();
        return Form2;
    }

    TempFolder folder;
};

TEST(ShredderWindowTimes, ShortAndLongDurations)
{
    EXPECT_EQ("01:01:01", TForm2::GetLengthString(3661));
    EXPECT_EQ("001:01:01:01", TForm2::GetLengthString(90061));
    EXPECT_EQ("00:00:00", TForm2::GetLengthString(0));
    EXPECT_EQ("24:00:00", TForm2::GetLengthString(24 * 3600));
    EXPECT_EQ("", TForm2::GetLengthString(-1));
}

TEST_F(ShredderWindowTest, ShowsTheFileItsProgressAndFreesItselfOnTheCallersClose)
{
    const std::string file = folder / "report.txt";
    WriteFileText(file, std::string(3000, 'x'));
    TForm2* window = OpenWindow();
    EXPECT_EQ("Datei", window->Label1->Caption());
    EXPECT_EQ("Abbrechen", window->Button1->Caption());

    ShredderResult result = window->RunShredder({"", "-p", "2", file});

    EXPECT_TRUE(result.Succeeded());
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(2999, window->ProgressBar1->Max());
    EXPECT_EQ(1, window->FileCounter);
    EXPECT_NE(std::string::npos, window->Memo1->Text().find("report.txt")) << window->Memo1->Text();
    EXPECT_EQ("Überschreibe Dateinamen . . .", window->Label3->Caption());

    window->Close();
    EXPECT_TRUE(effects.boxes.empty());
    Application->ProcessMessages();
    EXPECT_EQ(nullptr, Form2);
}

TEST_F(ShredderWindowTest, AFileThatStaysIsCountedShownAndReportedOnClose)
{
    Form1->LanguageFlag = 0;
    const std::string kept = folder / "kept.txt";
    WriteFileText(kept, "data");
    TestIo io;
    io.failRemoveFile = true;
    TForm2* window = OpenWindow();
    EXPECT_EQ("Cancel", window->Button1->Caption());

    ShredderResult result = window->RunShredder({"", "-p", "1", kept}, io);

    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(1u, result.filesLeft);
    EXPECT_EQ(std::set<std::string>{"kept.txt"}, TreeNames(folder.Path())) << "back under its own name";
    EXPECT_EQ(1u, window->FilesLeft);
    EXPECT_EQ("Not deleted: 1", window->Label3->Caption());

    window->Close();
    ASSERT_EQ(1u, effects.boxes.size());
    EXPECT_EQ("1 file could not be shredded and is still there.\n", effects.boxes[0].text);
    window = nullptr;
    Application->ProcessMessages();
    EXPECT_EQ(nullptr, Form2);
}

TEST_F(ShredderWindowTest, ADriveRootIsRefusedAndReported)
{
    TForm2* window = OpenWindow();
    ShredderResult result = window->RunShredder({"", "-p", "1", "-s", "C:\\"});
    EXPECT_TRUE(result.refused);
    window->Close();
    ASSERT_EQ(1u, effects.boxes.size());
    EXPECT_NE(std::string::npos, effects.boxes[0].text.find("Laufwerk")) << effects.boxes[0].text;
}

TEST_F(ShredderWindowTest, CancelLeavesTheFileWithItsOwnNameAndOnlyHidesTheWindow)
{
    const std::string file = folder / "letter.doc";
    WriteFileText(file, std::string(200000, 'q'));
    TestIo io;
    TForm2* window = OpenWindow();
    int writes = 0;
    io.beforeWrite = [&] {
        if (++writes == 3)
            window->Button1Click(window->Button1);
    };

    ShredderResult result = window->RunShredder({"", "-p", "7", file}, io);

    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(Exists(file));
    EXPECT_EQ(std::set<std::string>{"letter.doc"}, TreeNames(folder.Path()));
    EXPECT_TRUE(io.Entries({"rename"}).empty());
    EXPECT_FALSE(window->Visible());
    // The caller still holds the window: a later run returns at once, and only its
    // own Close frees the window.
    Application->ProcessMessages();
    ASSERT_EQ(window, Form2);
    EXPECT_TRUE(window->RunShredder({"", "-p", "1", file}, io).cancelled);
    EXPECT_TRUE(Exists(file));
    window->Close();
    EXPECT_TRUE(effects.boxes.empty());
    Application->ProcessMessages();
    EXPECT_EQ(nullptr, Form2);
}

TEST_F(ShredderWindowTest, TheCloseBoxDuringARunCancelsWithoutFreeingTheWindow)
{
    const std::string file = folder / "big.bin";
    WriteFileText(file, std::string(300000, 'b'));
    TestIo io;
    TForm2* window = OpenWindow();
    io.beforeWrite = [&] { SendMessageA(window->Handle(), WM_CLOSE, 0, 0); };

    EXPECT_TRUE(window->RunShredder({"", "-p", "1", file}, io).cancelled);
    Application->ProcessMessages();
    ASSERT_EQ(window, Form2);
    EXPECT_TRUE(Exists(file));
    window->Close();
    Application->ProcessMessages();
    EXPECT_EQ(nullptr, Form2);
}

// Every caller opens the window the same way: Cancel the one way to stop, the wait
// cursor while it is open, not above other programs.
TEST_F(ShredderWindowTest, EveryCallerOpensItTheSameWay)
{
    ShredderWindowSetup setup;
    setup.entries = 3;
    {
        ShredderWindow window(Form1, Form1->XPMenu1, setup);
        EXPECT_TRUE(GetMenuState(GetSystemMenu(window->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
        EXPECT_TRUE(window->Button1->Enabled());
        EXPECT_FALSE(GetWindowLongA(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(crHourGlass, Screen->Cursor());
        EXPECT_EQ(3, window->ProgressBar2->Max());
        EXPECT_FALSE(window->Label8->Visible()) << "the time left is a wipe's";
    }
    EXPECT_EQ(crDefault, Screen->Cursor());
    Application->ProcessMessages();
    EXPECT_EQ(nullptr, Form2);
}

} // namespace

namespace {

// The program carries its own delete and copy animations; the progress windows play them.
TEST_F(ShredderWindowTest, TheWindowsPlayTheProgramsOwnAnimations)
{
    TForm2* window = OpenWindow();
    EXPECT_TRUE(window->Animate1->Opened());
    EXPECT_EQ(window->ClientWidth(), 435);
    EXPECT_EQ(window->ClientHeight(), 259);
    EXPECT_EQ(window->Animate1->Width(), 304);
    EXPECT_EQ(window->Animate1->Height(), 60);
    window->Animate1->SetActive(true);
    EXPECT_TRUE(window->Animate1->Active());
    window->Close();
    Application->ProcessMessages();

    auto* packing = new TForm9(Form1);
    EXPECT_TRUE(packing->Animate1->Opened());
    packing->ShowPacking();
    EXPECT_TRUE(packing->Animate1->Active());
    packing->Close();
    Application->ProcessMessages();

    TAnimate missing(Form1);
    EXPECT_FALSE(missing.Open(4711)) << "no such animation: nothing shown, nothing played";
    missing.SetActive(true);
    EXPECT_FALSE(missing.Active());
}

} // namespace
