// Popup menus and pictures: the chosen menu item runs its handler, a picture control
// turns mouse presses into clicks.
#include "toolkit/Forms.h"
#include "toolkit/Image.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/Timer.h"

#include "ToolkitTestSupport.h"

#include <string>

namespace {

using toolkit_test::ToolkitTest;

class MenuAndImageTest : public ToolkitTest {};

TEST_F(MenuAndImageTest, ChosenPopupItemRunsItsOnClickAfterTheMenuCloses)
{
    TForm form(nullptr);
    form.Show();
    TPopupMenu menu(&form);
    auto* open = new TMenuItem(&form);
    open->Caption = "Maximize";
    auto* hidden = new TMenuItem(&form);
    hidden->Caption = "Hidden";
    hidden->Visible = false;
    auto* quit = new TMenuItem(&form);
    quit->Caption = "Terminate";
    quit->Tag = 2;
    menu.Items()->Add(open);
    menu.Items()->Add(hidden);
    menu.Items()->Add(quit);
    std::string clicked;
    open->OnClick = [&](TObject*) { clicked += "open "; };
    quit->OnClick = [&](TObject* sender) { clicked += "quit" + std::to_string(static_cast<TMenuItem*>(sender)->Tag); };

    // The menu runs its own loop; keys posted from a timer pick the second visible item.
    TTimer timer(&form);
    timer.SetInterval(50);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        PostMessageA(form.Handle(), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(form.Handle(), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(form.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    };
    menu.Popup(form.Left() + 10, form.Top() + 10);
    EXPECT_EQ(clicked, "quit2");
}

TEST_F(MenuAndImageTest, DeletingAMenuItemTakesItOutOfItsMenu)
{
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem(nullptr);
    menu.Items()->Add(item);
    delete item;
    EXPECT_EQ(menu.Items()->Count(), 0);
}

TEST_F(MenuAndImageTest, ImageTurnsPressAndReleaseIntoAClick)
{
    TForm form(nullptr);
    auto* image = new TImage(&form);
    image->SetParent(&form);
    image->SetBounds(0, 0, 16, 16);
    image->Picture()->SetIcon(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
    form.Show();
    std::string events;
    image->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
        events += "down" + std::to_string(button) + "@" + std::to_string(x) + "," + std::to_string(y) + " ";
    };
    image->OnClick = [&](TObject*) { events += "click "; };
    SendMessageA(image->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageA(image->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    // Released outside the picture: no click.
    SendMessageA(image->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageA(image->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 6));
    EXPECT_EQ(events, "down0@5,6 click down0@5,6 ");
}

TEST_F(MenuAndImageTest, AssignedPictureIsAnIndependentCopy)
{
    TPicture source;
    source.SetBitmap(MakeGradientBitmap(40, 20, clNavy, clAqua, false));
    TPicture copy;
    copy.Assign(source);
    EXPECT_NE(copy.Bitmap(), source.Bitmap());
    source.Clear();
    EXPECT_EQ(copy.Width(), 40);
    EXPECT_EQ(copy.Height(), 20);
}

}  // namespace
