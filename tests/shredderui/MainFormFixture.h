// The main form created as at a real start (settings cleared, effects recorded), for
// the tests of the shredder window and pages.
#pragma once

#include "shell/Unit1.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/RecordingEffects.h"

#include <gtest/gtest.h>

class ShredderMainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettings();
        Application->Terminated = false;
        Application->ShowMainForm = true;
        Application->CreateForm(Form1);
        Application->ProcessMessages();
        effects.boxes.clear(); // the first start's network hint
        effects.answers.clear();
    }

    void TearDown() override
    {
        delete Form1;
        ClearSettings();
        Application->ProcessMessages();
        Application->Terminated = false;
    }

    static void ClearSettings() { testing_support::ClearSettings(); }

    testing_support::RecordingEffects effects;
};
