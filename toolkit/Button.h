// TButton: a push button. A click runs OnClick; a button with a ModalResult first sets
// its form's ModalResult, which ends the form's ShowModal. In a form, Enter presses the
// Default button (or the focused button) and Escape the Cancel button.
#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Forms.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool isDefault);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool cancel) { cancel_ = cancel; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }

    // Does what a click on the button does.
    void Click();

    bool DialogKey(WORD key) override;

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
};
