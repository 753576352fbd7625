// The status bar: panel layout and owner-drawn panels.
#include "toolkit/Forms.h"
#include "toolkit/StatusBar.h"

#include "ToolkitTestSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

using toolkit_test::ToolkitTest;

class StatusBarTest : public ToolkitTest {};

TEST_F(StatusBarTest, PanelsGetTheirWidthsAndTheLastOneTheRest)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 200);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    bar->Panels()->Add()->SetWidth(150);
    bar->Panels()->Add()->SetWidth(100);
    bar->Panels()->Items(1)->SetText("Ready . . .");
    int edges[4] = {};
    int parts = static_cast<int>(SendMessageA(bar->Handle(), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(parts, 2);
    EXPECT_EQ(edges[0], 150);
    EXPECT_EQ(edges[1], -1);
    char text[64] = "";
    SendMessageA(bar->Handle(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Ready . . .");
}

TEST_F(StatusBarTest, OwnerDrawnPanelsArePaintedByOnDrawPanel)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 400, 200);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    for (int i = 0; i < 2; ++i) {
        TStatusPanel* panel = bar->Panels()->Add();
        panel->SetWidth(200);
        panel->SetStyle(psOwnerDraw);
    }
    std::vector<int> drawn;
    bar->OnDrawPanel = [&](TStatusBar* sender, TStatusPanel* panel, const TRect& rect) {
        EXPECT_EQ(sender, bar);
        EXPECT_GT(rect.Width(), 0);
        drawn.push_back(panel->Index());
        sender->Canvas()->Brush.Color = clWhite;
        sender->Canvas()->FillRect(rect);
        sender->Canvas()->Font.SetColor(clRed);
        sender->Canvas()->TextOut(rect.Left + 2, rect.Top + 1, "www");
    };
    form.Show();
    RedrawWindow(bar->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_GE(drawn.size(), 2u);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 0), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), 1), drawn.end());
    // The handler's white brush is on the screen.
    HDC dc = GetDC(bar->Handle());
    RECT part;
    SendMessageA(bar->Handle(), SB_GETRECT, 0, reinterpret_cast<LPARAM>(&part));
    COLORREF pixel = GetPixel(dc, part.right - 3, part.top + 2);
    ReleaseDC(bar->Handle(), dc);
    EXPECT_EQ(pixel, RGB(255, 255, 255));
}

}  // namespace
