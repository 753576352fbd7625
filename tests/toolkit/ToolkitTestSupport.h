// Helpers shared by the toolkit tests: pumping messages until a condition holds,
// leaving the application object as each test found it, a form to put controls on, and
// what a list view shows.
#pragma once

#include "tests/support/ListCells.h"
#include "toolkit/Forms.h"
#include "toolkit/ListView.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

using testing_support::CellText;

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

// A 400 x 300 form, made before each test and deleted after it, that owns the controls
// a test puts on it.
class FormHostTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
    }
    void TearDown() override
    {
        delete form;
        form = nullptr;
        ToolkitTest::TearDown();
    }

    TForm* form = nullptr;
};

}  // namespace toolkit_test
