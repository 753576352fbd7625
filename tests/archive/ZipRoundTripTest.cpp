// Whole archives through the writer and back through the reader.
#include "ArchiveTestHelpers.h"
#include "archive/Zip.h"

#include <gtest/gtest.h>

using namespace archive_test;

TEST(ZipRoundTrip, EntriesOfEverySizeComeBackAsTheyWere)
{
    TempFolder temp;
    // Small and empty files, and large ones that are deflated in pieces: exactly four
    // pieces, one byte more, an uneven size, and a block repeated over several pieces,
    // which only the dictionary each piece starts from lets later pieces refer back to.
    Bytes repeated;
    const Bytes block = NoiseBytes(10000, 7);
    while (repeated.size() < (4 << 20))
        repeated.insert(repeated.end(), block.begin(), block.end());
    const std::vector<std::pair<std::string, Bytes>> files = {
        {"prose.txt", ProseBytes(300000)},   {"noise.bin", NoiseBytes(70000, 1)},
        {"empty.txt", {}},                   {"exact.txt", ProseBytes(1 << 20)},
        {"one-more.bin", NoiseBytes((1 << 20) + 1, 6)}, {"uneven.txt", ProseBytes(3456789)},
        {"repeated.bin", repeated}};
    for (const auto& file : files)
        WriteBytes(temp / file.first, file.second);

    const std::string archive = temp / "a.zip";
    ZipHandle zip = ZipWriterOpen(const_cast<char*>(archive.c_str()), 0, ZipSourceKind::FileName);
    ASSERT_NE(zip, nullptr);
    for (const auto& file : files)
        EXPECT_EQ(ZipWriterAdd(zip, file.first.c_str(), (temp / file.first).c_str(), 0, ZipSourceKind::FileName),
                  ZipOk) << file.first;
    EXPECT_EQ(ZipWriterClose(zip), ZipOk);

    TempFolder out;
    {
        // Relative targets land below the folder that is current when the reader opens.
        CurrentDirectory inOut(out.Path());
        ZipHandle reader = ZipReaderOpen(archive.c_str(), 0, ZipSourceKind::FileName);
        ASSERT_NE(reader, nullptr);
        ZipItemInfo info;
        for (int i = 0; i < static_cast<int>(files.size()); ++i) {
            ASSERT_EQ(ZipReaderGetItem(reader, i, &info), ZipOk);
            EXPECT_EQ(ZipReaderUnzipItem(reader, i, info.name, 0, ZipSourceKind::FileName), ZipOk) << info.name;
        }
        // An empty file is still deflated: the empty stream takes two bytes.
        ASSERT_EQ(ZipReaderGetItem(reader, 2, &info), ZipOk);
        EXPECT_GE(info.packedSize, 2u);
        ASSERT_EQ(ZipReaderGetItem(reader, 6, &info), ZipOk);
        EXPECT_LT(info.packedSize, 40000u);
        EXPECT_EQ(ZipReaderClose(reader), ZipOk);
    }
    for (const auto& file : files)
        EXPECT_EQ(ReadBytes(out / file.first), file.second) << file.first;
}
