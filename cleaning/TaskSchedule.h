// When the scheduled scan is due: daily at a time of day, or once at a date and time,
// within five seconds after that moment.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace task_schedule {

// The moment of the task that now falls into, or nothing: the task is not set, its
// stored time does not read in this locale, or no moment lies in the five seconds up to
// now. A daily task's moment may lie yesterday when now is just past midnight.
std::optional<SYSTEMTIME> DueMoment(int taskMode, const std::string& timeText, const std::string& dateTimeText,
                                    const SYSTEMTIME& now);

// A moment as a stamp that tells one due time from another ("20261224120000").
std::string Stamp(const SYSTEMTIME& moment);

// The countdown's remaining-time line for a count of 1 to 59.
std::string CountdownText(int count, bool german);
// What the countdown announces: 1 shut down, 2 reboot.
std::string AnnouncedAction(int afterTaskAction, bool german);

} // namespace task_schedule
