#include "common/Wow64.h"

#include <windows.h>

namespace common {

bool RunsUnderWow64()
{
    // IsWow64Process came with XP SP2: looked up, so that the program starts without it.
    static const bool wow64 = [] {
        using IsWow64 = BOOL(WINAPI*)(HANDLE, PBOOL);
        const auto isWow64 = reinterpret_cast<IsWow64>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
        BOOL result = FALSE;
        return isWow64 && isWow64(::GetCurrentProcess(), &result) && result;
    }();
    return wow64;
}

} // namespace common
