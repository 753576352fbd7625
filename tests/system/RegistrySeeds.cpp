#include "tests/system/RegistrySeeds.h"

#include "system/RegistryValues.h"

#include <gtest/gtest.h>

namespace seeds {

void SetRaw(HKEY root, const std::string& key, const std::string& name, DWORD type, const std::vector<BYTE>& data)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr), ERROR_SUCCESS)
        << key;
    EXPECT_EQ(RegSetValueExA(handle, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS)
        << key << " " << name;
    RegCloseKey(handle);
}

void SetString(HKEY root, const std::string& key, const std::string& name, const std::string& text, DWORD type)
{
    std::vector<BYTE> data(text.begin(), text.end());
    data.push_back(0);
    SetRaw(root, key, name, type, data);
}

void SetDword(HKEY root, const std::string& key, const std::string& name, DWORD number)
{
    SetRaw(root, key, name, REG_DWORD, {BYTE(number), BYTE(number >> 8), BYTE(number >> 16), BYTE(number >> 24)});
}

void MakeKey(HKEY root, const std::string& key)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr), ERROR_SUCCESS);
    RegCloseKey(handle);
}

bool KeyExists(HKEY root, const std::string& key) { return static_cast<bool>(regvalues::KeyHandle(root, key)); }

bool ValueExists(HKEY root, const std::string& key, const std::string& name)
{
    regvalues::KeyHandle handle(root, key);
    regvalues::RawValue value;
    return handle && regvalues::ReadNamedValue(handle.Get(), name, value);
}

void DeleteTree(HKEY root, const std::string& key)
{
    {
        regvalues::KeyHandle handle(root, key, KEY_ALL_ACCESS);
        if (!handle)
            return;
        for (const std::string& name : regvalues::SubkeyNames(handle.Get()))
            DeleteTree(root, key + "\\" + name);
    }
    RegDeleteKeyA(root, key.c_str());
}

void DeleteValue(HKEY root, const std::string& key, const std::string& name)
{
    regvalues::KeyHandle handle(root, key, KEY_ALL_ACCESS);
    if (handle)
        RegDeleteValueA(handle.Get(), name.c_str());
}

Seeded::~Seeded()
{
    for (const auto& value : values_)
        DeleteValue(value.first, value.second.first, value.second.second);
    for (const auto& key : keys_)
        DeleteTree(key.first, key.second);
}

void Seeded::Own(HKEY root, const std::string& key)
{
    DeleteTree(root, key);
    keys_.emplace_back(root, key);
}

void Seeded::OwnValue(HKEY root, const std::string& key, const std::string& name)
{
    values_.push_back({root, {key, name}});
}

namespace {

void Collect(HKEY root, const std::string& key, Tree& tree)
{
    regvalues::KeyHandle handle(root, key);
    if (!handle)
        return;
    auto& values = tree[key];
    for (const regvalues::RawValue& value : regvalues::ReadAllValues(handle.Get()))
        values[value.name] = {value.type, value.data};
    for (const std::string& name : regvalues::SubkeyNames(handle.Get()))
        Collect(root, key + "\\" + name, tree);
}

} // namespace

Tree Snapshot(HKEY root, const std::string& key)
{
    Tree tree;
    Collect(root, key, tree);
    return tree;
}

std::string WindowsFolder()
{
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

std::string LiveFile() { return WindowsFolder() + "\\win.ini"; }

} // namespace seeds
