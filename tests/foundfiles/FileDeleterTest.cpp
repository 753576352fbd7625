// The deleter that the scan and the found-files window share, on real files.
#include "fileengines/FileDeleter.h"
#include "tests/support/RecordingEffects.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSymlink.h"

#include <gtest/gtest.h>

namespace {

using file_engines::DeleteOutcome;
using testing_support::Exists;

TEST(FileDeleter, DeleteForGoodTakesAReadOnlyFileAlong)
{
    testing_support::TempFolder folder;
    testing_support::RecordingEffects effects;
    for (int action : {file_engines::deletePermanentlyConfirmed, file_engines::deletePermanently}) {
        const std::string path = folder / "locked.tmp";
        testing_support::WriteFileText(path, "x");
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        file_engines::ShellFileDeleter deleter(0, nullptr);
        EXPECT_EQ(deleter.Delete(path, action), DeleteOutcome::Deleted) << action;
        EXPECT_FALSE(Exists(path)) << action;
    }
}

// The folder's name has become a link (to a folder elsewhere) since it was looked at.
TEST(FileDeleter, AFolderThatIsALinkNowIsNeitherEmptiedNorRemoved)
{
    testing_support::TempFolder folder, outside;
    CreateDirectoryA((outside / "victim").c_str(), nullptr);
    testing_support::WriteFileText(outside / "victim\\keep.txt", "keep");
    ASSERT_TRUE(testing_support::MakeUnixSymlink(folder / "sub", outside / "victim"));

    EXPECT_FALSE(file_engines::DeleteFolderForGood(folder / "sub"));

    EXPECT_EQ(testing_support::ReadFileText(outside / "victim\\keep.txt"), "keep");
    testing_support::RemoveUnixSymlink(folder / "sub");
}

// A drive whose recycle bin cannot be reached: the shell would delete for good without
// a word and report success.
TEST(FileDeleter, WithoutARecycleBinTheUserIsAskedBeforeADeleteForGood)
{
    testing_support::TempFolder folder;
    const std::string a = folder / "a.tmp", b = folder / "b.tmp";
    testing_support::WriteFileText(a, "a");
    testing_support::WriteFileText(b, "b");
    testing_support::RecordingEffects effects;
    auto noBin = [](const std::string&) { return false; };

    effects.answers = {IDNO};
    file_engines::ShellFileDeleter declined(0, nullptr, noBin);
    EXPECT_EQ(declined.Delete(a, file_engines::deleteToRecycleBin), DeleteOutcome::Declined);
    EXPECT_EQ(declined.Delete(b, file_engines::deleteToRecycleBin), DeleteOutcome::Declined);
    ASSERT_EQ(effects.boxes.size(), 1u) << "one question per drive";
    EXPECT_NE(effects.boxes[0].text.find(a), std::string::npos);
    EXPECT_TRUE(Exists(a));
    EXPECT_TRUE(Exists(b));

    effects.answers = {IDYES};
    file_engines::ShellFileDeleter agreed(0, nullptr, noBin);
    EXPECT_EQ(agreed.Delete(a, file_engines::deleteToRecycleBin), DeleteOutcome::DeletedForGood);
    EXPECT_FALSE(Exists(a));
}

} // namespace
