// toolkit/: the thin class library over Win32, one class per control or object.
// The control classes: TControl (one window and its bounds, look and mouse events),
// TWinControl (a control that holds child controls and lines them up by Align) and
// TCustomControl (a container window of the toolkit's own class that paints itself).
//
// Every control owns exactly one window, made in its constructor. Until a control gets
// a parent it lives hidden under the toolkit's utility window. Messages reach the C++
// object through one shared window procedure (the toolkit's own window class) or a
// subclass procedure (standard controls). WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and
// WM_CTLCOLOR* that a control sends to whatever window is its parent are handed back to
// the sending control's object. No C++ exception crosses a window procedure: one that
// escapes an event handler goes to Application->HandleException.
#pragma once

#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"

#include <functional>
#include <string>
#include <vector>

class TWinControl;
class TPopupMenu;

// Sent to each child window of a control whose colour changed: children that show their
// parent's colour round their edges paint again.
constexpr UINT CM_PARENTCOLORCHANGED = 0xB009;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    HWND Handle() const { return handle_; }
    static TControl* FromHandle(HWND window);

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    // Bounds relative to the parent's client area (screen coordinates for a form).
    int Left() const { return BoundsRect().Left; }
    int Top() const { return BoundsRect().Top; }
    int Width() const { return BoundsRect().Width(); }
    int Height() const { return BoundsRect().Height(); }
    void SetLeft(int left);
    void SetTop(int top);
    void SetWidth(int width);
    void SetHeight(int height);
    void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const;
    TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    // The control's own visibility flag; it shows only while its parents show too.
    bool Visible() const;
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const;
    void SetEnabled(bool enabled);

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    std::string Text() const { return Caption(); }
    void SetText(const std::string& text) { SetCaption(text); }

    // Changing the font makes it the control's own; until then it follows the parent's.
    TFont* Font() { return &font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    // The background colour; with ParentColor the parent's colour is used.
    TColor Color() const;
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    // Shown at the mouse on a right click (or the context-menu key).
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

    void BringToFront();
    void SendToBack();
    void Invalidate();
    void Repaint();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // A window's own message map: sees every message before the control's default
    // handling. Return true when handled; result is then the message's answer.
    virtual bool MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // Makes the control's window. className nullptr makes a window of the toolkit's own
    // class; any other class is a standard control, subclassed. owner is used for
    // top-level windows (no WS_CHILD); children start under the utility window.
    void CreateHandle(const char* className, DWORD style, DWORD exStyle, HWND owner = nullptr);
    // Destroys the window now (derived destructors call it before freeing what the
    // window's messages use). Safe to call twice.
    void DestroyHandle();
    // Makes the window again with other style bits, for those a standard control reads
    // only when it is made. Keeps parent, bounds, z-order, visibility, focus, font and
    // colour; the control puts back its own content. Not for controls with children.
    void RecreateHandle(DWORD style, DWORD exStyle);

    // The control's own handling after MessageMap; return true when handled.
    virtual bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // A WM_COMMAND, WM_NOTIFY, WM_DRAWITEM or WM_CTLCOLOR* that this control sent to
    // its parent, handed back to it.
    virtual bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The window procedure's default for a message nobody handled.
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);

    // Painting of toolkit-class windows (into an off-screen bitmap, so without flicker).
    virtual void Paint(HDC dc, const TRect& client);
    // What a transparent control above this one shows of it (a picture); default nothing.
    virtual void PaintUnder(HDC dc) { (void)dc; }
    // Fills dc (this control's client coordinates) with what lies under the control:
    // the parent's colour and the pictures of siblings below it.
    void PaintParentBackground(HDC dc);
    // True for controls that let siblings below show through them.
    virtual bool IsTransparent() const { return false; }
    // A toolkit-class control turns left-button press and release into OnClick.
    virtual bool ClicksFromMouse() const { return ownClass_; }

    virtual void FontChanged();
    virtual void ColorChanged();
    // After SetCaption changed the window text.
    virtual void TextChanged();
    // Lets the parent line up its aligned controls again after a change of this one.
    void RequestRealign();
    bool Firing() const { return !Destroying() && handle_; }
    bool OwnClass() const { return ownClass_; }

private:
    friend class TWinControl;
    friend LRESULT CALLBACK ToolkitWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ToolkitSubclassProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ToolkitUtilityProc(HWND, UINT, WPARAM, LPARAM);

    LRESULT Dispatch(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window);
    void Detach();
    bool HandleMouse(UINT msg, LPARAM lParam);
    // Hands a parent notification to the control that sent it (unless that is receiver).
    static bool ReflectToSender(TControl* receiver, UINT msg, WPARAM wParam, LPARAM lParam,
                                LRESULT& result);
    void PaintWindow();
    void SetBoundsFromAlign(const TRect& rect);
    // SetWindowPos unless the window is there already.
    void MoveWindowTo(const TRect& rect);
    // The window and all its parents are visible.
    bool Showing() const;
    void TakeParentFont();

    HWND handle_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    bool ownClass_ = false;
    TWinControl* parent_ = nullptr;
    TAlign align_ = alNone;
    TFont font_;
    bool parentFont_ = true;
    bool takingParentFont_ = false;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TCursor cursor_ = crDefault;
    TPopupMenu* popupMenu_ = nullptr;
    bool trackingLeave_ = false;
    bool leftPressed_ = false;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(index); }

    // Lines up the aligned child controls in the client area.
    void Realign();
    void SetFocus();
    bool Focused() const;

    // Key events; a handler may set key to 0 to keep the key from the control.
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    // A typed character; a handler may change it or set it to 0 to drop it.
    TKeyPressEvent OnKeyPress;

    // A dialog key (Tab, Enter or Escape) that the focused control of a form did not
    // want, offered to the form's controls; true when one took it. By default the key
    // goes on to the visible, enabled child controls.
    virtual bool DialogKey(WORD key);

    // With AcceptFiles, files dropped from the shell onto the control reach OnDropFiles.
    bool AcceptFiles() const;
    void SetAcceptFiles(bool accept);
    TDropFilesEvent OnDropFiles;

protected:
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Places the aligned controls inside rect, taking the space each one uses from it.
    virtual void AlignControls(TRect& rect);
    // The part of the client area that aligned controls may use (borders taken off).
    virtual void AdjustClientRect(TRect& rect) { (void)rect; }
    void FontChanged() override;
    void ColorChanged() override;
    // Runs the key preview of the form and then OnKeyDown; false when the key was eaten.
    bool DoKeyDown(WORD& key);
    // Runs the key preview of the form and then OnKeyPress; true when the character
    // was handled (eaten or passed on changed).
    bool KeyPress(WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);

    std::vector<TControl*> controls_;
    bool aligning_ = false;
};

// A container window of the toolkit's own class (panel, form, frame, tab sheet).
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
};

// The toolkit's hidden utility window and timers.
// Counts nested BeginUpdate/EndUpdate calls on a list control: the first stops its
// redrawing, the last lets it redraw again and repaints it once.
class TRedrawHold {
public:
    void Begin(HWND window);
    void End(HWND window);

private:
    int count_ = 0;
};

namespace toolkit {
// Registers the window class and loads the common controls; called on first use.
void Initialize();
// A hidden top-level window of this thread: parent of unparented controls, target of
// timers and owner of popup menus.
HWND UtilityWindow();
// Calls callback every interval milliseconds from the message loop; returns the id.
UINT_PTR StartTimer(UINT interval, std::function<void()> callback);
void StopTimer(UINT_PTR id);
// Runs fn; an exception that escapes it goes to Application->HandleException.
void Guarded(const std::function<void()>& fn);
}  // namespace toolkit
