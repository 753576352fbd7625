// TSaveDialog: the common dialog that asks for a file name to save under; add
// ofOverwritePrompt to Options to have the dialog ask before an existing file is chosen.
#pragma once

#include "toolkit/OpenDialog.h"

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

    bool Execute() override { return Run(true); }
};
