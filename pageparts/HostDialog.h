// The host dialog: one general dialog class into which the program sets one frame at a
// time (progress, options, about, update, found files, ...). Each dialog and its frame
// belong to a fresh host panel of the main form; preparing the next host dialog frees
// the previous panel and with it the previous dialog and frame -- unless a loop of that
// dialog is still running, in which case the panel is freed right after the loop has
// returned. The main form makes, shows and frees them (shell/HostDialogMethods.cpp).
#pragma once

#include "toolkit/Forms.h"
#include "toolkit/Panel.h"

#include <functional>
#include <utility>

// The eight host dialogs of the program.
enum class HostDialog {
    ScanProgress,
    AddFileEnding,
    FoundFiles,
    ShutdownWarning,
    Options,
    About,
    Update,
    DuplicateProgress,
};

// How one host dialog looks and is shown.
struct HostDialogDesign {
    const char* germanCaption; // nullptr: the caller sets the caption
    const char* englishCaption;
    int width, height;         // of the whole window
    TFormBorderStyle border;
    TPosition position;
    TBorderIcons iconsRemoved; // taken from the design's system menu, minimise and maximise
    bool stayOnTop;
    bool modal;
    bool ownedByMainForm;      // outlives the next host dialog (only its frame goes)
};

const HostDialogDesign& DesignOf(HostDialog dialog);

class TForm6 : public TForm {
public:
    explicit TForm6(TComponent* owner);
    ~TForm6() override;

    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    // Runs the close step its maker gave it (the main form's, which starts the program
    // afresh after the found-files window); without one it just closes.
    void FormClose(TObject* sender, TCloseAction& action);

    std::function<void(TForm6* dialog)> CloseStep;
};

// The current host dialog; a frame closes its dialog through it.
extern TForm6* Form6;

// The main form's temporary owner of one host dialog and its frame.
class THostPanel : public TPanel {
public:
    explicit THostPanel(TComponent* owner);
    // Deletes the panel with everything it owns from the message loop, after the
    // current message, so that no handler of its dialog or frame is still running.
    void Release();

protected:
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// Creates the frame of the host dialog being built: owned by the main form's host panel,
// set into Form6 and filling its client area; what the frame takes besides its owner
// follows the panel.
template <class Frame, class... Args>
Frame* MakeHostFrame(TComponent* hostPanel, Args&&... args)
{
    auto* frame = new Frame(hostPanel, std::forward<Args>(args)...);
    frame->SetParent(Form6);
    frame->SetAlign(alClient);
    return frame;
}
