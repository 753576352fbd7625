// A search of a folder's entries (FindFirstFileA), closed when it goes out of scope.
#pragma once

#include <windows.h>

#include <string>

class FindHandle {
public:
    FindHandle() = default;
    // Starts the search and fills entry with the first match; Valid() tells whether there was one.
    FindHandle(const std::string& pattern, WIN32_FIND_DATAA& entry);
    ~FindHandle();
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    FindHandle(FindHandle&& other) noexcept;
    FindHandle& operator=(FindHandle&& other) noexcept;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    // The next match into entry; false when there is none (or the search is not valid).
    bool Next(WIN32_FIND_DATAA& entry);
    HANDLE Get() const { return handle_; }

private:
    void Close();

    HANDLE handle_ = INVALID_HANDLE_VALUE;
};
