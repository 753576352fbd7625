#include "system/BootExecute.h"

#include "common/CaseRule.h"
#include "common/RegistryKey.h"

#include <windows.h>

namespace bootexecute {

const char* const SessionManagerKey = "System\\CurrentControlSet\\Control\\Session Manager";
const char* const ValueName = "BootExecute";
const char* const StandardLine = "autocheck autochk *";

namespace {

// Only the program's own kind of line names a drive: "autocheck autochk <switch> \??\X:".
// Other lines that merely contain "X:" (another tool's, a path) are not the drive's.
bool IsLineOfDrive(const std::string& line, const std::string& drive)
{
    const std::string upper = common::UpperCase(line);
    const std::string target = "\\??\\" + common::UpperCase(drive);
    return upper.rfind("AUTOCHECK AUTOCHK", 0) == 0 && upper.size() >= target.size() &&
           upper.compare(upper.size() - target.size(), target.size(), target) == 0;
}

} // namespace

std::optional<std::vector<std::string>> ReadLines()
{
    RegistryKey manager(HKEY_LOCAL_MACHINE, SessionManagerKey, KEY_READ);
    if (!manager.Get())
        return std::nullopt;
    DWORD type = 0, size = 0;
    LONG status = RegQueryValueExA(manager.Get(), ValueName, nullptr, &type, nullptr, &size);
    if (status == ERROR_FILE_NOT_FOUND)
        return std::vector<std::string>{StandardLine};
    if (status != ERROR_SUCCESS || type != REG_MULTI_SZ)
        return std::nullopt;
    std::string data(size, '\0');
    if (RegQueryValueExA(manager.Get(), ValueName, nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ)
        return std::nullopt;
    data.resize(size);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find('\0', start);
        if (end == std::string::npos)
            end = data.size(); // a last string without its NUL still counts
        if (end == start)
            break; // the empty string ends the list
        lines.push_back(data.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

bool WriteLines(const std::vector<std::string>& lines)
{
    std::string data;
    for (const std::string& line : lines)
        data += line + '\0';
    data += '\0';
    RegistryKey manager(HKEY_LOCAL_MACHINE, SessionManagerKey, KEY_SET_VALUE);
    return manager.Get() &&
           RegSetValueExA(manager.Get(), ValueName, 0, REG_MULTI_SZ,
                          reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

std::string DriveLine(const std::string& drive, bool recover)
{
    return std::string("autocheck autochk ") + (recover ? "/r" : "/p") + " \\??\\" + drive;
}

std::vector<std::string> WithDriveLine(const std::vector<std::string>& lines,
                                       const std::string& drive, bool recover)
{
    std::vector<std::string> result;
    bool placed = false;
    for (const std::string& line : lines) {
        if (!IsLineOfDrive(line, drive)) {
            result.push_back(line);
        } else if (!placed) {
            result.push_back(DriveLine(drive, recover));
            placed = true;
        }
    }
    if (!placed)
        result.insert(result.begin(), DriveLine(drive, recover));
    return result;
}

} // namespace bootexecute
