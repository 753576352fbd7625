// The reader: finding the archive, item information, extraction to files, handles and
// memory, the path rules, and its result codes.
#include "ArchiveTestHelpers.h"
#include "archive/Zip.h"
#include "tests/support/RecordingEffects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace archive_test;

namespace {

const Bytes Digits = TextBytes("0123456789");

Bytes operator+(const Bytes& front, const Bytes& back)
{
    Bytes joined(front.size() + back.size());
    std::copy(front.begin(), front.end(), joined.begin());
    std::copy(back.begin(), back.end(), joined.begin() + front.size());
    return joined;
}

// one.txt (10 bytes, deflated), noise.bin (deflated), kept.zip (stored), dir/ (folder);
// every entry added from memory at 2010-03-04 05:06:08.
struct SampleArchive {
    Bytes noise = NoiseBytes(70000, 5);
    Bytes kept = ProseBytes(20000);
    Bytes bytes;

    SampleArchive()
    {
        testing_support::RecordingEffects effects;
        effects.clock.wYear = 2010;
        effects.clock.wMonth = 3;
        effects.clock.wDay = 4;
        effects.clock.wHour = 5;
        effects.clock.wMinute = 6;
        effects.clock.wSecond = 8;
        effects.clockSet = true;
        bytes = BuildArchive([&](ZipHandle h) {
            ZipWriterAdd(h, "one.txt", Digits.data(), 10, ZipSourceKind::Memory);
            ZipWriterAdd(h, "noise.bin", noise.data(), static_cast<DWORD>(noise.size()), ZipSourceKind::Memory);
            ZipWriterAdd(h, "kept.zip", kept.data(), static_cast<DWORD>(kept.size()), ZipSourceKind::Memory);
            ZipWriterAdd(h, "dir", nullptr, 0, ZipSourceKind::Folder);
        });
    }
    const Bytes& Data(int index) const
    {
        static const Bytes none;
        return index == 0 ? Digits : index == 1 ? noise : index == 2 ? kept : none;
    }
    size_t LocalHeader(int index) const { return Le32(bytes, Layout(bytes).centralEntries.at(index) + 42); }
};

ZipHandle OpenMemory(const Bytes& bytes)
{
    return ZipReaderOpen(bytes.data(), static_cast<DWORD>(bytes.size()), ZipSourceKind::Memory);
}

// The whole entry through memory extraction in blocks of `block` bytes; the result of
// the final call goes to `last`.
Bytes ExtractToMemory(ZipHandle zip, int index, size_t block, ZipResult& last, DWORD unpackedSize)
{
    Bytes all, buffer(block);
    for (int calls = 0; calls < 100000; ++calls) {
        last = ZipReaderUnzipItem(zip, index, buffer.data(), static_cast<DWORD>(block), ZipSourceKind::Memory);
        if (last != ZipMoreData)
            break;
        // Every block but the last is filled.
        size_t got = std::min<size_t>(block, unpackedSize - all.size());
        all.insert(all.end(), buffer.begin(), buffer.begin() + got);
    }
    return all;
}

void ExpectEveryEntry(ZipHandle zip, const SampleArchive& sample)
{
    ZipItemInfo info;
    ASSERT_EQ(ZipReaderGetItem(zip, -1, &info), ZipOk);
    ASSERT_EQ(info.index, 4);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(ZipReaderGetItem(zip, i, &info), ZipOk);
        ZipResult last;
        EXPECT_EQ(ExtractToMemory(zip, i, 65536, last, info.unpackedSize), sample.Data(i)) << i;
        EXPECT_EQ(last, ZipOk);
    }
}

long long Ticks(const FILETIME& time)
{
    return (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

constexpr long long TicksPerDay = 864000000000LL;

}  // namespace

TEST(ZipReaderLayout, FindsTheArchiveBehindLeadingDataAndBeforeAComment)
{
    SampleArchive sample;
    Bytes lead = Bytes(1000, 'L') + sample.bytes;
    // A 200-byte comment that itself holds the end record's signature.
    Bytes comment(200, 'c');
    std::memcpy(&comment[150], "PK\x05\x06", 4);
    Bytes commented = sample.bytes + comment;
    commented[sample.bytes.size() - 2] = 200;
    Bytes both = Bytes(1000, 'L') + commented;

    for (const Bytes* bytes : {&lead, &commented, &both}) {
        ZipHandle zip = OpenMemory(*bytes);
        ASSERT_NE(zip, nullptr) << ZipReaderLastResult();
        ExpectEveryEntry(zip, sample);
        EXPECT_EQ(ZipReaderClose(zip), ZipOk);
    }

    // From a file, and through a handle that stands in the middle of the leading data.
    TempFolder temp;
    WriteBytes(temp / "both.bin", both);
    ZipHandle zip = ZipReaderOpen((temp / "both.bin").c_str(), 0, ZipSourceKind::FileName);
    ASSERT_NE(zip, nullptr);
    ExpectEveryEntry(zip, sample);
    ZipReaderClose(zip);
    HANDLE file = CreateFileA((temp / "both.bin").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    SetFilePointer(file, 500, nullptr, FILE_BEGIN);
    zip = ZipReaderOpen(file, 0, ZipSourceKind::Handle);
    CloseHandle(file);
    ASSERT_NE(zip, nullptr);
    ExpectEveryEntry(zip, sample);
    ZipReaderClose(zip);
}

TEST(ZipReaderItems, CountNamesSizesAndAttributes)
{
    SampleArchive sample;
    ZipHandle zip = OpenMemory(sample.bytes);
    ASSERT_NE(zip, nullptr);
    ZipItemInfo info;
    std::memset(&info, 0x55, sizeof info);
    ASSERT_EQ(ZipReaderGetItem(zip, -1, &info), ZipOk);
    EXPECT_EQ(info.index, 4);
    EXPECT_STREQ(info.name, "");
    EXPECT_EQ(info.attributes, 0u);
    EXPECT_EQ(info.unpackedSize, 0u);

    ASSERT_EQ(ZipReaderGetItem(zip, 1, &info), ZipOk);
    EXPECT_EQ(info.index, 1);
    EXPECT_STREQ(info.name, "noise.bin");
    EXPECT_EQ(info.unpackedSize, sample.noise.size());
    EXPECT_EQ(info.packedSize, Le32(sample.bytes, sample.LocalHeader(1) + 18));
    // Added from memory: no owner-write bit, so it comes out read-only.
    EXPECT_EQ(info.attributes, static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_READONLY));
    ASSERT_EQ(ZipReaderGetItem(zip, 3, &info), ZipOk);
    EXPECT_STREQ(info.name, "dir/");
    EXPECT_EQ(info.attributes, static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_DIRECTORY));
    // Asking again, and going back, give the same answers.
    ASSERT_EQ(ZipReaderGetItem(zip, 3, &info), ZipOk);
    EXPECT_STREQ(info.name, "dir/");
    ASSERT_EQ(ZipReaderGetItem(zip, 0, &info), ZipOk);
    EXPECT_STREQ(info.name, "one.txt");
    ZipReaderClose(zip);

    // Files from disk keep their archive and read-only bits.
    TempFolder temp;
    WriteBytes(temp / "plain.txt", Digits);
    SetFileAttributesA((temp / "plain.txt").c_str(), FILE_ATTRIBUTE_ARCHIVE);
    WriteBytes(temp / "locked.txt", Digits);
    SetFileAttributesA((temp / "locked.txt").c_str(), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY);
    const Bytes disk = BuildArchive([&](ZipHandle h) {
        ZipWriterAdd(h, "plain.txt", (temp / "plain.txt").c_str(), 0, ZipSourceKind::FileName);
        ZipWriterAdd(h, "locked.txt", (temp / "locked.txt").c_str(), 0, ZipSourceKind::FileName);
    });
    SetFileAttributesA((temp / "locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    zip = OpenMemory(disk);
    ASSERT_EQ(ZipReaderGetItem(zip, 0, &info), ZipOk);
    EXPECT_EQ(info.attributes, static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_ARCHIVE));
    ASSERT_EQ(ZipReaderGetItem(zip, 1, &info), ZipOk);
    EXPECT_EQ(info.attributes,
              static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_READONLY));
    ZipReaderClose(zip);
}

TEST(ZipReaderItems, TimesComeFromTheUnixStampsOrElseTheDosTime)
{
    SampleArchive sample;
    const size_t extra = sample.LocalHeader(0) + 30 + 7;  // behind "one.txt"
    const FILETIME dosTime = FileTimeOf(2010, 3, 4, 5, 6, 8);

    // Three January dates a year apart, so that daylight saving plays no part.
    Bytes stamped = sample.bytes;
    const DWORD modified = 1042156800, accessed = 1010620800, created = 979084800;
    for (int i = 0; i < 4; ++i) {
        stamped[extra + 5 + i] = static_cast<unsigned char>(modified >> (8 * i));
        stamped[extra + 9 + i] = static_cast<unsigned char>(accessed >> (8 * i));
        stamped[extra + 13 + i] = static_cast<unsigned char>(created >> (8 * i));
    }
    ZipItemInfo info;
    ZipHandle zip = OpenMemory(stamped);
    ASSERT_EQ(ZipReaderGetItem(zip, 0, &info), ZipOk);
    EXPECT_EQ(Ticks(info.lastWriteTime) - Ticks(info.lastAccessTime), 365 * TicksPerDay);
    EXPECT_EQ(Ticks(info.lastAccessTime) - Ticks(info.creationTime), 365 * TicksPerDay);
    ZipReaderClose(zip);

    // Only the modification time flagged: the other two stay at the DOS time.
    Bytes modifiedOnly = stamped;
    modifiedOnly[extra + 4] = 1;
    zip = OpenMemory(modifiedOnly);
    ASSERT_EQ(ZipReaderGetItem(zip, 0, &info), ZipOk);
    EXPECT_NE(Ticks(info.lastWriteTime), Ticks(dosTime));
    EXPECT_EQ(Ticks(info.lastAccessTime), Ticks(dosTime));
    EXPECT_EQ(Ticks(info.creationTime), Ticks(dosTime));
    ZipReaderClose(zip);

    // No "UT" block: all three are the DOS time's calendar fields.
    Bytes unstamped = sample.bytes;
    unstamped[extra] = 'X';
    zip = OpenMemory(unstamped);
    ASSERT_EQ(ZipReaderGetItem(zip, 0, &info), ZipOk);
    EXPECT_EQ(Ticks(info.lastWriteTime), Ticks(dosTime));
    EXPECT_EQ(Ticks(info.lastAccessTime), Ticks(dosTime));
    EXPECT_EQ(Ticks(info.creationTime), Ticks(dosTime));
    ZipReaderClose(zip);
}

TEST(ZipReaderExtraction, FilesComeBackWithTheirTimesAndAttributes)
{
    TempFolder temp;
    WriteBytes(temp / "source.txt", Digits);
    FILETIME accessed = FileTimeOf(2003, 1, 5, 10, 0, 0);
    FILETIME written = FileTimeOf(2003, 1, 6, 11, 30, 20);
    HANDLE h = CreateFileA((temp / "source.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, &accessed, &written);
    CloseHandle(h);
    SetFileAttributesA((temp / "source.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    const Bytes bytes = BuildArchive([&](ZipHandle z) {
        ZipWriterAdd(z, "source.txt", (temp / "source.txt").c_str(), 0, ZipSourceKind::FileName);
    });

    TempFolder out;
    CurrentDirectory inOut(out.Path());
    ZipHandle zip = OpenMemory(bytes);
    ASSERT_EQ(ZipReaderUnzipItem(zip, 0, const_cast<char*>("copy.txt"), 0, ZipSourceKind::FileName), ZipOk);
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA((out / "copy.txt").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(Ticks(data.ftLastWriteTime), Ticks(written));
    EXPECT_EQ(Ticks(data.ftLastAccessTime), Ticks(accessed));
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadBytes(out / "copy.txt"), Digits);

    // Into a caller's handle: the data, and the times as well on a disk file.
    WriteBytes(out / "handle.txt", TextBytes("older and longer content"));
    HANDLE target = CreateFileA((out / "handle.txt").c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 0, target, 0, ZipSourceKind::Handle), ZipOk);
    CloseHandle(target);
    EXPECT_EQ(ReadBytes(out / "handle.txt"), Digits);
    ASSERT_TRUE(GetFileAttributesExA((out / "handle.txt").c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(Ticks(data.ftLastWriteTime), Ticks(written));
    ZipReaderClose(zip);
}

TEST(ZipReaderExtraction, MemoryExtractionDeliversBlockAfterBlock)
{
    SampleArchive sample;
    ZipHandle zip = OpenMemory(sample.bytes);
    ASSERT_NE(zip, nullptr);
    unsigned char block[4];
    const char* expected[] = {"0123", "4567", "89"};
    for (const char* part : expected) {
        std::memset(block, '#', sizeof block);
        ASSERT_EQ(ZipReaderUnzipItem(zip, 0, block, 4, ZipSourceKind::Memory), ZipMoreData);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(block), std::strlen(part)), part);
    }
    EXPECT_EQ(block[2], '#');
    EXPECT_EQ(ZipReaderUnzipItem(zip, 0, block, 4, ZipSourceKind::Memory), ZipOk);

    // An item query in between closes the entry: the next call starts afresh.
    ASSERT_EQ(ZipReaderUnzipItem(zip, 1, block, 4, ZipSourceKind::Memory), ZipMoreData);
    ZipItemInfo info;
    ASSERT_EQ(ZipReaderGetItem(zip, 1, &info), ZipOk);
    ZipResult last;
    EXPECT_EQ(ExtractToMemory(zip, 1, 1000, last, info.unpackedSize), sample.noise);
    EXPECT_EQ(last, ZipOk);
    EXPECT_EQ(ExtractToMemory(zip, 2, 7, last, static_cast<DWORD>(sample.kept.size())), sample.kept);
    EXPECT_EQ(last, ZipOk);
    // A folder holds nothing.
    EXPECT_EQ(ZipReaderUnzipItem(zip, 3, block, 4, ZipSourceKind::Memory), ZipOk);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 4, block, 4, ZipSourceKind::Memory), ZipErrArgument);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 0, nullptr, 4, ZipSourceKind::Memory), ZipErrArgument);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 0, block, 0, ZipSourceKind::Memory), ZipErrArgument);
    ZipReaderClose(zip);
}

TEST(ZipReaderExtraction, NothingIsCreatedOutsideTheTargetFolder)
{
    SampleArchive sample;
    const Bytes hostile = BuildArchive([&](ZipHandle h) {
        for (const char* name : {"../up", "/rooted", "C:/drive", "a/../../b", "safe/inner"})
            ZipWriterAdd(h, name, nullptr, 0, ZipSourceKind::Folder);
        ZipWriterAdd(h, "../evil.txt", Digits.data(), 10, ZipSourceKind::Memory);
    });
    TempFolder parent;
    const std::string root = parent / "root";
    CreateDirectoryA(root.c_str(), nullptr);
    CurrentDirectory inRoot(root);

    ZipHandle zip = OpenMemory(hostile);
    ASSERT_NE(zip, nullptr);
    ZipItemInfo info;
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(ZipReaderGetItem(zip, i, &info), ZipOk);
        EXPECT_EQ(ZipReaderUnzipItem(zip, i, info.name, 0, ZipSourceKind::FileName), ZipErrUnsafePath) << info.name;
    }
    EXPECT_EQ(ZipReaderUnzipItem(zip, 4, const_cast<char*>("ignored"), 0, ZipSourceKind::FileName), ZipOk);
    EXPECT_NE(GetFileAttributesA((root + "\\safe\\inner").c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(ZipReaderGetItem(zip, 5, &info), ZipOk);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 5, info.name, 0, ZipSourceKind::FileName), ZipErrUnsafePath);
    for (const char* target : {"sub/../../evil.txt", "sub\\..\\x.txt", ".. /x.txt", "x/.../y.txt", "..",
                               "C:\\somewhere\\..\\evil.txt"})
        EXPECT_EQ(ZipReaderUnzipItem(zip, 5, const_cast<char*>(target), 0, ZipSourceKind::FileName),
                  ZipErrUnsafePath) << target;
    ZipReaderClose(zip);
    EXPECT_EQ(GetFileAttributesA((parent / "evil.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((parent / "up").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA((parent / "b").c_str()), INVALID_FILE_ATTRIBUTES);

    // Relative targets get their folders below the root; dots inside names are fine.
    zip = OpenMemory(sample.bytes);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 0, const_cast<char*>("sub/deeper/one..txt"), 0, ZipSourceKind::FileName), ZipOk);
    EXPECT_EQ(ReadBytes(root + "\\sub\\deeper\\one..txt"), Digits);
    // Absolute targets are created as named, in folders that exist already.
    const std::string absolute = parent / "restored.txt";
    EXPECT_EQ(ZipReaderUnzipItem(zip, 0, const_cast<char*>(absolute.c_str()), 0, ZipSourceKind::FileName), ZipOk);
    EXPECT_EQ(ReadBytes(absolute), Digits);
    const std::string missing = parent / "gone\\restored.txt";
    EXPECT_EQ(ZipReaderUnzipItem(zip, 0, const_cast<char*>(missing.c_str()), 0, ZipSourceKind::FileName),
              ZipErrOpenFile);
    EXPECT_EQ(GetFileAttributesA((parent / "gone").c_str()), INVALID_FILE_ATTRIBUTES);
    ZipReaderClose(zip);
}

TEST(ZipReaderIntegrity, DamagedDataIsReportedAndNeverPassesAsGood)
{
    SampleArchive sample;
    TempFolder out;
    CurrentDirectory inOut(out.Path());

    // One changed byte in stored data: only the CRC can tell.
    Bytes flipped = sample.bytes;
    flipped[sample.LocalHeader(2) + 30 + 8 + 17 + 500] ^= 0x20;
    ZipHandle zip = OpenMemory(flipped);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 2, const_cast<char*>("kept.zip"), 0, ZipSourceKind::FileName), ZipErrCrc);
    ZipResult last;
    ExtractToMemory(zip, 2, 4096, last, static_cast<DWORD>(sample.kept.size()));
    EXPECT_EQ(last, ZipErrCrc);
    ZipReaderClose(zip);

    // A CRC that disagrees in both headers alike.
    Bytes wrongCrc = sample.bytes;
    wrongCrc[sample.LocalHeader(1) + 14] ^= 1;
    wrongCrc[Layout(wrongCrc).centralEntries[1] + 16] ^= 1;
    zip = OpenMemory(wrongCrc);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 1, const_cast<char*>("noise.bin"), 0, ZipSourceKind::FileName), ZipErrCrc);
    ZipReaderClose(zip);

    // A deflate stream that ends before the size the directory promises.
    Bytes longer = sample.bytes;
    longer[sample.LocalHeader(1) + 22] += 1;
    longer[Layout(longer).centralEntries[1] + 24] += 1;
    zip = OpenMemory(longer);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 1, const_cast<char*>("noise.bin"), 0, ZipSourceKind::FileName), ZipErrWrite);
    ExtractToMemory(zip, 1, 4096, last, static_cast<DWORD>(sample.noise.size()));
    EXPECT_EQ(last, ZipErrInflate);
    ZipReaderClose(zip);

    // Local headers that disagree with the directory.
    Bytes method = sample.bytes;
    method[sample.LocalHeader(1) + 8] = 0;
    Bytes nameLength = sample.bytes;
    nameLength[sample.LocalHeader(1) + 26] += 1;
    Bytes unknownMethod = sample.bytes;
    unknownMethod[sample.LocalHeader(1) + 8] = 12;
    unknownMethod[Layout(unknownMethod).centralEntries[1] + 10] = 12;
    for (const Bytes* bytes : {&method, &nameLength, &unknownMethod}) {
        zip = OpenMemory(*bytes);
        ZipItemInfo info;
        EXPECT_EQ(ZipReaderGetItem(zip, 1, &info), ZipErrCorrupt);
        EXPECT_EQ(ZipReaderUnzipItem(zip, 1, const_cast<char*>("x.bin"), 0, ZipSourceKind::FileName), ZipErrCorrupt);
        EXPECT_EQ(ZipReaderGetItem(zip, 0, &info), ZipOk);  // the other entries stay readable
        ZipReaderClose(zip);
    }
}

TEST(ZipReaderResults, FaultyCallsAndSourcesAreRefusedWithTheirCodes)
{
    TempFolder temp;
    EXPECT_EQ(ZipReaderOpen((temp / "missing.zip").c_str(), 0, ZipSourceKind::FileName), nullptr);
    EXPECT_EQ(ZipReaderLastResult(), ZipErrOpenFile);
    WriteBytes(temp / "text.txt", ProseBytes(5000));
    EXPECT_EQ(ZipReaderOpen((temp / "text.txt").c_str(), 0, ZipSourceKind::FileName), nullptr);
    EXPECT_EQ(ZipReaderLastResult(), ZipErrCorrupt);
    EXPECT_EQ(ZipReaderOpen(nullptr, 10, ZipSourceKind::Memory), nullptr);
    EXPECT_EQ(ZipReaderLastResult(), ZipErrArgument);
    EXPECT_EQ(ZipReaderOpen("x", 1, static_cast<ZipSourceKind>(4)), nullptr);
    EXPECT_EQ(ZipReaderLastResult(), ZipErrArgument);
    PipeFeeder pipe(Digits);
    EXPECT_EQ(ZipReaderOpen(pipe.ReadEnd(), 0, ZipSourceKind::Handle), nullptr);
    EXPECT_EQ(ZipReaderLastResult(), ZipErrNotSeekable);

    SampleArchive sample;
    ZipHandle zip = OpenMemory(sample.bytes);
    ASSERT_NE(zip, nullptr);
    ZipItemInfo info;
    EXPECT_EQ(ZipReaderGetItem(zip, 4, &info), ZipErrArgument);
    EXPECT_EQ(ZipReaderGetItem(zip, -2, &info), ZipErrArgument);
    EXPECT_EQ(ZipReaderGetItem(zip, 0, nullptr), ZipErrArgument);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 0, const_cast<char*>("x"), 0, static_cast<ZipSourceKind>(4)), ZipErrArgument);
    EXPECT_EQ(ZipReaderUnzipItem(zip, -1, const_cast<char*>("x"), 0, ZipSourceKind::FileName), ZipErrArgument);
    EXPECT_EQ(ZipReaderUnzipItem(zip, 0, nullptr, 0, ZipSourceKind::FileName), ZipErrArgument);
    EXPECT_EQ(ZipReaderLastResult(), ZipErrArgument);

    std::string path = temp / "w.zip";
    ZipHandle writer = ZipWriterOpen(const_cast<char*>(path.c_str()), 0, ZipSourceKind::FileName);
    EXPECT_EQ(ZipReaderGetItem(writer, 0, &info), ZipErrWrongHandle);
    EXPECT_EQ(ZipReaderUnzipItem(writer, 0, const_cast<char*>("x"), 0, ZipSourceKind::FileName), ZipErrWrongHandle);
    EXPECT_EQ(ZipReaderClose(writer), ZipErrWrongHandle);
    EXPECT_EQ(ZipWriterClose(writer), ZipOk);
    EXPECT_EQ(ZipReaderGetItem(nullptr, 0, &info), ZipErrArgument);
    EXPECT_EQ(ZipReaderClose(nullptr), ZipErrArgument);
    EXPECT_EQ(ZipReaderClose(zip), ZipOk);

    // An empty archive is a valid one.
    zip = ZipReaderOpen(path.c_str(), 0, ZipSourceKind::FileName);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipReaderGetItem(zip, -1, &info), ZipOk);
    EXPECT_EQ(info.index, 0);
    EXPECT_EQ(ZipReaderGetItem(zip, 0, &info), ZipErrArgument);
    ZipReaderClose(zip);
}

TEST(ZipReaderStreams, ArchivesWrittenToAPipeAreRead)
{
    SampleArchive sample;
    PipeCollector pipe;
    ZipHandle writer = ZipWriterOpen(pipe.WriteEnd(), 0, ZipSourceKind::Handle);
    ASSERT_NE(writer, nullptr);
    ZipWriterAdd(writer, "one.txt", Digits.data(), 10, ZipSourceKind::Memory);
    ZipWriterAdd(writer, "noise.bin", sample.noise.data(), static_cast<DWORD>(sample.noise.size()),
                 ZipSourceKind::Memory);
    ZipWriterAdd(writer, "kept.zip", sample.kept.data(), static_cast<DWORD>(sample.kept.size()),
                 ZipSourceKind::Memory);
    ZipWriterAdd(writer, "dir", nullptr, 0, ZipSourceKind::Folder);
    ASSERT_EQ(ZipWriterClose(writer), ZipOk);
    const Bytes bytes = pipe.Finish();
    ASSERT_EQ(Le16(bytes, 6), 8);  // sizes follow the data

    ZipHandle zip = OpenMemory(bytes);
    ASSERT_NE(zip, nullptr);
    ExpectEveryEntry(zip, sample);
    ZipReaderClose(zip);
}
