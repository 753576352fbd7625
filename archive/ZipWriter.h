// The zip archive writer: deflated or stored entries, no encryption, no zip64, written
// to a file, a caller's handle (seekable or not) or a block of memory.
#pragma once

#include "archive/ZipRecords.h"
#include "archive/ZipTypes.h"
#include "common/FileHandle.h"

#include <zlib.h>

#include <memory>
#include <vector>

class ZipDeflatePool;
class ZipEntrySource;

class TZip {
public:
    TZip();
    ~TZip();
    TZip(const TZip&) = delete;
    TZip& operator=(const TZip&) = delete;

    // Kind Handle duplicates `target`; FileName creates or truncates the file; Memory
    // writes into `target` (size bytes) or, for a null target, into a mapping of its own.
    ZipResult OpenTarget(void* target, DWORD size, ZipSourceKind kind);

    // Adds one entry. `name` is its name in the archive ('\' becomes '/'); `source` and
    // `length` are read as `kind` says.
    ZipResult AddEntry(const char* name, const void* source, DWORD length, ZipSourceKind kind);

    // Writes the central directory and the end record, then lets go of the target.
    ZipResult Finish();

private:
    enum class DataOutcome { Done, Failed, TooLarge };

    DataOutcome StoreData(ZipEntrySource& source);
    DataOutcome DeflateData(ZipEntrySource& source);
    DataOutcome DeflateInPieces(ZipEntrySource& source);
    // The next data of the source, counted and added to the CRC; false at the end or,
    // with `failed` set, on a read error.
    bool ReadSource(ZipEntrySource& source, const unsigned char*& data, size_t& size, bool& failed);
    bool BeyondFormat() const;

    // Output. Bytes go straight into a memory target, and through a buffer to a file
    // target; `runningOffset_` counts every byte taken so far.
    unsigned char* Reserve(size_t& available);
    void Commit(size_t count) { runningOffset_ += count; }
    bool Emit(const void* data, size_t count);
    bool Flush();
    bool SeekFile(unsigned long long offset);
    ZipResult PatchLocalHeader(const ZipEntryRecord& entry, unsigned long long headerOffset);
    void RollBackTo(unsigned long long offset);
    ZipResult WriteCentralDirectory();
    void ReleaseTarget();

    FileHandle file_;
    HANDLE mapping_ = nullptr;
    unsigned char* memory_ = nullptr;
    DWORD capacity_ = 0;
    unsigned long long initialOffset_ = 0;
    unsigned long long runningOffset_ = 0;
    unsigned long long flushedOffset_ = 0;  // file targets: bytes before this are on the target
    ZipResult sticky_ = ZipOk;
    bool seekable_ = false;
    bool finished_ = false;
    std::vector<ZipEntryRecord> entries_;
    std::vector<unsigned char> output_;
    std::vector<unsigned char> input_;

    // The current entry's running totals.
    unsigned long long bytesRead_ = 0;
    DWORD crc_ = 0;

    z_stream deflater_{};
    bool deflaterReady_ = false;
    std::unique_ptr<ZipDeflatePool> pool_;  // for large entries, made when first needed
};
