// The scheduler driven by the clock seam, and the countdown to the shutdown or reboot,
// which reaches the effects seam only when its 60 seconds are over.
#include "fileengines/ScanRecords.h"
#include "cleaning/Showdelfilesframe.h"
#include "cleaning/Shutdownwarning.h"
#include "cleaning/TaskSchedule.h"
#include "pageparts/LocaleTime.h"
#include "common/OptionsKeys.h"
#include "spacemanager/Dirsize.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "toolkit/ListView.h"
#include "toolkit/RadioButton.h"
#include "toolkit/Timer.h"

#include <algorithm>
#include <functional>

using namespace testing_support;

namespace {

constexpr UINT kShutDown = EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCEIFHUNG;

class ScheduledScanTest : public MainFormTest {
protected:
    void SetUp() override { ClearSettings(); }
    void Start() override
    {
        MainFormTest::Start();
        // The test gives the ticks; the form's own timer would add its own.
        Form1->Timer1->SetEnabled(false);
        Form1->LanguageFlag = 0;
    }
    void Now(const SYSTEMTIME& now)
    {
        effects.clock = now;
        effects.clockSet = true;
    }
    void StoreOnceTaskAt(const SYSTEMTIME& moment, const char* after)
    {
        Store(options::tasks::Key, options::tasks::Task, "2");
        Store(options::tasks::Key, options::tasks::DateTime, locale_time::DateTimeText(moment));
        Store(options::tasks::Key, options::tasks::ActionAfterTaskEnding, after);
    }
    void Ticks(int count)
    {
        for (int i = 0; i < count; ++i)
            Form1->Timer1Timer(nullptr);
    }
    SYSTEMTIME today_ = [] {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        now.wHour = 9;
        now.wMinute = 15;
        now.wSecond = 0;
        now.wMilliseconds = 0;
        return now;
    }();
};

TEST_F(ScheduledScanTest, DueTaskScansTheNamedLocationsWithTheStoredModeThenCountsDown)
{
    TempFolder tree;
    WriteFileText(tree / "a.bak", "a");
    WriteFileText(tree / "b.txt", "b");
    Store(options::fileEnding::Key, "bak", "1");
    Store(options::action::Key, options::action::ComboBoxIndex, "4");
    StoreOnceTaskAt(today_, "1");
    Start();
    ASSERT_TRUE(Form1->FindPidlShellFolder(tree.Path(), false));
    TListItems* rows = Form1->ListView1->Items();
    const std::string chosen = rows->Item(rows->Count() - 1)->Caption();
    Store(options::scanDirs::Key, chosen, "1");
    for (int row = 0; row + 1 < rows->Count(); ++row) {
        Store(options::scanDirs::Key, rows->Item(row)->Caption(), "0");
        rows->Item(row)->SetChecked(true);
    }

    Now(today_);
    Form1->Timer1Timer(nullptr);

    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_NE(effects.launches[0].file.find("/scan /shutdown"), std::string::npos) << effects.launches[0].file;
    EXPECT_TRUE(Form1->ScanModeButtons[4]->Checked());
    for (int row = 0; row < rows->Count(); ++row)
        EXPECT_EQ(rows->Item(row)->Checked(), rows->Item(row)->Caption() == chosen) << rows->Item(row)->Caption();
    EXPECT_EQ(Form1->ShutdownCountdown, 0) << "the closing window never counts down";
    Ticks(61);
    EXPECT_TRUE(effects.exitRequests.empty());

    // What the scan process does with these settings: scan, then count down.
    Form1->TakeScanOptions();
    Form1->Clean();
    EXPECT_FALSE(Exists(tree / "a.bak"));
    EXPECT_TRUE(Exists(tree / "b.txt"));
    Form1->AfterTaskAction = 1;
    Form1->ArmShutdownCountdown();
    ASSERT_NE(Frame12, nullptr);
    EXPECT_FALSE(Frame12->Image1->Picture()->Empty());
    EXPECT_EQ(Frame12->Label2->Caption(), "In 59 Seconds");
    EXPECT_EQ(Frame12->Label3->Caption(), "your system will be shutting down");
    Ticks(58);
    EXPECT_EQ(Frame12->Label2->Caption(), "In 1 Seconds");
    EXPECT_TRUE(effects.exitRequests.empty());
    Ticks(1);
    EXPECT_EQ(effects.exitRequests, std::vector<UINT>{kShutDown});
}

TEST_F(ScheduledScanTest, ATaskFiresOncePerDueTimeEvenAcrossARestart)
{
    StoreOnceTaskAt(today_, "0");
    Start();
    Now(today_);
    Ticks(1);
    ASSERT_EQ(effects.launches.size(), 1u);
    Restart();
    SYSTEMTIME later = today_;
    later.wSecond = 3;
    Now(later);
    Ticks(3);
    EXPECT_EQ(effects.launches.size(), 1u);
}

TEST_F(ScheduledScanTest, AStoredTimeThatCannotBeReadIsNoTaskAndNoError)
{
    Store(options::tasks::Key, options::tasks::Task, "1");
    Store(options::tasks::Key, options::tasks::Time, "half past nine");
    Start();
    SettleAfterStart();
    Now(today_);
    Ticks(5);
    EXPECT_TRUE(effects.launches.empty());
    EXPECT_TRUE(effects.boxes.empty());
}

TEST_F(ScheduledScanTest, CancelStopsTheCountdownAndAnOpenLongJobHoldsIt)
{
    Start();
    Form1->AfterTaskAction = 2;
    Form1->ArmShutdownCountdown();
    {
        TForm1::LongJob job(Form1);
        Ticks(70);
    }
    EXPECT_TRUE(effects.exitRequests.empty());
    EXPECT_EQ(Frame12->Label3->Caption(), "your system will reboot");
    Frame12->Button2Click(nullptr);
    Ticks(70);
    EXPECT_TRUE(effects.exitRequests.empty());
    EXPECT_EQ(Form1->TaskFired, 0);
    Form1->AbortFlag = 1; // a cancelled scan arms nothing
    Form1->ArmShutdownCountdown();
    Ticks(70);
    EXPECT_TRUE(effects.exitRequests.empty());
}

// Work that lets messages in -- the space manager while it is open, a folder index, the
// shredder window, the found-files window's shred -- is not closed by a task that falls
// due meanwhile: the task starts once the work has ended, however late that is.
TEST_F(ScheduledScanTest, ATaskDueDuringLongWorkStartsAfterIt)
{
    TempFolder folder;
    const std::string gone = folder / "gone.txt";
    struct Case {
        const char* work;
        std::function<void()> run; // boxes shown meanwhile tick the timer
    };
    const std::vector<Case> cases = {
        {"space manager", [&] {
             Form1->Button8Click(nullptr);
             Ticks(1);
             delete Form11;
         }},
        {"folder index", [&] {
             Form1->NewListViewWP7(nullptr, {folder.Path()});
             effects.fileDialogAnswers = {folder / "index"};
             Form1->Button6Click(nullptr);
         }},
        {"shredder page", [&] {
             Form1->AddShredderRow(gone);
             Form1->Allesmarkieren2Click(nullptr);
             Form1->Button1Click(nullptr);
         }},
        {"found files", [&] {
             auto* record = new FoundFileRecord;
             record->path = gone;
             record->displayName = "gone.txt";
             Form1->FoundFiles->Add(record);
             Form1->ShowFoundFiles();
             Frame8->ListView1->SetSelected(0, true);
             Frame8->ToolButton13Click(nullptr);
         }},
    };
    auto scans = [this] {
        return std::count_if(effects.launches.begin(), effects.launches.end(), [](const RecordedLaunch& launch) {
            return launch.file.find("/scan") != std::string::npos;
        });
    };
    for (const Case& c : cases) {
        ClearSettings();
        StoreOnceTaskAt(today_, "0");
        Restart();
        SettleAfterStart();
        Now(today_);
        effects.launches.clear();
        int boxes = 0;
        effects.onBox = [&](const std::string&) {
            ++boxes;
            Ticks(1);
        };
        c.run();
        effects.onBox = nullptr;
        EXPECT_EQ(scans(), 0) << c.work << " after " << boxes << " boxes";
        SYSTEMTIME later = today_;
        later.wMinute += 10;
        Now(later);
        Ticks(1);
        EXPECT_EQ(scans(), 1) << c.work;
    }
}

// Another start of the program, with no long job to wait for, may start the task while
// this one holds it: the held task then does not start a second scan.
TEST_F(ScheduledScanTest, AHeldTaskThatAnotherStartRanMeanwhileDoesNotStartAgain)
{
    StoreOnceTaskAt(today_, "1");
    Start();
    SettleAfterStart();
    Now(today_);
    {
        TForm1::LongJob job(Form1);
        Ticks(1);
        Store(options::tasks::Key, options::tasks::LastRun, task_schedule::Stamp(today_));
    }
    Ticks(1);
    EXPECT_TRUE(effects.launches.empty());
}

TEST_F(ScheduledScanTest, ARefusedShutdownIsToldOnceAndNotRetried)
{
    Start();
    SettleAfterStart();
    effects.shutDownSucceeds = false;
    Form1->AfterTaskAction = 1;
    Form1->ArmShutdownCountdown();
    Ticks(65);
    EXPECT_EQ(effects.exitRequests.size(), 1u);
    EXPECT_EQ(effects.boxes.size(), 1u);
}

} // namespace
