#include "xplook/XPPainters.h"

#include "toolkit/ImageList.h"
#include "toolkit/ToolBar.h"
#include "xplook/FlatPainters.h"
#include "xplook/Xpmenu.h"

namespace xplook {

namespace {

void Outline(HDC dc, const RECT& rect, COLORREF color)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, rect.left, rect.top + 1, rect.right - 1 + 1, rect.bottom - 1 + 1);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
}

bool HasImage(const TImageList* list, int index) { return list && index >= 0 && index < list->Count(); }

// Draws image index of list at (x, y) over a face of colour under: dimmed when resting,
// greyed when disabled, with a shadow when hot.
void DrawButtonIcon(TXPMenu& menu, HDC dc, const TImageList* list, int index, int x, int y, unsigned state,
                    COLORREF under)
{
    const XPWorkColors& colors = menu.WorkColors();
    Picture picture{list->Width(), list->Height(),
                    [list, index](HDC into) { ImageList_Draw(list->Handle(), index, into, 0, 0, ILD_TRANSPARENT); }};
    IconState icon;
    icon.enabled = !(state & cdsDisabled);
    icon.hot = (state & cdsHot) != 0;
    icon.checked = (state & cdsChecked) != 0;
    // A pressed button stays down.
    icon.up = icon.left = (state & cdsSelected) ? 0 : 1;
    icon.dimLevel = menu.DimLevel;
    icon.grayLevel = menu.GrayLevel;
    icon.highColor = colors.highColor;
    icon.shadow = GetShadeColor(colors.select, 50);
    icon.under = under;
    DrawIcon(dc, picture, x, y, icon);
}

}  // namespace

void DrawIcon(HDC dc, const Picture& picture, int x, int y, const IconState& state)
{
    // Pre-fill of the bitmap that tells which pixels the picture leaves untouched.
    constexpr COLORREF transparentKey = RGB(255, 0, 255);
    const int width = picture.width, height = picture.height;
    // The picture twice: over the key, which tells the pixels it leaves untouched, and over
    // the face colour, whose pixels are shown (soft edges blend into the face, not the key).
    HDC keyed = CreateCompatibleDC(dc), icon = CreateCompatibleDC(dc);
    HBITMAP keyedBitmap = CreateCompatibleBitmap(dc, width, height);
    HBITMAP iconBitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldKeyed = SelectObject(keyed, keyedBitmap), oldIcon = SelectObject(icon, iconBitmap);
    FillSolid(keyed, RECT{0, 0, width, height}, transparentKey);
    FillSolid(icon, RECT{0, 0, width, height}, state.under);
    picture.paint(keyed);
    picture.paint(icon);
    if (!state.enabled) {
        GrayBitmap(icon, width, height, state.grayLevel);
        DimBitmap(icon, width, height, 40);
    } else if (!state.hot && !state.checked && state.highColor) {
        DimBitmap(icon, width, height, state.dimLevel);
    }
    if (state.hot && state.enabled && !state.checked) {
        x -= state.left;
        y -= state.up;
        DrawBitmapShadow(keyed, width, height, transparentKey, dc, x + 2, y + 2, state.shadow);
    }
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            if (GetPixel(keyed, column, row) != transparentKey)
                SetPixelV(dc, x + column, y + row, GetPixel(icon, column, row));
    SelectObject(keyed, oldKeyed);
    SelectObject(icon, oldIcon);
    DeleteObject(keyedBitmap);
    DeleteObject(iconBitmap);
    DeleteDC(keyed);
    DeleteDC(icon);
}

void ToolBarDrawButton(TXPMenu& menu, TToolBar* bar, TToolButton* button, HDC dc, unsigned state)
{
    const XPWorkColors& colors = menu.WorkColors();
    const COLORREF barColor = menu.Resolve(bar->Color());
    const COLORREF background = colors.highColor ? NewColor(barColor, 16) : barColor;
    RECT r = button->BoundsRect();
    const bool hot = (state & cdsHot) != 0, checked = (state & cdsChecked) != 0;
    const bool selected = (state & cdsSelected) != 0, disabled = (state & cdsDisabled) != 0;
    // A transparent bar lets its parent show through.
    const bool filled = !bar->Transparent();
    if (filled) FillSolid(dc, r, background);
    COLORREF under = background;
    if (hot || checked || (state & cdsIndeterminate)) {
        // Own colours on a deep screen: the hot fill is the select colour lightened, as
        // the system colours' is.
        const XPColorProperties& own = menu.ColorProperties();
        COLORREF fill = colors.highColor && !own.useSystemColors ? NewColor(menu.Resolve(own.selectColor), 68)
                                                                 : colors.select;
        if (hot && (checked || selected)) fill = colors.checkedAreaSelect;
        if (!hot && checked) fill = colors.checkedArea;
        RECT face{r.left, r.top + 1, r.right, r.bottom};
        FillSolid(dc, face, fill);
        under = fill;
        if (hot || checked) {
            if (button->Style() == tbsDropDown) {
                Outline(dc, RECT{r.left, r.top, r.right - 14, r.bottom}, colors.selectBorder);
                Outline(dc, RECT{r.right - 14, r.top, r.right, r.bottom}, colors.selectBorder);
            } else {
                Outline(dc, r, colors.selectBorder);
            }
        }
    }
    // A pressed button with a menu looks like an open menu-bar item while its menu shows.
    if (selected && button->DropdownMenu) {
        DrawTopMenuItem(dc, RECT{r.left, r.top + 1, r.right, r.bottom}, barColor, false, colors);
        under = colors.select;
    }
    if (button->Style() == tbsDropDown) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
        HGDIOBJ old = SelectObject(dc, pen);
        DrawArrow(dc, r.right - 10, r.top + 1 + (r.bottom - r.top - 3) / 2);
        SelectObject(dc, old);
        DeleteObject(pen);
        r.right -= 12;
    }
    const int index = button->ImageIndex();
    const TImageList* list = nullptr;
    if (hot && HasImage(bar->HotImages(), index))
        list = bar->HotImages();
    else if (disabled && HasImage(bar->DisabledImages(), index))
        list = bar->DisabledImages();
    else if (HasImage(bar->Images(), index))
        list = bar->Images();
    // A captioned button has its picture at the top and the caption below it.
    const bool captioned = !button->Caption().empty();
    if (list) {
        const int x = RoundHalfEven((r.right - r.left - list->Width()) / 2.0 + r.left);
        const int y = captioned ? r.top + 3 : r.top + 2 + (r.bottom - r.top - 4 - list->Height()) / 2;
        DrawButtonIcon(menu, dc, list, index, x, y, state, under);
    }
    if (captioned) {
        // The caption at the foot of the button, in the look's menu font and colours.
        SIZE size{0, 0};
        HGDIOBJ oldFont = SelectObject(dc, menu.Font() ? menu.Font() : GetStockObject(DEFAULT_GUI_FONT));
        GetTextExtentPoint32A(dc, button->Caption().c_str(), static_cast<int>(button->Caption().size()), &size);
        SelectObject(dc, oldFont);
        RECT text{r.left, r.bottom - size.cy - 6, r.right, r.bottom};
        if (disabled && checked) InflateRect(&text, -1, -1);
        TextState textState;
        textState.selected = selected;
        textState.enabled = !disabled;
        DrawTheText(dc, button->Caption(), "", text, DT_CENTER, menu.Font(),
                    menu.Resolve(menu.ColorProperties().fontColor), textState, colors);
    }
    // The separator before the button is repainted with the bar: a line when its Tag asks.
    const int position = button->Index();
    if (position > 0) {
        TToolButton* before = bar->Buttons(position - 1);
        if (before->Style() == tbsSeparator || before->Style() == tbsDivider) {
            const RECT gap = before->BoundsRect();
            if (filled) FillSolid(dc, gap, background);
            if (before->Tag > 0) {
                HPEN pen = CreatePen(PS_SOLID, 1, GetShadeColor(barColor, 30));
                HGDIOBJ old = SelectObject(dc, pen);
                const int x = (gap.left + gap.right) / 2;
                MoveToEx(dc, x, gap.top + 2, nullptr);
                LineTo(dc, x, gap.bottom - 1);
                SelectObject(dc, old);
                DeleteObject(pen);
            }
        }
    }
}

}  // namespace xplook
