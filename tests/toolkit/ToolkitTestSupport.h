// Helpers shared by the toolkit tests: pumping messages until a condition holds, and
// leaving the application object as each test found it.
#pragma once

#include "toolkit/Forms.h"

#include <gtest/gtest.h>

#include <functional>

namespace toolkit_test {

// Runs the message loop until done() or the time is up; returns done().
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000)
{
    DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < timeoutMs) {
        Application->ProcessMessages();
        Sleep(5);
    }
    return done();
}

// Clears what a test may leave in the application object (a quit message, Terminated).
class ToolkitTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset()
    {
        Application->ProcessMessages();
        Application->Terminated = false;
        Application->ShowMainForm = true;
    }
};

}  // namespace toolkit_test
