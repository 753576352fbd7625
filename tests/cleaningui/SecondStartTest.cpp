// The program itself started with "/scan" on a prepared tree: listing, it shows exactly
// the files the masks select; deleting at once (to the recycle bin or for good), it
// deletes exactly those. Files in an excluded folder and in the recycle folder stay, and
// nothing else in the scanned folders changes.
#include "tests/cleaning/ScanTestKit.h"
#include "tests/cleaningui/ScanPagesFixture.h"
#include "tests/support/ChildProgram.h"
#include "tests/support/OtherProcess.h"
#include "tests/support/TempFolder.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <set>

namespace {

using testing_support::ChildProgram;
using testing_support::ListColumn;
using testing_support::Upper;

// Every file and folder below root (upper case, as the shell may spell the root otherwise).
void Snapshot(const std::string& root, std::set<std::string>& paths)
{
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((root + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        paths.insert(Upper(root + "\\" + name));
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Snapshot(root + "\\" + name, paths);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

struct ShownWindow {
    HWND handle;
    std::string className;
    std::string title;
    bool owned;
};

BOOL CALLBACK CollectShown(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<std::pair<DWORD, std::vector<ShownWindow>>*>(data);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId == search->first && ::IsWindowVisible(window)) {
        char className[64] = "", title[256] = "";
        ::GetClassNameA(window, className, sizeof className);
        ::GetWindowTextA(window, title, sizeof title);
        search->second.push_back({window, className, title, ::GetWindow(window, GW_OWNER) != nullptr});
    }
    return TRUE;
}

// The process's shown top-level windows.
std::vector<ShownWindow> ShownWindows(DWORD processId)
{
    std::pair<DWORD, std::vector<ShownWindow>> search{processId, {}};
    ::EnumWindows(CollectShown, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::string Describe(const std::vector<ShownWindow>& windows)
{
    std::string text;
    for (const ShownWindow& window : windows)
        text += "[" + window.className + ":" + window.title + "]";
    return text;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM data)
{
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

std::vector<HWND> Descendants(HWND window)
{
    std::vector<HWND> children;
    ::EnumChildWindows(window, CollectChildren, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string TextOf(HWND window)
{
    char text[1024] = "";
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                          &ignored);
    return text;
}

// The texts of a message box of another process: its caption and its controls'.
std::string BoxText(HWND box)
{
    std::string text = TextOf(box);
    for (HWND child : Descendants(box))
        text += "|" + TextOf(child);
    return text;
}

// The program sits beside the test, in the build's program folder, which the sandbox
// also shows as drive D:.
std::string ProgramBesideTheTest()
{
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    std::string beside = path.substr(0, path.find_last_of('\\')) + "\\Tidewrack.exe";
    if (::GetFileAttributesA(beside.c_str()) != INVALID_FILE_ATTRIBUTES)
        return beside;
    return "D:\\Tidewrack.exe";
}

// Waits for a shown window of the process that the predicate accepts; null when the
// process ends or the time runs out first.
template <typename Accept>
HWND WaitForWindow(const ChildProgram& program, DWORD timeoutMs, Accept accept)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        for (const ShownWindow& window : ShownWindows(program.Id()))
            if (accept(window))
                return window.handle;
        if (program.WaitForEnd(100))
            return nullptr;
    }
    return nullptr;
}

// The program's main window: shown, with no owner (its dialogs are owned by it), not a box.
bool IsMainWindow(const ShownWindow& window)
{
    return !window.owned && window.className != "#32770";
}

const char* const foundFilesTitle = "Folgende Dateien wurden gefunden";

int RecycleBinItems()
{
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(::SHQueryRecycleBinA(nullptr, &info)))
        return -1;
    return static_cast<int>(info.i64NumItems);
}

class SecondStartTest : public ScanPagesTest {
protected:
    void SetUp() override
    {
        ScanPagesTest::SetUp();
        for (const char* folder : {"sub", "keep", "x.twq", "noprogram"})
            tree.Folder(folder);
        tree.File("a.twq");
        tree.File("b.txt");
        tree.File("sub\\c.twq");
        tree.File("keep\\d.twq");
        tree.File("x.twq\\e.txt");

        // The recycle folder counts as excluded only at a drive's root.
        recycleCreated = ::CreateDirectoryA(recycleRoot, nullptr) != FALSE;
        ASSERT_TRUE(recycleCreated || ::GetLastError() == ERROR_ALREADY_EXISTS);
        testing_support::RemoveTree(recycleFolder);
        ASSERT_TRUE(::CreateDirectoryA(recycleFolder.c_str(), nullptr));
        testing_support::WriteFileText(recycleFolder + "\\f.twq", "x");
    }

    void TearDown() override
    {
        testing_support::RemoveTree(recycleFolder);
        if (recycleCreated)
            ::RemoveDirectoryA(recycleRoot);
        ScanPagesTest::TearDown();
    }

    // The settings as a closing main window leaves them for the new process: the tree and
    // the folder in the recycle folder as the checked locations, the drives unchecked. The
    // mask is one no other file in the sandbox carries: should the settings be cleared
    // under the new process (another test run in the same sandbox), its drives would be
    // scanned. The program's folder holds no program, so that closing the found-files
    // window cannot start another copy; the program reports that and shows its main window.
    void PrepareSecondStart(int mode)
    {
        PrepareScan(tree.Root(), {"twq"}, {tree / "keep"}, mode);
        ASSERT_TRUE(Form1->FindPidlShellFolder(recycleFolder, true));
        Form1->SaveScanSettings();
        delete Form1;
        Form1 = nullptr;
        Store(options::Key, options::InstallDir, tree / "noprogram");
        std::map<std::string, std::string> drives = Stored(options::driveSettings::Key);
        ASSERT_FALSE(drives.empty());
        for (const auto& drive : drives)
            ASSERT_EQ(drive.second, "0") << drive.first << " would be scanned";
        ASSERT_EQ(Stored(options::addedDirs::Key),
                  (std::map<std::string, std::string>{{tree.Root(), "1"}, {recycleFolder, "1"}}));
        ASSERT_EQ(Stored(options::action::Key)["comboboxindex"], std::to_string(mode));
        ASSERT_FALSE(Stored(options::Key)["ShowNetworkMessage"].empty()) << "no first-start box in the new process";
        Snapshot(tree.Root(), before);
        Snapshot(recycleFolder, before);
    }

    std::string CommandLine() const { return "\"" + ProgramBesideTheTest() + "\" /scan"; }

    // Closes the main window once no box is up, closes boxes (recording their texts),
    // until the program ends.
    void CloseUntilEnded(const ChildProgram& program, DWORD timeoutMs)
    {
        for (DWORD waited = 0; waited < timeoutMs && !program.WaitForEnd(0); waited += 200) {
            std::vector<ShownWindow> shown = ShownWindows(program.Id());
            bool boxUp = false;
            for (const ShownWindow& window : shown)
                if (window.className == "#32770") {
                    boxUp = true;
                    std::string text = BoxText(window.handle);
                    if (std::find(boxes.begin(), boxes.end(), text) == boxes.end())
                        boxes.push_back(text);
                    ::PostMessageA(window.handle, WM_CLOSE, 0, 0);
                }
            if (!boxUp)
                for (const ShownWindow& window : shown)
                    if (IsMainWindow(window) && window.title != foundFilesTitle) {
                        mainWindowSeen = true;
                        ::PostMessageA(window.handle, WM_CLOSE, 0, 0);
                    }
            program.WaitForEnd(200);
        }
        EXPECT_TRUE(program.WaitForEnd(0)) << "the program did not end; shown: "
                                           << Describe(ShownWindows(program.Id()));
    }

    // Runs a deleting start: the main window shows after the scan and ends the program.
    void RunDeletingStart()
    {
        ChildProgram program(CommandLine());
        ASSERT_TRUE(program.Started());
        HWND window = WaitForWindow(program, 60000, IsMainWindow);
        EXPECT_NE(window, nullptr) << "the main window did not show after the scan; shown: "
                                   << Describe(ShownWindows(program.Id()));
        CloseUntilEnded(program, 30000);
        EXPECT_TRUE(boxes.empty()) << boxes.front();
        EXPECT_EQ(program.EndItsChildren(), 0) << "the program started another copy";
    }

    // What is in the scanned folders now, against before less what should have gone.
    void ExpectOnlyGone(const std::vector<std::string>& gone)
    {
        std::set<std::string> expected = before, after;
        for (const std::string& relative : gone)
            expected.erase(Upper(tree / relative));
        Snapshot(tree.Root(), after);
        Snapshot(recycleFolder, after);
        EXPECT_EQ(after, expected);
        EXPECT_TRUE(tree.Exists("keep\\d.twq")) << "excluded folder";
        EXPECT_TRUE(testing_support::Exists(recycleFolder + "\\f.twq")) << "recycle folder";
    }

    scan_test::TempTree tree;
    const char* const recycleRoot = "C:\\RECYCLED";
    const std::string recycleFolder = std::string(recycleRoot) + "\\TidewrackSecondStart";
    bool recycleCreated = false;
    std::set<std::string> before;
    std::vector<std::string> boxes;
    bool mainWindowSeen = false;
};

} // namespace

TEST_F(SecondStartTest, DeletingForGoodRemovesExactlyTheMaskedFiles)
{
    PrepareSecondStart(4);
    RunDeletingStart();
    ExpectOnlyGone({"a.twq", "sub\\c.twq"});
}

TEST_F(SecondStartTest, DeletingToTheRecycleBinMovesExactlyTheMaskedFilesThere)
{
    PrepareSecondStart(1);
    const int binBefore = RecycleBinItems();
    RunDeletingStart();
    ExpectOnlyGone({"a.twq", "sub\\c.twq"});
    ASSERT_GE(binBefore, 0);
    EXPECT_EQ(RecycleBinItems(), binBefore + 2) << "the files are in the recycle bin, not deleted for good";
}

TEST_F(SecondStartTest, ListingShowsExactlyTheMaskedFilesAndDeletesNothing)
{
    PrepareSecondStart(0);
    ChildProgram program(CommandLine());
    ASSERT_TRUE(program.Started());
    HWND dialog = WaitForWindow(program, 60000, [](const ShownWindow& window) {
        return window.title == foundFilesTitle;
    });
    ASSERT_NE(dialog, nullptr) << "the found-files window did not show; shown: "
                               << Describe(ShownWindows(program.Id()));
    HWND list = nullptr;
    for (HWND child : Descendants(dialog)) {
        char className[64] = "";
        ::GetClassNameA(child, className, sizeof className);
        if (!lstrcmpiA(className, WC_LISTVIEWA) && ::IsWindowVisible(child))
            list = child;
    }
    ASSERT_NE(list, nullptr);
    DWORD_PTR rows = 0;
    ASSERT_TRUE(::SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &rows));
    EXPECT_EQ(rows, 3u);
    std::vector<std::string> paths = ListColumn(program.Handle(), list, 1, static_cast<int>(rows));
    for (std::string& path : paths)
        path = Upper(path);
    std::sort(paths.begin(), paths.end());
    // A folder named like junk is listed for the user to decide.
    EXPECT_EQ(paths, (std::vector<std::string>{Upper(tree / "a.twq"), Upper(tree / "sub\\c.twq"),
                                               Upper(tree / "x.twq")}));

    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    CloseUntilEnded(program, 60000);
    EXPECT_EQ(program.EndItsChildren(), 0) << "the program started another copy";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Tidewrack konnte nicht neu gestartet werden:"), std::string::npos) << boxes[0];
    EXPECT_TRUE(mainWindowSeen) << "without a new copy the program shows its own main window";
    ExpectOnlyGone({});
}
