// The autostart entry dialog: the title (value name or shortcut description), the
// destination it goes to, and the file (the command) it starts.
#pragma once

#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"

#include <functional>

class TForm12 : public TForm {
public:
    // OK hands the dialog to writeEntry, which writes the entry it shows; the dialog stays
    // open when that returns false.
    TForm12(TComponent* owner, std::function<bool(TForm12& dialog)> writeEntry);
    ~TForm12() override;

    void Button1Click(TObject* sender); // OK: writes the entry, closes when it was written
    void Button3Click(TObject* sender); // "...": choose the file

    TImage* Image1 = nullptr;
    TLabel* Label3 = nullptr; // title
    TEdit* Edit1 = nullptr;
    TLabel* Label2 = nullptr; // destination
    TEdit* Edit3 = nullptr;
    TLabel* Label1 = nullptr; // file
    TEdit* Edit2 = nullptr;
    TButton* Button3 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;

private:
    std::function<bool(TForm12& dialog)> writeEntry_;
};

extern TForm12* Form12;
