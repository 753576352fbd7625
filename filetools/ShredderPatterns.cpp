#include "filetools/ShredderPatterns.h"

#include "filetools/ShredderObserver.h"

#include <cstdlib>
#include <cstring>
#include <ctime>

const unsigned char* const* ShredderPatternBlocks(ShredderObserver& observer)
{
    static unsigned char* blocks[kPatternCount] = {};
    if (blocks[kPatternCount - 1])
        return blocks;
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    for (int i = 0; i < kPatternCount; ++i) {
        observer.ProcessMessages();
        // VirtualAlloc hands out zero-filled, page-aligned memory.
        blocks[i] = static_cast<unsigned char*>(
            VirtualAlloc(nullptr, kPatternBlockSize, MEM_COMMIT, PAGE_READWRITE));
        if (!blocks[i]) {
            for (int made = 0; made < i; ++made) {
                VirtualFree(blocks[made], 0, MEM_RELEASE);
                blocks[made] = nullptr;
            }
            return nullptr;
        }
    }
    std::memset(blocks[kOnes], 0xFF, kPatternBlockSize);
    for (DWORD i = 0; i < kPatternBlockSize; ++i)
        blocks[kRandom][i] = static_cast<unsigned char>(std::rand());
    return blocks;
}
