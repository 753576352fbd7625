// The shell's context menus of the space manager's list and tree, with the program's own
// secure-wipe command in the list's menu.
#include "spacemanager/ShellMenus.h"

#include "fileengines/PathGuard.h"
#include "common/ComPtr.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "filetools/ShredderRun.h"
#include "fileengines/ShellServices.h"
#include "spacemanager/Dirsize.h"
#include "spacemanager/FolderSizing.h"
#include "toolkit/Effects.h"
#include "toolkit/UpdateScope.h"

#include <algorithm>

namespace {

// The open menu's interfaces, given back however the menu ends; MenuIdle is 1 again
// afterwards, so change notices are not dropped for good after a failure.
class OpenShellMenu {
public:
    explicit OpenShellMenu(TForm11* window) : window_(window) { window_->MenuIdle = 0; }
    ~OpenShellMenu()
    {
        if (popup)
            DestroyMenu(popup);
        // The window forwards menu messages only while the menu is open.
        window_->ShellMenu = nullptr;
        window_->MenuIdle = 1;
    }
    OpenShellMenu(const OpenShellMenu&) = delete;
    OpenShellMenu& operator=(const OpenShellMenu&) = delete;

    // Asks the shell for the menu; false when it has none.
    bool Fill(UINT position)
    {
        if (FAILED(menu->QueryInterface(IID_IContextMenu2, menu2_.PutVoid())))
            menu2_.Detach();
        window_->ShellMenu = menu2_.Get();
        return SUCCEEDED(menu->QueryContextMenu(popup, position, kFirstShellCommand, kLastShellCommand, CMF_EXPLORE));
    }

    // Runs a shell command; true when the shell says it was done.
    bool Invoke(UINT command, HWND owner)
    {
        CMINVOKECOMMANDINFO info{};
        info.cbSize = sizeof info;
        info.hwnd = owner;
        info.lpVerb = MAKEINTRESOURCEA(command - kFirstShellCommand);
        info.nShow = SW_SHOWNORMAL;
        return SUCCEEDED(menu->InvokeCommand(&info));
    }

    ComPtr<IContextMenu> menu;
    HMENU popup = CreatePopupMenu();

private:
    TForm11* window_;
    ComPtr<IContextMenu2> menu2_; // the window's ShellMenu; given back before menu
};

bool IsShellCommand(UINT command) { return command >= kFirstShellCommand && command <= kLastShellCommand; }

} // namespace

std::string ShellMenuVerb(IContextMenu* menu, UINT offset)
{
    char verb[256] = "";
    if (!menu || FAILED(menu->GetCommandString(offset, GCS_VERBA, nullptr, verb, sizeof verb)))
        return std::string();
    verb[sizeof verb - 1] = '\0';
    std::string text = verb;
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return static_cast<char>(tolower(c)); });
    return text;
}

bool VerbChangesFolder(const std::string& verb)
{
    return verb == "delete" || verb == "cut" || verb == "paste" || verb == "rename";
}

// ---- the list's menu

void TForm11::ListView1ContextPopup(int x, int y)
{
    if (listing_ > 0)
        return;
    const std::vector<int> rows = ListView1->SelectedIndices();
    if (rows.empty()) {
        PopupMenu1->SetPopupComponent(ListView1);
        PopupMenu1->Popup(x, y);
        return;
    }
    std::vector<LPCITEMIDLIST> lists;
    for (int row : rows)
        if (const DirItem* item = GetItem(row))
            lists.push_back(item->RelativeList);
    MenuTarget = GetItem(rows.front())->ParsingName;
    DoTheMenuThing(CurrentFolder.Get(), lists, x, y);
}

void TForm11::DoTheMenuThing(IShellFolder* parent, const std::vector<LPCITEMIDLIST>& items, int x, int y)
{
    if (!parent || items.empty())
        return;
    OpenShellMenu open(this);
    if (FAILED(parent->GetUIObjectOf(Handle(), static_cast<UINT>(items.size()), const_cast<LPCITEMIDLIST*>(items.data()),
                                     IID_IContextMenu, nullptr, open.menu.PutVoid())) ||
        !open.menu || !open.popup)
        return;
    // The wipe is offered only where there is a folder to wipe; it stays on top.
    std::vector<std::string> folders;
    for (int row : ListView1->SelectedIndices())
        if (const DirItem* item = GetItem(row))
            if (item->IsFolder)
                folders.push_back(item->ParsingName);
    UINT shellPosition = 0;
    if (!folders.empty()) {
        InsertMenuA(open.popup, 0, MF_BYPOSITION | MF_STRING, kWipeCommand,
                    language::Text("Ordner mit Tidewrack sicher löschen", "Wipe Secure Folders with Tidewrack"));
        InsertMenuA(open.popup, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
        shellPosition = 2;
    }
    if (!open.Fill(shellPosition))
        return;
    const UINT command = ChooseMenuCommand(open.popup, x, y);
    if (command == kWipeCommand) {
        SecureWipe(folders);
        return;
    }
    if (!IsShellCommand(command))
        return;
    const std::string verb = ShellMenuVerb(open.menu.Get(), command - kFirstShellCommand);
    // The shell would delete a guarded folder as readily as any other.
    if (verb == "delete" && RefusesGuarded(folders))
        return;
    const bool done = open.Invoke(command, Handle());
    if (done && VerbChangesFolder(verb))
        RefreshAfterCommand();
}

// ---- the tree's menu

void TForm11::TreeView1ContextPopup(int x, int y)
{
    if (listing_ > 0)
        return;
    TVHITTESTINFO hit{};
    hit.pt = POINT{x, y};
    ScreenToClient(TreeView1->Handle(), &hit.pt);
    HTREEITEM item = TreeView_HitTest(TreeView1->Handle(), &hit);
    TTreeNode* node = nullptr;
    for (TTreeNode* each = TreeView1->Items()->GetFirstNode(); each && item; each = each->GetNext())
        if (each->ItemId() == item)
            node = each;
    if (!node || !node->Data())
        return;
    lastMenuNode_ = node;
    TreeView1->SetSelected(node);
    MenuTarget =
        file_engines::GetDisplayName(DesktopFolder, static_cast<LPCITEMIDLIST>(node->Data()), SHGDN_FORPARSING);
    DoExplorerMenu(static_cast<LPCITEMIDLIST>(node->Data()), x, y);
}

void TForm11::DoExplorerMenu(LPCITEMIDLIST absoluteList, int x, int y)
{
    OpenShellMenu open(this);
    ComPtr<IShellFolder> parent;
    LPCITEMIDLIST last = nullptr;
    if (!absoluteList || !absoluteList->mkid.cb ||
        FAILED(SHBindToParent(absoluteList, IID_IShellFolder, parent.PutVoid(), &last)))
        return;
    const HRESULT got = parent->GetUIObjectOf(Handle(), 1, &last, IID_IContextMenu, nullptr, open.menu.PutVoid());
    parent.Reset();
    if (FAILED(got) || !open.menu || !open.popup || !open.Fill(0))
        return;
    const UINT command = ChooseMenuCommand(open.popup, x, y);
    if (!IsShellCommand(command))
        return;
    const std::string verb = ShellMenuVerb(open.menu.Get(), command - kFirstShellCommand);
    if (verb == "delete") {
        LoeschenBaum();
        return;
    }
    const bool done = open.Invoke(command, TreeView1->Handle());
    if (done && VerbChangesFolder(verb))
        RefreshAfterCommand();
}

void TForm11::RefreshAfterCommand()
{
    if (TTreeNode* node = TreeView1->Selected())
        RefillNode(node);
    ShowSelectedFolder();
}

// ---- delete to the recycle bin from the tree

void TForm11::LoeschenBaum()
{
    TTreeNode* node = TreeView1->Selected();
    if (!node || !node->Data())
        return;
    const std::string path =
        file_engines::GetDisplayName(DesktopFolder, static_cast<LPCITEMIDLIST>(node->Data()), SHGDN_FORPARSING);
    if (!common::Exists(path))
        return; // only file-system folders go to the recycle bin
    if (RefusesGuarded({path}))
        return;
    if (effects::ShowMessageBox(Handle(),
                                language::Text("Soll der Ordner in den Papierkorb verschoben werden?\n",
                                               "Move this folder to the recycle bin?\n") +
                                    path,
                                language::Text("Frage", "Question"), MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    // The deleter asks before a delete for good, when the bin cannot take the folder.
    file_engines::ShellFileDeleter deleter(language::German(), Handle(), HasRecycleBin);
    const file_engines::DeleteOutcome outcome = deleter.Delete(path, file_engines::deleteToRecycleBin);
    if (outcome == file_engines::DeleteOutcome::Declined)
        return;
    if (outcome == file_engines::DeleteOutcome::Failed) {
        effects::ShowMessageBox(
            Handle(),
            language::Text("Der Ordner konnte nicht gelöscht werden:\n", "The folder could not be deleted:\n") + path,
            language::Text("Fehler", "Error"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    TTreeNode* parent = node->Parent();
    // No node is shown on its way out; the parent is shown once it is read again.
    TreeView1->SetSelected(nullptr);
    {
        const UpdateScope updating(*TreeView1->Items());
        if (parent)
            RefillNode(parent); // the deleted node goes with the old children
        else
            node->Delete();
    }
    if (parent)
        TreeView1->SetSelected(parent);
}

bool TForm11::RefusesGuarded(const std::vector<std::string>& folders)
{
    const path_guard::GuardedFolders guarded = path_guard::SystemGuardedFolders(host_.programDir, host_.backupDir);
    std::string refused;
    int count = 0;
    for (const std::string& folder : folders) {
        if (!common::Exists(folder))
            continue; // the shell's own items, which are no folders on a disk
        const path_guard::Verdict verdict = path_guard::Judge(folder, guarded);
        if (verdict != path_guard::Verdict::Allowed) {
            refused += folder + path_guard::RefusalNote(verdict, language::German());
            ++count;
        }
    }
    if (count == 0)
        return false;
    effects::ShowMessageBox(Handle(),
                            (count == 1 ? language::Text("Dieser Ordner wird nicht gelöscht:\n",
                                                         "This folder is not deleted:\n")
                                        : language::Text("Diese Ordner werden nicht gelöscht:\n",
                                                         "These folders are not deleted:\n")) +
                                refused,
                            language::Text("Hinweis", "Hint"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
    return true;
}

// ---- the secure wipe

void TForm11::SecureWipe(const std::vector<std::string>& targets)
{
    host_.runLongJob([&] { WipeFolders(targets); });
}

void TForm11::WipeFolders(const std::vector<std::string>& targets)
{
    const path_guard::GuardedFolders guarded = path_guard::SystemGuardedFolders(host_.programDir, host_.backupDir);
    std::vector<std::string> wiped;
    std::string skipped;
    for (const std::string& target : targets) {
        const path_guard::Verdict verdict = path_guard::Judge(target, guarded);
        if (verdict != path_guard::Verdict::Allowed)
            skipped += target + path_guard::RefusalNote(verdict, language::German());
        else if (!common::IsFolder(target))
            skipped += target + language::Text("  (kein Ordner)\n", "  (not a folder)\n");
        else
            wiped.push_back(target);
    }
    const std::string caption = language::Text("Frage", "Question");
    if (wiped.empty()) {
        effects::ShowMessageBox(
            Handle(),
            language::Text("Diese Ordner werden nicht sicher gelöscht:\n", "These folders are not wiped:\n") + skipped,
            language::Text("Hinweis", "Hint"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    std::string names;
    for (const std::string& path : wiped)
        names += path + "\n";
    std::string question = language::Text(
        "Wollen Sie die folgenden Ordner mit ihrem ganzen Inhalt wirklich sicher löschen?\n" + names +
            "Eine Wiederherstellung wird nicht möglich sein.\n"
            "Verwenden Sie auch 'Freien Speicher löschen', um nicht belegten Speicher Ihres Laufwerks zu säubern.\n",
        "Are you sure you want secure delete folder                   \n" + names +
            "with all it's contents? Restoring data will fail.\n"
            "Use also 'Wipe Free Space' for cleaning unused Data on your drive.\n");
    if (!skipped.empty())
        question += language::Text("Nicht gelöscht werden:\n", "Not wiped:\n") + skipped;
    question += language::Text("Fortfahren ?", "Continue ?");
    if (effects::ShowMessageBox(Handle(), question, caption, MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_YESNO) != IDYES)
        return;

    HourGlass busy;
    // The space manager always wipes with three passes, whatever the shredder page uses.
    const std::string passes = "3";
    ShredderWindowSetup setup;
    setup.caller = ShredderCaller::SpaceManager;
    setup.entries = 0;
    for (const std::string& path : wiped)
        setup.entries += file_engines::FastCountFiles(path, 1);
    ShredderWindow window(host_.shredderOwner ? host_.shredderOwner : this, host_.look, setup);
    ShredderIo& disk = WipeDisk ? *WipeDisk : Win32ShredderIo();
    for (const std::string& path : wiped) {
        if (window.Cancelled())
            break;
        StartShredderRun(*window, {path, passes}, disk);
    }
    window.Close();
    RefreshAfterCommand();
}
