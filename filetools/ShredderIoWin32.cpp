#include "filetools/ShredderIo.h"

#include <winternl.h>

namespace {

typedef LONG(NTAPI* NtFsControlFileFunction)(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK,
                                             ULONG, PVOID, ULONG, PVOID, ULONG);
typedef ULONG(NTAPI* RtlNtStatusToDosErrorFunction)(LONG);

constexpr LONG kStatusPending = 0x00000103;

bool MoveFilePointer(HANDLE handle, LONGLONG distance, DWORD method)
{
    // SetFilePointerEx is missing before Windows 2000.
    LONG high = static_cast<LONG>(distance >> 32);
    SetLastError(NO_ERROR);
    DWORD low = SetFilePointer(handle, static_cast<LONG>(distance & 0xFFFFFFFF), &high, method);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

std::string NameOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool SameFolder(const std::string& first, const std::string& second)
{
    BY_HANDLE_FILE_INFORMATION info[2];
    const std::string* paths[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        HANDLE folder = CreateFileA(paths[i]->c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (folder == INVALID_HANDLE_VALUE)
            return false;
        BOOL known = GetFileInformationByHandle(folder, &info[i]);
        CloseHandle(folder);
        if (!known)
            return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh &&
           info[0].nFileIndexLow == info[1].nFileIndexLow;
}

// Some systems (Wine among them) show a symbolic link to a file as an ordinary file,
// without the reparse-point attribute, and overwrite and even delete its target through
// it. The handle then names the target: another name, or the same name in another
// folder. Systems without GetFinalPathNameByHandleA have no links to files.
bool LeadsElsewhere(HANDLE file, const std::string& path)
{
    typedef DWORD(WINAPI * GetFinalPathNameFunction)(HANDLE, LPSTR, DWORD, DWORD);
    typedef DWORD(WINAPI * GetLongPathNameFunction)(LPCSTR, LPSTR, DWORD);
    static HMODULE kernel = GetModuleHandleA("kernel32.dll");
    static auto finalPathName = reinterpret_cast<GetFinalPathNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetFinalPathNameByHandleA")));
    static auto longPathName = reinterpret_cast<GetLongPathNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetLongPathNameA")));
    if (!finalPathName || !longPathName)
        return false;
    std::vector<char> buffer(1024);
    DWORD length = finalPathName(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = finalPathName(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0);
    }
    // No drive path for the file (a volume mounted without a letter): nothing to compare.
    if (length == 0 || length >= buffer.size())
        return false;
    std::string target(buffer.data(), length);
    if (target.compare(0, 8, "\\\\?\\UNC\\") == 0)
        target.replace(0, 7, "\\");
    else if (target.compare(0, 4, "\\\\?\\") == 0)
        target.erase(0, 4);
    // The walk names files by their long names; a user may have typed a short one.
    std::string longPath = path;
    char longName[MAX_PATH];
    DWORD longLength = longPathName(path.c_str(), longName, MAX_PATH);
    if (longLength > 0 && longLength < MAX_PATH)
        longPath = longName;
    if (lstrcmpiA(NameOf(target).c_str(), NameOf(longPath).c_str()) != 0)
        return true;
    return !SameFolder(FolderOf(target), FolderOf(path));
}

class RealShredderIo : public ShredderIo {
public:
    std::vector<WIN32_FIND_DATAA> List(const std::string& searchText) override
    {
        std::vector<WIN32_FIND_DATAA> entries;
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(searchText.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return entries;
        do
            entries.push_back(data);
        while (FindNextFileA(find, &data));
        FindClose(find);
        return entries;
    }

    DWORD GetAttributes(const std::string& path) override
    {
        return GetFileAttributesA(path.c_str());
    }

    bool SetAttributes(const std::string& path, DWORD attributes) override
    {
        return SetFileAttributesA(path.c_str(), attributes) != FALSE;
    }

    HANDLE OpenForOverwrite(const std::string& path) override
    {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_WRITE_THROUGH, nullptr);
        if (file != INVALID_HANDLE_VALUE && LeadsElsewhere(file, path)) {
            CloseHandle(file);
            file = INVALID_HANDLE_VALUE;
            SetLastError(ERROR_CANT_RESOLVE_FILENAME);
        }
        return file;
    }

    HANDLE OpenForClusterScan(const std::string& path) override
    {
        return CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }

    HANDLE CreateWipeFile(const std::string& path, WipeFileMode mode) override
    {
        DWORD flags = FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_SEQUENTIAL_SCAN |
                      FILE_ATTRIBUTE_HIDDEN;
        if (mode == WipeFileMode::Unbuffered)
            flags |= FILE_FLAG_NO_BUFFERING;
        else if (mode == WipeFileMode::WriteThrough)
            flags |= FILE_FLAG_WRITE_THROUGH;
        return CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, flags, nullptr);
    }

    bool SeekTo(HANDLE handle, uint64_t offset) override
    {
        return MoveFilePointer(handle, static_cast<LONGLONG>(offset), FILE_BEGIN);
    }

    bool SeekBack(HANDLE handle, uint64_t distance) override
    {
        return MoveFilePointer(handle, -static_cast<LONGLONG>(distance), FILE_CURRENT);
    }

    bool Write(HANDLE handle, const void* data, DWORD length) override
    {
        DWORD written = 0;
        if (!WriteFile(handle, data, length, &written, nullptr))
            return false;
        if (written == length)
            return true;
        SetLastError(ERROR_WRITE_FAULT);
        return false;
    }

    bool Flush(HANDLE handle) override { return FlushFileBuffers(handle) != FALSE; }

    void Close(HANDLE handle) override { CloseHandle(handle); }

    bool RenameFile(const std::string& from, const std::string& to) override
    {
        return MoveFileA(from.c_str(), to.c_str()) != FALSE;
    }

    bool RemoveFile(const std::string& path) override
    {
        return DeleteFileA(path.c_str()) != FALSE;
    }

    bool RemoveFolder(const std::string& path) override
    {
        return RemoveDirectoryA(path.c_str()) != FALSE;
    }

    bool LoadNtEntryPoints(std::string& missing) override
    {
        fsControl_ = nullptr;
        statusToError_ = nullptr;
        if (GetVersion() & 0x80000000) // the Windows 95 family has no NT layer
            return true;
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        if (ntdll) {
            fsControl_ = reinterpret_cast<NtFsControlFileFunction>(
                reinterpret_cast<void*>(GetProcAddress(ntdll, "NtFsControlFile")));
            statusToError_ = reinterpret_cast<RtlNtStatusToDosErrorFunction>(
                reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlNtStatusToDosError")));
        }
        if (!fsControl_)
            missing = "NtFsControlFile";
        else if (!statusToError_)
            missing = "RtlNtStatusToDosError";
        return fsControl_ && statusToError_;
    }

    bool ClusterQueryAvailable() override { return fsControl_ != nullptr; }

    LONG QueryRetrievalPointers(HANDLE file, LONGLONG startingVcn,
                                RETRIEVAL_POINTERS_BUFFER* out, DWORD outSize) override
    {
        STARTING_VCN_INPUT_BUFFER input;
        input.StartingVcn.QuadPart = startingVcn;
        IO_STATUS_BLOCK status{};
        LONG result = fsControl_(file, nullptr, nullptr, nullptr, &status,
                                 FSCTL_GET_RETRIEVAL_POINTERS, &input, sizeof input, out, outSize);
        if (result == kStatusPending) {
            WaitForSingleObject(file, INFINITE);
            result = status.Status;
        }
        return result;
    }

    DWORD NtStatusToWin32Error(LONG status) override
    {
        return statusToError_ ? statusToError_(status) : ERROR_MR_MID_NOT_FOUND;
    }

    bool OpenVolume(char driveLetter, ShredderVolume& volume) override
    {
        char device[] = "\\\\.\\A:";
        char root[] = "A:\\";
        device[4] = root[0] = driveLetter;
        DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
        // GetDiskFreeSpaceA's cluster total never exceeds the volume (a quota only makes
        // it smaller), so it is a safe bound for the cluster numbers.
        if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                               &totalClusters))
            return false;
        HANDLE handle = CreateFileA(device, GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    0, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        volume.handle = handle;
        volume.clusterSize = sectorsPerCluster * bytesPerSector;
        volume.totalClusters = totalClusters;
        return true;
    }

    bool QueryFreeSpace(const std::string& root, DWORD& sectorsPerCluster, DWORD& bytesPerSector,
                        DWORD& freeClusters, DWORD& totalClusters) override
    {
        return GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector,
                                 &freeClusters, &totalClusters) != FALSE;
    }

    FreeSpaceEx QueryFreeSpaceEx(const std::string& root, uint64_t& freeToCaller,
                                 uint64_t& totalFree) override
    {
        typedef BOOL(WINAPI * GetDiskFreeSpaceExFunction)(LPCSTR, PULARGE_INTEGER,
                                                          PULARGE_INTEGER, PULARGE_INTEGER);
        auto query = reinterpret_cast<GetDiskFreeSpaceExFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetDiskFreeSpaceExA")));
        if (!query)
            return FreeSpaceEx::Unavailable;
        ULARGE_INTEGER caller, total, free;
        if (!query(root.c_str(), &caller, &total, &free))
            return FreeSpaceEx::Failed;
        freeToCaller = caller.QuadPart;
        totalFree = free.QuadPart;
        return FreeSpaceEx::Done;
    }

private:
    NtFsControlFileFunction fsControl_ = nullptr;
    RtlNtStatusToDosErrorFunction statusToError_ = nullptr;
};

} // namespace

ShredderIo& Win32ShredderIo()
{
    static RealShredderIo io;
    return io;
}
