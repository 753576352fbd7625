// The main form's side of the scan: default masks, the settings round trip, and Clean
// over a location in a temporary tree.
#include "common/OptionsKeys.h"
#include "fileengines/ShellWalk.h"
#include "shell/Unit1.h"
#include "tests/cleaning/ScanTestKit.h"
#include "tests/support/MainFormFixture.h"
#include "toolkit/ListView.h"
#include "toolkit/RadioButton.h"

#include <gtest/gtest.h>

namespace {

// The form is started by each test, after it has prepared settings.
class ScanForm : public testing_support::MainFormTest {
protected:
    void SetUp() override { ClearSettings(); }
    static std::vector<std::string> ValueNames(const std::string& key)
    {
        return testing_support::SettingNames(key);
    }
    // Puts the tree's folder in the scan list as its one checked location: no test
    // walks the drives.
    void AddLocation(const std::string& folder)
    {
        for (int row = 0; row < Form1->ListView1->Items()->Count(); ++row)
            Form1->ListView1->Items()->Item(row)->SetChecked(false);
        ASSERT_TRUE(Form1->FindPidlShellFolder(folder, true));
    }
    void ChooseMode(int mode) { Form1->ScanModeButtons[mode]->SetChecked(true); }
};

std::vector<std::string> Texts(const TObjectList<CheckedEntry>& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i)
        texts.push_back(list[i]->text);
    return texts;
}

} // namespace

TEST_F(ScanForm, DefaultMasksAreWrittenOnlyWhenNoneAreStored)
{
    Start();
    EXPECT_EQ(ValueNames(options::fileEnding::Key).size(), 11u);
    EXPECT_EQ(Stored(options::fileEnding::Key, "bak"), "1");
    EXPECT_EQ(Form1->FileEndingList->Count(), 11);
    EXPECT_GT(Form1->ExcludeDirList->Count(), 0) << "the system's special folders are excluded";
    for (int i = 0; i < Form1->ExcludeDirList->Count(); ++i)
        EXPECT_TRUE((*Form1->ExcludeDirList)[i]->active);

    // The user removed a mask: the next start keeps it removed.
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(options::fileEnding::Key, false));
    ASSERT_TRUE(registry.DeleteValue("bak"));
    registry.CloseKey();
    Restart();
    EXPECT_EQ(ValueNames(options::fileEnding::Key).size(), 10u);
    EXPECT_EQ(Form1->FileEndingList->Count(), 10);
}

TEST_F(ScanForm, MasksAndExclusionsRoundTripThroughTheSettings)
{
    Store(options::fileEnding::Key, "t**", "1");
    Store(options::fileEnding::Key, "tmp", "0");
    Store(options::fileEnding::Key, "zzz", "oops"); // edited by hand
    Store(options::excludeDirs::Key, "C:\\Keep", "1");
    Store(options::excludeDirs::Key, "C:\\Off", "0");
    Start();
    // Under Wine the values come back sorted by name, not in the order they were written.
    std::vector<std::string> masks = Texts(*Form1->FileEndingList);
    std::sort(masks.begin(), masks.end());
    EXPECT_EQ(masks, (std::vector<std::string>{"t**", "tmp", "zzz"}));

    Form1->GetActualDelFileEndings();
    Form1->GetActualExcludeDirs();
    std::vector<std::string> upper = Texts(*Form1->FileEndingList);
    std::sort(upper.begin(), upper.end());
    EXPECT_EQ(upper, (std::vector<std::string>{"T**", "TMP", "ZZZ"}));
    EXPECT_FALSE(Form1->TestFile("ZZZ")) << "a hand-edited mark reads as unchecked";
    EXPECT_TRUE(Form1->TestFile("TXT"));
    EXPECT_TRUE(Form1->IsInExcludeDirs("C:\\KEEP\\sub\\a.bak"));
    EXPECT_FALSE(Form1->IsInExcludeDirs("C:\\Off\\a.bak"));

    Form1->WriteFileEnding();
    Form1->WriteRegExcludeDirs();
    EXPECT_EQ(ValueNames(options::fileEnding::Key).size(), 3u);
    EXPECT_EQ(Stored(options::fileEnding::Key, "T**"), "1");
    EXPECT_EQ(Stored(options::fileEnding::Key, "TMP"), "0");
    EXPECT_EQ(Stored(options::fileEnding::Key, "ZZZ"), "0");
    EXPECT_EQ(Stored(options::excludeDirs::Key, "C:\\Off"), "0");
    EXPECT_EQ(Stored(options::excludeDirs::Key, "C:\\Keep"), "1");
}

TEST_F(ScanForm, CleanListsTheFoundFilesOfTheCheckedLocations)
{
    scan_test::TempTree tree;
    tree.File("a.bak", 10);
    tree.File("b.txt", 20);
    Store(options::fileEnding::Key, "bak", "1");
    Start();
    AddLocation(tree.Root());
    ChooseMode(0);
    Form1->Clean();
    ASSERT_EQ(Form1->FoundFiles->Count(), 1);
    EXPECT_EQ((*Form1->FoundFiles)[0]->path, tree / "a.bak");
    EXPECT_EQ(Form1->ScanTotalBytes, 30u) << "a folder location counts by its own size";
    EXPECT_DOUBLE_EQ(Form1->ScannedBytes, 30.0 + (Form1->OsLevel == 0 ? 120 : 800));
    EXPECT_EQ(Form1->Label1->Caption(), "Bereit . . .");
    EXPECT_TRUE(tree.Exists("a.bak"));
}

TEST_F(ScanForm, CleanDeletesAtOnceAndReportsWhatItCannot)
{
    scan_test::TempTree tree;
    tree.File("a.bak");
    tree.File("b.bak");
    Store(options::fileEnding::Key, "bak", "1");
    Start();
    AddLocation(tree.Root());
    // A location whose folder cannot be bound.
    auto broken = std::make_shared<ShellItemRecord>();
    Form1->ShellItemRecords.push_back(broken);
    Form1->ScanItems->Add(broken.get());
    TListItem* row = Form1->ListView1->Items()->Add();
    row->SetCaption("Gone (Q:)");
    row->SetChecked(true);
    Form1->LanguageFlag = 0;
    ChooseMode(4);
    HANDLE locked = ::CreateFileA((tree / "b.bak").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Form1->Clean();
    ::CloseHandle(locked);

    EXPECT_FALSE(tree.Exists("a.bak"));
    EXPECT_EQ(Form1->FoundFiles->Count(), 0);
    std::vector<std::string> texts;
    for (const auto& box : effects.boxes)
        texts.push_back(box.caption + ": " + box.text);
    if (tree.Exists("b.bak")) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Error: Error deleting file " + (tree / "b.bak")), texts.end());
    }
    EXPECT_EQ(Form1->UnreadLocations, std::vector<std::string>{"Gone (Q:)"}) << "told after the scan, not during it";
}
