// Dates and times as the user's locale writes them, for settings stored as text (the
// scheduled task's "time" and "datetime"): written with the locale's formats and read
// back by the order of day, month and year that its short date format uses.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace locale_time {

// The time of day in the locale's time format ("3:04:05 PM", "15:04:05").
std::string TimeText(const SYSTEMTIME& time);
// The date in the locale's short date format ("12/24/2026", "24.12.2026").
std::string DateText(const SYSTEMTIME& date);
// DateText, one blank, TimeText.
std::string DateTimeText(const SYSTEMTIME& value);
// DateTimeText of a late day of every month at every hour: among them is the widest text
// a date and time takes in the locale (month and day names, AM/PM words, two-digit fields).
std::vector<std::string> DateTimeSamples();

// A time of day as TimeText writes it: hours, minutes and optional seconds, with the
// locale's AM/PM words where it uses them. The date fields of the result are zero.
// nullopt when the text holds no valid time.
std::optional<SYSTEMTIME> ParseTime(const std::string& text);
// A date as DateText writes it, optionally followed by a time as ParseTime reads it
// (midnight when there is none). nullopt when the text holds no valid date or time.
std::optional<SYSTEMTIME> ParseDateTime(const std::string& text);

} // namespace locale_time
