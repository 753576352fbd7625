// The check of one drive through the Chkdsk export of the file-system utility library
// (fmifs.dll), and the arguments a check is given, shaped like the console command line.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace chkdsk {

struct Switches {
    bool fix = false;         // -F
    bool verbose = false;     // -V
    bool recover = false;     // -R
    bool onlyIfDirty = false; // -C
};

// Arguments 1..count-1: switches "-x" or "/x" (C, F, R, V in either case) and a drive
// "X:". Returns 0, or the index of the first unknown argument.
int ParseChkdskArguments(const std::vector<std::wstring>& arguments, Switches& switches,
                         std::wstring& drive);

// Receives what the library reports while it checks.
class Listener {
public:
    virtual ~Listener() = default;
    virtual void Progress(int percent) = 0;
    // One output line, in the ANSI code page, without its line end.
    virtual void Line(const std::string& line) = 0;
    virtual void Done(bool failed) = 0;
    // Asked at every report: true stops the check.
    virtual bool Cancelled() = 0;
};

// The library, loaded for as long as the object lives.
class FmifsLibrary {
public:
    explicit FmifsLibrary(const std::string& path);
    ~FmifsLibrary();
    FmifsLibrary(const FmifsLibrary&) = delete;
    FmifsLibrary& operator=(const FmifsLibrary&) = delete;

    bool HasChkdsk() const { return entry_ != nullptr; }
    // Checks the root ("C:\") of the file system named; reports go to the listener.
    void Check(const std::wstring& root, const std::wstring& fileSystem, const Switches& switches,
               Listener& listener) const;

    using CallbackProc = BOOLEAN(WINAPI*)(int code, DWORD unused, PVOID argument);
    using ChkdskProc = void(WINAPI*)(PWCHAR root, PWCHAR fileSystem, BOOL fix, BOOL verbose,
                                     BOOL onlyIfDirty, BOOL recover, PVOID, PVOID, CallbackProc);

private:
    HMODULE module_ = nullptr;
    ChkdskProc entry_ = nullptr;
};

// Where the program takes the library from: the system folder, never the program's own
// folder, so that a file of that name put beside the program is not run.
std::string SystemFmifsPath();

// The first line of a library text, read no further than limit bytes (the library's texts
// are not ours to trust), turned from the OEM into the ANSI code page. Empty when the text
// has no line end within the limit.
std::string FirstLine(const char* text, size_t limit);

} // namespace chkdsk
