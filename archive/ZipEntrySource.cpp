#include "archive/ZipEntrySource.h"

#include "archive/ZipRecords.h"
#include "archive/ZipTime.h"
#include "toolkit/Effects.h"

namespace {

constexpr DWORD UnixRegularFile = 0x8000u << 16;
constexpr DWORD UnixFolder = 0x4000u << 16;
constexpr DWORD UnixOwnerRead = 0x0100u << 16;
constexpr DWORD UnixOwnerWrite = 0x0080u << 16;
constexpr DWORD UnixOwnerExecute = 0x0040u << 16;
constexpr DWORD FolderEntryAttributes = UnixFolder | UnixOwnerRead | UnixOwnerWrite | UnixOwnerExecute |
                                        FILE_ATTRIBUTE_DIRECTORY;  // 0x41C00010
constexpr DWORD KeptWindowsAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                        FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY |
                                        FILE_ATTRIBUTE_ARCHIVE;

}  // namespace

bool LooksExecutable(const unsigned char* head, size_t headSize, unsigned long long fileSize)
{
    const size_t newHeaderField = 60;
    if (headSize < newHeaderField + 4 || GetLe16(head) != 0x5A4D)  // "MZ"
        return false;
    unsigned long long newHeader = GetLe32(head + newHeaderField);
    if (newHeader + 4 > fileSize || newHeader + 2 > headSize)
        return false;
    WORD signature = GetLe16(head + newHeader);
    return signature == 0x4550 || signature == 0x454E || signature == 0x454C || signature == 0x584C;
}

void ZipEntrySource::Close()
{
    opened_.Close();
    handle_ = INVALID_HANDLE_VALUE;
}

ZipResult ZipEntrySource::Open(const void* source, DWORD length, ZipSourceKind kind)
{
    switch (kind) {
    case ZipSourceKind::FileName:
        if (!source)
            return ZipErrArgument;
        opened_ = FileHandle(CreateFileA(static_cast<const char*>(source), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!opened_.Valid())
            return ZipErrOpenFile;
        handle_ = opened_.Get();
        return TakeNamedFileFacts(static_cast<const char*>(source));
    case ZipSourceKind::Handle:
        if (!source || source == INVALID_HANDLE_VALUE)
            return ZipErrArgument;
        handle_ = const_cast<HANDLE>(source);
        if (GetFileType(handle_) == FILE_TYPE_DISK) {
            ZipResult result = TakeHandleFacts();
            if (result == ZipOk && SetFilePointer(handle_, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
                result = ZipErrOpenFile;
            return result;
        }
        externalAttributes_ = UnixRegularFile;
        declaredLength_ = length ? length : UnknownLength;
        TakeCurrentTime();
        return ZipOk;
    case ZipSourceKind::Memory:
        if (!source || length == 0)
            return ZipErrArgument;
        memory_ = static_cast<const unsigned char*>(source);
        memoryLength_ = length;
        externalAttributes_ = UnixRegularFile;
        declaredLength_ = length;
        TakeCurrentTime();
        return ZipOk;
    case ZipSourceKind::Folder:
        externalAttributes_ = FolderEntryAttributes;
        declaredLength_ = 0;
        ended_ = true;
        TakeCurrentTime();
        return ZipOk;
    }
    return ZipErrArgument;
}

ZipResult ZipEntrySource::TakeHandleFacts()
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle_, &info))
        return ZipErrOpenFile;
    WIN32_FILE_ATTRIBUTE_DATA facts{info.dwFileAttributes, info.ftCreationTime, info.ftLastAccessTime,
                                    info.ftLastWriteTime, info.nFileSizeHigh, info.nFileSizeLow};
    TakeFacts(facts);
    return ZipOk;
}

ZipResult ZipEntrySource::TakeNamedFileFacts(const char* name)
{
    // Asked by name: the handle's query also fetches the volume's serial number, which
    // costs more than the rest of a small file's entry.
    WIN32_FILE_ATTRIBUTE_DATA facts;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &facts))
        return ZipErrOpenFile;
    TakeFacts(facts);
    return ZipOk;
}

void ZipEntrySource::TakeFacts(const WIN32_FILE_ATTRIBUTE_DATA& facts)
{
    diskFile_ = true;
    const DWORD attributes = facts.dwFileAttributes;
    externalAttributes_ = (attributes & KeptWindowsAttributes) | UnixOwnerRead |
                          ((attributes & FILE_ATTRIBUTE_DIRECTORY) ? UnixFolder : UnixRegularFile);
    if (!(attributes & FILE_ATTRIBUTE_READONLY))
        externalAttributes_ |= UnixOwnerWrite;
    declaredLength_ = (static_cast<unsigned long long>(facts.nFileSizeHigh) << 32) | facts.nFileSizeLow;
    // The DOS time is the last-write time as the file system keeps it, not local time.
    dosDateTime_ = DosDateTimeFromFileTime(facts.ftLastWriteTime);
    modified_ = FileTimeToUnixTime(facts.ftLastWriteTime);
    accessed_ = FileTimeToUnixTime(facts.ftLastAccessTime);
    created_ = FileTimeToUnixTime(facts.ftCreationTime);
}

void ZipEntrySource::TakeCurrentTime()
{
    SYSTEMTIME now = effects::Current().Now();
    dosDateTime_ = DosDateTimeFromFields(now);
    modified_ = accessed_ = created_ = UnixTimeFromFields(now);
}

DWORD ZipEntrySource::ExternalAttributes() const
{
    return executable_ ? externalAttributes_ | UnixOwnerExecute : externalAttributes_;
}

bool ZipEntrySource::Next(std::vector<unsigned char>& buffer, const unsigned char*& data, size_t& size)
{
    data = nullptr;
    size = 0;
    if (ended_)
        return true;
    if (memory_) {
        data = memory_;
        size = memoryLength_;
        ended_ = true;
        return true;
    }
    DWORD got = 0;
    if (!ReadFile(handle_, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
        // A pipe whose writer has gone has simply ended.
        if (GetLastError() != ERROR_BROKEN_PIPE && GetLastError() != ERROR_HANDLE_EOF)
            return false;
        got = 0;
    }
    // A disk file that gives less than asked for has reached its end; a pipe only when
    // it gives nothing.
    if (got == 0 || (diskFile_ && got < buffer.size()))
        ended_ = true;
    if (diskFile_ && firstPiece_)
        executable_ = LooksExecutable(buffer.data(), got, declaredLength_);
    firstPiece_ = false;
    data = buffer.data();
    size = got;
    return true;
}
