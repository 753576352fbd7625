// Opening the system's registry editor at a key: the editor opens where its "LastKey"
// value points, so the program writes that value and then starts the editor.
#pragma once

#include "system/RegistryRoots.h"

#include <string>

namespace regedit {

// Where the editor keeps the key it shows last (under HKEY_CURRENT_USER).
extern const char* const AppletKey;

// The editor's name for its tree's top node, in the language of the system.
std::string RootNodeName();
// "My Computer\HKEY_LOCAL_MACHINE\path", as the editor writes the value itself.
std::string LastKeyWithRootNode(const RegistryRootPrefix& root, const std::string& path);
// "HKEY_LOCAL_MACHINE\path".
std::string LastKeyPlain(const RegistryRootPrefix& root, const std::string& path);

// The editor opened at lastKey (its "LastKey" value), through the seam, over owner (or no
// window); a running editor is closed first when asked to, so it reads the value anew.
void OpenAt(const std::string& lastKey, HWND owner, bool closeRunningEditor);

} // namespace regedit
