// The program itself started with "/scan" on a prepared tree, deleting at once: the
// files the masks select go, the rest stays, and the main window shows afterwards.
#include "tests/cleaning/ScanTestKit.h"
#include "tests/cleaningui/ScanPagesFixture.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

// The program's main window: shown, with no owner (its dialogs are owned by it).
BOOL CALLBACK FindMainWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && ::IsWindowVisible(window) && !::GetWindow(window, GW_OWNER)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForMainWindow(const PROCESS_INFORMATION& process, DWORD timeoutMs)
{
    for (DWORD waited = 0; waited < timeoutMs; waited += 100) {
        WindowSearch search{process.dwProcessId, nullptr};
        ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (::WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0)
            return nullptr; // ended without showing it
    }
    return nullptr;
}

// The program sits beside the test, in the build's program folder, which the sandbox
// also shows as drive D:.
// The titles of the process's shown windows, to tell what it waits for.
BOOL CALLBACK CollectTitles(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<std::pair<DWORD, std::string>*>(data);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    if (processId == search->first && ::IsWindowVisible(window)) {
        char title[256] = "";
        ::GetWindowTextA(window, title, sizeof title);
        search->second += std::string("[") + title + "]";
    }
    return TRUE;
}

std::string ShownWindows(DWORD processId)
{
    std::pair<DWORD, std::string> search{processId, std::string()};
    ::EnumWindows(CollectTitles, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

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

} // namespace

TEST_F(ScanPagesTest, TheProgramStartedWithScanDeletesTheMaskedFilesAndShowsItsWindow)
{
    const std::string program = ProgramBesideTheTest();
    ASSERT_NE(::GetFileAttributesA(program.c_str()), INVALID_FILE_ATTRIBUTES) << program;
    scan_test::TempTree tree;
    for (const char* folder : {"sub", "keep", "x.twq"})
        tree.Folder(folder);
    tree.File("a.twq");
    tree.File("b.txt");
    tree.File("sub\\c.twq");
    tree.File("keep\\d.twq");
    tree.File("x.twq\\e.txt");

    // The settings as a closing main window leaves them for the new process. The mask is
    // one no other file in the sandbox carries: should the settings be cleared under the
    // new process (another test run in the same sandbox), its drives would be scanned.
    PrepareScan(tree.Root(), {"twq"}, {tree / "keep"}, 4);
    Form1->SaveScanSettings();
    delete Form1;
    Form1 = nullptr;
    std::map<std::string, std::string> drives = Stored(options::driveSettings::Key);
    ASSERT_FALSE(drives.empty());
    for (const auto& drive : drives)
        ASSERT_EQ(drive.second, "0") << drive.first << " would be scanned";
    ASSERT_EQ(Stored(options::addedDirs::Key), (std::map<std::string, std::string>{{tree.Root(), "1"}}));
    ASSERT_EQ(Stored(options::action::Key)["comboboxindex"], "4");
    ASSERT_FALSE(Stored(options::Key)["ShowNetworkMessage"].empty()) << "no first-start box in the new process";

    std::string commandLine = "\"" + program + "\" /scan";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process));
    HWND window = WaitForMainWindow(process, 60000);
    EXPECT_NE(window, nullptr) << "the main window did not show after the scan; shown: "
                               << ShownWindows(process.dwProcessId);
    if (window)
        ::PostMessageA(window, WM_CLOSE, 0, 0);
    bool ended = ::WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(process.hProcess, 1); // never leave it behind
    EXPECT_TRUE(ended) << "the program did not end after its window was closed";
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    EXPECT_FALSE(tree.Exists("a.twq"));
    EXPECT_FALSE(tree.Exists("sub\\c.twq"));
    EXPECT_TRUE(tree.Exists("b.txt"));
    EXPECT_TRUE(tree.Exists("keep\\d.twq"));
    EXPECT_TRUE(tree.Exists("x.twq\\e.txt"));
}
