// The autostart page: every place from which Windows starts programs, with the programs
// found there, and the commands that add, edit, delete, open and inspect them.
#include "shell/Unit1.h"

#include "fileengines/FileDeleter.h"
#include "common/CaseRule.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "common/RegistryKey.h"
#include "system/AutostartEntries.h"
#include "common/RegistryValues.h"
#include "pageparts/PageParts.h"
#include "system/Showregdata.h"
#include "toolkit/Effects.h"
#include "toolkit/ImageList.h"
#include "toolkit/TreeView.h"
#include "toolkit/UpdateScope.h"

#include <memory>

namespace {

AutostartEntry* EntryOf(TTreeNode* node) { return node ? static_cast<AutostartEntry*>(node->Data()) : nullptr; }

// A string value (REG_SZ or REG_EXPAND_SZ) written into a key that is made when missing;
// false when it failed.
bool WriteString(HKEY root, const std::string& path, REGSAM view, const std::string& name, const std::string& data,
                 DWORD type)
{
    const RegistryKey key = RegistryKey::Create(root, path, KEY_SET_VALUE | view);
    return key && RegSetValueExA(key.Get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                                 static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteValue(HKEY root, const std::string& path, REGSAM view, const std::string& name)
{
    const RegistryKey key(root, path, KEY_SET_VALUE | view);
    return key && RegDeleteValueA(key.Get(), name.c_str()) == ERROR_SUCCESS;
}

// The value of that name in the key, when there is one.
bool FindValue(HKEY root, const std::string& path, REGSAM view, const std::string& name, regvalues::RawValue& value)
{
    RegistryKey key(root, path, KEY_READ | view);
    return key && regvalues::ReadNamedValue(key.Get(), name, value);
}

std::string FileNamePart(const std::string& path)
{
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtensionOf(const std::string& path)
{
    const std::string name = FileNamePart(path);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

} // namespace

void TForm1::BuildAutostartPage()
{
    TreeView2 = new TTreeView(this);
    TreeView2->Name = "TreeView2";
    TreeView2->SetParent(TabSheets[19]);
    TreeView2->SetBounds(page_parts::contentLeft, 14, page_parts::contentRight - page_parts::contentLeft,
                         page_parts::contentBottom - 14);
    TreeView2->SetHideSelection(false);
    auto* images = new TImageList(this);
    images->Name = "AutostartImages";
    images->SetShareImages(true);
    TreeView2->SetImages(images);
    TreeView2->OnKeyDown = Bind(this, &TForm1::TreeView2KeyDown);
    TreeView2->OnMouseDown = Bind(this, &TForm1::TreeView2MouseDown);

    AutostartMenu = new TPopupMenu(this);
    AutostartMenu->Name = "AutostartMenu";
    auto item = [this](TMenuItem*& made, const char* name, void (TForm1::*handler)(TObject*)) {
        made = new TMenuItem(AutostartMenu);
        made->Name = name;
        if (handler)
            made->OnClick = Bind(this, handler);
        AutostartMenu->Items()->Add(made);
    };
    TMenuItem* separator = nullptr;
    item(Editieren1, "Editieren1", &TForm1::Editieren1Click);
    item(NeuerEintrag1, "NeuerEintrag1", &TForm1::NeuerEintrag1Click);
    item(separator, "N81", nullptr);
    separator->Caption = "-";
    item(MenuItem6, "MenuItem6", &TForm1::MenuItem6Click);
    item(MenuItem7, "MenuItem7", &TForm1::MenuItem7Click);
    item(separator, "N82", nullptr);
    separator->Caption = "-";
    item(Gehezu1, "Gehezu1", &TForm1::Gehezu1Click);
    item(separator, "N83", nullptr);
    separator->Caption = "-";
    item(Refresh1, "Refresh1", &TForm1::Refresh1Click);
    AutostartMenu->OnPopup = Bind(this, &TForm1::TreeView2ContextPopup);
    TreeView2->SetPopupMenu(AutostartMenu);
}

void TForm1::Refresh1Click(TObject*)
{
    Editieren1->Caption = language::Text("Bearbeiten", "Edit");
    NeuerEintrag1->Caption = language::Text("Neu", "New");
    MenuItem6->Caption = language::Text("Löschen", "Delete");
    MenuItem7->Caption = language::Text("Eigenschaften", "Properties");
    Gehezu1->Caption = language::Text("Gehe zu", "Jump to");
    Refresh1->Caption = language::Text("Aktualisieren", "Refresh");
    const UpdateScope updating(*TreeView2->Items());
    TreeView2->Items()->Clear();
    AutostartEntries.clear();
    InitAutoRun();
    GetAutoStartEntries();
    for (TTreeNode* root = TreeView2->Items()->GetFirstNode(); root; root = root->GetNextSibling())
        root->Expand(false);
    SendMessageA(TreeView2->Handle(), WM_VSCROLL, SB_TOP, 0);
}

void TForm1::InitAutoRun()
{
    SHFILEINFOA info{};
    TreeView2->Images()->SetHandle(reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_ICON | SHGFI_SMALLICON)));
    if (info.hIcon)
        DestroyIcon(info.hIcon);
    for (const std::string& root : autostart::RootTexts(WindowsDir, SpecialFolder(CSIDL_COMMON_STARTUP),
                                                        SpecialFolder(CSIDL_STARTUP)))
        TreeView2->Items()->Add(nullptr, root);
}

void TForm1::AddAutostartChild(TTreeNode* root, const std::string& text, AutostartEntry entry)
{
    entry.LocationText = root->Text();
    AutostartEntries.push_back(std::make_shared<AutostartEntry>(entry));
    TreeView2->Items()->AddChildObject(root, text, AutostartEntries.back().get());
}

void TForm1::GetAutoStartEntries()
{
    for (TTreeNode* root = TreeView2->Items()->GetFirstNode(); root; root = root->GetNextSibling()) {
        const std::string& text = root->Text();
        if (autostart::IsWinlogonRoot(text)) {
            const std::string name = FileNamePart(text);
            const std::string command = ReadReg(rootLocalMachine, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                                                name, "s");
            const std::string file = autostart::GetFileName(command);
            if (!file.empty())
                AddAutostartChild(root, file, {1, file, "", name, command});
        } else if (autostart::IsFilePath(text)) {
            if (common::UpperCase(text).find("WIN.INI") != std::string::npos) {
                for (const autostart::WinIniEntry& line : autostart::ReadWinIni(text))
                    AddAutostartChild(root, line.remainder, {0, line.remainder, "", line.key, ""});
            } else {
                for (const std::string& path : autostart::FolderItems(text))
                    AddAutostartChild(root, path, {0, path, "", "", ""});
            }
        } else {
            HKEY rootKey = nullptr;
            int rootIndex = 0;
            std::string path;
            REGSAM view = 0;
            if (!autostart::SplitKeyPath(text, rootKey, rootIndex, path, view))
                continue;
            TRegistry registry;
            registry.RootKey = rootKey;
            registry.Access = KEY_READ | view;
            if (!registry.OpenKey(path, false))
                continue;
            const bool delayLoad = common::UpperCase(text).find("SHELLSERVICEOBJECTDELAYLOAD") != std::string::npos;
            for (const std::string& name : registry.GetValueNames()) {
                const std::string command = registry.ReadString(name).value_or("");
                std::string file = autostart::GetFileName(command);
                const std::string shown =
                    delayLoad ? autostart::ShellServiceObjectText(name, command, WindowsDir, file) : file;
                AddAutostartChild(root, shown, {1, file, "", name, command});
            }
        }
    }
    for (int i = 0; i < TreeView2->Items()->Count(); ++i) {
        TTreeNode* node = TreeView2->Items()->Item(i);
        std::string source = node->Text();
        UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
        if (node->Level() == 0) {
            if (!autostart::IsFilePath(source))
                source = WindowsDir + "\\RegEdit.exe";
        } else {
            flags |= SHGFI_USEFILEATTRIBUTES;
            if (common::UpperCase(source).find("EXPLORER.EXE") != std::string::npos)
                source = WindowsDir + "\\Explorer.exe";
            else if (EntryOf(node) && !EntryOf(node)->FilePath.empty())
                source = EntryOf(node)->FilePath;
            if (!autostart::IsFilePath(source))
                source = "C:\\1" + ExtensionOf(source);
        }
        const int image = GetIcon(source, flags);
        node->SetImageIndex(image);
        node->SetSelectedIndex(image);
    }
}

void TForm1::TreeView2ContextPopup(TObject*)
{
    NewInFolderMode = 0;
    TTreeNode* node = TreeView2->Selected();
    Editieren1->Enabled = NeuerEintrag1->Enabled = MenuItem6->Enabled = MenuItem7->Enabled = false;
    if (!node)
        return;
    if (node->Level() > 0) {
        const std::string& parent = node->Parent()->Text();
        // The system does not start without the Winlogon values: they are never deleted.
        MenuItem6->Enabled = !autostart::IsWinlogonRoot(parent);
        MenuItem7->Enabled = true;
        // Only registry values can be edited; a win.ini line is changed in its editor.
        Editieren1->Enabled = autostart::IsAutostartLocation(parent, WindowsDir) && !autostart::IsFilePath(parent);
    } else {
        const std::string& text = node->Text();
        NeuerEintrag1->Enabled = autostart::IsAutostartLocation(text, WindowsDir) || text.find(":\\") == 1;
    }
}

void TForm1::NeuerEintrag1Click(TObject*)
{
    TTreeNode* node = TreeView2->Selected();
    if (!node || node->Level() != 0)
        return;
    const std::string& text = node->Text();
    if (text == WindowsDir + "\\win.ini") {
        effects::ShellOpen(Handle(), "open", text, "", "", SW_SHOWNORMAL);
        return;
    }
    auto* dialog = new TForm12(this, [this](TForm12& shown) { return AddNeuerEintrag(shown); });
    if (text.find(":\\") == 1) {
        NewInFolderMode = 1;
        dialog->Label3->SetCaption(language::Text("Beschreibung", "Description"));
    }
    dialog->Edit3->SetText(text);
    dialog->ShowModal();
}

void TForm1::Editieren1Click(TObject*)
{
    TTreeNode* node = TreeView2->Selected();
    AutostartEntry* entry = EntryOf(node);
    if (!entry || node->Level() != 1 || !entry->IsRegistryValue)
        return;
    auto* dialog = new TForm12(this, [this](TForm12& shown) { return AddNeuerEintrag(shown); });
    dialog->Edit1->SetText(entry->EntryName);
    // The whole command, so that OK keeps its arguments.
    dialog->Edit2->SetText(entry->Command);
    dialog->Edit3->SetText(entry->LocationText);
    const std::string iconSource = common::PresenceOf(entry->FilePath) == common::Presence::Exists
                                       ? entry->FilePath
                                       : "C:\\myfile" + ExtensionOf(entry->FilePath);
    SHFILEINFOA info{};
    if (SHGetFileInfoA(iconSource.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                       SHGFI_ICON | SHGFI_USEFILEATTRIBUTES) && info.hIcon) {
        dialog->Image1->Picture()->SetIcon(info.hIcon);
        DestroyIcon(info.hIcon);
    }
    dialog->ShowModal();
}

bool TForm1::AddNeuerEintrag(TForm12& dialog)
{
    TTreeNode* node = TreeView2->Selected();
    if (!node || node->Level() > 1)
        return true;
    const std::string title = dialog.Edit1->Text(), file = dialog.Edit2->Text();
    if (title.empty() || file.empty()) {
        effects::ShowMessageBox(
            dialog.Handle(),
            language::Text("Bitte geben Sie einen Titel und eine Datei an.", "Please enter a title and a file."),
            language::Text("Hinweis", "Note"), MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OK);
        return false;
    }
    auto failed = [&] {
        effects::ShowMessageBox(
            dialog.Handle(),
            language::Text("Der Eintrag konnte nicht geschrieben werden.", "The entry could not be written."),
            language::Text("Fehler", "Error"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
        return false;
    };
    const std::string location = node->Level() == 0 ? node->Text() : node->Parent()->Text();
    if (node->Level() == 0 && autostart::IsFilePath(location)) {
        if (!NewInFolderMode)
            return true;
        std::string name = FileNamePart(file);
        const size_t dot = name.find_last_of('.');
        const std::string linkPath = dialog.Edit3->Text() + "\\" + name.substr(0, dot) + ".lnk";
        if (common::Exists(linkPath) &&
            effects::ShowMessageBox(
                dialog.Handle(),
                language::Text("Die Verknüpfung gibt es schon:\n", "The shortcut exists already:\n") + linkPath +
                    language::Text("\nErsetzen?", "\nReplace it?"),
                language::Text("Frage", "Question"), MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) != IDYES)
            return false;
        const size_t slash = file.find_last_of('\\');
        if (!autostart::CreateShellLink(file, title, linkPath,
                                        slash == std::string::npos ? std::string() : file.substr(0, slash + 1)))
            return failed();
        Refresh1Click(nullptr);
        return true;
    }
    HKEY root = nullptr;
    int rootIndex = 0;
    std::string path;
    REGSAM view = 0;
    if (!autostart::SplitKeyPath(location, root, rootIndex, path, view))
        return true;
    AutostartEntry* entry = node->Level() == 1 ? EntryOf(node) : nullptr;
    // Value names are compared as the registry does, without regard to case.
    const bool otherName = !entry || !common::SameText(entry->EntryName, title);
    regvalues::RawValue value;
    if (otherName && FindValue(root, path, view, title, value) &&
        effects::ShowMessageBox(dialog.Handle(),
                                language::Text("Einen Eintrag mit dem Titel \"", "There is an entry titled \"") +
                                    title + language::Text("\" gibt es schon in\n", "\" already in\n") + location +
                                    "\n" + language::Text("Ersetzen?", "Replace it?"),
                                language::Text("Frage", "Question"),
                                MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) != IDYES)
        return false;
    // An edited entry keeps its type: a command with variables stays one to expand.
    const DWORD type = entry && FindValue(root, path, view, entry->EntryName, value) && value.type == REG_EXPAND_SZ
                           ? REG_EXPAND_SZ
                           : REG_SZ;
    if (!WriteString(root, path, view, title, file, type))
        return failed();
    // A renamed entry: the old value goes only once the new one stands.
    if (entry && otherName && !DeleteValue(root, path, view, entry->EntryName))
        failed();
    Refresh1Click(nullptr);
    return true;
}

void TForm1::TreeView2KeyDown(TObject* sender, WORD& key, TShiftState)
{
    if (key == VK_DELETE) {
        TreeView2ContextPopup(sender);
        if (MenuItem6->Enabled)
            MenuItem6Click(sender);
    }
}

void TForm1::TreeView2MouseDown(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    if (button == mbRight)
        TreeView2->SetSelected(TreeView2->GetNodeAt(x, y));
}

void TForm1::MenuItem6Click(TObject*)
{
    TTreeNode* node = TreeView2->Selected();
    AutostartEntry* entry = EntryOf(node);
    if (!entry || node->Level() != 1 || autostart::IsWinlogonRoot(entry->LocationText))
        return;
    // The question names the entry: what the tree shows, and where it is stored.
    const std::string where = entry->LocationText + (entry->EntryName.empty() ? "" : " : " + entry->EntryName);
    if (effects::ShowMessageBox(
            Handle(), language::Text("Eintrag löschen?", "Delete entry?") + ("\n\n" + node->Text()) + "\n" + where,
            "Tidewrack", MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_YESNO) != IDYES)
        return;
    bool deleted = false;
    if (entry->IsRegistryValue) {
        HKEY root = nullptr;
        int rootIndex = 0;
        std::string path;
        REGSAM view = 0;
        deleted = autostart::SplitKeyPath(entry->LocationText, root, rootIndex, path, view) &&
                  DeleteValue(root, path, view, entry->EntryName);
    } else if (common::UpperCase(entry->LocationText).find("WIN.INI") != std::string::npos) {
        deleted = autostart::RemoveWinIniLine(entry->LocationText, entry->EntryName, entry->FilePath);
    } else {
        const file_engines::DeleteOutcome outcome = DelDatei(entry->FilePath);
        if (outcome == file_engines::DeleteOutcome::Declined)
            return;
        deleted = outcome == file_engines::DeleteOutcome::Deleted || outcome == file_engines::DeleteOutcome::DeletedForGood;
    }
    if (deleted) {
        node->Delete();
        return;
    }
    effects::ShowMessageBox(
        Handle(), language::Text("Der Eintrag konnte nicht gelöscht werden.", "The entry could not be deleted."),
        language::Text("Fehler", "Error"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
}

file_engines::DeleteOutcome TForm1::DelDatei(const std::string& path)
{
    file_engines::ShellFileDeleter deleter(LanguageFlag, Handle());
    return deleter.Delete(path, file_engines::deleteToRecycleBin);
}

void TForm1::MenuItem7Click(TObject*)
{
    TTreeNode* node = TreeView2->Selected();
    if (!node)
        return;
    EigenschaftenDialog(node->Level() > 0 && EntryOf(node) ? EntryOf(node)->FilePath : node->Text());
}

void TForm1::Gehezu1Click(TObject*)
{
    TTreeNode* node = TreeView2->Selected();
    if (!node)
        return;
    std::string text = node->Text();
    if (autostart::IsFilePath(text)) {
        effects::ShellOpen(Application->Handle(), "open", text, "", "", SW_SHOWNORMAL);
        return;
    }
    if (node->Level() != 0)
        return;
    if (common::UpperCase(text).find("WINLOGON") != std::string::npos)
        text = text.substr(0, text.find_last_of('\\'));
    const size_t slash = text.find('\\');
    const std::string prefix = text.substr(0, slash);
    const std::string full = prefix == "HKCU" ? "HKEY_CURRENT_USER" : prefix == "HKLM" ? "HKEY_LOCAL_MACHINE" : prefix;
    WriteReg(rootCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit", "LastKey",
             full + text.substr(slash), "s");
    effects::ShellOpen(Application->Handle(), "open", "regedit", "", "", SW_SHOWNORMAL);
}
