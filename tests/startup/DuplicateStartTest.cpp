// The program itself started with "/duplicate" on a prepared tree: its duplicates window
// lists exactly the groups of equal files.
#include "shell/OptionsKeys.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/OtherProcess.h"
#include "tests/support/TempFolder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

struct Search {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindDuplicatesWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char title[128] = "";
    ::GetWindowTextA(window, title, sizeof title);
    if (process != search->process || !::IsWindowVisible(window) || lstrcmpA(title, "Doppelte Dateien"))
        return TRUE;
    search->window = window;
    return FALSE;
}

BOOL CALLBACK FindList(HWND child, LPARAM data)
{
    char className[32] = "";
    ::GetClassNameA(child, className, sizeof className);
    if (lstrcmpA(className, WC_LISTVIEWA))
        return TRUE;
    *reinterpret_cast<HWND*>(data) = child;
    return FALSE;
}

using testing_support::ListColumn;
using testing_support::Upper;

TEST(DuplicateStart, ListsExactlyTheEqualGroups)
{
    testing_support::ClearSettings();
    testing_support::TempFolder tree;
    ::CreateDirectoryA((tree / "sub").c_str(), nullptr);
    for (const char* name : {"a1", "a2", "sub\\a3"})
        testing_support::WriteFileText(tree / name, "AAAA");
    testing_support::WriteFileText(tree / "d", "BBBB"); // the same size, other bytes
    testing_support::WriteFileText(tree / "e1", "xyzxyz");
    testing_support::WriteFileText(tree / "sub\\e2", "xyzxyz");
    testing_support::WriteFileText(tree / "alone", "q");
    testing_support::StoreSetting(options::addedDuplicateDirs::Key, tree.Path(), "1");
    testing_support::StoreSetting(options::scanDoubleSettings::Key, options::scanDoubleSettings::ScanByte, "1");
    testing_support::StoreSetting(options::Key, options::ShowNetworkMessage, "done");

    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program = self;
    std::string line = "\"" + program.substr(0, program.find_last_of('\\')) + "\\Tidewrack.exe\" /duplicate/";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));

    Search search{child.dwProcessId, nullptr};
    for (int waited = 0; waited < 120000 && !search.window; waited += 100) {
        ::EnumWindows(FindDuplicatesWindow, reinterpret_cast<LPARAM>(&search));
        if (::WaitForSingleObject(child.hProcess, 100) == WAIT_OBJECT_0)
            break;
    }
    HWND list = nullptr;
    std::vector<std::string> rows;
    if (search.window) {
        // The rows are filled right after the window shows; wait until they are there.
        for (int waited = 0; waited < 30000; waited += 100) {
            ::EnumChildWindows(search.window, FindList, reinterpret_cast<LPARAM>(&list));
            DWORD_PTR count = 0;
            if (list && ::SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count) && count)
                break;
            ::WaitForSingleObject(child.hProcess, 100);
        }
        DWORD_PTR count = 0;
        ::SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
        const std::vector<std::string> folders = ListColumn(child.hProcess, list, 1, static_cast<int>(count));
        const std::vector<std::string> names = ListColumn(child.hProcess, list, 0, static_cast<int>(count));
        for (size_t row = 0; row < folders.size() && row < names.size(); ++row)
            rows.push_back(Upper(folders[row] + names[row]));
    }
    ::TerminateProcess(child.hProcess, 1);
    ::WaitForSingleObject(child.hProcess, 10000);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    testing_support::ClearSettings();

    ASSERT_TRUE(search.window) << "no duplicates window";
    std::vector<std::string> expected = {Upper(tree / "a1"), Upper(tree / "a2"), Upper(tree / "sub\\a3"), "",
                                         Upper(tree / "e1"), Upper(tree / "sub\\e2"), ""};
    EXPECT_EQ(rows, expected);
}

} // namespace
