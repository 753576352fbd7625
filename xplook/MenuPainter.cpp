#include "xplook/XPPainters.h"

#include "toolkit/Menus.h"
#include "xplook/Xpmenu.h"

namespace xplook {

namespace {

SIZE TextSize(HDC dc, const std::string& text)
{
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, text.empty() ? "" : text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(dc, &rect, brush);
    DeleteObject(brush);
}

// The check or radio mark of an item without a picture, in square k.
void DrawCheckedItem(HDC dc, const MenuItemFacts& item, bool selected, const RECT& k, const XPWorkColors& colors)
{
    const COLORREF pen = item.enabled ? (item.radio ? colors.selectBorder : colors.checked) : colors.disabled;
    const COLORREF fill = selected ? colors.checkedAreaSelect : colors.checkedArea;
    HPEN framePen = CreatePen(PS_SOLID, 1, pen);
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldPen = SelectObject(dc, framePen), oldBrush = SelectObject(dc, brush);
    if (item.radio) {
        Ellipse(dc, k.left, k.top, k.right, k.bottom);
        HBRUSH dot = CreateSolidBrush(pen);
        SelectObject(dc, dot);
        Ellipse(dc, k.left + 2, k.top + 2, k.right - 2, k.bottom - 2);
        SelectObject(dc, brush);
        DeleteObject(dot);
    } else {
        Rectangle(dc, k.left, k.top, k.right, k.bottom);
        HPEN markPen = CreatePen(PS_SOLID, 1, item.enabled ? RGB(0, 0, 0) : colors.disabled);
        SelectObject(dc, markPen);
        const POINT lines[][2] = {{{k.left + 1, k.top + 5}, {k.left + 4, k.bottom - 2}},
                                  {{k.left + 2, k.top + 5}, {k.left + 4, k.bottom - 3}},
                                  {{k.left + 2, k.top + 4}, {k.left + 5, k.bottom - 3}},
                                  {{k.left + 4, k.bottom - 3}, {k.right + 2, k.top - 1}},
                                  {{k.left + 4, k.bottom - 2}, {k.right - 2, k.top + 3}}};
        for (const auto& line : lines) {
            MoveToEx(dc, line[0].x, line[0].y, nullptr);
            LineTo(dc, line[1].x, line[1].y);
        }
        SelectObject(dc, framePen);
        DeleteObject(markPen);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(framePen);
    DeleteObject(brush);
}

}  // namespace

void MeasureMenuItem(const MenuItemFacts& item, HDC dc, HFONT font, int iconWidth, int& width, int& height)
{
    HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    const std::string text = item.separator ? "" : item.caption;
    int needed = TextSize(dc, text).cx + 5;
    // "&" marks the next letter and is not shown.
    if (text.find('&') != std::string::npos) needed -= TextSize(dc, "&").cx;
    if (item.hasSubItems) needed += 6;
    needed += iconWidth;
    width = std::max(width, needed);
    if (item.separator) {
        height = 4;
    } else {
        const int textHeight = TextSize(dc, "W").cy;
        height = std::max(height, std::max(textHeight + RoundHalfEven(textHeight * 0.75), 6));
    }
    SelectObject(dc, oldFont);
}

void DrawMenuItem(const MenuItemFacts& item, HDC target, const RECT& rect, bool selected, bool drawSelect,
                  int iconWidth, HFONT font, COLORREF fontColor, const XPWorkColors& colors)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    // Drawn off-screen and copied in one go, so the item does not flicker.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));

    const RECT w{0, 0, width, height};
    const RECT column{0, 0, iconWidth, height};
    FillSolid(dc, w, colors.work);
    FillSolid(dc, column, colors.iconBack);
    if (selected && drawSelect && item.enabled && !item.separator) {
        const RECT band{w.left, w.top + 1, w.right, w.bottom - 1};
        FillSolid(dc, band, colors.select);
        FrameSolid(dc, band, colors.selectBorder);
    }
    if (item.checked) {
        const int left = (iconWidth - 10) / 2, top = (height - 10) / 2;
        DrawCheckedItem(dc, item, selected, RECT{left, top, left + 10, top + 10}, colors);
    }
    RECT text{w.left + iconWidth, w.top, w.right, w.bottom};
    if (item.separator) {
        HPEN pen = CreatePen(PS_SOLID, 1, colors.separator);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        const int y = text.top + RoundHalfEven((text.bottom - text.top) / 2.0);
        MoveToEx(dc, text.left + 7, y, nullptr);
        LineTo(dc, text.right, y);
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    } else {
        text.left += 3;
        text.top += (text.bottom - text.top - TextSize(dc, "W").cy) / 2;
        COLORREF color = fontColor;
        if (selected) color = colors.selectFont;
        if (!item.enabled) color = colors.disabled;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, color);
        DrawTextExA(dc, const_cast<char*>(item.caption.c_str()), -1, &text, DT_EXPANDTABS, nullptr);
    }
    BitBlt(target, rect.left, rect.top, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace xplook

namespace {

xplook::MenuItemFacts FactsOf(const TMenuItem* item)
{
    xplook::MenuItemFacts facts;
    facts.caption = item->Caption;
    facts.separator = item->IsSeparator();
    facts.enabled = item->Enabled;
    facts.checked = item->Checked;
    facts.radio = item->RadioItem;
    facts.hasSubItems = item->Count() > 0;
    return facts;
}

}  // namespace

void TXPMenu::MeasureItem(TMenuItem* item, HDC dc, int& width, int& height)
{
    if (active_) xplook::MeasureMenuItem(FactsOf(item), dc, font_, IconWidth, width, height);
}

void TXPMenu::DrawItem(TMenuItem* item, HDC dc, const RECT& rect, bool selected)
{
    if (!active_) return;
    xplook::DrawMenuItem(FactsOf(item), dc, rect, selected, DrawSelect, IconWidth, font_,
                         palette_.Resolve(colorProperties_.fontColor), WorkColors());
    if (FlatMenu) AskForFlatBorder(dc);
}
