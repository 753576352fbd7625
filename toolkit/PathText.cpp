#include "toolkit/PathText.h"

#include <shlwapi.h>

#include <algorithm>
#include <vector>

std::string CompactPathFor(TControl* control, const std::string& path)
{
    std::vector<char> buffer(path.begin(), path.end());
    buffer.resize(path.size() + MAX_PATH, '\0');
    HWND window = control->Handle();
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
    PathCompactPathA(dc, buffer.data(), static_cast<UINT>(std::max(0, control->ClientWidth() - 8)));
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return buffer.data();
}
