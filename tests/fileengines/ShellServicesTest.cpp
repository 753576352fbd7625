#include "fileengines/ShellServices.h"

#include "common/CaseRule.h"
#include "common/ComScope.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace file_engines;

namespace {

std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string TempFolder()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    return WithoutTrailingSeparator(temp);
}

} // namespace

TEST(ShellServices, SpecialFolderPaths)
{
    ComScope com;
    char windows[MAX_PATH];
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(common::UpperCase(SpecialFolder(nullptr, CSIDL_WINDOWS)), common::UpperCase(windows));
    EXPECT_EQ(SpecialFolder(nullptr, CSIDL_DRIVES), "") << "My Computer has no file-system path";
}

TEST(ShellServices, DiskSpaceOfADrive)
{
    ASSERT_TRUE(GetDiskSpaceEx("C:\\"));
    EXPECT_GT(DiskTotal, 0u);
    EXPECT_LE(DiskTotalFree, DiskTotal);
    EXPECT_LE(DiskFreeToCaller, DiskTotal);
    unsigned long long total = DiskTotal;
    EXPECT_FALSE(GetDiskSpaceEx("C:\\no such folder\\"));
    EXPECT_EQ(DiskTotal, total) << "a failure leaves the last figures";
}

TEST(ShellServices, IconAndDisplayNames)
{
    ComScope com;
    SHFILEINFOA info;
    memset(&info, 0x55, sizeof info);
    int icon = GetIcon(TempFolder(), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME | SHGFI_DISPLAYNAME, info);
    EXPECT_EQ(icon, info.iIcon);
    EXPECT_STRNE(info.szDisplayName, "");
    EXPECT_STRNE(info.szTypeName, "");

    IShellFolder* desktop = nullptr;
    ASSERT_EQ(::SHGetDesktopFolder(&desktop), S_OK);
    std::wstring wide;
    for (char c : TempFolder())
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    LPITEMIDLIST item = nullptr;
    ASSERT_EQ(desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &item, nullptr), S_OK);
    EXPECT_EQ(common::UpperCase(GetDisplayName(desktop, item, SHGDN_FORPARSING)), common::UpperCase(TempFolder()));
    EXPECT_EQ(GetDisplayName(nullptr, item, SHGDN_FORPARSING), "");
    ::CoTaskMemFree(item);
    desktop->Release();
}

// The sandbox keeps the host out of reach: no drive Z:, and no host root folder among the
// desktop's items (Wine shows one, "\\?\unix\", unless the prefix removes it).
TEST(ShellServices, TheDesktopOffersNothingOfTheHost)
{
    IShellFolder* desktop = nullptr;
    ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
    IEnumIDList* items = nullptr;
    ASSERT_EQ(desktop->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &items), S_OK);
    LPITEMIDLIST item = nullptr;
    std::vector<std::string> names;
    while (items->Next(1, &item, nullptr) == S_OK) {
        names.push_back(GetDisplayName(desktop, item, SHGDN_FORPARSING));
        CoTaskMemFree(item);
    }
    items->Release();
    desktop->Release();
    for (const std::string& name : names)
        EXPECT_NE(name.rfind("\\\\?\\unix", 0), 0u) << name;
    EXPECT_EQ(GetDriveTypeA("Z:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
}
