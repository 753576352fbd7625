// The shell's properties sheet of a file, for the pages and windows that list files (shared
// DLLs, autostart entries, found files, duplicates, the space manager's folder listing).
#include "shell/Unit1.h"

#include "common/ComPtr.h"
#include "common/ItemIdList.h"
#include "toolkit/Effects.h"

namespace {

// The item's list as the desktop parses its path; empty when the shell does not know it.
ItemIdList ItemOf(const std::string& path)
{
    ItemIdList list;
    ComPtr<IShellFolder> desktop;
    if (FAILED(::SHGetDesktopFolder(desktop.Put())) || !desktop)
        return list;
    int size = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(size > 0 ? size : 1, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], size);
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, list.Put(), nullptr)))
        list.Detach(); // nothing of the shell's to free after a failure
    return list;
}

} // namespace

bool TForm1::EigenschaftenDialog(const std::string& path)
{
    // The "properties" verb lives in the item's context menu, not in the file type's
    // verbs, so the shell has to be handed the item itself.
    const ItemIdList item = ItemOf(path);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = ::GetForegroundWindow();
    info.lpVerb = "properties";
    info.lpFile = path.c_str();
    info.lpIDList = item.Get();
    info.nShow = SW_SHOWNORMAL;
    return effects::ShellOpenEx(info);
}
