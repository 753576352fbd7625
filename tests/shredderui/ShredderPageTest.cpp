// The shredder page: its list (add, drop, remove, select) and the shredding of the
// selected rows, on files in a temporary folder.
#include "MainFormFixture.h"

#include "filetools/ShredderForm.h"
#include "tests/shredder/ShredderTestKit.h"
#include "tests/support/UnixSymlink.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/ListView.h"

using namespace shredder_test;

namespace {

class ShredderPageTest : public ShredderMainFormTest {
protected:
    TListItems* Rows() { return Form1->ListView11->Items(); }

    std::vector<std::string> Captions()
    {
        std::vector<std::string> captions;
        for (int row = 0; row < Rows()->Count(); ++row)
            captions.push_back(Rows()->Item(row)->Caption());
        return captions;
    }

    void SelectOnly(std::initializer_list<int> rows)
    {
        Form1->ListView11->ClearSelection();
        for (int row : rows)
            Rows()->Item(row)->SetSelected(true);
    }

    TempFolder folder;
};

TEST_F(ShredderPageTest, TheDispatcherShowsTheEmptiedPage)
{
    Form1->AddShredderRow(folder / "a.txt");
    Form1->NavSection = 1;
    Form1->NavItem = 1;
    Form1->SpeedClick(nullptr);
    EXPECT_EQ(Form1->TabSheets[14], Form1->PageControl1->ActivePage());
    EXPECT_EQ(0, Rows()->Count());
    EXPECT_EQ(7, Form1->CSpinEdit1->Value());
    EXPECT_EQ("Liste leeren", Form1->Label55->Caption());
}

TEST_F(ShredderPageTest, DroppedFilesAndFoldersBecomeRowsWithTheirFileCounts)
{
    WriteFileText(folder / "one.txt", "1");
    MakeFolder(folder / "tree");
    MakeFolder(folder / "tree\\sub");
    WriteFileText(folder / "tree\\a", "a");
    WriteFileText(folder / "tree\\sub\\b", "b");
    WriteFileText(folder / "tree\\sub\\c", "c");

    Form1->NewListViewWP11(Form1->ListView11, {folder / "one.txt", folder / "tree"});
    Form1->NewListViewWP11(Form1->ListView11, {folder / "one.txt"});

    ASSERT_EQ((std::vector<std::string>{folder / "one.txt", folder / "tree"}), Captions());
    EXPECT_EQ(1, reinterpret_cast<intptr_t>(Rows()->Item(0)->Data()));
    EXPECT_EQ(3, reinterpret_cast<intptr_t>(Rows()->Item(1)->Data()));
    EXPECT_TRUE(Form1->ListView11->AcceptFiles());
}

TEST_F(ShredderPageTest, AddRemoveSelectAndInvert)
{
    WriteFileText(folder / "chosen.txt", "x");
    effects.fileDialogAnswers.push_back(folder / "chosen.txt");
    Form1->AddShredderFilesClick(nullptr);
    Form1->AddShredderFilesClick(nullptr); // cancelled: nothing added
    for (const char* name : {"b", "c", "d"})
        Form1->AddShredderRow(folder / name);
    ASSERT_EQ(4, Rows()->Count());
    EXPECT_EQ(folder / "chosen.txt", Rows()->Item(0)->Caption());
    EXPECT_EQ(2u, effects.fileDialogs.size());

    SelectOnly({1, 3});
    Form1->Markierungumkehren1Click(nullptr);
    EXPECT_EQ((std::vector<int>{0, 2}), Form1->ListView11->SelectedIndices());
    WORD key = VK_DELETE;
    Form1->ListView11KeyDown(Form1->ListView11, key, 0);
    EXPECT_EQ((std::vector<std::string>{folder / "b", folder / "d"}), Captions());

    Form1->Allesmarkieren2Click(nullptr);
    EXPECT_EQ(2, Form1->ListView11->SelCount());
    Form1->Label55Click(nullptr);
    EXPECT_EQ(0, Rows()->Count());
}

TEST_F(ShredderPageTest, ShredsTheSelectedRowsWithTheChosenPassesAndDropsTheirRows)
{
    WriteFileText(folder / "keep.txt", "keep");
    WriteFileText(folder / "secret.txt", std::string(5000, 's'));
    MakeFolder(folder / "private");
    WriteFileText(folder / "private\\diary.txt", "dear diary");
    SetFileAttributesA((folder / "secret.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    Form1->NewListViewWP11(nullptr, {folder / "keep.txt", folder / "secret.txt", folder / "private"});
    SelectOnly({1, 2});
    Form1->CSpinEdit1->SetValue(3);
    effects.answers.push_back(IDYES);

    Form1->Button1Click(nullptr);

    ASSERT_EQ(1u, effects.boxes.size()) << "only the question";
    EXPECT_EQ(UINT(MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_YESNO), effects.boxes[0].flags);
    EXPECT_EQ("3", Form1->ShredPasses);
    EXPECT_EQ(std::set<std::string>{"keep.txt"}, TreeNames(folder.Path()));
    EXPECT_EQ((std::vector<std::string>{folder / "keep.txt"}), Captions());
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    Application->ProcessMessages();
    EXPECT_EQ(nullptr, Form2);
}

TEST_F(ShredderPageTest, NoSelectionOrNoGivesNothingAway)
{
    WriteFileText(folder / "a.txt", "a");
    Form1->AddShredderRow(folder / "a.txt");
    Form1->ListView11->ClearSelection();
    Form1->Button1Click(nullptr);
    ASSERT_EQ(1u, effects.boxes.size());
    EXPECT_EQ("Keine Dateien ausgewählt", effects.boxes[0].text);

    SelectOnly({0});
    effects.answers.push_back(IDNO);
    Form1->Button1Click(nullptr);
    EXPECT_TRUE(Exists(folder / "a.txt"));
    EXPECT_EQ(nullptr, Form2);
}

TEST_F(ShredderPageTest, AVanishedPathIsReportedAndAFileThatStaysKeepsItsRowAndAttributes)
{
    Form1->LanguageFlag = 0;
    WriteFileText(folder / "stuck.txt", "stuck");
    SetFileAttributesA((folder / "stuck.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    const DWORD attributes = GetFileAttributesA((folder / "stuck.txt").c_str());
    Form1->AddShredderRow(folder / "stuck.txt");
    Form1->AddShredderRow(folder / "gone.txt");
    Form1->Allesmarkieren2Click(nullptr);
    TestIo io;
    io.failRemoveFile = true;
    Form1->ShredderDisk = &io;
    effects.answers.push_back(IDYES);

    Form1->Button1Click(nullptr);

    ASSERT_EQ(3u, effects.boxes.size());
    EXPECT_EQ("Unable to locate file", effects.boxes[1].text);
    EXPECT_EQ("1 file could not be shredded and is still there.\n", effects.boxes[2].text);
    EXPECT_EQ(std::set<std::string>{"stuck.txt"}, TreeNames(folder.Path())) << "under its own name";
    EXPECT_EQ(attributes, GetFileAttributesA((folder / "stuck.txt").c_str()));
    EXPECT_EQ(2, Rows()->Count());
    SetFileAttributesA((folder / "stuck.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A file that can be neither deleted nor given its name back keeps its row under the
// name it has now, and the report names it.
TEST_F(ShredderPageTest, AFileLeftUnderAScrambledNameKeepsItsRowAndIsNamed)
{
    Form1->LanguageFlag = 0;
    const std::string stuck = folder / "stuck.txt", scrambled = folder / "ZZZZZ.ZZZ";
    WriteFileText(stuck, "stuck");
    Form1->AddShredderRow(stuck);
    Form1->Allesmarkieren2Click(nullptr);
    TestIo io;
    io.failRemoveFile = true;
    io.failRenameTo = stuck;
    Form1->ShredderDisk = &io;
    effects.answers.push_back(IDYES);

    Form1->Button1Click(nullptr);

    EXPECT_EQ(std::set<std::string>{"ZZZZZ.ZZZ"}, TreeNames(folder.Path()));
    EXPECT_EQ(std::vector<std::string>{scrambled}, Captions());
    ASSERT_EQ(2u, effects.boxes.size());
    EXPECT_EQ("1 file could not be shredded and is still there.\n"
              "These files could be neither deleted nor renamed back:\n" + stuck + "  is now  " + scrambled + "\n",
              effects.boxes[1].text);
}

// A name that leads to another file is refused before the shredder touches it (some
// systems apply even attribute changes of a link to its target), and the window names it.
TEST_F(ShredderPageTest, ALinkIsRefusedBeforeTheShredderTouchesItAndNamed)
{
    Form1->LanguageFlag = 0;
    TempFolder elsewhere;
    WriteFileText(elsewhere / "target.txt", "precious");
    SetFileAttributesA((elsewhere / "target.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    const DWORD attributes = GetFileAttributesA((elsewhere / "target.txt").c_str());
    ASSERT_TRUE(testing_support::MakeUnixSymlink(folder / "link.txt", elsewhere / "target.txt", false));
    Form1->AddShredderRow(folder / "link.txt");
    Form1->Allesmarkieren2Click(nullptr);
    TestIo io;
    Form1->ShredderDisk = &io;
    effects.answers.push_back(IDYES);

    Form1->Button1Click(nullptr);

    testing_support::RemoveUnixSymlink(folder / "link.txt");
    EXPECT_TRUE(io.log.empty()) << io.log.front();
    EXPECT_EQ("precious", ReadFileText(elsewhere / "target.txt"));
    EXPECT_EQ(attributes, GetFileAttributesA((elsewhere / "target.txt").c_str()));
    ASSERT_EQ(2u, effects.boxes.size());
    EXPECT_EQ("These names lead to other places and were left untouched:\n" + folder / "link.txt" + "\n",
              effects.boxes[1].text);
    EXPECT_EQ(1, Rows()->Count());
    SetFileAttributesA((elsewhere / "target.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A folder row takes its whole tree along: one the program needs is named and kept, and
// the question says what the others amount to.
TEST_F(ShredderPageTest, AGuardedFolderIsRefusedAndTheQuestionNamesWhatIsShredded)
{
    Form1->LanguageFlag = 0;
    Form1->BackupDir = folder / "ZipBackup";
    for (const char* name : {"ZipBackup", "private"})
        MakeFolder(folder / name);
    for (const char* name : {"ZipBackup\\backup.zip", "private\\a", "private\\b"})
        WriteFileText(folder / name, name);
    Form1->NewListViewWP11(nullptr, {folder / "ZipBackup", folder / "private"});
    Form1->Allesmarkieren2Click(nullptr);
    effects.answers = {IDOK, IDYES};

    Form1->Button1Click(nullptr);

    ASSERT_EQ(2u, effects.boxes.size());
    EXPECT_EQ("These folders are not shredded:\n" + folder / "ZipBackup" + "  (needed by Windows, programs or users)\n",
              effects.boxes[0].text);
    EXPECT_NE(std::string::npos, effects.boxes[1].text.find("\n2 files will be shredded, with these folders and all "
                                                            "they hold:\n" + folder / "private" + "\nRestoring"))
        << effects.boxes[1].text;
    EXPECT_EQ((std::set<std::string>{"ZipBackup", "ZipBackup\\backup.zip"}), TreeNames(folder.Path()));
    EXPECT_EQ((std::vector<std::string>{folder / "ZipBackup"}), Captions());
}

TEST_F(ShredderPageTest, CancelDuringTheSecondRowLeavesTheRemainingRows)
{
    for (const char* name : {"1.bin", "2.bin", "3.bin", "4.bin"}) {
        WriteFileText(folder / name, std::string(100000, 'z'));
        Form1->AddShredderRow(folder / name);
    }
    Form1->Allesmarkieren2Click(nullptr);
    TestIo io;
    int writes = 0;
    io.beforeWrite = [&] {
        // The rows go from the last up; with one pass each file takes 9 writes.
        if (++writes == 12 && Form2)
            Form2->Button1Click(nullptr);
    };
    Form1->ShredderDisk = &io;
    Form1->CSpinEdit1->SetValue(1);
    effects.answers.push_back(IDYES);

    Form1->Button1Click(nullptr);

    EXPECT_EQ((std::set<std::string>{"1.bin", "2.bin", "3.bin"}), TreeNames(folder.Path()));
    EXPECT_EQ(3, Rows()->Count());
    EXPECT_EQ(1u, effects.boxes.size()) << "a cancel is no failure to report";
}

} // namespace
