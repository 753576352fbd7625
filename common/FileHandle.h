// An open file or folder (CreateFileA and its kin), closed once when it goes out of scope.
// INVALID_HANDLE_VALUE, what a failed open gives, is the empty value.
#pragma once

#include <windows.h>

class FileHandle {
public:
    FileHandle() = default;
    // Takes over an open handle, or the INVALID_HANDLE_VALUE of a failed open.
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // Closes the file now, where what follows needs it closed (a rename, a delete, a new
    // open without sharing); false when the system reports that the close failed.
    bool Close();
    // Hands the handle over to a caller that closes it itself; empty afterwards.
    HANDLE Release();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
