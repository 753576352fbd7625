// A control's window: the toolkit's window class and utility window, the table from windows
// to their objects, how a control's window is made, subclassed, given its messages and freed
// again, and what the control keeps in that window (parent, visibility, caption, colour).
#include "toolkit/Controls.h"

#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

#include <commctrl.h>
#include <windowsx.h>

#include <map>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ToolkitSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ToolkitUtilityProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

const char kWindowClass[] = "TidewrackWindow";
// Where a standard control's original procedure waits for its window's last messages.
const char kOriginalProcProperty[] = "TidewrackOriginalProc";

// The object of each control window. Looked up for every message a control gets, so it is
// kept in the process: a window property would cost a round trip to the Wine server each
// time. The lock is for lookups from other threads (a worker asking about a window). The
// table lives on: controls of static objects go after static destruction has begun.
struct ControlRegistry {
    std::mutex lock;
    std::unordered_map<HWND, TControl*> objects;
};

ControlRegistry& Controls()
{
    static auto* registry = new ControlRegistry;
    return *registry;
}

std::map<UINT_PTR, std::function<void()>>& Timers()
{
    static std::map<UINT_PTR, std::function<void()>> timers;
    return timers;
}

}  // namespace

LRESULT CALLBACK ToolkitUtilityProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER) {
        auto it = Timers().find(wParam);
        if (it != Timers().end()) {
            // A copy: the handler may stop its own timer.
            std::function<void()> callback = it->second;
            toolkit::Guarded(callback);
        }
        return 0;
    }
    // Controls that still sit under the utility window, or that remember it as the
    // window to notify, send their notifications here: hand them to their sender.
    LRESULT result = 0;
    bool handled = false;
    toolkit::Guarded([&] { handled = TControl::ReflectToSender(nullptr, msg, wParam, lParam, result); });
    return handled ? result : DefWindowProcA(window, msg, wParam, lParam);
}

// --- toolkit services --------------------------------------------------------------------

namespace toolkit {

void Initialize()
{
    static bool done = false;
    if (done) return;
    done = true;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES |
                                             ICC_LISTVIEW_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ToolkitWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    RegisterClassExA(&wc);
}

HWND UtilityWindow()
{
    static HWND window = nullptr;
    if (!window) {
        Initialize();
        window = CreateWindowExA(WS_EX_TOOLWINDOW, kWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolkitUtilityProc));
    }
    return window;
}

UINT_PTR StartTimer(UINT interval, std::function<void()> callback)
{
    static UINT_PTR nextId = 1;
    UINT_PTR id = nextId++;
    Timers()[id] = std::move(callback);
    SetTimer(UtilityWindow(), id, interval, nullptr);
    return id;
}

void StopTimer(UINT_PTR id)
{
    KillTimer(UtilityWindow(), id);
    Timers().erase(id);
}

void Guarded(const std::function<void()>& fn)
{
    try {
        fn();
    } catch (const std::exception& e) {
        Application->HandleException(e);
    } catch (...) {
        Application->HandleException(std::runtime_error("Unknown exception"));
    }
}

}  // namespace toolkit

// --- helpers ---------------------------------------------------------------------------

HCURSOR CursorHandle(TCursor cursor)
{
    const char* id = nullptr;
    switch (cursor) {
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crAppStart: id = IDC_APPSTARTING; break;
    case crHandPoint: id = IDC_HAND; break;
    case crHSplit: id = IDC_SIZEWE; break;
    default: return nullptr;
    }
    return LoadCursorA(nullptr, id);
}

TShiftState CurrentShiftState()
{
    TShiftState state = 0;
    if (GetKeyState(VK_SHIFT) < 0) state |= ssShift;
    if (GetKeyState(VK_MENU) < 0) state |= ssAlt;
    if (GetKeyState(VK_CONTROL) < 0) state |= ssCtrl;
    if (GetKeyState(VK_LBUTTON) < 0) state |= ssLeft;
    if (GetKeyState(VK_RBUTTON) < 0) state |= ssRight;
    if (GetKeyState(VK_MBUTTON) < 0) state |= ssMiddle;
    return state;
}

// --- window procedures -----------------------------------------------------------------

LRESULT CALLBACK ToolkitWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        if (auto* control = static_cast<TControl*>(create->lpCreateParams)) control->Attach(window);
    }
    if (TControl* control = TControl::FromHandle(window)) return control->Dispatch(window, msg, wParam, lParam);
    return DefWindowProcA(window, msg, wParam, lParam);
}

LRESULT CALLBACK ToolkitSubclassProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The control is attached before this procedure is installed and the original
    // procedure is put back before it is detached, so a miss means a foreign procedure
    // chained to ours after the control was gone.
    TControl* control = TControl::FromHandle(window);
    if (control) return control->Dispatch(window, msg, wParam, lParam);
    // A window whose control went while another procedure was chained above ours: its
    // last messages go on to the control's own procedure.
    auto original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProcProperty));
    if (msg == WM_NCDESTROY) RemovePropA(window, kOriginalProcProperty);
    return original ? CallWindowProcA(original, window, msg, wParam, lParam)
                    : DefWindowProcA(window, msg, wParam, lParam);
}

// --- TControl --------------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner)
{
    font_.OnChange = [this] {
        if (!takingParentFont_) parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl()
{
    BeginDestroy();
    DestroyComponents();
    if (parent_) parent_->RemoveControl(this);
    parent_ = nullptr;
    DestroyHandle();
}

TControl* TControl::FromHandle(HWND window)
{
    if (!window) return nullptr;
    ControlRegistry& registry = Controls();
    std::lock_guard<std::mutex> hold(registry.lock);
    auto it = registry.objects.find(window);
    return it == registry.objects.end() ? nullptr : it->second;
}

void TControl::Attach(HWND window)
{
    handle_ = window;
    ControlRegistry& registry = Controls();
    std::lock_guard<std::mutex> hold(registry.lock);
    registry.objects[window] = this;
}

void TControl::Detach()
{
    if (!handle_) return;
    ControlRegistry& registry = Controls();
    {
        std::lock_guard<std::mutex> hold(registry.lock);
        auto it = registry.objects.find(handle_);
        if (it != registry.objects.end() && it->second == this) registry.objects.erase(it);
    }
    handle_ = nullptr;
}

void TControl::CreateHandle(const char* className, DWORD style, DWORD exStyle, HWND owner)
{
    toolkit::Initialize();
    HWND parent = (style & WS_CHILD) ? toolkit::UtilityWindow() : owner;
    if (style & WS_CHILD) style |= WS_CLIPSIBLINGS;
    ownClass_ = className == nullptr;
    HWND window = CreateWindowExA(exStyle, ownClass_ ? kWindowClass : className, "", style, 0, 0,
                                  0, 0, parent, nullptr, GetModuleHandleA(nullptr),
                                  ownClass_ ? this : nullptr);
    if (!window) throw std::runtime_error(std::string("Cannot create a window of class ") +
                                          (className ? className : kWindowClass));
    if (!ownClass_) {
        Attach(window);
        oldProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ToolkitSubclassProc)));
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

void TControl::DestroyHandle()
{
    if (!handle_) return;
    HWND window = handle_;
    WNDPROC old = oldProc_;
    Detach();
    // Messages sent while the window goes away must not reach a half-destroyed object.
    // When another procedure was chained above ours (SetWindowSubclass), the chain stays
    // whole so that one sees the window go too; ours then passes on to the original.
    if (old) {
        auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
        if (current == ToolkitSubclassProc)
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        else
            SetPropA(window, kOriginalProcProperty, reinterpret_cast<HANDLE>(old));
    }
    oldProc_ = nullptr;
    DestroyWindow(window);
}

void TControl::RecreateHandle(DWORD style, DWORD exStyle)
{
    char className[64] = "";
    GetClassNameA(handle_, className, sizeof className);
    TRect bounds = BoundsRect();
    HWND parentWindow = GetParent(handle_);
    HWND above = GetWindow(handle_, GW_HWNDPREV);
    bool focused = GetFocus() == handle_;
    DestroyHandle();
    CreateHandle(className, style, exStyle);
    ::SetParent(handle_, parentWindow);
    SetWindowPos(handle_, above ? above : HWND_TOP, bounds.Left, bounds.Top, bounds.Width(),
                 bounds.Height(), SWP_NOACTIVATE);
    FontChanged();
    ColorChanged();
    if (focused) ::SetFocus(handle_);
}

LRESULT TControl::Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    WNDPROC old = oldProc_;
    if (msg == WM_NCDESTROY) {
        // The window is going away without us (its owner window was destroyed).
        Detach();
        oldProc_ = nullptr;
        return old ? CallWindowProcA(old, window, msg, wParam, lParam)
                   : DefWindowProcA(window, msg, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    try {
        if (!Destroying()) handled = Application->RunMainWindowHooks(window, msg, wParam, lParam, result) ||
                                     MessageMap(msg, wParam, lParam, result) ||
                                     WndProc(msg, wParam, lParam, result);
    } catch (const std::exception& e) {
        Application->HandleException(e);
        return 0;
    } catch (...) {
        Application->HandleException(std::runtime_error("Unknown exception"));
        return 0;
    }
    if (handled) return result;
    // A handler may have deleted this control; then the window is gone too.
    if (!IsWindow(window) || FromHandle(window) != this) return 0;
    return old ? CallWindowProcA(old, window, msg, wParam, lParam)
               : DefWindowProcA(window, msg, wParam, lParam);
}

LRESULT TControl::DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return oldProc_ ? CallWindowProcA(oldProc_, handle_, msg, wParam, lParam)
                    : DefWindowProcA(handle_, msg, wParam, lParam);
}

bool TControl::MessageMap(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool TControl::ReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool TControl::ReflectToSender(TControl* receiver, UINT msg, WPARAM wParam, LPARAM lParam,
                               LRESULT& result)
{
    if (toolkit::MenuOwnerDraw(msg, lParam, result)) return true;
    HWND from = nullptr;
    switch (msg) {
    case WM_COMMAND: from = reinterpret_cast<HWND>(lParam); break;
    case WM_NOTIFY: from = reinterpret_cast<NMHDR*>(lParam)->hwndFrom; break;
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (draw->CtlType != ODT_MENU) from = draw->hwndItem;
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: from = reinterpret_cast<HWND>(lParam); break;
    default: return false;
    }
    TControl* sender = FromHandle(from);
    if (!sender || sender == receiver) return false;
    return sender->ReflectedMessage(msg, wParam, lParam, result);
}

bool TControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (ReflectToSender(this, msg, wParam, lParam, result)) return true;
    switch (msg) {
    case WM_ERASEBKGND:
        if (!ownClass_) return false;
        result = 1;  // everything is painted in WM_PAINT
        return true;
    case WM_PAINT:
        if (!ownClass_) return false;
        PaintWindow();
        return true;
    case WM_SIZE:
        if (auto* container = dynamic_cast<TWinControl*>(this)) container->Realign();
        if (OnResize) OnResize(this);
        return false;
    case WM_SETCURSOR: {
        if (LOWORD(lParam) != HTCLIENT) return false;
        TCursor cursor = Screen->Cursor() != crDefault ? Screen->Cursor()
                         : reinterpret_cast<HWND>(wParam) == handle_ ? cursor_
                                                                      : crDefault;
        if (cursor == crDefault) return false;
        ::SetCursor(CursorHandle(cursor));
        result = TRUE;
        return true;
    }
    case WM_CONTEXTMENU: {
        if (!popupMenu_ || reinterpret_cast<HWND>(wParam) != handle_) return false;
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (at.x == -1 && at.y == -1) {  // from the keyboard: at the control's corner
            at = POINT{0, 0};
            ClientToScreen(handle_, &at);
        }
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(at.x, at.y);
        return true;
    }
    default:
        return HandleMouse(msg, lParam);
    }
}

bool TControl::HandleMouse(UINT msg, LPARAM lParam)
{
    int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    // Read only for a handler that gets it: each key state is a round trip to the Wine
    // server, and this runs for every message a control does not handle itself.
    TShiftState extra = 0;
    auto shift = [&] { return CurrentShiftState() | extra; };
    auto fireDown = [&](TMouseButton button) {
        if (OnMouseDown) OnMouseDown(this, button, shift(), x, y);
    };
    auto fireUp = [&](TMouseButton button) {
        if (OnMouseUp) OnMouseUp(this, button, shift(), x, y);
    };
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!trackingLeave_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
            trackingLeave_ = TrackMouseEvent(&track) != FALSE;
        }
        if (OnMouseMove) OnMouseMove(this, shift(), x, y);
        return false;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        if (OnMouseLeave) OnMouseLeave(this);
        return false;
    case WM_LBUTTONDOWN:
        if (ClicksFromMouse()) {
            leftPressed_ = true;
            SetCapture(handle_);
        }
        fireDown(mbLeft);
        return false;
    case WM_RBUTTONDOWN: fireDown(mbRight); return false;
    case WM_MBUTTONDOWN: fireDown(mbMiddle); return false;
    case WM_LBUTTONUP: {
        bool click = leftPressed_;
        leftPressed_ = false;
        if (click && GetCapture() == handle_) ReleaseCapture();
        RECT client;
        GetClientRect(handle_, &client);
        POINT at{x, y};
        HWND window = handle_;
        fireUp(mbLeft);
        // The handler may have deleted the control: look it up again before clicking.
        if (click && PtInRect(&client, at) && FromHandle(window) == this && OnClick) OnClick(this);
        return false;
    }
    case WM_RBUTTONUP: fireUp(mbRight); return false;
    case WM_MBUTTONUP: fireUp(mbMiddle); return false;
    case WM_LBUTTONDBLCLK:
        if (ClicksFromMouse()) {
            extra = ssDouble;
            fireDown(mbLeft);
            if (OnDblClick) OnDblClick(this);
        }
        return false;
    case WM_CAPTURECHANGED:
        leftPressed_ = false;
        return false;
    default:
        return false;
    }
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_) return;
    if (parent == this) throw std::logic_error("A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    ::SetParent(handle_, parent ? parent->Handle() : toolkit::UtilityWindow());
    if (parent) {
        parent->InsertControl(this);
        // The new child goes on top of its siblings; SetParent normally put it there already.
        if (GetWindow(handle_, GW_HWNDPREV))
            SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (parentFont_) TakeParentFont();
        if (parentColor_) ColorChanged();
        RequestRealign();
    }
}

void TControl::TakeParentFont()
{
    if (!parent_) return;
    const TFont& theirs = *parent_->Font();
    if (font_.Name() == theirs.Name() && font_.Size() == theirs.Size() &&
        font_.Color() == theirs.Color() && font_.Style() == theirs.Style())
        return;
    takingParentFont_ = true;
    font_.Assign(*parent_->Font());
    takingParentFont_ = false;
}

void TControl::SetParentFont(bool parentFont)
{
    parentFont_ = parentFont;
    if (parentFont_) TakeParentFont();
}

bool TControl::Visible() const
{
    return handle_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE);
}

void TControl::SetVisible(bool visible)
{
    if (visible == Visible()) return;
    ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    if (parent_ && align_ != alNone) parent_->Realign();
}

bool TControl::Enabled() const
{
    return handle_ && IsWindowEnabled(handle_);
}

void TControl::SetEnabled(bool enabled)
{
    EnableWindow(handle_, enabled);
}

std::string TControl::Caption() const
{
    int length = GetWindowTextLengthA(handle_);
    std::string text(length + 1, '\0');
    length = GetWindowTextA(handle_, &text[0], length + 1);
    text.resize(length);
    return text;
}

void TControl::SetCaption(const std::string& caption)
{
    SetWindowTextA(handle_, caption.c_str());
    TextChanged();
}

void TControl::TextChanged()
{
    if (ownClass_) Invalidate();
}

TColor TControl::Color() const
{
    if (parentColor_ && parent_) return parent_->Color();
    return color_;
}

void TControl::SetColor(TColor color)
{
    parentColor_ = false;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor)
{
    parentColor_ = parentColor;
    ColorChanged();
}

void TControl::FontChanged()
{
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
    Invalidate();
}

void TControl::ColorChanged()
{
    Invalidate();
}

void TControl::BringToFront()
{
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack()
{
    SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

bool TControl::Showing() const
{
    for (HWND w = handle_; w; w = GetParent(w)) {
        LONG style = GetWindowLongA(w, GWL_STYLE);
        if (!(style & WS_VISIBLE)) return false;
        if (!(style & WS_CHILD)) return true;
    }
    return false;
}
