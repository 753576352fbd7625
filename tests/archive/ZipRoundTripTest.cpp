// Whole archives through the writer and back through the reader.
#include "ArchiveTestHelpers.h"
#include "archive/Zip.h"

#include <gtest/gtest.h>

using namespace archive_test;

namespace {

// Every entry of the archive, extracted to memory, in order.
std::vector<Bytes> ReadAll(const Bytes& archive)
{
    std::vector<Bytes> entries;
    ZipHandle zip = ZipReaderOpen(archive.data(), static_cast<DWORD>(archive.size()), ZipSourceKind::Memory);
    EXPECT_NE(zip, nullptr);
    if (!zip)
        return entries;
    ZipItemInfo info;
    ZipReaderGetItem(zip, -1, &info);
    for (int i = 0, count = info.index; i < count; ++i) {
        EXPECT_EQ(ZipReaderGetItem(zip, i, &info), ZipOk);
        Bytes data(info.unpackedSize + 1);
        EXPECT_EQ(ZipReaderUnzipItem(zip, i, data.data(), static_cast<DWORD>(data.size()), ZipSourceKind::Memory),
                  info.unpackedSize ? ZipMoreData : ZipOk);
        EXPECT_EQ(ZipReaderUnzipItem(zip, i, data.data(), static_cast<DWORD>(data.size()), ZipSourceKind::Memory), ZipOk);
        data.resize(info.unpackedSize);
        entries.push_back(data);
    }
    ZipReaderClose(zip);
    return entries;
}

}  // namespace

TEST(ZipRoundTrip, FilesFromDiskComeBackAsTheyWere)
{
    TempFolder temp;
    const Bytes prose = ProseBytes(300000);
    const Bytes noise = NoiseBytes(70000, 1);
    WriteBytes(temp / "prose.txt", prose);
    WriteBytes(temp / "noise.bin", noise);
    WriteBytes(temp / "empty.txt", {});
    const std::string archive = temp / "a.zip";

    ZipHandle zip = ZipWriterOpen(const_cast<char*>(archive.c_str()), 0, ZipSourceKind::FileName);
    ASSERT_NE(zip, nullptr);
    for (const char* name : {"prose.txt", "noise.bin", "empty.txt"})
        EXPECT_EQ(ZipWriterAdd(zip, name, (temp / name).c_str(), 0, ZipSourceKind::FileName), ZipOk) << name;
    EXPECT_EQ(ZipWriterClose(zip), ZipOk);

    TempFolder out;
    {
        // Relative targets land below the folder that is current when the reader opens.
        CurrentDirectory inOut(out.Path());
        ZipHandle reader = ZipReaderOpen(archive.c_str(), 0, ZipSourceKind::FileName);
        ASSERT_NE(reader, nullptr);
        ZipItemInfo info;
        ASSERT_EQ(ZipReaderGetItem(reader, -1, &info), ZipOk);
        EXPECT_EQ(info.index, 3);
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(ZipReaderGetItem(reader, i, &info), ZipOk);
            EXPECT_EQ(ZipReaderUnzipItem(reader, i, info.name, 0, ZipSourceKind::FileName), ZipOk) << info.name;
        }
        // An empty file is still deflated: the empty stream takes two bytes.
        EXPECT_STREQ(info.name, "empty.txt");
        EXPECT_GE(info.packedSize, 2u);
        EXPECT_EQ(info.unpackedSize, 0u);
        EXPECT_EQ(ZipReaderClose(reader), ZipOk);
    }
    EXPECT_EQ(ReadBytes(out / "prose.txt"), prose);
    EXPECT_EQ(ReadBytes(out / "noise.bin"), noise);
    EXPECT_TRUE(ReadBytes(out / "empty.txt").empty());
}

TEST(ZipRoundTrip, LargeEntriesDeflatedInPiecesFormOneStream)
{
    // Sizes around the piece boundaries: exactly four pieces, one byte more, and an
    // uneven size read from disk.
    const Bytes exact = ProseBytes(1 << 20);
    const Bytes oneMore = NoiseBytes((1 << 20) + 1, 6);
    const Bytes uneven = ProseBytes(3456789);
    // A block repeated over several pieces: only the dictionary each piece starts from
    // lets the later pieces refer back to it.
    const Bytes block = NoiseBytes(10000, 7);
    Bytes repeated;
    while (repeated.size() < (4 << 20))
        repeated.insert(repeated.end(), block.begin(), block.end());
    TempFolder temp;
    WriteBytes(temp / "uneven.txt", uneven);

    const Bytes archive = BuildArchive([&](ZipHandle h) {
        for (const Bytes* data : std::initializer_list<const Bytes*>{&exact, &oneMore, &repeated})
            EXPECT_EQ(ZipWriterAdd(h, "m", data->data(), static_cast<DWORD>(data->size()), ZipSourceKind::Memory), ZipOk);
        EXPECT_EQ(ZipWriterAdd(h, "uneven.txt", (temp / "uneven.txt").c_str(), 0, ZipSourceKind::FileName), ZipOk);
    });
    const std::vector<Bytes> entries = ReadAll(archive);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0], exact);
    EXPECT_EQ(entries[1], oneMore);
    EXPECT_EQ(entries[2], repeated);
    EXPECT_EQ(entries[3], uneven);
    const ArchiveLayout layout = Layout(archive);
    EXPECT_LT(Le32(archive, layout.centralEntries[2] + 20), 40000u);
}
