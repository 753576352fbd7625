#include "toolkit/Button.h"

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
    CreateHandle("BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0);
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool isDefault)
{
    default_ = isDefault;
    SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click()
{
    HWND window = Handle();
    if (modalResult_ != mrNone)
        if (TForm* form = GetParentForm(this)) form->ModalResult = modalResult_;
    // The form may have been closed and freed by the time the handler returns; the
    // handler runs last so that it sees the result already set.
    if (OnClick && FromHandle(window) == this) OnClick(this);
}

bool TButton::DialogKey(WORD key)
{
    if (!Visible() || !Enabled()) return false;
    if (key == VK_RETURN) {
        // Enter presses the focused button; on any other control, the default button.
        auto* focused = dynamic_cast<TButton*>(FromHandle(GetFocus()));
        if (focused ? focused != this : !default_) return false;
    } else if (key != VK_ESCAPE || !cancel_) {
        return false;
    }
    Click();
    return true;
}

bool TButton::ReflectedMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (msg != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    Click();
    result = 0;
    return true;
}
