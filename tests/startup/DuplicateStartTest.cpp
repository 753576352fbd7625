// The program itself started with "/duplicate" on a prepared tree: its duplicates window
// lists exactly the groups of equal files.
#include "shell/OptionsKeys.h"
#include "tests/support/MainFormFixture.h"
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

// A cell of a list view in another process: the text travels through memory there.
std::string Cell(HANDLE process, HWND list, int row, int column)
{
    const SIZE_T textSize = 1024;
    char* remote = static_cast<char*>(
        ::VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = remote + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(textSize);
    char text[textSize] = "";
    DWORD_PTR length = 0;
    if (remote && ::WriteProcessMemory(process, remote, &item, sizeof item, nullptr) &&
        ::SendMessageTimeoutA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                              &length))
        ::ReadProcessMemory(process, remote + sizeof(LVITEMA), text, textSize - 1, nullptr);
    if (remote)
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text;
}

std::string Upper(std::string text)
{
    if (!text.empty())
        ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

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
        for (int row = 0; row < static_cast<int>(count); ++row)
            rows.push_back(Upper(Cell(child.hProcess, list, row, 1) + Cell(child.hProcess, list, row, 0)));
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
