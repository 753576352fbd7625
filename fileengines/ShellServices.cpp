#include "fileengines/ShellServices.h"

#include "common/FindHandle.h"
#include "common/ItemIdList.h"

#include <algorithm>
#include <cstring>

namespace file_engines {

unsigned long long DiskFreeToCaller = 0;
unsigned long long DiskTotal = 0;
unsigned long long DiskTotalFree = 0;

namespace {

std::string Narrowed(const wchar_t* wide)
{
    if (!wide)
        return std::string();
    int size = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string text(size, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, &text[0], size, nullptr, nullptr);
    text.resize(size - 1);
    return text;
}

// folder + "\" + name, without doubling the separator of a root like "C:\".
std::string Child(const std::string& folder, const char* name)
{
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        return folder + name;
    return folder + "\\" + name;
}

bool IsFolder(const WIN32_FIND_DATAA& entry) { return entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY; }

// A junction or symbolic link may lead anywhere, even back up the tree.
bool IsLink(const WIN32_FIND_DATAA& entry) { return entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT; }

bool IsDotEntry(const char* name) { return !strcmp(name, ".") || !strcmp(name, ".."); }

// Calls visit(entry) for every entry of the find pattern; false when the search fails.
template <typename Visit>
bool ForEachEntry(const std::string& pattern, Visit visit)
{
    WIN32_FIND_DATAA entry;
    FindHandle search(pattern, entry);
    if (!search.Valid())
        return false;
    do
        visit(entry);
    while (search.Next(entry));
    return true;
}

} // namespace

std::string SpecialFolder(HWND owner, int csidl)
{
    ItemIdList list;
    if (FAILED(::SHGetSpecialFolderLocation(owner, csidl, list.Put())) || !list)
        return std::string();
    char path[MAX_PATH] = ""; // the size that SHGetPathFromIDListA writes at most
    return ::SHGetPathFromIDListA(list.Get(), path) ? std::string(path) : std::string();
}

bool GetDiskSpaceEx(const std::string& rootPath)
{
    ULARGE_INTEGER freeToCaller, total, totalFree;
    if (!::GetDiskFreeSpaceExA(rootPath.c_str(), &freeToCaller, &total, &totalFree))
        return false;
    DiskFreeToCaller = freeToCaller.QuadPart;
    DiskTotal = total.QuadPart;
    DiskTotalFree = totalFree.QuadPart;
    return true;
}

int GetIcon(const std::string& path, UINT flags, SHFILEINFOA& info)
{
    info = SHFILEINFOA{};
    ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, flags);
    return info.iIcon;
}

std::string GetDisplayName(IShellFolder* folder, LPCITEMIDLIST item, DWORD flags)
{
    STRRET name{};
    name.uType = STRRET_CSTR;
    std::string text;
    if (folder && SUCCEEDED(folder->GetDisplayNameOf(item, flags, &name)))
        ConvertStrRet(text, item, name);
    return text;
}

void ConvertStrRet(std::string& text, LPCITEMIDLIST item, STRRET& strRet)
{
    switch (strRet.uType) {
    case STRRET_WSTR:
        text = Narrowed(strRet.pOleStr);
        ::CoTaskMemFree(strRet.pOleStr); // the shell hands the string over to the caller
        strRet.uType = STRRET_CSTR;
        strRet.cStr[0] = '\0';
        break;
    case STRRET_OFFSET:
        if (item)
            text = reinterpret_cast<const char*>(item) + strRet.uOffset;
        break;
    case STRRET_CSTR:
        text.assign(strRet.cStr, strnlen(strRet.cStr, sizeof strRet.cStr));
        break;
    default:
        break;
    }
}

LPITEMIDLIST ItemIdListNext(LPCITEMIDLIST list)
{
    if (!list)
        return nullptr;
    return reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(list))
                                          + list->mkid.cb);
}

UINT ItemIdListSize(LPCITEMIDLIST list)
{
    if (!list)
        return 0;
    UINT size = sizeof(USHORT); // the terminator
    for (; list->mkid.cb; list = ItemIdListNext(list))
        size += list->mkid.cb;
    return size;
}

LPITEMIDLIST ItemIdListAlloc(IMalloc* malloc, UINT size)
{
    if (!malloc)
        return nullptr;
    void* block = malloc->Alloc(size);
    if (block) // so that a fresh block already reads as an empty list
        memset(block, 0, std::min<UINT>(size, 4));
    return static_cast<LPITEMIDLIST>(block);
}

LPITEMIDLIST ItemIdListConcat(IMalloc* malloc, LPCITEMIDLIST first, LPCITEMIDLIST second)
{
    UINT firstItems = first ? ItemIdListSize(first) - sizeof(USHORT) : 0;
    UINT secondAll = second ? ItemIdListSize(second) : sizeof(USHORT);
    LPITEMIDLIST joined = ItemIdListAlloc(malloc, firstItems + secondAll);
    if (!joined)
        return nullptr;
    BYTE* bytes = reinterpret_cast<BYTE*>(joined);
    if (firstItems)
        memcpy(bytes, first, firstItems);
    if (second)
        memcpy(bytes + firstItems, second, secondAll);
    else
        memset(bytes + firstItems, 0, sizeof(USHORT));
    return joined;
}

unsigned long long GetDirSize(const std::string& folder)
{
    unsigned long long total = 0;
    ForEachEntry(Child(folder, "*"), [&](const WIN32_FIND_DATAA& entry) {
        if (!IsFolder(entry)) {
            total += (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        } else if (!IsDotEntry(entry.cFileName) && !IsLink(entry)) {
            total += (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
            total += GetDirSize(Child(folder, entry.cFileName));
        }
    });
    return total;
}

int FastCountFiles(const std::string& folder, unsigned char recurse)
{
    int count = 0;
    ForEachEntry(Child(folder, "*.*"), [&](const WIN32_FIND_DATAA& entry) {
        if (!IsFolder(entry))
            ++count;
        else if (recurse && entry.cFileName[0] != '.' && !IsLink(entry))
            count += FastCountFiles(Child(folder, entry.cFileName), recurse);
    });
    return count;
}

} // namespace file_engines
