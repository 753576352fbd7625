#include "filetools/ShredderArgv.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool IsSwitch(const std::string& argument, char letter)
{
    return argument.size() == 2 && (argument[0] == '-' || argument[0] == '/') &&
           (argument[1] | 0x20) == (letter | 0x20);
}

// A decimal count with optional blanks around it. Text such as "3x" is refused
// rather than read as 3, so that a garbled vector never runs with a guessed count.
bool ParsePassCount(const std::string& text, unsigned& passes)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long value = std::strtol(begin, &end, 10);
    if (end == begin)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0' || value <= 0)
        return false;
    passes = (errno == ERANGE || value > static_cast<long>(kMaxShredPasses))
                 ? kMaxShredPasses
                 : static_cast<unsigned>(value);
    return true;
}

bool IsSlash(char c) { return c == '\\' || c == '/'; }

// "X:" followed by nothing or by one separator.
bool IsDriveRoot(const std::string& path)
{
    return (path.size() == 2 || (path.size() == 3 && IsSlash(path[2]))) && path[1] == ':' &&
           ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z');
}

// "\\server\share" with an optional trailing separator.
bool IsShareRoot(const std::string& path)
{
    if (path.size() < 5 || !IsSlash(path[0]) || !IsSlash(path[1]))
        return false;
    size_t serverEnd = path.find_first_of("\\/", 2);
    if (serverEnd == std::string::npos || serverEnd == 2)
        return false;
    size_t shareEnd = path.find_first_of("\\/", serverEnd + 1);
    return shareEnd == std::string::npos ? path.size() > serverEnd + 1
                                         : shareEnd + 1 == path.size();
}

} // namespace

bool HasWildcard(const std::string& text)
{
    return text.find_first_of("*?") != std::string::npos;
}

bool ParseShredderArgv(const ShredderArgv& argv, ShredderOptions& options)
{
    options = ShredderOptions();
    if (argv.size() < 2)
        return false;
    for (size_t i = 1; i < argv.size(); ++i) {
        const std::string& argument = argv[i];
        if (IsSwitch(argument, 's')) {
            options.recurse = true;
        } else if (IsSwitch(argument, 'q')) {
            options.quiet = true;
        } else if (IsSwitch(argument, 'z')) {
            options.wipeFreeSpace = true;
        } else if (IsSwitch(argument, 'p')) {
            if (++i == argv.size() || !ParsePassCount(argv[i], options.passes))
                return false;
        } else if (IsSwitch(argument, '?')) {
            return false;
        } else {
            // An empty path would resolve to the current folder, which nobody asked for.
            if (options.hasPath || argument.empty())
                return false;
            options.hasPath = true;
            options.path = argument;
        }
    }
    return options.hasPath || options.wipeFreeSpace;
}

bool IsWholeDriveTarget(const std::string& argument, const std::string& fullPath)
{
    if (IsDriveRoot(argument))
        return true;
    std::string path = fullPath;
    // Device paths ("\\.\C:") name volumes, not files; "\\?\" only lifts the length limit.
    if (path.compare(0, 4, "\\\\.\\") == 0)
        return true;
    if (path.compare(0, 4, "\\\\?\\") == 0)
        path.erase(0, 4);
    if (path.compare(0, 4, "UNC\\") == 0)
        path.replace(0, 3, "\\");
    size_t lastSlash = path.find_last_of("\\/");
    if (HasWildcard(path) && lastSlash != std::string::npos)
        path.erase(lastSlash + 1);
    return IsDriveRoot(path) || IsShareRoot(path);
}
