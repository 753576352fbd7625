#include "toolkit/ToolTip.h"

#include <commctrl.h>

namespace {

// The first tool-info layout, which every version of the common controls accepts.
TOOLINFOA ToolOf(TWinControl* control)
{
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control->Handle());
    tool.uId = reinterpret_cast<UINT_PTR>(control->Handle());
    return tool;
}

} // namespace

TToolTip::~TToolTip()
{
    // The window goes with its owner form when that goes first.
    if (handle_ && IsWindow(handle_))
        DestroyWindow(handle_);
}

void TToolTip::AddHint(TWinControl* control, const std::string& text)
{
    if (!handle_)
        handle_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  GetAncestor(control->Handle(), GA_ROOT), nullptr, GetModuleHandleA(nullptr),
                                  nullptr);
    TOOLINFOA tool = ToolOf(control);
    tool.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(handle_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string TToolTip::Hint(TWinControl* control) const
{
    char text[256] = "";
    TOOLINFOA tool = ToolOf(control);
    tool.lpszText = text;
    if (handle_)
        SendMessageA(handle_, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}
