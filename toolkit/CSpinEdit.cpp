#include "toolkit/CSpinEdit.h"

#include <commctrl.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

TCSpinEdit::TCSpinEdit(TComponent* owner) : TEdit(owner, ES_AUTOHSCROLL | WS_CLIPCHILDREN)
{
    // The arrows live inside the edit, so they move, show and go with it. Their own
    // position is never used: each press steps the value here.
    arrows_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(),
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    // A position far from both ends, so that the arrows never stop at a limit.
    SendMessageA(arrows_, UDM_SETRANGE32, -1000, 1000);
    SendMessageA(arrows_, UDM_SETPOS32, 0, 0);
    SetBounds(0, 0, 121, 22);
    SetValue(0);
}

int TCSpinEdit::Clamp(long long value) const
{
    if (maxValue_ != minValue_) {
        if (value < minValue_) value = minValue_;
        if (value > maxValue_) value = maxValue_;
    }
    if (value < INT_MIN) value = INT_MIN;
    if (value > INT_MAX) value = INT_MAX;
    return static_cast<int>(value);
}

int TCSpinEdit::Value() const
{
    std::string text = Text();
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(start, &end, 10);
    while (end && *end == ' ') ++end;
    if (end == start || !end || *end || errno == ERANGE) return Clamp(minValue_);
    return Clamp(value);
}

void TCSpinEdit::SetValue(int value)
{
    SetText(std::to_string(Clamp(value)));
}

void TCSpinEdit::Step(int direction)
{
    if (ReadOnly()) return;
    SetValue(Clamp(static_cast<long long>(Value()) + static_cast<long long>(direction) * increment_));
    SelectAll();
}

void TCSpinEdit::PlaceArrows()
{
    RECT client;
    GetClientRect(Handle(), &client);
    int width = GetSystemMetrics(SM_CXVSCROLL);
    SetWindowPos(arrows_, nullptr, client.right - width, 0, width, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, width));
}

bool TCSpinEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_SIZE:
        PlaceArrows();
        break;
    case WM_ENABLE:
        // A child window keeps its own state: the arrows go grey with the field.
        EnableWindow(arrows_, wParam != FALSE);
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom != arrows_ || header->code != static_cast<UINT>(UDN_DELTAPOS)) break;
        int delta = reinterpret_cast<NMUPDOWN*>(lParam)->iDelta;
        Step(delta > 0 ? 1 : -1);
        result = 1;  // keeps the arrows' own position
        return true;
    }
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) != arrows_) break;
        result = 0;
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN) {
            WORD key = static_cast<WORD>(wParam);
            if (DoKeyDown(key) && (key == VK_UP || key == VK_DOWN)) Step(key == VK_UP ? 1 : -1);
            return true;
        }
        break;
    case WM_CHAR: {
        // Only what a number is made of; control characters (Backspace, Ctrl+V) pass.
        char c = static_cast<char>(wParam);
        if (static_cast<unsigned char>(c) >= 32 && !(c >= '0' && c <= '9') && c != '-' && c != '+') {
            MessageBeep(0);
            return true;
        }
        break;
    }
    case WM_KILLFOCUS:
        if (Text() != std::to_string(Value())) SetValue(Value());
        break;
    default:
        break;
    }
    return TEdit::WndProc(msg, wParam, lParam, result);
}
