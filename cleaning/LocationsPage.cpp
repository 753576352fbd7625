// The scan locations: the fixed drives of My Computer and the folders the user added,
// in the scan's list (ListView1 beside ScanItems) and the duplicate search's list
// (ListView17 beside DuplicateScanItems); their check marks and added folders are saved
// when the window closes and restored at the next start.
#include "shell/Unit1.h"

#include "cleaning/CheckedValues.h"
#include "cleaning/ScanLocations.h"
#include "cleaning/UnchangedValues.h"
#include "common/ComPtr.h"
#include "common/ItemIdList.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "fileengines/ShellWalk.h"
#include "filetools/DuplicateModeOn.h"
#include "common/OptionsKeys.h"
#include "pageparts/PageParts.h"
#include "toolkit/Effects.h"
#include "toolkit/ImageList.h"
#include "toolkit/UpdateScope.h"

#include <algorithm>

namespace {

const UINT rowIconFlags = SHGFI_SYSICONINDEX | SHGFI_TYPENAME | SHGFI_SMALLICON; // 0x4401

// A location list view with the records its rows stand for, and where it is saved.
struct LocationList {
    TListView* view;
    TObjectList<ShellItemRecord>* items;
    const char* driveMarksName;
    const char* driveMarksKey;
    const char* addedDirsName;
    const char* addedDirsKey;
};

LocationList ScanLocationList(TForm1& form)
{
    return {form.ListView1, form.ScanItems.get(), options::driveSettings::Name, options::driveSettings::Key,
            options::addedDirs::Name, options::addedDirs::Key};
}

LocationList DuplicateLocations(TForm1& form)
{
    return {form.ListView17, form.DuplicateScanItems.get(), options::duplicateDriveSettings::Name,
            options::duplicateDriveSettings::Key, options::addedDuplicateDirs::Name,
            options::addedDuplicateDirs::Key};
}

std::vector<cleaning::LocationRow> RowsOf(TListView& view)
{
    std::vector<cleaning::LocationRow> rows;
    for (int row = 0; row < view.Items()->Count(); ++row) {
        TListItem* item = view.Items()->Item(row);
        rows.push_back({item->Caption(), item->Checked()});
    }
    return rows;
}

TListItem* AddRow(TListView& view, const std::string& caption, int image, bool checked)
{
    TListItem* row = view.Items()->Add();
    row->SetCaption(caption);
    row->SetImageIndex(image);
    row->SetChecked(checked);
    return row;
}

// A record's shell objects go with the last holder of the record.
void FreeRecord(ShellItemRecord* record)
{
    if (record->parentFolder)
        record->parentFolder->Release();
    CoTaskMemFree(record->item);
    delete record;
}

TListView* MakeLocationList(TForm1& form, TWinControl* parent, const char* name)
{
    TListView* list = page_parts::MakeCheckList(&form, parent, name, 16, 40, 450, 236);
    auto* images = new TImageList(&form);
    images->SetShareImages(true);
    images->SetHandle(SystemImageList);
    list->SetSmallImages(images);
    list->OnKeyDown = Bind(&form, &TForm1::ListView1KeyDown);
    return list;
}

void RemoveRow(TForm1& form, const LocationList& list, int row)
{
    if (row < 0)
        return;
    if (effects::ShowMessageBox(form.Handle(), language::Text("Entfernen   ?", "Remove   ?"),
                                language::Text("Frage", "Question"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The record stays: a drive stands in both lists, and the form keeps every record.
    if (row < list.items->Count())
        list.items->Delete(row);
    list.view->Items()->Delete(row);
    list.view->Invalidate();
}

void SaveLocations(TForm1& form, const LocationList& list)
{
    std::vector<cleaning::LocationRow> rows = RowsOf(*list.view);
    form.Registry->RootKey = HKEY_CURRENT_USER;
    cleaning::WriteCheckedValuesIfChanged(*form.Registry, options::Key, list.driveMarksName, cleaning::DriveMarksToSave(rows));
    cleaning::WriteCheckedValuesIfChanged(*form.Registry, options::Key, list.addedDirsName, cleaning::AddedDirsToSave(rows));
}

// Each drive row takes the mark stored under its own name (or, when its label changed,
// under its drive letter); rows without a stored mark keep theirs. Added folders came
// with their marks already (a folder path's "C:" names no drive row).
void RestoreMarks(TForm1& form, const LocationList& list)
{
    form.Registry->RootKey = HKEY_CURRENT_USER;
    std::vector<CheckedEntry> stored = cleaning::ReadCheckedValues(*form.Registry, list.driveMarksKey);
    if (stored.empty())
        return;
    std::vector<int> driveRows;
    std::vector<std::string> captions;
    for (int row = 0; row < list.view->Items()->Count(); ++row) {
        std::string caption = list.view->Items()->Item(row)->Caption();
        if (caption.find(":)") == std::string::npos)
            continue;
        driveRows.push_back(row);
        captions.push_back(caption);
    }
    std::vector<std::optional<bool>> marks = cleaning::MatchDriveMarks(captions, stored);
    for (size_t i = 0; i < marks.size(); ++i)
        if (marks[i])
            list.view->Items()->Item(driveRows[i])->SetChecked(*marks[i]);
}

// Once, though a folder may be kept for both the scan and the duplicate search.
void NoteUnreadLocation(TForm1& form, const std::string& path)
{
    std::vector<std::string>& unread = form.UnreadLocations;
    if (std::find(unread.begin(), unread.end(), path) == unread.end())
        unread.push_back(path);
}

void ReadAddedDirsOf(TForm1& form, const LocationList& list)
{
    // Folder rows (no ")" in the caption) are read afresh from the settings.
    for (int row = list.view->Items()->Count() - 1; row >= 0; --row) {
        if (list.view->Items()->Item(row)->Caption().find(')') != std::string::npos)
            continue;
        list.view->Items()->Delete(row);
        if (row < list.items->Count())
            list.items->Delete(row);
    }
    TRegistry registry;
    cleaning::AddedDirsPlan plan =
        cleaning::PlanAddedDirs(cleaning::ReadCheckedValues(registry, list.addedDirsKey), common::IsFolder);
    for (const CheckedEntry& folder : plan.toAdd)
        form.FindPidlShellFolder(folder.text, folder.active);
    for (const std::string& missing : plan.missing) {
        if (form.AutoScan) { // told after the scan; a box now would hold up a scheduled scan
            NoteUnreadLocation(form, missing);
            continue;
        }
        effects::ShowMessageBox(
            form.Handle(),
            language::Text("Ordner nicht gefunden: ", "Unable to locate folder ") + missing +
                language::Text("\nDer Ordner wird aus der Liste entfernt.", "\nRemoving Folder from list."),
            "Tidewrack", MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    }
}

} // namespace

void TForm1::BuildLocationsPage()
{
    TTabSheet* page = TabSheets[8];
    page_parts::MakePageTitle(this, page, "LocationsPageTitle");

    ListView1 = MakeLocationList(*this, page, "ListView1");
    PopupMenu4 = new TPopupMenu(this);
    PopupMenu4->Name = "PopupMenu4";
    Hinzufgen1 = page_parts::MakeMenuEntry(PopupMenu4, "Hinzufgen1", Bind(this, &TForm1::Hinzufgen1Click));
    Entfernen1 = page_parts::MakeMenuEntry(PopupMenu4, "Entfernen1", Bind(this, &TForm1::Label25Click));
    Allemarkieren1 = page_parts::MakeMenuEntry(PopupMenu4, "Allemarkieren1", Bind(this, &TForm1::Allemarkieren1Click));
    Markierungumdrehen2 =
        page_parts::MakeMenuEntry(PopupMenu4, "Markierungumdrehen2", Bind(this, &TForm1::Markierungumdrehen2Click));
    ListView1->SetPopupMenu(PopupMenu4);

    Label24 = page_parts::MakePageLink(this, page, "Label24", 16, 284, 120);
    Label24->OnClick = Bind(this, &TForm1::Label24Click);
    Label25 = page_parts::MakePageLink(this, page, "Label25", 160, 284, 120);
    Label25->OnClick = Bind(this, &TForm1::Label25Click);

    // The duplicate search's own list of the same kind of locations, on its page.
    ListView17 = MakeLocationList(*this, TabSheets[15], "ListView17");
}

void TForm1::SetPath()
{
    ScanItems->SetOwnsObjects(false);
    DuplicateScanItems->SetOwnsObjects(false);
    // The system's image list is fetched at start, after the pages were built.
    for (TListView* list : {ListView1, ListView17}) {
        list->SmallImages()->SetHandle(SystemImageList);
        list->SetSmallImages(list->SmallImages());
    }
    if (!DesktopFolder)
        return;
    if (!DrivesRootItem && FAILED(SHGetSpecialFolderLocation(Handle(), CSIDL_DRIVES, DrivesRootItem.Put())))
        return;
    ComPtr<IShellFolder> root;
    if (FAILED(DesktopFolder->BindToObject(DrivesRootItem.Get(), nullptr, IID_IShellFolder, root.PutVoid())) || !root)
        return;
    const UpdateScope updating(*ListView1->Items());
    FillListView(DrivesRootItem.Get(), root.Get());
}

void TForm1::FillListView(LPCITEMIDLIST rootItem, IShellFolder* rootFolder)
{
    HourGlass busy;
    ComPtr<IEnumIDList> items;
    if (SUCCEEDED(rootFolder->EnumObjects(Application->Handle(),
                                          SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN, items.Put())) &&
        items) {
        ItemIdList item; // a drive's list goes to its record; any other is freed
        while (items->Next(1, item.Put(), nullptr) == S_OK) {
            std::string name = GetDisplayName(item.Get(), rootFolder, SHGDN_FORPARSING);
            if (name.size() != 3 || name.find(":\\") == std::string::npos ||
                GetDriveTypeA(name.substr(0, 2).append("\\").c_str()) != DRIVE_FIXED)
                continue;
            rootFolder->AddRef();
            std::shared_ptr<ShellItemRecord> record(new ShellItemRecord, FreeRecord);
            record->parentFolder = rootFolder;
            record->rootFolder = rootFolder;
            record->item = item.Detach();
            record->parentItem = const_cast<LPITEMIDLIST>(rootItem);
            record->parsingName = name;
            record->displayName = GetDisplayName(record->item, rootFolder, SHGDN_NORMAL);
            ShellItemRecords.push_back(record);
            ScanItems->Add(record.get());
            DuplicateScanItems->Add(record.get());
            int image = GetIcon(name, rowIconFlags);
            AddRow(*ListView1, record->displayName, image, true);
            AddRow(*ListView17, record->displayName, image, false);
        }
    }
    ReadAddedDirs();
    ListView1->Invalidate();
}

void TForm1::ReadAddedDirs()
{
    ReadAddedDirsOf(*this, ScanLocationList(*this));
    DuplicateModeOn duplicates(DuplicateMode);
    ReadAddedDirsOf(*this, DuplicateLocations(*this));
}

bool TForm1::FindPidlShellFolder(const std::string& path, bool checked)
{
    if (!DesktopFolder) {
        effects::ShowMessageBox(
            Handle(), language::Text("Der Desktop-Ordner ist nicht verfügbar.", "Failed to get Desktop folder."),
            "Tidewrack", MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
        return false;
    }
    // A folder the shell cannot parse or bind is never listed: the scan would have
    // nothing to walk there.
    file_engines::FolderLocation location;
    HRESULT error = S_OK;
    if (!file_engines::MakeFolderLocation(path, location, error)) {
        if (AutoScan) { // told after the scan, like a location the scan cannot read
            NoteUnreadLocation(*this, path);
            return false;
        }
        effects::ShowMessageBox(
            Handle(),
            language::Text("Der Ordner \"", "The folder \"") + path +
                language::Text("\" kann nicht als Suchort verwendet werden.", "\" cannot be used as a location."),
            "Tidewrack", MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
        return false;
    }
    std::shared_ptr<ShellItemRecord> record(new ShellItemRecord, FreeRecord);
    record->parentFolder = location.parentFolder;
    record->item = location.item;
    record->parsingName = path;
    ShellItemRecords.push_back(record);
    LocationList list = DuplicateMode ? DuplicateLocations(*this) : ScanLocationList(*this);
    list.items->Add(record.get());
    AddRow(*list.view, path, GetIcon(path, rowIconFlags), checked);
    return true;
}

ShellItemRecord* TForm1::GetShellItem(int index) { return (*ScanItems)[index]; }

ShellItemRecord* TForm1::GetDuplicateShellItem(int index) { return (*DuplicateScanItems)[index]; }

std::vector<cleaning::LocationRow> TForm1::ScanLocationRows() const { return RowsOf(*ListView1); }

std::vector<file_engines::ScanLocation> TForm1::CheckedScanLocations() const
{
    std::vector<cleaning::LocationRow> rows = ScanLocationRows();
    std::vector<file_engines::ScanLocation> locations;
    for (int row = 0; row < static_cast<int>(rows.size()) && row < ScanItems->Count(); ++row)
        if (rows[row].checked)
            locations.push_back({rows[row].caption, (*ScanItems)[row]->parentFolder, (*ScanItems)[row]->item});
    return locations;
}

void TForm1::GetDuplicateHDS()
{
    cleaning::SpaceMeter meter;
    ScanTotalBytes = cleaning::UsedSpaceOfLocations(RowsOf(*ListView17), meter);
}

void TForm1::SaveScreenSettings()
{
    SaveLocations(*this, ScanLocationList(*this));
    SaveLocations(*this, DuplicateLocations(*this));
}

void TForm1::GetScreenSettings()
{
    RestoreMarks(*this, ScanLocationList(*this));
    RestoreMarks(*this, DuplicateLocations(*this));
}

void TForm1::Label24Click(TObject* sender)
{
    std::string path;
    BrowseDirectory(sender, path);
    if (!path.empty())
        FindPidlShellFolder(path, true);
}

void TForm1::Hinzufgen1Click(TObject* sender) { Label24Click(sender); }

void TForm1::Label25Click(TObject*) { RemoveRow(*this, ScanLocationList(*this), page_parts::SelectedRow(ListView1)); }

// Shared by both location lists: the Delete key removes the location from its own list.
void TForm1::ListView1KeyDown(TObject* sender, WORD& key, TShiftState)
{
    if (key != VK_DELETE)
        return;
    LocationList list = sender == ListView17 ? DuplicateLocations(*this) : ScanLocationList(*this);
    RemoveRow(*this, list, page_parts::SelectedRow(list.view));
}

void TForm1::Allemarkieren1Click(TObject*)
{
    for (int row = 0; row < ListView1->Items()->Count(); ++row)
        ListView1->Items()->Item(row)->SetChecked(true);
}

void TForm1::Markierungumdrehen2Click(TObject*)
{
    for (int row = 0; row < ListView1->Items()->Count(); ++row) {
        TListItem* item = ListView1->Items()->Item(row);
        item->SetChecked(!item->Checked());
    }
}
