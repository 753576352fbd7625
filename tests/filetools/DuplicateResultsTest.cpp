// The duplicates window's list work: selection of the duplicates, what a delete may
// take, and the list after it.
#include "filetools/DuplicateResults.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

TEST(DuplicateResults, AllButFirstSkipsTheFirstOfEachGroup)
{
    Lines lines = {"a1", "a2", "a3", "", "b1", "b2", "b3", ""};
    auto all = [](int) { return true; };
    EXPECT_EQ(duplicates::AllButFirstRows(lines, all), (std::vector<int>{1, 2, 5, 6}));
    // A file gone meanwhile shows empty and ends a group, like an empty line.
    auto goneB1 = [](int row) { return row != 4; };
    EXPECT_EQ(duplicates::AllButFirstRows(lines, goneB1), (std::vector<int>{1, 2, 6}));
    // A file without an index is never picked, nor the copy that stays: a2 stays for a1.
    auto unknownA1 = [](int row) { return row != 0; };
    EXPECT_EQ(duplicates::AllButFirstRows(lines, all, unknownA1), (std::vector<int>{2, 5, 6}));
}

TEST(DuplicateResults, EveryCopySelectedIsNamedAndCanBeKept)
{
    Lines lines = {"k|a1", "k|a2", "", "b1", "b2", ""};
    duplicates::DeletePlan plan = duplicates::PlanDelete(lines, {0, 1, 3}, [](const std::string&) { return true; });
    EXPECT_EQ(plan.paths, (Lines{"b1", "a2", "a1"}));
    EXPECT_EQ(plan.wholeGroups, (std::vector<Lines>{{"a1", "a2"}}));
    duplicates::KeepWholeGroups(plan);
    EXPECT_EQ(plan.paths, (Lines{"b1"}));
}

TEST(DuplicateResults, ListAfterADeleteHasNoDoubleGroupEnds)
{
    Lines lines = {"a1", "a2", "", "b1", "b2", ""};
    auto without = [](Lines gone) {
        return [gone](const std::string& path) { return std::find(gone.begin(), gone.end(), path) == gone.end(); };
    };
    EXPECT_EQ(duplicates::PruneDeleted(lines, without({"a1", "a2"})), (Lines{"b1", "b2", ""}));
    EXPECT_EQ(duplicates::PruneDeleted(lines, without({"b1", "b2"})), (Lines{"a1", "a2", ""}));
    EXPECT_EQ(duplicates::PruneDeleted(lines, without({"a1"})), (Lines{"a2", "", "b1", "b2", ""}));
    EXPECT_EQ(duplicates::FileCount(lines), 4);
}

} // namespace
