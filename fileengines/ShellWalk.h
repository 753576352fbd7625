// The recursive walk over a shell folder that the junk scan and the duplicate search
// share, and their walk over the checked locations. It hands every item that has a
// file-system path to a visitor, together with the item's real find data, and descends
// into sub-folders -- never into zip archives (which the shell shows as folders),
// junctions or symbolic links, nor into a folder that the shell binds to another place
// (a folder shortcut): a delete-at-once scan must never leave the location the user chose.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>
#include <vector>

namespace file_engines {

struct WalkItem {
    IShellFolder* folder;      // the folder being walked
    LPCITEMIDLIST item;        // the item, relative to folder; valid during the visit only
    LPCITEMIDLIST parentItem;  // the item of the folder being walked (null at the location)
    const std::string& path;   // the parsing name, a full file-system path
    // From the file system's own listing of the folder (64-bit size, all three times);
    // hasFindData is false when the file system did not list the item.
    bool hasFindData;
    const WIN32_FIND_DATAA& findData;
};

class WalkVisitor {
public:
    virtual ~WalkVisitor() = default;
    virtual void Visit(const WalkItem& item) = 0;
    // Called as the walk enters each folder: the place to keep the window alive.
    virtual void FolderEntered(const std::string& path) {}
    // Polled before each item; a true answer ends the walk after the current item.
    virtual bool Cancelled() { return false; }
};

struct WalkOptions {
    DWORD enumFlags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS; // ShellEnumFlags
    HWND owner = nullptr;
};

// Walks `folder`, whose file-system path is folderPath, and everything below it. Only
// items whose parsing names lie directly in folderPath are visited or entered; a folder
// object that lists another place's items is thus left alone. parentItem is handed on to
// the visits of the folder's own items (null for the location itself).
void WalkShellFolder(IShellFolder* folder, const std::string& folderPath, LPCITEMIDLIST parentItem,
                     const WalkOptions& options, WalkVisitor& visitor);

// True when `path` names an item directly in `folder` (compared without regard to case;
// a drive root may end in a backslash).
bool LiesDirectlyIn(const std::string& path, const std::string& folder);

// A folder given by its path as a scan location: the folder it lies in (parentFolder,
// bound from the desktop) and its own item in there. A drive root is its own item in the
// desktop folder. False, with `error` set to the shell's answer, when the path cannot be
// parsed or bound; `location` is then left empty.
struct FolderLocation {
    IShellFolder* parentFolder = nullptr; // one reference, the caller's
    LPITEMIDLIST item = nullptr;          // allocated by the shell allocator, the caller's
};
bool MakeFolderLocation(const std::string& path, FolderLocation& location, HRESULT& error);

// Binds a location's item to its folder object; null (with `error` set) when it fails.
// The caller releases the folder.
IShellFolder* BindLocation(IShellFolder* parentFolder, LPCITEMIDLIST item, HRESULT& error);

// What a scan over the walk tells its surroundings; the walk over the locations tells
// the first and the last three, the scan the rest.
class ScanObserver {
public:
    virtual ~ScanObserver() = default;
    virtual bool Cancelled() { return false; }
    virtual void FolderEntered(const std::string& folder) {} // keep the window alive here
    virtual void Progress(int percent) {}                    // called when the percentage changes
    virtual void DeleteFailed(const std::string& path) {}
    virtual void LocationStarted(const std::string& caption) {}
    // A location that cannot be read (not bound, or its folder gone): it is skipped.
    virtual void LocationSkipped(const std::string& caption, HRESULT error) {}
};

// One checked location of a location list: its row caption and how to bind it.
struct ScanLocation {
    std::string caption;
    IShellFolder* parentFolder = nullptr;
    LPCITEMIDLIST item = nullptr;
};

// Walks the locations in order until the observer says cancelled, each location's folder
// (and its file-system path) handed to walk, which walks it (the main form's
// ScanShellFolder, over WalkShellFolder). A location that cannot be read (not bound, or
// its folder gone) is told to the observer and skipped.
using LocationWalk = std::function<void(IShellFolder* folder, const std::string& folderPath)>;
void WalkLocations(const std::vector<ScanLocation>& locations, const LocationWalk& walk, ScanObserver& observer);

} // namespace file_engines
