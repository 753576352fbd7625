// The zip progress window: which file is being packed, and Cancel, which tells OnCancel
// so that its creator stops the packing loop after the current file (and the deletion
// that would have followed the backup does not happen).
#pragma once

#include "res/Animations.h"
#include "toolkit/Animate.h"
#include "toolkit/Button.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/Panel.h"

#include <functional>
#include <string>

class TForm9 : public TForm {
public:
    explicit TForm9(TComponent* owner);
    ~TForm9() override;

    void Button1Click(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);

    // Sets the captions of the packing in the program's language and shows the window.
    void ShowPacking();
    // The path shortened with an ellipsis to fit Memo1.
    std::string MinimizeName(const std::string& path);
    void ShowFile(const std::string& path);

    TLabel* Label1 = nullptr;
    TAnimate* Animate1 = nullptr; // the copy animation, running while packing
    TPanel* Panel1 = nullptr; // the picture panel, shown while packing
    TMemo* Memo1 = nullptr;
    TButton* Button1 = nullptr;
    std::function<void()> OnCancel;
};

// The zip progress window in use, or nullptr.
extern TForm9* Form9;
