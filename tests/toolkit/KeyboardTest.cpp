// The keyboard of a form: Tab order, Enter and Escape for the default and cancel buttons,
// and keys left to the controls that want them.
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/ListView.h"
#include "toolkit/Memo.h"
#include "toolkit/Panel.h"

#include "ToolkitTestSupport.h"

#include <string>
#include <vector>

namespace {

using toolkit_test::FormHostTest;

class KeyboardTest : public FormHostTest {
protected:
    template <class T>
    T* Make(TWinControl* parent)
    {
        auto* control = new T(form);
        control->SetParent(parent);
        return control;
    }
    // A key as the keyboard delivers it: posted to the focused window, through the loop.
    static void Press(WORD key, HWND to = GetFocus())
    {
        PostMessageA(to, WM_KEYDOWN, key, 1);
        Application->ProcessMessages();
    }
    static void SetShift(bool down)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }
};

TEST_F(KeyboardTest, TabMovesTheFocusInCreationOrderSkippingHiddenAndDisabledControls)
{
    auto* first = Make<TEdit>(form);
    auto* panel = Make<TPanel>(form);
    auto* box = Make<TCheckBox>(panel);
    auto* hidden = Make<TEdit>(panel);
    hidden->Hide();
    auto* disabled = Make<TButton>(panel);
    disabled->SetEnabled(false);
    auto* button = Make<TButton>(form);
    auto* edit = Make<TEdit>(form);
    edit->SetText("selected on entry");
    form->Show();
    first->SetFocus();
    ASSERT_TRUE(first->Focused());
    Press(VK_TAB);
    EXPECT_TRUE(box->Focused());
    Press(VK_TAB);
    EXPECT_TRUE(button->Focused());
    Press(VK_TAB);
    EXPECT_TRUE(edit->Focused());
    DWORD start = 0, end = 0;
    SendMessageA(edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, edit->Text().size());
    Press(VK_TAB);
    EXPECT_TRUE(first->Focused());  // round the form
    SetShift(true);
    Press(VK_TAB);
    SetShift(false);
    EXPECT_TRUE(edit->Focused());
}

TEST_F(KeyboardTest, EnterPressesTheDefaultButtonAndEscapeTheCancelButtonOfAModalForm)
{
    auto* edit = Make<TEdit>(form);
    auto* memo = Make<TMemo>(form);
    auto* ok = Make<TButton>(form);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = Make<TButton>(form);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    int okClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    // Enter in the memo is a line break there, not the default button.
    PostMessageA(memo->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(edit->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_EQ(okClicks, 0);
    Application->ProcessMessages();  // the memo's character from its Enter key
    EXPECT_EQ(memo->Text(), "\r\n");
    PostMessageA(edit->Handle(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(form->ShowModal(), mrOk);
    EXPECT_EQ(okClicks, 1);
}

TEST_F(KeyboardTest, KeysNoButtonTakesStayWithTheControlAndTheFormsPreview)
{
    auto* list = Make<TListView>(form);
    list->Columns()->Add();
    list->Items()->Add()->SetCaption("row");
    auto* disabledDefault = Make<TButton>(form);
    disabledDefault->SetDefault(true);
    disabledDefault->SetEnabled(false);
    std::vector<std::string> seen;
    list->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { seen.push_back("list " + std::to_string(key)); };
    form->KeyPreview = true;
    form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { seen.push_back("form " + std::to_string(key)); };
    form->Show();
    list->SetFocus();
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    Press(VK_DELETE);
    EXPECT_EQ(seen, (std::vector<std::string>{"form 13", "list 13", "form 27", "list 27", "form 46", "list 46"}));
}

}  // namespace
