#include "common/RegistryValues.h"

#include <cstring>

namespace regvalues {

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

std::vector<std::string> MultiStrings(const std::vector<BYTE>& data)
{
    std::vector<std::string> strings;
    size_t start = 0;
    while (start < data.size() && data[start] != 0) {
        size_t end = start;
        while (end < data.size() && data[end] != 0)
            ++end;
        strings.emplace_back(reinterpret_cast<const char*>(data.data()) + start, end - start);
        start = end + 1;
    }
    return strings;
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

namespace {

std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = static_cast<int>(text.size());
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, &wide[0], static_cast<int>(wide.size()));
    return wide;
}

bool ReadWideValue(HKEY key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data)
{
    DWORD size = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        data.assign(size ? size : 1, 0);
        DWORD got = size;
        LONG error = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &got);
        if (error == ERROR_MORE_DATA) {
            size = got > size ? got : size * 2 + 64;
            continue;
        }
        if (error != ERROR_SUCCESS)
            return false;
        data.resize(got);
        return true;
    }
    return false;
}

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The same text as the scan, the delete and the export take it from a value's data.
bool SameText(DWORD type, const std::vector<BYTE>& one, const std::vector<BYTE>& other)
{
    return type == REG_MULTI_SZ ? MultiStrings(one) == MultiStrings(other) : StringData(one) == StringData(other);
}

} // namespace

std::optional<std::string> ExactAnsi(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    // A UTF-8 code page holds every character; it takes neither flag nor default character.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* askDefault = utf8 ? nullptr : &usedDefault;
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, askDefault);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    std::string ansi(size, '\0');
    WideCharToMultiByte(CP_ACP, flags, text.data(), length, &ansi[0], size, nullptr, askDefault);
    if (usedDefault)
        return std::nullopt;
    return ansi;
}

std::optional<std::string> FullName(HKEY key)
{
    // The NT layer's own question, looked up: no function of the Win32 API tells it.
    using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const Query query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryKey")));
    constexpr int keyNameInformation = 3;
    if (!query)
        return std::nullopt;
    std::vector<BYTE> buffer(512);
    ULONG size = 0;
    LONG status = query(key, keyNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &size);
    if (status < 0 && size > buffer.size()) {
        buffer.resize(size);
        status = query(key, keyNameInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &size);
    }
    ULONG length = 0;
    if (status < 0 || size < sizeof length)
        return std::nullopt;
    std::memcpy(&length, buffer.data(), sizeof length);
    if (length > size - sizeof length)
        return std::nullopt;
    std::wstring name(length / sizeof(wchar_t), L'\0');
    std::memcpy(&name[0], buffer.data() + sizeof length, name.size() * sizeof(wchar_t));
    return ExactAnsi(name);
}

bool ReadsExactly(HKEY key, const RawValue& value)
{
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (!ReadWideValue(key, Wide(value.name), type, data) || type != value.type)
        return false;
    if (!IsTextType(type))
        return data == value.data;
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    if (!text.empty())
        std::memcpy(&text[0], data.data(), text.size() * sizeof(wchar_t));
    const std::optional<std::string> ansi = ExactAnsi(text);
    return ansi && SameText(type, std::vector<BYTE>(ansi->begin(), ansi->end()), value.data);
}

bool TreeReadsExactly(HKEY key)
{
    std::vector<wchar_t> name(nameCapacity);
    for (DWORD index = 0;; ++index) {
        DWORD length = nameCapacity;
        const LONG error = RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_NO_MORE_ITEMS)
            break;
        const std::optional<std::string> ansi =
            error == ERROR_SUCCESS ? ExactAnsi(std::wstring(name.data(), length)) : std::nullopt;
        RawValue value;
        if (!ansi || !ReadNamedValue(key, *ansi, value) || !ReadsExactly(key, value))
            return false;
    }
    for (DWORD index = 0;; ++index) {
        DWORD length = nameCapacity;
        const LONG error = RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (error == ERROR_NO_MORE_ITEMS)
            break;
        const std::optional<std::string> ansi =
            error == ERROR_SUCCESS ? ExactAnsi(std::wstring(name.data(), length)) : std::nullopt;
        if (!ansi)
            return false;
        RegistryKey subkey(key, *ansi);
        if (!subkey || !TreeReadsExactly(subkey.Get()))
            return false;
    }
    return true;
}

} // namespace regvalues
