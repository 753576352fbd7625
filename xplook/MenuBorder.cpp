#include "xplook/MenuBorder.h"

#include "toolkit/Forms.h"
#include "xplook/FlatPainters.h"
#include "xplook/XPMenuManager.h"
#include "xplook/Xpmenu.h"

#include <cstdlib>

namespace xplook {

void PaintMenuBorder(HDC dc, int width, int height, bool rightToLeft, bool xp, const XPWorkColors& colors)
{
    RECT w{0, 0, width, height};
    if (!xp) {
        w.right -= 2;
        w.bottom -= 2;
    }
    HPEN framePen = CreatePen(PS_SOLID, 1, colors.menuBorder);
    HGDIOBJ oldPen = SelectObject(dc, framePen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, w.left, w.top, w.right, w.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(framePen);
    // The icon column runs on under the frame's inner edge.
    if (rightToLeft)
        FillSolid(dc, RECT{w.right - 3, 2, w.right - 2, w.bottom - 1}, colors.iconBack);
    else
        FillSolid(dc, RECT{1, 2, 3, w.bottom - 1}, colors.iconBack);
    // The system's raised edge at the top gives way to the first row of items.
    StretchBlt(dc, 1, 1, w.right - 1, 2, dc, 1, 3, w.right - 1, 1, SRCCOPY);
    if (xp) {
        StretchBlt(dc, 1, w.bottom - 3, w.right - 1, 2, dc, 1, 3, w.right - 1, 1, SRCCOPY);
        FillSolid(dc, RECT{w.right - 3, 1, w.right - 1, w.bottom - 1}, colors.work);
        return;
    }
    w.right += 2;
    w.bottom += 2;
    FillSolid(dc, RECT{2, w.bottom - 2, w.right, w.bottom}, colors.menuShadow);
    FillSolid(dc, RECT{w.right - 2, 2, w.right, w.bottom}, colors.menuShadow);
}

}  // namespace xplook

namespace {

LRESULT CALLBACK MenuWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

bool UsesMenuWindowProc(HWND window)
{
    return window && reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) == MenuWindowProc;
}

// The procedure a flat popup menu window runs while it shows: it keeps the system from
// erasing the border and gives the window back its own procedure and shape when it goes.
LRESULT CALLBACK MenuWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (msg == WM_ERASEBKGND) return 1;
    if ((msg == WM_SHOWWINDOW && !wParam) || msg == WM_CLOSE || msg == WM_DESTROY) {
        RECT bounds;
        GetWindowRect(window, &bounds);
        SetWindowRgn(window, nullptr, FALSE);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        const LRESULT result = old ? CallWindowProcA(old, window, msg, wParam, lParam)
                                   : DefWindowProcA(window, msg, wParam, lParam);
        // The neighbouring popup (the parent or child menu) paints its border again.
        HWND next = WindowFromPoint(POINT{bounds.right + 2, bounds.top + 2});
        if (!UsesMenuWindowProc(next)) next = WindowFromPoint(POINT{bounds.right + 2, bounds.bottom - 2});
        if (UsesMenuWindowProc(next)) InvalidateRect(next, nullptr, FALSE);
        return result;
    }
    return old ? CallWindowProcA(old, window, msg, wParam, lParam) : DefWindowProcA(window, msg, wParam, lParam);
}

// Before XP the window is shaped so that the shadow's corners show what lies below.
void ShapeForShadow(HWND window, int width, int height)
{
    HRGN current = CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    const bool fits = GetWindowRgn(window, current) != ERROR && GetRgnBox(current, &box) != 0 &&
                      std::abs(box.right - box.left - width) <= 5 && std::abs(box.bottom - box.top - height) <= 5;
    DeleteObject(current);
    if (fits) return;
    HRGN shape = CreateRectRgn(0, 0, width - 2, height - 2);
    HRGN lower = CreateRectRgn(2, 2, width, height);
    CombineRgn(shape, shape, lower, RGN_OR);
    DeleteObject(lower);
    SetWindowRgn(window, shape, TRUE);  // the window owns the region from here on
}

}  // namespace

void TXPMenu::DrawWindowBorder(HWND window, bool rightToLeft)
{
    if (!window || borderPainting_ || !IsWindow(window)) return;
    // Shaping the window repaints its items, which ask for the border again.
    borderPainting_ = true;
    RECT bounds;
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left, height = bounds.bottom - bounds.top;
    if (!UsesMenuWindowProc(window)) {
        const LONG_PTR old = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MenuWindowProc));
        SetWindowLongPtrA(window, GWLP_USERDATA, old);
    }
    if (!isWinXP_) ShapeForShadow(window, width, height);
    HDC dc = GetWindowDC(window);
    xplook::PaintMenuBorder(dc, width, height, rightToLeft, isWinXP_, WorkColors());
    ReleaseDC(window, dc);
    borderPainting_ = false;
}

void TXPMenu::AskForFlatBorder(HDC dc)
{
    HWND application = Application->Handle();
    HWND window = WindowFromDC(dc);
    if (!application || !window || (form_ && window == form_->Handle())) return;
    // One request at a time: the menu paints its items one by one.
    MSG queued;
    if (PeekMessageA(&queued, application, XPDrawBorderMessage, XPDrawBorderMessage, PM_NOREMOVE)) return;
    const bool rightToLeft = (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    PostMessageA(application, XPDrawBorderMessage, rightToLeft ? 1 : 0, reinterpret_cast<LPARAM>(window));
}
