#include "filetools/ShredderMessages.h"

#include "common/SystemError.h"
#include "filetools/ShredderIo.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

std::string FormatText(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, arguments);
        text.assign(buffer.data(), static_cast<size_t>(length));
    }
    va_end(arguments);
    return text;
}

std::string FormatSystemErrorMessage(DWORD error) { return common::SystemErrorText(error) + "\n"; }

std::string FormatNtStatusMessage(LONG status, ShredderIo& io)
{
    return FormatSystemErrorMessage(io.NtStatusToWin32Error(status));
}
