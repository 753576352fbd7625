#include "fileengines/FileFacts.h"

#include <optional>

namespace file_engines {

namespace {

constexpr unsigned long long ticksPerDay = 864000000000ULL; // 100-ns steps

unsigned long long Ticks(const FILETIME& time)
{
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::string Formatted(int (WINAPI* format)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int),
                      DWORD flags, const SYSTEMTIME& time)
{
    char text[128] = {};
    return format(LOCALE_USER_DEFAULT, flags, &time, nullptr, text, sizeof text) ? text : "";
}

// A file time (UTC) as the local clock's fields, milliseconds dropped; nothing for a
// zero time or one that does not convert.
std::optional<SYSTEMTIME> LocalClock(const FILETIME& time)
{
    FILETIME local;
    SYSTEMTIME clock;
    if (!ValidFileTime(time) || !::FileTimeToLocalFileTime(&time, &local) || !::FileTimeToSystemTime(&local, &clock))
        return std::nullopt;
    clock.wMilliseconds = 0;
    return clock;
}

// Date and time in the system's short date and long time formats; the date alone at
// exactly midnight.
std::string ClockText(const SYSTEMTIME& clock)
{
    std::string date = Formatted(::GetDateFormatA, DATE_SHORTDATE, clock);
    if (clock.wHour == 0 && clock.wMinute == 0 && clock.wSecond == 0)
        return date;
    return date + " " + Formatted(::GetTimeFormatA, 0, clock);
}

} // namespace

bool ValidFileTime(const FILETIME& time) { return time.dwLowDateTime != 0 || time.dwHighDateTime != 0; }

std::string DateText(const FILETIME& time)
{
    std::optional<SYSTEMTIME> clock = LocalClock(time);
    if (!clock || clock->wYear < 1980 || clock->wYear > 2107)
        return std::string();
    clock->wSecond -= clock->wSecond % 2;
    return ClockText(*clock);
}

std::string DateTextToSecond(const FILETIME& time)
{
    std::optional<SYSTEMTIME> clock = LocalClock(time);
    return clock ? ClockText(*clock) : std::string();
}

std::string AttributeLetters(DWORD attributes)
{
    std::string letters;
    if (attributes & FILE_ATTRIBUTE_READONLY) letters += 'R';
    if (attributes & FILE_ATTRIBUTE_HIDDEN) letters += 'H';
    if (attributes & FILE_ATTRIBUTE_SYSTEM) letters += 'S';
    if (attributes & FILE_ATTRIBUTE_ARCHIVE) letters += 'A';
    return letters;
}

unsigned long long SizeOf(const WIN32_FIND_DATAA& entry)
{
    return (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
}

long long WholeDaysSince(const FILETIME& time, const SYSTEMTIME& now)
{
    FILETIME localNow, local;
    if (!ValidFileTime(time) || !::SystemTimeToFileTime(&now, &localNow) || !::FileTimeToLocalFileTime(&time, &local))
        return 0;
    if (Ticks(local) >= Ticks(localNow))
        return 0;
    return static_cast<long long>((Ticks(localNow) - Ticks(local)) / ticksPerDay);
}

} // namespace file_engines
