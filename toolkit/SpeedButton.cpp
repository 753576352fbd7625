#include "toolkit/SpeedButton.h"

TSpeedButton::TSpeedButton(TComponent* owner) : TWinControl(owner)
{
    // An owner-drawn button: the system does the pressing and the clicks, we the face.
    CreateHandle("BUTTON", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0);
    SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetFlat(bool flat)
{
    flat_ = flat;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int index)
{
    groupIndex_ = index;
    if (groupIndex_ == 0) SetDown(false);
}

void TSpeedButton::SetDown(bool down)
{
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    // The down button of a group that must keep one down stays down.
    if (down_ && !allowAllUp_) return;
    down_ = down;
    if (down_) ReleaseGroup();
    Invalidate();
}

void TSpeedButton::ReleaseGroup()
{
    TWinControl* parent = Parent();
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
            other->down_ = false;
            other->Invalidate();
        }
    }
}

void TSpeedButton::Click()
{
    HWND window = Handle();
    if (groupIndex_ != 0) SetDown(!down_);
    // The handler may free the button: it runs last.
    if (OnClick && FromHandle(window) == this) OnClick(this);
}

bool TSpeedButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            Invalidate();
        }
        break;
    case WM_MOUSELEAVE:
        hot_ = false;
        Invalidate();
        break;
    case WM_ENABLE:
        // A disabled button hears no mouse, so it would never hear it leave.
        if (!wParam) hot_ = false;
        break;
    default:
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam, result);
}

bool TSpeedButton::ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    if (msg != WM_DRAWITEM) return false;
    const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    PaintButton(draw->hDC, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
    result = TRUE;
    return true;
}

void TSpeedButton::PaintButton(HDC dc, const RECT& rect, bool pressed)
{
    HBRUSH face = CreateSolidBrush(ColorToRGB(Color()));
    FillRect(dc, &rect, face);
    DeleteObject(face);
    RECT edge = rect;
    const bool sunken = pressed || down_;
    if (down_ && !pressed) {
        // A button that stays down shows a lighter face, as the system's do.
        RECT inner = rect;
        InflateRect(&inner, -1, -1);
        FillRect(dc, &inner, GetSysColorBrush(COLOR_3DLIGHT));
    }
    if (sunken)
        DrawEdge(dc, &edge, flat_ ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (!flat_ || (hot_ && IsWindowEnabled(Handle())))
        DrawEdge(dc, &edge, flat_ ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    const std::string caption = Caption();
    if (caption.empty()) return;
    RECT text = rect;
    if (sunken) OffsetRect(&text, 1, 1);
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    const bool enabled = IsWindowEnabled(Handle()) != FALSE;
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextA(dc, caption.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, oldFont);
}
