// The three overwrite patterns: all zero bytes, all 0xFF bytes and random bytes. They are
// made once per process and reused for every file, pass and region, so a pass never
// needs a fresh buffer.
#pragma once

#include <windows.h>

class ShredderObserver;

// Bytes in each pattern block, and so the largest single write. The blocks are page
// aligned and a multiple of every sector size, which writes to unbuffered files and to
// raw volumes require.
constexpr DWORD kPatternBlockSize = 65536;

enum ShredderPattern { kZeros = 0, kOnes = 1, kRandom = 2, kPatternCount = 3 };

// The blocks indexed by ShredderPattern, made on first use; null when memory for them
// could not be had (the next call tries again).
const unsigned char* const* ShredderPatternBlocks(ShredderObserver& observer);
