#include "system/RegistryPages.h"

#include "common/Language.h"
#include "pageparts/MessageText.h"
#include "toolkit/Effects.h"

namespace registry_pages {

std::vector<TListItem*> SelectedBottomUp(TListView& list)
{
    std::vector<TListItem*> items;
    std::vector<int> rows = list.SelectedIndices();
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        items.push_back(list.Items()->Item(*row));
    return items;
}

void ReportNotDeleted(const std::vector<std::string>& entries)
{
    if (entries.empty())
        return;
    effects::ShowMessageBox(
        nullptr,
        language::Text("Diese Einträge konnten nicht entfernt werden:\n", "These entries could not be removed:\n") +
            JoinLines(entries, 20),
        "Tidewrack", MB_ICONEXCLAMATION | MB_OK | MB_SYSTEMMODAL);
}

} // namespace registry_pages
