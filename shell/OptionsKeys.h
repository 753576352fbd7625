// Every key and value name of the program's settings under HKEY_CURRENT_USER, spelled
// exactly as earlier versions stored them: installed copies carry these names, so a
// "misspelt" name (for example "columswidth", "saveSetiings") must stay as it is.
// All values are string values; flags are "0" or "1".
#pragma once

namespace options {

inline constexpr const char* Key = "Software\\Tidewrack\\Options";

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

// Each subkey: Name is the subkey's own name under Options, Key its full path.
namespace action {
inline constexpr const char* Name = "Action";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\Action";
inline constexpr const char* ComboBoxIndex = "comboboxindex";
inline constexpr const char* LastAccess = "lastaccess";
inline constexpr const char* SearchName = "searchname";
}

// One value per mask: name = the upper-case mask, data "1" active or "0".
namespace fileEnding {
inline constexpr const char* Name = "FileEnding";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\FileEnding";
}

// One value per exclusion folder: name = path, data "1" or "0".
namespace excludeDirs {
inline constexpr const char* Name = "ExcludeDirs";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\ExcludeDirs";
}

// Check marks of the two location lists, matched by position.
namespace driveSettings {
inline constexpr const char* Name = "DriveSettings";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\DriveSettings";
}
namespace duplicateDriveSettings {
inline constexpr const char* Name = "DuplicateDriveSettings";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\DuplicateDriveSettings";
}

// Folders added to the two location lists.
namespace addedDirs {
inline constexpr const char* Name = "AddedDirs";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\AddedDirs";
}
namespace addedDuplicateDirs {
inline constexpr const char* Name = "AddedDuplicateDirs";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\AddedDuplicateDirs";
}

// One value per kept cookie: name = cookie name, data empty.
namespace cookiesNoDelete {
inline constexpr const char* Name = "CookiesNoDelete";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\CookiesNoDelete";
}

// One value per backup project: name = time stamp, data "" or "DLL " + a word.
namespace backup {
inline constexpr const char* Name = "Backup";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\Backup";
}

namespace tasks {
inline constexpr const char* Name = "Tasks";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\Tasks";
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
inline constexpr const char* Name = "ScanDirs";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\Tasks\\ScanDirs";
}

namespace scanDoubleSettings {
inline constexpr const char* Name = "ScanDoubleSettings";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\ScanDoubleSettings";
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
inline constexpr const char* Name = "ScreenSettingsDelFiles";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\ScreenSettingsDelFiles";
inline constexpr const char* Left = "left";
inline constexpr const char* Top = "top";
inline constexpr const char* Width = "width";
inline constexpr const char* Height = "height";
inline constexpr const char* ColumsWidth = "columswidth";
}

namespace screenSettingsBackupFiles {
inline constexpr const char* Name = "ScreenSettingsBackupFiles";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\ScreenSettingsBackupFiles";
inline constexpr const char* Left = "left";
inline constexpr const char* Top = "top";
inline constexpr const char* Width = "width";
inline constexpr const char* Height = "height";
inline constexpr const char* ColumsWidth = "columswidth";
}

namespace searchRegSettings {
inline constexpr const char* Name = "SearchRegSettings";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\SearchRegSettings";
inline constexpr const char* Left = "left";
inline constexpr const char* Top = "top";
inline constexpr const char* Width = "width";
inline constexpr const char* Height = "height";
inline constexpr const char* GridLines = "gridlines";
inline constexpr const char* RowSelect = "rowselect";
inline constexpr const char* ColumnsWidth = "columnswidth";
}

namespace chkDsk {
inline constexpr const char* Name = "ChkDsk";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\ChkDsk";
inline constexpr const char* Options = "options";
inline constexpr const char* Drives = "drives";
}

namespace dirSize {
inline constexpr const char* Name = "DirSize";
inline constexpr const char* Key = "Software\\Tidewrack\\Options\\DirSize";
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
