#include "common/FileHandle.h"

#include <utility>

FileHandle::~FileHandle() { Close(); }

FileHandle::FileHandle(FileHandle&& other) noexcept : handle_(other.Release()) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        handle_ = other.Release();
    }
    return *this;
}

bool FileHandle::Close()
{
    const bool closed = !Valid() || ::CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
}

HANDLE FileHandle::Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
