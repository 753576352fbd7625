#include "system/RegistryEditor.h"

#include "shell/Unit1.h"
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

} // namespace regedit

void TForm1::OpenRegistryEditorAt(const std::string& lastKey, bool closeRunningEditor)
{
    if (closeRunningEditor) {
        // A running editor keeps its own place and writes it back when it ends; its
        // window class is the same in every language, unlike its title.
        if (HWND editor = FindWindowA("RegEdit_RegEdit", nullptr))
            PostMessageA(editor, WM_CLOSE, 0, 0);
    }
    WriteReg(rootCurrentUser, regedit::AppletKey, "LastKey", lastKey, "s");
    effects::ShellOpen(closeRunningEditor ? nullptr : Handle(), "open", "regedit", "", "", SW_SHOWNORMAL);
}
