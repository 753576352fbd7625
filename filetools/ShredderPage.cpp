// The shredder page: a list of files and folders (dropped, or added through the file
// and folder dialogs) that are shredded with the chosen number of passes.
#include "common/CaseRule.h"
#include "common/Language.h"
#include "shell/Unit1.h"

#include "fileengines/PathGuard.h"
#include "common/PathFacts.h"
#include "filetools/ShredderRun.h"
#include "pageparts/MessageText.h"
#include "pageparts/PageParts.h"
#include "toolkit/Button.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/Effects.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/OpenDialog.h"

#include <algorithm>
#include <cstdint>

namespace {

// The files a row stands for: 1 for a file, the files in a folder's tree for a folder.
intptr_t RowFileCount(const TListItem* item) { return reinterpret_cast<intptr_t>(item->Data()); }

// Keeps the main window disabled while its rows are shredded: a click on the list
// meanwhile would change the rows under the loop.
class MainWindowDisabled {
public:
    explicit MainWindowDisabled(HWND window) : window_(window) { EnableWindow(window_, FALSE); }
    ~MainWindowDisabled() { EnableWindow(window_, TRUE); }
    MainWindowDisabled(const MainWindowDisabled&) = delete;
    MainWindowDisabled& operator=(const MainWindowDisabled&) = delete;

private:
    HWND window_;
};

// The selected rows the shredder may take. A folder row takes its whole tree along, so it
// goes through the path guard; a file row is the user's own choice of one file.
struct ShredderChoice {
    std::vector<bool> shred;          // per row
    std::vector<std::string> folders; // the folders among them
    intptr_t files = 0;               // the files they stand for
    std::string refused;              // the refused folders, each with its reason
};

ShredderChoice ChooseRows(TListItems* items, const path_guard::GuardedFolders& guarded)
{
    ShredderChoice choice;
    choice.shred.resize(items->Count());
    for (int row = 0; row < items->Count(); ++row) {
        const TListItem* item = items->Item(row);
        if (!item->Selected())
            continue;
        if (common::IsFolder(item->Caption())) {
            const path_guard::Verdict verdict = path_guard::Judge(item->Caption(), guarded);
            if (verdict != path_guard::Verdict::Allowed) {
                choice.refused += item->Caption() + path_guard::RefusalNote(verdict, language::German());
                continue;
            }
            choice.folders.push_back(item->Caption());
        }
        choice.shred[row] = true;
        choice.files += RowFileCount(item);
    }
    return choice;
}

// "12 files will be shredded, with these folders and all they hold:" and the folders.
std::string WhatIsShredded(const ShredderChoice& choice)
{
    const std::string count = std::to_string(choice.files);
    const std::string what =
        choice.files == 1 ? language::Text("1 Datei wird sicher gelöscht", "1 file will be shredded")
                          : language::Text(count + " Dateien werden sicher gelöscht", count + " files will be shredded");
    if (choice.folders.empty())
        return what + ".\n";
    return what + language::Text(", mit diesen Ordnern und allem, was sie enthalten:\n",
                                 ", with these folders and all they hold:\n") +
           JoinLines(choice.folders, 20);
}

} // namespace

void TForm1::BuildShredderPage()
{
    TTabSheet* page = TabSheets[14];

    ListView11 = new TListView(this);
    ListView11->Name = "ListView11";
    ListView11->SetParent(page);
    ListView11->SetBounds(16, 40, 450, 236);
    ListView11->Columns()->Add()->SetWidth(425);
    page_parts::HideColumnHeader(ListView11);
    ListView11->SetMultiSelect(true);
    ListView11->SetRowSelect(true);
    ListView11->SetHideSelection(false);
    ListView11->SetColor(page_parts::listGrey);
    auto* images = new TImageList(this);
    images->SetShareImages(true);
    SHFILEINFOA info{};
    images->SetHandle(reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
    ListView11->SetSmallImages(images);
    ListView11->SetAcceptFiles(true);
    ListView11->OnDropFiles = Bind(this, &TForm1::NewListViewWP11);
    ListView11->OnKeyDown = Bind(this, &TForm1::ListView11KeyDown);

    PopupMenu6 = new TPopupMenu(this);
    PopupMenu6->Name = "PopupMenu6";
    Allesmarkieren2 = page_parts::MakeMenuEntry(PopupMenu6, "Allesmarkieren2", Bind(this, &TForm1::Allesmarkieren2Click));
    Markierungumkehren1 =
        page_parts::MakeMenuEntry(PopupMenu6, "Markierungumkehren1", Bind(this, &TForm1::Markierungumkehren1Click));
    RemoveShredderRows1 =
        page_parts::MakeMenuEntry(PopupMenu6, "RemoveShredderRows1", Bind(this, &TForm1::RemoveShredderRowsClick));
    Listeleeren1 = page_parts::MakeMenuEntry(PopupMenu6, "Listeleeren1", Bind(this, &TForm1::Label55Click));
    ListView11->SetPopupMenu(PopupMenu6);

    AddShredderFilesLink = page_parts::MakePageLink(this, page, "AddShredderFilesLink", 16, 284, 120);
    AddShredderFilesLink->OnClick = Bind(this, &TForm1::AddShredderFilesClick);
    AddShredderFolderLink = page_parts::MakePageLink(this, page, "AddShredderFolderLink", 160, 284, 120);
    AddShredderFolderLink->OnClick = Bind(this, &TForm1::AddShredderFolderClick);
    Label55 = page_parts::MakePageLink(this, page, "Label55", 346, 284, 120);
    Label55->OnClick = Bind(this, &TForm1::Label55Click);

    auto* passes = new TLabel(this);
    passes->Name = "ShredderPassesLabel";
    passes->SetParent(page);
    passes->SetTransparent(true);
    passes->SetBounds(16, 318, 120, 16);
    CSpinEdit1 = new TCSpinEdit(this);
    CSpinEdit1->Name = "CSpinEdit1";
    CSpinEdit1->SetParent(page);
    CSpinEdit1->SetBounds(140, 314, 60, 22);
    CSpinEdit1->SetMinValue(1);
    CSpinEdit1->SetMaxValue(static_cast<int>(kMaxShredPasses));
    CSpinEdit1->SetValue(7);

    Button1 = new TButton(this);
    Button1->Name = "Button1";
    Button1->SetParent(page);
    Button1->SetBounds(366, 312, 100, 25);
    Button1->OnClick = Bind(this, &TForm1::Button1Click);

    page_parts::MakePageTitle(this, page, "ShredderTitleLabel");
    CaptionShredderPages();
}

void TForm1::CaptionShredderPages()
{
    if (auto* title = static_cast<TLabel*>(FindComponent("ShredderTitleLabel")))
        title->SetCaption(
            language::Text("Dateien und Ordner hierher ziehen oder hinzufügen; sie werden sicher gelöscht.",
                           "Drop or add files and folders here; they are deleted securely."));
    if (auto* passes = static_cast<TLabel*>(FindComponent("ShredderPassesLabel")))
        passes->SetCaption(language::Text("Durchgänge (1 - 500):", "Passes (1 - 500):"));
    AddShredderFilesLink->SetCaption(language::Text("Dateien hinzufügen", "Add files"));
    AddShredderFolderLink->SetCaption(language::Text("Ordner hinzufügen", "Add folder"));
    Label55->SetCaption(language::Text("Liste leeren", "Clear list"));
    Button1->SetCaption(language::Text("Löschen", "Shred"));
    Allesmarkieren2->Caption = language::Text("Alles markieren", "Select all");
    Markierungumkehren1->Caption = language::Text("Markierung umkehren", "Invert selection");
    RemoveShredderRows1->Caption = language::Text("Aus der Liste entfernen", "Remove from list");
    Listeleeren1->Caption = language::Text("Liste leeren", "Clear list");
    if (Label48)
        Label48->SetCaption(language::Text("Freien Speicher löschen", "Wipe free space"));
    if (auto* hint = static_cast<TLabel*>(FindComponent("WipeTitleLabel")))
        hint->SetCaption(language::Text("Wählen Sie ein Laufwerk, dessen freier Speicher überschrieben werden soll.",
                                        "Choose a drive whose free space is to be overwritten."));
}

void TForm1::ClearShredderList()
{
    CaptionShredderPages();
    ListView11->Items()->Clear();
}

void TForm1::Label55Click(TObject*) { ListView11->Items()->Clear(); }

void TForm1::Allesmarkieren2Click(TObject*) { ListView11->SelectAll(); }

void TForm1::Markierungumkehren1Click(TObject*)
{
    TListItems* items = ListView11->Items();
    for (int row = 0; row < items->Count(); ++row)
        items->Item(row)->SetSelected(!items->Item(row)->Selected());
}

void TForm1::RemoveShredderRowsClick(TObject*)
{
    TListItems* items = ListView11->Items();
    for (int row = items->Count() - 1; row >= 0; --row)
        if (items->Item(row)->Selected())
            items->Delete(row);
}

void TForm1::ListView11KeyDown(TObject* sender, WORD& key, TShiftState)
{
    if (key == VK_DELETE)
        RemoveShredderRowsClick(sender);
}

void TForm1::AddShredderRow(const std::string& path)
{
    TListItems* items = ListView11->Items();
    for (int row = 0; row < items->Count(); ++row)
        if (common::SameText(items->Item(row)->Caption(), path))
            return; // listed already; a second row would only fail to find it
    TListItem* item = items->Add();
    item->SetCaption(path);
    item->SetImageIndex(GetIcon(path, SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_SMALLICON));
    intptr_t files = 1;
    if (common::IsFolder(path)) {
        int count = FastCountFiles(path, 1);
        if (count >= 0)
            files = count;
    }
    item->SetData(reinterpret_cast<void*>(files));
}

void TForm1::NewListViewWP11(TObject*, const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        AddShredderRow(path);
}

void TForm1::AddShredderFilesClick(TObject*)
{
    TOpenDialog dialog(nullptr);
    dialog.Title = language::Text("Dateien zum sicheren Löschen", "Files to shred");
    dialog.Filter = language::Text("Alle Dateien|*.*", "All files|*.*");
    dialog.Options |= ofFileMustExist | ofNoChangeDir;
    if (dialog.Execute() && !dialog.FileName.empty())
        AddShredderRow(dialog.FileName);
}

void TForm1::AddShredderFolderClick(TObject* sender)
{
    std::string folder;
    BrowseDirectory(sender, folder);
    if (!folder.empty())
        AddShredderRow(folder);
}

void TForm1::Button1Click(TObject*)
{
    // The shredding lets messages in: a close waits for it, a task due meanwhile after it.
    // It does not start while another long job runs, whose cancel it would clear.
    if (InLongJob())
        return;
    LongJob job(this);
    if (ListView11->SelCount() == 0) {
        effects::ShowMessageBox(Handle(), language::Text("Keine Dateien ausgewählt", "No files selected"),
                                language::Text("Hinweis", "Hint"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    TListItems* items = ListView11->Items();
    const ShredderChoice choice = ChooseRows(items, GuardedFolders());
    if (!choice.refused.empty())
        effects::ShowMessageBox(Handle(),
                                language::Text("Diese Ordner werden nicht sicher gelöscht:\n",
                                               "These folders are not shredded:\n") +
                                    choice.refused,
                                language::Text("Hinweis", "Hint"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
    if (std::find(choice.shred.begin(), choice.shred.end(), true) == choice.shred.end())
        return;
    const std::string what = WhatIsShredded(choice);
    if (effects::ShowMessageBox(
            Handle(),
            language::Text("Wollen Sie die ausgewählten Dateien wirklich sicher löschen? \n" + what +
                               "Eine Wiederherstellung wird nicht möglich sein.\n"
                               "Verwenden Sie auch 'Freien Speicher löschen', um nicht belegten Speicher Ihres "
                               "Laufwerks zu säubern.\n"
                               "Fortfahren ?",
                           "Do you really want delete secure selected files? \n" + what +
                               "Restoring data will fail.\n"
                               "Use also 'Wipe Free Space' for cleaning unused Data on your drive.\nContinue ?"),
            language::Text("Frage", "Question"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_YESNO) != IDYES)
        return;

    WipeRunning = 0;
    ShredderWindowSetup files;
    files.entries = static_cast<int>(choice.files);
    ShredderWindow window(this, XPMenu1, files);

    ShredPasses = std::to_string(CSpinEdit1->Value());
    AbortFlag = 0;
    MainWindowDisabled busy(Handle());

    ShredderIo& disk = ShredderDisk ? *ShredderDisk : Win32ShredderIo();
    // From the last row up, so that deleting a row keeps the rows still to come in place.
    for (int row = items->Count() - 1; row >= 0 && !AbortFlag && !window.Cancelled(); --row) {
        TListItem* item = items->Item(row);
        if (!choice.shred[row])
            continue;
        const ShredderRun run = StartShredderRun(*window, {item->Caption(), ShredPasses}, disk);
        if (run.start == ShredderRun::Start::Missing)
            effects::ShowMessageBox(Handle(), language::Text("Datei nicht gefunden", "Unable to locate file"),
                                    Application->Title, MB_OK);
        else if (!run.result.scrambledLeft.empty() && run.gone)
            item->SetCaption(run.result.scrambledLeft.front().leftAs); // the file stays, under this name
        else if (run.gone)
            items->Delete(row);
    }
    window.Close();
}
