#include "archive/ZipRecords.h"

#include "common/CaseRule.h"

#include <cstring>

void EncodeLocalHeaderFixed(const ZipEntryRecord& entry, unsigned char out[ZipLocalHeaderSize])
{
    PutLe32(out, ZipLocalHeaderSignature);
    PutLe16(out + 4, entry.versionNeeded);
    PutLe16(out + 6, entry.localFlags);
    PutLe16(out + 8, entry.method);
    PutLe32(out + 10, entry.dosDateTime);
    PutLe32(out + 14, entry.crc);
    PutLe32(out + 18, entry.packedSize);
    PutLe32(out + 22, entry.unpackedSize);
    PutLe16(out + 26, static_cast<WORD>(entry.name.size()));
    PutLe16(out + 28, static_cast<WORD>(ZipLocalExtraSize));
}

int WriteLocalFileHeader(const ZipEntryRecord& entry, const ZipWriteCallback& write)
{
    // Assembled in one piece so that the target sees a single write.
    unsigned char buffer[ZipLocalHeaderSize + ZipMaxNameLength + ZipLocalExtraSize];
    EncodeLocalHeaderFixed(entry, buffer);
    size_t size = ZipLocalHeaderSize;
    std::memcpy(buffer + size, entry.name.data(), entry.name.size());
    size += entry.name.size();
    std::memcpy(buffer + size, entry.localExtra, ZipLocalExtraSize);
    size += ZipLocalExtraSize;
    return write(buffer, size) ? 0 : 1;
}

int WriteDataDescriptor(const ZipEntryRecord& entry, const ZipWriteCallback& write)
{
    unsigned char buffer[ZipDataDescriptorSize];
    PutLe32(buffer, ZipDataDescriptorSignature);
    PutLe32(buffer + 4, entry.crc);
    PutLe32(buffer + 8, entry.packedSize);
    PutLe32(buffer + 12, entry.unpackedSize);
    return write(buffer, sizeof buffer) ? 0 : 1;
}

int WriteCentralDirEntry(const ZipEntryRecord& entry, const ZipWriteCallback& write)
{
    unsigned char buffer[ZipCentralEntrySize + ZipMaxNameLength + ZipCentralExtraSize];
    unsigned char* p = buffer;
    PutLe32(p, ZipCentralEntrySignature);
    PutLe16(p + 4, entry.versionMadeBy);
    PutLe16(p + 6, entry.versionNeeded);
    PutLe16(p + 8, entry.flags);
    PutLe16(p + 10, entry.method);
    PutLe32(p + 12, entry.dosDateTime);
    PutLe32(p + 16, entry.crc);
    PutLe32(p + 20, entry.packedSize);
    PutLe32(p + 24, entry.unpackedSize);
    PutLe16(p + 28, static_cast<WORD>(entry.name.size()));
    PutLe16(p + 30, static_cast<WORD>(ZipCentralExtraSize));
    PutLe16(p + 32, entry.commentLength);
    PutLe16(p + 34, entry.diskNumber);
    PutLe16(p + 36, entry.internalAttributes);
    PutLe32(p + 38, entry.externalAttributes);
    PutLe32(p + 42, entry.localHeaderOffset);
    size_t size = ZipCentralEntrySize;
    std::memcpy(buffer + size, entry.name.data(), entry.name.size());
    size += entry.name.size();
    std::memcpy(buffer + size, entry.centralExtra, ZipCentralExtraSize);
    size += ZipCentralExtraSize;
    return write(buffer, size) ? 0 : 1;
}

int WriteEndOfCentralDir(WORD entryCount, DWORD directorySize, DWORD directoryOffset,
                         const ZipWriteCallback& write)
{
    unsigned char buffer[ZipEndRecordSize];
    PutLe32(buffer, ZipEndRecordSignature);
    PutLe16(buffer + 4, 0);
    PutLe16(buffer + 6, 0);
    PutLe16(buffer + 8, entryCount);
    PutLe16(buffer + 10, entryCount);
    PutLe32(buffer + 12, directorySize);
    PutLe32(buffer + 16, directoryOffset);
    PutLe16(buffer + 20, 0);
    return write(buffer, sizeof buffer) ? 0 : 1;
}

void SetTimeExtras(ZipEntryRecord& entry, DWORD modified, DWORD accessed, DWORD created)
{
    const BYTE allTimes = ZipTimeFlagModified | ZipTimeFlagAccessed | ZipTimeFlagCreated;
    unsigned char* local = entry.localExtra;
    PutLe16(local, ZipExtraTimeTag);
    PutLe16(local + 2, 13);
    local[4] = allTimes;
    PutLe32(local + 5, modified);
    PutLe32(local + 9, accessed);
    PutLe32(local + 13, created);

    // The central block keeps the flags of the local one but carries only the first time.
    unsigned char* central = entry.centralExtra;
    PutLe16(central, ZipExtraTimeTag);
    PutLe16(central + 2, 5);
    central[4] = allTimes;
    PutLe32(central + 5, modified);
}

bool IsStoredSuffix(const char* name)
{
    static const char* const suffixes[] = {".Z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"};
    const char* dot = std::strrchr(name, '.');
    if (!dot)
        return false;
    for (const char* suffix : suffixes) {
        if (common::SameText(dot, suffix))
            return true;
    }
    return false;
}

bool DecodeCentralEntry(const unsigned char in[ZipCentralEntrySize], ZipCentralFields& out)
{
    if (GetLe32(in) != ZipCentralEntrySignature)
        return false;
    out.flags = GetLe16(in + 8);
    out.method = GetLe16(in + 10);
    out.dosDateTime = GetLe32(in + 12);
    out.crc = GetLe32(in + 16);
    out.packedSize = GetLe32(in + 20);
    out.unpackedSize = GetLe32(in + 24);
    out.nameLength = GetLe16(in + 28);
    out.extraLength = GetLe16(in + 30);
    out.commentLength = GetLe16(in + 32);
    out.externalAttributes = GetLe32(in + 38);
    out.localHeaderOffset = GetLe32(in + 42);
    return true;
}

bool DecodeLocalHeader(const unsigned char in[ZipLocalHeaderSize], ZipLocalFields& out)
{
    if (GetLe32(in) != ZipLocalHeaderSignature)
        return false;
    out.flags = GetLe16(in + 6);
    out.method = GetLe16(in + 8);
    out.crc = GetLe32(in + 14);
    out.packedSize = GetLe32(in + 18);
    out.unpackedSize = GetLe32(in + 22);
    out.nameLength = GetLe16(in + 26);
    out.extraLength = GetLe16(in + 28);
    return true;
}

bool DecodeEndRecord(const unsigned char in[ZipEndRecordSize], ZipEndFields& out)
{
    if (GetLe32(in) != ZipEndRecordSignature)
        return false;
    out.diskNumber = GetLe16(in + 4);
    out.directoryDisk = GetLe16(in + 6);
    out.entriesOnDisk = GetLe16(in + 8);
    out.entriesTotal = GetLe16(in + 10);
    out.directorySize = GetLe32(in + 12);
    out.directoryOffset = GetLe32(in + 16);
    return true;
}
