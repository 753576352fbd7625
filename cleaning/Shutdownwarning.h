// The warning frame of the countdown after a scheduled scan: how many seconds are left
// before the computer shuts down or restarts, OK (hide the warning, the countdown goes
// on) and Cancel (stop the countdown).
#pragma once

#include "toolkit/Button.h"
#include "toolkit/Forms.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"

#include <functional>

class TFrame12 : public TFrame {
public:
    explicit TFrame12(TComponent* owner);
    ~TFrame12() override;

    void Button1Click(TObject* sender);
    void Button2Click(TObject* sender); // Cancel: OnCancelCountdown, then the window closes

    TLabel* Label1 = nullptr;  // "Warning"
    TLabel* Label2 = nullptr;  // the time left
    TLabel* Label3 = nullptr;  // the announced action
    TImage* Image1 = nullptr;
    TButton* Button1 = nullptr; // OK
    TButton* Button2 = nullptr; // Cancel
    std::function<void()> OnCancelCountdown;
};

// The warning frame on the screen, or nullptr.
extern TFrame12* Frame12;
