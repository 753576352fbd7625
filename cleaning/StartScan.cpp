// The scan of a "/scan" start: the progress dialog, the scan, and then either the main
// window (the delete-at-once modes) or the found-files window.
#include "shell/Unit1.h"

#include "cleaning/JunkScan.h"
#include "cleaning/Scanframe.h"
#include "shell/HostDialog.h"

void TForm1::StartScan()
{
    MakeHostDialog(HostDialog::ScanProgress);
    RelaunchOnClose = 0;
    Frame2 = MakeHostFrame<TFrame2>(*this);
    Frame2->Button1->SetCaption(Text("Abbrechen", "Cancel"));
    {
        // Nothing that runs between the scan's steps may free the dialog under it.
        HostPanelInUse inUse(this);
        ShowHostDialog(HostDialog::ScanProgress);
        Clean();
    }
    // After deleting at once the main window shows when the message loop starts, and the
    // progress dialog stays at 100 %.
    if (cleaning::DeletesAtOnce(ScanMode))
        return;
    Label1->SetCaption(Text("Gefundene Dateien werden geladen", "Loading found files"));
    Application->ProcessMessages();
    if (Form6)
        Form6->Close();
    ShowFoundFiles();
    Label1->SetCaption(Text("Bereit . . .", "Ready . . ."));
}
