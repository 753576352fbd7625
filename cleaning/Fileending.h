// The add-ending dialog's frame: the user types a three-character mask (with * as a
// wildcard), which becomes a new checked row of the mask list.
#pragma once

#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"

#include <functional>
#include <string>

class TFrame3 : public TFrame {
public:
    explicit TFrame3(TComponent* owner);
    ~TFrame3() override;

    // The texts of the program's language.
    void SetTexts();

    void Button1Click(TObject* sender); // OK: a mask of three characters goes to OnAddMask
    void Button2Click(TObject* sender); // Cancel

    TLabel* Label7 = nullptr;  // title
    TLabel* Label1 = nullptr;  // explanation
    TEdit* Edit1 = nullptr;    // the mask, at most 3 characters
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    std::function<void(const std::string& mask)> OnAddMask;
};

// The add-ending frame while its dialog is open, or nullptr.
extern TFrame3* Frame3;
