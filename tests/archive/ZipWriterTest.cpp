// The writer's records byte by byte, its sources and targets, and its result codes.
#include "ArchiveTestHelpers.h"
#include "tests/support/RecordingEffects.h"
#include "tests/support/Times.h"
#include "archive/Zip.h"
#include "archive/ZipRecords.h"
#include "archive/ZipWriter.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace archive_test;

namespace {

constexpr DWORD Crc123456789 = 0xCBF43926;  // the CRC-32 check value

using testing_support::SystemTimeOf;

ZipResult AddMemory(ZipHandle zip, const char* name, const Bytes& data)
{
    return ZipWriterAdd(zip, name, data.data(), static_cast<DWORD>(data.size()), ZipSourceKind::Memory);
}

std::string NameAt(const Bytes& bytes, size_t at, size_t length)
{
    return std::string(bytes.begin() + at, bytes.begin() + at + length);
}

}  // namespace

TEST(ZipWriterRecords, DiskFileEntryCarriesEveryFieldOfItsThreeRecords)
{
    TempFolder temp;
    const std::string file = temp / "a.txt";
    WriteBytes(file, TextBytes("123456789"));
    SetFileTimes(file, SystemTimeOf(2004, 5, 6, 7, 8, 10));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_ARCHIVE);

    const Bytes zip = BuildArchive([&](ZipHandle h) {
        EXPECT_EQ(ZipWriterAdd(h, "dir\\a.txt", file.c_str(), 0, ZipSourceKind::FileName), ZipOk);
    });

    // Local header: flags 0 and the real sizes, since a file target can be rewritten.
    ASSERT_GT(zip.size(), 30u + 9 + 17);
    EXPECT_EQ(Le32(zip, 0), 0x04034B50u);
    EXPECT_EQ(Le16(zip, 4), 20);
    EXPECT_EQ(Le16(zip, 6), 0);
    EXPECT_EQ(Le16(zip, 8), 8);
    EXPECT_EQ(Le16(zip, 10), 0x3905);  // 07:08:10, the file system's own time, not local time
    EXPECT_EQ(Le16(zip, 12), 0x30A6);  // 2004-05-06
    EXPECT_EQ(Le32(zip, 14), Crc123456789);
    const DWORD packed = Le32(zip, 18);
    EXPECT_EQ(Le32(zip, 22), 9u);
    EXPECT_EQ(Le16(zip, 26), 9);
    EXPECT_EQ(Le16(zip, 28), 17);
    EXPECT_EQ(NameAt(zip, 30, 9), "dir/a.txt");
    const size_t extra = 39;
    EXPECT_EQ(Le16(zip, extra), 0x5455);
    EXPECT_EQ(Le16(zip, extra + 2), 13);
    EXPECT_EQ(zip[extra + 4], 7);
    const DWORD modified = Le32(zip, extra + 5);
    EXPECT_EQ(Le32(zip, extra + 9), modified);   // all three times were set alike
    EXPECT_EQ(Le32(zip, extra + 13), modified);

    // No data descriptor on a file target: the central directory follows the data.
    const size_t central = 30 + 9 + 17 + packed;
    ArchiveLayout layout = Layout(zip);
    ASSERT_EQ(layout.centralEntries.size(), 1u);
    EXPECT_EQ(layout.centralEntries[0], central);
    EXPECT_EQ(Le16(zip, central + 4), 0x0B17);
    EXPECT_EQ(Le16(zip, central + 6), 20);
    EXPECT_EQ(Le16(zip, central + 8), 0);
    EXPECT_EQ(Le16(zip, central + 10), 8);
    EXPECT_EQ(Le32(zip, central + 12), 0x30A63905u);
    EXPECT_EQ(Le32(zip, central + 16), Crc123456789);
    EXPECT_EQ(Le32(zip, central + 20), packed);
    EXPECT_EQ(Le32(zip, central + 24), 9u);
    EXPECT_EQ(Le16(zip, central + 28), 9);
    EXPECT_EQ(Le16(zip, central + 30), 9);
    EXPECT_EQ(Le16(zip, central + 32), 0);
    EXPECT_EQ(Le16(zip, central + 34), 0);
    EXPECT_EQ(Le16(zip, central + 36), 0);
    EXPECT_EQ(Le32(zip, central + 38), 0x81800020u);  // regular file, owner read+write, archive bit
    EXPECT_EQ(Le32(zip, central + 42), 0u);
    EXPECT_EQ(NameAt(zip, central + 46, 9), "dir/a.txt");
    EXPECT_EQ(Le16(zip, central + 55), 0x5455);
    EXPECT_EQ(Le16(zip, central + 57), 5);
    EXPECT_EQ(zip[central + 59], 7);  // the local block's flags, though only one time follows
    EXPECT_EQ(Le32(zip, central + 60), modified);

    const size_t end = central + 46 + 9 + 9;
    EXPECT_EQ(layout.endRecord, end);
    EXPECT_EQ(Le16(zip, end + 4), 0);
    EXPECT_EQ(Le16(zip, end + 6), 0);
    EXPECT_EQ(Le16(zip, end + 8), 1);
    EXPECT_EQ(Le16(zip, end + 10), 1);
    EXPECT_EQ(Le32(zip, end + 12), 64u);
    EXPECT_EQ(Le32(zip, end + 16), central);
    EXPECT_EQ(Le16(zip, end + 20), 0);
    EXPECT_EQ(zip.size(), end + 22);
}

TEST(ZipWriterRecords, UnixTimesFollowModificationAccessCreationOrder)
{
    TempFolder temp;
    const std::string file = temp / "t.bin";
    WriteBytes(file, TextBytes("x"));
    // January dates: no daylight saving between them, so the differences are exact.
    FILETIME created = FileTimeOf(2001, 1, 10, 0, 0, 0);
    FILETIME accessed = FileTimeOf(2002, 1, 10, 0, 0, 0);
    FILETIME written = FileTimeOf(2003, 1, 10, 0, 0, 0);
    HANDLE h = CreateFileA(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, &created, &accessed, &written);
    BY_HANDLE_FILE_INFORMATION kept;
    GetFileInformationByHandle(h, &kept);
    CloseHandle(h);

    const Bytes zip = BuildArchive([&](ZipHandle z) {
        EXPECT_EQ(ZipWriterAdd(z, "t.bin", file.c_str(), 0, ZipSourceKind::FileName), ZipOk);
    });
    const size_t extra = 30 + 5;
    const long long year2002 = 365LL * 86400;
    EXPECT_EQ(static_cast<long long>(Le32(zip, extra + 5)) - Le32(zip, extra + 9), year2002);
    // Wine keeps no creation time of its own; compare with what the file system reports.
    if (CompareFileTime(&kept.ftCreationTime, &created) == 0) {
        EXPECT_EQ(static_cast<long long>(Le32(zip, extra + 9)) - Le32(zip, extra + 13), year2002);
    }
}

TEST(ZipWriterRecords, CompressedEndingsAndFoldersAreStored)
{
    for (const char* name : {"a.ZIP", "b.tgz", "c.Z", "d.gz", "e.Arj", "dir.x/f.lzh"})
        EXPECT_TRUE(IsStoredSuffix(name)) << name;
    for (const char* name : {"c.zipx", "README", "dir.zip/file", "zip", "x.z.txt"})
        EXPECT_FALSE(IsStoredSuffix(name)) << name;

    const Bytes data = TextBytes("stored as it is, stored as it is, stored as it is");
    const Bytes zip = BuildArchive([&](ZipHandle h) {
        EXPECT_EQ(AddMemory(h, "a.ZIP", data), ZipOk);
        EXPECT_EQ(ZipWriterAdd(h, "x\\y", nullptr, 0, ZipSourceKind::Folder), ZipOk);
        EXPECT_EQ(ZipWriterAdd(h, "ready/", nullptr, 0, ZipSourceKind::Folder), ZipOk);
    });
    EXPECT_EQ(Le16(zip, 8), 0);
    EXPECT_EQ(Le32(zip, 18), data.size());
    EXPECT_EQ(Le32(zip, 22), data.size());
    EXPECT_EQ(Bytes(zip.begin() + 30 + 5 + 17, zip.begin() + 30 + 5 + 17 + data.size()), data);

    ArchiveLayout layout = Layout(zip);
    ASSERT_EQ(layout.centralEntries.size(), 3u);
    const size_t folder = layout.centralEntries[1];
    EXPECT_EQ(NameAt(zip, folder + 46, Le16(zip, folder + 28)), "x/y/");
    EXPECT_EQ(Le16(zip, folder + 10), 0);
    EXPECT_EQ(Le32(zip, folder + 16), 0u);
    EXPECT_EQ(Le32(zip, folder + 20), 0u);
    EXPECT_EQ(Le32(zip, folder + 24), 0u);
    EXPECT_EQ(Le32(zip, folder + 38), 0x41C00010u);
    const size_t second = layout.centralEntries[2];
    EXPECT_EQ(NameAt(zip, second + 46, Le16(zip, second + 28)), "ready/");
}

TEST(ZipWriterSources, MemoryAndPipeSourcesTakeTheClockAndNoPermissions)
{
    testing_support::RecordingEffects effects;
    effects.clock = SystemTimeOf(2010, 3, 4, 5, 6, 8);
    effects.clockSet = true;
    const Bytes data = ProseBytes(50000);
    PipeFeeder pipe(data);
    const Bytes zip = BuildArchive([&](ZipHandle h) {
        EXPECT_EQ(AddMemory(h, "m.txt", data), ZipOk);
        EXPECT_EQ(ZipWriterAdd(h, "p.txt", pipe.ReadEnd(), 0, ZipSourceKind::Handle), ZipOk);
    });
    ArchiveLayout layout = Layout(zip);
    ASSERT_EQ(layout.centralEntries.size(), 2u);
    for (size_t central : layout.centralEntries) {
        EXPECT_EQ(Le32(zip, central + 12), 0x3C6428C4u);  // 2010-03-04 05:06:08
        EXPECT_EQ(Le32(zip, central + 38), 0x80000000u);
        EXPECT_EQ(Le32(zip, central + 24), data.size());
        EXPECT_EQ(Le16(zip, central + 8), 0);
    }
    // The pipe's length was unknown at first; the rewritten local header has the real one.
    const size_t pipeHeader = Le32(zip, layout.centralEntries[1] + 42);
    EXPECT_EQ(Le32(zip, pipeHeader + 22), data.size());
    EXPECT_EQ(Le32(zip, pipeHeader + 18), Le32(zip, layout.centralEntries[1] + 20));
}

TEST(ZipWriterSources, FileAttributesBecomeWindowsAndUnixBits)
{
    TempFolder temp;
    Bytes program(400, 0);
    program[0] = 'M';
    program[1] = 'Z';
    program[60] = 0x80;
    program[0x80] = 'P';
    program[0x81] = 'E';
    WriteBytes(temp / "tool.exe", program);
    Bytes fake = program;
    fake[0x80] = 'Q';
    WriteBytes(temp / "fake.exe", fake);
    WriteBytes(temp / "locked.txt", TextBytes("read only"));
    SetFileAttributesA((temp / "locked.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    WriteBytes(temp / "secret.txt", TextBytes("hidden and system"));
    SetFileAttributesA((temp / "secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

    // A disk-file handle is read from its start, wherever its pointer stood.
    HANDLE handle = CreateFileA((temp / "tool.exe").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    SetFilePointer(handle, 123, nullptr, FILE_BEGIN);
    const Bytes zip = BuildArchive([&](ZipHandle h) {
        for (const char* name : {"tool.exe", "fake.exe", "locked.txt", "secret.txt"})
            EXPECT_EQ(ZipWriterAdd(h, name, (temp / name).c_str(), 0, ZipSourceKind::FileName), ZipOk);
        EXPECT_EQ(ZipWriterAdd(h, "handle.exe", handle, 0, ZipSourceKind::Handle), ZipOk);
    });
    CloseHandle(handle);
    SetFileAttributesA((temp / "locked.txt").c_str(), FILE_ATTRIBUTE_NORMAL);

    ArchiveLayout layout = Layout(zip);
    ASSERT_EQ(layout.centralEntries.size(), 5u);
    auto unixMode = [&](int i) { return Le32(zip, layout.centralEntries[i] + 38) >> 16; };
    auto windows = [&](int i) { return Le32(zip, layout.centralEntries[i] + 38) & 0xFFFFu; };
    EXPECT_EQ(unixMode(0), 0x81C0u);  // owner execute for a program
    EXPECT_EQ(unixMode(1), 0x8180u);
    EXPECT_EQ(unixMode(2), 0x8100u);  // read-only: no owner write
    EXPECT_EQ(windows(2), 0x21u);
    EXPECT_EQ(unixMode(3), 0x8180u);
    EXPECT_EQ(windows(3) & 0x06u, 0x06u);
    EXPECT_EQ(unixMode(4), 0x81C0u);
    EXPECT_EQ(Le32(zip, layout.centralEntries[4] + 24), program.size());
}

TEST(ZipWriterSources, TimesOutsideTheDosRangeAreClamped)
{
    TempFolder temp;
    WriteBytes(temp / "old.txt", TextBytes("old"));
    SetFileTimes(temp / "old.txt", SystemTimeOf(1975, 6, 1, 12, 30, 0));
    WriteBytes(temp / "future.txt", TextBytes("future"));
    SetFileTimes(temp / "future.txt", SystemTimeOf(2150, 6, 1, 12, 30, 0));
    const Bytes zip = BuildArchive([&](ZipHandle h) {
        EXPECT_EQ(ZipWriterAdd(h, "old.txt", (temp / "old.txt").c_str(), 0, ZipSourceKind::FileName), ZipOk);
        EXPECT_EQ(ZipWriterAdd(h, "future.txt", (temp / "future.txt").c_str(), 0, ZipSourceKind::FileName), ZipOk);
    });
    ArchiveLayout layout = Layout(zip);
    ASSERT_EQ(layout.centralEntries.size(), 2u);
    EXPECT_EQ(Le32(zip, layout.centralEntries[0] + 12), 0x00210000u);  // 1980-01-01 00:00:00
    EXPECT_EQ(Le32(zip, layout.centralEntries[1] + 12), 0xFF9FBF7Du);  // 2107-12-31 23:59:58
    // The Unix time of 2150 is held at the end of 2037, within 32 signed bits.
    const DWORD future = Le32(zip, layout.centralEntries[1] + 46 + 10 + 5);
    EXPECT_GT(future, 2145000000u);
    EXPECT_LT(future, 0x80000000u);
}

TEST(ZipWriterTargets, PipeTargetWritesDescriptorsAfterEveryEntry)
{
    testing_support::RecordingEffects effects;
    const Bytes prose = ProseBytes(100000);
    const Bytes stored = NoiseBytes(3000, 2);
    PipeCollector pipe;
    ZipHandle zip = ZipWriterOpen(pipe.WriteEnd(), 0, ZipSourceKind::Handle);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(AddMemory(zip, "prose.txt", prose), ZipOk);
    EXPECT_EQ(AddMemory(zip, "kept.zip", stored), ZipOk);
    EXPECT_EQ(ZipWriterAdd(zip, "folder", nullptr, 0, ZipSourceKind::Folder), ZipOk);
    // Stored data of unknown length cannot be announced in a header that stays as sent.
    PipeFeeder unknown(stored);
    EXPECT_EQ(ZipWriterAdd(zip, "unknown.gz", unknown.ReadEnd(), 0, ZipSourceKind::Handle), ZipErrStreamChange);
    EXPECT_EQ(ZipWriterClose(zip), ZipOk);
    const Bytes bytes = pipe.Finish();

    ArchiveLayout layout = Layout(bytes);
    ASSERT_EQ(layout.centralEntries.size(), 3u);
    for (size_t central : layout.centralEntries) {
        EXPECT_EQ(Le16(bytes, central + 8), 8);
        const size_t local = Le32(bytes, central + 42);
        EXPECT_EQ(Le16(bytes, local + 6), 8);
        EXPECT_EQ(Le32(bytes, local + 14), 0u);  // CRC follows in the descriptor
        const DWORD packed = Le32(bytes, central + 20);
        const size_t descriptor = local + 30 + Le16(bytes, local + 26) + 17 + packed;
        EXPECT_EQ(Le32(bytes, descriptor), 0x08074B50u);
        EXPECT_EQ(Le32(bytes, descriptor + 4), Le32(bytes, central + 16));
        EXPECT_EQ(Le32(bytes, descriptor + 8), packed);
        EXPECT_EQ(Le32(bytes, descriptor + 12), Le32(bytes, central + 24));
    }
    const size_t deflated = Le32(bytes, layout.centralEntries[0] + 42);
    EXPECT_EQ(Le32(bytes, deflated + 18), 0u);            // packed size unknown in advance
    EXPECT_EQ(Le32(bytes, deflated + 22), prose.size());  // the declared length
    const size_t kept = Le32(bytes, layout.centralEntries[1] + 42);
    EXPECT_EQ(Le32(bytes, kept + 18), stored.size());
}

TEST(ZipWriterTargets, ArchiveInsideAFileRecordsOffsetsFromTheFileStart)
{
    TempFolder temp;
    const std::string path = temp / "carrier.bin";
    WriteBytes(path, Bytes(100, 'x'));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFilePointer(file, 100, nullptr, FILE_BEGIN);
    ZipHandle zip = ZipWriterOpen(file, 0, ZipSourceKind::Handle);
    CloseHandle(file);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(AddMemory(zip, "one.txt", TextBytes("one")), ZipOk);
    EXPECT_EQ(AddMemory(zip, "two.txt", TextBytes("two")), ZipOk);
    EXPECT_EQ(ZipWriterClose(zip), ZipOk);

    const Bytes bytes = ReadBytes(path);
    EXPECT_EQ(Le32(bytes, 100), 0x04034B50u);
    ArchiveLayout layout = Layout(bytes);
    ASSERT_EQ(layout.centralEntries.size(), 2u);
    EXPECT_EQ(Le32(bytes, layout.centralEntries[0] + 42), 100u);
    EXPECT_EQ(Le32(bytes, Le32(bytes, layout.centralEntries[1] + 42)), 0x04034B50u);
}

TEST(ZipWriterTargets, MemoryTargetHoldsOneByteLessThanItsSize)
{
    testing_support::RecordingEffects effects;
    effects.clock = SystemTimeOf(2012, 1, 2, 3, 4, 6);
    effects.clockSet = true;
    const Bytes data = ProseBytes(5000);
    const Bytes expected = BuildArchive([&](ZipHandle h) { EXPECT_EQ(AddMemory(h, "m.txt", data), ZipOk); });

    Bytes roomy(expected.size() + 1, 0xEE);
    ZipHandle zip = ZipWriterOpen(roomy.data(), static_cast<DWORD>(roomy.size()), ZipSourceKind::Memory);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(AddMemory(zip, "m.txt", data), ZipOk);
    EXPECT_EQ(ZipWriterClose(zip), ZipOk);
    EXPECT_EQ(Bytes(roomy.begin(), roomy.end() - 1), expected);

    // Exactly the archive's size: the last write, the end record, does not fit.
    Bytes exact(expected.size());
    zip = ZipWriterOpen(exact.data(), static_cast<DWORD>(exact.size()), ZipSourceKind::Memory);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(AddMemory(zip, "m.txt", data), ZipOk);
    EXPECT_EQ(ZipWriterClose(zip), ZipErrWrite);

    // Full during an entry: that add fails and nothing more is taken.
    Bytes small(200);
    zip = ZipWriterOpen(small.data(), static_cast<DWORD>(small.size()), ZipSourceKind::Memory);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(AddMemory(zip, "m.txt", NoiseBytes(1000, 3)), ZipErrMemoryFull);
    EXPECT_EQ(AddMemory(zip, "n.txt", data), ZipErrPending);
    EXPECT_EQ(ZipWriterClose(zip), ZipErrWrite);

    // Without a block the writer maps memory of its own.
    zip = ZipWriterOpen(nullptr, 100000, ZipSourceKind::Memory);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(AddMemory(zip, "m.txt", data), ZipOk);
    EXPECT_EQ(ZipWriterClose(zip), ZipOk);

    EXPECT_EQ(ZipWriterOpen(small.data(), 0, ZipSourceKind::Memory), nullptr);
    EXPECT_EQ(ZipWriterLastResult(), ZipErrMemoryFull);
}

TEST(ZipWriterResults, FaultyCallsAreRefusedWithTheirCodes)
{
    TempFolder temp;
    std::string missingFolder = temp / "no\\such.zip";
    EXPECT_EQ(ZipWriterOpen(const_cast<char*>(missingFolder.c_str()), 0, ZipSourceKind::FileName), nullptr);
    EXPECT_EQ(ZipWriterLastResult(), ZipErrOpenFile);
    EXPECT_EQ(ZipWriterOpen(nullptr, 0, static_cast<ZipSourceKind>(9)), nullptr);
    EXPECT_EQ(ZipWriterLastResult(), ZipErrArgument);
    EXPECT_EQ(ZipWriterOpen(nullptr, 0, ZipSourceKind::Handle), nullptr);
    EXPECT_EQ(ZipWriterLastResult(), ZipErrDuplicate);

    EXPECT_EQ(ZipWriterAdd(nullptr, "x", "y", 0, ZipSourceKind::FileName), ZipErrArgument);
    EXPECT_EQ(ZipWriterClose(nullptr), ZipErrArgument);

    const Bytes data = TextBytes("data");
    std::string path = temp / "r.zip";
    ZipHandle zip = ZipWriterOpen(const_cast<char*>(path.c_str()), 0, ZipSourceKind::FileName);
    ASSERT_NE(zip, nullptr);
    EXPECT_FALSE(IsZipReaderHandle(zip));
    EXPECT_EQ(ZipWriterAdd(zip, "", data.data(), 4, ZipSourceKind::Memory), ZipErrArgument);
    EXPECT_EQ(ZipWriterAdd(zip, nullptr, data.data(), 4, ZipSourceKind::Memory), ZipErrArgument);
    EXPECT_EQ(ZipWriterAdd(zip, "m", nullptr, 4, ZipSourceKind::Memory), ZipErrArgument);
    EXPECT_EQ(ZipWriterAdd(zip, "m", data.data(), 0, ZipSourceKind::Memory), ZipErrArgument);
    EXPECT_EQ(ZipWriterAdd(zip, "m", data.data(), 4, static_cast<ZipSourceKind>(7)), ZipErrArgument);
    EXPECT_EQ(ZipWriterAdd(zip, "f", (temp / "missing.txt").c_str(), 0, ZipSourceKind::FileName), ZipErrOpenFile);
    EXPECT_EQ(ZipWriterAdd(zip, std::string(260, 'n').c_str(), data.data(), 4, ZipSourceKind::Memory), ZipErrArgument);
    EXPECT_EQ(ZipWriterAdd(zip, std::string(259, 'n').c_str(), data.data(), 4, ZipSourceKind::Memory), ZipOk);
    EXPECT_EQ(ZipWriterLastResult(), ZipOk);
    EXPECT_EQ(ZipWriterClose(zip), ZipOk);

    // Refused adds left nothing behind: one entry, readable.
    ZipHandle reader = ZipReaderOpen(path.c_str(), 0, ZipSourceKind::FileName);
    ASSERT_NE(reader, nullptr);
    EXPECT_TRUE(IsZipReaderHandle(reader));
    EXPECT_TRUE(IsZipReaderHandle(nullptr));
    ZipItemInfo info;
    EXPECT_EQ(ZipReaderGetItem(reader, -1, &info), ZipOk);
    EXPECT_EQ(info.index, 1);
    EXPECT_EQ(ZipWriterAdd(reader, "x", data.data(), 4, ZipSourceKind::Memory), ZipErrWrongHandle);
    EXPECT_EQ(ZipWriterClose(reader), ZipErrWrongHandle);
    EXPECT_EQ(ZipReaderClose(reader), ZipOk);

    // A finished archive takes nothing more.
    TZip writer;
    Bytes block(1000);
    ASSERT_EQ(writer.OpenTarget(block.data(), 1000, ZipSourceKind::Memory), ZipOk);
    EXPECT_EQ(writer.OpenTarget(block.data(), 1000, ZipSourceKind::Memory), ZipErrNotFresh);
    EXPECT_EQ(writer.Finish(), ZipOk);
    EXPECT_EQ(writer.AddEntry("late", data.data(), 4, ZipSourceKind::Memory), ZipErrFinished);
    EXPECT_EQ(writer.OpenTarget(block.data(), 1000, ZipSourceKind::Memory), ZipErrNotFresh);
}
