#include "archive/ZipByteSource.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t WindowSize = 64 * 1024;

bool FilePointer(HANDLE file, LONG distanceLow, LONG distanceHigh, DWORD method, unsigned long long& result)
{
    LONG high = distanceHigh;
    DWORD low = SetFilePointer(file, distanceLow, &high, method);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return false;
    result = (static_cast<unsigned long long>(static_cast<DWORD>(high)) << 32) | low;
    return true;
}

}  // namespace

ZipResult ZipByteSource::Open(const void* source, DWORD length, ZipSourceKind kind)
{
    switch (kind) {
    case ZipSourceKind::Handle: {
        HANDLE duplicate;
        if (!DuplicateHandle(GetCurrentProcess(), const_cast<HANDLE>(source), GetCurrentProcess(), &duplicate,
                             0, FALSE, DUPLICATE_SAME_ACCESS))
            return ZipErrDuplicate;
        file_ = FileHandle(duplicate);
        if (GetFileType(duplicate) != FILE_TYPE_DISK)
            return ZipErrNotSeekable;
        if (!FilePointer(file_.Get(), 0, 0, FILE_CURRENT, origin_))
            return ZipErrNotSeekable;
        break;
    }
    case ZipSourceKind::FileName:
        if (!source)
            return ZipErrArgument;
        file_ = FileHandle(CreateFileA(static_cast<const char*>(source), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_.Valid())
            return ZipErrOpenFile;
        break;
    case ZipSourceKind::Memory:
        if (!source)
            return ZipErrArgument;
        memory_ = static_cast<const unsigned char*>(source);
        end_ = length;
        return ZipOk;
    default:
        return ZipErrArgument;
    }
    DWORD high = 0;
    DWORD low = GetFileSize(file_.Get(), &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return ZipErrOpenFile;
    end_ = (static_cast<unsigned long long>(high) << 32) | low;
    if (end_ < origin_)
        end_ = origin_;
    return ZipOk;
}

bool ZipByteSource::ReadAt(unsigned long long position, void* buffer, size_t count)
{
    if (position < origin_ || position > end_ || count > end_ - position)
        return false;
    if (count == 0)
        return true;
    if (memory_) {
        std::memcpy(buffer, memory_ + position, count);
        return true;
    }
    if (count >= WindowSize)
        return ReadFromFile(position, buffer, count);

    Window* use = nullptr;
    for (Window& window : windows_) {
        if (position >= window.start && position + count <= window.start + window.size)
            use = &window;
    }
    if (!use) {
        use = windows_[0].lastUse <= windows_[1].lastUse ? &windows_[0] : &windows_[1];
        const size_t size = static_cast<size_t>(std::min<unsigned long long>(WindowSize, end_ - position));
        use->bytes.resize(WindowSize);
        use->size = 0;
        if (!ReadFromFile(position, use->bytes.data(), size))
            return false;
        use->start = position;
        use->size = size;
    }
    use->lastUse = ++useCounter_;
    std::memcpy(buffer, use->bytes.data() + (position - use->start), count);
    return true;
}

bool ZipByteSource::ReadFromFile(unsigned long long position, void* buffer, size_t count)
{
    if (position != filePosition_) {
        unsigned long long reached;
        if (!FilePointer(file_.Get(), static_cast<LONG>(position & 0xFFFFFFFF), static_cast<LONG>(position >> 32),
                         FILE_BEGIN, reached)) {
            filePosition_ = ~0ull;
            return false;
        }
        filePosition_ = position;
    }
    unsigned char* out = static_cast<unsigned char*>(buffer);
    while (count) {
        DWORD got = 0;
        if (!ReadFile(file_.Get(), out, static_cast<DWORD>(count), &got, nullptr) || got == 0) {
            filePosition_ = ~0ull;
            return false;
        }
        filePosition_ += got;
        out += got;
        count -= got;
    }
    return true;
}
