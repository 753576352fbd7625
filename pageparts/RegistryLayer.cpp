#include "pageparts/RegistryLayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace registry_layer {

namespace {

// Read and write rights are asked for only where the layer changes something, so keys
// that the user may read but not change (most of HKEY_LOCAL_MACHINE for a limited
// account) stay readable.
constexpr REGSAM kWriteAccess = KEY_READ | KEY_WRITE;

std::string JoinedStrings(const std::vector<BYTE>& data, std::vector<std::string>* valueList)
{
    std::string result;
    size_t position = 0;
    while (position < data.size()) {
        size_t end = position;
        while (end < data.size() && data[end] != 0) // bounded by the stored size, terminator or not
            ++end;
        if (end == position)
            break; // the empty string that ends the list
        std::string entry(data.begin() + position, data.begin() + end);
        result += entry + "\n";
        if (valueList)
            valueList->push_back(entry);
        position = end + 1;
    }
    return result;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

HKEY RootKeyOf(int rootIndex)
{
    switch (rootIndex) {
    case 0: return HKEY_CLASSES_ROOT;
    case 1: return HKEY_CURRENT_USER;
    case 2: return HKEY_LOCAL_MACHINE;
    case 3: return HKEY_USERS;
    case 4: return HKEY_CURRENT_CONFIG;
    case 5: return HKEY_DYN_DATA;
    default: return nullptr;
    }
}

void WriteReg(TRegistry& registry, int rootIndex, const std::string& key, const std::string& name,
              const std::string& data, const std::string& type)
{
    HKEY root = RootKeyOf(rootIndex);
    if (!root)
        return;
    registry.RootKey = root;
    registry.Access = kWriteAccess;
    if (!registry.OpenKey(key, true))
        return;
    if (type == "s") {
        registry.WriteString(name, data);
    } else if (type == "i") {
        if (auto number = StoredInteger(data))
            registry.WriteInteger(name, *number);
    } else if (type == "b") {
        registry.WriteBinaryData(name, HexByteTextToBytes(data));
    }
    registry.CloseKey();
}

std::string ReadReg(TRegistry& registry, int rootIndex, const std::string& key, const std::string& name,
                    const std::string& type, std::vector<std::string>* valueList)
{
    if (type == "z" && valueList)
        valueList->clear();
    HKEY root = RootKeyOf(rootIndex);
    if (!root)
        return std::string();
    registry.RootKey = root;
    if (!registry.OpenKeyReadOnly(key))
        return std::string();
    std::string result;
    if (type == "s") {
        result = registry.ReadString(name).value_or(std::string());
    } else if (type == "i") {
        if (auto number = registry.ReadInteger(name))
            result = std::to_string(*number);
    } else if (type == "z") {
        if (auto data = registry.ReadRawData(name))
            result = JoinedStrings(*data, valueList);
    } else if (type == "b") {
        if (auto data = registry.ReadBinaryData(name))
            result = HexByteText(*data);
    }
    registry.CloseKey();
    return result;
}

void DeleteReg(TRegistry& registry, int rootIndex, const std::string& key, const std::string& name,
               unsigned char subkeySwitch)
{
    if (rootIndex < 0 || rootIndex > 4)
        return;
    registry.RootKey = RootKeyOf(rootIndex);
    registry.Access = kWriteAccess;
    if (!registry.OpenKey(key, false))
        return;
    if (subkeySwitch == 1)
        registry.DeleteKey(name);
    else
        registry.DeleteValue(name);
    registry.CloseKey();
}

std::string HexByteText(const std::vector<BYTE>& bytes)
{
    std::string text;
    char pair[4];
    for (BYTE b : bytes) {
        snprintf(pair, sizeof pair, "%.02X ", b);
        text += pair;
    }
    if (!text.empty())
        text.pop_back();
    return text;
}

std::vector<BYTE> HexByteTextToBytes(const std::string& text)
{
    std::vector<BYTE> bytes;
    for (size_t step = 0; step < text.size(); step += 3) {
        size_t position = step;
        size_t end = std::min(step + 2, text.size());
        while (position < end && (text[position] == ' ' || text[position] == '\t'))
            ++position;
        int value = 0;
        for (; position < end && HexDigit(text[position]) >= 0; ++position)
            value = value * 16 + HexDigit(text[position]);
        bytes.push_back(static_cast<BYTE>(value));
    }
    return bytes;
}

std::string ByteToText(unsigned char value) { return std::to_string(value); }

std::optional<int> StoredInteger(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::nullopt;
    size_t last = text.find_last_not_of(" \t");
    std::string number = text.substr(first, last - first + 1);
    // Plain decimal notation only: strtod would also take "inf", "nan" and hex numbers.
    if (number.find_first_not_of("0123456789+-.eE") != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    double value = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size() || !std::isfinite(value))
        return std::nullopt;
    double rounded = std::nearbyint(value); // the default rounding mode: halves to even
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return std::nullopt;
    return static_cast<int>(rounded);
}

} // namespace registry_layer
