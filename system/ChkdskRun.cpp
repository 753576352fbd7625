#include "system/ChkdskRun.h"

#include <cstring>
#include <cwctype>

namespace chkdsk {

namespace {

// The library's callback carries no context of ours; the one check that runs at a time
// (on the main thread) leaves its listener here.
Listener* currentListener = nullptr;

enum Code { progressCode = 0, doneCode = 11, textCode = 14 };

struct TextOutput {
    DWORD lines;
    const char* output;
};

constexpr size_t textLimit = 1024;

BOOLEAN WINAPI Callback(int code, DWORD, PVOID argument)
{
    Listener* listener = currentListener;
    if (!listener)
        return FALSE;
    if (argument) {
        switch (code) {
        case progressCode: listener->Progress(static_cast<int>(*static_cast<DWORD*>(argument))); break;
        case doneCode: listener->Done(*static_cast<BYTE*>(argument) == 1); break;
        case textCode: {
            const auto* text = static_cast<const TextOutput*>(argument);
            if (text->output) {
                std::string line = FirstLine(text->output, textLimit);
                if (!line.empty())
                    listener->Line(line);
            }
            break;
        }
        default: break;
        }
    }
    return listener->Cancelled() ? FALSE : TRUE;
}

} // namespace

int ParseChkdskArguments(const std::vector<std::wstring>& arguments, Switches& switches,
                         std::wstring& drive)
{
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (!argument.empty() && (argument[0] == L'-' || argument[0] == L'/')) {
            switch (argument.size() > 1 ? std::towupper(argument[1]) : 0) {
            case L'C': switches.onlyIfDirty = true; break;
            case L'F': switches.fix = true; break;
            case L'R': switches.recover = true; break;
            case L'V': switches.verbose = true; break;
            default: return static_cast<int>(i);
            }
        } else if (argument.size() > 1 && argument[1] == L':') {
            drive = argument;
        } else {
            return static_cast<int>(i);
        }
    }
    return 0;
}

FmifsLibrary::FmifsLibrary(const std::string& path)
{
    module_ = LoadLibraryA(path.c_str());
    if (module_)
        entry_ = reinterpret_cast<ChkdskProc>(GetProcAddress(module_, "Chkdsk"));
}

FmifsLibrary::~FmifsLibrary()
{
    if (module_)
        FreeLibrary(module_);
}

void FmifsLibrary::Check(const std::wstring& root, const std::wstring& fileSystem,
                         const Switches& switches, Listener& listener) const
{
    if (!entry_)
        return;
    std::wstring rootText = root, fileSystemText = fileSystem;
    Listener* outer = currentListener;
    currentListener = &listener;
    entry_(rootText.data(), fileSystemText.data(), switches.fix, switches.verbose, switches.onlyIfDirty,
           switches.recover, nullptr, nullptr, Callback);
    currentListener = outer;
}

std::string SystemFmifsPath()
{
    char folder[MAX_PATH + 1] = {};
    UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return std::string();
    return std::string(folder, length) + "\\fmifs.dll";
}

std::string FirstLine(const char* text, size_t limit)
{
    const void* end = std::memchr(text, '\n', strnlen(text, limit));
    if (!end)
        return std::string();
    std::string line(text, static_cast<const char*>(end) - text);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (!line.empty())
        OemToCharBuffA(line.c_str(), line.data(), static_cast<DWORD>(line.size()));
    return line;
}

} // namespace chkdsk
