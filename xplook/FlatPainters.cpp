#include "xplook/FlatPainters.h"

namespace xplook {

namespace {

// Selects a solid pen and brush (nullptr colour: hollow brush) for its lifetime.
class PenAndBrush {
public:
    PenAndBrush(HDC dc, COLORREF pen, const COLORREF* brush)
        : dc_(dc), pen_(CreatePen(PS_SOLID, 1, pen)),
          brush_(brush ? CreateSolidBrush(*brush) : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))),
          ownBrush_(brush != nullptr)
    {
        oldPen_ = SelectObject(dc_, pen_);
        oldBrush_ = SelectObject(dc_, brush_);
    }
    ~PenAndBrush()
    {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        DeleteObject(pen_);
        if (ownBrush_) DeleteObject(brush_);
    }
    PenAndBrush(const PenAndBrush&) = delete;
    PenAndBrush& operator=(const PenAndBrush&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    bool ownBrush_;
    HGDIOBJ oldPen_, oldBrush_;
};

void Fill(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

RECT Inset(RECT rect, int dx, int dy)
{
    InflateRect(&rect, -dx, -dy);
    return rect;
}

// The square box of a check box or radio button, vertically centred in the client area
// less 3 pixels at top and bottom, at the left or the right.
RECT BoxRect(const RECT& client, bool boxRight, int shrink)
{
    const int size = GetSystemMetrics(SM_CXHTHUMB);
    const int top = client.top + shrink + ((client.bottom - client.top - 2 * shrink) - size) / 2;
    const int left = boxRight ? client.right - size : client.left;
    return RECT{left, top, left + size, top + size};
}

}  // namespace

void PaintFlatFrame(HDC dc, const RECT& rect, COLORREF color)
{
    PenAndBrush tools(dc, color, nullptr);
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

COLORREF EditFrameColor(const XPWorkColors& colors, const FlatSurroundings& around, const FlatState& state)
{
    if (state.hot || state.focused) return NewColor(colors.selectBorder, 60);
    return GetShadeColor(around.parentBrush, 60);
}

COLORREF ListFrameColor(const XPWorkColors& colors, const FlatSurroundings& around, const FlatState& state)
{
    return EditFrameColor(colors, around, state);
}

void PaintButton(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                 const FlatState& state, const std::string& caption, HFONT font)
{
    const COLORREF border = state.hot || state.focused ? NewColor(colors.selectBorder, 60) : colors.btnShadow;
    const COLORREF face = state.hot ? NewColor(colors.btnFace, 40) : colors.iconBack;
    Fill(dc, client, around.parentBrush);
    {
        PenAndBrush tools(dc, NewColor(border, 30), &face);
        RoundRect(dc, client.left, client.top, client.right, client.bottom, 4, 4);
    }
    if (state.enabled) {
        PenAndBrush tools(dc, GetShadeColor(border, 50), nullptr);
        const RECT& r = client;
        if (state.pressed && state.hot) {
            POINT edge[] = {{r.left, r.bottom - 2}, {r.left, r.top + 1}, {r.left + 1, r.top}, {r.right - 1, r.top}};
            Polyline(dc, edge, 4);
        } else {
            POINT edge[] = {{r.right - 1, r.top + 1}, {r.right - 1, r.bottom - 2}, {r.right - 2, r.bottom - 1},
                            {r.left, r.bottom - 1}};
            Polyline(dc, edge, 4);
        }
    }
    if (caption.empty()) return;
    HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, state.enabled ? colors.selectFont : colors.disabled);
    RECT text = client;
    DrawTextA(dc, caption.c_str(), -1, &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | (state.rightToLeft ? DT_RTLREADING : 0));
    SelectObject(dc, oldFont);
}

void PaintCheckBox(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                   const FlatState& state, bool boxRight)
{
    const COLORREF border = state.hot || state.focused ? colors.selectBorder : colors.btnShadow;
    COLORREF fill = colors.window;
    if (state.hot || state.focused) fill = colors.select;
    if (state.pressed) fill = colors.checkedAreaSelect;
    if (state.grayed) fill = RGB(192, 192, 192);
    RECT box = BoxRect(client, boxRight, 3);
    Fill(dc, box, around.control);
    box = Inset(box, 2, 2);
    {
        PenAndBrush tools(dc, border, &fill);
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
    }
    if (!state.checked && !state.grayed) return;
    COLORREF mark = colors.highlight;
    if (state.grayed) mark = RGB(128, 128, 128);
    if (state.pressed) mark = colors.window;
    if (!state.enabled) mark = colors.disabled;
    PenAndBrush tools(dc, mark, nullptr);
    DrawCheckMark(dc, box.left, box.bottom);
}

void PaintRadio(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                const FlatState& state, bool boxRight)
{
    const COLORREF border = state.hot ? colors.selectBorder : colors.btnShadow;
    const COLORREF fill = state.hot || state.focused ? colors.select : colors.window;
    RECT box = BoxRect(client, boxRight, 4);
    box.bottom -= 1;
    Fill(dc, box, around.control);
    box = Inset(box, 2, 2);
    {
        PenAndBrush tools(dc, border, &fill);
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
    }
    if (!state.checked) return;
    box = Inset(box, 2, 2);
    const COLORREF dot = state.enabled ? colors.highlight : colors.disabled;
    PenAndBrush tools(dc, dot, &dot);
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
}

void PaintCombo(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                const FlatState& state, bool droppedDown)
{
    COLORREF border = around.control;
    if (state.focused) border = NewColor(colors.selectBorder, 60);
    if (state.hot || droppedDown) border = colors.selectBorder;
    PaintFlatFrame(dc, client, around.parentBrush);
    RECT frame = Inset(client, 1, 1);
    PaintFlatFrame(dc, frame, border);
    COLORREF button = colors.btnFace;
    if (state.focused) button = colors.checkedArea;
    if (state.hot) button = colors.select;
    if (droppedDown) button = colors.checkedAreaSelect;
    RECT inner = Inset(frame, 1, 1);
    const int width = GetSystemMetrics(SM_CXHTHUMB) + 1;
    RECT area = state.rightToLeft ? RECT{inner.left, inner.top, inner.left + width, inner.bottom}
                                  : RECT{inner.right - width, inner.top, inner.right, inner.bottom};
    Fill(dc, area, button);
    {
        PenAndBrush tools(dc, border, nullptr);
        const int x = state.rightToLeft ? area.right : area.left;
        Line(dc, x, inner.top, x, inner.bottom);
    }
    const COLORREF arrow = !state.enabled || droppedDown ? RGB(255, 255, 255) : RGB(0, 0, 0);
    PenAndBrush tools(dc, arrow, nullptr);
    const int x = area.left + (area.right - area.left) / 2 - 3;
    const int y = area.top + (area.bottom - area.top) / 2 - 1;
    DrawArrow(dc, x, y);
}

void PaintGroupFrame(HDC dc, const RECT& client, const FlatSurroundings& around, int captionHeight,
                     int captionWidth)
{
    RECT frame = client;
    frame.top += captionHeight / 2;
    // The system's etched frame is two pixels wide: painted over in the control's colour.
    PaintFlatFrame(dc, frame, around.control);
    PaintFlatFrame(dc, Inset(frame, 1, 1), around.control);
    const COLORREF shade = GetShadeColor(around.control, 60);
    PenAndBrush tools(dc, shade, nullptr);
    POINT sides[] = {{frame.left + 8, frame.top}, {frame.left, frame.top}, {frame.left, frame.bottom - 1},
                     {frame.right - 1, frame.bottom - 1}, {frame.right - 1, frame.top},
                     {frame.left + 8 + captionWidth, frame.top}};
    Polyline(dc, sides, 6);
}

}  // namespace xplook
