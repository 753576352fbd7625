// The values that the zip writer's and reader's flat operations take and hand out.
#pragma once

#include <windows.h>

// What the source or target argument of an open, add or extract call is.
enum class ZipSourceKind : int {
    Handle = 1,    // an OS handle (file, pipe, ...)
    FileName = 2,  // a zero-terminated ANSI file name
    Memory = 3,    // a block of memory with its length
    Folder = 4,    // a folder entry; the writer's add only, carries no data
};

// Which engine a handle belongs to.
enum class ZipHandleKind : int {
    Reader = 1,
    Writer = 2,
};

// The handle of one open archive: made by an open operation, freed by the matching close.
struct ZipHandleRecord {
    ZipHandleKind kind;
    void* object;  // the TUnzip or TZip behind it
};
using ZipHandle = ZipHandleRecord*;

// Result of every operation: 0 is success; anything else names the failure.
using ZipResult = DWORD;

constexpr ZipResult ZipOk = 0;
constexpr ZipResult ZipErrDuplicate = 0x100;       // duplicating the caller's handle failed
constexpr ZipResult ZipErrOpenFile = 0x200;        // opening/creating a file or reading its information failed
constexpr ZipResult ZipErrMapping = 0x300;         // memory could not be had: the writer's own block, the reader's inflater
constexpr ZipResult ZipErrWrite = 0x400;           // writing failed, or reading/inflating an entry's data failed
constexpr ZipResult ZipMoreData = 0x600;           // memory extraction delivered data; call again for more
constexpr ZipResult ZipErrCorrupt = 0x700;         // not an archive, or its records disagree or run past their data
constexpr ZipResult ZipErrLocalExtra = 0x800;      // the entry's local extra field cannot be read
constexpr ZipResult ZipErrCrc = 0x900;             // the extracted data do not match the stored CRC-32
constexpr ZipResult ZipErrUnsafePath = 0xA00;      // an extraction path would leave its target folder
constexpr ZipResult ZipErrArgument = 0x10000;      // faulty argument
constexpr ZipResult ZipErrMemoryFull = 0x30000;    // memory target of size 0, or full
constexpr ZipResult ZipErrPending = 0x40000;       // an earlier write or seek error stops all further adds
constexpr ZipResult ZipErrFinished = 0x50000;      // the archive was already finished
constexpr ZipResult ZipErrWrongHandle = 0x80000;   // a reader's handle given to the writer or the other way round
constexpr ZipResult ZipErrNotFresh = 0x1000000;    // internal state wrong: not fresh at open, or no target
constexpr ZipResult ZipErrNotSeekable = 0x2000000; // a seek on a target that cannot seek; a reader source that is no disk file
constexpr ZipResult ZipErrStreamChange = 0x4000000; // on a non-seekable target the stored size differs from the declared one
constexpr ZipResult ZipErrInflate = 0x5000000;     // memory extraction ended with a read or inflate error
constexpr ZipResult ZipErrTooLarge = 0x8000000;    // an entry, offset or entry count outgrows the format's 32/16 bits

// One archive entry as the reader reports it.
struct ZipItemInfo {
    int index;              // for index -1: the number of entries
    char name[260];         // as stored, '/' separators kept, cut at 259 characters
    DWORD attributes;       // Windows file attributes
    FILETIME lastAccessTime;
    FILETIME creationTime;
    FILETIME lastWriteTime;
    DWORD packedSize;
    DWORD unpackedSize;
};
