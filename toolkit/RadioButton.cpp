#include "toolkit/RadioButton.h"

#include "toolkit/ControlColor.h"

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner)
{
    SetParentColor(true);
    // Not an automatic radio button: Windows would find its group by window order and
    // group styles, while here the group is simply the parent's radio buttons.
    CreateHandle("BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON, 0);
    SetBounds(0, 0, 113, 17);
}

bool TRadioButton::Checked() const
{
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool checked)
{
    if (checked == Checked()) return;
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!checked) return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)))
                if (sibling != this) sibling->SetChecked(false);
    if (OnClick && Firing()) OnClick(this);
}

bool TRadioButton::ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return false;
        SetChecked(true);
        result = 0;
        return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        result = toolkit::ControlColor(reinterpret_cast<HDC>(wParam), Font()->Color(), Color());
        return true;
    default:
        return false;
    }
}
