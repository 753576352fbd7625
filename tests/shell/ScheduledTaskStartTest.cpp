// A stored scheduled task: nothing runs it yet, so a start must not hide the program in
// the notification area, where it would wait for a scan that never comes.
#include "shell/OptionsKeys.h"
#include "tests/support/MainFormFixture.h"

namespace {

class ScheduledTaskStartTest : public testing_support::MainFormTest {
protected:
    void SetUp() override { ClearSettings(); }
};

TEST_F(ScheduledTaskStartTest, StartShowsTheWindowWithoutATrayIcon)
{
    Store(options::tasks::Key, options::tasks::Task, "1");
    Store(options::tasks::Key, options::tasks::Time, "12:00:00");
    Start();
    EXPECT_EQ(Form1->TaskMode, 1); // the task stays a stored setting
    EXPECT_TRUE(Application->ShowMainForm);
    EXPECT_EQ(TrayIconData.cbSize, 0u);
}

} // namespace
