// The one place through which the program reaches effects that leave the process or
// wait for the user: message boxes and dialogs, the shell's file operations (which may ask
// questions of their own), starting programs and documents, shutting the computer down, and
// the wall clock. The program always calls these; tests install a
// recording sink so that no test opens a box, starts a program or powers anything off.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>
#include <string>

namespace effects {

class Sink {
public:
    virtual ~Sink() = default;
    // MessageBoxA: returns the button id (IDOK, IDYES, ...).
    virtual int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption,
                           UINT flags);
    // ShellExecuteA: returns the value ShellExecuteA would (> 32 on success).
    virtual INT_PTR ShellOpen(HWND owner, const std::string& verb, const std::string& file,
                                 const std::string& parameters, const std::string& directory,
                                 int show);
    // ShellExecuteExA: returns TRUE on success; fills hProcess when asked to.
    virtual bool ShellOpenEx(SHELLEXECUTEINFOA& info);
    // CreateProcessA of a whole command line (program path quoted by the caller).
    // When wait is set, waits for the process, at most waitLimit milliseconds, and puts its
    // exit code into exitCode: STILL_ACTIVE when it has not ended by then.
    virtual bool StartProcess(const std::string& commandLine, const std::string& directory,
                               bool wait, DWORD* exitCode, DWORD waitLimit);
    // ExitWindowsEx with the shutdown privilege taken first.
    virtual bool ShutDown(UINT flags);
    // ExitProcess: ends this process at once, without the main window's close handling.
    virtual void EndProcess(UINT exitCode);
    // The local time.
    virtual SYSTEMTIME Now();
    // The common open or save dialog (GetOpenFileNameA / GetSaveFileNameA): true when the
    // user chose a file, whose name is then in dialog.lpstrFile.
    virtual bool ShowFileDialog(OPENFILENAMEA& dialog, bool save);
    // The printer dialog (PrintDlgA): true when the user chose to print.
    virtual bool ShowPrintDialog(PRINTDLGA& dialog);
    // The folder-selection dialog (SHBrowseForFolderA): the chosen folder's item-ID list,
    // which the caller frees through the shell's allocator, or nullptr when cancelled.
    virtual LPITEMIDLIST ShowFolderDialog(BROWSEINFOA& info);
    // SHFileOperationA: the shell's copy, move or delete, with the questions it asks itself
    // unless told not to; returns what SHFileOperationA returns and fills
    // fAnyOperationsAborted as it does.
    virtual int ShellFileOperation(SHFILEOPSTRUCTA& operation);
};

// The sink in force; never null. Tests replace it with SetSink and restore with
// SetSink(nullptr), which brings back the real one.
Sink& Current();
void SetSink(Sink* sink);

// Short forms for the program's callers.
inline int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{ return Current().ShowMessageBox(owner, text, caption, flags); }
inline INT_PTR ShellOpen(HWND owner, const std::string& verb, const std::string& file,
                            const std::string& parameters = std::string(),
                            const std::string& directory = std::string(), int show = SW_SHOWNORMAL)
{ return Current().ShellOpen(owner, verb, file, parameters, directory, show); }
inline bool ShellOpenEx(SHELLEXECUTEINFOA& info) { return Current().ShellOpenEx(info); }
inline bool StartProcess(const std::string& commandLine, const std::string& directory = std::string(),
                          bool wait = false, DWORD* exitCode = nullptr, DWORD waitLimit = INFINITE)
{ return Current().StartProcess(commandLine, directory, wait, exitCode, waitLimit); }
inline bool ShutDown(UINT flags) { return Current().ShutDown(flags); }
inline void EndProcess(UINT exitCode) { Current().EndProcess(exitCode); }
inline SYSTEMTIME Now() { return Current().Now(); }
inline bool ShowFileDialog(OPENFILENAMEA& dialog, bool save) { return Current().ShowFileDialog(dialog, save); }
inline bool ShowPrintDialog(PRINTDLGA& dialog) { return Current().ShowPrintDialog(dialog); }
inline LPITEMIDLIST ShowFolderDialog(BROWSEINFOA& info) { return Current().ShowFolderDialog(info); }
inline int ShellFileOperation(SHFILEOPSTRUCTA& operation) { return Current().ShellFileOperation(operation); }

} // namespace effects
