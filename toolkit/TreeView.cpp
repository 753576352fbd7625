#include "toolkit/TreeView.h"

#include "toolkit/ImageList.h"
#include "toolkit/UpdateScope.h"

#include <exception>
#include <stdexcept>

// --- TTreeNode -------------------------------------------------------------------------

void TTreeNode::SetText(const std::string& text)
{
    text_ = text;
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = id_;
    item.pszText = const_cast<char*>(text_.c_str());
    SendMessageA(tree_->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::ApplyImages()
{
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = id_;
    item.iImage = imageIndex_;
    item.iSelectedImage = selectedIndex_ < 0 ? imageIndex_ : selectedIndex_;
    SendMessageA(tree_->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::SetImageIndex(int index)
{
    imageIndex_ = index;
    ApplyImages();
}

void TTreeNode::SetSelectedIndex(int index)
{
    selectedIndex_ = index;
    ApplyImages();
}

TTreeNode* TTreeNode::GetFirstChild() const
{
    return tree_->items_.NodeOf(TreeView_GetChild(tree_->Handle(), id_));
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    return tree_->items_.NodeOf(TreeView_GetNextSibling(tree_->Handle(), id_));
}

TTreeNode* TTreeNode::GetNext() const
{
    if (TTreeNode* child = GetFirstChild()) return child;
    for (const TTreeNode* node = this; node; node = node->parent_)
        if (TTreeNode* sibling = node->GetNextSibling()) return sibling;
    return nullptr;
}

int TTreeNode::Count() const
{
    int count = 0;
    for (TTreeNode* child = GetFirstChild(); child; child = child->GetNextSibling()) ++count;
    return count;
}

TTreeNode* TTreeNode::Item(int index) const
{
    TTreeNode* child = GetFirstChild();
    for (int i = 0; child && i < index; ++i) child = child->GetNextSibling();
    if (!child || index < 0) throw std::out_of_range("Tree node index out of bounds");
    return child;
}

int TTreeNode::Index() const
{
    int index = 0;
    for (HTREEITEM item = TreeView_GetPrevSibling(tree_->Handle(), id_); item;
         item = TreeView_GetPrevSibling(tree_->Handle(), item))
        ++index;
    return index;
}

int TTreeNode::Level() const
{
    int level = 0;
    for (TTreeNode* node = parent_; node; node = node->parent_) ++level;
    return level;
}

bool TTreeNode::State(UINT mask) const
{
    return (SendMessageA(tree_->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(id_), mask) & mask) != 0;
}

void TTreeNode::Expand(bool recurse)
{
    TreeView_Expand(tree_->Handle(), id_, TVE_EXPAND);
    if (recurse)
        for (TTreeNode* child = GetFirstChild(); child; child = child->GetNextSibling()) child->Expand(true);
}

void TTreeNode::Collapse(bool recurse)
{
    TreeView_Expand(tree_->Handle(), id_, TVE_COLLAPSE);
    if (recurse)
        for (TTreeNode* child = GetFirstChild(); child; child = child->GetNextSibling()) child->Collapse(true);
}

void TTreeNode::SetSelected(bool selected)
{
    if (selected)
        tree_->SetSelected(this);
    else if (Selected())
        tree_->SetSelected(nullptr);
}

bool TTreeNode::Checked() const
{
    UINT state = static_cast<UINT>(
        SendMessageA(tree_->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(id_), TVIS_STATEIMAGEMASK));
    // State image 2 is the checked box, 1 the empty one.
    return ((state & TVIS_STATEIMAGEMASK) >> 12) == 2;
}

void TTreeNode::SetChecked(bool checked)
{
    TVITEMA item{};
    item.mask = TVIF_STATE;
    item.hItem = id_;
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageA(tree_->Handle(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void TTreeNode::MakeVisible()
{
    TreeView_EnsureVisible(tree_->Handle(), id_);
}

void TTreeNode::Delete()
{
    tree_->items_.Delete(this);
}

// --- TTreeNodes ------------------------------------------------------------------------

TTreeNodes::~TTreeNodes()
{
    FreeAll();
}

void TTreeNodes::FreeAll()
{
    for (TTreeNode* node : owned_) delete node;
    owned_.clear();
}

TTreeNode* TTreeNodes::NodeOf(HTREEITEM item) const
{
    if (!item) return nullptr;
    TVITEMA asked{};
    asked.mask = TVIF_PARAM;
    asked.hItem = item;
    if (!SendMessageA(tree_->Handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&asked))) return nullptr;
    return reinterpret_cast<TTreeNode*>(asked.lParam);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& text, void* data)
{
    auto* node = new TTreeNode(tree_, parent);
    node->text_ = text;
    node->data_ = data;
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent ? parent->id_ : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(node->text_.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    insert.item.iImage = insert.item.iSelectedImage = -1;
    node->id_ = reinterpret_cast<HTREEITEM>(
        SendMessageA(tree_->Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!node->id_) {
        delete node;
        throw std::runtime_error("Cannot add a tree node");
    }
    owned_.insert(node);
    return node;
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text)
{
    return AddChildObject(parent, text, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& text, void* data)
{
    return AddChildObject(sibling ? sibling->parent_ : nullptr, text, data);
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text)
{
    return AddObject(sibling, text, nullptr);
}

void TTreeNodes::CollectSubtree(TTreeNode* node, std::vector<TTreeNode*>& nodes) const
{
    for (TTreeNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        CollectSubtree(child, nodes);
    nodes.push_back(node);
}

void TTreeNodes::Delete(TTreeNode* node)
{
    if (!node || !owned_.count(node)) return;
    std::vector<TTreeNode*> nodes;
    CollectSubtree(node, nodes);
    // Children first, and the objects only after the control let go of the items; the
    // handlers run before anything is gone, and an exception of one waits for the rest.
    std::exception_ptr failure;
    if (tree_->OnDeletion && tree_->Firing())
        for (TTreeNode* gone : nodes) {
            try {
                tree_->OnDeletion(tree_, gone);
            } catch (...) {
                if (!failure) failure = std::current_exception();
            }
        }
    SendMessageA(tree_->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node->id_));
    for (TTreeNode* gone : nodes) {
        owned_.erase(gone);
        delete gone;
    }
    if (failure) std::rethrow_exception(failure);
}

void TTreeNodes::Clear()
{
    const UpdateScope updating(*this);
    while (TTreeNode* node = GetFirstNode()) Delete(node);
}

TTreeNode* TTreeNodes::GetFirstNode() const
{
    return NodeOf(TreeView_GetRoot(tree_->Handle()));
}

TTreeNode* TTreeNodes::Item(int index) const
{
    TTreeNode* node = GetFirstNode();
    for (int i = 0; node && i < index; ++i) node = node->GetNext();
    if (!node || index < 0) throw std::out_of_range("Tree node index out of bounds");
    return node;
}

void TTreeNodes::BeginUpdate() { redrawHold_.Begin(tree_->Handle()); }

void TTreeNodes::EndUpdate() { redrawHold_.End(tree_->Handle()); }

// --- TTreeView -------------------------------------------------------------------------

TTreeView::TTreeView(TComponent* owner) : TWinControl(owner)
{
    CreateHandle(WC_TREEVIEWA,
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                 WS_EX_CLIENTEDGE);
    SetBounds(0, 0, 121, 97);
    SetColor(clWindow);
}

TTreeView::~TTreeView()
{
    BeginDestroy();
    DestroyHandle();
    items_.FreeAll();
}

bool TTreeView::HasStyle(DWORD bit) const
{
    return (GetWindowLongA(Handle(), GWL_STYLE) & bit) != 0;
}

void TTreeView::SetStyle(DWORD bit, bool on)
{
    DWORD style = GetWindowLongA(Handle(), GWL_STYLE);
    style = on ? style | bit : style & ~bit;
    SetWindowLongA(Handle(), GWL_STYLE, static_cast<LONG>(style));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TTreeView::ColorChanged()
{
    SendMessageA(Handle(), TVM_SETBKCOLOR, 0, ColorToRGB(Color()));
    TWinControl::ColorChanged();
}

TTreeNode* TTreeView::Selected() const
{
    return items_.NodeOf(TreeView_GetSelection(Handle()));
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const
{
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    HTREEITEM item = TreeView_HitTest(Handle(), &hit);
    return hit.flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL) ? items_.NodeOf(item) : nullptr;
}

void TTreeView::SetSelected(TTreeNode* node)
{
    TreeView_SelectItem(Handle(), node ? node->id_ : nullptr);
}

void TTreeView::FullExpand()
{
    for (TTreeNode* node = items_.GetFirstNode(); node; node = node->GetNextSibling()) node->Expand(true);
}

void TTreeView::SetImages(TImageList* images) { images_.Set(images); }

namespace {

struct SortContext {
    const TTVCompare* compare;
    std::exception_ptr failure;
};

int CALLBACK CompareNodes(LPARAM a, LPARAM b, LPARAM param)
{
    auto* context = reinterpret_cast<SortContext*>(param);
    if (context->failure) return 0;
    try {
        return (*context->compare)(reinterpret_cast<TTreeNode*>(a), reinterpret_cast<TTreeNode*>(b));
    } catch (...) {
        // Not through the control's sort: kept and thrown once the control is done.
        context->failure = std::current_exception();
        return 0;
    }
}

}  // namespace

void TTreeView::CustomSort(const TTVCompare& compare)
{
    SortContext context{&compare, nullptr};
    std::vector<HTREEITEM> parents{TVI_ROOT};
    for (TTreeNode* node = items_.GetFirstNode(); node; node = node->GetNext())
        if (node->HasChildren()) parents.push_back(node->id_);
    for (HTREEITEM parent : parents) {
        TVSORTCB sort{parent, CompareNodes, reinterpret_cast<LPARAM>(&context)};
        SendMessageA(Handle(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
    }
    if (context.failure) std::rethrow_exception(context.failure);
}

bool TTreeView::ReflectedMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (msg != WM_NOTIFY) return false;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    auto nodeOf = [](const TVITEMA& item) { return reinterpret_cast<TTreeNode*>(item.lParam); };
    switch (header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        if (OnChange) OnChange(this, nodeOf(reinterpret_cast<NMTREEVIEWA*>(lParam)->itemNew));
        return false;
    case TVN_ITEMEXPANDINGA:
    case TVN_ITEMEXPANDINGW: {
        auto* change = reinterpret_cast<NMTREEVIEWA*>(lParam);
        bool allow = true;
        if (OnExpanding && (change->action & TVE_EXPAND)) OnExpanding(this, nodeOf(change->itemNew), allow);
        result = allow ? FALSE : TRUE;
        return true;
    }
    case NM_CLICK:
        if (OnClick) OnClick(this);
        return false;
    case NM_DBLCLK:
        if (OnDblClick) OnDblClick(this);
        return false;
    default:
        return false;
    }
}
