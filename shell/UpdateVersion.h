// Version numbers of the update check: the program's own, read from its version
// resource, and the newest, read from the server's version file. They are compared part
// by part as whole numbers, so 2.1.10 is newer than 2.1.9 whatever the locale's decimal
// separator.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace update {

using Version = std::vector<unsigned long>;

// "2.1.10" as {2, 1, 10}; blanks around it are ignored. Nothing when the text is not one
// to four dot-separated whole numbers.
std::optional<Version> ParseVersion(const std::string& text);

// Below zero when a is older than b, zero when equal, above zero when newer. Missing
// parts count as 0: 2.1 equals 2.1.0.
int CompareVersions(const Version& a, const Version& b);

// The newest version named by the version file: its first line.
std::optional<Version> NewestVersionIn(const std::string& versionFile);

// The file version in the module's version resource ("1.0.0", with a fourth part when it
// is not 0); nothing when the module carries no version resource.
std::optional<std::string> ModuleVersion(HMODULE module);

} // namespace update
