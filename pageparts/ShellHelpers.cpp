#include "pageparts/ShellHelpers.h"

#include "common/ItemIdList.h"
#include "common/Language.h"
#include "toolkit/Effects.h"

bool OpenSpecialFolder(int csidl)
{
    ItemIdList list;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, list.Put())) || !list)
        return false;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_IDLIST;
    info.lpVerb = "open";
    info.lpIDList = list.Get();
    info.nShow = SW_SHOWNORMAL;
    return effects::ShellOpenEx(info);
}

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data)
{
    if (message == BFFM_INITIALIZED)
        ::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

bool BrowseDirectory(int languageFlag, std::string& path)
{
    std::string current(::GetCurrentDirectoryA(0, nullptr), '\0');
    current.resize(::GetCurrentDirectoryA(static_cast<DWORD>(current.size()), &current[0]));

    char displayName[MAX_PATH] = "";
    BROWSEINFOA info{};
    info.hwndOwner = ::GetForegroundWindow();
    info.pidlRoot = nullptr; // the desktop
    info.pszDisplayName = displayName;
    info.lpszTitle = language::Text(languageFlag, "Ordner suchen", "Search folder");
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_DONTGOBELOWDOMAIN;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(current.c_str());

    bool picked = false;
    if (const ItemIdList list{effects::ShowFolderDialog(info)}) {
        char chosen[MAX_PATH] = "";
        if (::SHGetPathFromIDListA(list.Get(), chosen)) {
            path = chosen;
            picked = true;
        }
    }
    return picked;
}
