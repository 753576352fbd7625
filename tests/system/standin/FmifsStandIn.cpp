// A stand-in for the system's fmifs.dll, whose Chkdsk the disk check calls: Wine has no
// such library. It replays the callback sequence a test puts into the environment
// variable TIDEWRACK_FMIFS_SCRIPT, items separated by "|":
//   P<percent>   progress        T<text>   an output line (CR LF added)
//   D<0|1>       done (1 = failed)          L<count>  a line of count "x" without line end
// and appends each call's "root,file system,flags;" to TIDEWRACK_FMIFS_CALLS, the flags
// being four digits: fix, verbose, only if dirty, recover. A callback that answers FALSE
// ends the replay, as the real library stops.
#include <windows.h>

#include <string>
#include <vector>

namespace {

using Callback = BOOLEAN(WINAPI*)(int code, DWORD unused, PVOID argument);

struct TextOutput {
    DWORD lines;
    const char* output;
};

std::string Variable(const char* name)
{
    char value[8192] = {};
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

std::string Narrow(const wchar_t* text)
{
    std::string result;
    for (; text && *text; ++text)
        result += static_cast<char>(*text);
    return result;
}

} // namespace

extern "C" __declspec(dllexport) void WINAPI Chkdsk(PWCHAR root, PWCHAR fileSystem, BOOL fix, BOOL verbose,
                                                     BOOL onlyIfDirty, BOOL recover, PVOID, PVOID,
                                                     Callback callback)
{
    std::string calls = Variable("TIDEWRACK_FMIFS_CALLS");
    calls += Narrow(root) + "," + Narrow(fileSystem) + "," + (fix ? "1" : "0") + (verbose ? "1" : "0") +
             (onlyIfDirty ? "1" : "0") + (recover ? "1" : "0") + ";";
    SetEnvironmentVariableA("TIDEWRACK_FMIFS_CALLS", calls.c_str());

    const std::string script = Variable("TIDEWRACK_FMIFS_SCRIPT");
    size_t start = 0;
    while (start < script.size()) {
        size_t end = script.find('|', start);
        if (end == std::string::npos)
            end = script.size();
        const std::string item = script.substr(start, end - start);
        start = end + 1;
        if (item.empty())
            continue;
        BOOLEAN goOn = TRUE;
        if (item[0] == 'P') {
            DWORD percent = std::stoul(item.substr(1));
            goOn = callback(0, 0, &percent);
        } else if (item[0] == 'D') {
            BYTE failed = item.substr(1) == "1" ? 1 : 0;
            goOn = callback(11, 0, &failed);
        } else if (item[0] == 'T' || item[0] == 'L') {
            std::string text = item[0] == 'T' ? item.substr(1) + "\r\n" : std::string(std::stoul(item.substr(1)), 'x');
            TextOutput output{1, text.c_str()};
            goOn = callback(14, 0, &output);
        }
        if (!goOn)
            return;
    }
}
