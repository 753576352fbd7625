// The update check as the user drives it: the page's link, the version file, the update
// dialog, the download of the program and its start, against the loopback server.
#include "shell/Frameupdate.h"
#include "pageparts/HostDialog.h"
#include "common/OptionsKeys.h"
#include "common/ProductInfo.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/update/LoopbackServer.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

using testing_support::Exists;
using testing_support::ReadFileText;
using update_test::Page;
using update_test::Pattern;
using update_test::Reply;

namespace {

class UpdateCheckTest : public testing_support::MainFormTest {
protected:
    void SetUp() override
    {
        ClearSettings();
        ASSERT_NO_FATAL_FAILURE(Store(options::Key, options::ShowNetworkMessage, "done"));
        Start();
        SettleAfterStart();
        versionAtStart = Form1->ProgramVersion;
        Form1->ProgramVersion = "2.1.9";
        Form1->LanguageFlag = 0;
        product::UpdateAddress = server.Address();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        versionFile = std::string(temp) + "tidewrackversion.txt";
    }

    void TearDown() override
    {
        product::UpdateAddress = realAddress;
        MainFormTest::TearDown();
    }

    void ServeVersion(const std::string& version) { server.Serve("/tidewrackversion.txt", Page(200, version + "\r\n")); }

    // Checks, says Yes to the offer, and leaves the update dialog saving to target.
    void OpenUpdateDialog()
    {
        effects.answers = {IDYES};
        Form1->Label47Click(nullptr);
        ASSERT_NE(Frame30, nullptr);
        Frame30->Edit1->SetText(target);
    }

    std::string LastBox() const { return effects.boxes.empty() ? std::string() : effects.boxes.back().text; }

    const std::string realAddress = product::UpdateAddress;
    update_test::LoopbackServer server;
    testing_support::TempFolder folder;
    const std::string target = folder / "TidewrackUpdate.exe";
    std::string versionFile;
    std::string versionAtStart;
};

TEST_F(UpdateCheckTest, NewerVersionIsDownloadedWholeAndStartedAfterSaving)
{
    ServeVersion("2.1.10");
    const std::string program = Pattern(200000);
    server.Serve("/Tidewrack.exe", Page(200, program));
    Form1->AddTrayIcon();
    ASSERT_NO_FATAL_FAILURE(OpenUpdateDialog());
    EXPECT_EQ(Form6->Caption(), "Download Update");
    EXPECT_TRUE(IsWindowVisible(Form6->Handle()));
    EXPECT_EQ(Frame30->Label7->Caption(), "Tidewrack.exe");

    effects.answers = {IDYES};
    Frame30->Button3->Click();
    EXPECT_TRUE(ReadFileText(target) == program);
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_EQ(effects.boxes[0].text, "New Version available !\n\nDownload now ?");
    EXPECT_EQ(effects.boxes[1].text, "Download succeeded. The file is not signed.\n\nInstall Update now ?");
    EXPECT_EQ(Frame30->Label5->Caption(), "Downloaded 195 KB of 195 KB");
    // Saved as at a normal close, no icon left behind, then started and ended.
    EXPECT_TRUE(Stored(options::action::Key, options::action::ComboBoxIndex));
    EXPECT_EQ(TrayIconData.cbSize, 0u);
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_EQ(effects.launches[0].verb, "open");
    EXPECT_EQ(effects.launches[0].file, target);
    EXPECT_EQ(effects.processEnds, std::vector<UINT>{1});
    EXPECT_FALSE(Exists(versionFile));
    EXPECT_FALSE(Exists(Form1->ProgramDir + "\\tidewrackversion.txt"));
}

TEST_F(UpdateCheckTest, SameOrOlderVersionIsUpToDate)
{
    for (const char* newest : {"2.1.9", "2.1.9.0", "2.1.4", "1.99"}) {
        effects.boxes.clear();
        ServeVersion(newest);
        Form1->Label47Click(nullptr);
        ASSERT_EQ(effects.boxes.size(), 1u) << newest;
        EXPECT_EQ(LastBox(), "You are uptodate !\n  ");
        EXPECT_EQ(effects.boxes[0].flags, static_cast<UINT>(MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OK));
        EXPECT_EQ(Frame30, nullptr);
    }
}

TEST_F(UpdateCheckTest, FailuresOfTheVersionFileAreToldForWhatTheyAre)
{
    struct Case {
        Reply reply;
        const char* says;
    };
    const Case cases[] = {
        {Page(404, "<html>Not here</html>"), "The update server reports error 404."},
        {Page(500, "<html>Broken</html>"), "The update server reports error 500."},
        {Page(200, "<html>Sign in to the hotel network</html>"),
         "The update server's version file names no valid version."},
    };
    for (const Case& c : cases) {
        server.Serve("/tidewrackversion.txt", c.reply);
        Form1->Label47Click(nullptr);
        EXPECT_EQ(LastBox(), c.says);
        EXPECT_FALSE(Exists(versionFile)) << c.says;
    }
    product::UpdateAddress = "http://127.0.0.1:1/"; // nobody listens there
    Form1->Label47Click(nullptr);
    EXPECT_EQ(LastBox(), "Error connecting with internet !\n  ");
}

TEST_F(UpdateCheckTest, UnwritableVersionFileIsNoConnectionError)
{
    ServeVersion("2.1.10");
    ASSERT_TRUE(CreateDirectoryA(versionFile.c_str(), nullptr)); // the name is taken by a folder
    Form1->Label47Click(nullptr);
    RemoveDirectoryA(versionFile.c_str());
    EXPECT_EQ(LastBox(), "The file could not be written:\n" + versionFile);
}

TEST_F(UpdateCheckTest, UnknownOwnVersionIsSaidBeforeAskingTheServer)
{
    EXPECT_EQ(versionAtStart, ""); // the test program carries no version resource
    Form1->ProgramVersion = versionAtStart;
    ServeVersion("2.1.10");
    Form1->Label47Click(nullptr);
    EXPECT_EQ(LastBox(), "The version of this Tidewrack is unknown, so it cannot be compared with the newest version.");
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateCheckTest, ACheckThatBreaksDownEndsQuietly)
{
    ServeVersion("2.1.9");
    effects.onBox = [](const std::string&) { throw std::runtime_error("out of memory"); };
    EXPECT_NO_THROW(Form1->Label47Click(nullptr));
}

TEST_F(UpdateCheckTest, CancelDeletesThePartAndTheNextCheckStillRuns)
{
    ServeVersion("2.1.10");
    ASSERT_NO_FATAL_FAILURE(OpenUpdateDialog());
    Reply reply = Page(200, Pattern(100000));
    reply.sendOnly = 40000;
    reply.holdAfterPart = true;
    reply.hookAt = 20000; // the user presses Cancel while the bytes come in
    HWND cancel = Frame30->Button2->Handle();
    reply.hook = [cancel] { PostMessageA(cancel, BM_CLICK, 0, 0); };
    server.Serve("/Tidewrack.exe", reply);

    Frame30->Button3->Click();
    EXPECT_FALSE(Exists(target));
    EXPECT_EQ(effects.boxes.size(), 1u); // the offer; no error for a cancel
    EXPECT_TRUE(effects.launches.empty());
    EXPECT_FALSE(IsWindowVisible(Form6->Handle()));

    ServeVersion("2.1.9");
    Form1->Label47Click(nullptr);
    EXPECT_EQ(LastBox(), "You are uptodate !\n  ");
}

TEST_F(UpdateCheckTest, TheAnimationPlaysWhileTheProgramDownloadsAndStopsAfter)
{
    ServeVersion("2.1.10");
    ASSERT_NO_FATAL_FAILURE(OpenUpdateDialog());
    ASSERT_TRUE(Frame30->Animate1->Opened());
    EXPECT_FALSE(Frame30->Animate1->Active());
    Reply reply = Page(200, Pattern(100000));
    reply.sendOnly = 40000;
    reply.holdAfterPart = true;
    reply.hookAt = 20000; // the user presses Cancel while the bytes come in
    HWND cancel = Frame30->Button2->Handle();
    reply.hook = [cancel] { PostMessageA(cancel, BM_CLICK, 0, 0); };
    server.Serve("/Tidewrack.exe", reply);
    bool playingAtCancel = false;
    Frame30->Button2->OnClick = [&](TObject* sender) {
        playingAtCancel = Frame30->Animate1->Active();
        Frame30->Button2Click(sender);
    };

    Frame30->Button3->Click();
    EXPECT_TRUE(playingAtCancel);
    EXPECT_FALSE(Frame30->Animate1->Active());
}

TEST_F(UpdateCheckTest, CutDownloadIsToldAndLeavesNoFile)
{
    ServeVersion("2.1.10");
    ASSERT_NO_FATAL_FAILURE(OpenUpdateDialog());
    Reply reply = Page(200, Pattern(100000));
    reply.sendOnly = 50000;
    server.Serve("/Tidewrack.exe", reply);
    Frame30->Button3->Click();
    EXPECT_EQ(LastBox(), "The transfer broke off (50000 of 100000 bytes). Nothing has been saved.");
    EXPECT_FALSE(Exists(target));
    EXPECT_TRUE(effects.launches.empty());
}

TEST_F(UpdateCheckTest, UnsignedProgramIsSaidSoAndNoStartsNothing)
{
    ServeVersion("2.1.10");
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    // A real program, unsigned as the prefix's own programs are.
    server.Serve("/Tidewrack.exe", Page(200, ReadFileText(std::string(system) + "\\notepad.exe")));
    ASSERT_NO_FATAL_FAILURE(OpenUpdateDialog());
    effects.answers = {IDNO};
    Frame30->Button3->Click();
    EXPECT_EQ(LastBox(), "Download succeeded. The file is not signed.\n\nInstall Update now ?");
    EXPECT_EQ(effects.boxes.back().flags,
              static_cast<UINT>(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO | MB_DEFBUTTON2));
    EXPECT_TRUE(effects.launches.empty());
    EXPECT_TRUE(effects.processEnds.empty());
}

// The frame knows no main form: Save and Cancel run what its maker hands it.
TEST_F(UpdateCheckTest, SaveAndCancelRunWhatTheMakerHandsTheFrame)
{
    std::vector<std::string> calls;
    UpdateActions actions;
    actions.fileName = "New.exe";
    actions.holdDialog = [&] {
        calls.push_back("hold");
        return std::shared_ptr<void>();
    };
    actions.download = [&] {
        calls.push_back("download");
        return false;
    };
    actions.cancel = [&] { calls.push_back("cancel"); };
    actions.install = [&](const std::string&) {
        calls.push_back("install");
        return true;
    };
    Form1->MakeHostDialog(HostDialog::Update);
    TFrame30* frame = MakeHostFrame<TFrame30>(Form1->HostPanel, actions);
    frame->Button3->Click();
    EXPECT_EQ(frame->Label2->Caption(), "New.exe");
    frame->Button2->Click();
    EXPECT_EQ(calls, (std::vector<std::string>{"hold", "download", "cancel"}));
    EXPECT_TRUE(effects.boxes.empty()); // a failed download asks nothing
}

TEST_F(UpdateCheckTest, ProgramThatCannotStartLeavesThisOneRunning)
{
    ServeVersion("2.1.10");
    server.Serve("/Tidewrack.exe", Page(200, "MZ new program"));
    ASSERT_NO_FATAL_FAILURE(OpenUpdateDialog());
    effects.launchSucceeds = false;
    effects.answers = {IDYES};
    Frame30->Button3->Click();
    EXPECT_EQ(LastBox(), "The update could not be started:\n" + target);
    EXPECT_TRUE(effects.processEnds.empty());
    EXPECT_TRUE(Exists(target)); // the download itself stays for the user
}

} // namespace
