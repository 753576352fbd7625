// Labels: hover events, clicks, and the size that follows text and font.
#include "toolkit/Forms.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/Place.h"

#include "ToolkitTestSupport.h"

#include <string>
#include <vector>

namespace {

using toolkit_test::PumpUntil;
using toolkit_test::ToolkitTest;

class LabelTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(100, 100, 300, 200);
        panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetAlign(alClient);
        label = new TLabel(form);
        label->SetParent(panel);
        label->SetBounds(34, 10, 10, 10);
        label->SetCaption("Choose Drive");
    }
    void TearDown() override
    {
        delete form;
        ToolkitTest::TearDown();
    }
    TForm* form = nullptr;
    TPanel* panel = nullptr;
    TLabel* label = nullptr;
};

TEST_F(LabelTest, HoverTurnsTheLinkRedAndLeavingTurnsItBack)
{
    // The sidebar's link behaviour, driven by the messages Windows sends.
    std::vector<std::string> events;
    label->Font()->SetColor(clBlue);
    label->OnMouseMove = [&](TObject* sender, TShiftState, int x, int y) {
        events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
        auto* l = static_cast<TLabel*>(sender);
        l->Font()->SetColor(clRed);
        l->Font()->SetStyle(fsBold | fsUnderline);
        l->SetCursor(crHandPoint);
    };
    label->OnMouseLeave = [&](TObject* sender) {
        events.push_back("leave");
        auto* l = static_cast<TLabel*>(sender);
        l->Font()->SetColor(clBlue);
        l->Font()->SetStyle(0);
    };
    SendMessageA(label->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
    EXPECT_EQ(label->Font()->Color(), clRed);
    EXPECT_EQ(label->Font()->Style(), fsBold | fsUnderline);
    SendMessageA(label->Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(events, (std::vector<std::string>{"move 3,4", "leave"}));
    EXPECT_EQ(label->Font()->Color(), clBlue);
    EXPECT_EQ(label->Font()->Style(), 0u);
}

TEST_F(LabelTest, LeaveIsReportedWhenTheMouseReallyMovesAway)
{
    // Hovering starts leave tracking; the system then reports the leave by itself.
    form->Show();
    Application->ProcessMessages();
    POINT inside{2, 2};
    ClientToScreen(label->Handle(), &inside);
    SetCursorPos(inside.x, inside.y);
    bool left = false;
    label->OnMouseLeave = [&](TObject*) { left = true; };
    SendMessageA(label->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    SetCursorPos(0, 0);
    EXPECT_TRUE(PumpUntil([&] { return left; }));
}

TEST_F(LabelTest, ClickReachesOnClickThroughTheParent)
{
    form->Show();
    int clicks = 0;
    label->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, label);
        ++clicks;
    };
    SendMessageA(label->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(label->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Application->ProcessMessages();
    EXPECT_EQ(clicks, 1);
}

TEST_F(LabelTest, AutoSizeFollowsCaptionAndFont)
{
    int normal = label->Width();
    EXPECT_GT(normal, 0);
    label->Font()->SetStyle(fsBold);
    EXPECT_GT(label->Width(), normal);
    label->SetCaption("Choose Drive and more");
    EXPECT_GT(label->Width(), normal);
    EXPECT_EQ(label->Left(), 34);
    EXPECT_EQ(label->Top(), 10);
    label->SetAutoSize(false);
    label->SetWidth(20);
    label->SetCaption("a much longer caption than before");
    EXPECT_EQ(label->Width(), 20);
}

TEST_F(LabelTest, APlacedLabelKeepsItsBoxAndTakesTheLookAskedFor)
{
    TLabel* plain = PlaceLabel(form, panel, "Plain", 4, 40, 60, 16);
    TLabel* wrapped = PlaceLabel(form, panel, "Wrapped", 4, 60, 60, 34, llWordWrap | llTransparent);
    for (TLabel* placed : {plain, wrapped}) {
        placed->SetCaption("a caption far longer than the box it was placed in");
        EXPECT_EQ(placed->Width(), 60) << placed->Name;
        EXPECT_EQ(placed->Parent(), panel) << placed->Name;
    }
    EXPECT_EQ(plain->Height(), 16);
    EXPECT_EQ(wrapped->Height(), 34);
    EXPECT_FALSE(plain->Transparent() || plain->WordWrap());
    EXPECT_TRUE(wrapped->Transparent() && wrapped->WordWrap());
}

TEST_F(LabelTest, AutoSizedLabelHoldsEveryLetterOfTheLongestCaptions)
{
    // The same caption in a wide label shows how far its letters really reach: no ink may
    // lie beyond the auto-sized width, in normal or in bold (hovered) type.
    const char* captions[] = {"Laufwerke wählen", "Laufwerksinformationen", "Alle auswählen",
                              "Installierte Software", "Windows Software", "Deinstallationseinträge",
                              "your system will be shutting down", "wird Ihr System heruntergefahren"};
    auto* wide = new TLabel(form);
    wide->SetParent(panel);
    wide->SetAutoSize(false);
    wide->SetBounds(34, 60, 260, 20);
    form->SetBorderStyle(bsNone);
    form->Show();
    const COLORREF background = ColorToRGB(panel->Color());
    for (TFontStyles style : {TFontStyles(0), fsBold | fsUnderline}) {
        for (const char* caption : captions) {
            label->Font()->SetStyle(style);
            wide->Font()->SetStyle(style);
            label->SetCaption(caption);
            wide->SetCaption(caption);
            RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            HDC dc = GetDC(wide->Handle());
            int inkRight = 0;
            for (int x = 0; x < wide->Width(); ++x)
                for (int y = 0; y < wide->Height(); ++y)
                    if (GetPixel(dc, x, y) != background) inkRight = x + 1;
            ReleaseDC(wide->Handle(), dc);
            EXPECT_GE(label->Width(), inkRight) << caption << (style ? " (bold)" : "");
        }
    }
}

TEST_F(LabelTest, TransparentLabelShowsThePictureBelowIt)
{
    // A title label over its title picture: the picture's colour must be around the text.
    auto* image = new TImage(form);
    image->SetParent(panel);
    image->SetBounds(0, 0, 200, 40);
    image->Picture()->SetBitmap(MakeSolidBitmap(200, 40, clLime));
    image->SendToBack();
    label->SetTransparent(true);
    label->SetCaption("  ");
    form->SetBorderStyle(bsNone);
    form->Show();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC dc = GetDC(label->Handle());
    COLORREF pixel = GetPixel(dc, 1, 1);
    ReleaseDC(label->Handle(), dc);
    EXPECT_EQ(pixel, RGB(0, 255, 0));
}

TEST_F(LabelTest, ParentFontIsFollowedUntilTheLabelGetsItsOwn)
{
    panel->Font()->SetSize(12);
    EXPECT_EQ(label->Font()->Size(), 12);
    label->Font()->SetSize(9);
    EXPECT_FALSE(label->ParentFont());
    panel->Font()->SetSize(14);
    EXPECT_EQ(label->Font()->Size(), 9);
}

TEST_F(LabelTest, LabelsInTheSameFontShareItsHandleUntilOneChangesIt)
{
    auto* other = new TLabel(form);
    other->SetParent(panel);
    HFONT shared = label->Font()->Handle();
    EXPECT_EQ(other->Font()->Handle(), shared);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(other->Handle(), WM_GETFONT, 0, 0)), shared);

    other->Font()->SetStyle(fsBold);
    HFONT bold = other->Font()->Handle();
    EXPECT_NE(bold, shared);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(other->Handle(), WM_GETFONT, 0, 0)), bold);
    LOGFONTA description{};
    ASSERT_EQ(GetObjectA(bold, sizeof description, &description), static_cast<int>(sizeof description));
    EXPECT_EQ(description.lfWeight, FW_BOLD);

    // The font the other label gave up is still whole for this one.
    delete other;
    ASSERT_EQ(GetObjectA(label->Font()->Handle(), sizeof description, &description),
              static_cast<int>(sizeof description));
    EXPECT_EQ(description.lfWeight, FW_NORMAL);
    EXPECT_EQ(label->Font()->Handle(), shared);
}

}  // namespace
