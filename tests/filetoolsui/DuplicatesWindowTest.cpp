// The duplicate page's options and the duplicates window on real files, in-process.
#include "filetools/Showdoublefiles.h"
#include "pageparts/LocaleTime.h"
#include "common/OptionsKeys.h"
#include "tests/support/ListCells.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Times.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/RadioButton.h"

#include <algorithm>

namespace {

using testing_support::Exists;

class DuplicatesWindowTest : public testing_support::MainFormTest {
protected:
    void TearDown() override
    {
        delete Form3;
        MainFormTest::TearDown();
    }

    // The window over these result lines, the files made with their own names as content.
    void Show(const std::vector<std::string>& lines)
    {
        SettleAfterStart();
        Form1->DuplicateList->Clear();
        Form1->ListedDuplicates.clear();
        for (const std::string& line : lines) {
            if (!line.empty()) {
                testing_support::WriteFileText(line, "same");
                WIN32_FILE_ATTRIBUTE_DATA found{};
                GetFileAttributesExA(line.c_str(), GetFileExInfoStandard, &found);
                Form1->ListedDuplicates[line] = {line, found.nFileSizeLow, found.ftLastWriteTime};
            }
            Form1->DuplicateList->Add(line);
        }
        Form3 = new TForm3(Form1, DuplicatesOfSearch(*Form1));
        Form3->Show();
        Form3->FillRows();
    }
    void Select(const std::vector<int>& rows)
    {
        for (int row : rows)
            Form3->ListView1->SetSelected(row, true);
    }
    std::vector<std::string> Listed() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < Form1->DuplicateList->Count(); ++i)
            lines.push_back(Form1->DuplicateList->Strings(i));
        return lines;
    }

    testing_support::TempFolder folder;
};

TEST_F(DuplicatesWindowTest, OptionsComeBackAfterARestart)
{
    SettleAfterStart();
    Form1->RadioButton11->SetChecked(true);
    Form1->CheckBox2->SetChecked(false);
    Form1->RadioButton10->SetChecked(true);
    Form1->Edit1->SetText("jpg+gif");
    Form1->CSpinEdit4->SetValue(123);
    Form1->SaveDuplicateSearchOptions();
    EXPECT_EQ(Stored(options::scanDoubleSettings::Key, options::scanDoubleSettings::ScanSize), "1");
    Restart();
    EXPECT_TRUE(Form1->RadioButton11->Checked());
    EXPECT_TRUE(Form1->CompareSize);
    EXPECT_FALSE(Form1->CompareContent);
    EXPECT_FALSE(Form1->CheckBox2->Checked());
    EXPECT_TRUE(Form1->RadioButton10->Checked());
    EXPECT_EQ(Form1->Edit1->Text(), "jpg+gif");
    EXPECT_EQ(Form1->CSpinEdit4->Value(), 123);
}

TEST_F(DuplicatesWindowTest, DeleteTakesTheSelectedCopiesAndTidiesTheList)
{
    std::string a1 = folder / "a1", a2 = folder / "a2", b1 = folder / "b1", b2 = folder / "b2";
    Show({a1, a2, "", b1, b2, ""});
    Select({0});
    Form3->Loeschen();
    EXPECT_FALSE(Exists(a1));
    EXPECT_TRUE(Exists(a2));
    EXPECT_EQ(Listed(), (std::vector<std::string>{a2, "", b1, b2, ""}));
    EXPECT_EQ(Form3->StatusBar1->Panels()->Items(0)->Text(), "3 Dateien");
}

// Files of one size are no copies: the note and the delete question say what a group means.
TEST_F(DuplicatesWindowTest, GroupsOfANameSizeOrDateSearchAreNotCalledCopies)
{
    const struct {
        unsigned char content, size;
        const char* meaning; // nullptr: the files are copies, nothing is said
    } searches[] = {{1, 0, nullptr}, {0, 1, "Gleiche Größe; der Inhalt kann verschieden sein"}};
    for (const auto& search : searches) {
        std::string a1 = folder / "a1", a2 = folder / "a2";
        Show({a1, a2, ""});
        Form1->CompareContent = search.content;
        Form1->CompareSize = search.size;
        Form1->FillDuplicatesFiles();
        Select({0});
        effects.boxes.clear();
        effects.answers = {IDNO};
        Form3->Loeschen();
        ASSERT_EQ(effects.boxes.size(), 1u);
        const std::string note = Form3->StatusBar1->Panels()->Items(1)->Text();
        if (search.meaning) {
            EXPECT_NE(note.find(search.meaning), std::string::npos) << note;
            EXPECT_NE(effects.boxes[0].text.find(search.meaning), std::string::npos);
        } else {
            EXPECT_EQ(note, "");
            EXPECT_EQ(effects.boxes[0].text.find("Kopien:"), std::string::npos);
        }
        delete Form3;
    }
}

// Every copy of a file selected: without a second yes no copy goes.
TEST_F(DuplicatesWindowTest, TheLastCopyStaysUnlessTheUserSaysSoTwice)
{
    std::string a1 = folder / "a1", a2 = folder / "a2", b1 = folder / "b1", b2 = folder / "b2";
    Show({a1, a2, "", b1, b2, ""});
    Select({0, 1, 3});
    effects.answers = {IDYES, IDNO};
    Form3->Loeschen();
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_NE(effects.boxes[1].text.find(a1), std::string::npos);
    EXPECT_TRUE(Exists(a1));
    EXPECT_TRUE(Exists(a2));
    EXPECT_FALSE(Exists(b1));
    EXPECT_EQ(Listed(), (std::vector<std::string>{a1, a2, "", b2, ""}));

    Form3->ListView1->SetSelected(0, true);
    Form3->ListView1->SetSelected(1, true);
    effects.answers = {IDYES, IDYES};
    Form3->Loeschen();
    EXPECT_FALSE(Exists(a1));
    EXPECT_FALSE(Exists(a2));
}

TEST_F(DuplicatesWindowTest, CopyPutsTheSelectedFilesIntoTheFolder)
{
    CreateDirectoryA((folder / "from").c_str(), nullptr);
    CreateDirectoryA((folder / "to").c_str(), nullptr);
    std::string a1 = folder / "from\\a1", a2 = folder / "from\\a2";
    Show({a1, a2, ""});
    Select({1});
    EXPECT_TRUE(Form3->Kopieren(folder / "to"));
    EXPECT_TRUE(Exists(folder / "to\\a2"));
    EXPECT_FALSE(Exists(folder / "to\\a1"));
    EXPECT_TRUE(Exists(a2));
}

// A file changed or gone since the search is not the file listed: a delete leaves it and
// names it, and it is no copy that would be left of the others.
TEST_F(DuplicatesWindowTest, ADeleteTakesOnlyFilesStillAsTheSearchFoundThem)
{
    std::string a1 = folder / "a1", a2 = folder / "a2", a3 = folder / "a3", b1 = folder / "b1", b2 = folder / "b2";
    Show({a1, a2, a3, "", b1, b2, ""});
    DeleteFileA(a3.c_str());
    testing_support::WriteFileText(b1, "another file now");
    Select({0, 1, 4});
    effects.answers = {IDYES, IDNO};
    Form3->Loeschen();
    ASSERT_EQ(effects.boxes.size(), 3u);
    EXPECT_NE(effects.boxes[1].text.find(a1), std::string::npos) << "a3 is gone: a1 and a2 are every copy left";
    EXPECT_NE(effects.boxes[2].text.find(b1), std::string::npos) << effects.boxes[2].text;
    EXPECT_TRUE(Exists(a1));
    EXPECT_TRUE(Exists(a2));
    EXPECT_EQ(testing_support::ReadFileText(b1), "another file now");
}

// With the byte limit a group means "equal in size and the first N bytes"; the window
// says so, and counts what it left out.
TEST_F(DuplicatesWindowTest, TheByteLimitAndTheFilesLeftOutAreTold)
{
    Show({folder / "a1", folder / "a2", ""});
    const struct {
        unsigned char languageFlag;
        size_t unreadable, changed, unknown;
        const char* said;
    } cases[] = {{1, 1, 2, 2,
                  "ersten 100 Bytes; 1 Datei nicht lesbar; 2 Dateien während der Suche geändert; 2 Dateien ohne "
                  "Dateinummer des Laufwerks, nie automatisch markiert"},
                 {0, 2, 1, 3,
                  "first 100 Bytes; 2 files not readable; 1 file changed during the search; 3 files without the "
                  "drive's file number, never selected automatically"}};
    for (const auto& c : cases) {
        Form1->LanguageFlag = c.languageFlag;
        Form1->DuplicateByteLimit = 100;
        Form1->UnreadableDuplicates.assign(c.unreadable, folder / "locked");
        Form1->ChangedDuplicates.assign(c.changed, folder / "grown");
        Form1->UnknownIdentityDuplicates.assign(c.unknown, folder / "share");
        Form1->FillDuplicatesFiles();
        std::string note = Form3->StatusBar1->Panels()->Items(1)->Text();
        EXPECT_NE(note.find(c.said), std::string::npos) << note;
    }
}

// The time of day to the second: files written a second apart show two times.
TEST_F(DuplicatesWindowTest, TheDateShowsTheSecond)
{
    std::string a1 = folder / "a1", a2 = folder / "a2";
    Show({a1, a2, ""});
    for (const auto& [path, second] : {std::pair{a1, 30}, std::pair{a2, 31}}) {
        FILETIME written = testing_support::FileTimeOf(2021, 3, 4, 10, 20, static_cast<WORD>(second));
        HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, nullptr, nullptr, &written);
        CloseHandle(file);
    }
    EXPECT_NE(testing_support::CellText(Form3->ListView1, 0, 4).find(":30"), std::string::npos);
    EXPECT_NE(testing_support::CellText(Form3->ListView1, 1, 4).find(":31"), std::string::npos)
        << testing_support::CellText(Form3->ListView1, 1, 4);
    // Any date and time of the locale shows whole: the text and a cell's margins.
    int widest = 0;
    for (const std::string& date : locale_time::DateTimeSamples())
        widest = std::max(widest, ListView_GetStringWidth(Form3->ListView1->Handle(), date.c_str()));
    EXPECT_GE(Form3->ListView1->Columns()->Items(4)->Width(), widest + 12);
}

TEST_F(DuplicatesWindowTest, SelectingTheDuplicatesLeavesTheFirstOfEachGroup)
{
    std::vector<std::string> lines;
    for (const char* name : {"a1", "a2", "a3", "", "b1", "b2", "b3", ""})
        lines.push_back(*name ? folder / name : "");
    Show(lines);
    Form3->ersterEintragderDuplikatemarkieren1Click(nullptr);
    EXPECT_EQ(Form3->ListView1->SelectedIndices(), (std::vector<int>{1, 2, 5, 6}));
}

// Two files without an index may be one file under two names: the selection commands
// leave them as they are.
TEST_F(DuplicatesWindowTest, FilesWithoutAnIndexAreNeverSelectedByTheCommands)
{
    Form1->UnknownIdentityDuplicates = {folder / "a1", folder / "a2"};
    Show({folder / "a1", folder / "a2", "", folder / "b1", folder / "b2", ""});
    Form3->ersterEintragderDuplikatemarkieren1Click(nullptr);
    EXPECT_EQ(Form3->ListView1->SelectedIndices(), (std::vector<int>{4}));
    Form3->Markierungumkehren1Click(nullptr);
    EXPECT_EQ(Form3->ListView1->SelectedIndices(), (std::vector<int>{3}));
    Form3->Allesmarkieren1Click(nullptr);
    EXPECT_EQ(Form3->ListView1->SelectedIndices(), (std::vector<int>{3, 4}));
}

// The bar's text of item position of the menu (top level when sub is -1).
std::string MenuText(HMENU bar, int position, int sub = -1)
{
    HMENU menu = sub < 0 ? bar : GetSubMenu(bar, sub);
    char text[128] = "";
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

TEST_F(DuplicatesWindowTest, TheMenuBarOffersTheCommandsWithTheirKeysInBothLanguages)
{
    Show({folder / "a1", folder / "a2", ""});
    HMENU bar = GetMenu(Form3->Handle());
    ASSERT_EQ(bar, Form3->MainMenu1->Handle());
    // A menu is filled when it opens; its command reaches the window's handler.
    SendMessageA(Form3->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(bar, 1)), 1);
    EXPECT_EQ(MenuText(bar, 0, 1), "Alles markieren\tStrg+A") << "the key in the menu's key column";
    SendMessageA(Form3->Handle(), WM_COMMAND, GetMenuItemID(GetSubMenu(bar, 1), 0), 0);
    EXPECT_EQ(Form3->ListView1->SelectedIndices(), (std::vector<int>{0, 1}));
    effects.answers = {IDNO};
    SendMessageA(Form3->Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(effects.boxes.size(), 1u) << "the keys the menu names work on the window, not only on its list";

    Form1->LanguageFlag = 0;
    delete Form3;
    Show({folder / "a1", folder / "a2", ""});
    bar = GetMenu(Form3->Handle());
    EXPECT_EQ(MenuText(bar, 0) + "|" + MenuText(bar, 1), "File|Edit");
    const struct {
        TMenuItem* item;
        const char* english;
        const char* key;
    } items[] = {{Form3->ffnen1, "Open", "Strg+O"},
                 {Form3->ffnenmit2, "Open with...", "Strg+W"},
                 {Form3->Lschen1, "Delete", "Del"},
                 {Form3->Kopieren1, "Copy...", "Strg+C"},
                 {Form3->Eigenschaften1, "Properties", "Alt+Return"},
                 {Form3->Schlieen1, "Close", "Esc"},
                 {Form3->Markierungumkehren1, "Invert selection", "Strg+U"},
                 {Form3->ersterEintragderDuplikatemarkieren1, "Not select first entry of the duplikates", "Strg+N"},
                 {Form3->MarkierteDateienalsHTMLexportieren1, "Export selected files as HTML", ""},
                 {Form3->Loeschen1, "Delete", "Del"}};
    for (const auto& entry : items)
        EXPECT_EQ(entry.item->Caption + "|" + entry.item->ShortCut, std::string(entry.english) + "|" + entry.key);
    EXPECT_EQ(Form3->Datei1->Count(), 6);
    EXPECT_EQ(Form3->PopupMenu1->Items()->Count(), 6) << "the selection commands are in the edit menu only";
}

} // namespace
