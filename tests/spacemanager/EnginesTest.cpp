// Folder sizes, the wipe's refusals and the folder monitor, on temporary folders.
#include "spacemanager/DirMonitor.h"
#include "spacemanager/FolderSizing.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSymlink.h"

#include <gtest/gtest.h>

#include <shlobj.h>

using testing_support::TempFolder;
using testing_support::WriteFileText;

namespace {

void MakeFolder(const std::string& path) { ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path; }

// Waits for a message of the thread's queue, up to a generous limit (a failing test
// ends instead of hanging).
bool WaitForNotice(HWND window)
{
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < 20000) {
        if (PeekMessageA(&message, window, WM_DIRCHANGED, WM_DIRCHANGED, PM_REMOVE))
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_POSTMESSAGE);
    }
    return false;
}

class MessageWindow {
public:
    MessageWindow() : handle(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~MessageWindow() { DestroyWindow(handle); }
    HWND handle;
};

} // namespace

TEST(FolderSizing, LinksAreTheirOwnEntryAndTheWalkCanStop)
{
    TempFolder base;
    MakeFolder(base / "tree");
    MakeFolder(base / "tree\\sub");
    MakeFolder(base / "outside");
    WriteFileText(base / "tree\\a", std::string(100, 'a'));
    WriteFileText(base / "tree\\sub\\b", std::string(50, 'b'));
    WriteFileText(base / "outside\\big", std::string(5000, 'x'));
    ASSERT_TRUE(testing_support::MakeUnixSymlink(base / "tree\\link", base / "outside"));

    bool complete = false;
    const uint64_t size = MeasureFolder(base / "tree", nullptr, complete);
    testing_support::RemoveUnixSymlink(base / "tree\\link");
    EXPECT_TRUE(complete);
    EXPECT_LT(size, 5000u);
    EXPECT_GE(size, 150u);

    int asked = 0;
    MeasureFolder(base / "tree", [&] { return ++asked < 2; }, complete);
    EXPECT_FALSE(complete);
    EXPECT_EQ(2, asked);
}

TEST(FolderSizing, OnlyFileSystemDirectoriesAreFolders)
{
    struct Case { ULONG shell; const char* name; bool found; DWORD attributes; ItemKind kind; };
    const Case cases[] = {
        {SFGAO_FOLDER | SFGAO_STREAM | SFGAO_FILESYSTEM, "C:\\a.zip", true, FILE_ATTRIBUTE_ARCHIVE, ItemKind::File},
        {SFGAO_FOLDER | SFGAO_FILESYSTEM, "C:\\a.cab", true, FILE_ATTRIBUTE_ARCHIVE, ItemKind::File},
        {SFGAO_FOLDER | SFGAO_FILESYSTEM, "C:\\dir", true, FILE_ATTRIBUTE_DIRECTORY, ItemKind::Folder},
        {SFGAO_FOLDER | SFGAO_FILESYSTEM, "C:\\link", true, FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT,
         ItemKind::Link},
        {SFGAO_FOLDER | SFGAO_FILESYSTEM, "D:\\", true, FILE_ATTRIBUTE_DIRECTORY, ItemKind::Drive},
        {SFGAO_FOLDER, "::{21EC2020-3AEA-1069-A2DD-08002B30309D}", false, 0, ItemKind::Virtual},
        {SFGAO_FILESYSTEM, "C:\\a.txt", true, 0, ItemKind::File},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.kind, ClassifyItem(c.shell, c.name, c.found, c.attributes)) << c.name;
    EXPECT_EQ(0u, DriveUsedBytes("A:\\"));
    EXPECT_GT(DriveUsedBytes("C:\\"), 0u);
}

TEST(DirMonitor, ABurstOfChangesPostsOneNoticeUntilTaken)
{
    TempFolder folder;
    MessageWindow window;
    TDirMonitorThread monitor(window.handle, folder.Path());
    ASSERT_TRUE(monitor.Running());
    for (int i = 0; i < 20; ++i)
        WriteFileText(folder / ("f" + std::to_string(i)), "x");
    ASSERT_TRUE(WaitForNotice(window.handle));
    // Later changes of the burst wait for the window to take this notice.
    WriteFileText(folder / "late", "x");
    EXPECT_EQ(1u, monitor.NoticesPosted());
    monitor.Acknowledge();
    DeleteFileA((folder / "late").c_str());
    EXPECT_TRUE(WaitForNotice(window.handle));
    EXPECT_GE(monitor.NoticesPosted(), 2u);
}

TEST(DirMonitor, AVirtualFolderStartsNoThread)
{
    MessageWindow window;
    TDirMonitorThread monitor(window.handle, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_FALSE(monitor.Running());
}
