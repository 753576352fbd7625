// Start-up and close steps that belong to pages of the main window. Each page fills in
// its own step; until a page exists its step has nothing to load, save or clean.
#include "shell/Unit1.h"

int ShellEnumFlags = 96;
HIMAGELIST SystemImageList = nullptr;

void TForm1::AcceptDroppedFiles() {}
void TForm1::RestoreListViewProcs() {}

void TForm1::SetPage(int index)
{
    if (index >= 0 && index < PageControl1->PageCount())
        PageControl1->SetActivePageIndex(index);
}
