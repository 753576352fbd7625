#include "toolkit/Registry.h"

#include <cstring>

namespace {

// Registry paths may be written with a leading backslash ("\Software\...") to stress
// that they start at the root; the API wants them without.
std::string Trimmed(const std::string& path)
{
    size_t first = path.find_first_not_of('\\');
    if (first == std::string::npos)
        return std::string();
    size_t last = path.find_last_not_of('\\');
    return path.substr(first, last - first + 1);
}

std::vector<std::string> EnumerateNames(HKEY key, bool values)
{
    std::vector<std::string> names;
    if (!key)
        return names;
    DWORD longestKey = 0, longestValue = 0;
    if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &longestKey, nullptr, nullptr,
                           &longestValue, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::vector<char> buffer((values ? longestValue : longestKey) + 2);
    for (DWORD index = 0;;) {
        DWORD length = static_cast<DWORD>(buffer.size());
        LONG result = values
            ? ::RegEnumValueA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr)
            : ::RegEnumKeyExA(key, index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) { // a longer name was added meanwhile
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (result != ERROR_SUCCESS)
            break;
        names.emplace_back(buffer.data(), length);
        ++index;
    }
    return names;
}

// Deletes path under parent after everything below it. Children are opened as links
// themselves, so a registry link inside the tree never leads the walk into another tree.
bool DeleteTree(HKEY parent, const std::string& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(parent, path.c_str(), REG_OPTION_OPEN_LINK,
                        KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    for (const std::string& child : EnumerateNames(key, false))
        DeleteTree(key, child); // a failure shows in the final delete
    ::RegCloseKey(key);
    return ::RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

} // namespace

TRegistry::~TRegistry() { CloseKey(); }

bool TRegistry::Open(const std::string& path, REGSAM access, bool canCreate)
{
    CloseKey();
    std::string relative = Trimmed(path);
    HKEY key = nullptr;
    LONG result = canCreate
        ? ::RegCreateKeyExA(RootKey, relative.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                            nullptr, &key, nullptr)
        : ::RegOpenKeyExA(RootKey, relative.c_str(), 0, access, &key);
    if (result != ERROR_SUCCESS)
        return false;
    current_ = key;
    currentPath_ = relative;
    return true;
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) { return Open(path, Access, canCreate); }

bool TRegistry::OpenKeyReadOnly(const std::string& path) { return Open(path, KEY_READ, false); }

void TRegistry::CloseKey()
{
    if (current_)
        ::RegCloseKey(current_);
    current_ = nullptr;
    currentPath_.clear();
}

std::optional<std::vector<BYTE>> TRegistry::ReadRawData(const std::string& name, DWORD* type) const
{
    DWORD valueType = 0, size = 0;
    if (::RegQueryValueExA(Base(), name.c_str(), nullptr, &valueType, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::vector<BYTE> data;
    for (;;) {
        data.resize(size);
        LONG result = ::RegQueryValueExA(Base(), name.c_str(), nullptr, &valueType,
                                         data.empty() ? nullptr : data.data(), &size);
        if (result == ERROR_MORE_DATA) // the value grew between the two queries
            continue;
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        break;
    }
    data.resize(size);
    if (type)
        *type = valueType;
    return data;
}

std::optional<std::string> TRegistry::ReadString(const std::string& name) const
{
    DWORD type = 0;
    auto data = ReadRawData(name, &type);
    if (!data || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    std::string text(data->begin(), data->end());
    // The terminator is usually stored, but a value written by another program may lack it.
    size_t end = text.find('\0');
    if (end != std::string::npos)
        text.resize(end);
    return text;
}

std::optional<int> TRegistry::ReadInteger(const std::string& name) const
{
    DWORD type = 0;
    auto data = ReadRawData(name, &type);
    if (!data || type != REG_DWORD || data->size() != sizeof(DWORD))
        return std::nullopt;
    DWORD value;
    memcpy(&value, data->data(), sizeof value);
    return static_cast<int>(value);
}

std::optional<std::vector<BYTE>> TRegistry::ReadBinaryData(const std::string& name) const
{
    DWORD type = 0;
    auto data = ReadRawData(name, &type);
    if (!data || type == REG_SZ || type == REG_EXPAND_SZ || type == REG_DWORD)
        return std::nullopt;
    return data;
}

bool TRegistry::WriteString(const std::string& name, const std::string& value)
{
    return ::RegSetValueExA(Base(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool TRegistry::WriteInteger(const std::string& name, int value)
{
    DWORD data = static_cast<DWORD>(value);
    return ::RegSetValueExA(Base(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                            sizeof data) == ERROR_SUCCESS;
}

bool TRegistry::WriteBinaryData(const std::string& name, const void* data, DWORD size)
{
    return ::RegSetValueExA(Base(), name.c_str(), 0, REG_BINARY, static_cast<const BYTE*>(data), size)
        == ERROR_SUCCESS;
}

bool TRegistry::WriteBinaryData(const std::string& name, const std::vector<BYTE>& data)
{
    return WriteBinaryData(name, data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size()));
}

std::optional<DWORD> TRegistry::GetDataSize(const std::string& name) const
{
    DWORD size = 0;
    if (::RegQueryValueExA(Base(), name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return size;
}

std::optional<DWORD> TRegistry::GetDataType(const std::string& name) const
{
    DWORD type = 0;
    if (::RegQueryValueExA(Base(), name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return type;
}

bool TRegistry::ValueExists(const std::string& name) const { return GetDataType(name).has_value(); }

bool TRegistry::DeleteValue(const std::string& name)
{
    return ::RegDeleteValueA(Base(), name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const std::string& path) const
{
    HKEY key = nullptr;
    LONG result = ::RegOpenKeyExA(Base(), Trimmed(path).c_str(), 0, KEY_QUERY_VALUE, &key);
    if (result == ERROR_SUCCESS)
        ::RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED; // denied: it is there
}

bool TRegistry::DeleteKey(const std::string& path)
{
    std::string relative = Trimmed(path);
    if (relative.empty())
        return false;
    return DeleteTree(Base(), relative);
}

std::vector<std::string> TRegistry::GetValueNames() const { return EnumerateNames(current_, true); }

std::vector<std::string> TRegistry::GetKeyNames() const { return EnumerateNames(current_, false); }

bool TRegistry::HasSubKeys() const
{
    DWORD subKeys = 0;
    return current_
        && ::RegQueryInfoKeyA(current_, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS
        && subKeys > 0;
}
