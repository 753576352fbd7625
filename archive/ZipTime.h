// Time conversions between Windows file times, the archive's DOS date and time, and the
// Unix times of the "UT" extra field.
#pragma once

#include <windows.h>

// DOS date and time (date in the high half) from calendar fields taken as they are.
// The format cannot hold years before 1980 or after 2107; such times are clamped to
// 1980-01-01 00:00:00 and 2107-12-31 23:59:58.
DWORD DosDateTimeFromFields(const SYSTEMTIME& fields);
DWORD DosDateTimeFromFileTime(const FILETIME& time);

// Calendar fields read as local time without daylight saving; years before 1970 become
// 1970-01-01 and years after 2037 become 2037-12-31, the time of day unchanged.
DWORD UnixTimeFromFields(SYSTEMTIME fields);
DWORD FileTimeToUnixTime(const FILETIME& time);

// The DOS date and time as calendar fields of a FILETIME (no time-zone conversion);
// an impossible date gives 1980-01-01.
FILETIME FileTimeFromDosDateTime(DWORD dosDateTime);

// The local-time calendar fields of a Unix time as a FILETIME; false when the C library
// cannot split the value.
bool FileTimeFromUnixTime(DWORD unixTime, FILETIME& out);
