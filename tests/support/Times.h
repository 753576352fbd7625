// Calendar times for tests, written as the fields a person reads.
#pragma once

#include <windows.h>

namespace testing_support {

// The fields as given, milliseconds and weekday zero.
SYSTEMTIME SystemTimeOf(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0);
// The same fields read as UTC.
FILETIME FileTimeOf(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0);
// The UTC file time of the fields read as local time; noon unless an hour is given, so
// that a day stays the same day whatever the time zone.
FILETIME LocalFileTimeOf(WORD year, WORD month, WORD day, WORD hour = 12, WORD minute = 0, WORD second = 0);

} // namespace testing_support
