// A control with children: it owns and destroys them, passes its font and colour on,
// and turns keys and files dropped from the shell into its events.
#include "toolkit/Controls.h"

#include "toolkit/Forms.h"

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

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
    for (TControl* c : controls_) {
        if (c->ParentColor()) c->ColorChanged();
        SendMessageA(c->Handle(), CM_PARENTCOLORCHANGED, 0, 0);
    }
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
