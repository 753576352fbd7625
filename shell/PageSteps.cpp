// Start-up and close steps that belong to pages of the main window. Each page fills in
// its own step; until a page exists its step has nothing to load, save or clean.
#include "shell/Unit1.h"

int ShellEnumFlags = 96;
HIMAGELIST SystemImageList = nullptr;

void TForm1::GetNoDeleteCookiesList() {}
void TForm1::DelRecent() {}
void TForm1::DelTemp() {}
void TForm1::PapierkorbLeeren() {}
void TForm1::CleanUrlCache(bool) {}
void TForm1::ClearUrlHistory() {}
void TForm1::DelDir(const std::string&) {}
void TForm1::ApplyCleanCenterWithDOD(const std::string&) {}
void TForm1::AcceptDroppedFiles() {}
void TForm1::RestoreListViewProcs() {}

// What the sidebar dispatcher runs before it shows these pages; each page fills in its own.
void TForm1::ListInternetCache() {}
void TForm1::ShowCleanCenter() {}

void TForm1::SetPage(int index)
{
    if (index >= 0 && index < PageControl1->PageCount())
        PageControl1->SetActivePageIndex(index);
}
