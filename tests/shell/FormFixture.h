// A main form started as at a real start, with the first-start network note already
// shown, against an emptied settings key; deleted again after each test.
#pragma once

#include "common/OptionsKeys.h"
#include "tests/support/MainFormFixture.h"

class FormFixture : public testing_support::MainFormTest {
protected:
    void SetUp() override
    {
        ClearSettings();
        ASSERT_NO_FATAL_FAILURE(Store(options::Key, options::ShowNetworkMessage, "done"));
        Start();
    }
};
