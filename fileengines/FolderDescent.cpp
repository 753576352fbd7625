#include "fileengines/FolderDescent.h"

#include "fileengines/FileIdentity.h"

#include <winternl.h>

namespace folder_descent {

namespace {

constexpr ULONG kFileBasicInformation = 4;
constexpr ULONG kFileDispositionInformation = 13;

struct BasicInformation {
    LARGE_INTEGER creation, lastAccess, lastWrite, change; // 0: left as they are
    ULONG attributes;
};

// Sets information on an open handle through the NT layer, which XP offers for what
// SetFileInformationByHandle does from Vista on; false with the Win32 error set.
bool SetInformation(HANDLE handle, void* information, ULONG size, ULONG kind)
{
    using Set = LONG(WINAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, ULONG);
    using ToError = ULONG(WINAPI*)(LONG);
    static const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    static const auto set = reinterpret_cast<Set>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "NtSetInformationFile")));
    static const auto toError =
        reinterpret_cast<ToError>(reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlNtStatusToDosError")));
    if (!set || !toError) {
        ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return false;
    }
    IO_STATUS_BLOCK status{};
    const LONG result = set(handle, &status, information, size, kind);
    if (result < 0) {
        ::SetLastError(toError(result));
        return false;
    }
    return true;
}

bool MarkForDeletion(HANDLE handle)
{
    BOOLEAN remove = TRUE;
    return SetInformation(handle, &remove, sizeof remove, kFileDispositionInformation);
}

DWORD AttributesOf(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION information{};
    return ::GetFileInformationByHandle(handle, &information) ? information.dwFileAttributes : INVALID_FILE_ATTRIBUTES;
}

// The name itself, a link not followed where the system can do that.
FileHandle OpenUnfollowed(const std::string& path, DWORD access, DWORD sharing)
{
    return FileHandle(::CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
}

// The folder at path, opened as OpenUnfollowed does, when it is a real folder reached
// under that very name; empty (with ERROR_CANT_RESOLVE_FILENAME for a link) otherwise.
// Without delete sharing: while the handle is open, nobody can rename or remove the folder.
FileHandle OpenRealFolder(const std::string& path, DWORD access, BY_HANDLE_FILE_INFORMATION& information)
{
    FileHandle handle = OpenUnfollowed(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE);
    if (!handle.Valid())
        return handle;
    const bool realFolder = ::GetFileInformationByHandle(handle.Get(), &information) &&
                            (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                            !(information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (realFolder && !file_identity::LeadsElsewhere(handle.Get(), path))
        return handle;
    handle.Close();
    ::SetLastError(ERROR_CANT_RESOLVE_FILENAME);
    return FileHandle();
}

bool SameFile(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b)
{
    return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

} // namespace

EnteredFolder::EnteredFolder(const std::string& path) : path_(path)
{
    // Opened for listing, which takes part in the sharing rules as a handle for the
    // attributes alone would not; a handle with delete access would keep the walk itself
    // from listing the folder on some systems (Wine).
    handle_ = OpenRealFolder(path, FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, information_);
}

bool EnteredFolder::Remove()
{
    if (!Entered()) {
        ::SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    // The folder cannot be opened for removal while it is held for listing: it is let go
    // and opened again, and removed only when that is the very folder that was emptied.
    handle_.Close();
    BY_HANDLE_FILE_INFORMATION reopened{};
    handle_ = OpenRealFolder(path_, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, reopened);
    if (!Entered())
        return false;
    if (!SameFile(reopened, information_)) {
        ::SetLastError(ERROR_CANT_RESOLVE_FILENAME);
        return false;
    }
    // A read-only folder cannot be removed; whoever removes it wants it gone.
    if (reopened.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        BasicInformation basic{};
        basic.attributes = reopened.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY;
        SetInformation(handle_.Get(), &basic, sizeof basic, kFileBasicInformation);
    }
    return MarkForDeletion(handle_.Get());
}

bool RemoveLink(const std::string& path)
{
    FileHandle handle =
        OpenUnfollowed(path, DELETE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (!handle.Valid())
        return false;
    const DWORD attributes = AttributesOf(handle.Get());
    const bool linkItself = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
    const bool removed = linkItself && MarkForDeletion(handle.Get());
    const DWORD error = linkItself ? ::GetLastError() : ERROR_CANT_RESOLVE_FILENAME;
    handle.Close(); // the link goes when it is closed
    if (!removed)
        ::SetLastError(error);
    return removed;
}

} // namespace folder_descent
