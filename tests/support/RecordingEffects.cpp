#include "RecordingEffects.h"

#include <cstring>

namespace testing_support {

RecordingEffects::RecordingEffects() { effects::SetSink(this); }

RecordingEffects::~RecordingEffects() { effects::SetSink(nullptr); }

int RecordingEffects::ShowMessageBox(HWND, const std::string& text, const std::string& caption,
                                 UINT flags)
{
    if (onBox)
        onBox(text);
    boxes.push_back({text, caption, flags});
    if (!answers.empty()) {
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    UINT buttons = flags & MB_TYPEMASK;
    if (buttons == MB_OK)
        return IDOK;
    if (buttons == MB_OKCANCEL)
        return defaultAnswer == IDYES ? IDOK : IDCANCEL;
    return defaultAnswer;
}

INT_PTR RecordingEffects::ShellOpen(HWND, const std::string& verb, const std::string& file,
                                       const std::string& parameters, const std::string&, int)
{
    launches.push_back({verb, file, parameters});
    return launchSucceeds ? 42 : SE_ERR_FNF;
}

bool RecordingEffects::ShellOpenEx(SHELLEXECUTEINFOA& info)
{
    launches.push_back({info.lpVerb ? info.lpVerb : "", info.lpFile ? info.lpFile : "",
                        info.lpParameters ? info.lpParameters : ""});
    info.hProcess = nullptr;
    return launchSucceeds;
}

bool RecordingEffects::StartProcess(const std::string& commandLine, const std::string&, bool,
                                     DWORD* exitCode, DWORD)
{
    launches.push_back({"", commandLine, ""});
    if (exitCode)
        *exitCode = processExitCode;
    return launchSucceeds;
}

bool RecordingEffects::ShutDown(UINT flags)
{
    exitRequests.push_back(flags);
    return shutDownSucceeds;
}

void RecordingEffects::EndProcess(UINT exitCode) { processEnds.push_back(exitCode); }

SYSTEMTIME RecordingEffects::Now()
{
    return clockSet ? clock : effects::Sink::Now();
}

bool RecordingEffects::ShowFileDialog(OPENFILENAMEA& dialog, bool save)
{
    std::string filter;
    if (dialog.lpstrFilter)
        for (const char* part = dialog.lpstrFilter; *part; part += strlen(part) + 1)
            filter += std::string(part) + "|";
    fileDialogs.push_back({dialog.lpstrTitle ? dialog.lpstrTitle : "", filter, save});
    if (fileDialogAnswers.empty() || !dialog.lpstrFile || dialog.nMaxFile == 0)
        return false;
    lstrcpynA(dialog.lpstrFile, fileDialogAnswers.front().c_str(), dialog.nMaxFile);
    fileDialogAnswers.pop_front();
    return true;
}

bool RecordingEffects::ShowPrintDialog(PRINTDLGA&)
{
    ++printDialogs;
    return printDialogAnswer;
}

LPITEMIDLIST RecordingEffects::ShowFolderDialog(BROWSEINFOA& info)
{
    folderDialogs.push_back({info.lpszTitle ? info.lpszTitle : "",
                             info.lParam ? reinterpret_cast<const char*>(info.lParam) : "", info.lpfn});
    if (folderDialogAnswers.empty())
        return nullptr;
    std::string folder = folderDialogAnswers.front();
    folderDialogAnswers.pop_front();
    // The answer as the dialog gives it: an item-ID list from the shell's allocator.
    std::wstring wide(folder.size() + 1, L'\0');
    wide.resize(::MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, &wide[0], static_cast<int>(wide.size())));
    IShellFolder* desktop = nullptr;
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(::SHGetDesktopFolder(&desktop))) {
        desktop->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &list, nullptr);
        desktop->Release();
    }
    return list;
}

int RecordingEffects::ShellFileOperation(SHFILEOPSTRUCTA& operation)
{
    shellOperations.push_back({operation.wFunc, operation.pFrom ? operation.pFrom : "", operation.fFlags});
    if (!(operation.fFlags & FOF_NOCONFIRMATION)) {
        int answer = defaultAnswer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        if (answer != IDYES) {
            operation.fAnyOperationsAborted = TRUE;
            return ERROR_CANCELLED;
        }
    }
    SHFILEOPSTRUCTA quiet = operation;
    quiet.fFlags |= FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    int result = ::SHFileOperationA(&quiet);
    operation.fAnyOperationsAborted = quiet.fAnyOperationsAborted;
    return result;
}

} // namespace testing_support
