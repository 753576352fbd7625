// Making a control in code as a form's design would: owner, name, parent and bounds.
#pragma once

#include "toolkit/Controls.h"

template <class Control>
Control* Place(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
               int width, int height)
{
    auto* control = new Control(owner);
    control->Name = name;
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
}
