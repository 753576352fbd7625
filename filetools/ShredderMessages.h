// Text helpers for the shredder engine's console lines.
#pragma once

#include <windows.h>

#include <string>

class ShredderIo;

// printf into a string of any length.
std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(gnu_printf, 1, 2)))
#endif
    ;

// The system's text for a Win32 error code, followed by a line feed.
std::string FormatSystemErrorMessage(DWORD error);

// The same for an NT status, turned into a Win32 code first.
std::string FormatNtStatusMessage(LONG status, ShredderIo& io);
