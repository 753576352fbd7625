// The look's manager: windows made later get the application window's look once, at its
// next message, unless they are marked or carry a look of their own; windows that go or
// fail are never touched again; a look that stops serving other windows hands them on.
// Also the flat border of popup menus.
#include "tests/support/Canvas.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"
#include "xplook/ControlSubClass.h"
#include "xplook/MenuBorder.h"
#include "xplook/XPMenuManager.h"
#include "xplook/Xpmenu.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct LaterForm {
    TForm* form;
    TEdit* edit;
    TMenuItem* item;
};

LaterForm MakeForm()
{
    auto* form = new TForm(Application);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    auto* menu = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    menu->Items()->Add(item);
    return {form, edit, item};
}

// Runs the waiting messages of this window only (not the application window's).
void DispatchMessagesOf(TForm* form)
{
    MSG msg;
    while (PeekMessageA(&msg, form->Handle(), 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

class XPManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        Application->CreateForm(main);
        mainEdit = new TEdit(main);
        mainEdit->SetParent(main);
        look = new TXPMenu(main);
        look->SetActive(true);
    }
    void TearDown() override
    {
        while (Screen->FormCount() > 0) delete Screen->Forms(Screen->FormCount() - 1);
        Application->ProcessMessages();
    }
    bool Treated(const LaterForm& later) const { return look->IsSubclassed(later.edit); }

    TForm* main = nullptr;
    TEdit* mainEdit = nullptr;
    TXPMenu* look = nullptr;
};

TEST_F(XPManagerTest, AFormMadeLaterIsTreatedAtTheApplicationWindowsNextMessageOnce)
{
    look->Loaded();
    LaterForm later = MakeForm();
    DispatchMessagesOf(later.form);
    EXPECT_TRUE(XPMenuManager->IsFormSubclassed(later.form));
    EXPECT_FALSE(Treated(later)) << "it waits for the application window";
    SendMessageA(Application->Handle(), WM_NULL, 0, 0);
    EXPECT_TRUE(Treated(later));
    EXPECT_TRUE(later.item->OnDrawItem);

    later.item->OnDrawItem = nullptr;
    SendMessageA(Application->Handle(), WM_NULL, 0, 0);
    Application->ProcessMessages();
    EXPECT_FALSE(later.item->OnDrawItem) << "treated once";
}

TEST_F(XPManagerTest, FormsMarked999OrWithALookOfTheirOwnAreNeverTreated)
{
    LaterForm plain = MakeForm(), marked = MakeForm(), owning = MakeForm();
    marked.form->Tag = TagUntouched;
    new TXPMenu(owning.form);
    look->Loaded();  // collects the forms there are
    LaterForm markedLater = MakeForm(), owningLater = MakeForm();
    markedLater.form->Tag = TagUntouched;
    new TXPMenu(owningLater.form);
    Application->ProcessMessages();
    EXPECT_TRUE(Treated(plain));
    for (const LaterForm* form : {&marked, &owning, &markedLater, &owningLater}) {
        EXPECT_FALSE(Treated(*form));
        EXPECT_FALSE(form->item->OnDrawItem);
    }
}

TEST_F(XPManagerTest, AFormDestroyedWhilePendingIsNotTouched)
{
    look->Loaded();
    LaterForm later = MakeForm();
    DispatchMessagesOf(later.form);
    ASSERT_TRUE(XPMenuManager->IsFormSubclassed(later.form));
    delete later.form;
    EXPECT_FALSE(XPMenuManager->IsFormSubclassed(later.form));
    Application->ProcessMessages();
    EXPECT_EQ(look->SubclassCount(), 1) << "only the application window's own edit";
}

TEST_F(XPManagerTest, AFormThatFailsToBeTreatedIsDroppedNotRetried)
{
    struct FailingLook : TXPMenu {
        using TXPMenu::TXPMenu;
        void InitItems(TComponent* control, bool enable, bool update) override
        {
            if (control != Form()) {
                ++tries;
                throw std::runtime_error("cannot");
            }
            TXPMenu::InitItems(control, enable, update);
        }
        int tries = 0;
    };
    auto* failing = new FailingLook(main);
    failing->SetActive(true);
    failing->Loaded();
    LaterForm later = MakeForm();
    Application->ProcessMessages();
    SendMessageA(Application->Handle(), WM_NULL, 0, 0);
    EXPECT_EQ(failing->tries, 1);
    EXPECT_TRUE(XPMenuManager->IsFormSubclassed(later.form));
}

TEST_F(XPManagerTest, DisableSubclassingHandsOtherWindowsToTheNextLookOrRestoresThem)
{
    look->Loaded();
    LaterForm second = MakeForm();
    auto* secondLook = new TXPMenu(second.form);
    secondLook->SetActive(true);
    secondLook->Loaded();
    LaterForm later = MakeForm();
    Application->ProcessMessages();
    ASSERT_TRUE(Treated(later));

    look->SetDisableSubclassing(true);
    EXPECT_TRUE(secondLook->IsSubclassed(later.edit));
    EXPECT_FALSE(look->IsSubclassed(later.edit));
    EXPECT_TRUE(look->IsSubclassed(mainEdit)) << "its own window keeps its look";

    secondLook->SetDisableSubclassing(true);
    EXPECT_EQ(TControlSubClass::Of(later.edit->Handle()), nullptr) << "no look left: restored";
    EXPECT_TRUE(secondLook->IsSubclassed(second.edit));
}

TEST_F(XPManagerTest, ASpinEditIsHandedOverWholeAndLeavesNoObjectBehind)
{
    look->Loaded();
    LaterForm second = MakeForm();
    auto* secondLook = new TXPMenu(second.form);
    secondLook->SetActive(true);
    secondLook->Loaded();
    LaterForm later = MakeForm();
    auto* spin = new TCSpinEdit(later.form);
    spin->SetParent(later.form);
    Application->ProcessMessages();
    ASSERT_NE(TControlSubClass::Of(spin->Arrows()), nullptr);

    look->SetDisableSubclassing(true);
    TControlSubClass* field = TControlSubClass::Of(spin->Handle());
    TControlSubClass* arrows = TControlSubClass::Of(spin->Arrows());
    ASSERT_NE(arrows, nullptr) << "the arrows keep their look";
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(arrows->Kind(), xcUpDown);
    EXPECT_EQ(field->Kind(), xcEdit);
    EXPECT_TRUE(secondLook->IsSubclassed(spin));

    const TControl* gone = spin;
    delete later.form;
    EXPECT_FALSE(secondLook->IsSubclassed(gone)) << "no object is left holding the spin edit";
}

TEST_F(XPManagerTest, WithAutoDetectAMenuMadeLaterIsHooked)
{
    look->AutoDetect = true;
    auto* menu = new TPopupMenu(main);
    auto* item = new TMenuItem(main);
    menu->Items()->Add(item);
    Application->ProcessMessages();
    EXPECT_TRUE(item->OnDrawItem);
}

TEST_F(XPManagerTest, AFlatPopupAsksOnceForItsBorderAndGetsIt)
{
    look->Loaded();
    HWND popup = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 10, 80, 60, nullptr,
                                 nullptr, nullptr, nullptr);
    const LONG_PTR ownProcedure = GetWindowLongPtrA(popup, GWLP_WNDPROC);
    TMenuItem item(main);
    item.Caption = "Open";
    HDC dc = GetDC(popup);
    const auto queued = [] {
        MSG msg;
        return PeekMessageA(&msg, Application->Handle(), XPDrawBorderMessage, XPDrawBorderMessage, PM_NOREMOVE) != 0;
    };
    look->DrawItem(&item, dc, RECT{0, 0, 80, 20}, false);
    EXPECT_FALSE(queued()) << "only with FlatMenu";
    look->FlatMenu = true;
    look->DrawItem(&item, dc, RECT{0, 0, 80, 20}, false);
    look->DrawItem(&item, dc, RECT{0, 20, 80, 40}, false);
    ReleaseDC(popup, dc);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, Application->Handle(), XPDrawBorderMessage, XPDrawBorderMessage, PM_REMOVE));
    EXPECT_FALSE(queued()) << "one request while one waits";
    DispatchMessageA(&msg);
    EXPECT_NE(GetWindowLongPtrA(popup, GWLP_WNDPROC), ownProcedure) << "the border is kept while it shows";
    ShowWindow(popup, SW_HIDE);
    EXPECT_EQ(GetWindowLongPtrA(popup, GWLP_WNDPROC), ownProcedure);
    DestroyWindow(popup);
}

struct BorderCase {
    bool xp, rightToLeft;
    // Probes on a 40 x 30 window.
    POINT border, iconColumn, shadow, untouched;
};

TEST(XPPaint, MenuBorder)
{
    xplook::XPWorkColors colors{};
    colors.menuBorder = RGB(200, 0, 0);
    colors.menuShadow = RGB(0, 200, 0);
    colors.iconBack = RGB(0, 0, 200);
    colors.work = RGB(90, 90, 90);
    const COLORREF background = RGB(255, 255, 255);
    const BorderCase cases[] = {
        {false, false, {37, 10}, {1, 10}, {39, 10}, {0, 29}},
        {false, false, {10, 27}, {1, 1}, {10, 29}, {39, 0}},
        {false, true, {0, 10}, {35, 10}, {38, 10}, {1, 10}},
        {true, false, {39, 10}, {2, 10}, {-1, -1}, {10, 10}},
        {true, false, {10, 29}, {1, 1}, {-1, -1}, {20, 20}},
    };
    for (const BorderCase& c : cases) {
        testing_support::Canvas canvas(40, 30);
        HDC dc = canvas.dc();
        PatBlt(dc, 0, 0, 40, 30, WHITENESS);
        xplook::PaintMenuBorder(dc, 40, 30, c.rightToLeft, c.xp, colors);
        SCOPED_TRACE(testing::Message() << "xp " << c.xp << " right-to-left " << c.rightToLeft);
        EXPECT_EQ(GetPixel(dc, c.border.x, c.border.y), colors.menuBorder);
        EXPECT_EQ(GetPixel(dc, c.iconColumn.x, c.iconColumn.y), colors.iconBack);
        if (c.shadow.x >= 0) {
            EXPECT_EQ(GetPixel(dc, c.shadow.x, c.shadow.y), colors.menuShadow);
        }
        EXPECT_EQ(GetPixel(dc, c.untouched.x, c.untouched.y), background);
        if (c.xp) {
            EXPECT_EQ(GetPixel(dc, 37, 10), colors.work);
        }
    }
}

}  // namespace
