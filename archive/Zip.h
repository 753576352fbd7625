// archive/ (an area): the zip writer and reader, backup projects and the backups browser.
// The flat operations of the zip writer and reader. Every caller goes through these:
// open gives a handle, the other calls take it, close frees it.
#pragma once

#include "archive/ZipTypes.h"

// Writer. `target` is a handle, a file name or a memory block of `size` bytes (null: the
// writer makes a mapping of its own), as `kind` says. Null on failure; the reason is in
// ZipWriterLastResult.
ZipHandle ZipWriterOpen(void* target, DWORD size, ZipSourceKind kind);
// Adds one entry named `name` from a handle, a file name, a memory block of `length`
// bytes, or as a folder. For a handle that is no disk file a non-zero `length` declares
// the data's length.
ZipResult ZipWriterAdd(ZipHandle handle, const char* name, const void* source, DWORD length, ZipSourceKind kind);
// Writes the central directory and the end record and frees the handle.
ZipResult ZipWriterClose(ZipHandle handle);
// The result of the writer's last operation, open included.
ZipResult ZipWriterLastResult();

// Reader. `source` is a disk-file handle, a file name or a memory block of `length`
// bytes that stays alive until the close. Null on failure; the reason is in
// ZipReaderLastResult.
ZipHandle ZipReaderOpen(const void* source, DWORD length, ZipSourceKind kind);
ZipResult ZipReaderGetItem(ZipHandle handle, int index, ZipItemInfo* info);
// Kind FileName: a relative target goes below the folder that was current at open, with
// its folders made there; an absolute one is created as named. Kind Memory: call again
// with the same index while the result is ZipMoreData.
ZipResult ZipReaderUnzipItem(ZipHandle handle, int index, void* target, DWORD length, ZipSourceKind kind);
ZipResult ZipReaderClose(ZipHandle handle);
ZipResult ZipReaderLastResult();

// True for a null handle and for a reader's handle: such a handle is closed with
// ZipReaderClose, any other with ZipWriterClose.
bool IsZipReaderHandle(ZipHandle handle);
