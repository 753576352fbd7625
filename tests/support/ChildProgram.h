// The program as a child process of a test.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// The program as a child process that never outlives the test: whatever is still
// running of it (or of a program it started) at the end is ended.
class ChildProgram {
public:
    explicit ChildProgram(const std::string& commandLine);
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    bool Started() const { return started_; }
    DWORD Id() const { return process_.dwProcessId; }
    HANDLE Handle() const { return process_.hProcess; }
    bool WaitForEnd(DWORD ms) const { return ::WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0; }

    // The programs this one started (a relaunch that should not have happened); ended.
    int EndItsChildren() const;

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

} // namespace testing_support
