// The boot-time check list: the REG_MULTI_SZ value "BootExecute" under the session
// manager's key, whose "autocheck autochk" lines the system runs before it starts.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace bootexecute {

extern const char* const SessionManagerKey; // under HKEY_LOCAL_MACHINE
extern const char* const ValueName;
extern const char* const StandardLine;      // "autocheck autochk *"

// The lines of the value, read whole whatever its size. A missing value gives the
// standard line alone (what the system runs without one); a value that cannot be read
// or is of another type gives nothing, so that it is never written over.
std::optional<std::vector<std::string>> ReadLines();
// Writes the lines as REG_MULTI_SZ; false when the write failed.
bool WriteLines(const std::vector<std::string>& lines);

// The check line of a drive ("C:"): "/r" recovers bad sectors, "/p" checks and fixes.
std::string DriveLine(const std::string& drive, bool recover);
// The lines with the drive's own check lines replaced by its new line (at the place of
// the first of them), or the new line put first when there was none. Every other line,
// the standard line with it, stays in its order.
std::vector<std::string> WithDriveLine(const std::vector<std::string>& lines,
                                       const std::string& drive, bool recover);

} // namespace bootexecute
