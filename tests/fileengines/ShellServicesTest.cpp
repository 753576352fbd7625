#include "fileengines/ShellServices.h"
#include "pageparts/ShellHelpers.h"

#include "tests/support/RecordingEffects.h"
#include "toolkit/Effects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace file_engines;

namespace {

class ComApartment {
public:
    ComApartment() { ::CoInitialize(nullptr); }
    ~ComApartment() { ::CoUninitialize(); }
};

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(::toupper(static_cast<unsigned char>(c)));
    return text;
}

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

// Records what the program asked the shell to open, as a path.
class OpenRecorder : public effects::Sink {
public:
    OpenRecorder() { effects::SetSink(this); }
    ~OpenRecorder() override { effects::SetSink(nullptr); }
    bool ShellOpenEx(SHELLEXECUTEINFOA& info) override
    {
        ++calls;
        mask = info.fMask;
        verb = info.lpVerb ? info.lpVerb : "";
        char path[MAX_PATH] = "";
        if (info.lpIDList && ::SHGetPathFromIDListA(static_cast<LPCITEMIDLIST>(info.lpIDList), path))
            opened = path;
        show = info.nShow;
        return true;
    }
    int calls = 0;
    ULONG mask = 0;
    std::string verb, opened;
    int show = 0;
};

} // namespace

TEST(ShellServices, SpecialFolderPathsAndOpening)
{
    ComApartment com;
    char windows[MAX_PATH];
    ::GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(Upper(SpecialFolder(nullptr, CSIDL_WINDOWS)), Upper(windows));
    EXPECT_EQ(SpecialFolder(nullptr, CSIDL_DRIVES), "") << "My Computer has no file-system path";

    OpenRecorder recorder;
    EXPECT_TRUE(OpenSpecialFolder(CSIDL_WINDOWS));
    EXPECT_EQ(recorder.calls, 1);
    EXPECT_EQ(recorder.mask, static_cast<ULONG>(SEE_MASK_IDLIST));
    EXPECT_EQ(recorder.verb, "open");
    EXPECT_EQ(Upper(recorder.opened), Upper(windows));
    EXPECT_EQ(recorder.show, SW_SHOWNORMAL);
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
    ComApartment com;
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
    EXPECT_EQ(Upper(GetDisplayName(desktop, item, SHGDN_FORPARSING)), Upper(TempFolder()));
    EXPECT_EQ(GetDisplayName(nullptr, item, SHGDN_FORPARSING), "");
    ::CoTaskMemFree(item);
    desktop->Release();
}

// The dialog itself is answered through the effects seam: it opens at the current
// directory, and only a picked folder replaces the path.
TEST(BrowseDirectory, OpensAtTheCurrentFolderAndReturnsOnlyAPickedOne)
{
    ComApartment com;
    testing_support::RecordingEffects effects;
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::SetCurrentDirectoryA(TempFolder().c_str());

    std::string path = "unchanged";
    EXPECT_FALSE(BrowseDirectory(1, path));
    EXPECT_EQ(path, "unchanged");
    effects.folderDialogAnswers.push_back(TempFolder());
    EXPECT_TRUE(BrowseDirectory(0, path));
    ::SetCurrentDirectoryA(previous);

    EXPECT_EQ(Upper(WithoutTrailingSeparator(path)), Upper(TempFolder()));
    ASSERT_EQ(effects.folderDialogs.size(), 2u);
    EXPECT_EQ(effects.folderDialogs[0].title, "Ordner suchen");
    EXPECT_EQ(effects.folderDialogs[1].title, "Search folder");
    EXPECT_EQ(Upper(WithoutTrailingSeparator(effects.folderDialogs[1].startFolder)), Upper(TempFolder()));
    EXPECT_EQ(effects.folderDialogs[1].callback, &BrowseCallback);
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
