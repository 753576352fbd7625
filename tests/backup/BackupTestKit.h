// A main form created as at a start, with message boxes recorded and answered, a
// temporary tree of files and a backup folder of its own; all removed after each test.
#pragma once

#include "shell/Unit1.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testing_support::RemoveTree;

class BackupFormTest : public testing_support::MainFormTest {
protected:
    void SetUp() override;
    void TearDown() override;
    void Start() override;

    // A file below the tree with this content; its full path.
    std::string MakeFile(const std::string& relative, const std::string& content,
                         DWORD attributes = FILE_ATTRIBUTE_NORMAL);
    // The record the scan would make of it, added to the found list.
    void AddFound(const std::string& path);
    static std::string ReadFile(const std::string& path) { return testing_support::ReadFileText(path); }
    static bool Exists(const std::string& path) { return testing_support::Exists(path); }
    // The values under the Backup key: name and data.
    std::vector<std::pair<std::string, std::string>> Projects() const;
    // The texts of the boxes shown so far, joined.
    bool BoxSaid(const std::string& part) const;

    testing_support::TempFolder folder;
    const std::string root = folder.Path();  // the tree of files
    std::string backupDir;                   // the backup folder the form uses
};
