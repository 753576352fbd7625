// The update dialog's frame: page 1 asks where to save the new program, page 2 shows the
// download with its progress and Cancel. The main form runs the download itself
// (TForm1::DownLoadUpdate); the frame's buttons start and cancel it.
#pragma once

#include "res/Animations.h"
#include "toolkit/Animate.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/PageControl.h"
#include "toolkit/ProgressBar.h"

#include <cstdint>
#include <optional>

class TFrame30 : public TFrame {
public:
    explicit TFrame30(TComponent* owner);
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
};

// The update frame while its dialog exists, or nullptr.
extern TFrame30* Frame30;
