// The parts of the registry pages of the main window that the pages share.
#pragma once

#include "toolkit/Label.h"
#include "toolkit/ListView.h"

#include <string>
#include <vector>

class TForm1;
struct RegistryScanHost;

namespace registry_pages {

void BuildRegCleanPage(TForm1& form);
void BuildSharedDllPage(TForm1& form);
void BuildUninstallPage(TForm1& form);
void BuildSoftwarePage(TForm1& form);

// What the registry-scan window takes from the main window: the page's checked roots
// and drives, the system folders, the row pictures, the long-job guard and the list export.
RegistryScanHost ScanHostOf(TForm1& form);

// The rows selected, bottom to top, so rows can be removed while going through them.
std::vector<TListItem*> SelectedBottomUp(TListView& list);
// Removes a product key with everything below it, and then its vendor key when that is
// left with neither subkeys nor values; false when the product key stays.
bool RemoveProductKey(HKEY root, const std::string& path);
// Tells which entries could not be removed; nothing when none.
void ReportNotDeleted(const std::vector<std::string>& entries);

} // namespace registry_pages
