#include "ArchiveTestHelpers.h"
#include "archive/Zip.h"

#include <gtest/gtest.h>

using namespace archive_test;

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
        EXPECT_EQ(ZipReaderClose(reader), ZipOk);
    }
    EXPECT_EQ(ReadBytes(out / "prose.txt"), prose);
    EXPECT_EQ(ReadBytes(out / "noise.bin"), noise);
    EXPECT_TRUE(ReadBytes(out / "empty.txt").empty());
}
