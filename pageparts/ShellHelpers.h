// The shell's windows that several pages share: the folder-selection dialog, and a special
// folder opened in the shell. Both go through the effects seam. (The window-free shell
// services, display names, item-ID lists, sizes, are fileengines/ShellServices.)
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

// Opens a special folder in the shell, through the effects seam (ShellOpenEx).
bool OpenSpecialFolder(int csidl);

// Folder-selection dialog callback: opens the dialog at the folder passed as data.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);

// The folder-selection dialog (through the effects seam), owned by the foreground window
// and opening at the current directory; title "Search folder" (languageFlag 0) or "Ordner suchen" (1). When the user
// picks a folder that has a file-system path it goes to `path` and true is returned;
// otherwise `path` is left as it was.
bool BrowseDirectory(int languageFlag, std::string& path);
