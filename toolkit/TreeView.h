// TTreeView: the tree-view control with nodes. A node's text, picture and data live in
// its TTreeNode and in the control; the tree view owns its nodes, and deleting a node
// deletes its children with it (OnDeletion runs for each, children first, so that the
// program can free what their Data points to; not while the tree view is destroyed).
#pragma once

#include "toolkit/Controls.h"
#include "toolkit/ImageList.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

class TTreeView;

class TTreeNode {
public:
    TTreeNode(TTreeView* tree, TTreeNode* parent) : tree_(tree), parent_(parent) {}

    TTreeView* TreeView() const { return tree_; }
    HTREEITEM ItemId() const { return id_; }
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    void* Data() const { return data_; }
    void SetData(void* data) { data_ = data; }
    // Picture of the node (SelectedIndex: while selected; -1 follows ImageIndex).
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);

    TTreeNode* Parent() const { return parent_; }
    // The children.
    int Count() const;
    TTreeNode* Item(int index) const;
    bool HasChildren() const { return GetFirstChild() != nullptr; }
    TTreeNode* GetFirstChild() const;
    TTreeNode* GetNextSibling() const;
    // The next node in the order the tree lists them (children before siblings).
    TTreeNode* GetNext() const;
    // Position among its siblings; Level 0 for top-level nodes.
    int Index() const;
    int Level() const;

    bool Expanded() const { return State(TVIS_EXPANDED); }
    void Expand(bool recurse);
    void Collapse(bool recurse);
    bool Selected() const { return State(TVIS_SELECTED); }
    void SetSelected(bool selected);
    bool Checked() const;
    void SetChecked(bool checked);
    void MakeVisible();
    // Deletes the node and its children.
    void Delete();

private:
    friend class TTreeNodes;
    friend class TTreeView;
    bool State(UINT mask) const;
    void ApplyImages();

    TTreeView* tree_;
    TTreeNode* parent_;
    HTREEITEM id_ = nullptr;
    std::string text_;
    void* data_ = nullptr;
    int imageIndex_ = -1;
    int selectedIndex_ = -1;
};

class TTreeNodes {
public:
    explicit TTreeNodes(TTreeView* tree) : tree_(tree) {}
    ~TTreeNodes();

    // A new last node among sibling's siblings (top level when sibling is nullptr).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddObject(TTreeNode* sibling, const std::string& text, void* data);
    // A new last child of parent (top level when parent is nullptr).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    TTreeNode* AddChildObject(TTreeNode* parent, const std::string& text, void* data);
    void Delete(TTreeNode* node);
    void Clear();
    // All nodes at every level; Item counts them in the order of GetNext.
    int Count() const { return static_cast<int>(owned_.size()); }
    TTreeNode* Item(int index) const;
    TTreeNode* operator[](int index) const { return Item(index); }
    TTreeNode* GetFirstNode() const;
    // Holds back repainting while many nodes change.
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TTreeView;
    friend class TTreeNode;
    TTreeNode* NodeOf(HTREEITEM item) const;
    void CollectSubtree(TTreeNode* node, std::vector<TTreeNode*>& nodes) const;
    void FreeAll();

    TTreeView* tree_;
    std::unordered_set<TTreeNode*> owned_;
    TRedrawHold redrawHold_;
};

using TTVChangedEvent = std::function<void(TObject* sender, TTreeNode* node)>;
// A handler may set allow to false to keep the node closed.
using TTVExpandingEvent = std::function<void(TObject* sender, TTreeNode* node, bool& allow)>;
// Negative when a belongs before b.
using TTVCompare = std::function<int(TTreeNode* a, TTreeNode* b)>;

class TTreeView : public TWinControl {
public:
    explicit TTreeView(TComponent* owner);
    ~TTreeView() override;

    TTreeNodes* Items() { return &items_; }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* node);
    // The node whose picture or text is at the client point (x, y), or nullptr.
    TTreeNode* GetNodeAt(int x, int y) const;
    void FullExpand();
    // Sorts the children of every node (and the top level) with compare.
    void CustomSort(const TTVCompare& compare);

    TImageList* Images() const { return images_.List(); }
    void SetImages(TImageList* images);
    bool Checkboxes() const { return HasStyle(TVS_CHECKBOXES); }
    void SetCheckboxes(bool on) { SetStyle(TVS_CHECKBOXES, on); }
    // Hide the selection while the tree has no focus.
    bool HideSelection() const { return !HasStyle(TVS_SHOWSELALWAYS); }
    void SetHideSelection(bool on) { SetStyle(TVS_SHOWSELALWAYS, !on); }

    // After the selection moved to node (by the user or the program).
    TTVChangedEvent OnChange;
    TTVExpandingEvent OnExpanding;
    TTVChangedEvent OnDeletion;

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ColorChanged() override;

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    bool HasStyle(DWORD bit) const;
    void SetStyle(DWORD bit, bool on);

    TTreeNodes items_{this};
    TImageLink images_{[this](HIMAGELIST handle) {
        SendMessageA(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(handle));
    }};
};
