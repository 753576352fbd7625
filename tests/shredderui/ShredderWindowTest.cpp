// The progress window: what it shows while the engine runs, cancel, and the report of
// files that could not be shredded.
#include "CallerKit.h"

#include "archive/Avidialog.h"
#include "filetools/ShredderForm.h"
#include "filetools/ShredderRun.h"
#include "tests/shredder/ShredderTestKit.h"

#include <functional>

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

// How the window behaves depends on who opens it. Each caller starts its run on a big
// file; while the engine writes, the window's state is read, and where the close command
// is usable it is chosen, which must stop the run as Cancel does and leave the file.
struct CallerCase {
    const char* name;
    bool topmost, closable, cancellable;
    const char* itemWord;  // nullptr: not looked at (the wipe shows its own)
    std::function<std::string(ShredderCallerTest&)> start;  // runs the caller; the target
};

class ShredderWindowCallers : public ShredderCallerTest, public ::testing::WithParamInterface<CallerCase> {};

TEST_P(ShredderWindowCallers, EachCallerOpensItAsItsRulesSay)
{
    const CallerCase& c = GetParam();
    bool seen = false, topmost = false, closeGreyed = false, cancelEnabled = false, waitCursor = false;
    std::string itemWord;
    io.beforeWrite = [&] {
        if (seen || !Form2)
            return;
        seen = true;
        const HWND window = Form2->Handle();
        topmost = GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST;
        closeGreyed = GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED;
        cancelEnabled = Form2->Button1->Enabled();
        waitCursor = Screen->Cursor() == crHourGlass;
        itemWord = Form2->Label1->Caption();
        if (c.closable)
            SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    };

    const std::string target = c.start(*this);

    ASSERT_TRUE(seen);
    EXPECT_EQ(c.topmost, topmost);
    EXPECT_EQ(!c.closable, closeGreyed);
    EXPECT_EQ(c.cancellable, cancelEnabled);
    EXPECT_TRUE(waitCursor);
    if (c.itemWord) {
        EXPECT_EQ(c.itemWord, itemWord);
    }
    if (c.closable) {
        EXPECT_TRUE(Exists(target)) << "closed: the run stopped";
    }
    Application->ProcessMessages();
    EXPECT_EQ(nullptr, Form2);
}

INSTANTIATE_TEST_SUITE_P(
    Callers, ShredderWindowCallers,
    ::testing::Values(
        CallerCase{"ShredderPage", true, true, true, "Datei",
                   [](ShredderCallerTest& t) {
                       const std::string file = t.BigFile(t.folder / "page.bin");
                       t.OnShredderPage(file);
                       Form1->Button1Click(nullptr);
                       return file;
                   }},
        CallerCase{"FoundFiles", true, true, true, "Dateiname",
                   [](ShredderCallerTest& t) {
                       const std::string file = t.BigFile(t.folder / "found.bin");
                       t.InFoundFiles(file);
                       Frame8->ToolButton13Click(nullptr);
                       return file;
                   }},
        CallerCase{"FreeSpaceWipe", false, false, true, nullptr,
                   [](ShredderCallerTest& t) {
                       t.OnWipePage();
                       Form1->Label48Click(nullptr);
                       return std::string();
                   }},
        CallerCase{"CleanCenterFolder", false, true, false, "Datei",
                   [](ShredderCallerTest& t) {
                       Form1->LanguageFlag = 0; // the pass says "Datei" in English too
                       MakeFolder(t.folder / "Prefetch");
                       const std::string file = t.BigFile(t.folder / "Prefetch\\APP.pf");
                       EXPECT_FALSE(Form1->DelSecureFolder(t.folder / "Prefetch", "Prefetch"));
                       EXPECT_EQ(1, Form1->AbortFlag) << "the rest of the clean center stops too";
                       return file;
                   }},
        // Wine's recycle bin names its items by bare names, which the pass does not
        // shred: the window is opened here as the pass opens it.
        CallerCase{"CleanCenterRecycleBin", false, false, false, "File",
                   [](ShredderCallerTest& t) {
                       const std::string file = t.BigFile(t.folder / "binned.bin");
                       ShredderWindowSetup bin;
                       bin.caller = ShredderCaller::CleanCenterRecycleBin;
                       ShredderWindow window(Form1, Form1->XPMenu1, bin);
                       StartShredderRun(*window, {file, "1"}, t.io);
                       return file;
                   }},
        CallerCase{"SpaceManager", false, false, true, "Datei",
                   [](ShredderCallerTest& t) {
                       MakeFolder(t.folder / "tree");
                       t.BigFile(t.folder / "tree\\a.bin");
                       t.OpenSpaceManager();
                       Form11->SecureWipe({t.folder / "tree"});
                       return t.folder / "tree";
                   }}),
    [](const ::testing::TestParamInfo<CallerCase>& info) { return std::string(info.param.name); });

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
