#include "filetools/ShredderIo.h"

#include "fileengines/FileIdentity.h"
#include "common/FileHandle.h"
#include "common/FindHandle.h"

#include <winternl.h>

namespace {

typedef LONG(NTAPI* NtFsControlFileFunction)(HANDLE, HANDLE, PVOID, PVOID, PIO_STATUS_BLOCK,
                                             ULONG, PVOID, ULONG, PVOID, ULONG);
typedef ULONG(NTAPI* RtlNtStatusToDosErrorFunction)(LONG);

constexpr LONG kStatusPending = 0x00000103;

// GetFinalPathNameByHandleA's kind of path with the volume's GUID name (Vista and later
// headers).
constexpr DWORD kVolumeNameGuid = 0x1;

bool MoveFilePointer(HANDLE handle, LONGLONG distance, DWORD method)
{
    // SetFilePointerEx is missing before Windows 2000.
    LONG high = static_cast<LONG>(distance >> 32);
    SetLastError(NO_ERROR);
    DWORD low = SetFilePointer(handle, static_cast<LONG>(distance & 0xFFFFFFFF), &high, method);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

// A kernel32 function that older systems lack, or null there.
template <typename Function>
Function Kernel32(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), name)));
}

// The path of an open file as the system resolved it (Vista and later), of the given kind.
bool FinalPathName(HANDLE file, DWORD kind, std::string& target)
{
    typedef DWORD(WINAPI * GetFinalPathNameFunction)(HANDLE, LPSTR, DWORD, DWORD);
    static auto finalPathName = Kernel32<GetFinalPathNameFunction>("GetFinalPathNameByHandleA");
    if (!finalPathName)
        return false;
    std::vector<char> buffer(1024);
    DWORD length = finalPathName(file, buffer.data(), static_cast<DWORD>(buffer.size()), kind);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = finalPathName(file, buffer.data(), static_cast<DWORD>(buffer.size()), kind);
    }
    if (length == 0 || length >= buffer.size())
        return false;
    target.assign(buffer.data(), length);
    return true;
}

// The GUID name ("\\?\Volume{...}\") of the volume mounted at a root folder.
bool VolumeNameOfMount(const std::string& root, std::string& volumeName)
{
    typedef BOOL(WINAPI * GetVolumeNameFunction)(LPCSTR, LPSTR, DWORD);
    static auto volumeNameOf = Kernel32<GetVolumeNameFunction>("GetVolumeNameForVolumeMountPointA");
    char name[MAX_PATH];
    if (!volumeNameOf || !volumeNameOf(root.c_str(), name, MAX_PATH))
        return false;
    volumeName = name;
    return true;
}

// The folder the volume of a GUID name is best reached by: its drive when it has one,
// else the first folder it is mounted at, else the GUID name itself.
std::string RootOfVolume(const std::string& volumeName)
{
    typedef BOOL(WINAPI * GetPathNamesFunction)(LPCSTR, LPCH, DWORD, PDWORD);
    static auto pathNames = Kernel32<GetPathNamesFunction>("GetVolumePathNamesForVolumeNameA");
    if (!pathNames)
        return volumeName;
    std::vector<char> names(1024);
    DWORD length = 0;
    if (!pathNames(volumeName.c_str(), names.data(), static_cast<DWORD>(names.size()), &length)) {
        if (GetLastError() != ERROR_MORE_DATA)
            return volumeName;
        names.resize(length);
        if (!pathNames(volumeName.c_str(), names.data(), length, &length))
            return volumeName;
    }
    std::string first;
    for (const char* name = names.data(); *name; name += lstrlenA(name) + 1) {
        if (lstrlenA(name) == 3)
            return name;
        if (first.empty())
            first = name;
    }
    return first.empty() ? volumeName : first;
}

// The root of the local volume an open file lives on. The handle tells it whatever
// junctions led to the file (Vista and later); before that, the last mount point on the
// path stands for it, and a junction to another volume is only caught by the caller's
// serial-number check. Systems without mount points keep every file on its drive.
bool RootOfFileVolume(HANDLE file, const std::string& path, std::string& root)
{
    std::string target;
    if (FinalPathName(file, kVolumeNameGuid, target) && target.compare(0, 4, "\\\\?\\") == 0) {
        size_t end = target.find('\\', 4);
        if (end == std::string::npos)
            return false;
        root = RootOfVolume(target.substr(0, end + 1));
        return true;
    }
    typedef BOOL(WINAPI * GetVolumePathNameFunction)(LPCSTR, LPSTR, DWORD);
    static auto volumePathName = Kernel32<GetVolumePathNameFunction>("GetVolumePathNameA");
    // A network share has no volume name: the clusters of its files are out of reach.
    if (volumePathName) {
        char mount[MAX_PATH];
        std::string volumeName;
        if (!volumePathName(path.c_str(), mount, MAX_PATH) || !VolumeNameOfMount(mount, volumeName))
            return false;
        root = mount;
        return true;
    }
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\')
        return false;
    root = path.substr(0, 3);
    return GetDriveTypeA(root.c_str()) != DRIVE_REMOTE;
}

// The raw device of the volume mounted at root, without the trailing backslash that
// would name its root folder instead.
std::string RawDeviceOf(const std::string& root)
{
    std::string volumeName;
    if (root.compare(0, 4, "\\\\?\\") == 0)
        volumeName = root;
    else if (!VolumeNameOfMount(root, volumeName))
        return root.size() == 3 && root[1] == ':' ? "\\\\.\\" + root.substr(0, 2) : std::string();
    if (!volumeName.empty() && volumeName.back() == '\\')
        volumeName.pop_back();
    return volumeName;
}

class RealShredderIo : public ShredderIo {
public:
    std::vector<WIN32_FIND_DATAA> List(const std::string& searchText) override
    {
        std::vector<WIN32_FIND_DATAA> entries;
        WIN32_FIND_DATAA data;
        FindHandle find(searchText, data);
        if (!find.Valid())
            return entries;
        do
            entries.push_back(data);
        while (find.Next(data));
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
        FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_WRITE_THROUGH, nullptr));
        // Some systems (Wine among them) show a symbolic link to a file as an ordinary
        // file and overwrite its target through it.
        if (file.Valid() && file_identity::LeadsElsewhere(file.Get(), path)) {
            file.Close();
            SetLastError(ERROR_CANT_RESOLVE_FILENAME);
        }
        return file.Release();
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

    bool QueryFileInfo(HANDLE file, ShredderFileInfo& info) override
    {
        BY_HANDLE_FILE_INFORMATION known;
        if (!GetFileInformationByHandle(file, &known))
            return false;
        info.volumeSerialNumber = known.dwVolumeSerialNumber;
        info.links = known.nNumberOfLinks;
        return true;
    }

    bool RenameFile(const std::string& from, const std::string& to) override
    {
        return MoveFileA(from.c_str(), to.c_str()) != FALSE;
    }

    bool RemoveFile(const std::string& path) override
    {
        return DeleteFileA(path.c_str()) != FALSE;
    }

    std::unique_ptr<folder_descent::EnteredFolder> EnterFolder(const std::string& path) override
    {
        auto folder = std::make_unique<folder_descent::EnteredFolder>(path);
        if (!folder->Entered())
            folder.reset();
        return folder;
    }

    bool RemoveFolder(folder_descent::EnteredFolder& folder) override { return folder.Remove(); }

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

    bool LocateVolume(HANDLE file, const std::string& path, std::string& root,
                      DWORD& serialNumber) override
    {
        return RootOfFileVolume(file, path, root) &&
               GetVolumeInformationA(root.c_str(), nullptr, 0, &serialNumber, nullptr, nullptr,
                                     nullptr, 0);
    }

    bool OpenVolume(const std::string& root, ShredderVolume& volume) override
    {
        DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
        // GetDiskFreeSpaceA's cluster total never exceeds the volume (a quota only makes
        // it smaller), so it is a safe bound for the cluster numbers.
        if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                               &totalClusters))
            return false;
        std::string device = RawDeviceOf(root);
        if (device.empty())
            return false;
        HANDLE handle = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE,
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
