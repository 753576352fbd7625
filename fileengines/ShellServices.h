// Small services on the Windows shell and the file system that need no window: special
// folders' paths, disk space, icons and display names of shell items, item-ID list
// arithmetic, and recursive folder size and file count. None of them reports an error to
// the user. (The folder-selection dialog and the opening of folders in the shell are
// pageparts/ShellHelpers.)
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace file_engines {

// Filled by GetDiskSpaceEx.
extern unsigned long long DiskFreeToCaller;
extern unsigned long long DiskTotal;
extern unsigned long long DiskTotalFree;

// The file-system path of a special folder (CSIDL_...), or "" when it has none.
std::string SpecialFolder(HWND owner, int csidl);

// Free and total space of the drive of rootPath into the three globals above.
bool GetDiskSpaceEx(const std::string& rootPath);

// SHGetFileInfoA of path with flags into `info` (cleared first); returns the system
// image-list index of the icon that it reports.
int GetIcon(const std::string& path, UINT flags, SHFILEINFOA& info);

// The display name of `item` in `folder` (SHGDN_... flags), "" when the shell gives none.
std::string GetDisplayName(IShellFolder* folder, LPCITEMIDLIST item, DWORD flags);

// Text of a STRRET that GetDisplayNameOf filled for `item`: the wide string (which is
// freed here, leaving strRet empty), the text at the offset inside `item`, or the inline
// text. For any other kind `text` is not assigned.
void ConvertStrRet(std::string& text, LPCITEMIDLIST item, STRRET& strRet);

// Item-ID lists: items that each begin with their own 16-bit byte count, ended by a
// count of 0.
LPITEMIDLIST ItemIdListNext(LPCITEMIDLIST list);          // the item after the first
UINT ItemIdListSize(LPCITEMIDLIST list);                  // bytes incl. terminator; 0 for none
LPITEMIDLIST ItemIdListAlloc(IMalloc* malloc, UINT size); // first bytes zeroed; nullptr on failure
// A new list: first's items followed by second's (a missing list counts as empty).
LPITEMIDLIST ItemIdListConcat(IMalloc* malloc, LPCITEMIDLIST first, LPCITEMIDLIST second);

// Bytes of every file under folder. Junctions and symbolic links to folders are neither
// descended nor counted, so the walk never leaves the folder; subtrees whose paths the
// find API refuses (too long) count 0.
unsigned long long GetDirSize(const std::string& folder);

// Files directly in folder, and with recurse also in its subfolders, skipping folders
// whose names begin with "." and folder junctions and symbolic links.
int FastCountFiles(const std::string& folder, unsigned char recurse);

} // namespace file_engines
