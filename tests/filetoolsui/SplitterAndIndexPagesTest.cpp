// The splitter and folder-index pages, in-process on real files.
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/ListView.h"

namespace {

using testing_support::Exists;
using testing_support::ReadFileText;
using testing_support::WriteFileText;

class FileToolPagesTest : public testing_support::MainFormTest {
protected:
    bool BoxSaid(const std::string& text) const
    {
        for (const auto& box : effects.boxes)
            if (box.text.find(text) != std::string::npos)
                return true;
        return false;
    }
    testing_support::TempFolder folder;
};

TEST_F(FileToolPagesTest, SplitterAsksBeforeOverwritingParts)
{
    SettleAfterStart();
    Form1->SelectFirstSplitSize();
    WriteFileText(folder / "data.bin", std::string(3000, 'd'));
    WriteFileText(folder / "data.001", "keep me");
    Form1->Edit9->SetText(folder / "data.bin");
    Form1->ComboBoxEx2->SetItemIndex(6);
    Form1->Edit10->SetText("1000");

    effects.answers = {IDNO};
    Form1->Label86Click(nullptr);
    EXPECT_TRUE(BoxSaid(folder / "data.001"));
    EXPECT_EQ(ReadFileText(folder / "data.001"), "keep me");
    EXPECT_FALSE(Exists(folder / "data.bat"));

    effects.boxes.clear();
    Form1->Label86Click(nullptr); // yes by default
    EXPECT_EQ(ReadFileText(folder / "data.001"), std::string(1000, 'd'));
    EXPECT_TRUE(Exists(folder / "data.003"));
    EXPECT_TRUE(BoxSaid("erfolgreich"));
}

// A click on "Split now" that arrives while the parts are written starts no second split.
TEST_F(FileToolPagesTest, SplitterRefusesASecondSplitWhileOneRuns)
{
    SettleAfterStart();
    Form1->SelectFirstSplitSize();
    WriteFileText(folder / "data.bin", std::string(3000, 'd'));
    Form1->Edit9->SetText(folder / "data.bin");
    Form1->ComboBoxEx2->SetItemIndex(6);
    Form1->Edit10->SetText("1000");

    HWND link = Form1->Label86->Handle();
    PostMessageA(GetParent(link), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(link), STN_CLICKED),
                 reinterpret_cast<LPARAM>(link));
    Form1->Label86Click(nullptr);
    int successes = 0;
    for (const auto& box : effects.boxes)
        successes += box.text.find("erfolgreich") != std::string::npos;
    EXPECT_EQ(successes, 1);
    EXPECT_EQ(ReadFileText(folder / "data.003"), std::string(1000, 'd'));
}

TEST_F(FileToolPagesTest, SplitterRefusesAnOwnSizeThatIsNoNumber)
{
    SettleAfterStart();
    Form1->SelectFirstSplitSize();
    WriteFileText(folder / "data.bin", "0123456789");
    Form1->Edit9->SetText(folder / "data.bin");
    Form1->ComboBoxEx2->SetItemIndex(6);
    Form1->Edit10->SetText("12abc");
    Form1->Label86Click(nullptr);
    EXPECT_TRUE(BoxSaid("Ungültige Angaben"));
    EXPECT_FALSE(Exists(folder / "data.001"));
}

// "Done!" only for a file written in this run: an index left from an earlier run does not count.
TEST_F(FileToolPagesTest, FolderIndexSaysDoneOnlyWhenItWroteTheFile)
{
    SettleAfterStart();
    Form1->ClearFolderIndexList();
    CreateDirectoryA((folder / "tree").c_str(), nullptr);
    CreateDirectoryA((folder / "tree\\sub").c_str(), nullptr);
    WriteFileText(folder / "tree\\a.txt", std::string(10, 'a'));
    WriteFileText(folder / "tree\\sub\\b.txt", std::string(20, 'b'));
    Form1->NewListViewWP7(nullptr, {folder / "tree"});
    Form1->CheckBox1->SetChecked(true);

    effects.fileDialogAnswers = {folder / "index"};
    Form1->Button6Click(nullptr);
    std::string page = ReadFileText(folder / "index.htm");
    EXPECT_NE(page.find(">a.txt<"), std::string::npos);
    EXPECT_NE(page.find(">b.txt<"), std::string::npos);
    EXPECT_NE(page.find("Gesamt: 2 Dateien; 2 Ordner; 30 Bytes"), std::string::npos);
    EXPECT_TRUE(BoxSaid("Fertig!"));

    effects.boxes.clear();
    Form1->Button6Click(nullptr); // the save dialog is cancelled
    EXPECT_TRUE(BoxSaid("Fehler beim Erstellen der Datei!"));
    EXPECT_FALSE(BoxSaid("Fertig!"));
}

TEST_F(FileToolPagesTest, EnglishFolderIndexIsDatedInEnglishAndItsBoxesAreSystemModal)
{
    SettleAfterStart();
    Form1->LanguageFlag = 0;
    Form1->ClearFolderIndexList();
    WriteFileText(folder / "a.txt", "a");
    Form1->NewListViewWP7(nullptr, {folder / "a.txt"});
    effects.fileDialogAnswers = {folder / "index"};
    Form1->Button6Click(nullptr);
    EXPECT_NE(ReadFileText(folder / "index.htm").find("<font color=\"#0080C0\">Creation date "), std::string::npos);
    Form1->Button6Click(nullptr); // the save dialog is cancelled
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_EQ(effects.boxes[0].text, "Done!");
    EXPECT_EQ(effects.boxes[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OK));
    EXPECT_EQ(effects.boxes[1].flags, UINT(MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK));
}

// "thesis.doc" saved as a page is written as "thesis.htm": the question names that file,
// and a "no" keeps it.
TEST_F(FileToolPagesTest, FolderIndexAsksBeforeReplacingTheFileReallyWritten)
{
    SettleAfterStart();
    Form1->ClearFolderIndexList();
    WriteFileText(folder / "a.txt", "a");
    Form1->NewListViewWP7(nullptr, {folder / "a.txt"});
    WriteFileText(folder / "thesis.htm", "the user's thesis");
    for (int answer : {IDNO, IDYES}) {
        effects.boxes.clear();
        effects.answers = {answer};
        effects.fileDialogAnswers = {folder / "thesis.doc"};
        Form1->Button6Click(nullptr);
        ASSERT_FALSE(effects.boxes.empty()) << answer;
        EXPECT_NE(effects.boxes[0].text.find(folder / "thesis.htm"), std::string::npos) << answer;
        EXPECT_EQ(ReadFileText(folder / "thesis.htm") == "the user's thesis", answer == IDNO) << answer;
    }
}

} // namespace
