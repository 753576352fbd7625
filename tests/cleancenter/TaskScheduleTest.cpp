// When a scheduled scan is due, and the words of its countdown.
#include "cleaning/TaskSchedule.h"
#include "pageparts/LocaleTime.h"
#include "shell/StartupRules.h"
#include "tests/support/Times.h"

#include <gtest/gtest.h>

namespace {

using testing_support::SystemTimeOf;

TEST(TaskSchedule, DailyTaskIsDueForFiveSecondsFromItsTime)
{
    const std::string noon = locale_time::TimeText(SystemTimeOf(2026, 1, 1, 12, 0, 0));
    struct Case { WORD hour, minute, second; bool due; };
    for (const Case& c : {Case{12, 0, 0, true}, Case{12, 0, 5, true}, Case{12, 0, 6, false}, Case{11, 59, 59, false}}) {
        auto due = task_schedule::DueMoment(1, noon, "", SystemTimeOf(2026, 12, 24, c.hour, c.minute, c.second));
        EXPECT_EQ(due.has_value(), c.due) << c.hour << ":" << c.minute << ":" << c.second;
        if (due) {
            EXPECT_EQ(task_schedule::Stamp(*due), "20261224120000");
        }
    }
}

TEST(TaskSchedule, DailyTaskJustBeforeMidnightIsDueJustAfterIt)
{
    const std::string late = locale_time::TimeText(SystemTimeOf(2026, 1, 1, 23, 59, 58));
    auto due = task_schedule::DueMoment(1, late, "", SystemTimeOf(2026, 12, 25, 0, 0, 2));
    ASSERT_TRUE(due);
    EXPECT_EQ(task_schedule::Stamp(*due), "20261224235958");
}

TEST(TaskSchedule, OnceTaskIsDueOnlyOnItsDay)
{
    const std::string once = locale_time::DateTimeText(SystemTimeOf(2026, 12, 24, 8, 30, 0));
    EXPECT_TRUE(task_schedule::DueMoment(2, "", once, SystemTimeOf(2026, 12, 24, 8, 30, 3)));
    EXPECT_FALSE(task_schedule::DueMoment(2, "", once, SystemTimeOf(2026, 12, 25, 8, 30, 3)));
    EXPECT_FALSE(task_schedule::DueMoment(0, "", once, SystemTimeOf(2026, 12, 24, 8, 30, 3))) << "no task";
}

TEST(TaskSchedule, UnreadableStoredTimesMeanNoTask)
{
    for (const char* text : {"", "later", "25:99:99", "31.02.2026 12:00:00"}) {
        EXPECT_FALSE(task_schedule::DueMoment(1, text, "", SystemTimeOf(2026, 12, 24, 12, 0, 0))) << text;
        EXPECT_FALSE(task_schedule::DueMoment(2, "", text, SystemTimeOf(2026, 12, 24, 12, 0, 0))) << text;
    }
}

TEST(TaskSchedule, TheScanProcessLearnsTheAfterTaskActionFromItsArguments)
{
    EXPECT_EQ(startup::ParseCommandLine("\"C:\\t\\Tidewrack.exe\" /scan /shutdown").afterTaskAction, 1);
    EXPECT_EQ(startup::ParseCommandLine("\"C:\\t\\Tidewrack.exe\" /scan /reboot").afterTaskAction, 2);
    EXPECT_EQ(startup::ParseCommandLine("\"C:\\t\\Tidewrack.exe\" /scan").afterTaskAction, 0);
    EXPECT_EQ(startup::ParseCommandLine("\"C:\\t\\Tidewrack.exe\" /shutdown").afterTaskAction, 0);
}

} // namespace
