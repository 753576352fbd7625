#include "common/TickCount.h"

namespace common {

uint64_t ExtendTickCount(std::atomic<uint64_t>& last, DWORD(WINAPI* readTicks)())
{
    uint64_t before = last.load();
    for (;;) {
        // Read after the count it is measured from, so that the ticks are never behind it:
        // the distance, modulo 2^32, is the time passed, across a wrap too.
        const DWORD now = readTicks();
        const uint64_t count = before + static_cast<DWORD>(now - static_cast<DWORD>(before));
        if (last.compare_exchange_weak(before, count))
            return count;
    }
}

} // namespace common

namespace {

std::atomic<uint64_t> lastTickCount{0};

ULONGLONG WINAPI TickCount64() { return common::ExtendTickCount(lastTickCount, GetTickCount); }

} // namespace

// The thread library calls GetTickCount64 through this import pointer. Defined here, and
// pulled into every program by the linker's --undefined (CMakeLists.txt) ahead of the
// system libraries, it takes the place of KERNEL32's import.
#ifdef _WIN64
#define TIDEWRACK_TICKCOUNT64_IMPORT "__imp_GetTickCount64"
#else
#define TIDEWRACK_TICKCOUNT64_IMPORT "__imp__GetTickCount64@0"
#endif
extern "C" ULONGLONG(WINAPI* const threadLibraryTickCount64)() __asm__(TIDEWRACK_TICKCOUNT64_IMPORT);
extern "C" ULONGLONG(WINAPI* const threadLibraryTickCount64)() = TickCount64;
