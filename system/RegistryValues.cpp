#include "system/RegistryValues.h"

namespace regvalues {

KeyHandle::KeyHandle(HKEY parent, const std::string& path, REGSAM access)
{
    if (RegOpenKeyExA(parent, path.c_str(), 0, access, &key_) != ERROR_SUCCESS)
        key_ = nullptr;
}

KeyHandle::~KeyHandle()
{
    if (key_)
        RegCloseKey(key_);
}

KeyHandle::KeyHandle(KeyHandle&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }

namespace {

// Value names are at most 16383 characters.
constexpr DWORD nameCapacity = 16384;

} // namespace

bool ReadValueAt(HKEY key, DWORD index, RawValue& value)
{
    std::vector<char> name(nameCapacity);
    DWORD dataSize = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD nameLength = nameCapacity;
        DWORD size = dataSize;
        value.data.assign(dataSize ? dataSize : 1, 0);
        LONG error = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &value.type,
                                   value.data.data(), &size);
        if (error == ERROR_MORE_DATA) {
            // The data is larger than the buffer (or grew since it was measured): ask again
            // with the size the registry gave.
            dataSize = size > dataSize ? size : dataSize * 2 + 64;
            continue;
        }
        if (error != ERROR_SUCCESS)
            return false;
        value.name.assign(name.data(), nameLength);
        value.data.resize(size);
        return true;
    }
    return false;
}

bool ReadNamedValue(HKEY key, const std::string& name, RawValue& value)
{
    DWORD size = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        value.data.assign(size ? size : 1, 0);
        DWORD got = size;
        LONG error = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &got);
        if (error == ERROR_MORE_DATA) {
            size = got > size ? got : size * 2 + 64;
            continue;
        }
        if (error != ERROR_SUCCESS)
            return false;
        value.name = name;
        value.data.resize(got);
        return true;
    }
    return false;
}

std::optional<std::string> ReadStringValue(HKEY key, const std::string& name)
{
    RawValue value;
    if (!key || !ReadNamedValue(key, name, value) || (value.type != REG_SZ && value.type != REG_EXPAND_SZ))
        return std::nullopt;
    return StringData(value.data);
}

std::vector<RawValue> ReadAllValues(HKEY key)
{
    std::vector<RawValue> values;
    DWORD count = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return values;
    for (DWORD index = 0; index < count; ++index) {
        RawValue value;
        if (ReadValueAt(key, index, value))
            values.push_back(std::move(value));
    }
    return values;
}

std::vector<std::string> SubkeyNames(HKEY key)
{
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

FILETIME LastWriteTime(HKEY key)
{
    FILETIME time{};
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, &time) != ERROR_SUCCESS)
        time = FILETIME{};
    return time;
}

std::string StringData(const std::vector<BYTE>& data)
{
    size_t length = 0;
    while (length < data.size() && data[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(data.data()), length);
}

std::string MultiStringData(const std::vector<BYTE>& data)
{
    std::string text;
    size_t start = 0;
    while (start < data.size() && data[start] != 0) {
        size_t end = start;
        while (end < data.size() && data[end] != 0)
            ++end;
        text.append(reinterpret_cast<const char*>(data.data()) + start, end - start);
        text += '\n';
        start = end + 1;
    }
    return text;
}

long CounterValue(const RawValue& value)
{
    const bool fourBytes = value.data.size() == 4;
    if (fourBytes && (value.type == REG_DWORD || value.type == REG_BINARY)) {
        DWORD number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                       static_cast<DWORD>(value.data[3]) << 24;
        return static_cast<long>(static_cast<LONG>(number));
    }
    return -1;
}

} // namespace regvalues
