// The disk check: the boot-time check list, and "Check Now" against the stand-in library
// that replays a scripted check.
#include "system/BootExecute.h"
#include "system/Chkdskanimation.h"
#include "system/Zusammenfassungchkdsk.h"
#include "tests/support/MainFormFixture.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ListView.h"

#include <optional>

using testing_support::MainFormTest;
using Lines = std::vector<std::string>;

TEST(BootExecuteLines, OnlyTheDrivesOwnLinesAreReplacedAndEveryOtherLineStays)
{
    struct Case {
        Lines before;
        bool recover;
        Lines after;
    } cases[] = {
        {{"autocheck autochk *"}, false, {"autocheck autochk /p \\??\\C:", "autocheck autochk *"}},
        {{"autocheck autochk /p \\??\\c:", "autocheck autochk *"}, true,
         {"autocheck autochk /r \\??\\C:", "autocheck autochk *"}},
        {{"autocheck autochk *", "autocheck autochk /p \\??\\C:", "autocheck autochk /r \\??\\C:"}, false,
         {"autocheck autochk *", "autocheck autochk /p \\??\\C:"}},
        {{"autocheck autochk *", "mytool C:\\x", "autocheck autochk /p \\??\\D:"}, false,
         {"autocheck autochk /p \\??\\C:", "autocheck autochk *", "mytool C:\\x", "autocheck autochk /p \\??\\D:"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bootexecute::WithDriveLine(c.before, "C:", c.recover), c.after);
}

namespace {

// The sandbox's BootExecute, put back as it was when the test ends.
class SavedBootExecute {
public:
    SavedBootExecute() { had_ = Get(type_, data_); }
    ~SavedBootExecute()
    {
        if (had_) {
            Set(type_, data_);
        } else {
            HKEY key = Open();
            RegDeleteValueA(key, bootexecute::ValueName);
            RegCloseKey(key);
        }
    }
    static bool Get(DWORD& type, std::string& data)
    {
        HKEY key = Open();
        char buffer[8192] = {};
        DWORD size = sizeof buffer;
        bool ok = RegQueryValueExA(key, bootexecute::ValueName, nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
        RegCloseKey(key);
        data.assign(buffer, ok ? size : 0);
        return ok;
    }
    static void Set(DWORD type, const std::string& data)
    {
        HKEY key = Open();
        EXPECT_EQ(RegSetValueExA(key, bootexecute::ValueName, 0, type,
                                 reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static std::string MultiString(const Lines& lines)
    {
        std::string data;
        for (const std::string& line : lines)
            data += line + '\0';
        return data + '\0';
    }

private:
    static HKEY Open()
    {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, bootexecute::SessionManagerKey, 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
        return key;
    }
    bool had_ = false;
    DWORD type_ = 0;
    std::string data_;
};

class DiskCheckTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        SettleAfterStart();
        // The build's program folder is drive D: of the sandbox (the test's own path is a
        // Unix one there, which LoadLibrary does not take).
        Form1->FmifsPath = "D:\\standin\\fmifs.dll";
        SetEnvironmentVariableA("TIDEWRACK_FMIFS_CALLS", nullptr);
        Form1->LanguageFlag = 0;
        Form1->Show();
        OpenPage();
    }

    void OpenPage()
    {
        Form1->NavSection = 3;
        Form1->NavItem = 3;
        Form1->SpeedClick(nullptr);
    }

    // Checks only drive C: with the script; the summary's text, or nothing when none showed.
    std::optional<std::string> CheckC(const char* script)
    {
        SetEnvironmentVariableA("TIDEWRACK_FMIFS_SCRIPT", script);
        for (int i = 0; i < Form1->ListView6->Items()->Count(); ++i)
            Form1->ListView6->Items()->Item(i)->SetChecked(i == 0);
        std::optional<std::string> summary;
        UINT_PTR timer = 0;
        timer = toolkit::StartTimer(20, [&] {
            if (!Form14 || !Form14->Visible())
                return;
            toolkit::StopTimer(timer);
            summary = Form14->Memo1->Text();
            Form14->Button1->OnClick(Form14->Button1);
        });
        Form1->Button5Click(nullptr);
        toolkit::StopTimer(timer);
        Application->ProcessMessages();
        return summary;
    }

    static std::string Calls()
    {
        char value[1024] = {};
        return std::string(value, GetEnvironmentVariableA("TIDEWRACK_FMIFS_CALLS", value, sizeof value));
    }
};

TEST_F(DiskCheckTest, CheckNowRunsTheLibraryAndSummarisesTheFinalLines)
{
    ASSERT_GT(Form1->ListView6->Items()->Count(), 0);
    EXPECT_EQ(Form1->ListView6->Items()->Item(0)->Caption(), "DRIVE_FIXED (C)");
    Form1->CheckBox9->SetChecked(true);
    auto summary = CheckC("P0|TEarly line|P50|P100|T123 KB total disk space.|T1|D0");
    ASSERT_TRUE(summary);
    EXPECT_EQ(Calls(), "C:\\,NTFS,0010;");
    EXPECT_NE(summary->find("Checking Drive C:"), std::string::npos);
    EXPECT_NE(summary->find("Type of file system is: NTFS"), std::string::npos);
    EXPECT_NE(summary->find("123 KB total disk space."), std::string::npos);
    EXPECT_EQ(summary->find("Early line"), std::string::npos);  // before the final phase
    EXPECT_EQ(summary->find("\n1\r"), std::string::npos);       // two characters or fewer
    EXPECT_TRUE(Form1->Visible());
    EXPECT_EQ(Stored("Software\\Tidewrack\\Options\\ChkDsk", "options"), "0001");
}

TEST_F(DiskCheckTest, AFailedCheckIsNamedInTheSummaryAndTheMainWindowComesBack)
{
    auto summary = CheckC("P100|L5000|TLast line|D1");
    ASSERT_TRUE(summary);
    EXPECT_NE(summary->find("Last line"), std::string::npos);
    EXPECT_NE(summary->find("The check of drive C: failed."), std::string::npos);
    EXPECT_EQ(summary->find("xxxx"), std::string::npos); // a text without line end within bounds is dropped
    EXPECT_TRUE(Form1->Visible());
}

TEST_F(DiskCheckTest, WithoutTheLibraryNothingIsCheckedAndTheUserIsTold)
{
    Form1->FmifsPath = "C:\\nowhere\\fmifs.dll";
    EXPECT_FALSE(CheckC("P100|D0"));
    EXPECT_EQ(Calls(), "");
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_NE(effects.boxes[0].text.find("fmifs.dll"), std::string::npos);
    EXPECT_TRUE(Form1->Visible());
    EXPECT_EQ(Form13, nullptr);
}

TEST_F(DiskCheckTest, RecoverWithoutFixIsRefusedBeforeAnythingIsWritten)
{
    Form1->CheckBox8->SetChecked(true);
    EXPECT_FALSE(CheckC("D0"));
    EXPECT_EQ(Calls(), "");
    EXPECT_FALSE(Stored("Software\\Tidewrack\\Options\\ChkDsk", "options"));
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "You must also check 'Fixes errors on the disk'");
}

TEST_F(DiskCheckTest, OpeningThePageRestoresTheStoredChecks)
{
    Store("Software\\Tidewrack\\Options\\ChkDsk", "options", "1010");
    Store("Software\\Tidewrack\\Options\\ChkDsk", "drives", "0");
    OpenPage();
    EXPECT_TRUE(Form1->CheckBox6->Checked());
    EXPECT_FALSE(Form1->CheckBox7->Checked());
    EXPECT_TRUE(Form1->CheckBox8->Checked());
    EXPECT_FALSE(Form1->ListView6->Items()->Item(0)->Checked());
}

TEST_F(DiskCheckTest, BootTimeCheckKeepsEveryOtherLineOfALongValue)
{
    SavedBootExecute saved;
    Lines lines{"autocheck autochk *", "autocheck autochk /p \\??\\C:"};
    for (int i = 0; i < 20; ++i)
        lines.push_back("sometool /argument " + std::to_string(i) + " \\??\\E:\\folder");
    SavedBootExecute::Set(REG_MULTI_SZ, SavedBootExecute::MultiString(lines));
    Form1->CheckBox8->SetChecked(true);
    EXPECT_TRUE(Form1->AddDriveToAutoCheck("C:"));
    lines[1] = "autocheck autochk /r \\??\\C:";
    EXPECT_EQ(bootexecute::ReadLines(), lines);
}

TEST_F(DiskCheckTest, BootTimeCheckNeverReplacesAValueItCannotRead)
{
    SavedBootExecute saved;
    SavedBootExecute::Set(REG_SZ, std::string("autocheck autochk *\0", 20));
    EXPECT_FALSE(Form1->AddDriveToAutoCheck("C:"));
    DWORD type = 0;
    std::string data;
    SavedBootExecute::Get(type, data);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, std::string("autocheck autochk *\0", 20));
}

} // namespace

namespace {

// Wine opens a volume for writing even while another handle holds it without sharing, so
// the answer to a volume in use is asked for directly.
TEST_F(DiskCheckTest, AVolumeInUseIsScheduledAndOnlyAWrittenScheduleIsAnnounced)
{
    SavedBootExecute saved;
    TForm13 progress(Form1, [] { return Form1->AddDriveToAutoCheck(Form1->ChkdskDrive); });
    Form1->ChkdskDrive = "C:";
    SavedBootExecute::Set(REG_SZ, "unreadable");
    effects.answers = {IDYES};
    progress.OfferBootTimeCheck();
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_EQ(effects.boxes[1].text, "The check at the next restart could not be scheduled.");

    SavedBootExecute::Set(REG_MULTI_SZ, SavedBootExecute::MultiString({"autocheck autochk *"}));
    effects.boxes.clear();
    effects.answers = {IDYES};
    progress.OfferBootTimeCheck();
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_EQ(effects.boxes[1].text, "This volume will be checked the next time the system restarts");
    EXPECT_EQ(bootexecute::ReadLines(), (Lines{"autocheck autochk /p \\??\\C:", "autocheck autochk *"}));
}

} // namespace
