// The XP look on a window of its own: which controls it takes over (once, and never
// those marked with Tag 999), that it leaves every control's chain of window procedures
// in whatever order windows, controls and the look go, owner-drawn menu items and bars, and
// the flat painters and tool buttons checked by pixels on off-screen bitmaps.
#include "tests/support/Canvas.h"
#include "toolkit/Button.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/Graphics.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/MenuEntry.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/Timer.h"
#include "toolkit/ToolBar.h"
#include "xplook/ControlSubClass.h"
#include "xplook/FlatPainters.h"
#include "xplook/XPPainters.h"
#include "xplook/Xpmenu.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace xplook;

XPPalette TestPalette()
{
    XPPalette palette;
    palette.bitsPerPixel = 32;
    palette.systemColor = [](int index) -> COLORREF {
        switch (index) {
        case COLOR_BTNFACE: return RGB(200, 200, 200);
        case COLOR_HIGHLIGHT: return RGB(0, 0, 160);
        case COLOR_BTNSHADOW: return RGB(100, 100, 100);
        case COLOR_WINDOW: return RGB(255, 255, 255);
        default: return RGB(0, 0, 0);
        }
    };
    return palette;
}

using testing_support::Canvas;

// A form with the look and a few standard controls on it and on a panel.
struct LookedForm {
    LookedForm()
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(50, 50, 400, 300);
        panel = new TPanel(form.get());
        panel->SetParent(form.get());
        panel->SetBounds(0, 0, 200, 100);
        edit = new TEdit(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(210, 10, 100, 22);
        panelEdit = new TEdit(form.get());
        panelEdit->SetParent(panel);
        panelEdit->SetBounds(10, 10, 100, 22);
        button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetBounds(210, 40, 80, 25);
        look = new TXPMenu(form.get());
        look->SetPalette(TestPalette());
        form->Show();
    }
    std::unique_ptr<TForm> form;
    TPanel* panel;
    TEdit* edit;
    TEdit* panelEdit;
    TButton* button;
    TXPMenu* look;
};

TEST(XPLook, TakesEachControlOverOnceAndOnlyWhileActive)
{
    LookedForm f;
    f.look->InitComponent(f.form.get());
    EXPECT_EQ(f.look->SubclassCount(), 0) << "an inactive look treats nothing";
    f.look->SetActive(true);
    const int treated = f.look->SubclassCount();
    EXPECT_GE(treated, 4);  // panel, both edits, button
    EXPECT_NE(TControlSubClass::Of(f.edit->Handle()), nullptr);
    f.look->InitComponent(f.form.get());
    f.look->InitComponent(f.edit);
    EXPECT_EQ(f.look->SubclassCount(), treated) << "a second hand-over makes no second object";
    f.look->SetActive(false);
    EXPECT_EQ(f.look->SubclassCount(), 0);
    EXPECT_EQ(TControlSubClass::Of(f.edit->Handle()), nullptr);
}

TEST(XPLook, LeavesTheChainWhateverGoesFirst)
{
    {  // the control goes first: its object goes with its window
        LookedForm f;
        f.look->SetActive(true);
        const int treated = f.look->SubclassCount();
        delete f.edit;
        EXPECT_EQ(f.look->SubclassCount(), treated - 1);
        delete f.panel;  // with the edit on it
        EXPECT_EQ(f.look->SubclassCount(), treated - 3);
    }
    {  // the look goes first: the controls keep working without it
        LookedForm f;
        f.look->SetActive(true);
        delete f.look;
        EXPECT_EQ(TControlSubClass::Of(f.edit->Handle()), nullptr);
        f.edit->SetText("still here");
        UpdateWindow(f.edit->Handle());
        EXPECT_EQ(f.edit->Text(), "still here");
    }
    {  // the form with both goes; the look was made last, so it goes first
        LookedForm f;
        f.look->SetActive(true);
        f.form.reset();
    }
    {  // the look made before the controls: they go first
        auto form = std::make_unique<TForm>(nullptr);
        auto* look = new TXPMenu(form.get());
        auto* edit = new TEdit(form.get());
        edit->SetParent(form.get());
        look->SetActive(true);
        EXPECT_EQ(look->SubclassCount(), 1);
        form.reset();
    }
}

// A pixel of a shown window.
COLORREF ShownPixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

TEST(XPLook, ASpinEditsArrowsLightUpOneAtATimeAndGoWithIt)
{
    LookedForm f;
    auto* spin = new TCSpinEdit(f.form.get());
    spin->SetParent(f.form.get());
    spin->SetBounds(10, 150, 100, 40);
    f.look->SetActive(true);
    const HWND arrows = spin->Arrows();
    const COLORREF select = f.look->WorkColors().select;
    RECT client;
    GetClientRect(arrows, &client);
    for (int y : {client.bottom / 4, client.bottom * 3 / 4}) {
        POINT at{2, y};
        ClientToScreen(arrows, &at);
        SetCursorPos(at.x, at.y);
        SendMessageA(arrows, WM_MOUSEMOVE, 0, MAKELPARAM(2, y));
        EXPECT_EQ(ShownPixel(arrows, 2, y), NewColor(select, 60));
        EXPECT_EQ(ShownPixel(arrows, 2, client.bottom - y), NewColor(select, 16)) << "the other arrow";
    }
    const int treated = f.look->SubclassCount();
    delete spin;
    EXPECT_EQ(f.look->SubclassCount(), treated - 2) << "the field's and the arrows' objects go with them";
}

TEST(XPLook, AButtonIsPressedByADoubleClickAndCoolsDownWhenDisabled)
{
    LookedForm f;
    f.look->SetActive(true);
    const HWND button = f.button->Handle();
    const XPWorkColors& c = f.look->WorkColors();
    const LPARAM inside = MAKELPARAM(5, 5);
    SendMessageA(button, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
    EXPECT_EQ(ShownPixel(button, 0, 12), GetShadeColor(NewColor(c.selectBorder, 60), 50)) << "the pressed edge";
    SendMessageA(button, WM_LBUTTONUP, 0, inside);
    SetFocus(f.edit->Handle());
    SendMessageA(button, WM_MOUSEMOVE, 0, inside);
    ASSERT_EQ(ShownPixel(button, 40, 12), NewColor(c.btnFace, 40)) << "hot by the mouse alone";
    EnableWindow(button, FALSE);
    EXPECT_EQ(ShownPixel(button, 40, 12), c.iconBack);
}

TEST(XPLook, ADoubleClickClicksASpeedButtonTwice)
{
    LookedForm f;
    auto* legend = new TSpeedButton(f.form.get());  // a switch, as the chart's legend button
    legend->SetParent(f.form.get());
    legend->SetBounds(10, 150, 60, 22);
    legend->SetGroupIndex(1);
    legend->SetAllowAllUp(true);
    int clicks = 0;
    legend->OnClick = [&clicks](TObject*) { ++clicks; };
    f.look->SetActive(true);
    const LPARAM inside = MAKELPARAM(5, 5);
    for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageA(legend->Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, inside);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(legend->Down()) << "switched on and off again";
}

TEST(XPLook, AFocusedControlCoolsDownWhenTheMouseLeaves)
{
    LookedForm f;
    f.look->SetActive(true);
    const HWND button = f.button->Handle();
    const XPWorkColors& c = f.look->WorkColors();
    SetFocus(button);
    ASSERT_EQ(GetFocus(), button);
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(ShownPixel(button, 40, 12), NewColor(c.btnFace, 40)) << "hot";
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(ShownPixel(button, 40, 12), c.iconBack) << "still focused, no longer hot";
}

TEST(XPLook, AControlDeletedByItsOwnClickIsNotTouchedAfterwards)
{
    LookedForm f;
    f.look->SetActive(true);
    const int treated = f.look->SubclassCount();
    TButton* button = f.button;
    button->OnClick = [button](TObject*) { delete button; };
    const POINT middle{10, 10};
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(middle.x, middle.y));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(middle.x, middle.y));
    Application->ProcessMessages();
    EXPECT_EQ(f.look->SubclassCount(), treated - 1);
}

TEST(XPLook, Tag999AndTheContainerSetKeepControlsUntouched)
{
    LookedForm f;
    f.edit->Tag = TagUntouched;
    f.look->SetActive(true);
    EXPECT_FALSE(f.look->IsSubclassed(f.edit));
    EXPECT_TRUE(f.look->IsSubclassed(f.panelEdit));

    LookedForm g;
    g.panel->Tag = TagUntouched;
    g.look->SetActive(true);
    EXPECT_FALSE(g.look->IsSubclassed(g.panelEdit)) << "the parent's Tag counts";

    LookedForm h;
    h.look->SetActive(true);
    h.look->SetXPContainers(AllXPContainers & ~XPBit(xccPanel));
    EXPECT_FALSE(h.look->IsSubclassed(h.panelEdit));
    EXPECT_TRUE(h.look->IsSubclassed(h.edit));
}

TEST(XPLook, PopupMenuItemsAreHookedExceptThoseWithTag999)
{
    LookedForm f;
    auto* menu = new TPopupMenu(f.form.get());
    menu->Tag = TagUntouched;  // the menu's own Tag does not count
    auto* kept = new TMenuItem(f.form.get());
    kept->Tag = TagUntouched;
    auto* child = new TMenuItem(f.form.get());
    auto* sibling = new TMenuItem(f.form.get());
    menu->Items()->Add(kept);
    kept->Add(child);
    menu->Items()->Add(sibling);
    f.look->SetActive(true);
    EXPECT_FALSE(kept->OnDrawItem);
    EXPECT_TRUE(child->OnDrawItem);
    EXPECT_TRUE(sibling->OnDrawItem && sibling->OnMeasureItem);

    TMenuDrawItemEvent own = [](TMenuItem*, HDC, const RECT&, bool) {};
    sibling->OnDrawItem = own;
    f.look->SetActive(false);
    EXPECT_TRUE(sibling->OnDrawItem) << "handlers of other code stay";
    EXPECT_FALSE(child->OnDrawItem);
}

TEST(XPLook, AShownPopupMenuAsksTheLookForItsItems)
{
    LookedForm f;
    TPopupMenu menu(f.form.get());
    auto* item = new TMenuItem(f.form.get());
    item->Caption = "Open";
    menu.Items()->Add(item);
    f.look->SetActive(true);
    ASSERT_TRUE(item->OnMeasureItem);
    int measured = 0, drawn = 0;
    auto measure = item->OnMeasureItem;
    auto draw = item->OnDrawItem;
    item->OnMeasureItem = [&](TMenuItem* i, HDC dc, int& w, int& h) { ++measured; measure(i, dc, w, h); };
    item->OnDrawItem = [&](TMenuItem* i, HDC dc, const RECT& r, bool s) { ++drawn; draw(i, dc, r, s); };
    TTimer timer(f.form.get());
    timer.SetInterval(100);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        PostMessageA(f.form->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    };
    SetForegroundWindow(f.form->Handle());
    menu.Popup(f.form->Left() + 10, f.form->Top() + 10);
    EXPECT_GE(measured, 1);
    EXPECT_GE(drawn, 1);
}

// ---- painters on off-screen bitmaps

XPWorkColors Colors() { return ComputeWorkColors(XPColorProperties{}, TestPalette()); }

TEST(XPPaint, MenuItems)
{
    const XPWorkColors c = Colors();
    const RECT rect{0, 0, 120, 20};
    MenuItemFacts plain;
    plain.caption = "";
    Canvas idle(120, 20);
    DrawMenuItem(plain, idle.dc(), rect, false, MenuLook{}, c);
    EXPECT_EQ(idle.at(5, 10), c.iconBack) << "icon column";
    EXPECT_EQ(idle.at(100, 10), c.work) << "item background";

    Canvas chosen(120, 20);
    DrawMenuItem(plain, chosen.dc(), rect, true, MenuLook{}, c);
    EXPECT_EQ(chosen.at(100, 10), c.select);
    EXPECT_EQ(chosen.at(100, 1), c.selectBorder);

    MenuItemFacts separator;
    separator.separator = true;
    Canvas line(120, 4);
    DrawMenuItem(separator, line.dc(), RECT{0, 0, 120, 4}, false, MenuLook{}, c);
    EXPECT_EQ(line.at(60, 2), c.separator);
    EXPECT_EQ(line.at(60, 0), c.work);

    MenuItemFacts checked = plain;
    checked.checked = true;
    Canvas mark(120, 20);
    DrawMenuItem(checked, mark.dc(), rect, false, MenuLook{}, c);
    EXPECT_EQ(mark.at(7, 5), c.checked) << "frame of the check box";
    EXPECT_EQ(mark.at(8, 6), c.checkedArea) << "inside of the check box";

    int width = 0, height = 0;
    MeasureMenuItem(separator, idle.dc(), MenuLook{}, width, height);
    EXPECT_EQ(height, 4);
}

// The columns of a canvas row range that hold anything but the background.
int InkIn(const Canvas& canvas, int from, int to, int top, int bottom, COLORREF background)
{
    int ink = 0;
    for (int x = from; x < to; ++x)
        for (int y = top; y < bottom; ++y) ink += canvas.at(x, y) != background;
    return ink;
}

TEST(XPPaint, AMenuItemsKeyIsMeasuredWithAGapAndRightAlignedTenPixelsIn)
{
    const XPWorkColors c = Colors();
    MenuItemFacts plain;
    plain.caption = "Open";
    MenuItemFacts keyed = plain;
    keyed.shortCut = "Strg+O";
    const MenuLook look;
    Canvas canvas(200, 20);
    HGDIOBJ old = SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
    auto textWidth = [&](const std::string& text) {
        SIZE size{};
        GetTextExtentPoint32A(canvas.dc(), text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    };
    const int keyWidth = textWidth("Strg+O ");
    const int plainWidth = textWidth("Open") + 5 + look.iconWidth;
    const int keyedWidth = textWidth("OpenStrg+OWWW") + 5 + look.iconWidth;
    SelectObject(canvas.dc(), old);

    const struct {
        const MenuItemFacts* item;
        int width;
        bool keyShown;
    } cases[] = {{&plain, plainWidth, false}, {&keyed, keyedWidth, true}};
    for (const auto& k : cases) {
        int width = 0, height = 0;
        MeasureMenuItem(*k.item, canvas.dc(), look, width, height);
        EXPECT_EQ(width, k.width) << k.item->shortCut;
        Canvas item(200, 20);
        DrawMenuItem(*k.item, item.dc(), RECT{0, 0, 200, 20}, false, look, c);
        EXPECT_EQ(InkIn(item, 200 - 10 - keyWidth, 200 - 10, 0, 20, c.work) > 0, k.keyShown) << k.item->shortCut;
        EXPECT_EQ(InkIn(item, 200 - 10, 200, 0, 20, c.work), 0) << "ten pixels stay free at the right";
    }
}

TEST(XPPaint, ButtonCheckBoxAndFrame)
{
    const XPWorkColors c = Colors();
    const FlatSurroundings around{RGB(200, 200, 200), RGB(10, 200, 10)};
    const RECT client{0, 0, 60, 24};
    Canvas idle(60, 24), hot(60, 24);
    FlatState state;
    PaintButton(idle.dc(), client, c, around, state, {});
    EXPECT_EQ(idle.at(0, 0), around.parentBrush) << "the rounded corner shows the parent";
    EXPECT_EQ(idle.at(30, 12), c.iconBack);
    state.hot = true;
    PaintButton(hot.dc(), client, c, around, state, {});
    EXPECT_EQ(hot.at(30, 12), NewColor(c.btnFace, 40));

    Canvas box(60, 24);
    FlatState boxState;
    PaintCheckBox(box.dc(), client, c, around, boxState, false);
    const int size = GetSystemMetrics(SM_CXHTHUMB);
    EXPECT_EQ(box.at(size / 2, 12), c.window);
    EXPECT_EQ(box.at(2, 3 + (18 - size) / 2 + 2), c.btnShadow) << "the box's frame";
    Canvas rightBox(60, 24);
    PaintCheckBox(rightBox.dc(), client, c, around, boxState, true);
    EXPECT_EQ(rightBox.at(60 - size / 2, 12), c.window) << "right aligned box";

    Canvas frame(30, 30);
    PaintFlatFrame(frame.dc(), RECT{0, 0, 30, 30}, EditFrameColor(c, around, FlatState{}));
    EXPECT_EQ(frame.at(0, 15), GetShadeColor(around.parentBrush, 60));
    EXPECT_EQ(ProgressFrameColor(c, around, state), c.selectBorder) << "a hot progress bar";
}

// A list of one solid image of colour.
TImageList* SolidList(TComponent* owner, TColor color)
{
    auto* list = new TImageList(owner, 16, 16);
    list->AddMasked(MakeSolidBitmap(16, 16, color), clFuchsia);
    return list;
}

TEST(XPPaint, SpeedButtonFacesByFlatHotAndDown)
{
    const XPWorkColors c = Colors();
    const FlatSurroundings around{RGB(200, 200, 200), RGB(10, 200, 10)};
    const struct {
        bool flat, hot, down;
        COLORREF face, corner;
    } cases[] = {
        {true, false, false, around.parentBrush, around.parentBrush},  // flat at rest: no outline
        {true, true, false, c.select, c.selectBorder},
        {true, false, true, c.checkedArea, c.btnShadow},
        {true, true, true, c.checkedAreaSelect, NewColor(c.selectBorder, 60)},
        {false, false, false, c.iconBack, GetShadeColor(c.btnShadow, 50)},  // raised: edge right and below
    };
    for (const auto& k : cases) {
        FlatState state;
        state.hot = k.hot;
        state.checked = k.down;
        Canvas canvas(40, 22);
        PaintSpeedButton(canvas.dc(), RECT{0, 0, 40, 22}, c, around, state, k.flat, {});
        const int row = static_cast<int>(&k - cases);
        EXPECT_EQ(canvas.at(20, 11), k.face) << row;
        EXPECT_EQ(canvas.at(39, 21), k.corner) << row << ": the outline";
    }
}

TEST(XPPaint, ToolButtonsUseTheImageOfTheirState)
{
    TForm form(nullptr);
    auto* bar = new TToolBar(&form);
    bar->SetParent(&form);
    bar->SetBounds(0, 0, 300, 30);
    bar->SetButtonSize(30, 26);
    bar->SetImages(SolidList(&form, clRed));
    bar->SetHotImages(SolidList(&form, clLime));
    TToolButton* button = bar->AddButton("b", tbsButton, 0);
    TToolButton* blank = bar->AddButton("s0", tbsSeparator, -1);
    TToolButton* second = bar->AddButton("c", tbsButton, 0);
    TToolButton* lined = bar->AddButton("s1", tbsSeparator, -1);
    lined->Tag = 1;
    TToolButton* third = bar->AddButton("d", tbsButton, 0);
    bar->SetTransparent(false);  // a flat bar is transparent (its parent shows through)
    TXPMenu look(&form);
    look.SetPalette(TestPalette());
    look.SetActive(true);
    EXPECT_TRUE(bar->OnCustomDrawButton) << "the look draws the bar's buttons";

    auto centre = [](TToolButton* b) {
        RECT r = b->BoundsRect();
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    auto paint = [&](TToolButton* b, unsigned state) {
        auto canvas = std::make_unique<Canvas>(300, 30);
        ToolBarDrawButton(look, bar, b, canvas->dc(), state);
        return canvas;
    };
    auto idle = paint(button, 0);
    EXPECT_EQ(idle->at(centre(button).x, centre(button).y), NewColor(RGB(255, 0, 0), look.DimLevel))
        << "a resting image is dimmed";
    auto hot = paint(button, cdsHot);
    EXPECT_EQ(hot->at(centre(button).x, centre(button).y), RGB(0, 255, 0)) << "the hot list";
    auto greyed = paint(button, cdsDisabled);
    EXPECT_EQ(greyed->at(centre(button).x, centre(button).y), NewColor(GrayColor(RGB(255, 0, 0), 10), 40))
        << "no disabled list: the normal image greyed";
    bar->SetDisabledImages(SolidList(&form, clBlue));
    auto disabled = paint(button, cdsDisabled);
    EXPECT_EQ(disabled->at(centre(button).x, centre(button).y), NewColor(GrayColor(RGB(0, 0, 255), 10), 40));

    const COLORREF background = NewColor(RGB(200, 200, 200), 16);
    auto afterBlank = paint(second, 0);
    EXPECT_EQ(afterBlank->at(centre(blank).x, centre(blank).y), background) << "Tag 0: no line";
    auto afterLine = paint(third, 0);
    EXPECT_EQ(afterLine->at(centre(lined).x, centre(lined).y), GetShadeColor(RGB(200, 200, 200), 30));

    XPColorProperties own;
    own.useSystemColors = false;
    own.selectColor = RGB(0, 128, 0);
    look.SetColorProperties(own);
    const RECT r = button->BoundsRect();
    EXPECT_EQ(paint(button, cdsHot)->at(r.left + 2, r.top + 3), NewColor(RGB(0, 128, 0), 68)) << "own select colour";
}

// The colours round a control on a green panel; BlendingIn: with Tag 1000.
const FlatSurroundings kOnGreen{RGB(200, 200, 200), RGB(10, 200, 10)};
const FlatSurroundings kBlendingIn{RGB(200, 200, 200), RGB(10, 200, 10), true};

TEST(XPPaint, UpDownHalves)
{
    const XPWorkColors c = Colors();
    const COLORREF idle = NewColor(c.select, 16), black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    FlatState hot, pressed, disabled;
    hot.hot = pressed.hot = pressed.pressed = disabled.hot = true;
    disabled.enabled = false;
    struct Case {
        FlatState state;
        int hotHalf;
        FlatSurroundings around;
        COLORREF upperBorder, upperFill, lowerFill, upperArrow, lowerArrow;
    } const cases[] = {
        {FlatState{}, 0, kOnGreen, NewColor(kOnGreen.parentBrush, 80), idle, idle, black, black},
        {hot, 0, kOnGreen, c.selectBorder, NewColor(c.select, 60), idle, black, black},
        {pressed, 1, kOnGreen, NewColor(kOnGreen.parentBrush, 80), idle, c.checkedAreaSelect, black, white},
        {disabled, 0, kOnGreen, NewColor(kOnGreen.parentBrush, 80), idle, idle, white, white},
        {FlatState{}, -1, kBlendingIn, NewColor(kOnGreen.parentBrush, 80), NewColor(kOnGreen.parentBrush, 16),
         NewColor(kOnGreen.parentBrush, 16), black, black},
    };
    for (const Case& k : cases) {
        Canvas canvas(16, 20);
        PaintUpDown(canvas.dc(), RECT{0, 0, 16, 20}, c, k.around, k.state, k.hotHalf);
        const int row = static_cast<int>(&k - cases);
        EXPECT_EQ(canvas.at(0, 5), k.upperBorder) << row;
        EXPECT_EQ(canvas.at(2, 5), k.upperFill) << row;
        EXPECT_EQ(canvas.at(2, 15), k.lowerFill) << row;
        EXPECT_EQ(canvas.at(8, 3), k.upperArrow) << row << ": the upper arrow's tip";
        EXPECT_EQ(canvas.at(8, 16), k.lowerArrow) << row << ": the lower arrow's tip";
    }
}

TEST(XPPaint, FacesOfControlsWithTag1000TakeTheParentsColour)
{
    const XPWorkColors c = Colors();
    FlatState hot;
    hot.hot = true;
    Canvas idleButton(60, 24), hotButton(60, 24), combo(100, 22);
    PaintButton(idleButton.dc(), RECT{0, 0, 60, 24}, c, kBlendingIn, FlatState{}, {});
    PaintButton(hotButton.dc(), RECT{0, 0, 60, 24}, c, kBlendingIn, hot, {});
    PaintCombo(combo.dc(), RECT{0, 0, 100, 22}, c, kBlendingIn, FlatState{}, false, false);
    EXPECT_EQ(idleButton.at(30, 12), NewColor(kOnGreen.parentBrush, 16));
    EXPECT_EQ(hotButton.at(30, 12), NewColor(kOnGreen.parentBrush, 40));
    EXPECT_EQ(combo.at(100 - 4, 4), NewColor(kOnGreen.parentBrush, 16)) << "the drop-down button";
}

TEST(XPPaint, BevelsAndGroupFramesAreLightAboveAndShadedBelow)
{
    const COLORREF light = NewColor(kOnGreen.control, 60), shade = GetShadeColor(kOnGreen.control, 60);
    const COLORREF untouched = RGB(255, 255, 255);
    struct Case {
        TPanelBevel outer, inner;
        int bevelWidth, borderWidth;
        COLORREF top, bottom, innerLeft, deepLeft;
    } const cases[] = {
        {bvRaised, bvLowered, 1, 0, light, shade, shade, untouched},
        {bvLowered, bvNone, 1, 0, shade, light, untouched, untouched},
        {bvNone, bvNone, 1, 0, untouched, untouched, untouched, untouched},
        {bvRaised, bvLowered, 2, 1, light, shade, light, shade},  // 2 pixels each, 1 apart
    };
    for (const Case& k : cases) {
        Canvas canvas(40, 20);
        PatBlt(canvas.dc(), 0, 0, 40, 20, WHITENESS);
        PaintPanelBevels(canvas.dc(), RECT{0, 0, 40, 20}, kOnGreen.control, k.outer, k.inner, k.bevelWidth,
                         k.borderWidth);
        const int row = static_cast<int>(&k - cases);
        EXPECT_EQ(canvas.at(20, 0), k.top) << row;
        EXPECT_EQ(canvas.at(20, 19), k.bottom) << row;
        EXPECT_EQ(canvas.at(1, 10), k.innerLeft) << row;
        EXPECT_EQ(canvas.at(3, 10), k.deepLeft) << row;
    }
    Canvas group(100, 60);
    PatBlt(group.dc(), 0, 0, 100, 60, WHITENESS);
    PaintGroupFrame(group.dc(), RECT{0, 0, 100, 60}, kOnGreen, 14, 40);
    EXPECT_EQ(group.at(0, 30), light);
    EXPECT_EQ(group.at(50, 59), shade);
    EXPECT_EQ(group.at(20, 7), untouched) << "the caption is not struck through";
}

TEST(XPLook, AMenuBarIsDrawnByTheLookUnlessItsTagIs999)
{
    LookedForm f;
    auto* bar = new TMainMenu(f.form.get());
    TMenuItem* file = AddMenuEntry(f.form.get(), bar, "File1", "File");
    TMenuItem* open = AddMenuEntry(f.form.get(), file, "Open1", "Open");
    bar->Rebuild();
    f.look->SetActive(true);
    EXPECT_TRUE(file->OnDrawItem && open->OnDrawItem);
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(GetMenu(f.form->Handle()), 0, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "the bar is made anew with the look's items";
    int drawn = 0;
    auto draw = file->OnDrawItem;
    file->OnDrawItem = [&](TMenuItem* i, HDC dc, const RECT& r, bool s) { ++drawn; draw(i, dc, r, s); };
    RedrawWindow(f.form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(drawn, 1) << "the shown bar asks its items to draw themselves";
    f.look->SetActive(false);
    EXPECT_FALSE(open->OnDrawItem);

    TForm other(nullptr);
    auto* kept = new TMainMenu(&other);
    kept->Tag = TagUntouched;
    TMenuItem* item = AddMenuEntry(&other, kept, "Item1", "Item");
    TXPMenu look(&other);
    look.SetActive(true);
    EXPECT_FALSE(item->OnDrawItem);
}

TEST(XPPaint, MenuBarItems)
{
    const XPWorkColors c = Colors();
    MenuLook look;
    look.drawMenuBar = true;
    look.menuBarColor = RGB(10, 120, 30);
    look.barWidth = 200;
    MenuItemFacts top;
    top.topItem = top.lastTopItem = true;
    Canvas bar(220, 20);
    DrawMenuItem(top, bar.dc(), RECT{0, 0, 60, 20}, false, look, c);
    EXPECT_EQ(bar.at(30, 10), look.menuBarColor);
    EXPECT_EQ(bar.at(200, 10), look.menuBarColor) << "the bar behind its last item";
    EXPECT_EQ(bar.at(210, 10), RGB(0, 0, 0)) << "no further than the form";

    Canvas open(60, 20);
    DrawMenuItem(top, open.dc(), RECT{0, 0, 60, 20}, true, look, c);
    EXPECT_EQ(open.at(20, 10), c.select);
    EXPECT_EQ(open.at(0, 10), c.selectBorder);
    EXPECT_EQ(open.at(59, 15), GetShadeColor(c.menuBar, 10)) << "the shadow falls to the right";
    EXPECT_EQ(open.at(53, 15), GetShadeColor(c.menuBar, 100));
}

TEST(XPPaint, MenuItemPictures)
{
    LookedForm f;
    f.look->SetActive(true);
    TPopupMenu menu(f.form.get());
    menu.Images = SolidList(f.form.get(), clRed);
    TMenuItem* item = AddMenuEntry(f.form.get(), &menu, "Item1", "");
    item->ImageIndex = 0;
    TMenuItem* parent = AddMenuEntry(f.form.get(), &menu, "Parent1", "");
    parent->SubMenuImages = SolidList(f.form.get(), clLime);
    TMenuItem* child = AddMenuEntry(f.form.get(), parent, "Child1", "");
    child->ImageIndex = 0;
    TMenuItem* own = AddMenuEntry(f.form.get(), &menu, "Own1", "");
    HBITMAP bitmap = MakeSolidBitmap(16, 16, clBlue);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        for (int x = 0; x < 16; ++x) SetPixelV(dc, x, 15, RGB(255, 255, 255));  // shows through
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    own->SetBitmap(bitmap);
    const XPWorkColors c = Colors();
    const RECT rect{0, 0, 120, 24};
    auto paint = [&](TMenuItem* which, bool selected) {
        auto canvas = std::make_unique<Canvas>(120, 24);
        f.look->DrawItem(which, canvas->dc(), rect, selected);
        return canvas;
    };
    // A 16-pixel picture is centred in the 24-pixel column, 3 pixels down.
    EXPECT_EQ(paint(item, false)->at(8, 8), NewColor(RGB(255, 0, 0), f.look->DimLevel)) << "resting: dimmed";
    EXPECT_EQ(paint(item, false)->at(2, 8), c.iconBack);
    auto hot = paint(item, true);
    EXPECT_EQ(hot->at(3, 2), RGB(255, 0, 0)) << "hot: lifted one pixel up and left";
    EXPECT_EQ(hot->at(19, 18), GetShadeColor(c.select, 50)) << "over its shadow";
    item->Enabled = false;
    EXPECT_EQ(paint(item, false)->at(8, 8), NewColor(GrayColor(RGB(255, 0, 0), f.look->GrayLevel), 40));
    EXPECT_EQ(paint(child, false)->at(8, 8), NewColor(RGB(0, 255, 0), f.look->DimLevel)) << "the sub-menu's list";
    auto ownPicture = paint(own, false);
    EXPECT_EQ(ownPicture->at(8, 8), NewColor(RGB(0, 0, 255), f.look->DimLevel));
    EXPECT_EQ(ownPicture->at(8, 18), c.iconBack) << "the colour of the bottom-left pixel is clear";

    f.look->Gradient = true;
    auto faded = paint(parent, false);
    EXPECT_EQ(faded->at(0, 10), c.iconBack);
    EXPECT_EQ(faded->at(119, 10), NewColor(c.iconBack, 96));
}

// The pixels of a shown window's client area that are not colour.
int ShownInk(HWND window, COLORREF colour)
{
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    int ink = 0;
    for (int x = 2; x < client.right - 2; ++x)
        for (int y = 2; y < client.bottom - 2; ++y) ink += GetPixel(dc, x, y) != colour;
    ReleaseDC(window, dc);
    return ink;
}

TEST(XPLook, TheDefaultButtonsCaptionIsEmbossed)
{
    LookedForm f;
    f.button->SetCaption("Weiter");
    f.look->SetActive(true);
    const COLORREF face = f.look->WorkColors().iconBack;
    UpdateWindow(f.button->Handle());
    const int plain = ShownInk(f.button->Handle(), face);
    f.button->SetDefault(true);
    UpdateWindow(f.button->Handle());
    EXPECT_GT(ShownInk(f.button->Handle(), face), plain + 10);
}

TEST(XPLook, ACheckBoxCoolsDownWhenItsCheckIsSetAndButtonsFollowTheirParentsColour)
{
    LookedForm f;
    auto* box = new TCheckBox(f.form.get());
    box->SetParent(f.form.get());
    box->SetBounds(10, 120, 120, 20);
    auto* button = new TButton(f.form.get());
    button->SetParent(f.panel);
    button->SetBounds(100, 40, 80, 25);
    f.look->SetActive(true);
    Application->ProcessMessages();
    const XPWorkColors& c = f.look->WorkColors();
    const int size = GetSystemMetrics(SM_CXHTHUMB);
    const POINT inBox{3, 3 + (14 - size) / 2 + 3};
    SendMessageA(box->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 10));
    ASSERT_EQ(ShownPixel(box->Handle(), inBox.x, inBox.y), c.select);
    SendMessageA(box->Handle(), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(ShownPixel(box->Handle(), inBox.x, inBox.y), c.window);

    f.panel->SetColor(clRed);
    EXPECT_EQ(ShownPixel(button->Handle(), 0, 0), RGB(255, 0, 0)) << "the rounded corner shows the new colour";
}

TEST(XPPaint, AListFrameWithoutABorderOfItsOwnIsFainter)
{
    const XPWorkColors c = Colors();
    FlatState hot;
    hot.hot = true;
    const struct {
        bool singleBorder;
        FlatState state;
        COLORREF frame;
    } cases[] = {
        {true, FlatState{}, GetShadeColor(kOnGreen.parentBrush, 60)},
        {false, FlatState{}, kOnGreen.parentBrush},
        {true, hot, NewColor(c.selectBorder, 60)},
        {false, hot, NewColor(c.selectBorder, 80)},
    };
    for (const auto& k : cases)
        EXPECT_EQ(ListFrameColor(c, kOnGreen, k.state, k.singleBorder), k.frame) << &k - cases;
}

TEST(XPPaint, ToolButtonsOpenLikeBarItemsGreyTheirCaptionsAndLeaveTransparentBarsUnfilled)
{
    TForm form(nullptr);
    auto* bar = new TToolBar(&form);
    bar->SetParent(&form);
    bar->SetBounds(0, 0, 300, 50);
    bar->SetImages(SolidList(&form, clRed));
    TToolButton* menuButton = bar->AddButton("m", tbsButton, 0);
    menuButton->DropdownMenu = new TPopupMenu(&form);
    TToolButton* captioned = bar->AddButton("c", tbsButton, 0);
    captioned->SetCaption("Wg");
    bar->SetButtonSize(40, 46);
    TXPMenu look(&form);
    look.SetPalette(TestPalette());
    const XPWorkColors& c = look.WorkColors();
    const COLORREF barColor = look.Resolve(bar->Color());
    auto paint = [&](TToolButton* b, unsigned state) {
        auto canvas = std::make_unique<Canvas>(300, 50);
        ToolBarDrawButton(look, bar, b, canvas->dc(), state);
        return canvas;
    };
    const RECT m = menuButton->BoundsRect();
    auto open = paint(menuButton, cdsSelected);
    EXPECT_EQ(open->at(m.left + 2, m.top + 3), c.select);
    EXPECT_EQ(open->at(m.right - 1, m.bottom - 2), GetShadeColor(barColor, 70)) << "the strip at the right";

    const RECT t = captioned->BoundsRect();
    auto countOf = [&](const Canvas& canvas, COLORREF colour) {
        int n = 0;
        for (int x = t.left; x < t.right; ++x)
            for (int y = t.top + 20; y < t.bottom; ++y) n += canvas.at(x, y) == colour;
        return n;
    };
    EXPECT_GT(countOf(*paint(captioned, cdsDisabled), c.disabled), 0);

    bar->SetTransparent(true);
    EXPECT_EQ(paint(captioned, 0)->at(t.left + 1, t.bottom - 1), RGB(0, 0, 0)) << "the canvas shows through";
}

TEST(XPLook, AMenuBarItemUnderTheMouseLightsUp)
{
    LookedForm f;
    auto* bar = new TMainMenu(f.form.get());
    TMenuItem* file = AddMenuEntry(f.form.get(), bar, "File1", "File");
    bar->Rebuild();
    f.look->SetActive(true);
    const XPWorkColors& c = f.look->WorkColors();
    const RECT item{8, 30, 68, 50};  // in the form's window coordinates
    Canvas canvas(80, 60);
    for (bool over : {true, false}) {
        SetCursorPos(f.form->Left() + (over ? 20 : 200), f.form->Top() + 40);
        f.look->DrawItem(file, canvas.dc(), item, false);
        EXPECT_EQ(canvas.at(55, 40), over ? c.select : c.menuBar) << over;
        EXPECT_EQ(canvas.at(item.right - 8, 40), over ? c.selectBorder : c.menuBar) << over;
        EXPECT_EQ(canvas.at(item.right - 3, 40), c.menuBar) << "no shadow";
    }
}

}  // namespace
