// The autostart places and their entries: the Run keys, the two Winlogon values, the
// Startup folders, the delay-load shell objects, win.ini's LOAD= and RUN= lines and the
// Tasks folder; and the edits the autostart page makes to them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One entry of the autostart tree; owned by its tree node.
struct AutostartEntry {
    unsigned char IsRegistryValue = 0; // 1 for a registry value, 0 for a win.ini line or a folder item
    std::string FilePath;              // the entry's file (cut from the command)
    std::string LocationText;          // the text of its root node
    std::string EntryName;             // value name, "LOAD=" or "RUN=", empty for a folder item
    std::string Command;               // a registry value's whole data, arguments and all
};

namespace autostart {

// The 23 root texts in tree order; a Startup folder whose path is empty is left out. Under
// WOW64 each machine Run key that the system keeps apart for 32-bit programs is followed
// by that copy, named where it is kept, below "Wow6432Node".
std::vector<std::string> RootTexts(const std::string& windowsDir, const std::string& commonStartup,
                                   const std::string& userStartup);
// The roots whose entries the user may add to and edit.
bool IsAutostartLocation(const std::string& text, const std::string& windowsDir);
// True for a file-system path (it holds ":\"), false for a registry key path.
bool IsFilePath(const std::string& text);
// The Winlogon values "Userinit" and "Shell": the system cannot start without them.
bool IsWinlogonRoot(const std::string& text);
// The file a command names: from the drive letter of the first ":\" to three characters
// after the next dot; a command without a drive path stays as it is.
std::string GetFileName(std::string command);

// A registry key path ("HKLM\..."): its root, the path below it and the registry view to
// open it in (KEY_WOW64_64KEY or KEY_WOW64_32KEY for the machine Run keys under WOW64,
// 0 otherwise); false for an unknown prefix.
bool SplitKeyPath(const std::string& text, HKEY& root, int& rootIndex, std::string& path, REGSAM& view);

struct WinIniEntry {
    std::string remainder; // upper-cased, everything after the key
    std::string key;       // "LOAD=" or "RUN="
};
// The "load=" and "run=" lines of the [windows] section that name something.
std::vector<WinIniEntry> ReadWinIni(const std::string& path);
// Removes the first of those lines with that key and that (upper-cased) value, and no
// other line. The file is rewritten
// only when such a line exists, through a temporary file that then replaces it; false
// when no line matched or the file could not be rewritten (it is then as it was).
bool RemoveWinIniLine(const std::string& path, const std::string& key, const std::string& remainder);

// A folder's items (files and subfolders) as full paths, without ".INI" and ".DAT"
// files and items with attribute bits beyond the ordinary ones.
std::vector<std::string> FolderItems(const std::string& folder);

// A delay-load value: "name --> server path" with the server path in filePath, or the
// class identifier itself when its class or server is not registered.
std::string ShellServiceObjectText(const std::string& name, const std::string& classId,
                                   const std::string& windowsDir, std::string& filePath);

// Writes a shortcut; false when any step failed.
bool CreateShellLink(const std::string& target, const std::string& description, const std::string& linkPath,
                     const std::string& workingFolder);

} // namespace autostart
