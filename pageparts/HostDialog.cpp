#include "pageparts/HostDialog.h"

#include "common/Language.h"

#include <algorithm>

TForm6* Form6 = nullptr;

namespace {

const TBorderIcons designIcons = biSystemMenu | biMinimize | biMaximize;

const HostDialogDesign designs[] = {
    // ScanProgress
    {"Suche läuft ...", "Searching ...", 330, 150, bsSingle, poScreenCenter, biSystemMenu,
     false, false, false},
    // AddFileEnding
    {"Information", "Add fileending", 350, 230, bsDialog, poScreenCenter, 0, false,
     false, false},
    // FoundFiles: caption and place come from the found-files window and its saved layout
    {nullptr, nullptr, 780, 620, bsSizeable, poDesigned, 0, false, false, true},
    // ShutdownWarning
    {"Warnung", "Warning", 330, 130, bsSingle, poDesigned, designIcons, false, false, false},
    // Options
    {"Optionen", "Options", 410, 440, bsDialog, poScreenCenter, 0, false, true, false},
    // About
    {"Information", "Information", 350, 250, bsNone, poScreenCenter, 0, false, true, false},
    // Update
    {"Update herunterladen", "Download Update", 470, 270, bsSingle, poMainFormCenter, biMaximize,
     true, false, false},
    // DuplicateProgress
    {"Suche doppelte Dateien...", "Searching duplicate files...", 330, 150, bsSingle,
     poScreenCenter, biSystemMenu, false, false, false},
};

// Posted to a host panel by Release; registered so it cannot clash with other messages.
UINT ReleaseMessage()
{
    static UINT message = RegisterWindowMessageA("TidewrackReleaseHostPanel");
    return message;
}

} // namespace

const HostDialogDesign& DesignOf(HostDialog dialog) { return designs[static_cast<int>(dialog)]; }

// ---- TForm6

TForm6::TForm6(TComponent* owner) : TForm(owner)
{
    Name = "Form6";
    SetBorderStyle(bsSingle);
    SetClientWidth(314);
    SetClientHeight(185);
    KeyPreview = false;
    OnClose = Bind(this, &TForm6::FormClose);
    OnKeyDown = Bind(this, &TForm6::FormKeyDown);
}

TForm6::~TForm6()
{
    BeginDestroy();
    if (Form6 == this)
        Form6 = nullptr;
}

void TForm6::FormKeyDown(TObject*, WORD& key, TShiftState)
{
    if (key == VK_ESCAPE)
        Close();
}

// Closing the found-files window saves its layout and starts the program afresh, so the
// user comes back to a new main window.
void TForm6::FormClose(TObject*, TCloseAction&)
{
    if (!Form1 || !Form1->RelaunchOnClose)
        return;
    SetCurrentDirectoryA(Form1->ProgramDir.c_str());
    Form1->WriteFrame8Settings(this);
    Form1->RelaunchOnClose = 0;
    if (Form1->StartAfresh(Handle()))
        return;
    Application->ShowMainForm = true;
    Form1->Show();
}

// ---- THostPanel

THostPanel::THostPanel(TComponent* owner) : TPanel(owner) {}

void THostPanel::Release() { PostMessageA(Handle(), ReleaseMessage(), 0, 0); }

bool THostPanel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == ReleaseMessage()) {
        delete this;
        return true;
    }
    return TPanel::WndProc(msg, wParam, lParam, result);
}

// ---- the main form's part

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
