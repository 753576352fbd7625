#include "fileengines/Masks.h"

#include "common/CaseRule.h"

#include <windows.h>

namespace file_engines {

std::string EndingOf(const std::string& path)
{
    size_t dot = path.find_last_of(".\\:");
    if (dot == std::string::npos || path[dot] != '.')
        return std::string();
    return common::UpperCase(path.substr(dot + 1, 3));
}

std::string FolderPartOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool DateiFilter(const std::string& ending, const std::string& mask)
{
    std::string upperEnding = common::UpperCase(ending), upperMask = common::UpperCase(mask);
    // A position beyond the end of a text reads as an empty character, which only
    // another empty one (or `*`) matches.
    auto at = [](const std::string& text, size_t i) { return i < text.size() ? text[i] : '\0'; };
    for (size_t i = 0; i < 3; ++i) {
        char wanted = at(upperMask, i);
        if (wanted != '*' && wanted != at(upperEnding, i))
            return false;
    }
    return true;
}

bool TestFile(const std::vector<CheckedEntry>& masks, const std::string& ending)
{
    for (const CheckedEntry& mask : masks) {
        bool matches = mask.text.find('*') != std::string::npos ? DateiFilter(ending, mask.text)
                                                                 : mask.text == ending;
        if (matches)
            return mask.active;
    }
    return false;
}

namespace {

bool IsRecycleBinPath(const std::string& upperPath)
{
    for (const std::string bin : {":\\RECYCLED", ":\\RECYCLER", ":\\$RECYCLE.BIN"}) {
        size_t at = upperPath.find(bin);
        // At the root of a drive (the colon is the second character), the whole name.
        if (at == 1 && (upperPath.size() == at + bin.size() || upperPath[at + bin.size()] == '\\'))
            return true;
    }
    return false;
}

} // namespace

bool IsInRecycleFolder(const std::string& path, bool skipRecycleBin)
{
    return skipRecycleBin && IsRecycleBinPath(common::UpperCase(path));
}

ExclusionTest::ExclusionTest(const std::vector<CheckedEntry>& excludeDirs, bool skipRecycleBin)
    : skipRecycleBin_(skipRecycleBin)
{
    for (const CheckedEntry& entry : excludeDirs)
        if (entry.active)
            upperTexts_.push_back(common::UpperCase(entry.text));
}

bool ExclusionTest::IsInExcludeDirs(const std::string& path) const
{
    return IsExcludedFolder(common::UpperCase(FolderPartOf(path)));
}

bool ExclusionTest::IsExcludedFolder(const std::string& upperFolder) const
{
    if (skipRecycleBin_ && IsRecycleBinPath(upperFolder))
        return true;
    for (const std::string& text : upperTexts_)
        if (upperFolder.find(text) != std::string::npos)
            return true;
    return false;
}

std::vector<std::string> DefaultMasks()
{
    return {"bak", "tmp", "old", "chk", "~**", "---", "gid", "--*", "_mp", "??~", "syd"};
}

std::vector<std::string> DefaultExcludeDirs(const std::function<std::string(int)>& specialFolder,
                                            const std::string& windowsDir)
{
    // Folders that hold the system's and the user's own files: send-to targets, the
    // system, the administrative tools, the desktop, templates, start menus, documents,
    // application data, fonts and the like. Some numbers stand twice in the old list;
    // writing a value twice is harmless, so the list is kept as it always was.
    static const int folderIds[] = {9,  37, 47, 48, 56, 18, 56, 56, 16, 45, 24, 22, 23, 46, 25,
                                    35, 30, 59, 26, 29, 20, 28, 12, 19, 5,  27, 43, 11, 7,  21};
    std::vector<std::string> folders;
    for (int id : folderIds) {
        std::string path = specialFolder(id);
        if (path.empty() && id == CSIDL_SENDTO)
            path = windowsDir + "\\SendTo";
        if (!path.empty())
            folders.push_back(path);
    }
    return folders;
}

} // namespace file_engines
