// The duplicates window's work on the result list (one path per line, an empty line
// after each group; a line may also be a key, "|" and the path): the rows that the
// selection commands pick, what a delete may take, and the list after a delete.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace duplicates {

// The path of a result line: the part after the first "|", when there is one.
std::string PathOfLine(const std::string& line);

// Every row but the first of each group. A row whose file is gone (shown empty) counts
// as a group end, like the empty lines. A row whose file cannot be told from the others
// by what it is (known false: no index) is never picked, nor counted as the copy that
// stays, since two such rows may be one file: of a group, the first known row stays.
using ShownFunction = std::function<bool(int row)>; // false for a row shown empty
std::vector<int> AllButFirstRows(const std::vector<std::string>& lines, const ShownFunction& shown,
                                 const ShownFunction& known = {});

struct DeletePlan {
    std::vector<std::string> paths;      // to delete, from the last row to the first
    // Groups in which every remaining copy is selected, by their paths; deleting them
    // leaves no copy of that file at all.
    std::vector<std::vector<std::string>> wholeGroups;
    std::vector<std::string> stale;      // selected, but gone or changed since the search
};
// False for a file that is gone or no longer the one the search found.
using AsFoundFunction = std::function<bool(const std::string& path)>;
// The selected rows' paths whose files are still as found; the others are stale and
// stay. wholeGroups names the groups that would lose every copy still as found.
DeletePlan PlanDelete(const std::vector<std::string>& lines, const std::vector<int>& selectedRows,
                      const AsFoundFunction& asFound);
// Leaves out the files of the whole groups (when the user keeps them).
void KeepWholeGroups(DeletePlan& plan);

// The list after a delete: lines whose files are gone are dropped, and of two empty lines
// in a row the first goes, so no group end stands twice. A group left with one file
// stays as a group of one.
std::vector<std::string> PruneDeleted(const std::vector<std::string>& lines,
                                      const std::function<bool(const std::string&)>& exists);

// The number of files listed (non-empty lines).
int FileCount(const std::vector<std::string>& lines);

} // namespace duplicates
