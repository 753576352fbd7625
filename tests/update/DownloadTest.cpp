// The download over the real WinINet against the loopback server: what counts as a
// whole file, and that nothing else is left on the disk.
#include "shell/Download.h"
#include "tests/support/TempFolder.h"
#include "tests/update/LoopbackServer.h"

#include <gtest/gtest.h>

using testing_support::Exists;
using testing_support::ReadFileText;
using update::DownloadOutcome;
using update_test::Page;
using update_test::Pattern;
using update_test::Reply;

namespace {

class DownloadTest : public ::testing::Test {
protected:
    update::DownloadResult Fetch(const std::string& path, DWORD timeoutMs = update::DefaultTimeoutMs)
    {
        return update::DownloadFile(server.Address() + path, target, nullptr, timeoutMs);
    }

    // Nothing but the target may be left beside it.
    std::vector<std::string> NamesInFolder() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder / "*").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
                names.push_back(found.cFileName);
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
        return names;
    }

    update_test::LoopbackServer server;
    testing_support::TempFolder folder;
    std::string target = folder / "Tidewrack.exe";
};

TEST_F(DownloadTest, WholeFileArrivesByteForByte)
{
    const std::string body = Pattern(300000);
    server.Serve("/Tidewrack.exe", Page(200, body));
    std::vector<uint64_t> steps;
    update::DownloadResult result = update::DownloadFile(
        server.Address() + "Tidewrack.exe", target, [&](uint64_t bytes, const std::optional<uint64_t>& total) {
            EXPECT_EQ(total, std::optional<uint64_t>(body.size()));
            steps.push_back(bytes);
            return true;
        });
    EXPECT_EQ(result.outcome, DownloadOutcome::Done);
    EXPECT_EQ(result.bytes, body.size());
    EXPECT_TRUE(ReadFileText(target) == body);
    ASSERT_GT(steps.size(), 2u);
    EXPECT_EQ(steps.front(), 0u);
    EXPECT_EQ(steps.back(), body.size());
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].userAgent, "Tidewrack Update");
}

TEST_F(DownloadTest, FileWithoutAnnouncedLengthStillArrives)
{
    const std::string body = Pattern(512); // ends with a read of nothing
    Reply reply = Page(200, body);
    reply.announceLength = false;
    server.Serve("/Tidewrack.exe", reply);
    update::DownloadResult result = Fetch("Tidewrack.exe");
    EXPECT_EQ(result.outcome, DownloadOutcome::Done);
    EXPECT_FALSE(result.total);
    EXPECT_TRUE(ReadFileText(target) == body);
}

TEST_F(DownloadTest, ErrorPagesAreNeverSaved)
{
    testing_support::WriteFileText(target, "the user's own file");
    for (int status : {404, 500}) {
        server.Serve("/Tidewrack.exe", Page(status, "<html>error page</html>"));
        update::DownloadResult result = Fetch("Tidewrack.exe");
        EXPECT_EQ(result.outcome, DownloadOutcome::HttpError) << status;
        EXPECT_EQ(result.httpStatus, static_cast<DWORD>(status));
        EXPECT_EQ(ReadFileText(target), "the user's own file") << status;
    }
}

// A broken transfer leaves the target as it was: missing, or the file that was there.
TEST_F(DownloadTest, CutOrEmptyTransferLeavesTheTargetAsItWas)
{
    Reply cut = Page(200, Pattern(100000));
    cut.sendOnly = 40000; // then the server closes the line
    for (const char* before : {"", "the user's own file"}) {
        for (const Reply& reply : {cut, Page(200, "")}) {
            if (*before)
                testing_support::WriteFileText(target, before);
            server.Serve("/Tidewrack.exe", reply);
            EXPECT_EQ(Fetch("Tidewrack.exe").outcome, DownloadOutcome::Incomplete);
            EXPECT_EQ(Exists(target), *before != 0);
            EXPECT_EQ(ReadFileText(target), before);
            EXPECT_EQ(NamesInFolder(), (std::vector<std::string>(*before ? 1 : 0, "Tidewrack.exe")));
        }
    }
}

TEST_F(DownloadTest, QuietServerEndsWithinTheTimeLimit)
{
    Reply silent;
    silent.silent = true;
    Reply stops = Page(200, Pattern(100000));
    stops.sendOnly = 20000;
    stops.holdAfterPart = true;
    for (const Reply& reply : {silent, stops}) {
        server.Serve("/Tidewrack.exe", reply);
        EXPECT_EQ(Fetch("Tidewrack.exe", 500).outcome, DownloadOutcome::NoAnswer);
        EXPECT_FALSE(Exists(target));
    }
}

} // namespace
