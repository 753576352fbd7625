// Exceptions escaping event handlers end at the application object, never in Win32.
#include "toolkit/Forms.h"
#include "toolkit/Panel.h"
#include "toolkit/Timer.h"

#include "ToolkitTestSupport.h"
#include "tests/support/RecordingEffects.h"

#include <stdexcept>

namespace {

using toolkit_test::PumpUntil;
using toolkit_test::ToolkitTest;

class ExceptionTest : public ToolkitTest {
protected:
    testing_support::RecordingEffects effects;
};

TEST_F(ExceptionTest, ExceptionInAClickHandlerIsShownAndTheWindowLivesOn)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    form.Show();
    panel->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
        throw std::runtime_error("Cannot open file C:\\x");
    };
    SendMessageA(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "Cannot open file C:\\x.");
    EXPECT_EQ(effects.boxes[0].caption, Application->Title);
    EXPECT_TRUE(effects.boxes[0].flags & MB_ICONSTOP);
    EXPECT_TRUE(IsWindow(panel->Handle()));
}

TEST_F(ExceptionTest, ExceptionInATimerIsShownOnce)
{
    TTimer timer(nullptr);
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) {
        timer.SetEnabled(false);
        throw std::logic_error("Timer failed.");
    };
    ASSERT_TRUE(PumpUntil([&] { return !effects.boxes.empty(); }));
    EXPECT_EQ(effects.boxes[0].text, "Timer failed.");
}

TEST_F(ExceptionTest, OnExceptionReplacesTheMessageBox)
{
    std::string seen;
    Application->OnException = [&](TObject*, const std::exception& e) { seen = e.what(); };
    TForm form(nullptr);
    form.OnResize = [](TObject*) { throw std::runtime_error("resize"); };
    form.SetBounds(0, 0, 200, 150);
    Application->OnException = nullptr;
    EXPECT_EQ(seen, "resize");
    EXPECT_TRUE(effects.boxes.empty());
}

}  // namespace
