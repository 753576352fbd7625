#include "system/ShowKeyValues.h"

#include "common/RegistryKey.h"
#include "pageparts/RegistryLayer.h"
#include "system/Mrudata.h"
#include "xplook/Xpmenu.h"

#include <cstring>
#include <vector>

namespace {

// A value's data as the viewer shows it: text as it is, numbers in decimal, anything
// else as hex bytes.
std::string DataText(DWORD type, const std::vector<BYTE>& data)
{
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
        std::string text(data.begin(), data.end());
        return text.substr(0, text.find('\0'));
    }
    if (type == REG_DWORD && data.size() >= sizeof(DWORD)) {
        DWORD number = 0;
        memcpy(&number, data.data(), sizeof number);
        return std::to_string(number);
    }
    return registry_layer::HexByteText(data);
}

} // namespace

void ShowKeyValues(TComponent* owner, TXPMenu& look, HKEY root, const std::string& key, const std::string& title)
{
    auto* viewer = new TForm10(owner);
    look.InitComponent(viewer);
    viewer->SetCaption(title);
    RegistryKey opened(root, key);
    if (opened.Get())
        for (DWORD index = 0;; ++index) {
            char name[16384];
            DWORD nameLength = sizeof name, type = 0, size = 0;
            if (RegEnumValueA(opened.Get(), index, name, &nameLength, nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS)
                break;
            std::vector<BYTE> data(size);
            nameLength = sizeof name;
            if (RegEnumValueA(opened.Get(), index, name, &nameLength, nullptr, &type, data.data(), &size) !=
                ERROR_SUCCESS)
                break;
            data.resize(size);
            viewer->AddValue(name, DataText(type, data));
        }
    viewer->ShowModal();
}
