// The deleter that the scan and the found-files window share, on real files.
#include "fileengines/FileDeleter.h"
#include "tests/support/RecordingEffects.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSymlink.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using file_engines::DeleteOutcome;
using testing_support::Exists;

TEST(FileDeleter, DeleteForGoodTakesAReadOnlyFileAlong)
{
    testing_support::TempFolder folder;
    testing_support::RecordingEffects effects;
    // Mode 3 hands the file to the shell, which asks about a read-only file itself.
    for (file_engines::DeleteAction action : {file_engines::deletePermanently}) {
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

// Each mode's way through the shell: 1 quietly into the bin, 2 into the bin and 3 for good
// with the shell's own question (2 for good on a drive without a bin, once the program's
// question for the drive is answered), 4 past the shell. A No in the shell's question is
// no failure.
TEST(FileDeleter, EachModeHandsTheShellItsOwnFlags)
{
    testing_support::TempFolder folder;
    const FILEOP_FLAGS quietToBin = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI | FOF_SILENT;
    const struct {
        file_engines::DeleteAction action;
        bool bin;
        std::vector<FILEOP_FLAGS> flags;
        bool shellAsks;
        DeleteOutcome onYes;
    } cases[] = {
        {file_engines::deleteToRecycleBin, true, {quietToBin}, false, DeleteOutcome::Deleted},
        {file_engines::deleteToRecycleBinConfirmed, true, {FOF_ALLOWUNDO}, true, DeleteOutcome::Deleted},
        {file_engines::deletePermanentlyConfirmed, true, {0}, true, DeleteOutcome::Deleted},
        {file_engines::deletePermanently, true, {}, false, DeleteOutcome::Deleted},
        {file_engines::deleteToRecycleBinConfirmed, false, {0}, true, DeleteOutcome::DeletedForGood},
    };
    for (const auto& k : cases) {
        for (int answer : {IDNO, IDYES}) {
            const std::string path = folder / "junk.tmp";
            testing_support::WriteFileText(path, "x");
            testing_support::RecordingEffects effects;
            effects.answers = {answer};
            if (!k.bin)
                effects.answers.push_front(IDYES); // the drive's files may go for good
            file_engines::ShellFileDeleter deleter(0, nullptr, [&k](const std::string&) { return k.bin; });
            const DeleteOutcome outcome = deleter.Delete(path, k.action);
            std::vector<FILEOP_FLAGS> flags;
            for (const auto& operation : effects.shellOperations) {
                EXPECT_EQ(operation.function, static_cast<UINT>(FO_DELETE));
                EXPECT_EQ(operation.from, path);
                flags.push_back(operation.flags);
            }
            const std::string which = "mode " + std::to_string(k.action) + (k.bin ? "" : " without a bin") +
                                      (answer == IDYES ? ", Yes" : ", No");
            EXPECT_EQ(flags, k.flags) << which;
            EXPECT_EQ(effects.boxes.size(), k.bin ? 0u : 1u) << which << ": the program asks only for the drive";
            const bool declined = k.shellAsks && answer == IDNO;
            EXPECT_EQ(outcome, declined ? DeleteOutcome::Declined : k.onYes) << which;
            EXPECT_EQ(Exists(path), declined) << which;
        }
    }
}

} // namespace
