#include "archive/ZipReader.h"

#include "archive/ZipPaths.h"
#include "archive/ZipTime.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr size_t InputBufferSize = 256 * 1024;
constexpr size_t OutputBufferSize = 1 << 20;
constexpr unsigned long long EndSearchLimit = 65535;
constexpr size_t EndSearchBlock = 1028;

constexpr DWORD UnixFolderBit = 0x40000000;
constexpr DWORD UnixOwnerWriteBit = 0x00800000;

DWORD WindowsAttributes(DWORD external)
{
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if ((external & UnixFolderBit) || (external & FILE_ATTRIBUTE_DIRECTORY))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    if (external & FILE_ATTRIBUTE_ARCHIVE)
        attributes |= FILE_ATTRIBUTE_ARCHIVE;
    if (external & FILE_ATTRIBUTE_HIDDEN)
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (external & FILE_ATTRIBUTE_SYSTEM)
        attributes |= FILE_ATTRIBUTE_SYSTEM;
    if (!(external & UnixOwnerWriteBit) || (external & FILE_ATTRIBUTE_READONLY))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}

// The "UT" block of a local extra field overrides the times it carries. Blocks and
// times that would reach past the field's end are not read.
void ApplyTimeStamps(const std::vector<unsigned char>& extra, ZipItemInfo& info)
{
    size_t position = 0;
    while (position + 4 <= extra.size()) {
        const WORD tag = GetLe16(&extra[position]);
        const size_t size = GetLe16(&extra[position + 2]);
        const unsigned char* data = &extra[position + 4];
        if (size > extra.size() - position - 4)
            return;
        if (tag == ZipExtraTimeTag && size >= 1) {
            const BYTE flags = data[0];
            size_t next = 1;
            FILETIME* targets[] = {&info.lastWriteTime, &info.lastAccessTime, &info.creationTime};
            const BYTE bits[] = {ZipTimeFlagModified, ZipTimeFlagAccessed, ZipTimeFlagCreated};
            for (int i = 0; i < 3; ++i) {
                if (!(flags & bits[i]))
                    continue;
                if (next + 4 > size)
                    return;
                FILETIME time;
                if (FileTimeFromUnixTime(GetLe32(data + next), time))
                    *targets[i] = time;
                next += 4;
            }
            return;
        }
        position += 4 + size;
    }
}

bool IsFolderEntry(const ZipItemInfo& info)
{
    size_t length = std::strlen(info.name);
    return (info.attributes & FILE_ATTRIBUTE_DIRECTORY) || (length && info.name[length - 1] == '/');
}

}  // namespace

TUnzip::~TUnzip()
{
    Close();
    if (inflaterReady_)
        inflateEnd(&inflater_);
}

void TUnzip::Close()
{
    CloseEntry();
    source_.reset();
}

ZipResult TUnzip::OpenArchive(const void* source, DWORD length, ZipSourceKind kind)
{
    if (source_)
        return ZipErrNotFresh;
    source_ = std::make_unique<ZipByteSource>();
    ZipResult result = source_->Open(source, length, kind);
    if (result == ZipOk)
        result = FindEndRecord();
    if (result != ZipOk) {
        source_.reset();
        return result;
    }
    char folder[MAX_PATH];
    DWORD size = GetCurrentDirectoryA(MAX_PATH, folder);
    rootFolder_ = (size && size < MAX_PATH) ? std::string(folder, size) : std::string(".");
    if (rootFolder_.back() != '\\')
        rootFolder_ += '\\';
    currentIndex_ = -1;
    return ZipOk;
}

ZipResult TUnzip::FindEndRecord()
{
    const unsigned long long end = source_->End();
    const unsigned long long searchable = std::min(end - source_->Origin(), EndSearchLimit);
    unsigned char block[EndSearchBlock];
    // Backwards from the end, in blocks that overlap by the signature's length, so that a
    // comment after the end record is stepped over.
    unsigned long long distance = 4;
    while (distance < searchable) {
        distance = std::min(distance + 1024, searchable);
        const size_t size = static_cast<size_t>(std::min<unsigned long long>(distance, EndSearchBlock));
        const unsigned long long blockStart = end - distance;
        if (!source_->ReadAt(blockStart, block, size))
            return ZipErrCorrupt;
        for (size_t i = size - 4 + 1; i-- > 0;) {
            if (GetLe32(block + i) != ZipEndRecordSignature)
                continue;
            const unsigned long long position = blockStart + i;
            unsigned char record[ZipEndRecordSize];
            ZipEndFields fields;
            if (!source_->ReadAt(position, record, sizeof record) || !DecodeEndRecord(record, fields))
                continue;
            const unsigned long long directoryEnd =
                static_cast<unsigned long long>(fields.directoryOffset) + fields.directorySize;
            // A comment may hold the signature's bytes: only a record that describes a
            // directory fitting in front of it is the end record.
            if (fields.diskNumber != 0 || fields.directoryDisk != 0 ||
                fields.entriesOnDisk != fields.entriesTotal || directoryEnd > position ||
                static_cast<unsigned long long>(fields.entriesTotal) * ZipCentralEntrySize > fields.directorySize)
                continue;
            entryCount_ = fields.entriesTotal;
            bytesBefore_ = position - directoryEnd;
            directoryStart_ = position - fields.directorySize;
            directoryEnd_ = position;
            return ZipOk;
        }
    }
    return ZipErrCorrupt;
}

ZipResult TUnzip::LoadCentralEntry()
{
    unsigned char fixed[ZipCentralEntrySize];
    if (currentPosition_ + ZipCentralEntrySize > directoryEnd_ ||
        !source_->ReadAt(currentPosition_, fixed, sizeof fixed) || !DecodeCentralEntry(fixed, current_))
        return ZipErrCorrupt;
    const unsigned long long total =
        ZipCentralEntrySize + current_.nameLength + current_.extraLength + current_.commentLength;
    if (currentPosition_ + total > directoryEnd_)
        return ZipErrCorrupt;
    const size_t nameSize = std::min<size_t>(current_.nameLength, sizeof currentName_ - 1);
    if (!source_->ReadAt(currentPosition_ + ZipCentralEntrySize, currentName_, nameSize))
        return ZipErrCorrupt;
    currentName_[nameSize] = '\0';
    dataStart_ = 0;
    return ZipOk;
}

ZipResult TUnzip::WalkTo(int index)
{
    if (currentIndex_ < 0 || index < currentIndex_) {
        currentIndex_ = 0;
        currentPosition_ = directoryStart_;
        ZipResult result = LoadCentralEntry();
        if (result != ZipOk) {
            currentIndex_ = -1;
            return result;
        }
    }
    while (currentIndex_ < index) {
        currentPosition_ += ZipCentralEntrySize + current_.nameLength + current_.extraLength + current_.commentLength;
        ++currentIndex_;
        ZipResult result = LoadCentralEntry();
        if (result != ZipOk) {
            currentIndex_ = -1;
            return result;
        }
    }
    return ZipOk;
}

ZipResult TUnzip::CheckLocalHeader()
{
    if (dataStart_)
        return ZipOk;
    const unsigned long long header = current_.localHeaderOffset + bytesBefore_;
    unsigned char fixed[ZipLocalHeaderSize];
    ZipLocalFields local;
    if (header + ZipLocalHeaderSize > directoryStart_ || !source_->ReadAt(header, fixed, sizeof fixed) ||
        !DecodeLocalHeader(fixed, local))
        return ZipErrCorrupt;
    if (local.method != current_.method ||
        (local.method != ZipMethodStored && local.method != ZipMethodDeflated))
        return ZipErrCorrupt;
    if (!(local.flags & ZipFlagDataDescriptor) &&
        (local.crc != current_.crc || local.packedSize != current_.packedSize ||
         local.unpackedSize != current_.unpackedSize))
        return ZipErrCorrupt;
    if (local.nameLength != current_.nameLength)
        return ZipErrCorrupt;
    if (current_.method == ZipMethodStored && current_.packedSize != current_.unpackedSize)
        return ZipErrCorrupt;
    const unsigned long long data = header + ZipLocalHeaderSize + local.nameLength + local.extraLength;
    if (data + current_.packedSize > directoryStart_)
        return ZipErrCorrupt;
    localExtraStart_ = header + ZipLocalHeaderSize + local.nameLength;
    localExtraLength_ = local.extraLength;
    dataStart_ = data;
    return ZipOk;
}

ZipResult TUnzip::GetItem(int index, ZipItemInfo& info)
{
    if (!source_ || index < -1 || index >= static_cast<int>(entryCount_))
        return ZipErrArgument;
    CloseEntry();
    if (index == -1) {
        std::memset(&info, 0, sizeof info);
        info.index = static_cast<int>(entryCount_);
        return ZipOk;
    }
    if (index == cachedIndex_) {
        info = cachedInfo_;
        return ZipOk;
    }
    ZipResult result = WalkTo(index);
    if (result == ZipOk)
        result = CheckLocalHeader();
    if (result != ZipOk)
        return result;
    std::vector<unsigned char> extra(localExtraLength_);
    if (!source_->ReadAt(localExtraStart_, extra.data(), extra.size()))
        return ZipErrLocalExtra;

    std::memset(&info, 0, sizeof info);
    info.index = index;
    std::memcpy(info.name, currentName_, sizeof info.name);
    info.attributes = WindowsAttributes(current_.externalAttributes);
    info.lastWriteTime = FileTimeFromDosDateTime(current_.dosDateTime);
    info.lastAccessTime = info.lastWriteTime;
    info.creationTime = info.lastWriteTime;
    ApplyTimeStamps(extra, info);
    info.packedSize = current_.packedSize;
    info.unpackedSize = current_.unpackedSize;
    cachedIndex_ = index;
    cachedInfo_ = info;
    return ZipOk;
}

ZipResult TUnzip::ExtractItem(int index, void* target, DWORD length, ZipSourceKind kind)
{
    if (!source_)
        return ZipErrArgument;
    if (kind == ZipSourceKind::Memory)
        return ExtractToMemory(index, target, length);
    CloseEntry();
    if (index < 0 || index >= static_cast<int>(entryCount_))
        return ZipErrArgument;
    if (kind != ZipSourceKind::Handle && kind != ZipSourceKind::FileName)
        return ZipErrArgument;
    return ExtractToFile(index, target, kind);
}

ZipResult TUnzip::ExtractToFile(int index, void* target, ZipSourceKind kind)
{
    if (!target || (kind == ZipSourceKind::FileName && !*static_cast<const char*>(target)))
        return ZipErrArgument;
    ZipItemInfo info;
    ZipResult result = GetItem(index, info);
    if (result != ZipOk)
        return result;

    if (IsFolderEntry(info)) {
        if (kind == ZipSourceKind::Handle)
            return ZipOk;
        // Folder entries are always placed below the root folder.
        const std::string name = info.name;
        if (!IsRelativeTarget(name) || HasParentStep(name))
            return ZipErrUnsafePath;
        return CreateFoldersBelow(rootFolder_, name) ? ZipOk : ZipErrOpenFile;
    }

    FileHandle created;
    HANDLE out = static_cast<HANDLE>(target);
    if (kind == ZipSourceKind::FileName) {
        created = CreateTargetFile(static_cast<const char*>(target), info.attributes, result);
        if (!created.Valid())
            return result;
        out = created.Get();
    }
    result = OpenEntry(index);
    if (result == ZipOk) {
        // Made once per reader: a fresh megabyte for every small file costs more than the file.
        if (output_.empty())
            output_.resize(OutputBufferSize);
        while (unpackedLeft_ > 0) {
            size_t produced = 0;
            if (!ReadEntry(output_.data(), output_.size(), produced)) {
                result = ZipErrWrite;
                break;
            }
            DWORD written = 0;
            if (!WriteFile(out, output_.data(), static_cast<DWORD>(produced), &written, nullptr) ||
                written != produced) {
                result = ZipErrWrite;
                break;
            }
        }
        ZipResult closed = CloseEntry();
        if (result == ZipOk)
            result = closed;
    }
    if (result == ZipOk && GetFileType(out) == FILE_TYPE_DISK)
        SetFileTime(out, &info.creationTime, &info.lastAccessTime, &info.lastWriteTime);
    return result;
}

FileHandle TUnzip::CreateTargetFile(const char* target, DWORD attributes, ZipResult& result)
{
    const std::string name = target;
    if (HasParentStep(name)) {
        result = ZipErrUnsafePath;
        return FileHandle();
    }
    // A relative target lives below the root folder, and its folders are made there; an
    // absolute one is created as named, in folders that must exist already.
    const bool relative = IsRelativeTarget(name);
    const std::string path = WithBackslashes(relative ? rootFolder_ + name : name);
    const std::string folders = FolderPart(name);
    const bool madeBefore = relative && folders == lastFolderMade_;
    if (relative && !madeBefore) {
        CreateFoldersBelow(rootFolder_, folders);
        lastFolderMade_ = folders;
    }
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    if (!file.Valid() && madeBefore && GetLastError() == ERROR_PATH_NOT_FOUND) {
        // The folders made for an earlier entry have gone since.
        CreateFoldersBelow(rootFolder_, folders);
        file = FileHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    }
    if (!file.Valid())
        result = ZipErrOpenFile;
    return file;
}

ZipResult TUnzip::ExtractToMemory(int index, void* target, DWORD length)
{
    if (!target || length == 0)
        return ZipErrArgument;
    if (openIndex_ < 0 || index != openIndex_) {
        CloseEntry();
        if (index < 0 || index >= static_cast<int>(entryCount_))
            return ZipErrArgument;
        ZipResult result = OpenEntry(index);
        if (result != ZipOk)
            return result;
    }
    size_t produced = 0;
    if (!ReadEntry(static_cast<unsigned char*>(target), length, produced)) {
        CloseEntry();
        return ZipErrInflate;
    }
    if (produced > 0)
        return ZipMoreData;
    return CloseEntry();
}

ZipResult TUnzip::OpenEntry(int index)
{
    ZipResult result = WalkTo(index);
    if (result == ZipOk)
        result = CheckLocalHeader();
    if (result != ZipOk)
        return result;
    openMethod_ = current_.method;
    nextPackedPosition_ = dataStart_;
    packedLeft_ = current_.packedSize;
    unpackedLeft_ = current_.unpackedSize;
    expectedCrc_ = current_.crc;
    crc_ = crc32(0, Z_NULL, 0);
    streamEnded_ = false;
    if (input_.empty())
        input_.resize(InputBufferSize);
    if (openMethod_ == ZipMethodDeflated) {
        int status = inflaterReady_ ? inflateReset(&inflater_) : inflateInit2(&inflater_, -MAX_WBITS);
        if (status != Z_OK)
            return ZipErrMapping; // the inflater's state could not be allocated
        inflaterReady_ = true;
    }
    inflater_.next_in = input_.data();
    inflater_.avail_in = 0;
    openIndex_ = index;
    return ZipOk;
}

bool TUnzip::ReadEntry(unsigned char* out, size_t wanted, size_t& produced)
{
    produced = 0;
    while (produced < wanted && unpackedLeft_ > 0) {
        if (inflater_.avail_in == 0 && packedLeft_ > 0) {
            const size_t size = static_cast<size_t>(std::min<unsigned long long>(packedLeft_, input_.size()));
            if (!source_->ReadAt(nextPackedPosition_, input_.data(), size))
                return false;
            nextPackedPosition_ += size;
            packedLeft_ -= size;
            inflater_.next_in = input_.data();
            inflater_.avail_in = static_cast<uInt>(size);
        }
        const size_t room = static_cast<size_t>(
            std::min<unsigned long long>({wanted - produced, unpackedLeft_, UINT_MAX}));
        size_t got;
        if (openMethod_ == ZipMethodDeflated) {
            if (streamEnded_)
                return false;  // the stream ended before the size the directory gives
            inflater_.next_out = out + produced;
            inflater_.avail_out = static_cast<uInt>(room);
            const int status = inflate(&inflater_, Z_SYNC_FLUSH);
            got = room - inflater_.avail_out;
            if (status == Z_STREAM_END)
                streamEnded_ = true;
            else if (status != Z_OK && status != Z_BUF_ERROR)
                return false;
            if (got == 0 && !streamEnded_ && inflater_.avail_in == 0 && packedLeft_ == 0)
                return false;  // the packed data ran out first
        } else {
            if (inflater_.avail_in == 0)
                return false;
            got = std::min<size_t>(room, inflater_.avail_in);
            std::memcpy(out + produced, inflater_.next_in, got);
            inflater_.next_in += got;
            inflater_.avail_in -= static_cast<uInt>(got);
        }
        crc_ = crc32(crc_, out + produced, static_cast<uInt>(got));
        produced += got;
        unpackedLeft_ -= got;
        if (streamEnded_ && unpackedLeft_ > 0)
            return false;
    }
    return true;
}

ZipResult TUnzip::CloseEntry()
{
    if (openIndex_ < 0)
        return ZipOk;
    openIndex_ = -1;
    if (unpackedLeft_ == 0 && crc_ != expectedCrc_)
        return ZipErrCrc;
    return ZipOk;
}
