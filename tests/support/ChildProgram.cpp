#include "tests/support/ChildProgram.h"

#include <tlhelp32.h>

namespace testing_support {

ChildProgram::ChildProgram(const std::string& commandLine)
{
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ =
        ::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_) != FALSE;
}

ChildProgram::~ChildProgram()
{
    if (!started_)
        return;
    if (!WaitForEnd(0))
        ::TerminateProcess(process_.hProcess, 1);
    ::WaitForSingleObject(process_.hProcess, 10000);
    EndItsChildren();
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
}

int ChildProgram::EndItsChildren() const
{
    int ended = 0;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID != process_.dwProcessId || lstrcmpiA(entry.szExeFile, "Tidewrack.exe"))
            continue;
        if (HANDLE child = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            ::TerminateProcess(child, 1);
            ::WaitForSingleObject(child, 10000);
            ::CloseHandle(child);
            ++ended;
        }
    }
    ::CloseHandle(snapshot);
    return ended;
}

} // namespace testing_support
