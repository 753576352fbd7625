#include "archive/ZipTime.h"

#include <ctime>

DWORD DosDateTimeFromFields(const SYSTEMTIME& fields)
{
    if (fields.wYear < 1980)
        return 0x00210000;  // 1980-01-01 00:00:00
    if (fields.wYear > 2107)
        return 0xFF9FBF7D;  // 2107-12-31 23:59:58
    DWORD date = ((fields.wYear - 1980u) << 9) | (static_cast<DWORD>(fields.wMonth) << 5) | fields.wDay;
    DWORD time = (static_cast<DWORD>(fields.wHour) << 11) | (static_cast<DWORD>(fields.wMinute) << 5) |
                 (fields.wSecond / 2u);
    return (date << 16) | time;
}

DWORD DosDateTimeFromFileTime(const FILETIME& time)
{
    SYSTEMTIME fields;
    if (!FileTimeToSystemTime(&time, &fields))
        return DosDateTimeFromFields(SYSTEMTIME{});
    return DosDateTimeFromFields(fields);
}

DWORD UnixTimeFromFields(SYSTEMTIME fields)
{
    if (fields.wYear < 1970) {
        fields.wYear = 1970;
        fields.wMonth = 1;
        fields.wDay = 1;
    } else if (fields.wYear > 2037) {
        fields.wYear = 2037;
        fields.wMonth = 12;
        fields.wDay = 31;
    }
    std::tm calendar{};
    calendar.tm_year = fields.wYear - 1900;
    calendar.tm_mon = fields.wMonth - 1;
    calendar.tm_mday = fields.wDay;
    calendar.tm_hour = fields.wHour;
    calendar.tm_min = fields.wMinute;
    calendar.tm_sec = fields.wSecond;
    calendar.tm_isdst = 0;
    std::time_t value = std::mktime(&calendar);
    // East of Greenwich the first hours of 1970 lie before the epoch, where mktime fails.
    if (value < 0)
        return 0;
    return static_cast<DWORD>(value);
}

DWORD FileTimeToUnixTime(const FILETIME& time)
{
    SYSTEMTIME fields;
    if (!FileTimeToSystemTime(&time, &fields))
        return 0;
    return UnixTimeFromFields(fields);
}

FILETIME FileTimeFromDosDateTime(DWORD dosDateTime)
{
    WORD date = static_cast<WORD>(dosDateTime >> 16);
    WORD time = static_cast<WORD>(dosDateTime);
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>((date >> 9) + 1980);
    fields.wMonth = (date >> 5) & 15;
    fields.wDay = date & 31;
    fields.wHour = time >> 11;
    fields.wMinute = (time >> 5) & 63;
    fields.wSecond = static_cast<WORD>((time & 31) * 2);
    FILETIME result;
    if (SystemTimeToFileTime(&fields, &result))
        return result;
    SYSTEMTIME earliest{};
    earliest.wYear = 1980;
    earliest.wMonth = 1;
    earliest.wDay = 1;
    SystemTimeToFileTime(&earliest, &result);
    return result;
}

bool FileTimeFromUnixTime(DWORD unixTime, FILETIME& out)
{
    std::time_t value = static_cast<std::time_t>(unixTime);
    // Values the C library's time type cannot hold, or cannot split, are not used.
    if (value < 0 || static_cast<DWORD>(value) != unixTime)
        return false;
    std::tm* local = std::localtime(&value);
    if (!local)
        return false;
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>(local->tm_year + 1900);
    fields.wMonth = static_cast<WORD>(local->tm_mon + 1);
    fields.wDay = static_cast<WORD>(local->tm_mday);
    fields.wHour = static_cast<WORD>(local->tm_hour);
    fields.wMinute = static_cast<WORD>(local->tm_min);
    fields.wSecond = static_cast<WORD>(local->tm_sec);
    return SystemTimeToFileTime(&fields, &out) != FALSE;
}
