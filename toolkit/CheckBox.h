// TCheckBox: a check box with an optional third, grayed state. As in the class library,
// OnClick runs whenever the state changes, whether the user clicked or the program set
// Checked or State; setting the state it already has runs nothing.
#pragma once

#include "toolkit/Controls.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const { return State() == cbChecked; }
    void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const;
    void SetState(TCheckBoxState state);
    // Clicks then go unchecked, grayed, checked, unchecked.
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool allow) { allowGrayed_ = allow; }

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool allowGrayed_ = false;
};
