// The file splitter on real files, with its restore batch run by the system's cmd.
#include "filetools/FileSplitter.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

using testing_support::Exists;
using testing_support::ReadFileText;
using testing_support::WriteFileText;

std::string Bytes(size_t count)
{
    std::string bytes(count, '\0');
    for (size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<char>((i * 7919) >> 3);
    return bytes;
}

DWORD RunBatch(const std::string& folder, const std::string& batch)
{
    // "pause" reads its key from the empty input.
    std::string line = "cmd.exe /c call \"" + batch + "\" <nul";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, folder.c_str(),
                        &startup, &process))
        return ~0u;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(FileSplitter, NamesAndSizes)
{
    EXPECT_EQ(splitter::PartName("C:\\a\\movie.avi", 1), "C:\\a\\movie.001");
    EXPECT_EQ(splitter::PartName("C:\\a\\movie.avi", 10), "C:\\a\\movie.0010");
    EXPECT_EQ(splitter::PartName("C:\\a.b\\movie", 2), "C:\\a.b\\movie.002");
    EXPECT_EQ(splitter::BatchName("C:\\a\\movie.avi"), "C:\\a\\movie.bat");
    EXPECT_EQ(splitter::PartSizeForCount(10, 3), 4u);
    EXPECT_EQ(splitter::PartCount(3000000, 1457644), 3u);
    EXPECT_EQ(splitter::PartCount(8, 4), 2u);
    EXPECT_EQ(splitter::PartCount(5ull << 30, 737280000), 8u); // 5 GiB: beyond 32 bits
}

// A name with blanks and a percent sign: the batch must quote it and keep the "%" a "%".
TEST(FileSplitter, PartsJoinAgainWithTheBatchFile)
{
    testing_support::TempFolder folder;
    const std::string source = folder / "my movie 100%.avi";
    const std::string content = Bytes(10000);
    WriteFileText(source, content);

    splitter::SplitResult result = splitter::SplitFile(source, 4096, false);
    ASSERT_EQ(result.error, splitter::SplitError::None);
    EXPECT_EQ(result.partsWritten, 3);
    EXPECT_EQ(ReadFileText(folder / "my movie 100%.003").size(), 10000u - 2 * 4096);
    std::string batch = ReadFileText(folder / "my movie 100%.bat");
    EXPECT_NE(batch.find("copy /b \"my movie 100%%.001\"+\"my movie 100%%.002\"+\"my movie 100%%.003\" "
                         "\"my movie 100%%.avi\""),
              std::string::npos);

    ASSERT_TRUE(DeleteFileA(source.c_str()));
    RunBatch(folder.Path(), "my movie 100%.bat");
    EXPECT_EQ(ReadFileText(source), content);
}

// The source named as it is, or spelt with a trailing blank that the system drops.
TEST(FileSplitter, RefusesToWriteOverTheSource)
{
    testing_support::TempFolder folder;
    const struct {
        const char* file;
        const char* spelt;
    } cases[] = {{"restore.bat", "restore.bat"}, {"movie.001", "movie.001"},
                 {"clip.001", "clip.001 "},      {"join.bat", "join.bat "}};
    for (const auto& c : cases) {
        WriteFileText(folder / c.file, "0123456789");
        splitter::SplitResult result = splitter::SplitFile(folder / c.spelt, 4, false);
        EXPECT_EQ(result.error, splitter::SplitError::NameClash) << c.spelt;
        EXPECT_EQ(ReadFileText(folder / c.file), "0123456789") << c.spelt;
    }
}

TEST(FileSplitter, TellsExistingPartsAndAFailedPart)
{
    testing_support::TempFolder folder;
    const std::string source = folder / "data.bin";
    WriteFileText(source, "0123456789");
    CreateDirectoryA((folder / "data.002").c_str(), nullptr); // the second part cannot be made
    EXPECT_EQ(splitter::ExistingTargets(source, 10, 4), std::vector<std::string>{folder / "data.002"});

    splitter::SplitResult result = splitter::SplitFile(source, 4, false);
    EXPECT_EQ(result.error, splitter::SplitError::PartFailed);
    EXPECT_EQ(result.failedPath, folder / "data.002");
    EXPECT_EQ(result.partsWritten, 1);
}

} // namespace
