#include "shell/ShellHelpers.h"

#include "toolkit/Effects.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

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

namespace {

// Answers the folder-selection dialog of this process from another thread: presses a
// button and keeps the texts that the dialog showed.
class DialogAnswerer {
public:
    explicit DialogAnswerer(int button) : thread_([this, button] { Run(button); }) {}
    ~DialogAnswerer() { Join(); }
    void Join()
    {
        if (thread_.joinable())
            thread_.join();
    }
    std::string texts;
    bool found = false;

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM result)
    {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        char className[32] = "";
        ::GetClassNameA(window, className, sizeof className);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window) && !strcmp(className, "#32770")) {
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        }
        return TRUE;
    }
    static BOOL CALLBACK CollectText(HWND child, LPARAM texts)
    {
        char text[256] = "";
        ::GetWindowTextA(child, text, sizeof text);
        *reinterpret_cast<std::string*>(texts) += std::string(text) + "|";
        return TRUE;
    }
    void Run(int button)
    {
        for (int attempt = 0; attempt < 1200; ++attempt) { // the first dialog of a fresh session is slow
            HWND dialog = nullptr;
            ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
            if (dialog) {
                ::Sleep(200); // let the dialog settle at its first folder
                ::EnumChildWindows(dialog, CollectText, reinterpret_cast<LPARAM>(&texts));
                found = true;
                ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                return;
            }
            ::Sleep(50);
        }
    }
    std::thread thread_;
};

// Runs the dialog with the current directory at the temp folder.
bool Browse(int languageFlag, int button, std::string& path, std::string& texts)
{
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::SetCurrentDirectoryA(TempFolder().c_str());
    DialogAnswerer answerer(button);
    bool picked = BrowseDirectory(languageFlag, path);
    answerer.Join();
    ::SetCurrentDirectoryA(previous);
    texts = answerer.texts;
    EXPECT_TRUE(answerer.found) << "no folder dialog appeared";
    return picked;
}

} // namespace

TEST(BrowseDirectory, OkReturnsTheFolderItOpenedAt)
{
    ComApartment com;
    std::string path = "unchanged", texts;
    EXPECT_TRUE(Browse(0, IDOK, path, texts));
    EXPECT_EQ(Upper(WithoutTrailingSeparator(path)), Upper(TempFolder()));
    EXPECT_NE(texts.find("|Search folder|"), std::string::npos) << texts;
}

TEST(BrowseDirectory, CancelLeavesThePathAlone)
{
    ComApartment com;
    std::string path = "unchanged", texts;
    EXPECT_FALSE(Browse(1, IDCANCEL, path, texts));
    EXPECT_EQ(path, "unchanged");
    EXPECT_NE(texts.find("|Ordner suchen|"), std::string::npos) << texts;
}
