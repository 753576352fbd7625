#include "cleaning/FileDeleter.h"

#include "toolkit/Effects.h"

#include <shellapi.h>

#include <vector>

namespace cleaning {

namespace {

std::string NameOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

bool Identity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE handle = ::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    BOOL known = ::GetFileInformationByHandle(handle, &info);
    ::CloseHandle(handle);
    return known != FALSE;
}

// Two folder names for one folder? Compared by identity, since a path may be spelt in
// several ways (short names, other case, links on the way to it).
bool SameFolder(const std::string& first, const std::string& second)
{
    BY_HANDLE_FILE_INFORMATION a, b;
    return Identity(first, a) && Identity(second, b) && a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
           a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace

bool NameLeadsElsewhere(const std::string& path)
{
    using FinalPathName = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    static const auto finalPathName = reinterpret_cast<FinalPathName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
    if (!finalPathName)
        return false; // systems before Vista have no links to files
    HANDLE file = ::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    std::vector<char> buffer(MAX_PATH * 4);
    DWORD length = finalPathName(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    ::CloseHandle(file);
    if (length == 0 || length >= buffer.size())
        return false;
    std::string target(buffer.data(), length);
    if (target.compare(0, 4, "\\\\?\\") == 0)
        target.erase(0, 4);

    // The walk names files by their long names; compare those.
    char longPath[MAX_PATH * 4];
    DWORD longLength = ::GetLongPathNameA(path.c_str(), longPath, sizeof longPath);
    std::string own = longLength > 0 && longLength < sizeof longPath ? std::string(longPath) : path;
    if (::lstrcmpiA(NameOf(target).c_str(), NameOf(own).c_str()) != 0)
        return true;
    return !SameFolder(FolderOf(target), FolderOf(own));
}

DeleteOutcome ShellFileDeleter::Delete(const std::string& path, int action)
{
    if (action < deleteToRecycleBin || action > deletePermanently)
        return DeleteOutcome::Failed;
    if (NameLeadsElsewhere(path))
        return DeleteOutcome::Failed;
    if ((action == deleteToRecycleBinConfirmed || action == deletePermanentlyConfirmed) && !Confirmed(path, action))
        return DeleteOutcome::Declined;

    if (action == deletePermanently) {
        ::DeleteFileA(path.c_str());
    } else {
        // The question, if any, has been asked above; errors are ours to report.
        std::string source = path + std::string(2, '\0');
        SHFILEOPSTRUCTA operation{};
        operation.hwnd = owner_;
        operation.wFunc = FO_DELETE;
        operation.pFrom = source.c_str();
        operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        if (action != deletePermanentlyConfirmed)
            operation.fFlags |= FOF_ALLOWUNDO;
        ::SHFileOperationA(&operation);
    }
    return Exists(path) ? DeleteOutcome::Failed : DeleteOutcome::Deleted;
}

bool ShellFileDeleter::Confirmed(const std::string& path, int action) const
{
    bool toBin = action == deleteToRecycleBinConfirmed;
    std::string text = languageFlag_
        ? (toBin ? "Soll \"" + path + "\" in den Papierkorb verschoben werden?"
                 : "Soll \"" + path + "\" endgültig gelöscht werden?")
        : (toBin ? "Move \"" + path + "\" to the Recycle Bin?" : "Delete \"" + path + "\" for good?");
    int answer = effects::ShowMessageBox(owner_, text, languageFlag_ ? "Bestätigen" : "Confirm",
                                         MB_ICONEXCLAMATION | MB_YESNO);
    return answer == IDYES;
}

} // namespace cleaning
