// Sizes, offsets and counts that the format's 32- and 16-bit fields cannot hold are
// refused with an error, and the archive around them stays sound.
#include "ArchiveTestHelpers.h"
#include "archive/Zip.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace archive_test;

namespace {

// A file of the given size that takes no room on disk: only its length is set.
void MakeSparseFile(const std::string& path, unsigned long long size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LONG high = static_cast<LONG>(size >> 32);
    SetFilePointer(file, static_cast<LONG>(size & 0xFFFFFFFF), &high, FILE_BEGIN);
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);
}

int EntryCount(const std::string& path)
{
    ZipHandle reader = ZipReaderOpen(path.c_str(), 0, ZipSourceKind::FileName);
    EXPECT_NE(reader, nullptr);
    if (!reader)
        return -1;
    ZipItemInfo info;
    EXPECT_EQ(ZipReaderGetItem(reader, -1, &info), ZipOk);
    ZipReaderClose(reader);
    return info.index;
}

unsigned long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A writer on a file whose pointer stands at `offset`, as when an archive is appended.
ZipHandle OpenAt(const std::string& path, unsigned long long offset)
{
    MakeSparseFile(path, offset);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LONG high = static_cast<LONG>(offset >> 32);
    SetFilePointer(file, static_cast<LONG>(offset & 0xFFFFFFFF), &high, FILE_BEGIN);
    ZipHandle zip = ZipWriterOpen(file, 0, ZipSourceKind::Handle);
    CloseHandle(file);
    return zip;
}

}  // namespace

TEST(ZipWriterLimits, FilesOfFourGibibytesAreRefusedBeforeAnythingIsWritten)
{
    TempFolder temp;
    MakeSparseFile(temp / "huge.bin", 0x100000000ull);
    MakeSparseFile(temp / "marker.bin", 0xFFFFFFFFull);  // all bits set means "zip64" to other tools
    const std::string path = temp / "backup.zip";
    const Bytes small = TextBytes("small file");
    ZipHandle zip = ZipWriterOpen(const_cast<char*>(path.c_str()), 0, ZipSourceKind::FileName);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipWriterAdd(zip, "huge.bin", (temp / "huge.bin").c_str(), 0, ZipSourceKind::FileName), ZipErrTooLarge);
    EXPECT_EQ(ZipWriterAdd(zip, "marker.bin", (temp / "marker.bin").c_str(), 0, ZipSourceKind::FileName),
              ZipErrTooLarge);
    EXPECT_EQ(ZipWriterAdd(zip, "small.txt", small.data(), static_cast<DWORD>(small.size()), ZipSourceKind::Memory),
              ZipOk);
    EXPECT_EQ(ZipWriterClose(zip), ZipOk);
    EXPECT_EQ(Le32(ReadBytes(path), 0), 0x04034B50u);  // the small file is the first entry
    EXPECT_EQ(EntryCount(path), 1);
}

TEST(ZipWriterLimits, EntriesReachingPastFourGibibytesAreTakenBack)
{
    TempFolder temp;
    const Bytes data = NoiseBytes(1000, 4);

    // Room for the end record but not for an entry: the entry is refused and removed,
    // and the archive closes as an empty one.
    const std::string almostFull = temp / "near.bin";
    ZipHandle zip = OpenAt(almostFull, 0xFFFFFFF0ull);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipWriterAdd(zip, "d.bin", data.data(), static_cast<DWORD>(data.size()), ZipSourceKind::Memory),
              ZipErrTooLarge);
    EXPECT_EQ(ZipWriterClose(zip), ZipOk);
    EXPECT_EQ(FileSize(almostFull), 0xFFFFFFF0ull + 22);

    // Beyond the limit not even the central directory's offset fits: close says so.
    const std::string beyond = temp / "beyond.bin";
    zip = OpenAt(beyond, 0x100000000ull);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipWriterAdd(zip, "d.bin", data.data(), static_cast<DWORD>(data.size()), ZipSourceKind::Memory),
              ZipErrTooLarge);
    EXPECT_EQ(ZipWriterClose(zip), ZipErrTooLarge);
    EXPECT_EQ(FileSize(beyond), 0x100000000ull);
}

TEST(ZipWriterLimits, TheSixteenBitEntryCountIsNeverExceeded)
{
    TempFolder temp;
    const std::string path = temp / "many.zip";
    ZipHandle zip = ZipWriterOpen(const_cast<char*>(path.c_str()), 0, ZipSourceKind::FileName);
    ASSERT_NE(zip, nullptr);
    char name[16];
    for (int i = 0; i < 65535; ++i) {
        std::snprintf(name, sizeof name, "f%05d", i);
        ASSERT_EQ(ZipWriterAdd(zip, name, nullptr, 0, ZipSourceKind::Folder), ZipOk) << i;
    }
    EXPECT_EQ(ZipWriterAdd(zip, "one-too-many", nullptr, 0, ZipSourceKind::Folder), ZipErrTooLarge);
    EXPECT_EQ(ZipWriterClose(zip), ZipOk);
    EXPECT_EQ(EntryCount(path), 65535);
}
