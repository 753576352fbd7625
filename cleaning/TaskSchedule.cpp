#include "cleaning/TaskSchedule.h"

#include "common/Language.h"
#include "pageparts/LocaleTime.h"

#include <cstdio>

namespace task_schedule {

namespace {

constexpr long long kSecond = 10000000; // in FILETIME units
constexpr long long kWindow = 5 * kSecond;
constexpr long long kDay = 86400 * kSecond;

std::optional<long long> Ticks(const SYSTEMTIME& time)
{
    FILETIME file{};
    if (!SystemTimeToFileTime(&time, &file))
        return std::nullopt;
    return static_cast<long long>((static_cast<unsigned long long>(file.dwHighDateTime) << 32) | file.dwLowDateTime);
}

SYSTEMTIME FromTicks(long long ticks)
{
    FILETIME file{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(static_cast<unsigned long long>(ticks) >> 32)};
    SYSTEMTIME time{};
    FileTimeToSystemTime(&file, &time);
    return time;
}

bool InWindow(long long moment, long long now) { return now >= moment && now <= moment + kWindow; }

} // namespace

std::optional<SYSTEMTIME> DueMoment(int taskMode, const std::string& timeText, const std::string& dateTimeText,
                                    const SYSTEMTIME& now)
{
    const std::optional<long long> nowTicks = Ticks(now);
    if (!nowTicks)
        return std::nullopt;
    if (taskMode == 1) {
        const std::optional<SYSTEMTIME> time = locale_time::ParseTime(timeText);
        if (!time)
            return std::nullopt;
        SYSTEMTIME today = now;
        today.wHour = time->wHour;
        today.wMinute = time->wMinute;
        today.wSecond = time->wSecond;
        today.wMilliseconds = 0;
        const std::optional<long long> todayTicks = Ticks(today);
        if (!todayTicks)
            return std::nullopt;
        for (long long moment : {*todayTicks, *todayTicks - kDay})
            if (InWindow(moment, *nowTicks))
                return FromTicks(moment);
        return std::nullopt;
    }
    if (taskMode == 2) {
        const std::optional<SYSTEMTIME> once = locale_time::ParseDateTime(dateTimeText);
        if (!once)
            return std::nullopt;
        const std::optional<long long> moment = Ticks(*once);
        if (moment && InWindow(*moment, *nowTicks))
            return once;
    }
    return std::nullopt;
}

std::string Stamp(const SYSTEMTIME& moment)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04u%02u%02u%02u%02u%02u", moment.wYear, moment.wMonth, moment.wDay,
                  moment.wHour, moment.wMinute, moment.wSecond);
    return text;
}

std::string CountdownText(int count, bool german)
{
    const std::string seconds = std::to_string(60 - count);
    return language::Text(german, "In " + seconds + " Sekunden", "In " + seconds + " Seconds");
}

std::string AnnouncedAction(int afterTaskAction, bool german)
{
    if (afterTaskAction == 1)
        return language::Text(german, "wird Ihr System heruntergefahren", "your system will be shutting down");
    if (afterTaskAction == 2)
        return language::Text(german, "wird Ihr System neu gestartet", "your system will reboot");
    return std::string();
}

} // namespace task_schedule
