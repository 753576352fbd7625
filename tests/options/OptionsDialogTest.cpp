// The options dialog: what it shows, what OK stores and the next opening shows again,
// what Cancel leaves alone, the language file, and the backup folder's edge cases.
#include "cleaning/ScanLocations.h"
#include "pageparts/LocaleTime.h"
#include "tests/options/OptionsFixture.h"
#include "tests/support/Times.h"

#include <string>
#include <vector>

namespace {

using OptionsDialogTest = OptionsFixture;

using testing_support::SystemTimeOf;

std::vector<bool> Checks(TListView* list)
{
    std::vector<bool> checks;
    for (int row = 0; row < list->Items()->Count(); ++row)
        checks.push_back((*list->Items())[row]->Checked());
    return checks;
}

std::vector<std::string> Captions(TListView* list)
{
    std::vector<std::string> captions;
    for (int row = 0; row < list->Items()->Count(); ++row)
        captions.push_back((*list->Items())[row]->Caption());
    return captions;
}

void ExpectTime(const SYSTEMTIME& actual, WORD hour, WORD minute, WORD second)
{
    EXPECT_EQ(actual.wHour, hour);
    EXPECT_EQ(actual.wMinute, minute);
    EXPECT_EQ(actual.wSecond, second);
}

void ExpectDate(const SYSTEMTIME& actual, WORD year, WORD month, WORD day)
{
    EXPECT_EQ(actual.wYear, year);
    EXPECT_EQ(actual.wMonth, month);
    EXPECT_EQ(actual.wDay, day);
}

TEST_F(OptionsDialogTest, OpensModallyWithTheDesignAndCancelStoresNothing)
{
    effects.clock = SystemTimeOf(2026, 5, 6, 7, 8, 9);
    effects.clockSet = true;
    WithDialog([&](TFrame4& frame) {
        EXPECT_EQ(frame.Parent(), Form6);
        EXPECT_EQ(Form6->Caption(), "Optionen");
        EXPECT_EQ(Form1->RelaunchOnClose, 0);
        EXPECT_TRUE(frame.RadioButton1->Checked()); // German mode
        EXPECT_TRUE(frame.CheckBox2->Checked());
        EXPECT_FALSE(frame.CheckBox1->Checked());
        EXPECT_EQ(frame.CSpinEdit2->Value(), 3);
        EXPECT_EQ(frame.CSpinEdit1->Value(), 1);
        EXPECT_TRUE(frame.RadioButton8->Checked());
        EXPECT_TRUE(frame.RadioButton11->Checked());
        EXPECT_EQ(frame.Edit1->Text(), programDir + "\\ZipBackup");
        EXPECT_EQ(Captions(frame.ListView1),
                  (std::vector<std::string>{"Ordner Recent leeren", "Ordner Temp leeren", "Papierkorb leeren",
                                            "Cookies löschen", "Ordner Verlauf leeren", "Ordner Prefetch leeren"}));
        EXPECT_EQ(Checks(frame.ListView1), std::vector<bool>(6, false));
        std::vector<std::string> locations;
        for (const auto& row : Form1->ScanLocationRows())
            locations.push_back(row.caption);
        EXPECT_EQ(Captions(frame.ListView3), locations);
        ExpectTime(frame.DateTimePicker1->Time(), 7, 8, 9);
        ExpectDate(frame.DateTimePicker2->Date(), 2026, 5, 6);
        ExpectTime(frame.DateTimePicker3->Time(), 7, 8, 9);

        // Changes, then Cancel.
        frame.RadioButton2->SetChecked(true);
        frame.CSpinEdit2->SetValue(44);
        frame.Edit1->SetText("");
        frame.RadioButton6->SetChecked(true);
        frame.Button2Click(frame.Button2);
        EXPECT_NE(Form6->ModalResult, mrNone); // the dialog ends
    });
    EXPECT_EQ(Stored(options::Key, options::NumPasses), std::nullopt);
    EXPECT_EQ(Stored(options::Key, options::ZipDir), std::nullopt);
    EXPECT_EQ(Stored(options::tasks::Key, options::tasks::Task), std::nullopt);
    EXPECT_EQ(LanguageFile(), std::nullopt);
    EXPECT_EQ(Form1->PassCount, 3);
}

TEST_F(OptionsDialogTest, EveryValueRoundTripsThroughTheSettingsAndTheLanguageFile)
{
    ASSERT_GT(Form1->ScanLocationRows().size(), 0u);
    int locationCount = 0;
    WithDialog([&](TFrame4& frame) {
        locationCount = frame.ListView3->Items()->Count();
        frame.RadioButton2->SetChecked(true);
        frame.CheckBox1->SetChecked(true);
        frame.CheckBox2->SetChecked(false);
        frame.CSpinEdit2->SetValue(77);
        frame.CSpinEdit1->SetValue(9);
        frame.CheckBox3->SetChecked(true);
        frame.Edit1->SetText("C:\\Backups of mine");
        for (int row : {0, 2, 5})
            (*frame.ListView1->Items())[row]->SetChecked(true);
        frame.RadioButton7->SetChecked(true);
        frame.DateTimePicker2->SetDate(SystemTimeOf(2027, 3, 4, 0, 0, 0));
        frame.DateTimePicker3->SetTime(SystemTimeOf(0, 0, 0, 17, 5, 9));
        frame.DateTimePicker1->SetTime(SystemTimeOf(0, 0, 0, 6, 7, 8));
        frame.RadioButton10->SetChecked(true);
        (*frame.ListView3->Items())[0]->SetChecked(true);
        frame.Button1Click(frame.Button1);
        EXPECT_NE(Form6->ModalResult, mrNone);
    });

    EXPECT_EQ(LanguageFile(), "0\r\n");
    EXPECT_EQ(Stored(options::Key, options::CleanOnStartup), "101001");
    EXPECT_EQ(Stored(options::Key, options::RowSelect), "1");
    EXPECT_EQ(Stored(options::Key, options::NumPasses), "77");
    EXPECT_EQ(Stored(options::Key, options::Ratio), "9");
    EXPECT_EQ(Stored(options::Key, options::ZipDir), "C:\\Backups of mine");
    EXPECT_EQ(Stored(options::Key, options::NotScanRecycleBin), "0");
    EXPECT_EQ(Stored(options::Key, options::IncludeHidden), "1");
    EXPECT_EQ(Stored(options::tasks::Key, options::tasks::Task), "2");
    EXPECT_EQ(Stored(options::tasks::Key, options::tasks::ActionAfterTaskEnding), "2");
    EXPECT_EQ(Stored(options::tasks::Key, options::tasks::Time), locale_time::TimeText(SystemTimeOf(2000, 1, 1, 6, 7, 8)));
    EXPECT_EQ(Stored(options::tasks::Key, options::tasks::DateTime),
              locale_time::DateTimeText(SystemTimeOf(2027, 3, 4, 17, 5, 9)));
    ASSERT_NE(Frame4, nullptr); // the frame outlives its closed dialog
    std::vector<std::string> locations = Captions(Frame4->ListView3);
    for (int row = 0; row < locationCount; ++row)
        EXPECT_EQ(Stored(options::scanDirs::Key, locations[row]), row == 0 ? "1" : "0") << locations[row];

    // Everything but the language takes effect at once.
    EXPECT_EQ(Form1->PassCount, 77);
    EXPECT_EQ(Form1->CompressionRatio, 9);
    EXPECT_EQ(Form1->RowSelectOption, 1);
    EXPECT_EQ(Form1->BackupDir, "C:\\Backups of mine");
    EXPECT_EQ(Form1->SkipRecycleBin, 0);
    EXPECT_EQ(ShellEnumFlags, 224);
    EXPECT_EQ(Form1->TaskMode, 2);
    EXPECT_EQ(Form1->AfterTaskAction, 2);
    EXPECT_EQ(Form1->TaskDateTime, locale_time::DateTimeText(SystemTimeOf(2027, 3, 4, 17, 5, 9)));
    EXPECT_EQ(Form1->LanguageFlag, 1);
    EXPECT_EQ(Form1->SidebarGroupLabels[0]->Caption(), "Festplatte säubern ");

    WithDialog([&](TFrame4& frame) {
        EXPECT_TRUE(frame.RadioButton1->Checked()); // the running language, until the next start
        EXPECT_TRUE(frame.CheckBox1->Checked());
        EXPECT_FALSE(frame.CheckBox2->Checked());
        EXPECT_EQ(frame.CSpinEdit2->Value(), 77);
        EXPECT_EQ(frame.CSpinEdit1->Value(), 9);
        EXPECT_TRUE(frame.CheckBox3->Checked());
        EXPECT_EQ(frame.Edit1->Text(), "C:\\Backups of mine");
        EXPECT_EQ(Checks(frame.ListView1), (std::vector<bool>{true, false, true, false, false, true}));
        EXPECT_TRUE(frame.RadioButton7->Checked());
        ExpectDate(frame.DateTimePicker2->Date(), 2027, 3, 4);
        ExpectTime(frame.DateTimePicker3->Time(), 17, 5, 9);
        EXPECT_TRUE(frame.RadioButton10->Checked());
        std::vector<bool> ticked(locationCount, false);
        ticked[0] = true;
        EXPECT_EQ(Checks(frame.ListView3), ticked);
        frame.Button2Click(frame.Button2);
    });

    // The next start runs in English, and so does the dialog.
    Restart();
    EXPECT_EQ(Form1->LanguageFlag, 0);
    WithDialog([&](TFrame4& frame) {
        EXPECT_EQ(Form6->Caption(), "Options");
        EXPECT_TRUE(frame.RadioButton2->Checked());
        EXPECT_EQ(frame.CheckBox2->Caption(), "Do not scan Recycle Bin");
        EXPECT_EQ(frame.GroupBox2->Caption(), "After cleaning, Tidewrack will");
        EXPECT_EQ(frame.Button2->Caption(), "Cancel");
        EXPECT_EQ((*frame.ListView1->Items())[2]->Caption(), "Empty Recycle Bin ");
        EXPECT_EQ(Checks(frame.ListView1), (std::vector<bool>{true, false, true, false, false, true}));
        frame.RadioButton1->SetChecked(true);
        frame.Button1Click(frame.Button1);
    });
    EXPECT_EQ(LanguageFile(), "1\r\n");
    EXPECT_EQ(Form1->LanguageFlag, 0);
    Restart();
    EXPECT_EQ(Form1->LanguageFlag, 1);
}

TEST_F(OptionsDialogTest, DailyTaskRestoresItsTime)
{
    WithDialog([&](TFrame4& frame) {
        frame.RadioButton6->SetChecked(true);
        frame.RadioButton9->SetChecked(true);
        frame.DateTimePicker1->SetTime(SystemTimeOf(0, 0, 0, 23, 59, 58));
        frame.Button1Click(frame.Button1);
    });
    EXPECT_EQ(Stored(options::tasks::Key, options::tasks::Task), "1");
    EXPECT_EQ(Stored(options::tasks::Key, options::tasks::ActionAfterTaskEnding), "1");
    EXPECT_EQ(Form1->TaskMode, 1);
    EXPECT_EQ(Form1->AfterTaskAction, 1);
    EXPECT_EQ(Form1->TaskTime, locale_time::TimeText(SystemTimeOf(2000, 1, 1, 23, 59, 58)));

    TFrame4& frame = Prepare();
    EXPECT_TRUE(frame.RadioButton6->Checked());
    EXPECT_TRUE(frame.RadioButton9->Checked());
    ExpectTime(frame.DateTimePicker1->Time(), 23, 59, 58);
}

int TextWidth(TControl* control, const std::string& text)
{
    HDC dc = GetDC(control->Handle());
    HGDIOBJ old = SelectObject(dc, control->Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control->Handle(), dc);
    return size.cx;
}

// Nothing of the scheduled-task page lies beyond its parent's edge, and every caption and
// the longest time and date fit their controls (with room for the radio circle, the
// group frame's indents and the pickers' buttons).
TEST_F(OptionsDialogTest, TheScheduledTaskPageShowsEverythingWholeInBothLanguages)
{
    const SYSTEMTIME latest = SystemTimeOf(2026, 12, 28, 23, 58, 58);
    for (int language : {1, 0}) {
        Form1->LanguageFlag = language;
        TFrame4& frame = Prepare();
        std::function<void(TWinControl*)> inside = [&](TWinControl* parent) {
            const TRect room = parent->ClientRect();
            for (int i = 0; i < parent->ControlCount(); ++i) {
                TControl* control = parent->Controls(i);
                SCOPED_TRACE(control->Name + " in language " + std::to_string(language));
                EXPECT_GE(control->Left(), room.Left);
                EXPECT_GE(control->Top(), room.Top);
                EXPECT_LE(control->Left() + control->Width(), room.Right);
                EXPECT_LE(control->Top() + control->Height(), room.Bottom);
                if (auto* children = dynamic_cast<TWinControl*>(control))
                    inside(children);
            }
        };
        inside(frame.TabSheet2);
        for (TRadioButton* radio : {frame.RadioButton8, frame.RadioButton6, frame.RadioButton7, frame.RadioButton11,
                                    frame.RadioButton9, frame.RadioButton10})
            EXPECT_LE(TextWidth(radio, radio->Caption()) + 20, radio->Width()) << radio->Caption();
        for (TGroupBox* group : {frame.GroupBox1, frame.GroupBox2})
            EXPECT_LE(TextWidth(group, group->Caption()) + 16, group->Width()) << group->Caption();
        for (TDateTimePicker* picker : {frame.DateTimePicker1, frame.DateTimePicker3})
            EXPECT_LE(TextWidth(picker, locale_time::TimeText(latest)) + 24, picker->Width());
        EXPECT_LE(TextWidth(frame.DateTimePicker2, locale_time::DateText(latest)) + 24, frame.DateTimePicker2->Width());
    }
}

TEST_F(OptionsDialogTest, OnceOnlyTaskStoredAsTextRestoresDateAndTime)
{
    Store(options::tasks::Key, options::tasks::Task, "2");
    Store(options::tasks::Key, options::tasks::DateTime, locale_time::DateTimeText(SystemTimeOf(2026, 12, 24, 15, 4, 5)));
    Store(options::tasks::Key, options::tasks::Time, locale_time::TimeText(SystemTimeOf(2000, 1, 1, 1, 2, 3)));
    effects.clock = SystemTimeOf(2025, 1, 2, 3, 4, 5);
    effects.clockSet = true;
    TFrame4& frame = Prepare();
    EXPECT_TRUE(frame.RadioButton7->Checked());
    ExpectDate(frame.DateTimePicker2->Date(), 2026, 12, 24);
    ExpectTime(frame.DateTimePicker3->Time(), 15, 4, 5);
    ExpectTime(frame.DateTimePicker1->Time(), 3, 4, 5); // the daily time is not the task's
}

TEST_F(OptionsDialogTest, UnreadableTaskTextsLeaveThePickersAtNow)
{
    Store(options::tasks::Key, options::tasks::Task, "1");
    Store(options::tasks::Key, options::tasks::Time, "at noon");
    effects.clock = SystemTimeOf(2025, 1, 2, 3, 4, 5);
    effects.clockSet = true;
    TFrame4& frame = Prepare();
    EXPECT_TRUE(frame.RadioButton6->Checked());
    ExpectTime(frame.DateTimePicker1->Time(), 3, 4, 5);
}

TEST_F(OptionsDialogTest, StartupDigitsCheckTheRowsInOrder)
{
    struct Case {
        const char* digits;
        std::vector<bool> checks;
    };
    const Case cases[] = {
        {"111111", std::vector<bool>(6, true)},
        {"", std::vector<bool>(6, false)},
        {"1111111111111111111111111", std::vector<bool>(6, false)}, // 20 or more: ignored
        {"0102", {false, true, false, true, false, false}},
        {"1x9000111", {true, false, true, false, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.digits);
        Store(options::Key, options::CleanOnStartup, c.digits);
        EXPECT_EQ(Checks(Prepare().ListView1), c.checks);
    }
}

TEST_F(OptionsDialogTest, StoredTextsCountAsRoundedNumbersOrNotAtAll)
{
    Store(options::Key, options::NumPasses, "many");
    Store(options::Key, options::Ratio, "7.6");
    Store(options::Key, options::NotScanRecycleBin, "no");
    Store(options::Key, options::IncludeHidden, "2");
    Store(options::Key, options::RowSelect, "0");
    TFrame4& frame = Prepare();
    EXPECT_EQ(frame.CSpinEdit2->Value(), 3);
    EXPECT_EQ(frame.CSpinEdit1->Value(), 8);
    EXPECT_TRUE(frame.CheckBox2->Checked());
    EXPECT_TRUE(frame.CheckBox1->Checked());
    EXPECT_FALSE(frame.CheckBox3->Checked());
}

TEST_F(OptionsDialogTest, TaskLocationsAreTickedByCaption)
{
    std::vector<cleaning::LocationRow> rows = Form1->ScanLocationRows();
    ASSERT_GT(rows.size(), 0u);
    Store(options::scanDirs::Key, rows.back().caption, "1");
    Store(options::scanDirs::Key, "Q:\\gone", "1");
    if (rows.size() > 1)
        Store(options::scanDirs::Key, rows.front().caption, "0");
    std::vector<bool> expected(rows.size(), false);
    expected.back() = true;
    EXPECT_EQ(Checks(Prepare().ListView3), expected);
}

TEST_F(OptionsDialogTest, SavingRewritesTheTaskLocationsWhole)
{
    Store(options::scanDirs::Key, "Q:\\gone", "1");
    TFrame4& frame = Prepare();
    Form1->WriteOptions();
    EXPECT_EQ(Stored(options::scanDirs::Key, "Q:\\gone"), std::nullopt);
    ASSERT_GT(frame.ListView3->Items()->Count(), 0);
    EXPECT_EQ(Stored(options::scanDirs::Key, (*frame.ListView3->Items())[0]->Caption()), "0");
}

TEST_F(OptionsDialogTest, EmptyBackupFolderMeansTheDefaultOne)
{
    TFrame4& frame = Prepare();
    frame.Edit1->SetText("");
    Form1->WriteOptions();
    EXPECT_EQ(Stored(options::Key, options::ZipDir), "");
    EXPECT_EQ(Form1->BackupDir, programDir + "\\ZipBackup");
    EXPECT_EQ(Prepare().Edit1->Text(), programDir + "\\ZipBackup");
    Restart();
    EXPECT_EQ(Form1->BackupDir, programDir + "\\ZipBackup");
}

class UnwritableLanguageFileTest : public OptionsFixture {
protected:
    void ChangeAndSave()
    {
        TFrame4& frame = Prepare();
        frame.CSpinEdit2->SetValue(12);
        frame.Edit1->SetText("C:\\Elsewhere");
        frame.RadioButton6->SetChecked(true);
        Form1->WriteOptions();
    }

    // Every setting but the language is stored, and the user hears why the language is not.
    void ExpectEverythingButTheLanguageStored(const std::string& languageFile)
    {
        EXPECT_EQ(Stored(options::Key, options::NumPasses), "12");
        EXPECT_EQ(Stored(options::Key, options::ZipDir), "C:\\Elsewhere");
        EXPECT_EQ(Stored(options::Key, options::CleanOnStartup), "000000");
        EXPECT_EQ(Stored(options::tasks::Key, options::tasks::Task), "1");
        EXPECT_EQ(Form1->PassCount, 12);
        EXPECT_EQ(Form1->TaskMode, 1);
        ASSERT_EQ(effects.boxes.size(), 1u);
        EXPECT_EQ(effects.boxes[0].caption, "Fehler");
        EXPECT_EQ(effects.boxes[0].flags, UINT(MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK));
        EXPECT_NE(effects.boxes[0].text.find(languageFile), std::string::npos) << effects.boxes[0].text;
        EXPECT_NE(effects.boxes[0].text.find("Sprache"), std::string::npos) << effects.boxes[0].text;
    }
};

TEST_F(UnwritableLanguageFileTest, ProgramFolderThatDoesNotExist)
{
    Form1->ProgramDir = programDir + "\\missing";
    ChangeAndSave();
    ExpectEverythingButTheLanguageStored(programDir + "\\missing\\language.dat");
}

TEST_F(UnwritableLanguageFileTest, LanguageFileHeldOpenElsewhere)
{
    const std::string languageFile = programDir + "\\language.dat";
    std::ofstream(languageFile, std::ios::binary) << "0\r\n";
    HANDLE held = CreateFileA(languageFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ChangeAndSave();
    CloseHandle(held);
    ExpectEverythingButTheLanguageStored(languageFile);
    EXPECT_EQ(LanguageFile(), "0\r\n");
}

TEST_F(OptionsDialogTest, WrittenLanguageFileCausesNoBox)
{
    Prepare();
    Form1->WriteOptions();
    EXPECT_TRUE(effects.boxes.empty());
    EXPECT_EQ(LanguageFile(), "1\r\n");
}

// The frame knows no main form: OK and "..." do what its maker hands it.
TEST_F(OptionsDialogTest, OkAndTheFolderButtonRunWhatTheMakerHandsTheFrame)
{
    int stores = 0;
    std::string browsedFrom;
    OptionsActions actions;
    actions.store = [&] { ++stores; };
    actions.browseFolder = [&](std::string& folder) {
        browsedFrom = folder;
        folder = "C:\\Chosen";
    };
    Form1->MakeHostDialog(HostDialog::Options);
    TFrame4* frame = MakeHostFrame<TFrame4>(Form1->HostPanel, actions);
    frame->Edit1->SetText("C:\\Old");
    frame->Button7->Click();
    EXPECT_EQ(browsedFrom, "C:\\Old");
    EXPECT_EQ(frame->Edit1->Text(), "C:\\Chosen");
    EXPECT_EQ(stores, 0);
    frame->Button1->Click();
    EXPECT_EQ(stores, 1);
    EXPECT_TRUE(effects.folderDialogs.empty());
}

TEST_F(OptionsDialogTest, NoTaskTurnsTheAfterTaskChoiceOffAndDailyOn)
{
    TFrame4& frame = Prepare();
    EXPECT_TRUE(frame.GroupBox2->Enabled());
    frame.RadioButton6->SetChecked(true);
    frame.RadioButton8->SetChecked(true);
    EXPECT_FALSE(frame.GroupBox2->Enabled());
    EXPECT_FALSE(frame.RadioButton9->Enabled());
    frame.RadioButton7->SetChecked(true);
    EXPECT_FALSE(frame.GroupBox2->Enabled());
    frame.RadioButton6->SetChecked(true);
    EXPECT_TRUE(frame.GroupBox2->Enabled());
    EXPECT_TRUE(frame.RadioButton10->Enabled());
    frame.RadioButton7->SetChecked(true);
    EXPECT_TRUE(frame.GroupBox2->Enabled());
}

TEST_F(OptionsDialogTest, TaskStateIsReadFromTheSettings)
{
    Form1->TaskFired = 1;
    Form1->ShutdownCountdown = 12;
    Form1->GetTaskPlaner();
    EXPECT_EQ(Form1->TaskMode, 0);
    EXPECT_EQ(Form1->TaskFired, 0);
    EXPECT_EQ(Form1->ShutdownCountdown, 0);

    Store(options::tasks::Key, options::tasks::Task, "1");
    Store(options::tasks::Key, options::tasks::ActionAfterTaskEnding, "2");
    Store(options::tasks::Key, options::tasks::Time, "12:00:00");
    Store(options::tasks::Key, options::tasks::DateTime, "24.12.2026 08:00:00");
    Form1->GetTaskPlaner();
    EXPECT_EQ(Form1->TaskMode, 1);
    EXPECT_EQ(Form1->AfterTaskAction, 2);
    EXPECT_EQ(Form1->TaskTime, "12:00:00");
    EXPECT_EQ(Form1->TaskDateTime, "24.12.2026 08:00:00");

    Store(options::tasks::Key, options::tasks::Task, "soon");
    Form1->GetTaskPlaner();
    EXPECT_EQ(Form1->TaskMode, 0);
}

TEST_F(OptionsDialogTest, HelpButtonOpensTheHelpFileOfTheLanguage)
{
    Form1->Image36->OnClick(Form1->Image36);
    Form1->LanguageFlag = 0;
    Form1->Image36->OnClick(Form1->Image36);
    ASSERT_EQ(effects.launches.size(), 2u);
    EXPECT_EQ(effects.launches[0].verb, "open");
    EXPECT_EQ(effects.launches[0].file, programDir + "\\Tidewrack Hilfedatei.chm");
    EXPECT_EQ(effects.launches[1].file, programDir + "\\Tidewrack Helper.chm");
    EXPECT_TRUE(effects.boxes.empty());

    effects.launchSucceeds = false;
    Form1->Image36Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_NE(effects.boxes[0].text.find("Tidewrack Helper.chm"), std::string::npos);
}

TEST_F(OptionsDialogTest, EnglishStartSetsTheMainWindowsTexts)
{
    std::ofstream(programDir + "\\language.dat", std::ios::binary) << "0\r\n";
    Restart();
    EXPECT_EQ(Form1->SidebarGroupLabels[0]->Caption(), "Clean Hard Drive ");
    EXPECT_EQ(Form1->SidebarGroupLabels[5]->Caption(), "Options");
    EXPECT_EQ(Form1->Tidewrackmaximieren1->Caption, "Maximize");
    EXPECT_EQ(Form1->Beenden1->Caption, "Terminate");
}

} // namespace
