// The page shown in the main window, and the shell settings the pages share.
#include "shell/Unit1.h"

int ShellEnumFlags = 96;
HIMAGELIST SystemImageList = nullptr;

void TForm1::SetPage(int index)
{
    if (index >= 0 && index < PageControl1->PageCount())
        PageControl1->SetActivePageIndex(index);
}
