// Forms, frames, the application object and the screen.
#pragma once

#include "toolkit/Controls.h"

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 1;
constexpr TBorderIcons biMinimize = 2;
constexpr TBorderIcons biMaximize = 4;

enum TFormStyle { fsNormal, fsStayOnTop };
enum TPosition { poDesigned, poScreenCenter, poMainFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

// A top-level window. Forms start hidden; a form created while there is a main form is
// an owned window of it (it stays above the main form and has no taskbar button).
class TForm : public TCustomControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle style);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    // Applied each time the form is shown.
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    void SetClientWidth(int width);
    void SetClientHeight(int height);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    bool Active() const { return GetActiveWindow() == Handle(); }

    void SetVisible(bool visible) override;
    void Show();
    void Hide() { SetVisible(false); }
    // Shows the form with every other window of the program disabled and runs messages
    // until ModalResult becomes non-zero (Close sets mrCancel); returns ModalResult.
    TModalResult ShowModal();
    // Runs OnClose (default action caHide): caNone keeps the form, caHide hides it,
    // caMinimize minimises it, caFree deletes it later. Closing the main form ends the
    // application; closing a modal form ends ShowModal.
    void Close();
    // Deletes the form from the message loop, after the current message.
    void Release();
    // Fires OnCreate once; Application->CreateForm calls it after construction.
    void DoCreate();
    // Moves the focus to the next (or previous) visible, enabled control with a tab stop,
    // in the order the controls were put into their parents, round the form; true
    // when there was such a control.
    bool SelectNext(bool forward);
    // Tab and Shift+Tab move the focus; Enter and Escape go to the buttons.
    bool DialogKey(WORD key) override;

    TModalResult ModalResult = mrNone;
    // The form's OnKeyDown sees keys of its controls before they do.
    bool KeyPreview = false;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;

protected:
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ApplyStyle();
    void ApplyPosition();
    void CloseModal();

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TFormStyle formStyle_ = fsNormal;
    TPosition position_ = poDesigned;
    bool modal_ = false;
    bool created_ = false;
};

// A child container meant to be put into a form (usually aligned to its client area).
class TFrame : public TCustomControl {
public:
    explicit TFrame(TComponent* owner);
};

// The form a control sits in, or nullptr.
TForm* GetParentForm(TControl* control);

class TApplication : public TComponent {
public:
    TApplication();

    void Initialize();
    // Creates a form owned by the application into reference; the first becomes the
    // main form. OnCreate runs after reference is set.
    template <class T>
    void CreateForm(T*& reference)
    {
        reference = new T(this);
        if (!mainForm_) mainForm_ = reference;
        reference->DoCreate();
    }
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form (when ShowMainForm) and runs messages until Terminated.
    void Run();
    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Handles one message, or waits for one when none is waiting.
    void HandleMessage();
    // Ends Run (and any ShowModal) after the current message.
    void Terminate();
    bool Terminated = false;
    bool ShowMainForm = true;

    // The application window is the main form's window.
    HWND Handle() const;
    // A hook sees every message of the application window before the window does and
    // returns true when it handled it (result is then the answer). Returns the hook's id.
    using TWindowHook = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    int HookMainWindow(TWindowHook hook);
    void UnhookMainWindow(int id);
    // Runs the hooks for a message of window when that is the application window.
    bool RunMainWindowHooks(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Minimize();
    void Restore();
    void BringToFront();

    HICON Icon() const;
    void SetIcon(HICON icon);
    std::string Title;

    // Shows an exception's message in an error box (through the effects seam).
    void ShowException(const std::exception& e);
    // Where exceptions escaping event handlers go: OnException, else ShowException.
    void HandleException(const std::exception& e);
    std::function<void(TObject* sender, const std::exception& e)> OnException;

private:
    friend class TForm;
    bool ProcessMessage();
    // Tab, Enter and Escape for the form of the control they are meant for, unless that
    // control wants them itself; true when the form used the key.
    static bool IsDialogKey(const MSG& msg);

    TForm* mainForm_ = nullptr;
    HICON icon_ = nullptr;
    bool minimizedWhileHidden_ = false;
    bool showingException_ = false;
    std::vector<std::pair<int, TWindowHook>> hooks_;
    int lastHookId_ = 0;
};

extern TApplication* Application;

class TScreen {
public:
    // A cursor for the whole program (crHourGlass while busy); crDefault gives the
    // controls their own cursors back.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

    // The forms of the program, oldest first.
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TForm* Forms(int index) const { return forms_.at(index); }
    // Told of a form once its constructor has returned (at the first pass of the message
    // loop after it, so the form is complete) and again when its destruction begins.
    std::function<void(TForm* form, TOperation operation)> OnFormChange;

private:
    friend class TForm;
    TCursor cursor_ = crDefault;
    std::vector<TForm*> forms_;
};

extern TScreen* Screen;

// Shows the hourglass while a long list fills and gives the previous cursor back however
// the filling ends.
class HourGlass {
public:
    HourGlass() : previous_(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
    ~HourGlass() { Screen->SetCursor(previous_); }
    HourGlass(const HourGlass&) = delete;
    HourGlass& operator=(const HourGlass&) = delete;

private:
    TCursor previous_;
};
