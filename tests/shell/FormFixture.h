// A main form started as at a real start, with the first-start network note already
// shown, against an emptied settings key; deleted again after each test.
#pragma once

#include "shell/OptionsKeys.h"
#include "shell/Unit1.h"
#include "tests/support/RecordingEffects.h"

#include <gtest/gtest.h>

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettings();
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(options::Key, true));
        ASSERT_TRUE(registry.WriteString(options::ShowNetworkMessage, "done"));
        Application->Terminated = false;
        Application->ShowMainForm = true;
        Application->CreateForm(Form1);
    }

    void TearDown() override
    {
        delete Form1;
        ClearSettings();
        Application->ProcessMessages();
        Application->Terminated = false;
    }

    static void ClearSettings()
    {
        TRegistry registry;
        registry.DeleteKey("Software\\Tidewrack");
    }

    testing_support::RecordingEffects effects;
};
