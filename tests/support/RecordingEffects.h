// A stand-in for the program's effects seam: it records every message box, program
// start, shutdown request and clock reading, answers message boxes from a queue, and
// while installed makes sure nothing leaves the test process.
#pragma once

#include "toolkit/Effects.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct RecordedBox {
    std::string text;
    std::string caption;
    UINT flags;
};

struct RecordedShellOperation {
    UINT function;          // FO_DELETE, FO_COPY, ...
    std::string from;       // the first source
    FILEOP_FLAGS flags;
};

struct RecordedLaunch {
    std::string verb;       // "" for CreateProcess
    std::string file;       // the file, or the whole command line for CreateProcess
    std::string parameters;
};

class RecordingEffects : public effects::Sink {
public:
    RecordingEffects();            // installs itself
    ~RecordingEffects() override;  // restores the real sink

    int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                   UINT flags) override;
    INT_PTR ShellOpen(HWND owner, const std::string& verb, const std::string& file,
                         const std::string& parameters, const std::string& directory,
                         int show) override;
    bool ShellOpenEx(SHELLEXECUTEINFOA& info) override;
    bool StartProcess(const std::string& commandLine, const std::string& directory, bool wait,
                       DWORD* exitCode, DWORD waitLimit) override;
    bool ShutDown(UINT flags) override;
    void EndProcess(UINT exitCode) override;
    SYSTEMTIME Now() override;
    bool ShowFileDialog(OPENFILENAMEA& dialog, bool save) override;
    bool ShowPrintDialog(PRINTDLGA& dialog) override;
    LPITEMIDLIST ShowFolderDialog(BROWSEINFOA& info) override;
    int ShellFileOperation(SHFILEOPSTRUCTA& operation) override;

    // Answers given to the next message boxes and questions of the shell, in order; when
    // empty a box is answered with IDOK for OK boxes and IDYES/IDNO per defaultAnswer
    // otherwise.
    std::deque<int> answers;
    // Runs while a box shows, before it is answered (a test can act at that moment).
    std::function<void(const std::string& text)> onBox;
    int defaultAnswer = IDYES;
    bool launchSucceeds = true;
    DWORD processExitCode = 0;     // what a program started and waited for ends with
    bool shutDownSucceeds = true;  // what ShutDown answers
    SYSTEMTIME clock{};            // returned by Now() when clockSet
    bool clockSet = false;

    std::vector<RecordedBox> boxes;
    // Each shell file operation is recorded. One that would ask (no FOF_NOCONFIRMATION)
    // takes the next answer: Yes carries it out without the shell's box, No aborts it as
    // the user's No in that box would. No shell error box is ever shown.
    std::vector<RecordedShellOperation> shellOperations;
    std::vector<RecordedLaunch> launches;
    std::vector<UINT> exitRequests;
    std::vector<UINT> processEnds; // exit codes asked for; the test process goes on

    // File dialogs: each one asked is recorded (its title and whether it saves) and
    // answered with the next name here, or cancelled when none is left.
    struct RecordedFileDialog {
        std::string title;
        std::string filter;
        bool save;
    };
    std::deque<std::string> fileDialogAnswers;
    std::vector<RecordedFileDialog> fileDialogs;
    bool printDialogAnswer = false;
    int printDialogs = 0;

    // Folder dialogs: each one asked is recorded (its title, and the folder it opens at
    // when its callback is given one) and answered with the next folder here, or
    // cancelled when none is left.
    struct RecordedFolderDialog {
        std::string title;
        std::string startFolder;
        BFFCALLBACK callback;
    };
    std::deque<std::string> folderDialogAnswers;
    std::vector<RecordedFolderDialog> folderDialogs;
};

} // namespace testing_support
