#include "fileengines/FileFacts.h"

#include "tests/support/Times.h"

#include <gtest/gtest.h>

using namespace file_engines;
using testing_support::LocalFileTimeOf;

TEST(FileFacts, DateTextAttributesAndAges)
{
    FILETIME midnight = LocalFileTimeOf(2021, 3, 4, 0, 0, 0);
    FILETIME afternoon = LocalFileTimeOf(2021, 3, 4, 15, 30, 21);
    std::string date = DateText(midnight);
    EXPECT_FALSE(date.empty());
    EXPECT_EQ(DateText(afternoon).compare(0, date.size() + 1, date + " "), 0) << "the same date, then the time";
    EXPECT_GT(DateText(afternoon).size(), date.size() + 4);
    EXPECT_EQ(DateText(FILETIME{}), "");
    EXPECT_EQ(DateText(LocalFileTimeOf(1975, 6, 1)), "") << "before 1980 there is no date to show";

    EXPECT_EQ(AttributeLetters(FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_HIDDEN),
              "RHSA");
    EXPECT_EQ(AttributeLetters(FILE_ATTRIBUTE_NORMAL), "");

    SYSTEMTIME now{};
    now.wYear = 2021, now.wMonth = 3, now.wDay = 14, now.wHour = 15;
    EXPECT_EQ(WholeDaysSince(afternoon, now), 9) << "nine days and 23 1/2 hours";
    EXPECT_EQ(WholeDaysSince(FILETIME{}, now), 0);
    EXPECT_EQ(WholeDaysSince(LocalFileTimeOf(2022, 1, 1), now), 0) << "a time in the future is no age";
    EXPECT_TRUE(ValidFileTime(FILETIME{1, 0}));
    EXPECT_FALSE(ValidFileTime(FILETIME{}));
}
