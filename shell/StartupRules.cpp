#include "StartupRules.h"
#include "common/CaseRule.h"

#include <algorithm>
#include <cctype>

namespace startup {

std::string ArgumentsOf(const std::string& commandLine)
{
    size_t pos = 0;
    while (pos < commandLine.size() && std::isspace(static_cast<unsigned char>(commandLine[pos])))
        ++pos;
    if (pos < commandLine.size() && commandLine[pos] == '"') {
        size_t close = commandLine.find('"', pos + 1);
        pos = close == std::string::npos ? commandLine.size() : close + 1;
    } else {
        while (pos < commandLine.size() && !std::isspace(static_cast<unsigned char>(commandLine[pos])))
            ++pos;
    }
    return commandLine.substr(pos);
}

SecondStart ParseCommandLine(const std::string& commandLine)
{
    const std::string arguments = ArgumentsOf(commandLine);
    SecondStart start;
    if (arguments.find("/scan") != std::string::npos) {
        start.autoScan = true;
        start.afterTaskAction = arguments.find("/shutdown") != std::string::npos ? 1
                                : arguments.find("/reboot") != std::string::npos ? 2
                                                                                 : 0;
    }
    else if (arguments.find("/duplicate") != std::string::npos)
        start.autoScan = start.autoDuplicate = true;
    return start;
}

std::vector<StartupClean> StartupCleanActions(const std::string& digits)
{
    static const StartupClean order[] = {StartupClean::Recent,     StartupClean::Temp,
                                         StartupClean::RecycleBin, StartupClean::Cookies,
                                         StartupClean::UrlHistory, StartupClean::Prefetch};
    std::vector<StartupClean> actions;
    if (digits.empty() || digits.size() >= 20)
        return actions;
    for (size_t i = 0; i < digits.size() && i < std::size(order); ++i)
        if (digits[i] == '1')
            actions.push_back(order[i]);
    return actions;
}

bool LanguageLineMeansEnglish(const std::string& firstLine)
{
    return firstLine == "0";
}

std::string ChooseUserHive(const std::vector<std::string>& subkeyNames)
{
    std::string chosen;
    for (const std::string& name : subkeyNames) {
        if (common::UpperCase(name).find("CLASSES") == std::string::npos && name.size() > chosen.size())
            chosen = name;
    }
    return chosen;
}

} // namespace startup
