// TRadioButton: one choice of a group. The radio buttons with the same parent form one
// group: checking one unchecks the others. As in the class library, OnClick runs when a
// button becomes checked, by a click or by the program; unchecking runs nothing.
#pragma once

#include "toolkit/Controls.h"

class TRadioButton : public TWinControl {
public:
    explicit TRadioButton(TComponent* owner);

    bool Checked() const;
    void SetChecked(bool checked);

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
