// The shell's properties sheet of a file, for the pages and windows that list files (shared
// DLLs, autostart entries, found files, duplicates, the space manager's folder listing).
#include "shell/Unit1.h"
#include "toolkit/Effects.h"

namespace {

// An item-ID list that the shell allocated for us.
class PropertiesItem {
public:
    explicit PropertiesItem(const std::string& path)
    {
        IShellFolder* desktop = nullptr;
        if (FAILED(::SHGetDesktopFolder(&desktop)) || !desktop)
            return;
        int size = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
        std::wstring wide(size > 0 ? size : 1, L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], size);
        if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &list_, nullptr)))
            list_ = nullptr;
        desktop->Release();
    }
    ~PropertiesItem() { ::CoTaskMemFree(list_); }
    PropertiesItem(const PropertiesItem&) = delete;
    PropertiesItem& operator=(const PropertiesItem&) = delete;

    LPITEMIDLIST List() const { return list_; }

private:
    LPITEMIDLIST list_ = nullptr;
};

} // namespace

bool TForm1::EigenschaftenDialog(const std::string& path)
{
    // The "properties" verb lives in the item's context menu, not in the file type's
    // verbs, so the shell has to be handed the item itself.
    PropertiesItem item(path);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = ::GetForegroundWindow();
    info.lpVerb = "properties";
    info.lpFile = path.c_str();
    info.lpIDList = item.List();
    info.nShow = SW_SHOWNORMAL;
    return effects::ShellOpenEx(info);
}
