#include "pageparts/HostDialog.h"

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
    OnKeyDown = Bind(this, &TForm6::FormKeyDown);
    OnClose = Bind(this, &TForm6::FormClose);
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

void TForm6::FormClose(TObject*, TCloseAction&)
{
    if (CloseStep)
        CloseStep(this);
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
