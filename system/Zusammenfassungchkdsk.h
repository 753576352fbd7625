// The disk-check summary: the result lines of every drive checked.
#pragma once

#include "toolkit/Button.h"
#include "toolkit/Forms.h"
#include "toolkit/Memo.h"

class TForm14 : public TForm {
public:
    explicit TForm14(TComponent* owner);
    ~TForm14() override;

    TMemo* Memo1 = nullptr;
    TButton* Button1 = nullptr; // OK
};

extern TForm14* Form14;
