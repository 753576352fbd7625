// Writes that go through a temporary file beside their target.
#include "fileengines/StagedFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using testing_support::ReadFileText;
using testing_support::WriteFileText;

// A file written anew keeps its look: a hidden index or list stays hidden.
TEST(StagedFile, AReplacedFileKeepsItsAttributes)
{
    testing_support::TempFolder folder;
    const std::string target = folder / "index.txt";
    for (DWORD attributes : {DWORD(FILE_ATTRIBUTE_HIDDEN), DWORD(FILE_ATTRIBUTE_SYSTEM),
                             DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)}) {
        WriteFileText(target, "old");
        ASSERT_TRUE(SetFileAttributesA(target.c_str(), attributes));
        ASSERT_TRUE(staged_file::WriteText(target, "new"));
        EXPECT_EQ(ReadFileText(target), "new");
        EXPECT_EQ(GetFileAttributesA(target.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), attributes);
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A run killed while writing leaves its temporary file; the next write of that file takes
// it away instead of leaving it for good.
TEST(StagedFile, WhatAKilledRunLeftGoesWithTheNextWrite)
{
    testing_support::TempFolder folder;
    const std::string target = folder / "list.htm";
    const std::string leftover = staged_file::TemporaryName(target);
    WriteFileText(leftover, "cut off");
    ASSERT_TRUE(staged_file::WriteText(target, "whole"));
    EXPECT_EQ(ReadFileText(target), "whole");
    EXPECT_FALSE(testing_support::Exists(leftover));
}

} // namespace
