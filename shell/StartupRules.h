// Start-up decisions that depend only on their inputs: the second-start modes of the
// command line, the clean-on-start-up digits, the language file's line and the choice
// of the user's hive under HKEY_USERS.
#pragma once

#include <string>
#include <vector>

namespace startup {

struct SecondStart {
    bool autoScan = false;       // "/scan": run the junk scan with the main window hidden
    bool autoDuplicate = false;  // "/duplicate": run the duplicate search
    // With "/scan": what the scheduled scan does after it has ended: 0 nothing, 1 shut
    // down ("/shutdown"), 2 reboot ("/reboot").
    int afterTaskAction = 0;
};

// Looks for "/scan" and "/duplicate" in the arguments after the program's own path, so a
// program folder named like "C:\scanner" starts no scan. "/scan" wins over "/duplicate";
// the program's own launcher passes "/duplicate/", which counts as "/duplicate".
SecondStart ParseCommandLine(const std::string& commandLine);

// The part of a command line after the program's path (quoted or not).
std::string ArgumentsOf(const std::string& commandLine);

enum class StartupClean { Recent, Temp, RecycleBin, Cookies, UrlHistory, Prefetch };

// The actions that the "cleanonstartup" digits ask for, in their order: a "1" at a
// position runs that position's action; texts of 20 or more characters run nothing.
std::vector<StartupClean> StartupCleanActions(const std::string& digits);

// The first line of "language.dat" picks English only when it is exactly "0".
bool LanguageLineMeansEnglish(const std::string& firstLine);

// Of the subkey names of HKEY_USERS, the longest one that does not contain "CLASSES"
// (in any case); the first of equal lengths; empty when none qualifies.
std::string ChooseUserHive(const std::vector<std::string>& subkeyNames);

} // namespace startup
