#include "filetools/DuplicateResults.h"

#include <algorithm>
#include <set>

namespace duplicates {

std::string PathOfLine(const std::string& line)
{
    size_t bar = line.find('|');
    return bar == std::string::npos ? line : line.substr(bar + 1);
}

std::vector<int> AllButFirstRows(const std::vector<std::string>& lines, const ShownFunction& shown,
                                 const ShownFunction& known)
{
    std::vector<int> rows;
    bool firstOfGroup = true;
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        if (lines[row].empty() || !shown(row)) {
            firstOfGroup = true;
            continue;
        }
        if (known && !known(row))
            continue;
        if (!firstOfGroup)
            rows.push_back(row);
        firstOfGroup = false;
    }
    return rows;
}

DeletePlan PlanDelete(const std::vector<std::string>& lines, const std::vector<int>& selectedRows,
                      const AsFoundFunction& asFound)
{
    DeletePlan plan;
    std::set<int> selected(selectedRows.begin(), selectedRows.end());
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = start;
        while (end < lines.size() && !lines[end].empty())
            ++end;
        std::vector<std::string> chosen;
        size_t copies = 0; // the group's files that are still as found
        for (size_t row = start; row < end; ++row) {
            std::string path = PathOfLine(lines[row]);
            bool copy = asFound(path);
            copies += copy;
            if (selected.count(static_cast<int>(row)))
                (copy ? chosen : plan.stale).push_back(path);
        }
        if (!chosen.empty() && chosen.size() == copies)
            plan.wholeGroups.push_back(chosen);
        plan.paths.insert(plan.paths.end(), chosen.begin(), chosen.end());
        start = end + 1;
    }
    std::reverse(plan.paths.begin(), plan.paths.end());
    return plan;
}

void KeepWholeGroups(DeletePlan& plan)
{
    std::set<std::string> kept;
    for (const auto& group : plan.wholeGroups)
        kept.insert(group.begin(), group.end());
    plan.paths.erase(std::remove_if(plan.paths.begin(), plan.paths.end(),
                                    [&](const std::string& path) { return kept.count(path) != 0; }),
                     plan.paths.end());
    plan.wholeGroups.clear();
}

std::vector<std::string> PruneDeleted(const std::vector<std::string>& lines,
                                      const std::function<bool(const std::string&)>& exists)
{
    std::vector<std::string> kept;
    for (const std::string& line : lines)
        if (line.empty() || exists(PathOfLine(line)))
            kept.push_back(line);
    std::vector<std::string> result;
    for (size_t i = 0; i < kept.size(); ++i) {
        bool doubleEnd = kept[i].empty() && (i + 1 < kept.size() ? kept[i + 1].empty() : false);
        bool leadingEnd = kept[i].empty() && result.empty();
        if (!doubleEnd && !leadingEnd)
            result.push_back(kept[i]);
    }
    return result;
}

int FileCount(const std::vector<std::string>& lines)
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); }));
}

} // namespace duplicates
