// What the found-files list shows of a file, made from its find data: the date text,
// the attribute letters, the size, and the age of its last access.
#pragma once

#include <windows.h>

#include <string>

namespace file_engines {

// True when either half of the time is non-zero (a zero time means "not known").
bool ValidFileTime(const FILETIME& time);

// A file time (UTC) as local date and time in the system's short date and long time
// formats, the date alone when the local time is exactly midnight. Times are taken in
// two-second steps, and only 1980 to 2107 are shown (the range of the old DOS dates);
// other times, zero times and times that do not convert give "".
std::string DateText(const FILETIME& time);
// The same text to the second, for any time that converts: two files written a second
// apart show two times. Zero times and times that do not convert give "".
std::string DateTextToSecond(const FILETIME& time);

// "R" read-only, "H" hidden, "S" system, "A" archive, in this order.
std::string AttributeLetters(DWORD attributes);

// The 64-bit size of a find entry.
unsigned long long SizeOf(const WIN32_FIND_DATAA& entry);

// Whole days from a file time (UTC) to `now` (local wall-clock time, as the effects seam
// reports it). A zero time, or one that lies after now, counts as age 0: a file whose
// last access is not known, or lies in the future, is never "old".
long long WholeDaysSince(const FILETIME& time, const SYSTEMTIME& now);

} // namespace file_engines
