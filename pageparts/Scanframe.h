// The scan's progress frame, shown in a host dialog while the scan (and the duplicate
// search) walks its locations: the location at hand, a bar of 0 to 100 % and Cancel.
#pragma once

#include "toolkit/Button.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/ProgressBar.h"

#include <functional>

class TFrame2 : public TFrame {
public:
    explicit TFrame2(TComponent* owner);
    ~TFrame2() override;

    // Cancel: tells the creator through OnCancel, which stops its walk (and closes the
    // dialog at once or after the walk has unwound, as that walk needs).
    void Button1Click(TObject* sender);
    std::function<void()> OnCancel;

    TLabel* Label1 = nullptr;   // the location being walked
    TButton* Button1 = nullptr; // Cancel
    TProgressBar* ProgressBar1 = nullptr;
    TMemo* Memo1 = nullptr; // hidden
};

// The progress frame of the running scan or search, or nullptr.
extern TFrame2* Frame2;
