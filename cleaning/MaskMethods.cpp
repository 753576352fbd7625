// The main form's masks and exclusion folders: defaults, loading, the lists the scan
// uses, saving, and the tests over them.
#include "shell/Unit1.h"

#include "cleaning/CheckedValues.h"
#include "fileengines/Masks.h"
#include "cleaning/UnchangedValues.h"
#include "common/CaseRule.h"
#include "common/OptionsKeys.h"
#include "toolkit/ListView.h"
#include "toolkit/UpdateScope.h"

namespace {

void Refill(TObjectList<CheckedEntry>& list, const std::vector<CheckedEntry>& entries)
{
    list.Clear();
    for (const CheckedEntry& entry : entries)
        list.Add(new CheckedEntry(entry));
}

void ShowRows(TListView& view, const TObjectList<CheckedEntry>& list, int imageIndex)
{
    const UpdateScope updating(*view.Items());
    view.Items()->Clear();
    for (int i = 0; i < list.Count(); ++i) {
        TListItem* row = view.Items()->Add();
        row->SetCaption(list[i]->text);
        row->SetImageIndex(imageIndex);
        row->SetChecked(list[i]->active);
    }
}

std::vector<CheckedEntry> RowsOf(TListView& view)
{
    std::vector<CheckedEntry> rows;
    for (int row = 0; row < view.Items()->Count(); ++row) {
        TListItem* item = view.Items()->Item(row);
        rows.push_back(CheckedEntry{item->Checked(), item->Caption()});
    }
    return rows;
}

} // namespace

void TForm1::SetDefaults()
{
    Registry->RootKey = HKEY_CURRENT_USER;
    Registry->Access = KEY_READ | KEY_WRITE;
    KeyOpened = Registry->OpenKey(options::fileEnding::Key, true);
    if (KeyOpened)
        for (const std::string& mask : file_engines::DefaultMasks())
            Registry->WriteString(mask, "1");
    Registry->CloseKey();

    std::vector<std::string> folders =
        file_engines::DefaultExcludeDirs([this](int csidl) { return SpecialFolder(csidl); }, WindowsDir);
    KeyOpened = Registry->OpenKey(options::excludeDirs::Key, true);
    if (KeyOpened)
        for (const std::string& folder : folders)
            Registry->WriteString(folder, "1");
    Registry->CloseKey();
}

// The stored masks into FileEndingList and, one row each, into the mask list.
void TForm1::GetDelFileEndings()
{
    Registry->RootKey = HKEY_CURRENT_USER;
    Refill(*FileEndingList, cleaning::ReadCheckedValues(*Registry, options::fileEnding::Key));
    ShowRows(*ListView2, *FileEndingList, 0);
}

// The stored exclusion folders into ExcludeDirList and the exclusion list.
void TForm1::GetExcludeDirs()
{
    Registry->RootKey = HKEY_CURRENT_USER;
    Refill(*ExcludeDirList, cleaning::ReadCheckedValues(*Registry, options::excludeDirs::Key));
    ShowRows(*ListView3, *ExcludeDirList, 5);
}

std::vector<CheckedEntry> TForm1::MaskRows() const { return RowsOf(*ListView2); }

std::vector<CheckedEntry> TForm1::ExcludeDirRows() const { return RowsOf(*ListView3); }

void TForm1::GetActualDelFileEndings()
{
    std::vector<CheckedEntry> masks = MaskRows();
    for (CheckedEntry& mask : masks)
        mask.text = common::UpperCase(mask.text);
    Refill(*FileEndingList, masks);
}

void TForm1::GetActualExcludeDirs() { Refill(*ExcludeDirList, ExcludeDirRows()); }

void TForm1::WriteFileEnding()
{
    Registry->RootKey = HKEY_CURRENT_USER;
    cleaning::WriteCheckedValuesIfChanged(*Registry, options::Key, options::fileEnding::Name, MaskRows());
}

void TForm1::WriteRegExcludeDirs()
{
    Registry->RootKey = HKEY_CURRENT_USER;
    cleaning::WriteCheckedValuesIfChanged(*Registry, options::Key, options::excludeDirs::Name, ExcludeDirRows());
}

bool TForm1::TestFile(const std::string& ending) { return file_engines::TestFile(FileEndingList->Copies(), ending); }

bool TForm1::DateiFilter(const std::string& ending, const std::string& mask)
{
    return file_engines::DateiFilter(ending, mask);
}

bool TForm1::IsInExcludeDirs(const std::string& path)
{
    return file_engines::ExclusionTest(ExcludeDirList->Copies(), SkipRecycleBin != 0).IsInExcludeDirs(path);
}
