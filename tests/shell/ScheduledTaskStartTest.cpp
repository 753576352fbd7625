// A stored scheduled task: the program waits for it in the notification area.
#include "common/OptionsKeys.h"
#include "tests/support/MainFormFixture.h"

namespace {

class ScheduledTaskStartTest : public testing_support::MainFormTest {
protected:
    void SetUp() override { ClearSettings(); }
};

TEST_F(ScheduledTaskStartTest, StartWaitsInTheNotificationArea)
{
    Store(options::tasks::Key, options::tasks::Task, "1");
    Store(options::tasks::Key, options::tasks::Time, "12:00:00");
    Start();
    EXPECT_EQ(Form1->TaskMode, 1);
    EXPECT_FALSE(Application->ShowMainForm);
    EXPECT_NE(TrayIconData.cbSize, 0u);
}

TEST_F(ScheduledTaskStartTest, NoTaskShowsTheWindow)
{
    Start();
    EXPECT_TRUE(Application->ShowMainForm);
    EXPECT_EQ(TrayIconData.cbSize, 0u);
}

} // namespace
