#include "shell/UpdateVersion.h"

#include <cctype>

namespace update {

namespace {

// Nine digits always fit an unsigned long, on every compiler the program is built with.
const size_t longestPart = 9;
const size_t mostParts = 4;

std::string Trimmed(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

std::optional<Version> ParseVersion(const std::string& text)
{
    std::string rest = Trimmed(text);
    Version version;
    size_t start = 0;
    while (true) {
        size_t dot = rest.find('.', start);
        std::string part = rest.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (part.empty() || part.size() > longestPart || version.size() == mostParts)
            return std::nullopt;
        for (char c : part)
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return std::nullopt;
        version.push_back(std::stoul(part));
        if (dot == std::string::npos)
            return version;
        start = dot + 1;
    }
}

int CompareVersions(const Version& a, const Version& b)
{
    for (size_t i = 0; i < a.size() || i < b.size(); ++i) {
        unsigned long left = i < a.size() ? a[i] : 0;
        unsigned long right = i < b.size() ? b[i] : 0;
        if (left != right)
            return left < right ? -1 : 1;
    }
    return 0;
}

std::optional<Version> NewestVersionIn(const std::string& versionFile)
{
    std::string line = versionFile.substr(0, versionFile.find('\n'));
    // An editor on Windows may have saved the file with a UTF-8 byte order mark.
    const std::string byteOrderMark = "\xEF\xBB\xBF";
    if (line.compare(0, byteOrderMark.size(), byteOrderMark) == 0)
        line.erase(0, byteOrderMark.size());
    return ParseVersion(line);
}

std::optional<std::string> ModuleVersion(HMODULE module)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
    if (!found)
        return std::nullopt;
    DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    const char* data = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!data || size == 0)
        return std::nullopt;
    // VerQueryValueA may write into the block it reads; a module's resources are read-only.
    std::vector<char> block(data, data + size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof *info || info->dwSignature != VS_FFI_SIGNATURE)
        return std::nullopt;
    std::string version = std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
                          std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
                          std::to_string(HIWORD(info->dwFileVersionLS));
    if (LOWORD(info->dwFileVersionLS) != 0)
        version += "." + std::to_string(LOWORD(info->dwFileVersionLS));
    return version;
}

} // namespace update
