#include "common/FindHandle.h"

#include <utility>

FindHandle::FindHandle(const std::string& pattern, WIN32_FIND_DATAA& entry)
    : handle_(::FindFirstFileA(pattern.c_str(), &entry))
{
}

FindHandle::~FindHandle() { Close(); }

FindHandle::FindHandle(FindHandle&& other) noexcept
    : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE))
{
}

FindHandle& FindHandle::operator=(FindHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    }
    return *this;
}

bool FindHandle::Next(WIN32_FIND_DATAA& entry)
{
    return Valid() && ::FindNextFileA(handle_, &entry) != FALSE;
}

void FindHandle::Close()
{
    if (Valid())
        ::FindClose(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}
