// The program itself started with "/duplicate" on a prepared tree: its duplicates window
// lists exactly the groups of equal files. That window, and the found-files window of a
// listing "/scan" start, stay while a scheduled task falls due.
#include "pageparts/LocaleTime.h"
#include "common/OptionsKeys.h"
#include "tests/support/ChildProgram.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/OtherProcess.h"
#include "tests/support/TempFolder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Search {
    DWORD process;
    const char* title;
    HWND window;
};

BOOL CALLBACK FindResultWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char title[128] = "";
    ::GetWindowTextA(window, title, sizeof title);
    if (process != search->process || !::IsWindowVisible(window) || lstrcmpA(title, search->title))
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

// The program started with arguments ("/duplicate/" unless told) on the settings stored
// now, until its result window shows (or it ends); ended when this goes.
class SearchProcess {
public:
    explicit SearchProcess(const char* arguments = "/duplicate/", const char* title = "Doppelte Dateien")
        : program_(CommandLine(arguments))
    {
        Search search{program_.Id(), title, nullptr};
        for (int waited = 0; program_.Started() && waited < 120000 && !search.window; waited += 100) {
            ::EnumWindows(FindResultWindow, reinterpret_cast<LPARAM>(&search));
            if (!Running(100))
                break;
        }
        window_ = search.window;
    }

    HWND Window() const { return window_; }
    HANDLE Process() const { return program_.Handle(); }
    // True when the process still runs after waiting up to `milliseconds` for its end.
    bool Running(DWORD milliseconds) const { return program_.Started() && !program_.WaitForEnd(milliseconds); }

private:
    static std::string CommandLine(const char* arguments)
    {
        char self[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, self, MAX_PATH);
        const std::string program = self;
        return "\"" + program.substr(0, program.find_last_of('\\')) + "\\Tidewrack.exe\" " + arguments;
    }

    testing_support::ChildProgram program_;
    HWND window_ = nullptr;
};

// The local time so many seconds from now.
SYSTEMTIME LocalTimeIn(int seconds)
{
    SYSTEMTIME now;
    FILETIME moment;
    ::GetLocalTime(&now);
    ::SystemTimeToFileTime(&now, &moment);
    ULARGE_INTEGER ticks{{moment.dwLowDateTime, moment.dwHighDateTime}};
    ticks.QuadPart += seconds * 10000000ull;
    moment = {ticks.LowPart, ticks.HighPart};
    ::FileTimeToSystemTime(&moment, &now);
    return now;
}

// The stored settings every start here uses: the locations of the search and of the scan
// (which lists what it finds), and the search's criterion.
void StoreSearchSettings(const std::string& location)
{
    testing_support::ClearSettings();
    testing_support::StoreSetting(options::addedDuplicateDirs::Key, location, "1");
    testing_support::StoreSetting(options::addedDirs::Key, location, "1");
    testing_support::StoreSetting(options::scanDoubleSettings::Key, options::scanDoubleSettings::ScanByte, "1");
    testing_support::StoreSetting(options::Key, options::ShowNetworkMessage, "done");
}

TEST(DuplicateStart, ListsExactlyTheEqualGroups)
{
    testing_support::TempFolder tree;
    ::CreateDirectoryA((tree / "sub").c_str(), nullptr);
    for (const char* name : {"a1", "a2", "sub\\a3"})
        testing_support::WriteFileText(tree / name, "AAAA");
    testing_support::WriteFileText(tree / "d", "BBBB"); // the same size, other bytes
    testing_support::WriteFileText(tree / "e1", "xyzxyz");
    testing_support::WriteFileText(tree / "sub\\e2", "xyzxyz");
    testing_support::WriteFileText(tree / "alone", "q");
    StoreSearchSettings(tree.Path());

    std::vector<std::string> rows;
    {
        SearchProcess search;
        ASSERT_TRUE(search.Window()) << "no duplicates window";
        HWND list = nullptr;
        // The rows are filled right after the window shows; wait until they are there.
        for (int waited = 0; waited < 30000; waited += 100) {
            ::EnumChildWindows(search.Window(), FindList, reinterpret_cast<LPARAM>(&list));
            DWORD_PTR count = 0;
            if (list && ::SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count) && count)
                break;
            search.Running(100);
        }
        DWORD_PTR count = 0;
        ::SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
        const std::vector<std::string> folders = ListColumn(search.Process(), list, 1, static_cast<int>(count));
        const std::vector<std::string> names = ListColumn(search.Process(), list, 0, static_cast<int>(count));
        for (size_t row = 0; row < folders.size() && row < names.size(); ++row)
            rows.push_back(Upper(folders[row] + names[row]));
    }
    testing_support::ClearSettings();

    std::vector<std::string> expected = {Upper(tree / "a1"), Upper(tree / "a2"), Upper(tree / "sub\\a3"), "",
                                         Upper(tree / "e1"), Upper(tree / "sub\\e2"), ""};
    EXPECT_EQ(rows, expected);
}

// A second start that holds a result window -- the duplicates of a search, the found
// files of a listing scan -- does not start a scheduled scan that falls due while the
// window is open, nor close the window.
TEST(DuplicateStart, ATaskDueMeanwhileLeavesTheWindowOpen)
{
    struct Start {
        const char* arguments;
        const char* title;
    };
    for (const Start& start : {Start{"/duplicate/", "Doppelte Dateien"},
                               Start{"/scan", "Folgende Dateien wurden gefunden"}}) {
        testing_support::TempFolder tree;
        testing_support::WriteFileText(tree / "a1", "AAAA");
        StoreSearchSettings(tree.Path());
        // Once, four seconds from now, about when the window shows; it stays due five seconds.
        const DWORD dueTick = ::GetTickCount() + 4000;
        testing_support::StoreSetting(options::tasks::Key, options::tasks::Task, "2");
        testing_support::StoreSetting(options::tasks::Key, options::tasks::DateTime,
                                      locale_time::DateTimeText(LocalTimeIn(4)));

        SearchProcess search(start.arguments, start.title);
        ASSERT_TRUE(search.Window()) << start.arguments << ": no result window";
        DWORD shown = ::GetTickCount();
        ASSERT_LT(shown, dueTick + 3000) << start.arguments << ": the window came too late to see the task fall due";
        // Two ticks of the main window's timer into the five due seconds.
        search.Running(static_cast<DWORD>(std::max(shown, dueTick) + 2500 - shown));
        EXPECT_TRUE(search.Running(0)) << start.arguments << ": the process ended";
        EXPECT_TRUE(::IsWindow(search.Window())) << start.arguments;
        EXPECT_FALSE(testing_support::StoredSetting(options::tasks::Key, options::tasks::LastRun))
            << start.arguments << ": the task started";
        testing_support::ClearSettings();
    }
}

} // namespace
