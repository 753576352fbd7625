// Every key and value name of the program's settings under HKEY_CURRENT_USER, spelled
// exactly as earlier versions stored them: installed copies carry these names, so a
// "misspelt" name (for example "columswidth", "saveSetiings") must stay as it is.
// All values are string values; flags are "0" or "1".
#pragma once

namespace options {

// The paths as literals, so that each subkey's path is joined to its parent's when compiled.
#define TIDEWRACK_OPTIONS_PATH "Software\\Tidewrack\\Options"
#define TIDEWRACK_TASKS_NAME "Tasks"
// In a subkey's namespace: Name, the subkey's own name under its parent, and Key, its full
// path; the name is written once.
#define TIDEWRACK_SUBKEY(parentPath, name)     \
    inline constexpr const char* Name = name; \
    inline constexpr const char* Key = parentPath "\\" name;

inline constexpr const char* Key = TIDEWRACK_OPTIONS_PATH;

// Values directly under Options.
inline constexpr const char* InstallDir = "InstallDir"; // written by the installer, only read
inline constexpr const char* Build = "Build";           // written by the installer, only read
inline constexpr const char* NumPasses = "numpasses";
inline constexpr const char* Ratio = "ratio";
inline constexpr const char* RowSelect = "rowselect";
inline constexpr const char* ZipDir = "zipdir";
inline constexpr const char* NotScanRecycleBin = "notscanrecyclebin";
inline constexpr const char* IncludeHidden = "includehidden";
inline constexpr const char* CleanOnStartup = "cleanonstartup";
inline constexpr const char* ShowNetworkMessage = "ShowNetworkMessage";
inline constexpr const char* CleanCenterChecked = "CleanCenterChecked";
inline constexpr const char* CleanCenterWithDOD = "CleanCenterWithDOD";
inline constexpr const char* BackupIndex = "backupindex";

namespace action {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "Action")
inline constexpr const char* ComboBoxIndex = "comboboxindex";
inline constexpr const char* LastAccess = "lastaccess";
inline constexpr const char* SearchName = "searchname";
}

// One value per mask: name = the upper-case mask, data "1" active or "0".
namespace fileEnding {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "FileEnding")
}

// One value per exclusion folder: name = path, data "1" or "0".
namespace excludeDirs {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "ExcludeDirs")
}

// Check marks of the two location lists, matched by position.
namespace driveSettings {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "DriveSettings")
}
namespace duplicateDriveSettings {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "DuplicateDriveSettings")
}

// Folders added to the two location lists.
namespace addedDirs {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "AddedDirs")
}
namespace addedDuplicateDirs {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "AddedDuplicateDirs")
}

// One value per kept cookie: name = cookie name, data empty.
namespace cookiesNoDelete {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "CookiesNoDelete")
}

// One value per backup project: name = time stamp, data "" or "DLL " + a word.
namespace backup {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "Backup")
}

namespace tasks {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, TIDEWRACK_TASKS_NAME)
inline constexpr const char* Task = "task";
inline constexpr const char* ActionAfterTaskEnding = "actionaftertaskending";
inline constexpr const char* Time = "time";
inline constexpr const char* DateTime = "datetime";
// The due time the task last started at, so that it starts once per due time even when
// the program starts again within the five seconds.
inline constexpr const char* LastRun = "lastrun";
}

// Under Tasks: one value per location of the scheduled scan, name = location caption.
namespace scanDirs {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH "\\" TIDEWRACK_TASKS_NAME, "ScanDirs")
}

namespace scanDoubleSettings {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "ScanDoubleSettings")
inline constexpr const char* DoubleSearchText = "doublesearchtext";
inline constexpr const char* DoubleSearchScan = "doublesearchscan";
inline constexpr const char* DoubleSearchScanBytes = "doublesearchscanbytes";
inline constexpr const char* ScanByte = "scanbyte";
inline constexpr const char* ScanDate = "scandate";
inline constexpr const char* ScanSize = "scansize";
inline constexpr const char* ScanName = "scanname";
inline constexpr const char* ScanParts = "scanparts";
inline constexpr const char* Left = "left";
inline constexpr const char* Top = "top";
inline constexpr const char* Width = "width";
inline constexpr const char* Height = "height";
inline constexpr const char* ColumnsWidth = "columnswidth";
}

namespace screenSettingsDelFiles {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "ScreenSettingsDelFiles")
inline constexpr const char* Left = "left";
inline constexpr const char* Top = "top";
inline constexpr const char* Width = "width";
inline constexpr const char* Height = "height";
inline constexpr const char* ColumsWidth = "columswidth";
}

namespace screenSettingsBackupFiles {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "ScreenSettingsBackupFiles")
inline constexpr const char* Left = "left";
inline constexpr const char* Top = "top";
inline constexpr const char* Width = "width";
inline constexpr const char* Height = "height";
inline constexpr const char* ColumsWidth = "columswidth";
}

namespace searchRegSettings {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "SearchRegSettings")
inline constexpr const char* Left = "left";
inline constexpr const char* Top = "top";
inline constexpr const char* Width = "width";
inline constexpr const char* Height = "height";
inline constexpr const char* GridLines = "gridlines";
inline constexpr const char* RowSelect = "rowselect";
inline constexpr const char* ColumnsWidth = "columnswidth";
}

namespace chkDsk {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "ChkDsk")
inline constexpr const char* Options = "options";
inline constexpr const char* Drives = "drives";
}

namespace dirSize {
TIDEWRACK_SUBKEY(TIDEWRACK_OPTIONS_PATH, "DirSize")
inline constexpr const char* Left = "left";
inline constexpr const char* Top = "top";
inline constexpr const char* Width = "width";
inline constexpr const char* Height = "height";
inline constexpr const char* ShowTree = "showtree";
inline constexpr const char* TreeWidth = "treewidth";
inline constexpr const char* Grid = "grid";
inline constexpr const char* RowSelect = "rowselect";
inline constexpr const char* Columns = "columns";
inline constexpr const char* SaveSetiings = "saveSetiings";
inline constexpr const char* LastTab = "lasttab";
}

} // namespace options

#undef TIDEWRACK_SUBKEY
#undef TIDEWRACK_TASKS_NAME
#undef TIDEWRACK_OPTIONS_PATH
