#include "toolkit/ControlColor.h"

#include <map>

namespace toolkit {

LRESULT ControlColor(HDC dc, TColor text, TColor background)
{
    static std::map<COLORREF, HBRUSH> brushes;
    COLORREF back = ColorToRGB(background);
    HBRUSH& brush = brushes[back];
    if (!brush) brush = CreateSolidBrush(back);
    SetTextColor(dc, ColorToRGB(text));
    SetBkColor(dc, back);
    return reinterpret_cast<LRESULT>(brush);
}

}  // namespace toolkit
