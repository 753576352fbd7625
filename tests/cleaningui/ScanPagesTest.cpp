// The scan pages: masks and exclusion folders edited through their handlers, the
// locations' check marks and added folders across a restart, the scan options and
// "Scan now".
#include "cleaning/Fileending.h"
#include "pageparts/HostDialog.h"
#include "tests/cleaning/ScanTestKit.h"
#include "tests/cleaningui/ScanPagesFixture.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/Edit.h"

#include <algorithm>
#include <functional>

namespace {

bool Contains(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

int RowOf(TListView* list, const std::string& caption)
{
    for (int row = 0; row < list->Items()->Count(); ++row)
        if (list->Items()->Item(row)->Caption() == caption)
            return row;
    return -1;
}

} // namespace

TEST_F(ScanPagesTest, AMaskIsAddedThroughTheDialogOnlyWithThreeCharacters)
{
    Form1->LanguageFlag = 0;
    int rows = Form1->ListView2->Items()->Count();
    ASSERT_EQ(rows, 11) << "the default masks";
    Form1->Label19Click(Form1->Label19);
    ASSERT_NE(Frame3, nullptr);
    ASSERT_TRUE(Form6->Visible());
    EXPECT_EQ(Form6->Caption(), "Add fileending");
    EXPECT_EQ(Frame3->Button2->Caption(), "Cancel");

    Frame3->Edit1->SetText("b*");
    Frame3->Button1Click(Frame3->Button1);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Note: Please use 3 digits!"});
    EXPECT_TRUE(Form6->Visible()) << "the dialog stays for a corrected entry";
    EXPECT_EQ(Form1->ListView2->Items()->Count(), rows);

    Frame3->Edit1->SetText("b**");
    Frame3->Button1Click(Frame3->Button1);
    EXPECT_FALSE(Form6->Visible());
    ASSERT_EQ(Form1->ListView2->Items()->Count(), rows + 1);
    TListItem* added = Form1->ListView2->Items()->Item(rows);
    EXPECT_EQ(added->Caption(), "b**");
    EXPECT_TRUE(added->Checked());
    EXPECT_EQ(added->ImageIndex(), 0);
    EXPECT_EQ(Form1->FileEndingList->Count(), rows + 1);
    EXPECT_EQ((*Form1->FileEndingList)[rows]->text, "B**") << "the scan compares in upper case";

    // Closing the window writes the rows as they stand.
    Form1->WriteFileEnding();
    EXPECT_EQ(Stored(options::fileEnding::Key).count("b**"), 1u);
}

TEST_F(ScanPagesTest, AMaskIsRemovedOnlyWhenTheUserSaysYes)
{
    int rows = Form1->ListView2->Items()->Count();
    std::string second = Form1->ListView2->Items()->Item(1)->Caption();
    WORD key = VK_DELETE;
    Form1->ListView2KeyDown(Form1->ListView2, key, 0);
    EXPECT_TRUE(effects.boxes.empty()) << "nothing selected, nothing asked";

    Form1->ListView2->SetItemIndex(1);
    effects.answers.push_back(IDNO);
    Form1->Label18Click(Form1->Label18);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "Entfernen  ?");
    EXPECT_EQ(effects.boxes[0].flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(Form1->ListView2->Items()->Count(), rows);

    Form1->ListView2KeyDown(Form1->ListView2, key, 0); // answered Yes
    EXPECT_EQ(Form1->ListView2->Items()->Count(), rows - 1);
    EXPECT_EQ(Form1->FileEndingList->Count(), rows - 1);
    EXPECT_EQ(RowOf(Form1->ListView2, second), -1);
    Form1->WriteFileEnding();
    EXPECT_EQ(Stored(options::fileEnding::Key).count(second), 0u);
}

TEST_F(ScanPagesTest, PopupEntriesCheckAndInvertEveryMask)
{
    Form1->ListView2->Items()->Item(0)->SetChecked(false);
    Form1->Auswahlumkehren1Click(nullptr);
    std::vector<bool> marks = Marks(Form1->ListView2);
    EXPECT_TRUE(marks[0]);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), false), static_cast<long>(marks.size()) - 1);
    Form1->Alleauswhlen1Click(nullptr);
    marks = Marks(Form1->ListView2);
    EXPECT_EQ(std::count(marks.begin(), marks.end(), true), static_cast<long>(marks.size()));
}

TEST_F(ScanPagesTest, ExclusionFoldersAreAddedAndRemovedAsRows)
{
    Form1->ListView3->Items()->Clear();
    Form1->AddExcludeDir("C:\\Keep");
    Form1->AddExcludeDir("C:\\Other");
    ASSERT_EQ(Captions(Form1->ListView3), (std::vector<std::string>{"C:\\Keep", "C:\\Other"}));
    EXPECT_TRUE(Form1->ListView3->Items()->Item(0)->Checked());
    EXPECT_EQ(Form1->ListView3->Items()->Item(0)->ImageIndex(), 5);

    Form1->ListView3->SetItemIndex(0);
    WORD key = VK_DELETE;
    Form1->ListView3KeyDown(Form1->ListView3, key, 0);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "Entfernen   ?");
    EXPECT_EQ(Captions(Form1->ListView3), std::vector<std::string>{"C:\\Other"});

    // The next scan uses the rows, not what was loaded at start.
    Form1->GetActualExcludeDirs();
    EXPECT_FALSE(Form1->IsInExcludeDirs("C:\\Keep\\a.bak"));
    EXPECT_TRUE(Form1->IsInExcludeDirs("C:\\Other\\sub\\a.bak"));
    Form1->WriteRegExcludeDirs();
    EXPECT_EQ(Stored(options::excludeDirs::Key), (std::map<std::string, std::string>{{"C:\\Other", "1"}}));
}

TEST_F(ScanPagesTest, DriveMarksFollowTheirDrivesNotTheirPositions)
{
    std::vector<std::string> drives = Captions(Form1->ListView1);
    ASSERT_FALSE(drives.empty()) << "the sandbox has a fixed drive C:";
    for (const std::string& caption : drives)
        EXPECT_NE(caption.find(":)"), std::string::npos) << caption;
    EXPECT_EQ(Marks(Form1->ListView1), std::vector<bool>(drives.size(), true)) << "drives start checked";
    EXPECT_EQ(Marks(Form1->ListView17), std::vector<bool>(drives.size(), false));

    // Stored under their names, unchecked -- behind a drive that no longer exists and
    // sorts first (Wine lists values by name), so that marks matched by position would
    // all land one row off.
    Store(options::driveSettings::Key, "!Vanished (Q:)", "1");
    for (const std::string& caption : drives)
        Store(options::driveSettings::Key, caption, "0");
    Store(options::duplicateDriveSettings::Key, drives[0], "1");
    Form1->GetScreenSettings();
    EXPECT_EQ(Marks(Form1->ListView1), std::vector<bool>(drives.size(), false));
    EXPECT_TRUE(Form1->ListView17->Items()->Item(0)->Checked());

    // The stored format: one value per drive row, by caption.
    Form1->ListView1->Items()->Item(0)->SetChecked(true);
    Form1->SaveScreenSettings();
    std::map<std::string, std::string> stored = Stored(options::driveSettings::Key);
    EXPECT_EQ(stored.size(), drives.size()) << "the vanished drive is dropped";
    EXPECT_EQ(stored[drives[0]], "1");
    Restart();
    EXPECT_TRUE(Form1->ListView1->Items()->Item(0)->Checked());
    if (drives.size() > 1) {
        EXPECT_FALSE(Form1->ListView1->Items()->Item(1)->Checked());
    }
}

TEST_F(ScanPagesTest, AddedFoldersComeBackWithTheirMarksAndVanishedOnesAreReported)
{
    scan_test::TempTree tree;
    tree.Folder("one");
    tree.Folder("two (old)");
    size_t drives = Form1->ListView1->Items()->Count();
    ASSERT_TRUE(Form1->FindPidlShellFolder(tree / "one", false));
    ASSERT_TRUE(Form1->FindPidlShellFolder(tree / "two (old)", true));
    EXPECT_EQ(Form1->ScanItems->Count(), static_cast<int>(drives) + 2);
    Form1->DuplicateMode = 1;
    ASSERT_TRUE(Form1->FindPidlShellFolder(tree / "one", true));
    Form1->DuplicateMode = 0;
    EXPECT_EQ(Form1->ListView17->Items()->Count(), static_cast<int>(drives) + 1);
    EXPECT_FALSE(Form1->FindPidlShellFolder(tree / "missing", true));
    EXPECT_EQ(Form1->ListView1->Items()->Count(), static_cast<int>(drives) + 2);

    Form1->SaveScreenSettings();
    EXPECT_EQ(Stored(options::addedDirs::Key),
              (std::map<std::string, std::string>{{tree / "one", "0"}, {tree / "two (old)", "1"}}));
    EXPECT_EQ(Stored(options::addedDuplicateDirs::Key), (std::map<std::string, std::string>{{tree / "one", "1"}}));

    effects.boxes.clear();
    Restart();
    int one = RowOf(Form1->ListView1, tree / "one");
    ASSERT_GE(one, 0);
    EXPECT_FALSE(Form1->ListView1->Items()->Item(one)->Checked());
    EXPECT_EQ(Form1->GetShellItem(one)->parsingName, tree / "one");
    EXPECT_GE(RowOf(Form1->ListView17, tree / "one"), 0);

    ASSERT_TRUE(::RemoveDirectoryA((tree / "one").c_str()));
    delete Form1;
    effects.boxes.clear();
    Application->CreateForm(Form1);
    EXPECT_EQ(RowOf(Form1->ListView1, tree / "one"), -1);
    EXPECT_TRUE(Contains(BoxTexts(), "Tidewrack: Ordner nicht gefunden: " + tree / "one" +
                                         "\nDer Ordner wird aus der Liste entfernt."))
        << ::testing::PrintToString(BoxTexts());
    Form1->SaveScreenSettings();
    EXPECT_EQ(Stored(options::addedDirs::Key).count(tree / "one"), 0u) << "dropped at the next save";
}

TEST_F(ScanPagesTest, RemovingADriveFromTheScanListLeavesItInTheDuplicateList)
{
    int drives = Form1->ListView1->Items()->Count();
    ASSERT_GT(drives, 0);
    ShellItemRecord* first = Form1->GetShellItem(0);
    Form1->ListView1->SetItemIndex(0);
    Form1->Label25Click(Form1->Label25);
    EXPECT_EQ(Form1->ListView1->Items()->Count(), drives - 1);
    EXPECT_EQ(Form1->ScanItems->Count(), drives - 1);
    EXPECT_EQ(Form1->ListView17->Items()->Count(), drives);
    EXPECT_EQ(Form1->GetDuplicateShellItem(0), first);

    Form1->ListView17->SetItemIndex(0);
    WORD key = VK_DELETE;
    Form1->ListView1KeyDown(Form1->ListView17, key, 0);
    EXPECT_EQ(Form1->ListView17->Items()->Count(), drives - 1);
    EXPECT_EQ(Form1->DuplicateScanItems->Count(), drives - 1);
}

TEST_F(ScanPagesTest, ScanOptionsRoundTripThroughTheActionKey)
{
    EXPECT_TRUE(Form1->ScanModeButtons[0]->Checked());
    Form1->ScanModeButtons[6]->SetChecked(true);
    Form1->CSpinEdit2->SetValue(45);
    Form1->Edit2->SetText("report");
    Form1->Close(); // the close handler saves
    EXPECT_EQ(Stored(options::action::Key),
              (std::map<std::string, std::string>{{"comboboxindex", "6"}, {"lastaccess", "45"}, {"searchname", "report"}}));

    Restart();
    EXPECT_TRUE(Form1->ScanModeButtons[6]->Checked());
    EXPECT_FALSE(Form1->ScanModeButtons[0]->Checked());
    EXPECT_EQ(Form1->CSpinEdit2->Value(), 45);
    EXPECT_EQ(Form1->Edit2->Text(), "report");

    Store(options::action::Key, "comboboxindex", "9");
    Restart();
    EXPECT_TRUE(Form1->ScanModeButtons[0]->Checked()) << "an index out of range counts as 0";
}

TEST_F(ScanPagesTest, CaptionsComeInTheFlagsLanguage)
{
    EXPECT_EQ(Form1->ScanModeButtons[0]->Caption(), "Gefundene Dateien nach der Suche auflisten");
    EXPECT_EQ(Form1->Label11->Caption(), "Jetzt suchen");
    EXPECT_EQ(134, Form1->Label11->Width()) << "the link must be wide enough to show its caption";
    Form1->LanguageFlag = 0;
    Form1->ShowScanPages();
    EXPECT_EQ(Form1->ScanModeButtons[4]->Caption(), "Delete immediately without acknowledgement");
    EXPECT_EQ(Form1->ScanModeButtons[6]->Caption(), "Scan for files older tham");
    EXPECT_EQ(Form1->Label11->Caption(), "Scan now");
    EXPECT_EQ(Form1->Label19->Caption(), "Add");
    EXPECT_EQ(Form1->Label25->Caption(), "Remove");

    // The link is green, red under the mouse, and green again after.
    EXPECT_EQ(Form1->Label11->Font()->Color(), 0x8000);
    Form1->Label11->OnMouseMove(Form1->Label11, 0, 1, 1);
    EXPECT_EQ(Form1->Label11->Font()->Color(), clRed);
    Form1->Label11->OnMouseLeave(Form1->Label11);
    EXPECT_EQ(Form1->Label11->Font()->Color(), 0x8000);
}

TEST_F(ScanPagesTest, ScanNowStartsTheProgramWithScanAndCloses)
{
    Form1->ScanModeButtons[4]->SetChecked(true);
    Form1->Image102MouseDown(Form1->Label11, mbLeft, 0, 1, 1);
    EXPECT_EQ(Form1->Panel1->BevelOuter(), bvLowered);
    Form1->Image102Click(Form1->Label11);

    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_EQ(effects.launches[0].file, "\"" + std::string(self) + "\" /scan");
    EXPECT_TRUE(Application->Terminated) << "the main window closed";
    EXPECT_EQ(Stored(options::action::Key)["comboboxindex"], "4") << "saved before the new process reads it";
    EXPECT_TRUE(effects.boxes.empty());
}

TEST_F(ScanPagesTest, AFailedStartIsReportedAndTheWindowStays)
{
    Form1->LanguageFlag = 0;
    effects.launchSucceeds = false;
    Form1->Image102Click(Form1->Label11);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].caption, "Error");
    EXPECT_EQ(effects.boxes[0].text.rfind("The scan could not be started: ", 0), 0u);
    EXPECT_FALSE(Application->Terminated) << "the main window stays";
    EXPECT_EQ(Form1->Panel1->BevelOuter(), bvRaised);
}

TEST_F(ScanPagesTest, AFileNameSearchWithoutTextDoesNotStart)
{
    Form1->LanguageFlag = 0;
    Form1->ScanModeButtons[7]->SetChecked(true);
    Form1->Edit2->SetText("");
    Form1->Image102Click(Form1->Label11);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Tidewrack: Searchtext is empty"});
    EXPECT_TRUE(effects.launches.empty());
    EXPECT_FALSE(Application->Terminated);
}

TEST_F(ScanPagesTest, ClosingAfterScanNowLeavesTheSavedListsInPlace)
{
    // The scan process reads these keys while this window closes: an unchanged list must
    // not be deleted and written again under it.
    Form1->SaveScanSettings();
    const char* keys[] = {options::fileEnding::Key, options::excludeDirs::Key, options::driveSettings::Key};
    HKEY handles[3] = {};
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, keys[i], 0, KEY_READ, &handles[i]), ERROR_SUCCESS) << keys[i];
    Form1->Close();
    for (int i = 0; i < 3; ++i) {
        DWORD values = 0;
        EXPECT_EQ(::RegQueryInfoKeyA(handles[i], nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                                     nullptr, nullptr, nullptr, nullptr),
                  ERROR_SUCCESS)
            << keys[i] << " was deleted";
        EXPECT_GT(values, 0u) << keys[i];
        ::RegCloseKey(handles[i]);
    }

    // A changed list is written anew.
    Form1->ListView2->Items()->Item(0)->SetChecked(false);
    Form1->WriteFileEnding();
    EXPECT_EQ(Stored(options::fileEnding::Key)[Form1->ListView2->Items()->Item(0)->Caption()], "0");
}

// The lists guard deletions: each edit is stored at once, a check mark set by the program
// at the latest when Windows ends the session (the window in the tray is never closed).
TEST_F(ScanPagesTest, ListEditsAreStoredAtOnceAndWhenTheSessionEnds)
{
    const std::string firstMask = Form1->ListView2->Items()->Item(0)->Caption();
    const struct {
        const char* edit;
        std::function<void()> act;
        std::function<bool()> stored;
    } cases[] = {
        {"exclusion added", [] { Form1->AddExcludeDir("C:\\Kept"); },
         [] { return Stored(options::excludeDirs::Key)["C:\\Kept"] == "1"; }},
        {"exclusion removed",
         [] {
             Form1->ListView3->SetItemIndex(RowOf(Form1->ListView3, "C:\\Kept"));
             Form1->Label17Click(nullptr);
         },
         [] { return Stored(options::excludeDirs::Key).count("C:\\Kept") == 0; }},
        {"masks inverted", [] { Form1->Auswahlumkehren1Click(nullptr); },
         [&] { return Stored(options::fileEnding::Key)[firstMask] == "0"; }},
        {"mask ticked by hand", [] { ListView_SetCheckState(Form1->ListView2->Handle(), 0, TRUE); },
         [&] { return Stored(options::fileEnding::Key)[firstMask] == "1"; }},
        {"mask cleared by the program, session ends",
         [] {
             Form1->ListView2->Items()->Item(0)->SetChecked(false);
             SendMessageA(Form1->Handle(), WM_ENDSESSION, TRUE, 0);
         },
         [&] { return Stored(options::fileEnding::Key)[firstMask] == "0"; }},
    };
    for (const auto& c : cases) {
        c.act();
        EXPECT_TRUE(c.stored()) << c.edit;
    }
}
