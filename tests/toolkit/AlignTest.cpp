// Align: aligned controls share the parent's client area and follow its size.
#include "toolkit/Forms.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"

#include "ToolkitTestSupport.h"

namespace {

using toolkit_test::ToolkitTest;

class AlignTest : public ToolkitTest {};

void ExpectBounds(TControl* c, int left, int top, int width, int height)
{
    EXPECT_EQ(c->Left(), left) << c->Name;
    EXPECT_EQ(c->Top(), top) << c->Name;
    EXPECT_EQ(c->Width(), width) << c->Name;
    EXPECT_EQ(c->Height(), height) << c->Name;
}

TPanel* MakePanel(TForm* form, const char* name, TAlign align, int width, int height)
{
    auto* panel = new TPanel(form);
    panel->Name = name;
    panel->SetParent(form);
    panel->SetBounds(0, 0, width, height);
    panel->SetAlign(align);
    return panel;
}

TEST_F(AlignTest, ControlsShareTheClientAreaAndFollowResize)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 400, 300);
    TPanel* title = MakePanel(&form, "title", alTop, 10, 35);
    TStatusBar* status = new TStatusBar(&form);
    status->Name = "status";
    status->SetParent(&form);
    TPanel* side = MakePanel(&form, "side", alLeft, 120, 10);
    TPanel* client = MakePanel(&form, "client", alClient, 10, 10);

    int statusHeight = status->Height();
    ExpectBounds(title, 0, 0, 400, 35);
    ExpectBounds(status, 0, 300 - statusHeight, 400, statusHeight);
    ExpectBounds(side, 0, 35, 120, 300 - 35 - statusHeight);
    ExpectBounds(client, 120, 35, 280, 300 - 35 - statusHeight);

    form.SetBounds(0, 0, 500, 350);
    ExpectBounds(title, 0, 0, 500, 35);
    ExpectBounds(status, 0, 350 - statusHeight, 500, statusHeight);
    ExpectBounds(client, 120, 35, 380, 350 - 35 - statusHeight);
}

TEST_F(AlignTest, HidingAnAlignedControlGivesItsSpaceAway)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 300, 200);
    TPanel* top = MakePanel(&form, "top", alTop, 10, 50);
    TPanel* client = MakePanel(&form, "client", alClient, 10, 10);
    ExpectBounds(client, 0, 50, 300, 150);
    top->Hide();
    ExpectBounds(client, 0, 0, 300, 200);
    top->Show();
    ExpectBounds(client, 0, 50, 300, 150);
}

TEST_F(AlignTest, ResizingAnAlignedControlRealignsItsSiblings)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 300, 200);
    TPanel* right = MakePanel(&form, "right", alRight, 60, 10);
    TPanel* client = MakePanel(&form, "client", alClient, 10, 10);
    ExpectBounds(right, 240, 0, 60, 200);
    right->SetWidth(100);
    ExpectBounds(right, 200, 0, 100, 200);
    ExpectBounds(client, 0, 0, 200, 200);
}

TEST_F(AlignTest, PanelBevelsStayOutsideAlignedChildren)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    TPanel* outer = MakePanel(&form, "outer", alNone, 100, 80);
    outer->SetBevelOuter(bvRaised);
    outer->SetBevelInner(bvLowered);
    auto* inner = new TPanel(&form);
    inner->SetParent(outer);
    inner->SetAlign(alClient);
    ExpectBounds(inner, 2, 2, 96, 76);
    outer->SetBevelInner(bvNone);
    outer->SetBevelOuter(bvNone);
    ExpectBounds(inner, 0, 0, 100, 80);
}

TEST_F(AlignTest, ClientSizeOfABorderedForm)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsDialog);
    form.SetClientWidth(314);
    form.SetClientHeight(185);
    EXPECT_EQ(form.ClientWidth(), 314);
    EXPECT_EQ(form.ClientHeight(), 185);
    EXPECT_GT(form.Height(), 185);  // the caption is outside the client area
    auto* frame = new TFrame(&form);
    frame->SetParent(&form);
    frame->SetAlign(alClient);
    EXPECT_EQ(frame->Width(), 314);
    EXPECT_EQ(frame->Height(), 185);
}

}  // namespace
