#include "toolkit/Controls.h"

#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
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

void TControl::PaintWindow()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    RECT client;
    GetClientRect(handle_, &client);
    if (client.right > 0 && client.bottom > 0) {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
        HGDIOBJ old = SelectObject(memory, bitmap);
        Paint(memory, TRect(client));
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(handle_, &ps);
}

void TControl::Paint(HDC dc, const TRect& client)
{
    HBRUSH brush = CreateSolidBrush(ColorToRGB(Color()));
    RECT r = client;
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void TControl::PaintParentBackground(HDC dc)
{
    RECT client;
    GetClientRect(handle_, &client);
    TColor background = parent_ ? parent_->Color() : Color();
    HBRUSH brush = CreateSolidBrush(ColorToRGB(background));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    if (!parent_) return;
    // Siblings below this one in the z-order, bottom first.
    std::vector<TControl*> below;
    for (HWND w = GetWindow(handle_, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        TControl* sibling = FromHandle(w);
        if (sibling && sibling->parent_ == parent_ && sibling->Visible()) below.push_back(sibling);
    }
    TRect mine = BoundsRect();
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        TRect theirs = (*it)->BoundsRect();
        RECT a = mine, b = theirs, overlap;
        if (!IntersectRect(&overlap, &a, &b)) continue;
        POINT oldOrigin;
        SetViewportOrgEx(dc, theirs.Left - mine.Left, theirs.Top - mine.Top, &oldOrigin);
        (*it)->PaintUnder(dc);
        SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
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

TRect TControl::BoundsRect() const
{
    if (!handle_) return TRect();
    RECT r;
    if (!(GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) && IsIconic(handle_)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(handle_, &placement);
        return TRect(placement.rcNormalPosition);
    }
    GetWindowRect(handle_, &r);
    if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    return TRect(r);
}

TRect TControl::ClientRect() const
{
    RECT r{};
    if (handle_) GetClientRect(handle_, &r);
    return TRect(r);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    MoveWindowTo(TRect(left, top, left + std::max(width, 0), top + std::max(height, 0)));
    RequestRealign();
}

void TControl::SetBoundsFromAlign(const TRect& rect)
{
    MoveWindowTo(TRect(rect.Left, rect.Top, rect.Left + std::max(rect.Width(), 0),
                       rect.Top + std::max(rect.Height(), 0)));
}

void TControl::MoveWindowTo(const TRect& rect)
{
    // A child already in place is left alone: each SetWindowPos is a round trip to the
    // Wine server and a handful of messages, and lining up a parent's controls again
    // mostly puts them where they are. (A form is always moved: a minimised one reports
    // its restored place.)
    if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) {
        TRect now = BoundsRect();
        if (now.Left == rect.Left && now.Top == rect.Top && now.Right == rect.Right &&
            now.Bottom == rect.Bottom)
            return;
    }
    SetWindowPos(handle_, nullptr, rect.Left, rect.Top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TControl::SetLeft(int left)
{
    TRect r = BoundsRect();
    SetBounds(left, r.Top, r.Width(), r.Height());
}

void TControl::SetTop(int top)
{
    TRect r = BoundsRect();
    SetBounds(r.Left, top, r.Width(), r.Height());
}

void TControl::SetWidth(int width)
{
    TRect r = BoundsRect();
    SetBounds(r.Left, r.Top, width, r.Height());
}

void TControl::SetHeight(int height)
{
    TRect r = BoundsRect();
    SetBounds(r.Left, r.Top, r.Width(), height);
}

void TControl::SetAlign(TAlign align)
{
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->Realign();
}

void TControl::RequestRealign()
{
    if (parent_ && align_ != alNone && !parent_->aligning_) parent_->Realign();
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

void TControl::Invalidate()
{
    // A window that does not show has nothing to repaint, and it is painted whole when it
    // comes to show. Skipping it keeps a form that is being built from paying a round
    // trip to the Wine server for every change of every control.
    if (!handle_ || !Showing()) return;
    InvalidateRect(handle_, nullptr, TRUE);
    if (!parent_) return;
    // Transparent siblings above this control show it as their background. Walking the
    // z-order costs a server round trip per window, so first see whether any overlap.
    TRect mine = BoundsRect();
    auto overlaps = [&mine](TControl* other) {
        RECT a = mine, b = other->BoundsRect(), overlap;
        return IntersectRect(&overlap, &a, &b) != FALSE;
    };
    bool anyAbove = false;
    for (TControl* sibling : parent_->controls_)
        if (sibling != this && sibling->IsTransparent() && overlaps(sibling)) anyAbove = true;
    if (!anyAbove) return;
    for (HWND w = GetWindow(handle_, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        TControl* sibling = FromHandle(w);
        if (sibling && sibling->IsTransparent() && overlaps(sibling)) InvalidateRect(w, nullptr, TRUE);
    }
}

void TControl::Repaint()
{
    Invalidate();
    if (handle_) UpdateWindow(handle_);
}

// --- TWinControl -----------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl()
{
    BeginDestroy();
    // Owned components first: a form's windows may be owned windows of this one, which
    // Windows would destroy under their objects.
    DestroyComponents();
    // Child controls go with their parent, whoever owns them.
    while (!controls_.empty()) delete controls_.back();
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
}

void TWinControl::RemoveControl(TControl* control)
{
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it != controls_.end()) controls_.erase(it);
    if (!Destroying() && control->Align() != alNone) Realign();
}

void TWinControl::Realign()
{
    if (aligning_ || Destroying() || !Handle()) return;
    aligning_ = true;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(rect);
    aligning_ = false;
}

void TWinControl::AlignControls(TRect& rect)
{
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> group;
        for (TControl* c : controls_)
            if (c->Align() == align && c->Visible()) group.push_back(c);
        // Controls of one kind stack in the order of their present positions.
        std::stable_sort(group.begin(), group.end(), [align](TControl* a, TControl* b) {
            TRect ra = a->BoundsRect(), rb = b->BoundsRect();
            switch (align) {
            case alTop: return ra.Top < rb.Top;
            case alBottom: return ra.Bottom > rb.Bottom;
            case alLeft: return ra.Left < rb.Left;
            case alRight: return ra.Right > rb.Right;
            default: return false;
            }
        });
        for (TControl* c : group) {
            int w = c->Width(), h = c->Height();
            switch (align) {
            case alTop:
                c->SetBoundsFromAlign(TRect(rect.Left, rect.Top, rect.Right, rect.Top + h));
                rect.Top += h;
                break;
            case alBottom:
                c->SetBoundsFromAlign(TRect(rect.Left, rect.Bottom - h, rect.Right, rect.Bottom));
                rect.Bottom -= h;
                break;
            case alLeft:
                c->SetBoundsFromAlign(TRect(rect.Left, rect.Top, rect.Left + w, rect.Bottom));
                rect.Left += w;
                break;
            case alRight:
                c->SetBoundsFromAlign(TRect(rect.Right - w, rect.Top, rect.Right, rect.Bottom));
                rect.Right -= w;
                break;
            default:
                c->SetBoundsFromAlign(rect);
                break;
            }
        }
    }
}

void TWinControl::SetFocus()
{
    ::SetFocus(Handle());
}

bool TWinControl::Focused() const
{
    return Handle() && GetFocus() == Handle();
}

void TWinControl::FontChanged()
{
    TControl::FontChanged();
    for (TControl* c : controls_)
        if (c->ParentFont()) c->TakeParentFont();
}

void TWinControl::ColorChanged()
{
    TControl::ColorChanged();
    for (TControl* c : controls_)
        if (c->ParentColor()) c->ColorChanged();
}

bool TWinControl::DoKeyDown(WORD& key)
{
    TShiftState shift = CurrentShiftState();
    TForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview && form->OnKeyDown) form->OnKeyDown(form, key, shift);
    if (key && OnKeyDown) OnKeyDown(this, key, shift);
    return key != 0;
}

bool TWinControl::DialogKey(WORD key)
{
    for (TControl* control : controls_) {
        auto* child = dynamic_cast<TWinControl*>(control);
        // The control that takes the key may close the form: nothing here is touched after.
        if (child && child->Visible() && child->Enabled() && child->DialogKey(key)) return true;
    }
    return false;
}

bool TWinControl::AcceptFiles() const
{
    return (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
}

void TWinControl::SetAcceptFiles(bool accept)
{
    DragAcceptFiles(Handle(), accept);
}

bool TWinControl::KeyPress(WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    char key = static_cast<char>(wParam);
    TForm* form = GetParentForm(this);
    bool preview = form && form != this && form->KeyPreview && form->OnKeyPress;
    if (!preview && !OnKeyPress) return false;
    HWND window = Handle();
    if (preview) form->OnKeyPress(form, key);
    if (key && OnKeyPress) OnKeyPress(this, key);
    if (!key || !IsWindow(window) || FromHandle(window) != this) return true;
    if (key == static_cast<char>(wParam)) return false;
    result = DefaultHandler(WM_CHAR, static_cast<unsigned char>(key), lParam);
    return true;
}

namespace {

// The paths of a drop from the shell; frees the drop.
std::vector<std::string> DroppedFiles(HDROP drop)
{
    std::vector<std::string> paths;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        path.resize(DragQueryFileA(drop, i, &path[0], length + 1));
        paths.push_back(path);
    }
    DragFinish(drop);
    return paths;
}

}  // namespace

bool TWinControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_CHAR:
        return KeyPress(wParam, lParam, result);
    case WM_DROPFILES: {
        std::vector<std::string> paths = DroppedFiles(reinterpret_cast<HDROP>(wParam));
        if (OnDropFiles) OnDropFiles(this, paths);
        result = 0;
        return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        WORD key = static_cast<WORD>(wParam);
        HWND window = Handle();
        if (!DoKeyDown(key)) return true;
        if (!IsWindow(window) || FromHandle(window) != this) return true;
        if (key != wParam) {
            result = DefaultHandler(msg, key, lParam);
            return true;
        }
        return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        WORD key = static_cast<WORD>(wParam);
        if (OnKeyUp) OnKeyUp(this, key, CurrentShiftState());
        return key == 0;
    }
    default:
        return TControl::WndProc(msg, wParam, lParam, result);
    }
}

void TRedrawHold::Begin(HWND window)
{
    if (count_++ == 0) SendMessageA(window, WM_SETREDRAW, FALSE, 0);
}

void TRedrawHold::End(HWND window)
{
    if (count_ > 0 && --count_ == 0) {
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    }
}
