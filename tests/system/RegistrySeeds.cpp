#include "tests/system/RegistrySeeds.h"

#include "common/RegistryValues.h"

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

void SetWideString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(handle);
}

bool RegistryKeepsWideNames()
{
    const char* const probe = "Software\\TidewrackWideProbe";
    const std::wstring key = L"Software\\TidewrackWideProbe", name = L"\u4E2D\u6587";
    SetWideString(HKEY_CURRENT_USER, key, name, name);
    wchar_t back[8] = {};
    DWORD size = sizeof back;
    const bool kept = RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr, back,
                                   &size) == ERROR_SUCCESS &&
                      name == back;
    DeleteTree(HKEY_CURRENT_USER, probe);
    return kept;
}

void MakeKey(HKEY root, const std::string& key)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr), ERROR_SUCCESS);
    RegCloseKey(handle);
}

bool KeyExists(HKEY root, const std::string& key) { return static_cast<bool>(RegistryKey(root, key)); }

bool ValueExists(HKEY root, const std::string& key, const std::string& name)
{
    RegistryKey handle(root, key);
    regvalues::RawValue value;
    return handle && regvalues::ReadNamedValue(handle.Get(), name, value);
}

namespace {

// Through the wide functions, which also reach subkeys whose names the ANSI ones cannot spell.
void DeleteWideTree(HKEY root, const std::wstring& key)
{
    std::vector<std::wstring> names;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(handle, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(handle);
    for (const std::wstring& subkey : names)
        DeleteWideTree(root, key + L"\\" + subkey);
    RegDeleteKeyW(root, key.c_str());
}

} // namespace

void DeleteTree(HKEY root, const std::string& key)
{
    DeleteWideTree(root, std::wstring(key.begin(), key.end()));
}

void DeleteValue(HKEY root, const std::string& key, const std::string& name)
{
    RegistryKey handle(root, key, KEY_ALL_ACCESS);
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
    RegistryKey handle(root, key);
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

std::string AbsentDriveRoot()
{
    std::string root = "Q:\\";
    while (root[0] < 'Z' && GetDriveTypeA(root.c_str()) != DRIVE_NO_ROOT_DIR)
        ++root[0];
    EXPECT_EQ(GetDriveTypeA(root.c_str()), UINT(DRIVE_NO_ROOT_DIR)) << "every drive letter from Q: on is taken";
    return root;
}

} // namespace seeds
