// The bytes of an archive being read: a file, a caller's handle or a memory block.
// Reads are by absolute position and never go past the end of the data; small reads
// are served from two cached windows, so that walking the central directory and reading
// the entries it points to cost few system calls.
#pragma once

#include "archive/ZipTypes.h"
#include "common/FileHandle.h"

#include <cstddef>
#include <vector>

class ZipByteSource {
public:
    ZipByteSource() = default;
    ZipByteSource(const ZipByteSource&) = delete;
    ZipByteSource& operator=(const ZipByteSource&) = delete;

    // Kind Handle duplicates the handle, which must be a disk file; the archive is looked
    // for from its current position on. Kind FileName opens an existing file for reading.
    ZipResult Open(const void* source, DWORD length, ZipSourceKind kind);

    unsigned long long Origin() const { return origin_; }  // where the data begin
    unsigned long long End() const { return end_; }        // where they end

    // Exactly `count` bytes at `position`, or false when they are not all there.
    bool ReadAt(unsigned long long position, void* buffer, size_t count);

private:
    struct Window {
        unsigned long long start = 0;
        size_t size = 0;
        unsigned long long lastUse = 0;
        std::vector<unsigned char> bytes;
    };

    bool ReadFromFile(unsigned long long position, void* buffer, size_t count);

    FileHandle file_;
    const unsigned char* memory_ = nullptr;
    unsigned long long origin_ = 0;
    unsigned long long end_ = 0;
    unsigned long long filePosition_ = ~0ull;  // where the OS file pointer stands
    Window windows_[2];
    unsigned long long useCounter_ = 0;
};
