#include "xplook/ControlSubClass.h"

#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Panel.h"
#include "toolkit/SpeedButton.h"
#include "xplook/Xpmenu.h"

#include <commctrl.h>

#include <unordered_map>

namespace xplook {

void SetThemedPainting(HWND window, bool themed)
{
    // The theme library exists from XP on; older systems paint unthemed anyway.
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static SetWindowThemeFn setTheme = [] {
        HMODULE library = LoadLibraryA("uxtheme.dll");
        return library ? reinterpret_cast<SetWindowThemeFn>(GetProcAddress(library, "SetWindowTheme"))
                       : nullptr;
    }();
    if (!setTheme) return;
    if (themed)
        setTheme(window, nullptr, nullptr);
    else
        setTheme(window, L"", L"");
}

}  // namespace xplook

namespace {

// The id of the look's procedure in a window's chain.
constexpr UINT_PTR kSubclassId = 0x58504C4B;  // "XPLK"

// The object of each window the look paints. Kept here rather than asked of the system:
// not every import library of the common controls offers GetWindowSubclass.
std::unordered_map<HWND, TControlSubClass*>& Objects()
{
    static std::unordered_map<HWND, TControlSubClass*> objects;
    return objects;
}

// Kinds whose flat frame is drawn round the whole window over the system's client edge.
bool FramedKind(int kind)
{
    return kind == xcEdit || kind == xcMemo || kind == xcListView || kind == xcTreeView ||
           kind == xcProgressBar;
}

}  // namespace

TControlSubClass::TControlSubClass(TXPMenu* menu, TControl* control)
    : TControlSubClass(menu, control, control->Handle(), XPControlKindOf(control))
{
}

TControlSubClass::TControlSubClass(TXPMenu* menu, TControl* control, HWND window, int kind)
    : menu_(menu), control_(control), window_(window), kind_(kind)
{
    inChain_ = SetWindowSubclass(window_, ControlSubClass, kSubclassId, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    if (inChain_) {
        Objects()[window_] = this;
        xplook::SetThemedPainting(window_, false);
    }
}

TControlSubClass::~TControlSubClass()
{
    auto it = Objects().find(window_);
    if (it != Objects().end() && it->second == this) Objects().erase(it);
    if (inChain_) {
        RemoveWindowSubclass(window_, ControlSubClass, kSubclassId);
        if (!windowGone_) {
            xplook::SetThemedPainting(window_, true);
            RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
        }
    }
    if (menu_) menu_->Forget(this);
}

void TControlSubClass::Release()
{
    menu_ = nullptr;
    if (depth_ == 0) {
        delete this;
        return;
    }
    // A message of the control is being handled below us: leave the chain now and go when
    // that message returns.
    RemoveWindowSubclass(window_, ControlSubClass, kSubclassId);
    inChain_ = false;
    Objects().erase(window_);
    xplook::SetThemedPainting(window_, true);
    InvalidateRect(window_, nullptr, TRUE);
}

TControlSubClass* TControlSubClass::Of(HWND window)
{
    auto it = Objects().find(window);
    return it == Objects().end() ? nullptr : it->second;
}

LRESULT CALLBACK TControlSubClass::ControlSubClass(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                                   UINT_PTR, DWORD_PTR self)
{
    return reinterpret_cast<TControlSubClass*>(self)->Handle(window, msg, wParam, lParam);
}

LRESULT TControlSubClass::Handle(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(window, ControlSubClass, kSubclassId);
        inChain_ = false;
        windowGone_ = true;
        if (depth_ == 0) delete this;
        // Not one member is read from here on: the object may be gone.
        return DefSubclassProc(window, msg, wParam, lParam);
    }
    ++depth_;
    LRESULT result = DefSubclassProc(window, msg, wParam, lParam);
    if (!windowGone_ && menu_) {
        try {
            Track(msg, wParam, lParam);
        } catch (...) {
            // Painting is decoration: it never takes a window down.
        }
    }
    if (--depth_ == 0 && (windowGone_ || !menu_)) delete this;
    return result;
}

void TControlSubClass::Track(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Panels and group boxes get their flat frames only when they have just drawn theirs.
    if ((kind_ == xcPanel || kind_ == xcGroupBox) && msg != WM_PAINT) return;
    switch (msg) {
    case WM_SETFOCUS: highlighted_ = true; break;
    case WM_KILLFOCUS: highlighted_ = false; break;
    case WM_MOUSEMOVE:
        // A focused control is hot already, yet must hear the mouse leave all the same.
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        if (!highlighted_) {
            highlighted_ = true;
            break;
        }
        // The arrow buttons of an up-down light up one at a time.
        if (kind_ == xcUpDown && HalfUnderCursor() != paintedHalf_) break;
        return;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        // The focus shows in the painters on its own; hot is the mouse's.
        if (IsWindowEnabled(window_)) highlighted_ = false;
        break;
    case WM_LBUTTONDOWN: mouseDown_ = true; break;
    case WM_LBUTTONDBLCLK:
        // The second press of a double click is a press too: the system gives an
        // owner-drawn button (a speed button) only a double-click notice instead, so that
        // a double click would click it once.
        if (kind_ == xcButton || kind_ == xcSpeedButton || kind_ == xcCheckBox)
            SendMessageA(window_, WM_LBUTTONDOWN, wParam, lParam);
        return;
    case WM_LBUTTONUP: mouseDown_ = false; break;
    case WM_KEYDOWN:
        if (wParam != VK_SPACE || spaceDown_) return;
        spaceDown_ = true;
        break;
    case WM_KEYUP:
        if (wParam != VK_SPACE) return;
        spaceDown_ = false;
        break;
    case WM_ENABLE:
        // A disabled control gets no mouse messages, so it would never hear the mouse leave.
        if (!wParam) highlighted_ = false;
        break;
    case BM_SETCHECK: highlighted_ = false; break;
    case WM_PAINT:
    case WM_NCPAINT:
    case BM_SETSTATE:
    case CM_PARENTCOLORCHANGED:
    case WM_SETTEXT:
    case CB_SHOWDROPDOWN:
        break;
    default: return;
    }
    PaintControlXP();
}

xplook::FlatState TControlSubClass::State() const
{
    xplook::FlatState state;
    state.focused = GetFocus() == window_;
    state.hot = highlighted_;
    state.enabled = IsWindowEnabled(window_) != FALSE;
    state.pressed = mouseDown_ || spaceDown_;
    state.rightToLeft = (GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
    if (kind_ == xcButton) state.isDefault = static_cast<const TButton*>(control_)->Default();
    if (kind_ == xcCheckBox || kind_ == xcRadioButton) {
        LRESULT check = SendMessageA(window_, BM_GETCHECK, 0, 0);
        state.checked = check == BST_CHECKED;
        state.grayed = check == BST_INDETERMINATE;
    }
    return state;
}

xplook::FlatSurroundings TControlSubClass::Surroundings() const
{
    const xplook::XPPalette& palette = menu_->palette_;
    TWinControl* parent = control_->Parent();
    return {palette.Resolve(control_->Color()), palette.Resolve(parent ? parent->Color() : clBtnFace),
            control_->Tag == TagParentColors};
}

xplook::ControlCaption TControlSubClass::Caption() const
{
    return {control_->Caption(), control_->Font()->Handle(), menu_->palette_.Resolve(control_->Font()->Color())};
}

int TControlSubClass::HalfUnderCursor() const
{
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(window_, &cursor);
    RECT client;
    GetClientRect(window_, &client);
    if (!PtInRect(&client, cursor)) return -1;
    return cursor.y < client.bottom / 2 ? 0 : 1;
}

void TControlSubClass::PaintControlXP()
{
    if (!IsWindowVisible(window_)) return;
    const xplook::XPWorkColors& colors = menu_->WorkColors();
    const xplook::FlatState state = State();
    const xplook::FlatSurroundings around = Surroundings();
    if (FramedKind(kind_)) {
        HDC dc = GetWindowDC(window_);
        RECT window;
        GetWindowRect(window_, &window);
        RECT frame{0, 0, window.right - window.left, window.bottom - window.top};
        const bool clientEdge = (GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0;
        if (clientEdge) {
            // The system's sunken edge is two pixels: the inner one takes the control's colour.
            RECT inner = frame;
            InflateRect(&inner, -1, -1);
            xplook::PaintFlatFrame(dc, inner, around.control);
        }
        COLORREF color = xplook::EditFrameColor(colors, around, state);
        if (kind_ == xcProgressBar) color = xplook::ProgressFrameColor(colors, around, state);
        if (kind_ == xcListView || kind_ == xcTreeView)
            color = xplook::ListFrameColor(colors, around, state,
                                           clientEdge || (GetWindowLongA(window_, GWL_STYLE) & WS_BORDER));
        xplook::PaintFlatFrame(dc, frame, color);
        ReleaseDC(window_, dc);
        return;
    }
    RECT client;
    GetClientRect(window_, &client);
    HDC dc = GetDC(window_);
    switch (kind_) {
    case xcButton: xplook::PaintButton(dc, client, colors, around, state, Caption()); break;
    case xcCheckBox:
        xplook::PaintCheckBox(dc, client, colors, around, state,
                              (GetWindowLongA(window_, GWL_STYLE) & BS_LEFTTEXT) != 0);
        break;
    case xcRadioButton:
        xplook::PaintRadio(dc, client, colors, around, state,
                           (GetWindowLongA(window_, GWL_STYLE) & BS_LEFTTEXT) != 0);
        break;
    case xcCombo:
        xplook::PaintCombo(dc, client, colors, around, state, SendMessageA(window_, CB_GETDROPPEDSTATE, 0, 0) != 0,
                           (GetWindowLongA(window_, GWL_STYLE) & 3) == CBS_SIMPLE);
        break;
    case xcSpeedButton: {
        auto* button = static_cast<TSpeedButton*>(control_);
        xplook::FlatState speed = state;
        speed.checked = button->Down();
        // A flat button is hot only while the mouse is over it, not for having the focus.
        if (button->Flat()) speed.hot = speed.hot && button->Hot();
        xplook::PaintSpeedButton(dc, client, colors, around, speed, button->Flat(), Caption());
        break;
    }
    case xcGroupBox: {
        auto* box = static_cast<TGroupBox*>(control_);
        HGDIOBJ oldFont = SelectObject(dc, box->Font()->Handle());
        SIZE text{0, 0};
        const std::string caption = box->Caption().empty() ? "" : " " + box->Caption() + " ";
        GetTextExtentPoint32A(dc, caption.empty() ? " " : caption.c_str(),
                              static_cast<int>(caption.empty() ? 1 : caption.size()), &text);
        SelectObject(dc, oldFont);
        xplook::PaintGroupFrame(dc, client, around, text.cy, caption.empty() ? 0 : text.cx);
        break;
    }
    case xcUpDown:
        paintedHalf_ = HalfUnderCursor();
        xplook::PaintUpDown(dc, client, colors, around, state, paintedHalf_);
        break;
    case xcPanel: {
        auto* panel = static_cast<TPanel*>(control_);
        xplook::PaintPanelBevels(dc, client, around.control, panel->BevelOuter(), panel->BevelInner(),
                                 panel->BevelWidth(), panel->BorderWidth());
        break;
    }
    default: break;
    }
    ReleaseDC(window_, dc);
}
