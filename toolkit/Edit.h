// TEdit: a one-line text field. OnChange runs after every change of the text, typed or
// set by the program. Key events (OnKeyDown, OnKeyPress) come from TWinControl.
#pragma once

#include "toolkit/Controls.h"

class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* owner);

    // The most characters the user may type; 0 for no limit.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    bool ReadOnly() const;
    void SetReadOnly(bool readOnly);
    void SelectAll();

    TNotifyEvent OnChange;

protected:
    // For the controls built on an edit (memo, spin edit): the edit's style bits.
    TEdit(TComponent* owner, DWORD style);
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int maxLength_ = 0;
};
