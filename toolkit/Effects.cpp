#include "Effects.h"

namespace effects {

int Sink::ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

INT_PTR Sink::ShellOpen(HWND owner, const std::string& verb, const std::string& file,
                           const std::string& parameters, const std::string& directory, int show)
{
    auto orNull = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
    return reinterpret_cast<INT_PTR>(::ShellExecuteA(owner, orNull(verb), file.c_str(),
                                                     orNull(parameters), orNull(directory), show));
}

bool Sink::ShellOpenEx(SHELLEXECUTEINFOA& info)
{
    return ::ShellExecuteExA(&info) != FALSE;
}

bool Sink::StartProcess(const std::string& commandLine, const std::string& directory, bool wait,
                         DWORD* exitCode, DWORD waitLimit)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = commandLine; // CreateProcessA may write into its command line
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                          directory.empty() ? nullptr : directory.c_str(), &startup, &process))
        return false;
    if (wait) {
        ::WaitForSingleObject(process.hProcess, waitLimit);
        if (exitCode)
            ::GetExitCodeProcess(process.hProcess, exitCode);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

bool Sink::ShutDown(UINT flags)
{
    HANDLE token = nullptr;
    if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges{};
        privileges.PrivilegeCount = 1;
        privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (::LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
            ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        ::CloseHandle(token);
    }
    return ::ExitWindowsEx(flags, 0) != FALSE;
}

void Sink::EndProcess(UINT exitCode)
{
    ::ExitProcess(exitCode);
}

SYSTEMTIME Sink::Now()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now;
}

bool Sink::ShowFileDialog(OPENFILENAMEA& dialog, bool save)
{
    return (save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog)) != FALSE;
}

bool Sink::ShowPrintDialog(PRINTDLGA& dialog)
{
    return ::PrintDlgA(&dialog) != FALSE;
}

LPITEMIDLIST Sink::ShowFolderDialog(BROWSEINFOA& info)
{
    return ::SHBrowseForFolderA(&info);
}

int Sink::ShellFileOperation(SHFILEOPSTRUCTA& operation)
{
    return ::SHFileOperationA(&operation);
}

namespace {
Sink realSink;
Sink* current = &realSink;
}

Sink& Current() { return *current; }

void SetSink(Sink* sink) { current = sink ? sink : &realSink; }

} // namespace effects
