// The space manager's folder tree and address list: the shell namespace from the
// desktop down, each folder's caption carrying its size, filled as nodes are opened.
#include "common/CaseRule.h"
#include "common/Language.h"
#include "spacemanager/Dirsize.h"

#include "common/ComPtr.h"
#include "common/ItemIdList.h"
#include "fileengines/ShellServices.h"
#include "spacemanager/FolderSizing.h"
#include "toolkit/ImageList.h"
#include "toolkit/UpdateScope.h"

namespace {

// A node whose children were not read yet has one placeholder child without text.
bool IsPlaceholder(TTreeNode* node) { return node && node->ImageIndex() == -1 && node->Text().empty(); }

int SystemIconOf(LPCITEMIDLIST list, UINT extra)
{
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info,
                   SHGFI_SYSICONINDEX | SHGFI_PIDL | SHGFI_SMALLICON | extra);
    return info.iIcon;
}

} // namespace

void TForm11::BuildTree()
{
    ItemIdList drives;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put())) && drives) {
        ComPtr<IShellFolder> myComputer;
        if (SUCCEEDED(DesktopFolder->BindToObject(drives.Get(), nullptr, IID_IShellFolder, myComputer.PutVoid())))
            FillAddressCombo(myComputer.Get(), drives.Get());
    }
    // The address list is there first: showing the first folder adds its entry.
    ItemIdList desktop;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, desktop.Put())) && desktop)
        FillTree(DesktopFolder, desktop.Get());
}

void TForm11::FillTree(IShellFolder* root, LPCITEMIDLIST rootList)
{
    // The top level measures the first folder whole; opening it and listing it would
    // measure its folders twice more.
    openingSizes_.emplace();
    FillTreeChildren(root, rootList, nullptr);
    if (TTreeNode* first = TreeView1->Items()->GetFirstNode()) {
        first->Expand(false);
        TreeView1->SetSelected(first);
    }
    openingSizes_.reset();
}

void TForm11::FillTreeChildren(IShellFolder* folder, LPCITEMIDLIST folderList, TTreeNode* parent)
{
    ComPtr<IEnumIDList> children;
    if (!folder || folder->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                       children.Put()) != S_OK || !children)
        return;
    ++listing_;
    const UpdateScope updating(*TreeView1->Items());
    ItemIdList owned;
    ULONG fetched = 0;
    while (!SizingCancelled && children->Next(1, owned.Put(), &fetched) == S_OK && owned) {
        const LPITEMIDLIST child = owned.Get();
        ULONG attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_STREAM | SFGAO_FILESYSTEM;
        LPCITEMIDLIST one = child;
        if (FAILED(folder->GetAttributesOf(1, &one, &attributes)))
            attributes = 0;
        const std::string parsing = file_engines::GetDisplayName(folder, child, SHGDN_FORPARSING);
        const DWORD fileAttributes = (attributes & SFGAO_FILESYSTEM) ? GetFileAttributesA(parsing.c_str())
                                                                     : INVALID_FILE_ATTRIBUTES;
        const bool hasFindData = fileAttributes != INVALID_FILE_ATTRIBUTES;
        const ItemKind kind = ClassifyItem(attributes, parsing, hasFindData, hasFindData ? fileAttributes : 0);
        LPITEMIDLIST absolute =
            kind == ItemKind::File ? nullptr : file_engines::ItemIdListConcat(malloc_.Get(), folderList, child);
        if (absolute) {
            uint64_t bytes = 0;
            bool complete = true;
            if (kind == ItemKind::Drive)
                bytes = DriveUsedBytes(parsing);
            else if (kind == ItemKind::Folder)
                bytes = SizeOfFolder(parsing, complete);
            const std::string caption =
                TreeNodeCaption(file_engines::GetDisplayName(folder, child, SHGDN_NORMAL), bytes,
                                kind != ItemKind::Virtual, language::German());
            TTreeNode* node = TreeView1->Items()->AddChildObject(parent, caption, absolute);
            node->SetImageIndex(SystemIconOf(absolute, 0));
            node->SetSelectedIndex(SystemIconOf(absolute, SHGFI_OPENICON));
            // A link's children are another folder's: the tree does not go there.
            if ((attributes & SFGAO_HASSUBFOLDER) && kind != ItemKind::Link)
                TreeView1->Items()->AddChild(node, "");
        }
    }
    owned.Reset();
    children.Reset();
    EndListing();
}

void TForm11::TreeView1Expanding(TObject*, TTreeNode* node, bool& allow)
{
    TTreeNode* first = node ? node->GetFirstChild() : nullptr;
    if (!IsPlaceholder(first))
        return;
    if (listing_ > 0) {
        // Not while a sizing lets messages in: the user opens it again afterwards.
        allow = false;
        return;
    }
    first->Delete();
    auto* list = static_cast<LPCITEMIDLIST>(node->Data());
    ComPtr<IShellFolder> folder;
    if (list && list->mkid.cb &&
        SUCCEEDED(DesktopFolder->BindToObject(list, nullptr, IID_IShellFolder, folder.PutVoid())))
        FillTreeChildren(folder.Get(), list, node);
    // Top-level nodes and the first one's children keep the shell's order.
    TTreeNode* firstTop = TreeView1->Items()->GetFirstNode();
    TreeView1->CustomSort([firstTop](TTreeNode* a, TTreeNode* b) {
        if (!a->Parent() || a->Parent() == firstTop)
            return 0;
        return common::CompareText(a->Text(), b->Text());
    });
}

void TForm11::TreeView1Deletion(TObject*, TTreeNode* node)
{
    if (node == lastMenuNode_)
        lastMenuNode_ = nullptr;
    if (node->Data())
        malloc_->Free(node->Data());
    node->SetData(nullptr);
}

void TForm11::TreeView1MouseMove(TObject*, TShiftState, int x, int y)
{
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    TreeView_HitTest(TreeView1->Handle(), &hit);
    TreeView1->SetCursor((hit.flags & TVHT_ONITEM) ? crHandPoint : crDefault);
}

void TForm11::TreeView1Change(TObject*, TTreeNode*) { TreeView1Click(nullptr); }

void TForm11::TreeView1Click(TObject*)
{
    TTreeNode* node = TreeView1->Selected();
    if (node && node->Data())
        ShowFolder(static_cast<LPCITEMIDLIST>(node->Data()));
}

void TForm11::RefillNode(TTreeNode* node)
{
    if (!node)
        return;
    while (TTreeNode* child = node->GetFirstChild())
        child->Delete();
    TreeView1->Items()->AddChild(node, "");
    node->Collapse(false);
    node->Expand(false);
}

TTreeNode* TForm11::FindTreeNodeByName(const std::string& text)
{
    for (TTreeNode* node = TreeView1->Items()->GetFirstNode(); node; node = node->GetNext())
        if (node->Data() &&
            file_engines::GetDisplayName(DesktopFolder, static_cast<LPCITEMIDLIST>(node->Data()), SHGDN_NORMAL) == text)
            return node;
    return nullptr;
}

TTreeNode* TForm11::FindTreeNodeByPath(const std::string& path)
{
    for (TTreeNode* node = TreeView1->Items()->GetFirstNode(); node; node = node->GetNext())
        if (node->Data() &&
            file_engines::GetDisplayName(DesktopFolder, static_cast<LPCITEMIDLIST>(node->Data()), SHGDN_FORPARSING) ==
                path)
            return node;
    return nullptr;
}

// ---- address list

void TForm11::FillAddressCombo(IShellFolder* myComputer, LPCITEMIDLIST myComputerList)
{
    AddressNames.clear();
    ImageList4->Clear();
    std::vector<int> images;
    ComPtr<IEnumIDList> children;
    if (myComputer->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, children.Put()) == S_OK && children) {
        ItemIdList child;
        ULONG fetched = 0;
        while (children->Next(1, child.Put(), &fetched) == S_OK && child) {
            if (const ItemIdList joined{file_engines::ItemIdListConcat(malloc_.Get(), myComputerList, child.Get())}) {
                SHFILEINFOA info{};
                SHGetFileInfoA(reinterpret_cast<LPCSTR>(joined.Get()), 0, &info, sizeof info,
                               SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_SMALLICON);
                if (info.szDisplayName[0]) {
                    AddressNames.push_back(info.szDisplayName);
                    images.push_back(TakeIcon(info.hIcon, -1));
                } else if (info.hIcon) {
                    DestroyIcon(info.hIcon);
                }
            }
        }
    }
    // The entry of the folder shown, with the Windows folder's picture until then.
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    SHFILEINFOA info{};
    SHGetFileInfoA(windows, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_SMALLICON);
    AddressNames.push_back(language::Text("Ordner", "Folder"));
    folderImage_ = TakeIcon(info.hIcon, -1);
    images.push_back(folderImage_);
    ComboBoxEx1->Clear();
    for (size_t i = 0; i < AddressNames.size(); ++i) {
        // Drives stand one step in, under the other places of My Computer.
        const int indent = AddressNames[i].find(':') != std::string::npos ? 1 : 0;
        ComboBoxEx1->Add({AddressNames[i], images[i], images[i], -1, indent});
    }
    ComboBoxEx1->SetItemIndex(0);
    FolderEntryIndex = static_cast<int>(AddressNames.size()) - 1;
}

int TForm11::TakeIcon(HICON icon, int index)
{
    if (!icon)
        return index;
    const int placed = ImageList4->ReplaceIcon(index, icon);
    DestroyIcon(icon);
    return placed;
}

void TForm11::ShowInAddressList(LPCITEMIDLIST list, const std::string& caption)
{
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info,
                   SHGFI_PIDL | SHGFI_ICON | SHGFI_SMALLICON | SHGFI_OPENICON);
    // Each folder shown reuses the one picture of the folder entry.
    folderImage_ = TakeIcon(info.hIcon, folderImage_);
    if (FolderEntryIndex < ComboBoxEx1->Count())
        ComboBoxEx1->Delete(FolderEntryIndex);
    ComboBoxEx1->Add({caption, folderImage_, folderImage_, -1, 1});
    ComboBoxEx1->SetItemIndex(FolderEntryIndex);
}

void TForm11::ComboBoxEx1Click(TObject*)
{
    const int index = ComboBoxEx1->ItemIndex();
    if (index < 0 || index >= FolderEntryIndex)
        return; // the last entry is the folder shown
    const std::string caption = ComboBoxEx1->Item(index).caption;
    // A drive's node exists once My Computer was opened: open it first.
    TTreeNode* node = FindTreeNodeByName(caption);
    if (!node) {
        ItemIdList drives;
        if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.Put())) && drives) {
            const std::string computer = file_engines::GetDisplayName(DesktopFolder, drives.Get(), SHGDN_NORMAL);
            drives.Reset();
            if (TTreeNode* computerNode = FindTreeNodeByName(computer)) {
                computerNode->Expand(false);
                node = FindTreeNodeByName(caption);
            }
        }
    }
    if (node) {
        lastMenuNode_ = node;
        TreeView1->SetSelected(node);
        node->MakeVisible();
    }
}
