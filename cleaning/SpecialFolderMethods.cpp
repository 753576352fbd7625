// The main form's side of emptying special folders and caches: which folder each action
// empties, taken from the system and the registry, and the cookie keep-list it spares.
#include "shell/Unit1.h"

#include "fileengines/PathGuard.h"
#include "fileengines/SpecialFolders.h"
#include "cleaning/UrlCache.h"

namespace {

// A folder that is not known is not emptied.
special_folders::EmptyResult Refused()
{
    special_folders::EmptyResult result;
    result.refused = true;
    return result;
}

} // namespace

path_guard::GuardedFolders TForm1::GuardedFolders() const
{
    return path_guard::SystemGuardedFolders(ProgramDir, BackupDir);
}

special_folders::EmptyResult TForm1::DelDir(const std::string& folder, const std::string& expectedLastName)
{
    return special_folders::EmptyFolder(folder, expectedLastName, GuardedFolders(), FolderLister);
}

special_folders::EmptyResult TForm1::DelRecent()
{
    // An empty Recent path must never turn into the current folder.
    if (RecentDir.empty())
        return Refused();
    return DelDir(RecentDir, "Recent");
}

special_folders::EmptyResult TForm1::DelTemp()
{
    if (TempDir.empty())
        return Refused();
    // Whatever its name, the folder the system reports is the temp folder.
    return DelDir(TempDir, "");
}

special_folders::EmptyResult TForm1::DelPrefetch()
{
    if (WindowsDir.empty())
        return Refused();
    return DelDir(WindowsDir + "\\Prefetch", "Prefetch");
}

bool TForm1::PapierkorbLeeren() { return special_folders::EmptyRecycleBin(); }

url_cache::CleanResult TForm1::CleanUrlCache(bool cookieMode)
{
    return url_cache::Clean(cookieMode, [this](const std::string& name) { return CanDelCookie(name); });
}

bool TForm1::ClearUrlHistory() { return url_cache::ClearHistory(); }
