#include "xplook/FlatPainters.h"

#include "xplook/XPPainters.h"

namespace xplook {

namespace {

// How far toward white a coloured parent's brush is taken for the face of a control that
// blends into it: at rest and when hot.
constexpr int kParentDim = 16;
constexpr int kParentDimHot = 40;

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

// A one-pixel frame, topLeft on the top and left sides and bottomRight on the others,
// whose top line leaves out the columns gapLeft to gapRight (a caption sits there).
void Frame3D(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight, int gapLeft, int gapRight)
{
    {
        PenAndBrush tools(dc, topLeft, nullptr);
        Line(dc, r.left, r.top, gapLeft, r.top);
        Line(dc, gapRight, r.top, r.right - 1, r.top);
        Line(dc, r.left, r.top, r.left, r.bottom - 1);
    }
    PenAndBrush tools(dc, bottomRight, nullptr);
    POINT sides[] = {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top - 1}};
    Polyline(dc, sides, 3);
}

void Frame3D(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    Frame3D(dc, r, topLeft, bottomRight, r.left, r.left);
}

// The caption measured and centred in the client area, as the menus draw their texts.
void PaintCentredCaption(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatState& state,
                         const ControlCaption& caption)
{
    if (caption.text.empty()) return;
    const UINT reading = state.rightToLeft ? DT_RTLREADING : 0;
    HGDIOBJ oldFont = SelectObject(dc, caption.font ? caption.font : GetStockObject(DEFAULT_GUI_FONT));
    RECT size{0, 0, client.right - client.left, 0};
    DrawTextA(dc, caption.text.c_str(), -1, &size, DT_CALCRECT | reading);
    SelectObject(dc, oldFont);
    const int width = size.right - size.left, height = size.bottom - size.top;
    const int left = client.left + (client.right - client.left - width) / 2;
    const int top = client.top + (client.bottom - client.top - height) / 2;
    TextState text;
    text.enabled = state.enabled;
    text.isDefault = state.isDefault;
    DrawTheText(dc, caption.text, "", RECT{left, top, left + width, top + height}, DT_CENTER | DT_VCENTER | reading,
                caption.font, caption.color, text, colors);
}

}  // namespace

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

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

COLORREF ListFrameColor(const XPWorkColors& colors, const FlatSurroundings& around, const FlatState& state,
                        bool singleBorder)
{
    if (state.hot || state.focused) return NewColor(colors.selectBorder, singleBorder ? 60 : 80);
    return singleBorder ? GetShadeColor(around.parentBrush, 60) : around.parentBrush;
}

COLORREF ProgressFrameColor(const XPWorkColors& colors, const FlatSurroundings& around, const FlatState& state)
{
    return state.hot ? colors.selectBorder : GetShadeColor(around.parentBrush, 60);
}

void PaintButton(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                 const FlatState& state, const ControlCaption& caption)
{
    const COLORREF border = state.hot || state.focused ? NewColor(colors.selectBorder, 60) : colors.btnShadow;
    COLORREF face = around.fillFromParent ? NewColor(around.parentBrush, kParentDim) : colors.iconBack;
    if (state.hot) face = NewColor(around.fillFromParent ? around.parentBrush : colors.btnFace, kParentDimHot);
    FillSolid(dc, client, around.parentBrush);
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
    PaintCentredCaption(dc, client, colors, state, caption);
}

void PaintSpeedButton(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                      const FlatState& state, bool flat, const ControlCaption& caption)
{
    const bool down = state.checked;
    const COLORREF border = state.hot || state.focused ? NewColor(colors.selectBorder, 60) : colors.btnShadow;
    COLORREF face;
    if (flat)
        face = state.hot ? colors.select : around.parentBrush;
    else if (state.hot)
        face = NewColor(around.fillFromParent ? around.parentBrush : colors.btnFace, kParentDimHot);
    else
        face = around.fillFromParent ? NewColor(around.parentBrush, kParentDim) : colors.iconBack;
    if (down) face = state.hot ? colors.checkedAreaSelect : colors.checkedArea;
    FillSolid(dc, client, face);
    // A flat button at rest shows no outline: it is drawn in its face.
    PaintFlatFrame(dc, client, flat && !down && !state.hot ? face : NewColor(border, 30));
    if (state.enabled) {
        const RECT& r = client;
        const COLORREF edge = GetShadeColor(border, 50);
        auto pressedEdge = [&] {
            PenAndBrush tools(dc, edge, nullptr);
            POINT line[] = {{r.left, r.bottom - 1}, {r.left, r.top}, {r.right, r.top}};
            Polyline(dc, line, 3);
        };
        if (flat && (down || state.pressed)) {
            PaintFlatFrame(dc, client, border);
            pressedEdge();
        } else if (flat && state.hot) {
            PaintFlatFrame(dc, client, colors.selectBorder);
        } else if (!flat && (down || state.pressed)) {
            pressedEdge();
        } else if (!flat) {
            PenAndBrush tools(dc, edge, nullptr);
            POINT line[] = {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left - 1, r.bottom - 1}};
            Polyline(dc, line, 3);
        }
    }
    PaintCentredCaption(dc, client, colors, state, caption);
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
    FillSolid(dc, box, around.control);
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
    FillSolid(dc, box, around.control);
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
                const FlatState& state, bool droppedDown, bool simple)
{
    COLORREF border = around.control;
    if (state.focused) border = NewColor(colors.selectBorder, 60);
    if (state.hot) border = colors.selectBorder;
    // Round the control the parent's colour, and the top line inside it too.
    PaintFlatFrame(dc, client, around.parentBrush);
    {
        const RECT inner = Inset(client, 1, 1);
        PenAndBrush tools(dc, around.parentBrush, nullptr);
        Line(dc, inner.left, inner.top, inner.right, inner.top);
    }
    // The frame: one pixel in from top and bottom, one out all round when hot or focused;
    // in the control's colour and, a pixel taller, in the border colour.
    RECT frame{client.left, client.top + 1, client.right, client.bottom - 1};
    if (state.hot || state.focused) InflateRect(&frame, 1, 1);
    PaintFlatFrame(dc, frame, around.control);
    if (droppedDown) border = colors.selectBorder;
    PaintFlatFrame(dc, RECT{frame.left, frame.top, frame.right, frame.bottom + 1}, border);
    if (simple) return;

    COLORREF button = around.fillFromParent ? NewColor(around.parentBrush, kParentDim) : colors.btnFace;
    if (state.focused) button = colors.checkedArea;
    if (state.hot) button = colors.select;
    if (droppedDown) button = colors.checkedAreaSelect;
    const RECT inner = Inset(frame, 1, 1);
    int width = GetSystemMetrics(SM_CXHTHUMB) + 1;
    if (state.hot || state.focused) width += state.rightToLeft ? 2 : 1;
    const RECT area = state.rightToLeft ? RECT{inner.left, inner.top, inner.left + width, inner.bottom}
                                        : RECT{inner.right - width, inner.top, inner.right, inner.bottom};
    FillSolid(dc, area, button);
    // The 5 pixels between the text and the button take the field's colour.
    FillSolid(dc,
              state.rightToLeft ? RECT{area.right, inner.top, area.right + 5, inner.bottom}
                                : RECT{area.left - 5, inner.top, area.left, inner.bottom},
              around.control);
    {
        PenAndBrush tools(dc, border, nullptr);
        const int x = state.rightToLeft ? area.right : area.left;
        Line(dc, x, inner.top, x, inner.bottom);
    }
    // The arrow: three rows, 5, 3 and 1 pixels wide.
    const COLORREF arrow = !state.enabled || droppedDown ? RGB(255, 255, 255) : RGB(0, 0, 0);
    PenAndBrush tools(dc, arrow, nullptr);
    const int x = state.rightToLeft ? client.left + 5 : client.right - 10;
    for (int row = 0; row < 3; ++row) Line(dc, x + row, client.top + 10 + row, x + 5 - row, client.top + 10 + row);
}

void PaintGroupFrame(HDC dc, const RECT& client, const FlatSurroundings& around, int captionHeight,
                     int captionWidth)
{
    RECT frame = client;
    frame.top += captionHeight / 2;
    const int gapLeft = frame.left + 8, gapRight = captionWidth > 0 ? gapLeft + captionWidth : gapLeft;
    // The system's etched frame is two pixels wide: painted over in the control's colour,
    // round the caption, which the system has drawn already.
    Frame3D(dc, frame, around.control, around.control, gapLeft, gapRight);
    Frame3D(dc, Inset(frame, 1, 1), around.control, around.control, gapLeft, gapRight);
    Frame3D(dc, frame, NewColor(around.control, 60), GetShadeColor(around.control, 60), gapLeft, gapRight);
}

void PaintUpDown(HDC dc, const RECT& client, const XPWorkColors& colors, const FlatSurroundings& around,
                 const FlatState& state, int hotHalf)
{
    const int middle = client.top + (client.bottom - client.top) / 2;
    for (int half = 0; half < 2; ++half) {
        const RECT r = half == 0 ? RECT{client.left, client.top, client.right, middle}
                                 : RECT{client.left, middle, client.right, client.bottom};
        const bool hot = state.enabled && state.hot && hotHalf == half;
        const bool pressed = hot && state.pressed;
        COLORREF fill = NewColor(around.fillFromParent ? around.parentBrush : colors.select, kParentDim);
        if (hot) fill = pressed ? colors.checkedAreaSelect : NewColor(colors.select, 60);
        {
            PenAndBrush tools(dc, hot ? colors.selectBorder : NewColor(around.parentBrush, 80), &fill);
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
        }
        PenAndBrush tools(dc, !state.enabled || pressed ? RGB(255, 255, 255) : RGB(0, 0, 0), nullptr);
        DrawArrow(dc, (r.left + r.right) / 2, (r.top + r.bottom) / 2 - 2, half);
    }
}

void PaintPanelBevels(HDC dc, const RECT& client, COLORREF control, TPanelBevel outer, TPanelBevel inner,
                      int bevelWidth, int borderWidth)
{
    const COLORREF light = NewColor(control, 60), shade = GetShadeColor(control, 60);
    RECT r = client;
    auto bevelAt = [&](TPanelBevel bevel) {
        if (bevel == bvNone) return;
        for (int i = 0; i < bevelWidth; ++i) {
            if (bevel == bvLowered)
                Frame3D(dc, r, shade, light);
            else
                Frame3D(dc, r, light, shade);
            r = Inset(r, 1, 1);
        }
    };
    bevelAt(outer);
    r = Inset(r, borderWidth, borderWidth);
    bevelAt(inner);
}

}  // namespace xplook
