// The folders added while this lives go to the duplicate search's locations instead of
// the cleaner's; the flag drops again on every way out, an exception included.
#pragma once

#include "shell/Unit1.h"

class DuplicateModeOn {
public:
    explicit DuplicateModeOn(TForm1& form) : form_(form) { form_.DuplicateMode = 1; }
    ~DuplicateModeOn() { form_.DuplicateMode = 0; }
    DuplicateModeOn(const DuplicateModeOn&) = delete;
    DuplicateModeOn& operator=(const DuplicateModeOn&) = delete;

private:
    TForm1& form_;
};
