// The backups page: the projects registered under the Backup key, opened in the
// backups browser or removed with their folders.
#include "archive/BackupProjects.h"
#include "archive/Showbackupfiles.h"
#include "fileengines/FileDeleter.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "common/OptionsKeys.h"
#include "pageparts/PageParts.h"
#include "shell/Unit1.h"
#include "toolkit/Effects.h"
#include "toolkit/ListView.h"
#include "toolkit/UpdateScope.h"

#include <shellapi.h>

namespace {

// To the recycle bin, without a question (the user has answered one for all rows).
bool FolderToRecycleBin(const std::string& folder)
{
    std::string source = folder + std::string(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = GetForegroundWindow();
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
    return !common::Exists(folder);
}

} // namespace

void TForm1::BuildBackupsPage()
{
    TTabSheet* page = TabSheets[6];

    page_parts::MakePageTitle(this, page, "BackupsTitleLabel");

    ListView8 = new TListView(this);
    ListView8->Name = "ListView8";
    ListView8->SetParent(page);
    ListView8->SetBounds(16, 40, 450, 236);
    ListView8->SetMultiSelect(true);
    ListView8->SetRowSelect(true);
    ListView8->SetHideSelection(false);
    for (int width : {200, 200})
        ListView8->Columns()->Add()->SetWidth(width);
    auto* images = new TImageList(this);
    images->SetShareImages(true);
    SHFILEINFOA info{};
    images->SetHandle(reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
    ListView8->SetSmallImages(images);
    ListView8->OnDblClick = Bind(this, &TForm1::ListView8Click);
    ListView8->OnKeyDown = Bind(this, &TForm1::ListView8KeyDown);

    PopupMenu8 = new TPopupMenu(this);
    PopupMenu8->Name = "PopupMenu8";
    ffnen2 = page_parts::MakeMenuEntry(PopupMenu8, "ffnen2", Bind(this, &TForm1::ListView8Click));
    RemoveProject1 = page_parts::MakeMenuEntry(PopupMenu8, "RemoveProject1", Bind(this, &TForm1::Entfernen1Click));
    ListView8->SetPopupMenu(PopupMenu8);

    Label39 = page_parts::MakePageLink(this, page, "Label39", 16, 284, 140);
    Label39->OnClick = Bind(this, &TForm1::ListView8Click);
    Label39->OnMouseMove = Bind(this, &TForm1::Label39MouseMove);
    Label36 = page_parts::MakePageLink(this, page, "Label36", 180, 284, 140);
    Label36->OnClick = Bind(this, &TForm1::Entfernen1Click);
    Label36->OnMouseMove = Bind(this, &TForm1::Label36MouseMove);
}

void TForm1::Label36MouseMove(TObject*, TShiftState, int, int)
{
    Label36->Font()->SetColor(clRed);
    Label36->SetCursor(crHandPoint);
}

void TForm1::Label39MouseMove(TObject*, TShiftState, int, int)
{
    Label39->Font()->SetColor(clRed);
    Label39->SetCursor(crHandPoint);
}

void TForm1::GetBackup()
{
    if (auto* title = static_cast<TLabel*>(FindComponent("BackupsTitleLabel")))
        title->SetCaption(language::Text("Sicherungen gelöschter Dateien", "Backups of deleted files"));
    ListView8->Columns()->Items(0)->SetCaption(language::Text("Projekt", "Project"));
    ListView8->Columns()->Items(1)->SetCaption(language::Text("Art", "Kind"));
    Label39->SetCaption(language::Text("Projekt öffnen", "Open project"));
    Label36->SetCaption(language::Text("Projekt entfernen", "Remove project"));
    ffnen2->Caption = language::Text("Öffnen", "Open");
    RemoveProject1->Caption = language::Text("Entfernen", "Remove");

    TRegistry registry;
    if (!registry.OpenKeyReadOnly(options::backup::Key))
        return;
    SHFILEINFOA info{};
    SHGetFileInfoA("C:\\", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                   SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    const UpdateScope updating(*ListView8->Items());
    ListView8->Items()->Clear();
    for (const std::string& name : registry.GetValueNames()) {
        TListItem* item = ListView8->Items()->Add();
        item->SetCaption(name);
        item->SubItems()->Add(registry.ReadString(name).value_or(""));
        item->SetImageIndex(info.iIcon);
    }
}

void TForm1::ShadeBackupList() { ListView8->SetColor(page_parts::listGrey); }

void TForm1::DeleteProject(const std::string& name)
{
    TRegistry registry;
    if (registry.OpenKey(options::backup::Key, false) && registry.ValueExists(name))
        registry.DeleteValue(name);
}

void TForm1::ListView8KeyDown(TObject* sender, WORD& key, TShiftState)
{
    if (key == VK_DELETE) {
        Entfernen1Click(sender);
        key = 0;
    }
}

void TForm1::Entfernen1Click(TObject*)
{
    if (ListView8->SelCount() == 0)
        return;
    if (effects::ShowMessageBox(
            Application->Handle(),
            language::Text("Projekt und Projektordner löschen ?", "Delete project and project folders ?"),
            language::Text("Bestätigen", "Confirm"), MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    TListItems* items = ListView8->Items();
    for (int row = items->Count() - 1; row >= 0; --row) {
        if (!ListView8->IsSelected(row))
            continue;
        const std::string project = items->Item(row)->Caption();
        // Only a stamp names a project folder; any other name must not lead the delete
        // to another folder (an absolute path, "..", the backup folder itself).
        const bool stamp = backup::IsStampName(project);
        const std::string folder = backup::ProjectFolder(BackupDir, project);
        const bool folderThere = stamp && common::IsFolder(folder);
        if (folderThere && !file_engines::NameLeadsElsewhere(folder) && FolderToRecycleBin(folder)) {
            DeleteProject(project);
            continue;
        }
        std::string question;
        if (!stamp)
            question = "\"" + project + "\"" +
                       language::Text(" ist kein Sicherungsprojekt; kein Ordner wurde gelöscht.\n"
                                      "Eintrag aus der Liste entfernen ?",
                                      " is no backup project; no folder was deleted.\nRemove entry from list ?");
        else if (!folderThere)
            question = language::Text("Der Projektordner existiert nicht mehr.\nEintrag aus der Liste entfernen ?",
                                      "Deleting of backup files failed!Remove entry from list ?");
        else
            question =
                language::Text("Löschen der Sicherungsdateien fehlgeschlagen!\nEintrag aus der Liste entfernen ?",
                               "Deleting of backup files failed!Remove entry from list ?");
        if (effects::ShowMessageBox(nullptr, question, language::Text("Frage", "Question"),
                                    MB_ICONQUESTION | MB_YESNO | MB_SYSTEMMODAL) == IDYES)
            DeleteProject(project);
    }
    GetBackup();
}

void TForm1::ListView8Click(TObject*)
{
    TListItem* selected = ListView8->Selected();
    if (!selected)
        return;
    HourGlass busy;
    const std::string project = selected->Caption();
    auto* browser = new TForm8(this);
    browser->Commands = {
        [this](TForm8& shown) { RestoreBackupData(shown); },
        [this](TForm8& shown) { OpenZippedFile(shown); },
        [this](TForm8& shown, TObject* sender) {
            std::string folder;
            BrowseDirectory(sender, folder);
            if (!folder.empty())
                ExtractZippedFileToSpecialFolder(shown, folder);
        },
        [this](TForm8& shown) { ExportAsHTML(&shown, shown.ListView1, "Tidewrack -  Listing backup files"); },
        [this](TForm8& shown) { WriteForm8Settings(shown); },
    };
    XPMenu1->InitComponent(browser);
    SHFILEINFOA info{};
    browser->SmallIcons = new TImageList(browser);
    browser->SmallIcons->SetShareImages(true);
    browser->SmallIcons->SetHandle(reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON)));
    browser->ListView1->SetSmallImages(browser->SmallIcons);
    GetForm8Settings(*browser);
    if (RowSelectOption)
        browser->ListView1->SetRowSelect(true);
    browser->ProjectName = project;
    // Only a stamp names an archive below the backup folder.
    browser->ArchivePath = backup::IsStampName(project) ? backup::ProjectArchive(BackupDir, project) : "";
    {
        const UpdateScope updating(*browser->ListView1->Items());
        if (!browser->ArchivePath.empty())
            ShowZippedFiles(*browser, browser->ArchivePath);
    }
    ClearBitmapOnAllBut(0, browser->ListView1);
    AddBitmapTo(0, TForm8::SortDirection, browser->ListView1);
    browser->Show();
    browser->StatusBar1->Panels()->Items(0)->SetText(std::to_string(browser->ListView1->Items()->Count()) +
                                                     language::Text(" Objekte ", " Objects "));
    browser->SetCaption(language::Text(" Sicherungsdateien ", " Backup Files ") + project);
}
