// The fixed records of a zip archive: their signatures and sizes, the writer's entry
// record with the functions that emit it, and the decoded fields that the reader checks.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

constexpr DWORD ZipLocalHeaderSignature = 0x04034B50;
constexpr DWORD ZipDataDescriptorSignature = 0x08074B50;
constexpr DWORD ZipCentralEntrySignature = 0x02014B50;
constexpr DWORD ZipEndRecordSignature = 0x06054B50;

constexpr size_t ZipLocalHeaderSize = 30;
constexpr size_t ZipDataDescriptorSize = 16;
constexpr size_t ZipCentralEntrySize = 46;
constexpr size_t ZipEndRecordSize = 22;

constexpr WORD ZipVersionMadeBy = 0x0B17;
constexpr WORD ZipVersionNeeded = 20;
constexpr WORD ZipFlagDataDescriptor = 8;  // sizes and CRC follow the data
constexpr WORD ZipMethodStored = 0;
constexpr WORD ZipMethodDeflated = 8;

// The writer keeps names short enough for the reader's 260-character name buffer.
constexpr size_t ZipMaxNameLength = 259;

// The "UT" time stamps: modification, access and creation time in the local header,
// the modification time alone in the central directory.
constexpr size_t ZipLocalExtraSize = 17;
constexpr size_t ZipCentralExtraSize = 9;
constexpr WORD ZipExtraTimeTag = 0x5455;  // "UT"
constexpr BYTE ZipTimeFlagModified = 1;
constexpr BYTE ZipTimeFlagAccessed = 2;
constexpr BYTE ZipTimeFlagCreated = 4;

// Largest value a 32-bit size or offset field may hold; all bits set is the marker that
// other tools read as "look in a zip64 record", which this format does not have.
constexpr unsigned long long ZipMax32 = 0xFFFFFFFEull;
constexpr size_t ZipMaxEntries = 0xFFFF;

inline WORD GetLe16(const unsigned char* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
inline DWORD GetLe32(const unsigned char* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}
inline void PutLe16(unsigned char* p, WORD v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
}
inline void PutLe32(unsigned char* p, DWORD v)
{
    PutLe16(p, static_cast<WORD>(v));
    PutLe16(p + 2, static_cast<WORD>(v >> 16));
}

// One added entry as the writer remembers it until the central directory is written.
struct ZipEntryRecord {
    WORD versionMadeBy = ZipVersionMadeBy;
    WORD versionNeeded = ZipVersionNeeded;
    WORD flags = 0;
    WORD method = ZipMethodDeflated;
    DWORD dosDateTime = 0;  // time in the low half, date in the high half
    DWORD crc = 0;
    DWORD packedSize = 0;
    DWORD unpackedSize = 0;
    WORD commentLength = 0;
    WORD diskNumber = 0;
    WORD internalAttributes = 0;
    WORD localFlags = 0;
    DWORD externalAttributes = 0;
    DWORD localHeaderOffset = 0;
    std::string name;
    unsigned char localExtra[ZipLocalExtraSize] = {};
    unsigned char centralExtra[ZipCentralExtraSize] = {};
};

// Receives the bytes of one record; true when all of them were taken.
using ZipWriteCallback = std::function<bool(const void* data, size_t count)>;

// Each emits its record through the callback in one call and returns 0, or 1 when the
// callback did not take it.
int WriteLocalFileHeader(const ZipEntryRecord& entry, const ZipWriteCallback& write);
int WriteDataDescriptor(const ZipEntryRecord& entry, const ZipWriteCallback& write);
int WriteCentralDirEntry(const ZipEntryRecord& entry, const ZipWriteCallback& write);
int WriteEndOfCentralDir(WORD entryCount, DWORD directorySize, DWORD directoryOffset,
                         const ZipWriteCallback& write);

// The fixed 30 bytes of the local header, for patching the sizes in after the data.
void EncodeLocalHeaderFixed(const ZipEntryRecord& entry, unsigned char out[ZipLocalHeaderSize]);

// Fills both "UT" blocks of the entry (flags 7) from the three Unix times.
void SetTimeExtras(ZipEntryRecord& entry, DWORD modified, DWORD accessed, DWORD created);

// Names whose ending marks data that is compressed already are stored, not deflated.
bool IsStoredSuffix(const char* name);

// The fields of a central directory entry's fixed part, as the reader uses them.
struct ZipCentralFields {
    WORD flags;
    WORD method;
    DWORD dosDateTime;
    DWORD crc;
    DWORD packedSize;
    DWORD unpackedSize;
    WORD nameLength;
    WORD extraLength;
    WORD commentLength;
    DWORD externalAttributes;
    DWORD localHeaderOffset;
};
// False when the signature is wrong.
bool DecodeCentralEntry(const unsigned char in[ZipCentralEntrySize], ZipCentralFields& out);

struct ZipLocalFields {
    WORD flags;
    WORD method;
    DWORD crc;
    DWORD packedSize;
    DWORD unpackedSize;
    WORD nameLength;
    WORD extraLength;
};
bool DecodeLocalHeader(const unsigned char in[ZipLocalHeaderSize], ZipLocalFields& out);

struct ZipEndFields {
    WORD diskNumber;
    WORD directoryDisk;
    WORD entriesOnDisk;
    WORD entriesTotal;
    DWORD directorySize;
    DWORD directoryOffset;
};
bool DecodeEndRecord(const unsigned char in[ZipEndRecordSize], ZipEndFields& out);
