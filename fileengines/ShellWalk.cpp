#include "fileengines/ShellWalk.h"

#include "fileengines/Masks.h"
#include "fileengines/ShellServices.h"
#include "common/CaseRule.h"
#include "common/ComPtr.h"
#include "common/FindHandle.h"
#include "common/ItemIdList.h"
#include "common/PathFacts.h"

#include <memory>
#include <unordered_map>

namespace file_engines {

namespace {

std::wstring Wide(const std::string& text)
{
    int size = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(size > 0 ? size : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], size);
    wide.resize(wide.size() - 1);
    return wide;
}

// The file system's own listing of one folder, read once in one pass: the shell's item
// data lacks the last-access time and the high half of the size on some systems, and
// one search per file would cost a directory scan per file.
class FolderListing {
public:
    explicit FolderListing(const std::string& folder) : folder_(folder)
    {
        WIN32_FIND_DATAA entry;
        FindHandle search(folder + "\\*", entry);
        if (!search.Valid())
            return;
        do
            entries_.emplace(entry.cFileName, entry);
        while (search.Next(entry));
    }

    const std::string& Folder() const { return folder_; }

    // The entry for `path`, which must lie in this folder; a file that came after the
    // listing was read is looked up on its own.
    bool Find(const std::string& path, WIN32_FIND_DATAA& entry) const
    {
        auto found = entries_.find(path.substr(folder_.size() + 1));
        if (found != entries_.end()) {
            entry = found->second;
            return true;
        }
        return FindOne(path, entry);
    }

    static bool FindOne(const std::string& path, WIN32_FIND_DATAA& entry)
    {
        if (path.find_first_of("*?") != std::string::npos)
            return false; // a name the search would take as a pattern
        return FindHandle(path, entry).Valid();
    }

private:
    std::string folder_;
    std::unordered_map<std::string, WIN32_FIND_DATAA> entries_;
};

// The shell shows zip archives as folders; a folder whose extension merely begins with
// "zip" (x.zipped, a.zipx) is an ordinary folder.
bool IsZipArchiveName(const std::string& path)
{
    size_t dot = path.find_last_of(".\\");
    return dot != std::string::npos && path[dot] == '.' && common::UpperCase(path.substr(dot)) == ".ZIP";
}

bool IsWalkableFolder(const WIN32_FIND_DATAA& entry, const std::string& path)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && !IsZipArchiveName(path);
}

} // namespace

bool LiesDirectlyIn(const std::string& path, const std::string& folder)
{
    std::string wanted = folder;
    if (!wanted.empty() && wanted.back() == '\\')
        wanted.pop_back(); // a drive root, "C:\"
    std::string folderPart = FolderPartOf(path);
    return !folderPart.empty() && common::SameText(folderPart, wanted);
}

void WalkShellFolder(IShellFolder* folder, const std::string& folderPath, LPCITEMIDLIST parentItem,
                     const WalkOptions& options, WalkVisitor& visitor)
{
    ComPtr<IEnumIDList> items;
    if (FAILED(folder->EnumObjects(options.owner, options.enumFlags, items.Put())) || !items)
        return;
    std::unique_ptr<FolderListing> listing;
    ItemIdList owned;
    while (!visitor.Cancelled() && items->Next(1, owned.Put(), nullptr) == S_OK) {
        const LPITEMIDLIST item = owned.Get();
        std::string path = GetDisplayName(folder, item, SHGDN_FORPARSING);
        // Virtual items have no file-system path. An item of another place means that the
        // shell bound this folder elsewhere (a folder shortcut lists its target's items).
        if (LiesDirectlyIn(path, folderPath)) {
            if (!listing) {
                listing = std::make_unique<FolderListing>(FolderPartOf(path));
                visitor.FolderEntered(listing->Folder());
            }
            WIN32_FIND_DATAA entry{};
            bool known = listing->Find(path, entry);
            visitor.Visit(WalkItem{folder, item, parentItem, path, known, entry});

            if (known && IsWalkableFolder(entry, path) && !visitor.Cancelled()) {
                SFGAOF attributes = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_DISPLAYATTRMASK;
                LPCITEMIDLIST one = item;
                ComPtr<IShellFolder> subFolder;
                if (SUCCEEDED(folder->GetAttributesOf(1, &one, &attributes)) && (attributes & SFGAO_FOLDER) &&
                    SUCCEEDED(folder->BindToObject(item, nullptr, IID_IShellFolder, subFolder.PutVoid())) &&
                    subFolder)
                    WalkShellFolder(subFolder.Get(), path, item, options, visitor);
            }
        }
    }
}

IShellFolder* BindLocation(IShellFolder* parentFolder, LPCITEMIDLIST item, HRESULT& error)
{
    IShellFolder* folder = nullptr;
    error = E_POINTER;
    if (parentFolder && item)
        error = parentFolder->BindToObject(item, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&folder));
    if (FAILED(error) || !folder) {
        if (SUCCEEDED(error))
            error = E_FAIL;
        return nullptr;
    }
    return folder;
}

bool MakeFolderLocation(const std::string& path, FolderLocation& location, HRESULT& error)
{
    location = FolderLocation{};
    ComPtr<IShellFolder> desktop;
    error = ::SHGetDesktopFolder(desktop.Put());
    if (FAILED(error) || !desktop)
        return false;

    std::string full = path;
    bool root = full.size() <= 3 && full.size() >= 2 && full[1] == ':';
    if (!root && full.size() > 1 && full.back() == '\\')
        full.pop_back();
    size_t slash = full.find_last_of('\\');

    if (root || slash == std::string::npos) {
        // A drive root is an item of the desktop's name space in its own right.
        std::wstring name = Wide(root && full.size() == 2 ? full + "\\" : full);
        error = desktop->ParseDisplayName(nullptr, nullptr, &name[0], nullptr, &location.item, nullptr);
        if (FAILED(error) || !location.item)
            return false;
        location.parentFolder = desktop.Detach();
        return true;
    }

    std::wstring folderName = Wide(full.substr(0, slash + 1));
    ItemIdList folderItem;
    error = desktop->ParseDisplayName(nullptr, nullptr, &folderName[0], nullptr, folderItem.Put(), nullptr);
    ComPtr<IShellFolder> parent;
    if (SUCCEEDED(error) && folderItem)
        parent.Reset(BindLocation(desktop.Get(), folderItem.Get(), error));
    if (!parent)
        return false;

    std::wstring lastName = Wide(full.substr(slash + 1));
    error = parent->ParseDisplayName(nullptr, nullptr, &lastName[0], nullptr, &location.item, nullptr);
    if (FAILED(error) || !location.item) {
        location.item = nullptr;
        return false;
    }
    location.parentFolder = parent.Detach();
    return true;
}

namespace {

// The location's folder object (null when it cannot be read) and its path. The shell
// binds a folder that has gone (a removed drive, a deleted folder) all the same and then
// lists nothing, so the folder itself is looked for too.
ComPtr<IShellFolder> OpenLocation(const ScanLocation& location, std::string& path, HRESULT& error)
{
    ComPtr<IShellFolder> folder(BindLocation(location.parentFolder, location.item, error));
    if (!folder)
        return folder;
    path = GetDisplayName(location.parentFolder, location.item, SHGDN_FORPARSING);
    if (common::IsFolder(path))
        return folder;
    error = HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    return {};
}

} // namespace

void WalkLocations(const std::vector<ScanLocation>& locations, const LocationWalk& walk, ScanObserver& observer)
{
    for (const ScanLocation& location : locations) {
        if (observer.Cancelled())
            break;
        observer.LocationStarted(location.caption);
        HRESULT error = S_OK;
        std::string path;
        const ComPtr<IShellFolder> folder = OpenLocation(location, path, error);
        if (!folder) {
            observer.LocationSkipped(location.caption, error);
            continue;
        }
        walk(folder.Get(), path);
    }
}

} // namespace file_engines
