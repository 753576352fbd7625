#include "toolkit/CheckBox.h"

#include "toolkit/ControlColor.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner)
{
    SetParentColor(true);
    // Not an automatic box: the state changes here, so that code and clicks behave alike.
    CreateHandle("BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_3STATE, 0);
    SetBounds(0, 0, 97, 17);
}

TCheckBoxState TCheckBox::State() const
{
    switch (SendMessageA(Handle(), BM_GETCHECK, 0, 0)) {
    case BST_CHECKED: return cbChecked;
    case BST_INDETERMINATE: return cbGrayed;
    default: return cbUnchecked;
    }
}

void TCheckBox::SetState(TCheckBoxState state)
{
    if (state == State()) return;
    SendMessageA(Handle(), BM_SETCHECK,
                 state == cbChecked ? BST_CHECKED : state == cbGrayed ? BST_INDETERMINATE : BST_UNCHECKED, 0);
    if (OnClick && Firing()) OnClick(this);
}

bool TCheckBox::ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return false;
        switch (State()) {
        case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
        case cbChecked: SetState(cbUnchecked); break;
        case cbGrayed: SetState(cbChecked); break;
        }
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
