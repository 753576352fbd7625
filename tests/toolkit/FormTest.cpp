// Forms: the modal loop, close actions, the form's own message map and key preview.
#include "toolkit/Forms.h"
#include "toolkit/Panel.h"
#include "toolkit/Timer.h"

#include "ToolkitTestSupport.h"

#include <string>
#include <vector>

namespace {

using toolkit_test::PumpUntil;
using toolkit_test::ToolkitTest;

class FormTest : public ToolkitTest {};

TEST_F(FormTest, ShowModalReturnsTheResultSetFromATimer)
{
    TForm other(nullptr);
    other.Show();
    TForm dialog(nullptr);
    TTimer timer(&dialog);
    timer.SetInterval(20);
    bool otherWasDisabled = false;
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        otherWasDisabled = !other.Enabled();
        dialog.ModalResult = mrOk;
    };
    EXPECT_EQ(dialog.ShowModal(), mrOk);
    EXPECT_TRUE(otherWasDisabled);
    EXPECT_TRUE(other.Enabled());
    EXPECT_FALSE(dialog.Visible());
}

TEST_F(FormTest, CloseEndsShowModalWithCancelAndRunsOnClose)
{
    TForm dialog(nullptr);
    int closes = 0;
    dialog.OnClose = [&](TObject*, TCloseAction& action) {
        ++closes;
        EXPECT_EQ(action, caHide);
    };
    PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(closes, 1);
}

TEST_F(FormTest, CloseActionNoneKeepsTheModalFormOpen)
{
    TForm dialog(nullptr);
    int closes = 0;
    dialog.OnClose = [&](TObject*, TCloseAction& action) {
        if (++closes == 1) action = caNone;
    };
    TTimer timer(&dialog);
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) {
        if (closes >= 2) timer.SetEnabled(false);
        else dialog.Close();
    };
    EXPECT_EQ(dialog.ShowModal(), mrCancel);
    EXPECT_EQ(closes, 2);
}

TEST_F(FormTest, ModelessCloseHidesOrFreesAsOnCloseSays)
{
    auto* form = new TForm(nullptr);
    form->Show();
    form->Close();
    EXPECT_FALSE(form->Visible());

    bool destroyed = false;
    struct Witness : TComponent {
        Witness(TComponent* owner, bool& flag) : TComponent(owner), flag(flag) {}
        ~Witness() override { flag = true; }
        bool& flag;
    };
    new Witness(form, destroyed);
    form->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    form->Show();
    form->Close();
    EXPECT_FALSE(destroyed);  // not while its own handlers may still run
    EXPECT_TRUE(PumpUntil([&] { return destroyed; }));
}

TEST_F(FormTest, ClosingTheMainFormTerminatesTheApplication)
{
    TForm* main = nullptr;
    Application->CreateForm(main);
    main->Close();
    EXPECT_TRUE(Application->Terminated);
    delete main;
}

TEST_F(FormTest, RunShowsTheMainFormOnlyWhenAsked)
{
    TForm* main = nullptr;
    Application->CreateForm(main);
    bool shownDuringRun = false;
    TTimer timer(main);
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) {
        shownDuringRun = main->Visible();
        main->Close();
    };
    Application->ShowMainForm = false;
    Application->Run();
    EXPECT_FALSE(shownDuringRun);
    delete main;
}

struct Created : TForm {
    explicit Created(TComponent* owner) : TForm(owner)
    {
        OnCreate = [this](TObject*) {
            sawGlobal = global == this;
            ++runs;
        };
    }
    static Created* global;
    bool sawGlobal = false;
    int runs = 0;
};
Created* Created::global = nullptr;

TEST_F(FormTest, OnCreateRunsOnceAfterTheReferenceIsSet)
{
    Application->CreateForm(Created::global);
    EXPECT_TRUE(Created::global->sawGlobal);
    Created::global->DoCreate();
    EXPECT_EQ(Created::global->runs, 1);
    delete Created::global;
    Created::global = nullptr;
}


// A form that maps WM_CLOSE and a private message itself, like the main window does.
class MappedForm : public TForm {
public:
    explicit MappedForm(TComponent* owner) : TForm(owner) {}
    bool MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_CLOSE) {
            ++closeRequests;
            Close();
            result = 0;
            return true;
        }
        if (msg == WM_USER + 1) {
            lastUserLParam = lParam;
            result = 0;
            return true;
        }
        return TForm::MessageMap(msg, wParam, lParam, result);
    }
    int closeRequests = 0;
    LPARAM lastUserLParam = 0;
};

TEST_F(FormTest, MessageMapSeesMessagesBeforeTheDefaultHandling)
{
    MappedForm form(nullptr);
    form.Show();
    SendMessageA(form.Handle(), WM_USER + 1, 1, WM_LBUTTONDOWN);
    EXPECT_EQ(form.lastUserLParam, WM_LBUTTONDOWN);
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(form.closeRequests, 1);
    EXPECT_FALSE(form.Visible());
}

TEST_F(FormTest, KeyPreviewLetsTheFormSeeAndEatKeysOfItsControls)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    std::vector<std::string> seen;
    panel->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { seen.push_back("panel " + std::to_string(key)); };
    form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        seen.push_back("form " + std::to_string(key));
        if (key == VK_ESCAPE) key = 0;
    };
    SendMessageA(panel->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"panel 46"}));  // no preview by default
    form.KeyPreview = true;
    seen.clear();
    SendMessageA(panel->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    SendMessageA(panel->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"form 46", "panel 46", "form 27"}));
}

TEST_F(FormTest, BorderStylesAndStayOnTop)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    EXPECT_FALSE(GetWindowLongA(form.Handle(), GWL_STYLE) & WS_CAPTION);
    form.SetBorderStyle(bsSingle);
    form.SetBorderIcons(biSystemMenu);
    LONG style = GetWindowLongA(form.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    form.SetFormStyle(fsStayOnTop);
    EXPECT_TRUE(GetWindowLongA(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(FormTest, ScreenCenterPositionAppliesWhenShown)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    form.SetPosition(poScreenCenter);
    form.Show();
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(form.Left(), area.left + (area.right - area.left - 200) / 2);
    EXPECT_EQ(form.Top(), area.top + (area.bottom - area.top - 100) / 2);
}

}  // namespace
