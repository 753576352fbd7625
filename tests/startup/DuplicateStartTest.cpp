// The program started by hand with "/duplicate": the duplicate search cannot run from
// the command line yet, so the program says so and ends, instead of staying behind
// without a window or a tray icon.
#include "shell/OptionsKeys.h"
#include "tests/support/MainFormFixture.h"

#include <gtest/gtest.h>

namespace {

struct Search {
    DWORD process;
    HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char className[16] = "";
    ::GetClassNameA(window, className, sizeof className);
    if (process != search->process || !::IsWindowVisible(window) || lstrcmpA(className, "#32770"))
        return TRUE;
    search->box = window;
    return FALSE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM texts)
{
    char text[512] = "";
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                          &ignored);
    *reinterpret_cast<std::string*>(texts) += std::string(text) + "|";
    return TRUE;
}

TEST(DuplicateStart, SaysItCannotRunYetAndEnds)
{
    testing_support::ClearSettings();
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program = self;
    std::string line = "\"" + program.substr(0, program.find_last_of('\\')) + "\\Tidewrack.exe\" /duplicate";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));

    // Polls for the box; a program that shows none is ended below.
    Search search{child.dwProcessId, nullptr};
    for (int waited = 0; waited < 60000; waited += 100) {
        ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.box || ::WaitForSingleObject(child.hProcess, 100) == WAIT_OBJECT_0)
            break;
    }
    std::string texts;
    if (search.box) {
        ::EnumChildWindows(search.box, CollectText, reinterpret_cast<LPARAM>(&texts));
        ::PostMessageA(search.box, WM_COMMAND, IDOK, 0);
    }
    bool ended = ::WaitForSingleObject(child.hProcess, 30000) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateProcess(child.hProcess, 1);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    testing_support::ClearSettings();

    EXPECT_NE(texts.find("Die Suche nach doppelten Dateien"), std::string::npos) << texts;
    EXPECT_TRUE(ended) << "the program stayed behind";
}

} // namespace
