#include "tests/support/Times.h"

namespace testing_support {

SYSTEMTIME SystemTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME fields{};
    fields.wYear = year;
    fields.wMonth = month;
    fields.wDay = day;
    fields.wHour = hour;
    fields.wMinute = minute;
    fields.wSecond = second;
    return fields;
}

FILETIME FileTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    SYSTEMTIME fields = SystemTimeOf(year, month, day, hour, minute, second);
    FILETIME time{};
    SystemTimeToFileTime(&fields, &time);
    return time;
}

FILETIME LocalFileTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    FILETIME local = FileTimeOf(year, month, day, hour, minute, second);
    FILETIME utc{};
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

} // namespace testing_support
