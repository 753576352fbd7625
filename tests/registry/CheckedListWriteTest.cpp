// Saving a check list (masks, exclusion folders) over the one already stored: a write
// that fails must not take the stored entries with it.
#include "cleaning/UnchangedValues.h"

#include <gtest/gtest.h>

namespace {

const char* const parent = "Software\\TidewrackTest";
const char* const key = "Software\\TidewrackTest\\ExcludeDirs";

std::vector<std::string> StoredNames()
{
    TRegistry registry;
    std::vector<std::string> names;
    if (registry.OpenKeyReadOnly(key))
        names = registry.GetValueNames();
    return names;
}

TEST(CheckedListWrite, AFailedWriteKeepsTheStoredEntriesAndOnlyGoneNamesAreDeleted)
{
    TRegistry registry;
    registry.DeleteKey(parent);
    ASSERT_TRUE(registry.OpenKey(key, true));
    registry.WriteString("C:\\Keep", "1");
    registry.WriteString("C:\\Gone", "1");
    registry.CloseKey();

    // A value name beyond the registry's limit of 16383 characters cannot be written.
    std::vector<CheckedEntry> failing = {{true, "C:\\Keep"}, {true, std::string(17000, 'x')}, {true, "C:\\New"}};
    EXPECT_FALSE(cleaning::WriteCheckedValuesIfChanged(registry, parent, "ExcludeDirs", failing));
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"C:\\Gone", "C:\\Keep", "C:\\New"}));

    // Names match without regard to case, as the registry's do.
    std::vector<CheckedEntry> rows = {{false, "c:\\keep"}, {true, "C:\\New"}};
    EXPECT_TRUE(cleaning::WriteCheckedValuesIfChanged(registry, parent, "ExcludeDirs", rows));
    EXPECT_EQ(StoredNames(), (std::vector<std::string>{"C:\\Keep", "C:\\New"}));
    ASSERT_TRUE(registry.OpenKeyReadOnly(key));
    EXPECT_EQ(registry.ReadString("C:\\Keep"), "0");
    registry.CloseKey();
    registry.DeleteKey(parent);
}

} // namespace
