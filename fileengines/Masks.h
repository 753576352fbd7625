// The file-ending masks and the exclusion folders of the junk scan: which file endings
// the scan takes, and which folders it leaves alone.
#pragma once

#include "fileengines/ScanRecords.h"

#include <functional>
#include <string>
#include <vector>

namespace file_engines {

// The ending the mask test takes: the file name's extension without its dot, upper-cased
// and cut to three characters ("a.html" gives "HTM", "README" gives "").
std::string EndingOf(const std::string& path);

// The folder part of a path: everything before the last backslash ("" when none).
std::string FolderPartOf(const std::string& path);

// The wildcard comparison of an ending with a mask over the first three positions: `*`
// matches any character there, even none; any other character only itself (both texts
// are compared in upper case). "B**" takes "BMP", "BAT" and "B", not "".
bool DateiFilter(const std::string& ending, const std::string& mask);

// The mask test: the first mask in list order that matches the ending decides (a mask
// with `*` by DateiFilter, one without by exact equality); its check mark is the answer.
// No matching mask: false. The masks are expected in upper case, as the scan makes them.
bool TestFile(const std::vector<CheckedEntry>& masks, const std::string& ending);

// True when skipRecycleBin is set and the path is, or lies in, the recycle bin: a folder
// at a drive's root named RECYCLED (Windows 9x), RECYCLER (NTFS up to XP) or
// $Recycle.Bin (later systems), in any case.
bool IsInRecycleFolder(const std::string& path, bool skipRecycleBin);

// The exclusion test, prepared once for a scan: a path is excluded when its folder part
// lies in the recycle bin while skipRecycleBin is set, or contains the text of any
// checked exclusion folder (upper-cased) -- so subfolders, and folders whose path merely
// contains the text, are excluded too.
class ExclusionTest {
public:
    ExclusionTest(const std::vector<CheckedEntry>& excludeDirs, bool skipRecycleBin);
    bool IsInExcludeDirs(const std::string& path) const;
    // The same for a folder part that is already upper-cased (the walk asks once per folder).
    bool IsExcludedFolder(const std::string& upperFolder) const;

private:
    std::vector<std::string> upperTexts_;
    bool skipRecycleBin_;
};

// The masks written when none are stored, in their order, all checked.
std::vector<std::string> DefaultMasks();

// The default exclusion folders in their order: the file-system path of each special
// folder (CSIDL) of the default list, as specialFolder returns it; "" writes nothing,
// except for SendTo, which then falls back to windowsDir + "\SendTo". A folder listed
// twice comes out twice (storing it again changes nothing).
std::vector<std::string> DefaultExcludeDirs(const std::function<std::string(int)>& specialFolder,
                                            const std::string& windowsDir);

} // namespace file_engines
