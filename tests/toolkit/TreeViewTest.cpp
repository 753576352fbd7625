// The tree view: nodes and children, selection, expansion, deletion and sorting.
#include "toolkit/Forms.h"
#include "toolkit/TreeView.h"

#include "ToolkitTestSupport.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using toolkit_test::ToolkitTest;

class TreeViewTest : public ToolkitTest {
protected:
    void SetUp() override
    {
        ToolkitTest::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 300, 300);
        tree = new TTreeView(form);
        tree->SetParent(form);
        tree->SetAlign(alClient);
        run = tree->Items()->AddChild(nullptr, "Run");
        runOnce = tree->Items()->Add(run, "RunOnce");
        a = tree->Items()->AddChildObject(run, "a.exe", &payload);
        b = tree->Items()->AddChild(run, "b.exe");
        c = tree->Items()->AddChild(runOnce, "c.exe");
    }
    void TearDown() override
    {
        delete form;
        ToolkitTest::TearDown();
    }
    // The text the control itself shows for a node.
    std::string ShownText(TTreeNode* node)
    {
        char buffer[260] = "";
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = node->ItemId();
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(tree->Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    std::string Order()
    {
        std::string order;
        for (int i = 0; i < tree->Items()->Count(); ++i) order += tree->Items()->Item(i)->Text() + " ";
        return order;
    }
    TForm* form = nullptr;
    TTreeView* tree = nullptr;
    int payload = 7;
    TTreeNode *run = nullptr, *runOnce = nullptr, *a = nullptr, *b = nullptr, *c = nullptr;
};

TEST_F(TreeViewTest, NodesKnowTheirChildrenParentsAndPlace)
{
    EXPECT_EQ(tree->Items()->Count(), 5);
    EXPECT_EQ(Order(), "Run a.exe b.exe RunOnce c.exe ");
    EXPECT_EQ(run->Count(), 2);
    EXPECT_EQ(run->Item(1), b);
    EXPECT_EQ(b->Parent(), run);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(c->Level(), 1);
    EXPECT_EQ(runOnce->Level(), 0);
    EXPECT_EQ(a->Data(), &payload);
    EXPECT_FALSE(b->HasChildren());
    EXPECT_THROW(run->Item(2), std::out_of_range);
    b->SetText("renamed.exe");
    EXPECT_EQ(ShownText(b), "renamed.exe");
    b->SetImageIndex(3);
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = b->ItemId();
    SendMessageA(tree->Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 3);
    EXPECT_EQ(item.iSelectedImage, 3);
}

TEST_F(TreeViewTest, SelectionAndExpansionReportThroughEvents)
{
    std::vector<std::string> changes;
    tree->OnChange = [&](TObject*, TTreeNode* node) { changes.push_back(node ? node->Text() : "none"); };
    bool allowRunOnce = false;
    tree->OnExpanding = [&](TObject*, TTreeNode* node, bool& allow) {
        if (node == runOnce) allow = allowRunOnce;
    };
    EXPECT_EQ(tree->Selected(), nullptr);
    c->SetSelected(true);  // selecting a hidden child opens its parent
    EXPECT_EQ(tree->Selected(), c);
    EXPECT_TRUE(c->Selected());
    tree->SetSelected(b);
    EXPECT_EQ(changes, (std::vector<std::string>{"c.exe", "b.exe"}));
    runOnce->Collapse(false);
    runOnce->Expand(false);  // refused by the handler
    EXPECT_FALSE(runOnce->Expanded());
    allowRunOnce = true;
    tree->FullExpand();
    EXPECT_TRUE(runOnce->Expanded());
    EXPECT_TRUE(run->Expanded());
}

TEST_F(TreeViewTest, DeletingANodeDeletesItsChildrenAfterOnDeletion)
{
    std::vector<std::string> deleted;
    tree->OnDeletion = [&](TObject*, TTreeNode* node) { deleted.push_back(node->Text()); };
    run->Delete();
    EXPECT_EQ(deleted, (std::vector<std::string>{"a.exe", "b.exe", "Run"}));
    EXPECT_EQ(tree->Items()->Count(), 2);
    EXPECT_EQ(tree->Items()->GetFirstNode(), runOnce);
    EXPECT_EQ(TreeView_GetCount(tree->Handle()), 2u);
    tree->Items()->Clear();
    EXPECT_EQ(tree->Items()->Count(), 0);
    EXPECT_EQ(deleted.size(), 5u);
}

TEST_F(TreeViewTest, CheckBoxesAndCustomSortOfEveryLevel)
{
    tree->SetCheckboxes(true);
    b->SetChecked(true);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    tree->Items()->AddChild(run, "0.exe");
    tree->CustomSort([](TTreeNode* x, TTreeNode* y) { return y->Text().compare(x->Text()); });
    EXPECT_EQ(Order(), "RunOnce c.exe Run b.exe a.exe 0.exe ");
    EXPECT_TRUE(b->Checked());  // the check stays with its node
    EXPECT_THROW(tree->CustomSort([](TTreeNode*, TTreeNode*) -> int { throw std::runtime_error("bad"); }),
                 std::runtime_error);
}

}  // namespace
