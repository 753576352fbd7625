// The space manager's item list: every item of the shown folder as a record with its
// size and share, shown by a virtual list view, sorted, searched and selected.
#include "common/CaseRule.h"
#include "common/Language.h"
#include "spacemanager/Dirsize.h"

#include "fileengines/FileFacts.h"
#include "fileengines/Masks.h"
#include "common/ComPtr.h"
#include "common/FindHandle.h"
#include "fileengines/ShellServices.h"
#include "spacemanager/FolderSizing.h"
#include "spacemanager/SizeChart.h"
#include "spacemanager/Tabframe.h"
#include "toolkit/Effects.h"
#include "toolkit/UpdateScope.h"

#include <algorithm>
#include <stdexcept>

namespace {

bool IsPathCaption(const std::string& path)
{
    return path.compare(0, 2, "\\\\") == 0 || path.compare(1, 2, ":\\") == 0;
}

// The full find data of a file-system item. The shell's own find data (SHGetDataFromIDList)
// carries only the low 32 bits of a size under Wine, so the file system is asked first.
bool FindDataOf(IShellFolder* folder, LPCITEMIDLIST child, const std::string& parsing, bool fileSystem,
                WIN32_FIND_DATAA& data)
{
    data = WIN32_FIND_DATAA{};
    if (fileSystem && !IsDriveRootName(parsing) && parsing.find_first_of("*?") == std::string::npos) {
        if (FindHandle(parsing, data).Valid())
            return true;
    }
    data = WIN32_FIND_DATAA{};
    return SUCCEEDED(SHGetDataFromIDListA(folder, child, SHGDFIL_FINDDATA, &data, sizeof data));
}

} // namespace

uint64_t TForm11::SizeOfFolder(const std::string& path, bool& complete)
{
    if (openingSizes_) {
        auto known = openingSizes_->find(common::UpperCase(path));
        if (known != openingSizes_->end()) {
            complete = true;
            return known->second;
        }
    }
    ++FoldersMeasured;
    // The user sees what is measured and how to stop it.
    TStatusPanel* panel = StatusBar1->Panels()->Items(2);
    const std::string shown = panel->Text();
    panel->SetText(language::Text("Größe von ", "Sizing ") + path +
                   language::Text(" (Esc bricht ab)", " (Esc cancels)"));
    const uint64_t bytes = MeasureFolder(path, [this] {
        // The window stays alive while a large folder is measured: Escape, another
        // folder or closing the window stop the measuring.
        const DWORD now = GetTickCount();
        if (now - lastPump_ >= SizingPumpMs) {
            lastPump_ = now;
            Application->ProcessMessages();
        }
        return !SizingCancelled && !Destroying();
    }, complete, [&](const std::string& folder, uint64_t folderBytes) {
        if (openingSizes_)
            (*openingSizes_)[common::UpperCase(folder)] = folderBytes;
    });
    panel->SetText(shown);
    if (complete && openingSizes_)
        (*openingSizes_)[common::UpperCase(path)] = bytes;
    return bytes;
}

void TForm11::EndListing()
{
    if (--listing_ > 0)
        return;
    SizingCancelled = false;
    if (closePending_) {
        closePending_ = false;
        reshowPending_ = false;
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
    } else if (reshowPending_) {
        reshowPending_ = false;
        PostMessageA(Handle(), WM_SHOWAGAIN, 0, 0);
    }
}

std::string TForm11::ShownPath() const
{
    return CurrentFolderPidl ? file_engines::GetDisplayName(DesktopFolder, CurrentFolderPidl, SHGDN_FORPARSING)
                             : std::string();
}

void TForm11::ShowSelectedFolder()
{
    if (CurrentFolderPidl)
        ShowFolder(CurrentFolderPidl);
    else
        TreeView1Click(nullptr);
}

void TForm11::ShowFolder(LPCITEMIDLIST absoluteList)
{
    if (listing_ > 0) {
        // The listing under way is for a folder no longer wanted; this one follows it.
        if (absoluteList != CurrentFolderPidl && absoluteList != pendingPidl_) {
            if (pendingPidl_)
                malloc_->Free(pendingPidl_);
            pendingPidl_ = file_engines::ItemIdListConcat(malloc_.Get(), nullptr, absoluteList);
        }
        SizingCancelled = true;
        reshowPending_ = true;
        return;
    }
    // A copy: the list may be a record's or a node's that the listing replaces.
    LPITEMIDLIST list = file_engines::ItemIdListConcat(malloc_.Get(), nullptr, absoluteList);
    if (!list)
        return;
    if (CurrentFolderPidl && CurrentFolderPidl != list)
        malloc_->Free(CurrentFolderPidl);
    CurrentFolderPidl = list;
    const std::string path = file_engines::GetDisplayName(DesktopFolder, list, SHGDN_FORPARSING);
    StartMonitor(path);
    OpenFolder(DesktopFolder, list);
    const std::string caption =
        IsPathCaption(path) ? path : file_engines::GetDisplayName(DesktopFolder, list, SHGDN_NORMAL);
    ShowInAddressList(list, caption);
    StatusBar1->Panels()->Items(2)->SetText(caption);
}

void TForm11::StartMonitor(const std::string& path)
{
    // The same folder keeps its watch; another one replaces it (the old thread is
    // stopped and waited for first).
    if (Monitor && Monitor->Running() && Monitor->WatchPath() == path)
        return;
    Monitor.reset();
    Monitor = std::make_unique<TDirMonitorThread>(Handle(), path);
    if (!Monitor->Running())
        Monitor.reset();
}

void TForm11::DirChanged()
{
    if (Monitor)
        Monitor->Acknowledge();
    if (!MenuIdle)
        return; // the list under an open shell menu stays as it is
    if (listing_ > 0) {
        reshowPending_ = true;
        return;
    }
    ShowSelectedFolder();
}

void TForm11::OpenFolder(IShellFolder* parent, LPCITEMIDLIST absoluteList)
{
    ComPtr<IShellFolder> folder;
    if (!absoluteList->mkid.cb) {
        parent->AddRef();
        folder.Reset(parent);
    } else if (FAILED(parent->BindToObject(absoluteList, nullptr, IID_IShellFolder, folder.PutVoid())) || !folder) {
        throw std::runtime_error(
            language::Text("Der Ordner kann nicht geöffnet werden.", "The folder cannot be opened."));
    }
    ListView1->ClearSelection();
    const UpdateScope updating(*ListView1->Items());
    ListFolder(folder.Get(), absoluteList);
}

void TForm11::ListFolder(IShellFolder* folder, LPCITEMIDLIST absoluteList)
{
    HourGlass busy;
    ComPtr<IEnumIDList> children;
    if (folder->EnumObjects(Handle(), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, children.Put()) !=
            S_OK ||
        !children)
        throw std::runtime_error(language::Text("Der Ordner kann nicht gelesen werden.", "The folder cannot be read."));
    ++listing_;
    SizingCancelled = false;
    Totals = ListingTotals{};
    ListingTotal = 0;
    SizesComplete = true;
    ListView1->SetItemCount(0);
    ClearDirItems(DirItems);
    folder->AddRef();
    CurrentFolder.Reset(folder);

    std::vector<DirItem> items;
    LPITEMIDLIST child = nullptr;
    ULONG fetched = 0;
    while (children->Next(1, &child, &fetched) == S_OK && child) {
        DirItem item;
        item.ParentFolder = folder;
        item.RelativeList = child;
        item.ParentList = CurrentFolderPidl;
        item.AbsoluteList = file_engines::ItemIdListConcat(malloc_.Get(), absoluteList, child);
        SHFILEINFOA info{};
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(item.AbsoluteList), 0, &info, sizeof info,
                       IconSizeFlag | SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_PIDL);
        item.TypeName = info.szTypeName;
        item.ImageIndex = info.iIcon;
        ULONG attributes = SFGAO_FOLDER | SFGAO_STREAM | SFGAO_FILESYSTEM;
        LPCITEMIDLIST one = child;
        if (FAILED(folder->GetAttributesOf(1, &one, &attributes)))
            attributes = 0;
        item.ParsingName = file_engines::GetDisplayName(folder, child, SHGDN_FORPARSING);
        WIN32_FIND_DATAA data;
        const bool hasFindData =
            FindDataOf(folder, child, item.ParsingName, (attributes & SFGAO_FILESYSTEM) != 0, data);
        item.Size = static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        item.Attributes = data.dwFileAttributes;
        item.WriteTime = data.ftLastWriteTime;
        item.DateText = DateTextOf(data.ftLastWriteTime);
        switch (ClassifyItem(attributes, item.ParsingName, hasFindData, data.dwFileAttributes)) {
        case ItemKind::Folder: {
            bool complete = true;
            item.Size = SizingCancelled ? 0 : static_cast<int64_t>(SizeOfFolder(item.ParsingName, complete));
            SizesComplete = SizesComplete && complete && !SizingCancelled;
            break;
        }
        case ItemKind::Drive: item.Size = static_cast<int64_t>(DriveUsedBytes(item.ParsingName)); break;
        case ItemKind::Virtual: item.Size = 0; break;
        case ItemKind::Link: break; // the link's own entry
        case ItemKind::File: break;
        }
        item.IsFolder = ClassifyItem(attributes, item.ParsingName, hasFindData, data.dwFileAttributes) != ItemKind::File;
        if (item.IsFolder) {
            Totals.folderBytes += static_cast<uint64_t>(item.Size);
            ++Totals.folderCount;
        } else {
            Totals.fileBytes += static_cast<uint64_t>(item.Size);
            ++Totals.fileCount;
        }
        if (item.Size == 0)
            item.Size = 1;
        ListingTotal += item.Size;
        item.DisplayName = file_engines::GetDisplayName(folder, child, SHGDN_NORMAL);
        items.push_back(std::move(item));
        child = nullptr;
    }
    children.Reset();
    // The records are put in place at once, whole: the list may have been painted
    // while the sizes were measured.
    DirItems = std::move(items);
    LargestSize = ApplyShares(DirItems);
    std::stable_sort(DirItems.begin(), DirItems.end(), [this](const DirItem& a, const DirItem& b) {
        return CompareDirItems(a, b, SortKey, SortReversed, CurrentFolder.Get()) < 0;
    });
    ListView1->SetItemCount(static_cast<int>(DirItems.size()));
    std::string status = ListingStatusText(Totals, language::German());
    if (!SizesComplete)
        status += language::Text(" - Größenberechnung abgebrochen", " - sizing cancelled");
    StatusBar1->Panels()->Items(0)->SetText(status);
    StatusBar1->Panels()->Items(1)->SetText(SelectionStatusText(0, 0, language::German()));
    ChartBuilt = 0;
    if (PageControl1->ActivePage() == TabSheet2) {
        AddTeeChart();
        ChartBuilt = 1;
    }
    ListView1->Invalidate();
    EndListing();
}

const DirItem* TForm11::GetItem(int index) const
{
    return index >= 0 && index < static_cast<int>(DirItems.size()) ? &DirItems[index] : nullptr;
}

void TForm11::ListView1Data(TListView*, int index, TListItem& item)
{
    const DirItem* record = GetItem(index);
    if (!record)
        return;
    item.SetCaption(record->DisplayName);
    item.SetImageIndex(record->ImageIndex);
    if (ListView1->ViewStyle() != vsReport)
        return;
    TStringList* cells = item.SubItems();
    cells->Add(MegabyteText(static_cast<double>(record->Size), language::German()) + " MB");
    cells->Add(std::to_string(static_cast<long long>(record->Percent + 0.5)) + " %");
    cells->Add(record->TypeName);
    cells->Add(record->DateText);
    cells->Add(file_engines::AttributeLetters(record->Attributes));
}

void TForm11::ListView1ColumnClick(TObject*, TListColumn* column)
{
    const int index = column->Index();
    if (index == SortColumn)
        SortReversed = !SortReversed;
    SortColumn = index;
    SortKey = index;
    ListView1->SetSortColumn(column, SortReversed ? soDescending : soAscending);
    // The records are sorted again as they are; their sizes need no new measuring.
    std::stable_sort(DirItems.begin(), DirItems.end(), [this](const DirItem& a, const DirItem& b) {
        return CompareDirItems(a, b, SortKey, SortReversed, CurrentFolder.Get()) < 0;
    });
    ListView1->ClearSelection();
    ListView1->SetItemCount(static_cast<int>(DirItems.size()));
    ListView1->Invalidate();
}

void TForm11::ListView1SelectItem(TObject*)
{
    uint64_t bytes = 0;
    const std::vector<int> rows = ListView1->SelectedIndices();
    for (int row : rows)
        if (const DirItem* item = GetItem(row))
            bytes += static_cast<uint64_t>(item->Size);
    StatusBar1->Panels()->Items(1)->SetText(
        SelectionStatusText(static_cast<int>(rows.size()), bytes, language::German()));
}

void TForm11::ListView1DblClick(TObject*)
{
    const DirItem* item = GetItem(ListView1->ItemIndex());
    if (!item)
        return;
    if (!item->IsFolder) {
        effects::ShellOpen(Handle(), "open", item->ParsingName, "", "", SW_SHOWNORMAL);
        return;
    }
    if (TTreeNode* selected = TreeView1->Selected())
        if (!selected->Expanded())
            selected->Expand(false);
    if (TTreeNode* node = FindTreeNodeByPath(item->ParsingName)) {
        lastMenuNode_ = node;
        TreeView1->SetSelected(node);
        node->MakeVisible();
        return;
    }
    // A folder the tree does not hold (made after its parent was read): shown anyway.
    ShowFolder(item->AbsoluteList);
}

void TForm11::ListView1KeyDown(TObject*, WORD& key, TShiftState)
{
    if (key == VK_F5)
        ShowSelectedFolder();
}

void TForm11::Allesmarkieren3Click(TObject*)
{
    if (PageControl1->ActivePage() != TabSheet1)
        return;
    ListView1->SetFocus();
    ListView1->SelectAll();
}

void TForm11::Markierungumdrehen3Click(TObject*)
{
    if (PageControl1->ActivePage() != TabSheet1)
        return;
    ListView1->SetFocus();
    for (int row = 0; row < static_cast<int>(DirItems.size()); ++row)
        ListView1->SetSelected(row, !ListView1->IsSelected(row));
}

void TForm11::Eigenschaften1Click(TObject*)
{
    const DirItem* item = GetItem(ListView1->ItemIndex());
    if (PageControl1->ActivePage() != TabSheet1 || !item)
        return;
    host_.showProperties(item->ParsingName);
}

void TForm11::AddTeeChart()
{
    const std::string path = ShownPath();
    const std::string title = IsPathCaption(path) || !CurrentFolderPidl
                                  ? path
                                  : file_engines::GetDisplayName(DesktopFolder, CurrentFolderPidl, SHGDN_NORMAL);
    Frame6->ShowChart(
        title, BuildSizeChart(DirItems, Totals, LargestSize, {FolderBarLimit, FileBarLimit}, language::German()));
}
