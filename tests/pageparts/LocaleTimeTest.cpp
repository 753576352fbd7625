// The scheduled task's dates and times written in the locale's formats and read back.
#include "pageparts/LocaleTime.h"
#include "tests/support/Times.h"

#include <gtest/gtest.h>

namespace {

using testing_support::SystemTimeOf;

std::string Show(const SYSTEMTIME& t)
{
    char text[64];
    snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
             t.wSecond);
    return text;
}

TEST(LocaleTime, TimesReadBackAsWritten)
{
    for (const SYSTEMTIME& t : {SystemTimeOf(2000, 1, 1, 0, 0, 0), SystemTimeOf(2000, 1, 1, 0, 30, 15),
                                SystemTimeOf(2000, 1, 1, 11, 59, 59), SystemTimeOf(2000, 1, 1, 12, 0, 0),
                                SystemTimeOf(2000, 1, 1, 13, 1, 2), SystemTimeOf(2000, 1, 1, 23, 59, 59)}) {
        std::string text = locale_time::TimeText(t);
        SCOPED_TRACE(text);
        std::optional<SYSTEMTIME> read = locale_time::ParseTime(text);
        ASSERT_TRUE(read);
        EXPECT_EQ(Show(*read), Show(SystemTimeOf(0, 0, 0, t.wHour, t.wMinute, t.wSecond)));
    }
}

TEST(LocaleTime, DatesAndTimesReadBackAsWritten)
{
    for (const SYSTEMTIME& t : {SystemTimeOf(2026, 12, 24, 15, 4, 5), SystemTimeOf(2024, 2, 29, 0, 0, 0),
                                SystemTimeOf(1999, 1, 31, 12, 0, 1), SystemTimeOf(2030, 10, 3, 23, 59, 59)}) {
        std::string text = locale_time::DateTimeText(t);
        SCOPED_TRACE(text);
        std::optional<SYSTEMTIME> read = locale_time::ParseDateTime(text);
        ASSERT_TRUE(read);
        EXPECT_EQ(Show(*read), Show(t));
    }
    std::optional<SYSTEMTIME> dateOnly = locale_time::ParseDateTime(locale_time::DateText(SystemTimeOf(2026, 7, 8, 9, 10, 11)));
    ASSERT_TRUE(dateOnly);
    EXPECT_EQ(Show(*dateOnly), Show(SystemTimeOf(2026, 7, 8, 0, 0, 0)));
}

TEST(LocaleTime, TwentyFourHourTimesNeedNoDayHalf)
{
    std::optional<SYSTEMTIME> read = locale_time::ParseTime("17:05");
    ASSERT_TRUE(read);
    EXPECT_EQ(Show(*read), Show(SystemTimeOf(0, 0, 0, 17, 5, 0)));
}

TEST(LocaleTime, TextsThatAreNoDateOrTimeAreRefused)
{
    for (const char* text : {"", "noon", "12", "25:00:00", "12:60:00", "1:2:3:4", "123456:00"})
        EXPECT_FALSE(locale_time::ParseTime(text)) << text;
    for (const char* text : {"", "2026", "99.99.9999", "31.31.31 12:00:00", "1.2.2026 99:00:00"})
        EXPECT_FALSE(locale_time::ParseDateTime(text)) << text;
    // In any order of the fields, one is a 30th month and the other the 30th of February.
    EXPECT_FALSE(locale_time::ParseDateTime("30/02/2026"));
    EXPECT_FALSE(locale_time::ParseDateTime("02/30/2026"));
}

} // namespace
