// The update dialog's frame: page 1 asks where to save the new program, page 2 shows the
// download with its progress and Cancel. Whoever makes the frame runs the download and
// the start of the new program (UpdateActions); the frame's buttons call them.
#pragma once

#include "res/Animations.h"
#include "toolkit/Animate.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/PageControl.h"
#include "toolkit/ProgressBar.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

// What the update frame asks of whoever makes it.
struct UpdateActions {
    // The new program's file name on the server.
    std::string fileName;
    // Downloads the new program to the frame's target: false when it failed (and was told)
    // or was cancelled.
    std::function<bool()> download;
    // Stops a running download after its next block; it deletes what it has written.
    std::function<void()> cancel;
    // Starts the downloaded program and ends this process: false when it could not start
    // (and was told).
    std::function<bool(const std::string& program)> install;
    // Keeps the dialog, and so the frame, while the holder it returns lives: what the
    // frame shows meanwhile lets messages in, and another dialog prepared then would free it.
    std::function<std::shared_ptr<void>()> holdDialog;
    // The window the install question belongs to.
    HWND questionOwner = nullptr;
};

class TFrame30 : public TFrame {
public:
    TFrame30(TComponent* owner, UpdateActions actions);
    ~TFrame30() override;

    void Button1Click(TObject* sender); // Cancel on page 1
    void Button2Click(TObject* sender); // Cancel during the download
    void Button3Click(TObject* sender); // Save: download, then offer to install
    void Button4Click(TObject* sender); // "...": choose where to save
    // The bytes so far, of the announced total when the server sent one.
    void ShowProgress(uint64_t bytes, const std::optional<uint64_t>& total, bool german);

    TPageControl* PageControl1 = nullptr;
    // page 1: choose the target
    TTabSheet* TabSheet1 = nullptr;
    TLabel* Label9 = nullptr;  // heading
    TLabel* Label1 = nullptr;
    TLabel* Label6 = nullptr;  // "Filename "
    TLabel* Label7 = nullptr;  // the program file's name
    TLabel* Label8 = nullptr;
    TLabel* Label3 = nullptr;  // "Save to"
    TEdit* Edit1 = nullptr;    // the target path
    TButton* Button4 = nullptr;
    TButton* Button3 = nullptr;
    TButton* Button1 = nullptr;
    // page 2: the download
    TTabSheet* TabSheet2 = nullptr;
    TAnimate* Animate1 = nullptr; // the download animation, playing while the bytes come in
    TLabel* Label2 = nullptr;  // the file name
    TLabel* Label4 = nullptr;  // the target path
    TLabel* Label5 = nullptr;  // progress text
    TProgressBar* CGauge1 = nullptr;
    TButton* Button2 = nullptr;

private:
    void CloseDialog();

    UpdateActions actions_;
};

// The update frame while its dialog exists, or nullptr.
extern TFrame30* Frame30;
