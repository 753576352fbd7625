// Truncated and damaged archives: the reader answers with error results only. The
// archive ends right at a page that may not be touched, so that any read past its end
// stops the test; and whatever it reports as extracted must be the entry's true data.
#include "ArchiveTestHelpers.h"
#include "archive/Zip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>

using namespace archive_test;

namespace {

// Holds bytes that end exactly where a no-access page begins.
class GuardedBlock {
public:
    explicit GuardedBlock(size_t capacity)
    {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        page_ = system.dwPageSize;
        usable_ = (capacity + page_ - 1) / page_ * page_;
        base_ = static_cast<unsigned char*>(VirtualAlloc(nullptr, usable_ + page_, MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(base_ + usable_, page_, PAGE_NOACCESS, &old);
    }
    ~GuardedBlock() { VirtualFree(base_, 0, MEM_RELEASE); }
    const unsigned char* Place(const Bytes& bytes)
    {
        unsigned char* start = base_ + usable_ - bytes.size();
        if (!bytes.empty())
            std::memcpy(start, bytes.data(), bytes.size());
        return start;
    }

private:
    unsigned char* base_;
    size_t page_;
    size_t usable_;
};

struct Original {
    Bytes archive;
    std::vector<Bytes> entries;
};

Original MakeOriginal(bool throughPipe)
{
    Original original;
    original.entries = {TextBytes("0123456789"), NoiseBytes(3000, 9), ProseBytes(6000), {}, ProseBytes(700)};
    const char* names[] = {"one.txt", "noise.bin", "prose.txt", "dir", "kept.zip"};
    auto adds = [&](ZipHandle h) {
        for (size_t i = 0; i < original.entries.size(); ++i) {
            const Bytes& data = original.entries[i];
            if (data.empty())
                ZipWriterAdd(h, names[i], nullptr, 0, ZipSourceKind::Folder);
            else
                ZipWriterAdd(h, names[i], data.data(), static_cast<DWORD>(data.size()), ZipSourceKind::Memory);
        }
    };
    if (!throughPipe) {
        original.archive = BuildArchive(adds);
    } else {
        PipeCollector pipe;
        ZipHandle zip = ZipWriterOpen(pipe.WriteEnd(), 0, ZipSourceKind::Handle);
        adds(zip);
        ZipWriterClose(zip);
        original.archive = pipe.Finish();
    }
    return original;
}

bool IsSomeEntry(const Original& original, const Bytes& data)
{
    return std::find(original.entries.begin(), original.entries.end(), data) != original.entries.end();
}

// Lists and extracts every entry, checking every result.
void Exercise(GuardedBlock& block, const Bytes& damaged, const Original& original, bool toFiles)
{
    static const std::set<ZipResult> itemResults = {ZipOk, ZipErrCorrupt, ZipErrLocalExtra};
    static const std::set<ZipResult> memoryResults = {ZipOk, ZipMoreData, ZipErrCorrupt, ZipErrCrc, ZipErrInflate};
    static const std::set<ZipResult> fileResults = {ZipOk,  ZipErrCorrupt,  ZipErrCrc, ZipErrWrite,
                                                    ZipErrUnsafePath, ZipErrOpenFile, ZipErrLocalExtra};
    const unsigned char* bytes = block.Place(damaged);
    ZipHandle zip = ZipReaderOpen(bytes, static_cast<DWORD>(damaged.size()), ZipSourceKind::Memory);
    if (!zip) {
        ASSERT_EQ(ZipReaderLastResult(), ZipErrCorrupt);
        return;
    }
    ZipItemInfo info;
    ASSERT_EQ(ZipReaderGetItem(zip, -1, &info), ZipOk);
    const int count = std::min(info.index, 50);
    for (int i = 0; i < count; ++i) {
        ZipResult item = ZipReaderGetItem(zip, i, &info);
        ASSERT_TRUE(itemResults.count(item)) << std::hex << item;
        ASSERT_LT(std::strlen(info.name), sizeof info.name);

        Bytes extracted, buffer(4096);
        ZipResult result = ZipMoreData;
        for (int calls = 0; result == ZipMoreData; ++calls) {
            ASSERT_LT(calls, 100);  // every entry here is far below 400 KiB
            std::fill(buffer.begin(), buffer.end(), 0);
            result = ZipReaderUnzipItem(zip, i, buffer.data(), static_cast<DWORD>(buffer.size()), ZipSourceKind::Memory);
            ASSERT_TRUE(memoryResults.count(result)) << std::hex << result;
            if (result == ZipMoreData)
                extracted.insert(extracted.end(), buffer.begin(), buffer.end());
        }
        // A damaged directory may point an index at another entry (its lengths can skip
        // records), but what comes out whole is always some entry's true data.
        if (result == ZipOk) {
            extracted.resize(std::min<size_t>(extracted.size(), info.unpackedSize));
            EXPECT_TRUE(IsSomeEntry(original, extracted)) << "entry " << i << " reported whole but damaged";
        }
        if (toFiles) {
            result = ZipReaderUnzipItem(zip, i, const_cast<char*>("fuzz.out"), 0, ZipSourceKind::FileName);
            ASSERT_TRUE(fileResults.count(result)) << std::hex << result;
            if (result == ZipOk && !(info.attributes & FILE_ATTRIBUTE_DIRECTORY)) {
                EXPECT_TRUE(IsSomeEntry(original, ReadBytes("fuzz.out")));
            }
        }
    }
    EXPECT_EQ(ZipReaderClose(zip), ZipOk);
}

}  // namespace

TEST(ZipReaderFuzz, TruncatedArchivesGiveOnlyErrorResults)
{
    TempFolder temp;
    CurrentDirectory inTemp(temp.Path());
    for (bool throughPipe : {false, true}) {
        const Original original = MakeOriginal(throughPipe);
        GuardedBlock block(original.archive.size());
        for (size_t size = 0; size <= original.archive.size(); ++size) {
            Bytes cut(original.archive.begin(), original.archive.begin() + size);
            Exercise(block, cut, original, size % 97 == 0);
            if (HasFatalFailure())
                FAIL() << "cut at " << size << (throughPipe ? " (pipe)" : "");
        }
        // Bytes missing at the front or in the middle: the end record survives, but the
        // offsets it and the directory give point at the wrong places.
        for (size_t from = 0; from < original.archive.size(); from += 7) {
            for (size_t length : {1, 40, 1000}) {
                Bytes cut = original.archive;
                cut.erase(cut.begin() + from, cut.begin() + std::min(from + length, cut.size()));
                Exercise(block, cut, original, false);
                if (HasFatalFailure())
                    FAIL() << length << " bytes cut at " << from;
            }
        }
    }
}

TEST(ZipReaderFuzz, FlippedBitsGiveOnlyErrorResultsOrTheTrueData)
{
    TempFolder temp;
    CurrentDirectory inTemp(temp.Path());
    std::mt19937 random(2024);
    for (bool throughPipe : {false, true}) {
        const Original original = MakeOriginal(throughPipe);
        GuardedBlock block(original.archive.size());
        for (size_t position = 0; position < original.archive.size(); ++position) {
            Bytes damaged = original.archive;
            damaged[position] ^= static_cast<unsigned char>(1u << (random() % 8));
            SCOPED_TRACE("flip at " + std::to_string(position) + (throughPipe ? " (pipe)" : ""));
            Exercise(block, damaged, original, position % 101 == 0);
            if (HasFatalFailure())
                FAIL() << "bit flipped at " << position << (throughPipe ? " (pipe)" : "");
        }
        // Several bytes at once, set to values that lengths and counts dislike most.
        const unsigned char nasty[] = {0x00, 0xFF, 0x7F, 0x80, 0xFE};
        for (int round = 0; round < 3000; ++round) {
            Bytes damaged = original.archive;
            for (int n = 1 + random() % 4; n > 0; --n)
                damaged[random() % damaged.size()] = random() % 2 ? nasty[random() % 5] : static_cast<unsigned char>(random());
            Exercise(block, damaged, original, false);
            if (HasFatalFailure())
                FAIL() << "round " << round;
        }
    }
}
