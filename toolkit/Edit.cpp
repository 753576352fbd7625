#include "toolkit/Edit.h"

#include "toolkit/ControlColor.h"

TEdit::TEdit(TComponent* owner) : TEdit(owner, ES_AUTOHSCROLL)
{
    SetBounds(0, 0, 121, 21);
}

TEdit::TEdit(TComponent* owner, DWORD style) : TWinControl(owner)
{
    CreateHandle("EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, WS_EX_CLIENTEDGE);
    SetColor(clWindow);
    SetMaxLength(0);
}

void TEdit::SetMaxLength(int length)
{
    maxLength_ = length < 0 ? 0 : length;
    // 0 lifts the control's own default limit (about 32 000 characters), which would
    // also stop text the program appends.
    SendMessageA(Handle(), EM_LIMITTEXT, maxLength_, 0);
}

bool TEdit::ReadOnly() const
{
    return (GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY) != 0;
}

void TEdit::SetReadOnly(bool readOnly)
{
    SendMessageA(Handle(), EM_SETREADONLY, readOnly, 0);
}

void TEdit::SelectAll()
{
    SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

bool TEdit::ReflectedMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_CHANGE && OnChange && Firing()) OnChange(this);
        return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:  // read-only or disabled
        result = toolkit::ControlColor(reinterpret_cast<HDC>(wParam),
                                       Enabled() ? Font()->Color() : clGrayText, Color());
        return true;
    default:
        return false;
    }
}
