#include "common/PathFacts.h"

#include "common/Wow64.h"

#include <windows.h>

namespace common {

namespace {

DWORD AttributesOf(const std::string& path)
{
    return path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(path.c_str());
}

// The attributes at a path, and the error when there are none.
struct Look {
    DWORD attributes;
    DWORD error;
    bool Found() const { return attributes != INVALID_FILE_ATTRIBUTES; }
    bool NotFound() const { return !Found() && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND); }
};

Look LookAt(const std::string& path)
{
    const DWORD attributes = AttributesOf(path);
    return {attributes, attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : DWORD(ERROR_SUCCESS)};
}

// The same look as a 64-bit program takes it: the redirection of the system folder is off
// in this thread for this one call and nothing else, since every file the thread opened
// meanwhile, a library loaded on demand included, would come from the 64-bit folder.
Look LookNatively(const std::string& path)
{
    using Disable = BOOL(WINAPI*)(PVOID*);
    using Revert = BOOL(WINAPI*)(PVOID);
    static const HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    static const auto disable =
        reinterpret_cast<Disable>(reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
    static const auto revert =
        reinterpret_cast<Revert>(reinterpret_cast<void*>(::GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
    PVOID redirection = nullptr;
    if (!disable || !revert || !disable(&redirection))
        return {INVALID_FILE_ATTRIBUTES, ERROR_NOT_SUPPORTED};
    const Look look = LookAt(path);
    revert(redirection);
    return look;
}

// The path begins with a drive letter that has no root now: a disk that is not plugged in.
bool OnAbsentDrive(const std::string& path)
{
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\')
        return false;
    const char root[] = {path[0], ':', '\\', '\0'};
    return ::GetDriveTypeA(root) == DRIVE_NO_ROOT_DIR;
}

Look LookAtSystemPath(const std::string& path)
{
    if (path.empty() || path.size() >= MAX_PATH)
        return {INVALID_FILE_ATTRIBUTES, ERROR_FILENAME_EXCED_RANGE};
    const Look look = LookAt(path);
    if (!look.NotFound())
        return look;
    if (OnAbsentDrive(path))
        return {INVALID_FILE_ATTRIBUTES, ERROR_NOT_READY};
    // Missing only when 64-bit programs do not find it either.
    return RunsUnderWow64() ? LookNatively(path) : look;
}

} // namespace

Presence PresenceOf(const std::string& path)
{
    const Look look = LookAtSystemPath(path);
    return look.Found() ? Presence::Exists : look.NotFound() ? Presence::Missing : Presence::Unknown;
}

bool SystemFileExists(const std::string& path)
{
    const Look look = LookAtSystemPath(path);
    return look.Found() && !(look.attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& path) { return AttributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path)
{
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string OwnExecutable()
{
    char path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

std::string OwnFolder()
{
    const std::string program = OwnExecutable();
    const size_t slash = program.find_last_of('\\');
    return slash == std::string::npos ? std::string() : program.substr(0, slash);
}

} // namespace common
