// The scan of a "/scan" start: the progress dialog, the scan, and then either the main
// window (the delete-at-once modes) or the found-files window.
#include "shell/Unit1.h"

#include "cleaning/JunkScan.h"
#include "cleaning/Showdelfilesframe.h"
#include "common/Language.h"
#include "pageparts/HostDialog.h"
#include "pageparts/MessageText.h"
#include "pageparts/Scanframe.h"
#include "toolkit/Effects.h"

namespace {

// After deleting at once the user comes back to the main window: one box there names the
// locations the scan could not read.
void TellUnreadLocationsInABox(TForm1& form)
{
    if (form.UnreadLocations.empty())
        return;
    std::string text = language::Text("Diese Orte konnten nicht gelesen werden und wurden übersprungen:\n\n",
                                      "These locations could not be read and were skipped:\n\n") +
                       JoinLines(form.UnreadLocations, 10);
    form.UnreadLocations.clear();
    effects::ShowMessageBox(form.Handle(), text, language::Text("Warnung", "Warning"), MB_OK | MB_ICONEXCLAMATION);
}

// After a listing scan the found-files window's free status panel names them.
void TellUnreadLocationsInTheStatus(TForm1& form)
{
    if (form.UnreadLocations.empty() || !Frame8)
        return;
    std::string text = language::Text("Nicht gelesen: ", "Not read: ");
    for (size_t i = 0; i < form.UnreadLocations.size(); ++i)
        text += (i ? "; " : "") + form.UnreadLocations[i];
    form.UnreadLocations.clear();
    Frame8->StatusBar1->Panels()->Items(3)->SetText(text);
}

} // namespace

void TForm1::StartScan()
{
    MakeHostDialog(HostDialog::ScanProgress);
    RelaunchOnClose = 0;
    Frame2 = MakeHostFrame<TFrame2>(HostPanel);
    Frame2->Button1->SetCaption(language::Text("Abbrechen", "Cancel"));
    // Cancel stops the scan and closes its dialog at once.
    Frame2->OnCancel = [this] {
        AbortFlag = 1;
        if (Form6)
            Form6->Close();
    };
    {
        // Nothing that runs between the scan's steps may free the dialog under it.
        HostPanelInUse inUse(this);
        ShowHostDialog(HostDialog::ScanProgress);
        Clean();
    }
    // After deleting at once the main window shows when the message loop starts, and the
    // progress dialog stays at 100 %.
    if (cleaning::DeletesAtOnce(ScanMode)) {
        OnShow = [this](TObject*) { TellUnreadLocationsInABox(*this); };
        return;
    }
    Label1->SetCaption(language::Text("Gefundene Dateien werden geladen", "Loading found files"));
    Application->ProcessMessages();
    if (Form6)
        Form6->Close();
    ShowFoundFiles();
    TellUnreadLocationsInTheStatus(*this);
    Label1->SetCaption(language::Text("Bereit . . .", "Ready . . ."));
}
