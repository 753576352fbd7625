#include "system/RegistryEditor.h"

#include "pageparts/RegistryLayer.h"
#include "toolkit/Effects.h"

namespace regedit {

const char* const AppletKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";

std::string RootNodeName()
{
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_GERMAN ? "Arbeitsplatz" : "My Computer";
}

std::string LastKeyWithRootNode(const RegistryRootPrefix& root, const std::string& path)
{
    return RootNodeName() + "\\" + LastKeyPlain(root, path);
}

std::string LastKeyPlain(const RegistryRootPrefix& root, const std::string& path)
{
    return std::string(root.fullName) + "\\" + path;
}

void OpenAt(const std::string& lastKey, HWND owner, bool closeRunningEditor)
{
    if (closeRunningEditor) {
        // A running editor keeps its own place and writes it back when it ends; its
        // window class is the same in every language, unlike its title.
        if (HWND editor = FindWindowA("RegEdit_RegEdit", nullptr))
            PostMessageA(editor, WM_CLOSE, 0, 0);
    }
    TRegistry registry;
    registry_layer::WriteReg(registry, rootCurrentUser, AppletKey, "LastKey", lastKey, "s");
    effects::ShellOpen(owner, "open", "regedit", "", "", SW_SHOWNORMAL);
}

} // namespace regedit
