#include "toolkit/Forms.h"

#include "common/PathFacts.h"
#include "toolkit/Effects.h"
#include "toolkit/Menus.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Posted to a form by Release; registered so it cannot clash with a form's own messages.
UINT ReleaseMessage()
{
    static UINT message = RegisterWindowMessageA("TidewrackReleaseForm");
    return message;
}

// Posted by a form to itself when it is made: handled once its constructor has returned.
UINT CreatedMessage()
{
    static UINT message = RegisterWindowMessageA("TidewrackFormCreated");
    return message;
}

struct StyleBits {
    DWORD style;
    DWORD exStyle;
};

StyleBits StyleFor(TFormBorderStyle border, TBorderIcons icons)
{
    DWORD iconBits = 0;
    if (icons & biSystemMenu) {
        iconBits |= WS_SYSMENU;
        if (icons & biMinimize) iconBits |= WS_MINIMIZEBOX;
        if (icons & biMaximize) iconBits |= WS_MAXIMIZEBOX;
    }
    switch (border) {
    case bsNone: return {WS_POPUP, 0};
    case bsSingle: return {WS_CAPTION | iconBits, 0};
    case bsSizeable: return {WS_CAPTION | WS_THICKFRAME | iconBits, 0};
    case bsDialog:
        return {WS_POPUP | WS_CAPTION | (iconBits & WS_SYSMENU), WS_EX_DLGMODALFRAME};
    case bsToolWindow: return {WS_CAPTION | (iconBits & WS_SYSMENU), WS_EX_TOOLWINDOW};
    case bsSizeToolWin:
        return {WS_CAPTION | WS_THICKFRAME | (iconBits & WS_SYSMENU), WS_EX_TOOLWINDOW};
    }
    return {WS_POPUP, 0};
}

}  // namespace

TApplication* Application = new TApplication;
TScreen* Screen = new TScreen;

// --- TForm -----------------------------------------------------------------------------

TForm::TForm(TComponent* owner) : TCustomControl(owner)
{
    StyleBits bits = StyleFor(borderStyle_, borderIcons_);
    HWND ownerWindow = Application->MainForm() ? Application->MainForm()->Handle() : nullptr;
    CreateHandle(nullptr, bits.style | WS_CLIPCHILDREN, bits.exStyle, ownerWindow);
    SetBounds(0, 0, 320, 240);
    HICON icon = Application->Icon();
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    Screen->forms_.push_back(this);
    PostMessageA(Handle(), CreatedMessage(), 0, 0);
}

TForm::~TForm()
{
    BeginDestroy();
    if (Application->mainForm_ == this) Application->mainForm_ = nullptr;
    auto& forms = Screen->forms_;
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Screen->OnFormChange) Screen->OnFormChange(this, opRemove);
}

void TForm::DoCreate()
{
    if (created_) return;
    created_ = true;
    if (OnCreate) OnCreate(this);
}

void TForm::ApplyStyle()
{
    StyleBits bits = StyleFor(borderStyle_, borderIcons_);
    const DWORD managed = WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX |
                          WS_MAXIMIZEBOX | WS_BORDER | WS_DLGFRAME;
    const DWORD managedEx = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW;
    DWORD style = (GetWindowLongA(Handle(), GWL_STYLE) & ~managed) | bits.style;
    DWORD exStyle = (GetWindowLongA(Handle(), GWL_EXSTYLE) & ~managedEx) | bits.exStyle;
    SetWindowLongA(Handle(), GWL_STYLE, static_cast<LONG>(style));
    SetWindowLongA(Handle(), GWL_EXSTYLE, static_cast<LONG>(exStyle));
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    borderStyle_ = style;
    ApplyStyle();
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    borderIcons_ = icons;
    ApplyStyle();
}

void TForm::SetFormStyle(TFormStyle style)
{
    formStyle_ = style;
    SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetClientWidth(int width)
{
    RECT r{0, 0, width, ClientHeight()};
    AdjustWindowRectEx(&r, GetWindowLongA(Handle(), GWL_STYLE), FALSE,
                       GetWindowLongA(Handle(), GWL_EXSTYLE));
    SetWidth(r.right - r.left);
}

void TForm::SetClientHeight(int height)
{
    RECT r{0, 0, ClientWidth(), height};
    AdjustWindowRectEx(&r, GetWindowLongA(Handle(), GWL_STYLE), FALSE,
                       GetWindowLongA(Handle(), GWL_EXSTYLE));
    SetHeight(r.bottom - r.top);
}

TWindowState TForm::WindowState() const
{
    if (IsIconic(Handle())) return wsMinimized;
    if (IsZoomed(Handle())) return wsMaximized;
    return wsNormal;
}

void TForm::SetWindowState(TWindowState state)
{
    if (!Visible()) return;
    ShowWindow(Handle(), state == wsMinimized ? SW_MINIMIZE
                         : state == wsMaximized ? SW_MAXIMIZE
                                                : SW_RESTORE);
}

void TForm::ApplyPosition()
{
    TRect r = BoundsRect();
    RECT area;
    if (position_ == poScreenCenter) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    } else if (position_ == poMainFormCenter && Application->MainForm() &&
               Application->MainForm() != this) {
        GetWindowRect(Application->MainForm()->Handle(), &area);
    } else {
        return;
    }
    int left = area.left + (area.right - area.left - r.Width()) / 2;
    int top = area.top + (area.bottom - area.top - r.Height()) / 2;
    SetBounds(left, top, r.Width(), r.Height());
}

void TForm::SetVisible(bool visible)
{
    if (visible == Visible()) return;
    if (visible) {
        ApplyPosition();
        ShowWindow(Handle(), SW_SHOW);
        if (formStyle_ == fsStayOnTop)
            SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else {
        ShowWindow(Handle(), SW_HIDE);
    }
}

void TForm::Show()
{
    SetVisible(true);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

struct DisableContext {
    HWND keep;
    std::vector<HWND> disabled;
};

BOOL CALLBACK DisableOthers(HWND window, LPARAM param)
{
    auto* context = reinterpret_cast<DisableContext*>(param);
    if (window != context->keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        context->disabled.push_back(window);
    }
    return TRUE;
}

}  // namespace

TModalResult TForm::ShowModal()
{
    if (Visible() || modal_) throw std::logic_error("Cannot make a visible window modal");
    if (GetCapture()) ReleaseCapture();
    HWND previous = GetActiveWindow();
    DisableContext context{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableOthers, reinterpret_cast<LPARAM>(&context));
    modal_ = true;
    ModalResult = mrNone;
    HWND self = Handle();
    try {
        Show();
        SetForegroundWindow(self);
        while (ModalResult == mrNone) {
            Application->HandleMessage();
            if (Application->Terminated)
                ModalResult = mrCancel;
            else if (ModalResult != mrNone)
                CloseModal();
        }
    } catch (...) {
        for (HWND w : context.disabled)
            if (IsWindow(w)) EnableWindow(w, TRUE);
        modal_ = false;
        throw;
    }
    for (HWND w : context.disabled)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    modal_ = false;
    SetVisible(false);
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    return ModalResult;
}

void TForm::CloseModal()
{
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone)
        ModalResult = mrNone;
    else if (action == caFree)
        Release();
}

void TForm::Close()
{
    if (modal_) {
        ModalResult = mrCancel;
        return;
    }
    TCloseAction action = caHide;
    if (OnClose) OnClose(this, action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

namespace {

void CollectTabStops(TWinControl* parent, std::vector<TWinControl*>& stops)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(parent->Controls(i));
        if (!control || !control->Visible() || !control->Enabled()) continue;
        if (GetWindowLongA(control->Handle(), GWL_STYLE) & WS_TABSTOP) stops.push_back(control);
        CollectTabStops(control, stops);
    }
}

}  // namespace

bool TForm::SelectNext(bool forward)
{
    std::vector<TWinControl*> stops;
    CollectTabStops(this, stops);
    if (stops.empty()) return false;
    int count = static_cast<int>(stops.size());
    // The innermost stop that holds the focus (it may sit in a window inside the control).
    HWND focus = GetFocus();
    int current = -1;
    for (int i = 0; i < count; ++i)
        if (stops[i]->Handle() == focus || IsChild(stops[i]->Handle(), focus)) current = i;
    int next = current < 0 ? (forward ? 0 : count - 1) : (current + (forward ? 1 : count - 1)) % count;
    TWinControl* target = stops[next];
    target->SetFocus();
    // Like a dialog, a text field entered with Tab has its text selected.
    if (SendMessageA(target->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageA(target->Handle(), EM_SETSEL, 0, -1);
    return true;
}

bool TForm::DialogKey(WORD key)
{
    if (key == VK_TAB) return SelectNext(GetKeyState(VK_SHIFT) >= 0);
    return TCustomControl::DialogKey(key);
}

void TForm::Release()
{
    PostMessageA(Handle(), ReleaseMessage(), 0, 0);
}

bool TForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == ReleaseMessage()) {
        delete this;
        return true;
    }
    if (msg == CreatedMessage()) {
        if (Screen->OnFormChange) Screen->OnFormChange(this, opInsert);
        return true;
    }
    if (toolkit::MainMenuMessage(Handle(), msg, wParam, lParam)) {
        result = 0;
        return true;
    }
    switch (msg) {
    case WM_CLOSE:
        Close();
        return true;
    case WM_SHOWWINDOW:
        if (wParam && OnShow) OnShow(this);
        if (!wParam && OnHide) OnHide(this);
        return false;
    default:
        return TCustomControl::WndProc(msg, wParam, lParam, result);
    }
}

// --- TFrame ----------------------------------------------------------------------------

TFrame::TFrame(TComponent* owner) : TCustomControl(owner)
{
    SetParentColor(true);
    CreateHandle(nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    SetBounds(0, 0, 320, 240);
}

TForm* GetParentForm(TControl* control)
{
    while (control && control->Parent()) control = control->Parent();
    return dynamic_cast<TForm*>(control);
}

// --- TApplication ----------------------------------------------------------------------

TApplication::TApplication() : TComponent(nullptr)
{
    std::string name = common::OwnExecutable();
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    Title = name;
}

void TApplication::Initialize()
{
    toolkit::Initialize();
}

HICON TApplication::Icon() const
{
    if (!icon_) {
        // The program's own icon is resource 1; a program without one gets the system's.
        HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
        const_cast<TApplication*>(this)->icon_ = icon ? icon : LoadIconA(nullptr, IDI_APPLICATION);
    }
    return icon_;
}

void TApplication::SetIcon(HICON icon)
{
    icon_ = icon;
    if (mainForm_) {
        SendMessageA(mainForm_->Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(mainForm_->Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

bool TApplication::ProcessMessage()
{
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        Terminated = true;
        return true;
    }
    if (IsDialogKey(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

bool TApplication::IsDialogKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN) return false;
    WPARAM key = msg.wParam;
    if (key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE) return false;
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    TControl* control = nullptr;
    for (HWND w = msg.hwnd; w && !control;
         w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
        control = TControl::FromHandle(w);
    TForm* form = GetParentForm(control);
    if (!form || !form->Enabled()) return false;
    // A multi-line text field keeps Enter, an open drop-down list Enter and Escape, ...
    UINT wanted = key == VK_TAB ? DLGC_WANTTAB : DLGC_WANTALLKEYS;
    LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg));
    if (code & (wanted | DLGC_WANTMESSAGE)) return false;
    bool used = true;  // also when a button's handler failed: the key did its work
    toolkit::Guarded([&] { used = form->DialogKey(static_cast<WORD>(key)); });
    return used;
}

void TApplication::ProcessMessages()
{
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage()) WaitMessage();
}

void TApplication::Run()
{
    if (!mainForm_) return;
    if (ShowMainForm && !Terminated) {
        mainForm_->Show();
        if (minimizedWhileHidden_) Minimize();
    }
    while (!Terminated) HandleMessage();
}

void TApplication::Terminate()
{
    Terminated = true;
    // Wakes a loop that waits for messages.
    PostQuitMessage(0);
}

HWND TApplication::Handle() const
{
    return mainForm_ ? mainForm_->Handle() : nullptr;
}

int TApplication::HookMainWindow(TWindowHook hook)
{
    hooks_.emplace_back(++lastHookId_, std::move(hook));
    return lastHookId_;
}

void TApplication::UnhookMainWindow(int id)
{
    hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(), [id](const auto& h) { return h.first == id; }),
                 hooks_.end());
}

bool TApplication::RunMainWindowHooks(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (hooks_.empty() || window != Handle()) return false;
    // A copy: a hook may hook or unhook.
    const auto hooks = hooks_;
    for (const auto& hook : hooks)
        if (hook.second(msg, wParam, lParam, result)) return true;
    return false;
}

void TApplication::Minimize()
{
    if (!mainForm_) return;
    // Minimising a hidden window would show it; remember the wish for the next show.
    if (!mainForm_->Visible()) {
        minimizedWhileHidden_ = true;
        return;
    }
    ShowWindow(mainForm_->Handle(), SW_MINIMIZE);
}

void TApplication::Restore()
{
    minimizedWhileHidden_ = false;
    if (mainForm_ && IsIconic(mainForm_->Handle())) ShowWindow(mainForm_->Handle(), SW_RESTORE);
}

void TApplication::BringToFront()
{
    if (mainForm_ && mainForm_->Visible()) SetForegroundWindow(mainForm_->Handle());
}

void TApplication::ShowException(const std::exception& e)
{
    std::string message = e.what();
    if (!message.empty() && message.back() != '.') message += '.';
    effects::ShowMessageBox(GetActiveWindow(), message, Title, MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(const std::exception& e)
{
    // An exception while an exception is being shown is dropped, not looped.
    if (showingException_) return;
    showingException_ = true;
    try {
        if (OnException)
            OnException(this, e);
        else
            ShowException(e);
    } catch (...) {
    }
    showingException_ = false;
}

// --- TScreen ---------------------------------------------------------------------------

void TScreen::SetCursor(TCursor cursor)
{
    cursor_ = cursor;
    ::SetCursor(CursorHandle(cursor == crDefault ? crArrow : cursor));
}
