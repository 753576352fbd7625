// The main form created as at a real start, under Xvfb, against an emptied settings key
// and with every effect recorded. Area fixtures derive from it and add their own steps.
#pragma once

#include "common/Language.h"
#include "shell/Unit1.h"
#include "tests/support/RecordingEffects.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Removes HKCU\Software\Tidewrack with everything below it; fails the test when it stays.
void ClearSettings();
// Writes a string value, creating the key; fails the test when it cannot.
void StoreSetting(const std::string& key, const std::string& name, const std::string& value);
// A string value, or nothing when the key or value is missing.
std::optional<std::string> StoredSetting(const std::string& key, const std::string& name);
// The names of the values under a key (none when it is missing).
std::vector<std::string> SettingNames(const std::string& key);

class MainFormTest : public ::testing::Test {
protected:
    // Clears the settings, then starts the form. Fixtures that must prepare settings or
    // files first override SetUp, call ClearSettings, prepare, and then Start.
    void SetUp() override
    {
        ClearSettings();
        Start();
    }

    void TearDown() override
    {
        delete Form1;
        Form1 = nullptr;
        Application->ProcessMessages();
        ClearSettings();
        Application->Terminated = false;
        // The next test starts in German, as a fresh program does, whatever this one chose.
        language::Flag = 1;
    }

    // Fixtures that need more at every start (SettleAfterStart, say) extend this.
    virtual void Start()
    {
        Application->Terminated = false;
        Application->ShowMainForm = true;
        Application->CreateForm(Form1);
    }

    void Restart()
    {
        delete Form1;
        Form1 = nullptr;
        Start();
    }

    // Lets the form finish its start and forgets the boxes it showed (the first start's
    // network hint), so a test sees only the boxes of its own steps.
    void SettleAfterStart()
    {
        Application->ProcessMessages();
        effects.boxes.clear();
        effects.answers.clear();
    }

    static void ClearSettings() { testing_support::ClearSettings(); }
    static void Store(const std::string& key, const std::string& name, const std::string& value)
    {
        StoreSetting(key, name, value);
    }
    static std::optional<std::string> Stored(const std::string& key, const std::string& name)
    {
        return StoredSetting(key, name);
    }

    RecordingEffects effects;
};

} // namespace testing_support
