// The shell's own context menu of some items, as the space manager uses it: its
// commands are told apart by their verbs, never by their numbers, which differ between
// shell versions.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

// The language-independent verb of a command of the menu ("delete", "cut", "paste",
// "rename", ...), lower-cased; "" when the shell names none.
std::string ShellMenuVerb(IContextMenu* menu, UINT offset);

// The verbs after which the shown folder and the tree change.
bool VerbChangesFolder(const std::string& verb);
