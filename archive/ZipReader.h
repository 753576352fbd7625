// The zip archive reader: lists and extracts the stored and deflated entries of a
// single-disk archive held in a file, behind a handle, or in memory. Every length and
// offset read from the archive is checked against the data that are really there.
#pragma once

#include "archive/ZipByteSource.h"
#include "archive/ZipRecords.h"
#include "archive/ZipTypes.h"
#include "common/FileHandle.h"

#include <zlib.h>

#include <memory>
#include <string>
#include <vector>

class TUnzip {
public:
    TUnzip() = default;
    ~TUnzip();
    TUnzip(const TUnzip&) = delete;
    TUnzip& operator=(const TUnzip&) = delete;

    // Finds the end record and the central directory; anything that is not a sound
    // single-disk archive gives ZipErrCorrupt.
    ZipResult OpenArchive(const void* source, DWORD length, ZipSourceKind kind);

    // Index -1 reports the number of entries in info.index.
    ZipResult GetItem(int index, ZipItemInfo& info);

    // Kind Handle or FileName writes the whole entry; kind Memory fills `target` with up
    // to `length` bytes per call (ZipMoreData) until a call gives ZipOk at the end.
    ZipResult ExtractItem(int index, void* target, DWORD length, ZipSourceKind kind);

    // Closes an entry left open by a memory extraction and the archive.
    void Close();

private:
    ZipResult FindEndRecord();
    ZipResult WalkTo(int index);
    ZipResult LoadCentralEntry();
    ZipResult CheckLocalHeader();
    ZipResult ExtractToFile(int index, void* target, ZipSourceKind kind);
    ZipResult ExtractToMemory(int index, void* target, DWORD length);
    FileHandle CreateTargetFile(const char* target, DWORD attributes, ZipResult& result);
    ZipResult OpenEntry(int index);
    bool ReadEntry(unsigned char* out, size_t wanted, size_t& produced);
    ZipResult CloseEntry();

    std::unique_ptr<ZipByteSource> source_;
    std::string rootFolder_;
    std::string lastFolderMade_;  // the folder part of the last relative target

    // The archive's layout, in absolute source positions.
    DWORD entryCount_ = 0;
    unsigned long long directoryStart_ = 0;
    unsigned long long directoryEnd_ = 0;
    unsigned long long bytesBefore_ = 0;  // data in front of the archive

    // The central entry the walk stands on.
    int currentIndex_ = -1;
    unsigned long long currentPosition_ = 0;
    ZipCentralFields current_{};
    char currentName_[260] = {};
    unsigned long long dataStart_ = 0;     // of the current entry, once its local header was checked
    unsigned long long localExtraStart_ = 0;
    WORD localExtraLength_ = 0;

    int cachedIndex_ = -1;
    ZipItemInfo cachedInfo_{};

    // The entry open for reading.
    int openIndex_ = -1;
    WORD openMethod_ = 0;
    unsigned long long nextPackedPosition_ = 0;
    unsigned long long packedLeft_ = 0;
    unsigned long long unpackedLeft_ = 0;
    DWORD expectedCrc_ = 0;
    DWORD crc_ = 0;
    bool streamEnded_ = false;
    std::vector<unsigned char> input_;
    std::vector<unsigned char> output_;  // extraction to a handle or file
    z_stream inflater_{};
    bool inflaterReady_ = false;
};
