// Push buttons, speed buttons, check boxes, radio groups and group boxes.
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Forms.h"
#include "toolkit/GroupBox.h"
#include "toolkit/RadioButton.h"
#include "toolkit/SpeedButton.h"

#include "ToolkitTestSupport.h"

#include <string>

namespace {

using toolkit_test::FormHostTest;

class ButtonTest : public FormHostTest {
protected:
    template <class T>
    T* Make(TWinControl* parent, int top)
    {
        auto* control = new T(form);
        control->SetParent(parent);
        control->SetTop(top);
        return control;
    }
    // What a mouse click on a standard button does: the control tells its parent.
    static void ClickOn(TControl* control) { SendMessageA(control->Handle(), BM_CLICK, 0, 0); }

};

TEST_F(ButtonTest, RadioButtonsAreExclusiveAmongTheSameParentOnly)
{
    auto* left = Make<TGroupBox>(form, 0);
    auto* right = Make<TGroupBox>(form, 120);
    auto* a1 = Make<TRadioButton>(left, 20);
    auto* a2 = Make<TRadioButton>(left, 40);
    auto* b1 = Make<TRadioButton>(right, 20);
    auto* b2 = Make<TRadioButton>(right, 40);
    std::string clicks;
    for (auto* radio : {a1, a2, b1, b2}) {
        radio->SetCaption(radio == a1 ? "a1" : radio == a2 ? "a2" : radio == b1 ? "b1" : "b2");
        radio->OnClick = [&clicks](TObject* sender) { clicks += static_cast<TRadioButton*>(sender)->Caption() + " "; };
    }
    a1->SetChecked(true);
    b2->SetChecked(true);
    EXPECT_EQ(clicks, "a1 b2 ");  // checking from code runs the click handler too
    ClickOn(a2);                  // inside a group box: the click still reaches the radio button
    EXPECT_TRUE(a2->Checked());
    EXPECT_FALSE(a1->Checked());
    EXPECT_TRUE(b2->Checked());   // the other group keeps its choice
    ClickOn(a2);                  // already checked: no second click
    a2->SetChecked(true);
    EXPECT_EQ(clicks, "a1 b2 a2 ");
    b2->SetChecked(false);        // unchecking runs nothing and leaves the group empty
    EXPECT_FALSE(b1->Checked());
    EXPECT_EQ(clicks, "a1 b2 a2 ");
}

TEST_F(ButtonTest, SpeedButtonsStayDownByGroupAndOnlyAGroupThatAllowsItGoesAllUp)
{
    auto* panel = Make<TGroupBox>(form, 0);
    auto* bars = Make<TSpeedButton>(panel, 10);
    auto* pie = Make<TSpeedButton>(panel, 40);
    auto* legend = Make<TSpeedButton>(panel, 70);
    auto* plain = Make<TSpeedButton>(panel, 100);
    auto* elsewhere = Make<TSpeedButton>(form, 140);  // same group index, other parent
    bars->SetGroupIndex(1);
    pie->SetGroupIndex(1);
    elsewhere->SetGroupIndex(1);
    legend->SetGroupIndex(2);
    legend->SetAllowAllUp(true);
    int clicks = 0;
    for (auto* button : {bars, pie, legend, plain, elsewhere}) button->OnClick = [&clicks](TObject*) { ++clicks; };
    elsewhere->SetDown(true);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down()) << "a button of no group is never down";

    const struct {
        TSpeedButton* clicked;
        bool bars, pie, legend;
    } steps[] = {
        {bars, true, false, false},   // a click leaves it down
        {pie, false, true, false},    // its group's other button goes up
        {pie, false, true, false},    // a down button of a group that keeps one down stays
        {legend, false, true, true},  // groups are independent
        {legend, false, true, false}, // ... and one that allows all up goes up
        {plain, false, true, false},
    };
    for (const auto& step : steps) {
        ClickOn(step.clicked);
        const int row = static_cast<int>(&step - steps);
        EXPECT_EQ(bars->Down(), step.bars) << row;
        EXPECT_EQ(pie->Down(), step.pie) << row;
        EXPECT_EQ(legend->Down(), step.legend) << row;
    }
    EXPECT_EQ(clicks, 6) << "every click runs OnClick, also one that changes nothing";
    EXPECT_TRUE(elsewhere->Down()) << "a group lives in one parent";
}

TEST_F(ButtonTest, CheckBoxClicksCycleTheStateAndEveryChangeFiresOnClick)
{
    auto* box = Make<TCheckBox>(form, 0);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    box->SetChecked(false);  // no change, no click
    EXPECT_EQ(clicks, 0);
    ClickOn(box);
    EXPECT_TRUE(box->Checked());
    ClickOn(box);
    EXPECT_EQ(box->State(), cbUnchecked);
    box->SetAllowGrayed(true);
    ClickOn(box);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_FALSE(box->Checked());
    ClickOn(box);
    EXPECT_EQ(box->State(), cbChecked);
    EXPECT_EQ(clicks, 4);
    box->SetChecked(false);
    EXPECT_EQ(clicks, 5);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonTest, ButtonWithModalResultEndsShowModalAndItsHandlerSeesTheResult)
{
    auto* ok = Make<TButton>(form, 0);
    ok->SetModalResult(mrOk);
    TModalResult seen = mrNone;
    ok->OnClick = [&](TObject*) { seen = form->ModalResult; };
    PostMessageA(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(seen, mrOk);
    EXPECT_FALSE(form->Visible());
}

TEST_F(ButtonTest, GroupBoxKeepsAlignedControlsInsideItsFrame)
{
    auto* group = Make<TGroupBox>(form, 0);
    group->SetCaption("Options");
    auto* inner = Make<TCheckBox>(group, 0);
    inner->SetAlign(alClient);
    EXPECT_GT(inner->Top(), 5);  // below the caption
    EXPECT_LT(inner->Top(), group->Height() / 2);
    EXPECT_GT(inner->Left(), 0);
    EXPECT_LT(inner->Left() + inner->Width(), group->Width());
}

}  // namespace
