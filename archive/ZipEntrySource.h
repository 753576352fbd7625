// Where the writer takes one entry's data from: a file by name, a caller's handle, a
// memory block, or nothing for a folder entry; with the attributes and times that the
// entry's records carry.
#pragma once

#include "archive/ZipTypes.h"
#include "common/FileHandle.h"

#include <cstddef>
#include <vector>

class ZipEntrySource {
public:
    static constexpr unsigned long long UnknownLength = ~0ull;

    ZipEntrySource() = default;
    ZipEntrySource(const ZipEntrySource&) = delete;
    ZipEntrySource& operator=(const ZipEntrySource&) = delete;

    // Opens the source and gathers its facts; a failure is the add's result.
    ZipResult Open(const void* source, DWORD length, ZipSourceKind kind);

    // The next piece of data, pointing into the block for memory and into `buffer`
    // otherwise; an empty piece is the end. False on a read error.
    bool Next(std::vector<unsigned char>& buffer, const unsigned char*& data, size_t& size);

    // Closes a handle that Open opened itself.
    void Close();

    DWORD ExternalAttributes() const;  // includes owner-execute once a program header was seen
    unsigned long long DeclaredLength() const { return declaredLength_; }
    DWORD DosDateTime() const { return dosDateTime_; }
    DWORD ModifiedTime() const { return modified_; }
    DWORD AccessedTime() const { return accessed_; }
    DWORD CreatedTime() const { return created_; }

private:
    ZipResult TakeHandleFacts();
    ZipResult TakeNamedFileFacts(const char* name);
    void TakeFacts(const WIN32_FILE_ATTRIBUTE_DATA& facts);
    void TakeCurrentTime();

    FileHandle opened_;                     // a file Open opened by its name
    HANDLE handle_ = INVALID_HANDLE_VALUE;  // what is read: opened_ or the caller's handle
    bool diskFile_ = false;
    bool ended_ = false;
    bool firstPiece_ = true;
    bool executable_ = false;
    const unsigned char* memory_ = nullptr;
    size_t memoryLength_ = 0;
    DWORD externalAttributes_ = 0;
    unsigned long long declaredLength_ = 0;
    DWORD dosDateTime_ = 0;
    DWORD modified_ = 0;
    DWORD accessed_ = 0;
    DWORD created_ = 0;
};

// Whether data that begin with `head` (of a file of `fileSize` bytes) are a program:
// an "MZ" header whose new-header offset points at a "PE", "NE", "LE" or "LX" signature
// inside `head`.
bool LooksExecutable(const unsigned char* head, size_t headSize, unsigned long long fileSize);
