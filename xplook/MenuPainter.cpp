#include "xplook/XPPainters.h"

#include "toolkit/Forms.h"
#include "toolkit/ImageList.h"
#include "toolkit/Menus.h"
#include "xplook/FlatPainters.h"
#include "xplook/Xpmenu.h"

#include <algorithm>

namespace xplook {

namespace {

SIZE TextSize(HDC dc, const std::string& text)
{
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.empty() ? "" : text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

void Line(HDC dc, COLORREF color, std::initializer_list<POINT> points)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    const POINT* p = points.begin();
    MoveToEx(dc, p->x, p->y, nullptr);
    for (++p; p != points.end(); ++p) LineTo(dc, p->x, p->y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// The check or radio mark in k: a frame around the picture of an item that has one,
// a drawn mark for one without.
void DrawCheckedItem(HDC dc, const MenuItemFacts& item, bool selected, bool hasIcon, const RECT& k,
                     const XPWorkColors& colors)
{
    COLORREF pen = item.enabled ? colors.selectBorder : colors.disabled;
    if (!item.radio && !hasIcon && item.enabled) pen = colors.checked;
    const COLORREF fill = selected ? colors.checkedAreaSelect : colors.checkedArea;
    HPEN framePen = CreatePen(PS_SOLID, 1, pen);
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldPen = SelectObject(dc, framePen), oldBrush = SelectObject(dc, brush);
    if (item.radio && hasIcon) {
        RoundRect(dc, k.left, k.top, k.right, k.bottom, 6, 6);
    } else if (item.radio) {
        Ellipse(dc, k.left, k.top, k.right, k.bottom);
        HBRUSH dot = CreateSolidBrush(pen);
        SelectObject(dc, dot);
        Ellipse(dc, k.left + 2, k.top + 2, k.right - 2, k.bottom - 2);
        SelectObject(dc, brush);
        DeleteObject(dot);
    } else {
        Rectangle(dc, k.left, k.top, k.right, k.bottom);
        if (!hasIcon) {
            const COLORREF mark = item.enabled ? RGB(0, 0, 0) : colors.disabled;
            Line(dc, mark, {{k.left + 1, k.top + 5}, {k.left + 4, k.bottom - 2}});
            Line(dc, mark, {{k.left + 2, k.top + 5}, {k.left + 4, k.bottom - 3}});
            Line(dc, mark, {{k.left + 2, k.top + 4}, {k.left + 5, k.bottom - 3}});
            Line(dc, mark, {{k.left + 4, k.bottom - 3}, {k.right + 2, k.top - 1}});
            Line(dc, mark, {{k.left + 4, k.bottom - 2}, {k.right - 2, k.top + 3}});
        }
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(framePen);
    DeleteObject(brush);
}

// Popup items fade from the icon column's colour toward white, faster over the column.
void DrawGradient(HDC dc, const RECT& g, int iconWidth, COLORREF iconBack)
{
    int percent = 0;
    for (int x = g.left; x < g.right; ++x) {
        if (x > g.left) percent = std::min(96, percent + (x - g.left < iconWidth + 5 ? 3 : 1));
        FillSolid(dc, RECT{x, g.top, x + 1, g.bottom}, NewColor(iconBack, percent));
    }
}

// A bar item opened in system colours gets a text colour that stands out on the icon
// column's colour.
COLORREF TopMenuFontColor(COLORREF color, COLORREF fontColor)
{
    const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
    return (r + b) / 2 > 150 || g > 200 ? fontColor : NewColor(color, 90);
}

void PaintText(HDC dc, const std::string& text, RECT rect, UINT format)
{
    DrawTextExA(dc, const_cast<char*>(text.c_str()), -1, &rect, format | DT_EXPANDTABS, nullptr);
}

// Whether a key text holds more than blanks.
bool HasKey(const std::string& shortCut) { return shortCut.find_first_not_of(" \t") != std::string::npos; }

}  // namespace

void DrawTheText(HDC dc, const std::string& text, const std::string& shortCut, const RECT& rect, UINT format,
                 HFONT font, COLORREF fontColor, const TextState& state, const XPWorkColors& colors)
{
    HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    COLORREF color = fontColor;
    if (state.selected) color = colors.selectFont;
    if (!state.enabled) color = colors.disabled;
    if (state.selected && state.topItem && state.useSystemColors) color = TopMenuFontColor(colors.iconBack, fontColor);
    SetBkMode(dc, TRANSPARENT);
    if (state.enabled && state.isDefault) {
        // Embossed: the text first in shades of what lies beneath, a pixel or two off.
        const struct {
            int dx, dy, shade;
            bool wider;
        } echoes[] = {{1, 0, 30, false}, {1, 2, 30, true}, {0, 1, 40, false}, {1, 1, 60, true}};
        for (const auto& echo : echoes) {
            RECT moved{rect.left + echo.dx, rect.top + echo.dy, rect.right + (echo.wider ? echo.dx : 0),
                       rect.bottom + echo.dy};
            SetTextColor(dc, GetShadeColor(GetPixel(dc, moved.left, moved.top), echo.shade));
            PaintText(dc, text, moved, format);
        }
    }
    SetTextColor(dc, color);
    PaintText(dc, text, rect, format);
    if (!shortCut.empty()) {
        // The key column, 10 pixels in from the item's far edge.
        const bool rightToLeft = (format & DT_RTLREADING) != 0;
        RECT key = rect;
        if (rightToLeft)
            key.left += 10;
        else
            key.right -= 10;
        PaintText(dc, shortCut + " ", key, rightToLeft ? DT_LEFT : DT_RIGHT);
    }
    SelectObject(dc, oldFont);
}

void DrawTopMenuItem(HDC dc, const RECT& r, COLORREF barColor, bool menuBarItem, const XPWorkColors& colors)
{
    FillSolid(dc, r, colors.select);
    const bool shadow = menuBarItem && colors.highColor;
    const int right = r.right - (shadow ? 8 : 3);
    Line(dc, colors.selectBorder, {{r.left, r.bottom}, {r.left, r.top}, {right, r.top}, {right, r.bottom}});
    if (!shadow) {
        FillSolid(dc, RECT{r.right - 2, r.top + 2, r.right, r.bottom}, GetShadeColor(barColor, 70));
        FillSolid(dc, RECT{r.right - 2, r.top, r.right, r.top + 2}, barColor);
        return;
    }
    const COLORREF bar = colors.menuBar;
    const struct {
        int width, top, shade;
    } strips[] = {{7, 0, 10}, {5, 3, 30}, {4, 5, 60}, {2, 6, 100}};
    for (const auto& strip : strips)
        FillSolid(dc, RECT{r.right - 7, r.top + strip.top, r.right - 7 + strip.width, r.bottom},
                  GetShadeColor(bar, strip.shade));
    const int x = r.right, y = r.top;
    Line(dc, bar, {{x - 5, y + 1}, {x - 1, y + 1}, {x - 1, y + 6}});
    Line(dc, bar, {{x - 3, y + 2}, {x - 2, y + 2}, {x - 2, y + 3}, {x - 3, y + 3}});
    Line(dc, GetShadeColor(bar, 10), {{x - 6, y + 3}, {x - 3, y + 3}, {x - 3, y + 6}, {x - 4, y + 6}, {x - 4, y + 3}});
    Line(dc, GetShadeColor(bar, 30), {{x - 5, y + 5}, {x - 4, y + 5}, {x - 4, y + 9}});
    Line(dc, GetShadeColor(bar, 40), {{x - 6, y + 5}, {x - 6, y + 7}});
}

void MeasureMenuItem(const MenuItemFacts& item, HDC dc, const MenuLook& look, int& width, int& height)
{
    HGDIOBJ oldFont = SelectObject(dc, look.font ? look.font : GetStockObject(DEFAULT_GUI_FONT));
    std::string text = item.separator ? "" : item.caption;
    // "WWW" keeps a gap between the caption and the key column.
    if (HasKey(item.shortCut)) text += item.shortCut + "WWW";
    int needed = TextSize(dc, text).cx + 5;
    // "&" marks the next letter and is not shown.
    if (text.find('&') != std::string::npos) needed -= TextSize(dc, "&").cx;
    if (item.hasSubItems && !item.topItem) needed += 6;
    // A bar item makes room for its picture only, a popup item for the icon column.
    needed += item.topItem ? item.picture.width : std::max(item.picture.width, look.iconWidth);
    width = std::max(width, needed);
    if (item.separator) {
        height = 4;
    } else {
        const int textHeight = TextSize(dc, "W").cy;
        height = std::max(height, std::max(textHeight + RoundHalfEven(textHeight * 0.75), item.picture.height + 6));
    }
    SelectObject(dc, oldFont);
}

void DrawMenuItem(const MenuItemFacts& item, HDC target, const RECT& rect, bool selected, const MenuLook& look,
                  const XPWorkColors& colors)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    // Drawn off-screen and copied in one go, so the item does not flicker.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, look.font ? look.font : GetStockObject(DEFAULT_GUI_FONT));

    const RECT w{0, 0, width, height};
    const RECT column{0, 0, look.iconWidth, height};
    const Picture& picture = item.picture;
    const bool hasIcon = picture.width > 0;
    const COLORREF barColor = look.drawMenuBar ? look.menuBarColor : colors.menuBar;
    COLORREF under = colors.iconBack;
    if (item.topItem) {
        FillSolid(dc, w, barColor);
        under = barColor;
    } else if (colors.highColor && look.gradient) {
        DrawGradient(dc, w, look.iconWidth, colors.iconBack);
    } else {
        FillSolid(dc, w, colors.work);
        FillSolid(dc, column, colors.iconBack);
    }

    bool hot = selected;
    if (selected && look.drawSelect && item.topItem) {
        DrawTopMenuItem(dc, w, barColor, true, colors);
        under = colors.select;
    } else if (selected && look.drawSelect && item.enabled && !item.separator) {
        const RECT band{w.left, w.top + 1, w.right, w.bottom - 1};
        FillSolid(dc, band, colors.select);
        FrameSolid(dc, band, colors.selectBorder);
        under = colors.select;
    } else if (item.topItem && item.enabled && item.underCursor) {
        // Left of where an open item's shadow would fall.
        const RECT face{w.left, w.top, w.right - 7, w.bottom};
        FillSolid(dc, face, colors.select);
        FrameSolid(dc, face, colors.selectBorder);
        under = colors.select;
        hot = true;
    }

    if (item.checked) {
        RECT k = hasIcon ? RECT{column.left + 1, column.top + 2, column.right - 3, column.bottom - 2}
                         : RECT{(look.iconWidth - 10) / 2, (height - 10) / 2, (look.iconWidth - 10) / 2 + 10,
                                (height - 10) / 2 + 10};
        if (picture.width > look.iconWidth) k.right = k.left + picture.width;
        if (item.topItem) --k.top;
        DrawCheckedItem(dc, item, selected, hasIcon, k, colors);
        if (!selected) under = colors.checkedArea;
    }

    if (hasIcon) {
        IconState icon;
        icon.enabled = item.enabled;
        icon.hot = hot;
        icon.checked = item.checked;
        icon.up = item.topItem ? 2 : 1;
        icon.left = 1;
        icon.dimLevel = look.dimLevel;
        icon.grayLevel = look.grayLevel;
        icon.highColor = colors.highColor;
        icon.shadow = GetShadeColor(colors.select, 50);
        icon.under = under;
        int x = picture.width < look.iconWidth ? column.left + (look.iconWidth - picture.width) / 2 : column.left + 2;
        if (item.topItem) x = column.left + 1;
        DrawIcon(dc, picture, x, column.top + 3, icon);
    }

    RECT text = w;
    if (!item.topItem || hasIcon) {
        text.left = w.left + (item.topItem ? 4 : look.iconWidth);
        if (hasIcon) text.left = std::max<int>(text.left, w.left + picture.width + 4);
        if (item.topItem) text.left -= 5;
    }
    if (item.separator) {
        Line(dc, colors.separator, {{text.left + 7, text.top + RoundHalfEven((text.bottom - text.top) / 2.0)},
                                    {text.right, text.top + RoundHalfEven((text.bottom - text.top) / 2.0)}});
    } else {
        text.left += 3;
        text.top += (text.bottom - text.top - TextSize(dc, "W").cy) / 2;
        TextState textState;
        textState.selected = selected;
        textState.enabled = item.enabled;
        textState.isDefault = item.isDefault;
        textState.topItem = item.topItem;
        textState.useSystemColors = look.useSystemColors;
        DrawTheText(dc, " " + item.caption, item.shortCut, text, 0, look.font, look.fontColor, textState, colors);
    }
    BitBlt(target, rect.left, rect.top, width, height, dc, 0, 0, SRCCOPY);
    // The rest of the bar behind its last item takes the bar's colour too.
    if (item.lastTopItem && look.drawMenuBar && look.barWidth + 5 > rect.right)
        FillSolid(target, RECT{rect.right, rect.top, look.barWidth + 5, rect.bottom}, barColor);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace xplook

namespace {

// An item's picture: from its parent's sub-menu list or else its menu's image list by
// index, else its own bitmap (the colour of its bottom-left pixel shows through).
xplook::Picture PictureOf(const TMenuItem* item)
{
    const TMenu* menu = item->GetParentMenu();
    const TImageList* list = item->Parent() && item->Parent()->SubMenuImages ? item->Parent()->SubMenuImages
                             : menu                                          ? menu->Images
                                                                             : nullptr;
    if (list && item->ImageIndex != -1) {
        const int index = item->ImageIndex;
        return {list->Width(), list->Height(),
                [list, index](HDC dc) { ImageList_Draw(list->Handle(), index, dc, 0, 0, ILD_TRANSPARENT); }};
    }
    BITMAP facts{};
    HBITMAP bitmap = item->Bitmap();
    if (!bitmap || !GetObjectA(bitmap, sizeof facts, &facts) || facts.bmWidth <= 0) return {};
    const int width = facts.bmWidth, height = facts.bmHeight;
    return {width, height, [bitmap, width, height](HDC dc) {
                HDC source = CreateCompatibleDC(dc);
                HGDIOBJ old = SelectObject(source, bitmap);
                const COLORREF clear = GetPixel(source, 0, height - 1);
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x)
                        if (GetPixel(source, x, y) != clear) SetPixelV(dc, x, y, GetPixel(source, x, y));
                SelectObject(source, old);
                DeleteDC(source);
            }};
}

xplook::MenuItemFacts FactsOf(const TMenuItem* item)
{
    xplook::MenuItemFacts facts;
    facts.caption = item->Caption;
    facts.shortCut = item->ShortCut;
    facts.separator = item->IsSeparator();
    facts.enabled = item->Enabled;
    facts.checked = item->Checked;
    facts.radio = item->RadioItem;
    facts.isDefault = item->Default;
    facts.hasSubItems = item->Count() > 0;
    if (auto* bar = dynamic_cast<const TMainMenu*>(item->GetParentMenu())) {
        const TMenuItem* top = bar->Items();
        facts.topItem = item->Parent() == top;
        facts.lastTopItem = facts.topItem && item == top->Items(top->Count() - 1);
    }
    facts.picture = PictureOf(item);
    return facts;
}

}  // namespace

xplook::MenuLook TXPMenu::MenuLookFor(const TMenuItem* item) const
{
    xplook::MenuLook look;
    look.iconWidth = IconWidth;
    look.drawSelect = DrawSelect;
    look.gradient = Gradient;
    look.drawMenuBar = DrawMenuBar;
    look.menuBarColor = palette_.Resolve(colorProperties_.menuBarColor);
    if (auto* bar = dynamic_cast<const TMainMenu*>(item->GetParentMenu())) look.barWidth = bar->Form()->ClientWidth();
    look.useSystemColors = colorProperties_.useSystemColors;
    look.dimLevel = DimLevel;
    look.grayLevel = GrayLevel;
    look.font = font_;
    look.fontColor = palette_.Resolve(colorProperties_.fontColor);
    return look;
}

void TXPMenu::MeasureItem(TMenuItem* item, HDC dc, int& width, int& height)
{
    if (active_) xplook::MeasureMenuItem(FactsOf(item), dc, MenuLookFor(item), width, height);
}

void TXPMenu::DrawItem(TMenuItem* item, HDC dc, const RECT& rect, bool selected)
{
    if (!active_) return;
    xplook::MenuItemFacts facts = FactsOf(item);
    // The system redraws a bar item when the mouse comes and goes; the item's rectangle is
    // in its form's window coordinates.
    if (facts.topItem) {
        const TForm* owner = static_cast<const TMainMenu*>(item->GetParentMenu())->Form();
        POINT cursor;
        GetCursorPos(&cursor);
        cursor.x -= owner->Left();
        cursor.y -= owner->Top();
        const RECT hotArea{rect.left, rect.top, rect.right - 1, rect.bottom - 2};
        facts.underCursor = PtInRect(&hotArea, cursor) != FALSE;
    }
    xplook::DrawMenuItem(facts, dc, rect, selected, MenuLookFor(item), WorkColors());
    // Only popups get the flat border: a bar item is painted on its form's frame.
    if (FlatMenu && !facts.topItem) AskForFlatBorder(dc);
}
