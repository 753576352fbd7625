// Running the clean center's ticked items, with the secure passes that shred the content
// of a folder or the recycle bin first when the page's secure deletion is on.
#include "shell/Unit1.h"

#include "cleaning/CleanCenterItems.h"
#include "fileengines/PathGuard.h"
#include "fileengines/SpecialFolders.h"
#include "cleaning/UrlCache.h"
#include "common/ComPtr.h"
#include "common/ItemIdList.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "common/RegistryKey.h"
#include "common/SystemError.h"
#include "filetools/ShredderRun.h"
#include "pageparts/MessageText.h"
#include "common/OptionsKeys.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Effects.h"

#include <shlwapi.h>

namespace {

// A missing key is already clean.
bool DeleteUserKey(const std::string& parent, const std::string& subkey)
{
    const LONG result = SHDeleteKeyA(HKEY_CURRENT_USER, (parent + "\\" + subkey).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

// Written straight through the system, so that a refused write (no rights) is known.
bool WritePageFileSwitch(bool clear)
{
    const RegistryKey key = RegistryKey::Create(HKEY_LOCAL_MACHINE, clean_center::kPageFileKey, KEY_SET_VALUE);
    if (!key)
        return false;
    const DWORD value = clear ? 1 : 0;
    return RegSetValueExA(key.Get(), clean_center::kPageFileValue, 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

// The shredder window of one secure pass.
ShredderWindowSetup SecurePass(ShredderCaller caller, int entries)
{
    ShredderWindowSetup pass;
    pass.caller = caller;
    pass.entries = entries;
    return pass;
}

// What a failure line adds for a folder that could not be listed: the folder and the
// system's reason.
std::string UnlistedText(const special_folders::EmptyResult& result)
{
    if (result.unlisted.empty())
        return "";
    return language::Text(" - nicht lesbar: ", " - cannot be read: ") + result.unlisted + " (" +
           common::SystemErrorText(result.listError) + ")";
}

} // namespace

// Shreds what lies in the folder, entry by entry, so that the folder itself stays. The
// path guard comes first: a folder it refuses -- a junction or link among them, whose
// content lies elsewhere -- is not touched at all.
bool TForm1::DelSecureFolder(const std::string& folder, const std::string& expectedLastName)
{
    if (!special_folders::MayEmpty(folder, expectedLastName, GuardedFolders()))
        return false;
    if (!common::IsFolder(folder))
        return true;
    if (AbortFlag)
        return false; // the run was cancelled: no other pass starts
    ShredderWindow window(this, XPMenu1, SecurePass(ShredderCaller::CleanCenterFolder, FastCountFiles(folder, 1)));
    ShredPasses = "7";
    ShredderIo& disk = ShredderDisk ? *ShredderDisk : Win32ShredderIo();
    const special_folders::Listing listing = special_folders::ShreddableEntries(folder, FolderLister);
    // A folder that cannot be listed has shredded nothing.
    bool shredded = listing.error == ERROR_SUCCESS;
    for (const special_folders::FolderEntry& entry : listing.entries) {
        if (AbortFlag || window.Cancelled()) {
            shredded = false;
            break;
        }
        const ShredderRun run = StartShredderRun(*window, {entry.path, ShredPasses}, disk);
        // An entry gone since the listing is no failure; one refused as a link is.
        shredded = run.start != ShredderRun::Start::Link && run.result.Succeeded() && shredded;
    }
    // Closing the window stops the clean center as a cancel of its other long loops does:
    // no later pass shreds, the bin is not emptied, and the items are named as not done.
    if (window.Cancelled())
        AbortFlag = 1;
    // The report of what stayed, if any, comes up as the window closes: not under the
    // wait cursor.
    Application->ProcessMessages();
    Screen->SetCursor(crDefault);
    window.Close();
    return shredded;
}

// Shreds the files in the recycle bin: the shell names each by the place it was moved to.
bool TForm1::FileRecycle()
{
    ComPtr<IShellFolder> bin;
    {
        ItemIdList binItem;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, binItem.Put())) || !binItem)
            return false;
        if (FAILED(DesktopFolder->BindToObject(binItem.Get(), nullptr, IID_IShellFolder, bin.PutVoid())) || !bin)
            return false;
    }
    std::vector<std::string> paths;
    bool everyItemFound = true;
    ComPtr<IEnumIDList> items;
    if (SUCCEEDED(bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                                   items.Put())) &&
        items) {
        ItemIdList item;
        while (items->Next(1, item.Put(), nullptr) == S_OK) {
            const std::string path = GetDisplayName(item.Get(), bin.Get(), SHGDN_FORPARSING);
            // Only a real place on a drive can be shredded: a shell that names the item
            // by its bare file name would have the shredder take a file of that name in
            // the current folder. Such items are only emptied, and the pass says so.
            if (path.size() > 3 && path[1] == ':' && common::Exists(path))
                paths.push_back(path);
            else
                everyItemFound = false;
        }
    }

    ShredderWindow window(this, XPMenu1, SecurePass(ShredderCaller::CleanCenterRecycleBin, -1));
    ShredPasses = "7";
    ShredderIo& disk = ShredderDisk ? *ShredderDisk : Win32ShredderIo();
    bool shredded = everyItemFound;
    for (const std::string& path : paths) {
        if (AbortFlag)
            return false;
        const ShredderRun run = StartShredderRun(*window, {path, ShredPasses}, disk);
        shredded = run.start != ShredderRun::Start::Link && run.result.Succeeded() && shredded;
    }
    return shredded;
}

void TForm1::ExecuteCleanCenter()
{
    CleanCenterFailures.clear();
    const bool secure = CheckBox4->Checked();
    std::string unlisted; // a folder the item could not list, and why: the user must know which
    // Both steps run, each behind the path guard; the item is done when both were.
    auto emptied = [&](const std::string& folder, const char* lastName, special_folders::EmptyResult (TForm1::*empty)()) {
        const bool shredded = !secure || DelSecureFolder(folder, lastName);
        const special_folders::EmptyResult result = (this->*empty)();
        unlisted = UnlistedText(result);
        return result.Succeeded() && shredded;
    };
    for (int index : clean_center::RunOrder()) {
        const clean_center::Item& item = clean_center::ItemAt(index);
        const bool ticked = CleanCenterBoxes[index]->Checked();
        if (!ticked && item.action != clean_center::Action::PageFile)
            continue;
        bool done = true;
        unlisted.clear();
        switch (item.action) {
        case clean_center::Action::Recent:
            done = emptied(RecentDir, "Recent", &TForm1::DelRecent);
            break;
        case clean_center::Action::Temp: done = emptied(TempDir, "", &TForm1::DelTemp); break;
        case clean_center::Action::RecycleBin:
            if (secure)
                done = FileRecycle();
            done = !AbortFlag && PapierkorbLeeren() && done;
            break;
        case clean_center::Action::Prefetch:
            done = emptied(WindowsDir + "\\Prefetch", "Prefetch", &TForm1::DelPrefetch);
            break;
        case clean_center::Action::PageFile:
            if (ticked != PageFileSwitchShown) {
                done = WritePageFileSwitch(ticked);
                if (done)
                    PageFileSwitchShown = ticked;
            }
            break;
        case clean_center::Action::DeleteKey: done = DeleteUserKey(item.parentKey, item.subkey); break;
        case clean_center::Action::CacheWithCookies: done = CleanUrlCache(true).Succeeded(); break;
        case clean_center::Action::CacheWithoutCookies: done = CleanUrlCache(false).Succeeded(); break;
        case clean_center::Action::History: done = ClearUrlHistory(); break;
        case clean_center::Action::OfflinePages: {
            const special_folders::EmptyResult result = DelDir(WindowsDir + "\\Offline Web Pages", "Offline Web Pages");
            unlisted = UnlistedText(result);
            done = result.Succeeded();
            break;
        }
        }
        if (!done)
            CleanCenterFailures.push_back(language::Text(item.german, item.english) + unlisted);
    }
    clean_center::Ticks ticks{};
    for (int index = 0; index < clean_center::kItemCount; ++index)
        ticks[index] = CleanCenterBoxes[index]->Checked();
    WriteReg(rootCurrentUser, options::Key, options::CleanCenterChecked, clean_center::TicksText(ticks), "s");
}

void TForm1::Button2Click(TObject*)
{
    // The secure passes take a while: a close waits for the run and its report, and a
    // scheduled task does not start meanwhile. A second click then (the pass lets
    // messages in) is refused: a nested run would clear the cancel of the one under way.
    if (InLongJob())
        return;
    LongJob job(this);
    AbortFlag = 0;
    {
        HourGlass busy;
        ExecuteCleanCenter();
    }
    if (CleanCenterFailures.empty())
        effects::ShowMessageBox(nullptr, language::Text("Bereinigung abgeschlossen!", "Cleaning Done!"), "Tidewrack",
                                MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
    else
        effects::ShowMessageBox(nullptr,
                                language::Text("Diese Punkte konnten nicht vollständig bereinigt werden:\n\n",
                                               "These items could not be cleaned completely:\n\n") +
                                    JoinLines(CleanCenterFailures, clean_center::kItemCount),
                                language::Text("Fehler", "Error"), MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    AbortFlag = 0;
}
