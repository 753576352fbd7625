// A main form created as at a start, with message boxes recorded and answered, a
// temporary tree of files and a backup folder of its own; all removed after each test.
#pragma once

#include "shell/Unit1.h"
#include "tests/support/RecordingEffects.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Answers boxes like RecordingEffects, and lets a test act when a box shows.
class ScriptedEffects : public testing_support::RecordingEffects {
public:
    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags) override
    {
        if (onBox)
            onBox(text);
        return RecordingEffects::ShowMessageBox(owner, text, caption, flags);
    }
    std::function<void(const std::string& text)> onBox;
};

class BackupFormTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A file below the tree with this content; its full path.
    std::string MakeFile(const std::string& relative, const std::string& content,
                         DWORD attributes = FILE_ATTRIBUTE_NORMAL);
    // The record the scan would make of it, added to the found list.
    void AddFound(const std::string& path);
    std::string ReadFile(const std::string& path) const;
    static bool Exists(const std::string& path);
    // The values under the Backup key: name and data.
    std::vector<std::pair<std::string, std::string>> Projects() const;
    // The texts of the boxes shown so far, joined.
    bool BoxSaid(const std::string& part) const;

    std::string root;       // the tree of files
    std::string backupDir;  // the backup folder the form uses
    ScriptedEffects effects;
};

// Removes a folder with everything in it.
void RemoveTree(const std::string& folder);
