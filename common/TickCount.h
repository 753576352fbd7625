// Milliseconds since the system started, in 64 bits, from the 32-bit GetTickCount that
// every Windows has. The compiler's thread library times its waits with GetTickCount64,
// which Windows has only from Vista on; the program hands it this count instead
// (TickCount.cpp), so that it starts on Windows XP and Server 2003.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

namespace common {

// The count after last (the count handed out before, updated here), reading the 32-bit
// ticks with readTicks, which wrap after 49.7 days: each wrap since last adds 2^32. Safe
// from many threads at once; calls must come less than 49.7 days apart.
uint64_t ExtendTickCount(std::atomic<uint64_t>& last, DWORD(WINAPI* readTicks)());

} // namespace common
