// The backup folder's "..." button: the folder dialog opens, and only a chosen folder
// replaces the one in the box.
#include "tests/options/OptionsFixture.h"

#include <thread>

namespace {

// Presses a button of this process's folder dialog from another thread, once it shows.
class FolderDialogAnswer {
public:
    explicit FolderDialogAnswer(int button) : thread_([this, button] { Run(button); }) {}
    ~FolderDialogAnswer() { Wait(); }
    void Wait()
    {
        if (thread_.joinable())
            thread_.join();
    }
    bool answered = false;

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[16] = "";
        GetClassNameA(window, className, sizeof className);
        if (process != GetCurrentProcessId() || !IsWindowVisible(window) || strcmp(className, "#32770") != 0)
            return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    void Run(int button)
    {
        for (int attempt = 0; attempt < 1200; ++attempt) { // a first dialog in a fresh prefix is slow
            HWND dialog = nullptr;
            EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&dialog));
            if (dialog) {
                Sleep(200); // let it settle at its first folder
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
                answered = true;
                return;
            }
            Sleep(50);
        }
    }

    std::thread thread_;
};

class BackupFolderBrowseTest : public OptionsFixture {
protected:
    // Presses "..." with the current directory at the temp folder, where the dialog opens.
    void Browse(int button, TFrame4& frame)
    {
        char previous[MAX_PATH] = "", temp[MAX_PATH] = "";
        GetCurrentDirectoryA(MAX_PATH, previous);
        GetTempPathA(MAX_PATH, temp);
        SetCurrentDirectoryA(temp);
        FolderDialogAnswer answer(button);
        frame.Button7->Click();
        answer.Wait();
        SetCurrentDirectoryA(previous);
        EXPECT_TRUE(answer.answered) << "no folder dialog appeared";
    }
};

TEST_F(BackupFolderBrowseTest, CancelKeepsTheFolder)
{
    TFrame4& frame = Prepare();
    frame.Edit1->SetText("C:\\Kept backups");
    Browse(IDCANCEL, frame);
    EXPECT_EQ(frame.Edit1->Text(), "C:\\Kept backups");
}

TEST_F(BackupFolderBrowseTest, ChosenFolderReplacesIt)
{
    TFrame4& frame = Prepare();
    frame.Edit1->SetText("C:\\Old backups");
    Browse(IDOK, frame);
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    std::string expected(temp);
    if (!expected.empty() && expected.back() == '\\')
        expected.pop_back();
    EXPECT_EQ(lstrcmpiA(frame.Edit1->Text().c_str(), expected.c_str()), 0) << frame.Edit1->Text();
}

} // namespace
