// The main form's registry layer: every call goes through the form's one registry
// object and opens and closes its key itself.
#include "shell/Unit1.h"

#include "pageparts/RegistryLayer.h"

#include <vector>

void TForm1::WriteReg(int root, const std::string& key, const std::string& name,
                      const std::string& data, const std::string& type)
{
    registry_layer::WriteReg(*Registry, root, key, name, data, type);
}

std::string TForm1::ReadReg(int root, const std::string& key, const std::string& name,
                            const std::string& type)
{
    std::vector<std::string> strings;
    std::string text = registry_layer::ReadReg(*Registry, root, key, name, type, &strings);
    if (type == "z") {
        ValueList->Clear();
        for (const std::string& s : strings)
            ValueList->Add(s);
    }
    return text;
}

void TForm1::DeleteReg(int root, const std::string& key, const std::string& name,
                       unsigned char subkeySwitch)
{
    registry_layer::DeleteReg(*Registry, root, key, name, subkeySwitch);
}
