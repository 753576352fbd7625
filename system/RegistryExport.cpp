#include "system/RegistryExport.h"

#include "common/CaseRule.h"
#include "common/Wow64.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>

namespace regexport {

namespace {

const char* const lineEnd = "\r\n";

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

std::string HexBytes(const std::vector<BYTE>& data)
{
    std::string text;
    char pair[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(pair, sizeof pair, i ? ",%02x" : "%02x", data[i]);
        text += pair;
    }
    return text;
}

// A string that reads back the same through a quoted REGEDIT4 string: one terminating
// zero and no other, and nothing that would end or break the line.
bool IsPlainString(const std::vector<BYTE>& data)
{
    if (data.empty() || data.back() != 0)
        return false;
    for (size_t i = 0; i + 1 < data.size(); ++i)
        if (data[i] == 0 || data[i] == '\r' || data[i] == '\n')
            return false;
    return true;
}

std::string TypedData(const regvalues::RawValue& value)
{
    if (value.type == REG_SZ && IsPlainString(value.data))
        return Quoted(regvalues::StringData(value.data));
    if (value.type == REG_DWORD && value.data.size() == 4) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08lx", static_cast<unsigned long>(regvalues::CounterValue(value)));
        return number;
    }
    if (value.type == REG_BINARY)
        return "hex:" + HexBytes(value.data);
    char type[24];
    std::snprintf(type, sizeof type, "hex(%lx):", static_cast<unsigned long>(value.type));
    return type + HexBytes(value.data);
}

std::vector<std::string> Components(const std::string& path)
{
    std::vector<std::string> parts;
    for (size_t start = 0;;) {
        const size_t slash = path.find('\\', start);
        parts.push_back(path.substr(start, slash - start));
        if (slash == std::string::npos)
            return parts;
        start = slash + 1;
    }
}

bool IsView(const std::string& part) { return common::SameText(part, "Wow6432Node"); }

// The path of an open key as the 64-bit registry editor names it. A 32-bit program on
// 64-bit Windows reads HKLM\Software and some class keys through a view that the system
// keeps below "Wow6432Node"; the editor that a double click on the file starts writes where
// the file says, so the view's node is put into the path where the key's full name has it.
// Without such a node, or when the name does not end as the path does, the path stays.
std::string PlaceOf(HKEY key, const std::string& path)
{
    if (path.empty() || !common::RunsUnderWow64())
        return path;
    const std::optional<std::string> name = regvalues::FullName(key);
    if (!name)
        return path;
    const std::vector<std::string> real = Components(*name);
    std::vector<std::string> spelt = Components(path);
    const auto lastView = std::find_if(real.rbegin(), real.rend(), IsView);
    if (lastView == real.rend() ||
        std::count_if(real.begin(), real.end(), IsView) <= std::count_if(spelt.begin(), spelt.end(), IsView))
        return path;
    const size_t tail = static_cast<size_t>(lastView - real.rbegin());
    if (tail > spelt.size() || !std::equal(real.end() - tail, real.end(), spelt.end() - tail, common::SameText))
        return path;
    spelt.insert(spelt.end() - tail, "Wow6432Node");
    std::string place;
    for (const std::string& part : spelt)
        place += (place.empty() ? "" : "\\") + part;
    return place;
}

void ExportKey(const RegistryRootPrefix& root, const std::string& path, std::string& text)
{
    RegistryKey key(root.root, path);
    text += KeyLine(root, PlaceOf(key.Get(), path)) + lineEnd;
    if (!key) {
        text += lineEnd;
        return;
    }
    for (const regvalues::RawValue& value : regvalues::ReadAllValues(key.Get()))
        text += ValueLine(value) + lineEnd;
    text += lineEnd;
    for (const std::string& name : regvalues::SubkeyNames(key.Get()))
        ExportKey(root, path.empty() ? name : path + "\\" + name, text);
}

void ExportValue(const RegistryRootPrefix& root, const regscan::Finding& finding, const std::string& path,
                 std::string& text)
{
    RegistryKey key(root.root, path);
    regvalues::RawValue value;
    if (key && regvalues::ReadNamedValue(key.Get(), finding.valueName, value))
        text += KeyLine(root, PlaceOf(key.Get(), path)) + lineEnd + ValueLine(value) + lineEnd + lineEnd;
}

} // namespace

std::string KeyLine(const RegistryRootPrefix& root, const std::string& path)
{
    return "[" + std::string(root.fullName) + (path.empty() ? "" : "\\" + path) + "]";
}

std::string ValueLine(const regvalues::RawValue& value)
{
    return (value.name.empty() ? std::string("@") : Quoted(value.name)) + "=" + TypedData(value);
}

std::string ExportText(const std::vector<regscan::Finding>& findings)
{
    std::string text = std::string("REGEDIT4") + lineEnd + lineEnd;
    for (const regscan::Finding& finding : findings) {
        // What is gone since the scan is not written: the file holds only what is there.
        KeyText key = SplitKeyText(finding.keyText);
        if (!key.root || !regscan::EntryExists(finding))
            continue;
        if (finding.isKey)
            ExportKey(*key.root, key.path, text);
        else
            ExportValue(*key.root, finding, key.path, text);
    }
    return text;
}

bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return file.good();
}

} // namespace regexport
