// Text fields: edit, memo lines, spin edit clamping, and the progress bar's range.
#include "toolkit/CSpinEdit.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/Memo.h"
#include "toolkit/ProgressBar.h"

#include "ToolkitTestSupport.h"

#include <commctrl.h>

#include <string>

namespace {

using toolkit_test::FormHostTest;

class EditTest : public FormHostTest {
protected:
    template <class T>
    T* Make()
    {
        auto* control = new T(form);
        control->SetParent(form);
        return control;
    }
    static void Type(TWinControl* control, const std::string& text)
    {
        for (char c : text) SendMessageA(control->Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }
};

TEST_F(EditTest, EditReportsChangesAndKeepsTypingWithinMaxLength)
{
    auto* edit = Make<TEdit>();
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("abc");
    EXPECT_EQ(changes, 1);
    edit->SetMaxLength(5);
    edit->SelectAll();
    Type(edit, "1234567");
    EXPECT_EQ(edit->Text(), "12345");
    edit->SetReadOnly(true);
    EXPECT_TRUE(edit->ReadOnly());
    Type(edit, "x");
    EXPECT_EQ(edit->Text(), "12345");
}

TEST_F(EditTest, KeyPressMayChangeOrDropTypedCharacters)
{
    auto* edit = Make<TEdit>();
    edit->OnKeyPress = [](TObject*, char& key) {
        if (key == 'x') key = 0;
        if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 'a' + 'A');
    };
    Type(edit, "axb");
    EXPECT_EQ(edit->Text(), "AB");
}

TEST_F(EditTest, MemoLinesAppendEachLineWithItsBreakAndScrollToIt)
{
    auto* memo = Make<TMemo>();
    memo->SetScrollBars(ssVertical);
    memo->SetReadOnly(true);  // the program still appends to a read-only log
    EXPECT_EQ(memo->Lines()->Count(), 0);
    for (int i = 0; i < 40; ++i) memo->Lines()->Add("line " + std::to_string(i));
    ASSERT_EQ(memo->Lines()->Count(), 40);
    EXPECT_EQ(memo->Lines()->Strings(39), "line 39");
    EXPECT_EQ(memo->Text().substr(0, 16), "line 0\r\nline 1\r\n");
    // The last line is in view.
    int first = static_cast<int>(SendMessageA(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    EXPECT_GT(first, 20);
    memo->Lines()->Clear();
    memo->SetText("typed without a break");
    memo->Lines()->Add("next");
    EXPECT_EQ(memo->Lines()->Strings(1), "next");
    EXPECT_EQ(memo->Lines()->Count(), 2);
}

TEST_F(EditTest, MemoKeepsItsTextAndLimitWhenWordWrapRemakesTheWindow)
{
    auto* memo = Make<TMemo>();
    memo->SetBounds(10, 20, 100, 80);
    memo->Lines()->Add("a line long enough to be wrapped at the right edge of a narrow memo");
    int wrapped = static_cast<int>(SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0));
    memo->SetWordWrap(false);
    memo->SetScrollBars(ssBoth);
    EXPECT_LT(SendMessageA(memo->Handle(), EM_GETLINECOUNT, 0, 0), wrapped);
    EXPECT_TRUE(GetWindowLongA(memo->Handle(), GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(memo->Lines()->Count(), 1);
    EXPECT_EQ(memo->Left(), 10);
    EXPECT_EQ(memo->Height(), 80);
    EXPECT_EQ(GetParent(memo->Handle()), form->Handle());
    // Appending beyond the control's default limit of about 32 000 characters.
    std::string line(1000, 'x');
    for (int i = 0; i < 40; ++i) memo->Lines()->Add(line);
    EXPECT_EQ(memo->Lines()->Count(), 41);
}

TEST_F(EditTest, SpinEditClampsTypedNumbersOnLeavingAndWhenRead)
{
    auto* spin = Make<TCSpinEdit>();
    auto* other = Make<TEdit>();
    spin->SetMinValue(1);
    spin->SetMaxValue(500);
    spin->SetValue(7);
    EXPECT_EQ(spin->Text(), "7");
    spin->SetValue(9999);
    EXPECT_EQ(spin->Value(), 500);
    spin->SetText("0");
    EXPECT_EQ(spin->Value(), 1);  // read: clamped, text as typed
    EXPECT_EQ(spin->Text(), "0");
    form->Show();
    spin->SetFocus();
    spin->SelectAll();
    Type(spin, "7x00");          // the letter is refused
    EXPECT_EQ(spin->Text(), "700");
    other->SetFocus();           // leaving: clamped in the field too
    EXPECT_EQ(spin->Text(), "500");
    spin->SetText("99999999999999999999");
    EXPECT_EQ(spin->Value(), 1);  // no number at all: the minimum
}

TEST_F(EditTest, SpinEditStepsByIncrementWithArrowsAndKeysWithinRange)
{
    auto* spin = Make<TCSpinEdit>();
    spin->SetMaxValue(10);
    spin->SetIncrement(4);
    spin->SetValue(3);
    int changes = 0;
    spin->OnChange = [&](TObject*) { ++changes; };
    SendMessageA(spin->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin->Value(), 7);
    SendMessageA(spin->Handle(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(spin->Value(), 10);
    HWND arrows = FindWindowExA(spin->Handle(), nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(arrows, nullptr);
    NMUPDOWN press{};
    press.hdr = NMHDR{arrows, 0, static_cast<UINT>(UDN_DELTAPOS)};
    press.iDelta = -1;
    SendMessageA(spin->Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&press));
    EXPECT_EQ(spin->Value(), 6);
    EXPECT_EQ(changes, 3);
    spin->SetValue(-20);
    EXPECT_EQ(spin->Value(), 0);
}

TEST_F(EditTest, SpinEditArrowsGoGreyWithTheField)
{
    auto* spin = Make<TCSpinEdit>();
    spin->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(spin->Arrows()));
}

TEST_F(EditTest, ProgressBarTakesA32BitRange)
{
    auto* bar = Make<TProgressBar>();
    bar->SetMax(2000000000);
    bar->SetPosition(1500000000);
    EXPECT_EQ(bar->Max(), 2000000000);
    EXPECT_EQ(bar->Position(), 1500000000);
    bar->SetMin(100000);
    EXPECT_EQ(bar->Min(), 100000);
    bar->SetPosition(5);  // kept in the range by the control
    EXPECT_EQ(bar->Position(), 100000);
}

}  // namespace
