// The main form's side of the host dialogs: it makes each one on a fresh host panel,
// shows it, and frees a panel only once no loop of its dialog runs any more.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "pageparts/HostDialog.h"

#include <algorithm>

void TForm1::MakeTempPanel2(TObject*)
{
    if (HostPanel) {
        bool inUse = std::find(hostPanelPins_.begin(), hostPanelPins_.end(), HostPanel) !=
                     hostPanelPins_.end();
        if (inUse)
            retiredHostPanels_.push_back(HostPanel);
        else
            delete HostPanel;
        HostPanel = nullptr;
    }
    auto* panel = new THostPanel(PanelTE2);
    panel->SetParent(PanelTE2);
    panel->SetAlign(alClient);
    panel->BringToFront();
    HostPanel = panel;
}

TForm6* TForm1::MakeHostDialog(HostDialog dialog)
{
    const HostDialogDesign& design = DesignOf(dialog);
    MakeTempPanel2(this);
    Form6 = new TForm6(design.ownedByMainForm ? static_cast<TComponent*>(this) : HostPanel);
    if (design.germanCaption)
        Form6->SetCaption(language::Text(design.germanCaption, design.englishCaption));
    Form6->SetBorderStyle(design.border);
    Form6->SetBorderIcons(Form6->BorderIcons() & ~design.iconsRemoved);
    if (design.stayOnTop)
        Form6->SetFormStyle(fsStayOnTop);
    Form6->SetPosition(design.position);
    Form6->SetWidth(design.width);
    Form6->SetHeight(design.height);
    // Closing the found-files window saves its layout and starts the program afresh, so
    // the user comes back to a new main window.
    Form6->CloseStep = [this](TForm6* closing) {
        if (!RelaunchOnClose)
            return;
        SetCurrentDirectoryA(ProgramDir.c_str());
        WriteFrame8Settings(closing);
        RelaunchOnClose = 0;
        if (StartAfresh(closing->Handle()))
            return;
        Application->ShowMainForm = true;
        Show();
    };
    return Form6;
}

TModalResult TForm1::ShowHostDialog(HostDialog dialog)
{
    if (!DesignOf(dialog).modal) {
        Form6->Show();
        return mrNone;
    }
    // Another host dialog prepared while this one is up must not free it under ShowModal.
    HostPanelInUse inUse(this);
    return Form6->ShowModal();
}

TForm1::HostPanelInUse::HostPanelInUse(TForm1* form) : form_(form), panel_(form->HostPanel)
{
    form_->hostPanelPins_.push_back(panel_);
}

TForm1::HostPanelInUse::~HostPanelInUse()
{
    auto& pins = form_->hostPanelPins_;
    pins.erase(std::find(pins.begin(), pins.end(), panel_));
    if (std::find(pins.begin(), pins.end(), panel_) != pins.end())
        return; // an outer loop of the same dialog still runs
    auto& retired = form_->retiredHostPanels_;
    auto found = std::find(retired.begin(), retired.end(), panel_);
    if (found == retired.end())
        return; // still the current host panel: the next host dialog frees it
    retired.erase(found);
    static_cast<THostPanel*>(panel_)->Release();
}
