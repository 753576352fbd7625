// The ownership tree: what an owner's destruction takes with it, and what a component
// deleted first leaves behind.
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

#include "ToolkitTestSupport.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string>* destroyed = nullptr;

// A component that notes its destruction.
class Probe : public TComponent {
public:
    Probe(TComponent* owner, const std::string& name) : TComponent(owner) { Name = name; }
    ~Probe() override { if (destroyed) destroyed->push_back(Name); }
};

class ComponentTest : public toolkit_test::ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        destroyed = &log;
    }
    void TearDown() override
    {
        destroyed = nullptr;
        ToolkitTest::TearDown();
    }
    std::vector<std::string> log;
};

TEST_F(ComponentTest, OwnerDestroysWhatItOwnsLastCreatedFirst)
{
    auto* root = new Probe(nullptr, "root");
    auto* a = new Probe(root, "a");
    new Probe(a, "a1");
    new Probe(root, "b");
    EXPECT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->FindComponent("B")->Name, "b");
    delete root;
    EXPECT_EQ(log, (std::vector<std::string>{"root", "b", "a", "a1"}));
}

TEST_F(ComponentTest, DeletingOwnedComponentFirstTakesItOutOfItsOwner)
{
    auto* root = new Probe(nullptr, "root");
    auto* a = new Probe(root, "a");
    new Probe(root, "b");
    delete a;
    ASSERT_EQ(root->ComponentCount(), 1);
    EXPECT_EQ(root->Components(0)->Name, "b");
    delete root;
    EXPECT_EQ(log, (std::vector<std::string>{"a", "root", "b"}));
}

TEST_F(ComponentTest, HostPanelTakesItsDialogAndTheFrameInsideIt)
{
    // The host dialog pattern: a temporary panel owns a dialog and a frame whose parent
    // is the dialog. Freeing the panel must free both, whatever order they go in.
    auto* owner = new TPanel(nullptr);
    auto* host = new TPanel(owner);
    auto* dialog = new TForm(host);
    auto* frame = new TFrame(host);
    frame->SetParent(dialog);
    frame->SetAlign(alClient);
    auto* label = new TLabel(frame);
    label->SetParent(frame);
    HWND dialogWindow = dialog->Handle();
    HWND frameWindow = frame->Handle();
    HWND labelWindow = label->Handle();

    delete host;

    EXPECT_EQ(owner->ComponentCount(), 0);
    EXPECT_FALSE(IsWindow(dialogWindow));
    EXPECT_FALSE(IsWindow(frameWindow));
    EXPECT_FALSE(IsWindow(labelWindow));
    delete owner;
}

TEST_F(ComponentTest, ParentDeletesChildControlsOwnedElsewhere)
{
    auto* form = new TForm(nullptr);
    auto* panel = new TPanel(form);
    auto* outsider = new TLabel(nullptr);  // owned by nobody, parented to the panel
    outsider->SetParent(panel);
    HWND labelWindow = outsider->Handle();
    ASSERT_EQ(panel->ControlCount(), 1);
    delete panel;
    EXPECT_FALSE(IsWindow(labelWindow));
    EXPECT_EQ(form->ComponentCount(), 0);
    delete form;
}

TEST_F(ComponentTest, DeletedChildControlLeavesItsParentsList)
{
    TForm form(nullptr);
    auto* first = new TPanel(&form);
    first->SetParent(&form);
    auto* second = new TPanel(&form);
    second->SetParent(&form);
    delete first;
    ASSERT_EQ(form.ControlCount(), 1);
    EXPECT_EQ(form.Controls(0), second);
    EXPECT_EQ(form.ComponentCount(), 1);
}

TEST_F(ComponentTest, MainFormClearsApplicationMainFormWhenDeleted)
{
    TForm* form = nullptr;
    Application->CreateForm(form);
    ASSERT_EQ(Application->MainForm(), form);
    delete form;
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(ComponentTest, OwnedWindowsOfAFormGoBeforeItsWindow)
{
    // A dialog created while a main form exists is an owned window of it; deleting the
    // main form deletes the dialog object too instead of leaving it a dead window.
    TForm* main = nullptr;
    Application->CreateForm(main);
    auto* dialog = new TForm(main);
    EXPECT_EQ(GetWindow(dialog->Handle(), GW_OWNER), main->Handle());
    HWND dialogWindow = dialog->Handle();
    delete main;
    EXPECT_FALSE(IsWindow(dialogWindow));
}

}  // namespace
