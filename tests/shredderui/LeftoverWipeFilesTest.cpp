// The start-up check for wipe files that an interrupted wipe left in a drive's root,
// run on a temporary folder standing in for the root.
#include "filetools/LeftoverWipeFiles.h"
#include "tests/shredder/ShredderTestKit.h"
#include "tests/support/RecordingEffects.h"

#include <gtest/gtest.h>

using namespace shredder_test;

namespace {

TEST(LeftoverWipeFiles, KnowsTheWipesOwnNames)
{
    for (const char* name : {"WIPE_SHREDDER", "WIPE_SHREDDER1", "WIPE_SHREDDER005", "WIPE_SHREDDER1234",
                             "wipe_shredder042"})
        EXPECT_TRUE(IsWipeFileName(name)) << name;
    for (const char* name : {"WIPE_SHREDDER.txt", "WIPE_SHREDDERX", "WIPE_SHREDDER01a", "WIPE_SHREDDE", "MY_WIPE_SHREDDER"})
        EXPECT_FALSE(IsWipeFileName(name)) << name;
}

class LeftoverCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"WIPE_SHREDDER", "WIPE_SHREDDER1", "WIPE_SHREDDER005", "WIPE_SHREDDER100"})
            WriteFileText(root / name, "12345");
        WriteFileText(root / "WIPE_SHREDDER.txt", "mine");
        WriteFileText(root / "notes.txt", "mine");
        MakeFolder(root / "WIPE_SHREDDER2");
        // As the wipe leaves them: hidden; one is read-only as well.
        SetFileAttributesA((root / "WIPE_SHREDDER").c_str(), FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesA((root / "WIPE_SHREDDER005").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    }

    TempFolder root;
    TempFolder otherRoot;
    testing_support::RecordingEffects effects;
};

TEST_F(LeftoverCheck, AsksOnceAboutEveryLeftoverFileAndDeletesThemOnYes)
{
    WriteFileText(otherRoot / "WIPE_SHREDDER000", "1");
    effects.answers.push_back(IDYES);

    EXPECT_EQ(5u, OfferToDeleteLeftoverWipeFiles(nullptr, {root.Path() + "\\", otherRoot.Path()}, false));

    ASSERT_EQ(1u, effects.boxes.size());
    const testing_support::RecordedBox& box = effects.boxes[0];
    EXPECT_EQ("Tidewrack", box.caption);
    EXPECT_EQ(UINT(MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO), box.flags);
    EXPECT_EQ(0u, box.text.find("5 temporary ('WIPE_SHREDDER') files were found. 'Tidewrack' uses these files "
                                "during 'WipeFreeSpace' .\nThese files should be deleted after using "
                                "'WipeFreeSpace'.\n\n"))
        << box.text;
    EXPECT_NE(std::string::npos, box.text.find(root / "WIPE_SHREDDER005" + " Size : 5 Bytes\n"));
    EXPECT_NE(std::string::npos, box.text.find(otherRoot / "WIPE_SHREDDER000" + " Size : 1 Bytes\n"));
    EXPECT_EQ("\nDelete these files now (recommended) ?", box.text.substr(box.text.size() - 39));

    EXPECT_EQ((std::set<std::string>{"WIPE_SHREDDER.txt", "notes.txt", "WIPE_SHREDDER2"}), TreeNames(root.Path()));
    EXPECT_TRUE(TreeNames(otherRoot.Path()).empty());
}

TEST_F(LeftoverCheck, NoKeepsThemAndNothingFoundAsksNothing)
{
    effects.answers.push_back(IDNO);
    EXPECT_EQ(4u, OfferToDeleteLeftoverWipeFiles(nullptr, {root.Path()}, true));
    ASSERT_EQ(1u, effects.boxes.size());
    EXPECT_NE(std::string::npos, effects.boxes[0].text.find("Diese Dateien jetzt löschen (empfohlen) ?"));
    EXPECT_TRUE(Exists(root / "WIPE_SHREDDER005"));

    EXPECT_EQ(0u, OfferToDeleteLeftoverWipeFiles(nullptr, {otherRoot.Path()}, true));
    EXPECT_EQ(1u, effects.boxes.size());
    SetFileAttributesA((root / "WIPE_SHREDDER005").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(LeftoverCheck, YesNamesTheFilesThatCouldNotBeDeleted)
{
    // Held open without delete sharing, as a wipe still running holds it.
    HANDLE busy = CreateFileA((root / "WIPE_SHREDDER1").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, busy);

    OfferToDeleteLeftoverWipeFiles(nullptr, {root.Path()}, false);
    CloseHandle(busy);

    ASSERT_EQ(2u, effects.boxes.size());
    EXPECT_EQ("These files could not be deleted:\n" + root / "WIPE_SHREDDER1" + "\n", effects.boxes[1].text);
    EXPECT_EQ((std::set<std::string>{"WIPE_SHREDDER.txt", "notes.txt", "WIPE_SHREDDER2", "WIPE_SHREDDER1"}),
              TreeNames(root.Path()));
}

TEST(LeftoverWipeFilesQuestion, ListsAFileTableFillShortly)
{
    std::vector<LeftoverWipeFile> files;
    for (int i = 0; i < 300; ++i)
        files.push_back({"D:\\WIPE_SHREDDER" + std::to_string(i), 700});
    std::string text = LeftoverWipeFilesQuestion(files, false);
    EXPECT_EQ(0u, text.find("300 temporary"));
    EXPECT_NE(std::string::npos, text.find("... and 280 more\n"));
    EXPECT_EQ(std::string::npos, text.find("WIPE_SHREDDER20 "));
}

} // namespace
