// The system's own words for an error code.
#pragma once

#include <windows.h>

#include <string>

namespace common {

// The system's text for a Win32 error code (in the system's language), without the line
// break it ends in; "error N" when the system has none.
std::string SystemErrorText(DWORD error);

} // namespace common
