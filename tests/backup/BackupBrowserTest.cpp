// The backups page and browser on archives made here: the ratio and attribute columns
// and their sort, restoring into a missing folder and over an existing file, entries
// whose names climb out, removing projects, and the browser's saved layout.
#include "archive/BackupPacker.h"
#include "archive/BackupProjects.h"
#include "archive/OpenedCopies.h"
#include "archive/Showbackupfiles.h"
#include "archive/Zip.h"
#include "common/OptionsKeys.h"
#include "tests/backup/BackupTestKit.h"

#include <functional>

namespace {

class NoCancel : public backup::PackObserver {
public:
    bool Cancelled() override { return false; }
    void FileStarted(const std::string&) override {}
    void AddFailed(const std::string&, ZipResult) override {}
};

class BackupBrowserTest : public BackupFormTest {
protected:
    // A registered project packing these files; its stamp.
    std::string MakeProject(const std::vector<std::string>& files, const char* stamp = "01.02.2003_04.05.06")
    {
        backup::MakeDirectory(backup::ProjectFolder(backupDir, stamp));
        NoCancel observer;
        backup::PackResult result = backup::PackFiles(backup::ProjectArchive(backupDir, stamp), files, observer);
        EXPECT_EQ(result.saved.size(), files.size());
        Form1->RegisterBackupProject(stamp, "");
        return stamp;
    }

    TForm8* OpenBrowser(const std::string& stamp)
    {
        Form1->GetBackup();
        for (int row = 0; row < Form1->ListView8->Items()->Count(); ++row)
            if (Form1->ListView8->Items()->Item(row)->Caption() == stamp)
                Form1->ListView8->SetItemIndex(row);
        Form1->ListView8Click(nullptr);
        return Form8;
    }

    static std::string Cell(TForm8* browser, int row, int column)
    {
        TListItem* item = browser->ListView1->Items()->Item(row);
        return column == 0 ? item->Caption() : item->SubItems()->Strings(column - 1);
    }

    static void SelectRow(TForm8* browser, const std::string& name)
    {
        browser->ListView1->ClearSelection();
        for (int row = 0; row < browser->ListView1->Items()->Count(); ++row)
            if (Cell(browser, row, 0) == name)
                browser->ListView1->SetSelected(row, true);
    }

    void TearDown() override
    {
        if (Form8)
            delete Form8;
        TForm8::SortDirection = 0;
        BackupFormTest::TearDown();
    }
};

TEST_F(BackupBrowserTest, ColumnsShowSavingAttributesAndPlaceAndSortAsNumbers)
{
    std::string packed = MakeFile("big.txt", std::string(4000, 'x'), FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN);
    std::string tiny = MakeFile("sub\\tiny.dat", "q", FILE_ATTRIBUTE_READONLY);
    std::string mid = MakeFile("mid.txt", std::string(200, 'y') + "0123456789abcdefghijklmnopqrstuvwxyz");
    TForm8* browser = OpenBrowser(MakeProject({packed, tiny, mid}));
    ASSERT_NE(browser, nullptr);
    ASSERT_EQ(browser->ListView1->Items()->Count(), 3);
    EXPECT_EQ(browser->Caption(), " Sicherungsdateien 01.02.2003_04.05.06");

    ZipHandle reader = ZipReaderOpen(backup::ProjectArchive(backupDir, "01.02.2003_04.05.06").c_str(), 0,
                                     ZipSourceKind::FileName);
    ASSERT_NE(reader, nullptr);
    for (int row = 0; row < 3; ++row) {
        BackupRowRecord* record = browser->RecordOf(browser->ListView1->Items()->Item(row));
        ZipItemInfo info{};
        ASSERT_EQ(ZipReaderGetItem(reader, record->index, &info), ZipOk);
        EXPECT_EQ(Cell(browser, row, backup::colPacked), std::to_string(info.packedSize));
        EXPECT_EQ(Cell(browser, row, backup::colSize), std::to_string(info.unpackedSize));
        EXPECT_EQ(Cell(browser, row, backup::colRatio), backup::SavingRatioText(info.packedSize, info.unpackedSize));
    }
    ZipReaderClose(reader);
    EXPECT_EQ(Cell(browser, 0, backup::colName), "big.txt");
    EXPECT_EQ(Cell(browser, 0, backup::colAttributes), "AH");
    EXPECT_EQ(Cell(browser, 0, backup::colPath), root + "\\tree\\");
    // The system marks every newly written file for archiving.
    EXPECT_EQ(Cell(browser, 1, backup::colAttributes), "AR");
    EXPECT_EQ(Cell(browser, 1, backup::colPath), root + "\\tree\\sub\\");
    EXPECT_EQ(Cell(browser, 1, backup::colRatio), "0 %"); // one byte does not shrink

    // A click on the ratio header sorts by the saving, as numbers; a second click turns it.
    browser->ListView1ColumnClick(nullptr, browser->ListView1->Columns()->Items(backup::colRatio));
    auto ratios = [&] {
        std::vector<long> values;
        for (int row = 0; row < 3; ++row)
            values.push_back(std::stol(Cell(browser, row, backup::colRatio)));
        return values;
    };
    std::vector<long> up = ratios();
    EXPECT_TRUE(std::is_sorted(up.begin(), up.end()));
    EXPECT_EQ(Cell(browser, 0, backup::colName), "tiny.dat");
    browser->ListView1ColumnClick(nullptr, browser->ListView1->Columns()->Items(backup::colRatio));
    std::vector<long> down = ratios();
    EXPECT_TRUE(std::is_sorted(down.rbegin(), down.rend()));
    EXPECT_EQ(Cell(browser, 0, backup::colName), "big.txt");
    // Another column keeps the direction: attributes descending.
    browser->ListView1ColumnClick(nullptr, browser->ListView1->Columns()->Items(backup::colAttributes));
    EXPECT_EQ(Cell(browser, 0, backup::colAttributes), "AR");
    EXPECT_EQ(Cell(browser, 1, backup::colAttributes), "AH");
    EXPECT_EQ(Cell(browser, 2, backup::colAttributes), "A");
}

TEST_F(BackupBrowserTest, RestoreReportsMissingFolderAndAsksBeforeReplacing)
{
    std::string gone = MakeFile("gone\\a.txt", "old a");
    std::string there = MakeFile("b.txt", "saved b");
    TForm8* browser = OpenBrowser(MakeProject({gone, there}));
    ASSERT_NE(browser, nullptr);
    SetFileAttributesA(gone.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(gone.c_str());
    RemoveDirectoryA((root + "\\tree\\gone").c_str());
    MakeFile("b.txt", "newer b");

    // No: the existing file stays; the missing folder is reported, not "done".
    effects.answers = {IDNO};
    browser->Allesmarkieren1Click(nullptr);
    browser->Restore1Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_NE(effects.boxes[0].text.find(there), std::string::npos);
    EXPECT_EQ(ReadFile(there), "newer b");
    EXPECT_EQ(effects.boxes[1].text.find("Diese Dateien wurden nicht wiederhergestellt:\n" + gone), 0u);
    EXPECT_NE(effects.boxes[1].text.find("Ordner fehlt"), std::string::npos);
    EXPECT_FALSE(Exists(gone));

    // Yes replaces it.
    effects.boxes.clear();
    effects.answers = {IDYES};
    SelectRow(browser, "b.txt");
    browser->Restore1Click(nullptr);
    EXPECT_EQ(ReadFile(there), "saved b");
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_EQ(effects.boxes[1].text, "Wiederherstellung der Dateien beendet");
}

TEST_F(BackupBrowserTest, EntriesThatClimbOutAreRefused)
{
    const char* stamp = "01.02.2003_04.05.07";
    backup::MakeDirectory(backup::ProjectFolder(backupDir, stamp));
    std::string archive = backup::ProjectArchive(backupDir, stamp);
    std::string climbing = root + "\\tree\\deep\\..\\..\\escaped.txt";
    CreateDirectoryA((root + "\\tree\\deep").c_str(), nullptr);
    ZipHandle writer = ZipWriterOpen(const_cast<char*>(archive.c_str()), 0, ZipSourceKind::FileName);
    ASSERT_NE(writer, nullptr);
    char data[] = "payload";
    ASSERT_EQ(ZipWriterAdd(writer, climbing.c_str(), data, 7, ZipSourceKind::Memory), ZipOk);
    ASSERT_EQ(ZipWriterAdd(writer, "relative/name.txt", data, 7, ZipSourceKind::Memory), ZipOk);
    ASSERT_EQ(ZipWriterClose(writer), ZipOk);
    Form1->RegisterBackupProject(stamp, "");

    TForm8* browser = OpenBrowser(stamp);
    ASSERT_NE(browser, nullptr);
    browser->Allesmarkieren1Click(nullptr);
    browser->Restore1Click(nullptr);
    EXPECT_FALSE(Exists(root + "\\escaped.txt"));
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_NE(effects.boxes[0].text.find("ungültiger Name"), std::string::npos);

    // Save as writes only the file name into the chosen folder.
    std::string out = root + "\\out";
    CreateDirectoryA(out.c_str(), nullptr);
    Form1->ExtractZippedFileToSpecialFolder(*browser, out);
    EXPECT_EQ(ReadFile(out + "\\escaped.txt"), "payload");
    EXPECT_EQ(ReadFile(out + "\\name.txt"), "payload");
}

TEST_F(BackupBrowserTest, DamagedEntryNeverCostsTheUsersFileAndIsReported)
{
    // ".gz" is stored as it is, so one changed byte of it in the archive fails the CRC.
    std::string stamp = MakeProject({MakeFile("notes.gz", "the saved notes")});
    std::string archive = backup::ProjectArchive(backupDir, stamp);
    std::string bytes = ReadFile(archive);
    ASSERT_NE(bytes.find("saved notes"), std::string::npos);
    bytes[bytes.find("saved notes")] ^= 0x20;
    testing_support::WriteFileText(archive, bytes);
    TForm8* browser = OpenBrowser(stamp);
    ASSERT_NE(browser, nullptr);
    browser->Allesmarkieren1Click(nullptr);

    std::string out = root + "\\out";
    CreateDirectoryA(out.c_str(), nullptr);
    testing_support::WriteFileText(out + "\\notes.gz", "my own notes");
    effects.answers = {IDYES};
    Form1->ExtractZippedFileToSpecialFolder(*browser, out);
    EXPECT_EQ(ReadFile(out + "\\notes.gz"), "my own notes");
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((out + "\\*.tmp").c_str(), &found);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_NE(effects.boxes[0].text.find("Ersetzen ?"), std::string::npos);
    EXPECT_NE(effects.boxes[1].text.find(out + "\\notes.gz  (konnte nicht geschrieben werden)"), std::string::npos);

    // Open extracts nothing it could not check, leaves nothing behind and says so.
    effects.boxes.clear();
    browser->Open1Click(nullptr);
    EXPECT_TRUE(effects.launches.empty());
    EXPECT_FALSE(Exists(backupDir + "\\notes.gz"));
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_NE(effects.boxes[0].text.find("notes.gz"), std::string::npos);
}

// The program that opens the copy may hand it on to a viewer that runs already and end
// at once: the copy stays until this program ends, and opening it again replaces it.
TEST_F(BackupBrowserTest, OpenKeepsTheExtractedCopyUntilTheProgramEnds)
{
    TForm8* browser = OpenBrowser(MakeProject({MakeFile("letter.txt", "saved letter")}));
    ASSERT_NE(browser, nullptr);
    SelectRow(browser, "letter.txt");
    const std::string copy = backupDir + "\\letter.txt";
    for (int open = 0; open < 2; ++open)
        browser->Open1Click(nullptr);
    EXPECT_TRUE(effects.boxes.empty());
    ASSERT_EQ(effects.launches.size(), 2u);
    EXPECT_EQ(effects.launches[1].file, copy);
    EXPECT_EQ(ReadFile(copy), "saved letter");
    backup::DeleteKeptCopies(); // as at the program's end
    EXPECT_FALSE(Exists(copy));
}

// A copy the user has saved over, or that another file of that name has replaced (as a
// restore does: a new file moved into place, here with the copy's own write time), is
// the user's: it is neither deleted when the program ends nor replaced by another open.
TEST_F(BackupBrowserTest, AnOpenedCopyThatChangedIsKeptAtTheEnd)
{
    TForm8* browser = OpenBrowser(MakeProject({MakeFile("letter.txt", "saved letter")}));
    ASSERT_NE(browser, nullptr);
    SelectRow(browser, "letter.txt");
    const std::string copy = backupDir + "\\letter.txt";
    const std::string edited = "edited letter";
    auto replace = [&] {
        const std::string other = backupDir + "\\other.txt";
        testing_support::WriteFileText(other, "saved letter");
        WIN32_FILE_ATTRIBUTE_DATA facts{};
        GetFileAttributesExA(copy.c_str(), GetFileExInfoStandard, &facts);
        HANDLE file = CreateFileA(other.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, nullptr, nullptr, &facts.ftLastWriteTime);
        CloseHandle(file);
        MoveFileExA(other.c_str(), copy.c_str(), MOVEFILE_REPLACE_EXISTING);
    };
    const std::vector<std::pair<std::function<void()>, std::string>> changes = {
        {[&] { testing_support::WriteFileText(copy, edited); }, edited},
        {replace, "saved letter"},
    };
    for (const auto& [change, content] : changes) {
        effects.boxes.clear();
        browser->Open1Click(nullptr);
        change();
        browser->Open1Click(nullptr);
        EXPECT_EQ(effects.boxes.size(), 1u) << content;
        backup::DeleteKeptCopies(); // as at the program's end
        EXPECT_EQ(ReadFile(copy), content);
        DeleteFileA(copy.c_str());
    }
}

TEST_F(BackupBrowserTest, ClosingDuringRestoreFreesTheBrowserOnlyAfterTheLoop)
{
    std::string a = MakeFile("a.txt", "saved a");
    std::string b = MakeFile("b.txt", "saved b");
    TForm8* browser = OpenBrowser(MakeProject({a, b}));
    ASSERT_NE(browser, nullptr);
    MakeFile("a.txt", "newer a");
    MakeFile("b.txt", "newer b");
    // The user closes the browser while the first "replace?" box shows.
    std::vector<bool> alive;
    effects.onBox = [&](const std::string&) {
        alive.push_back(Form8 == browser);
        if (alive.size() == 1)
            browser->Close();
    };
    browser->Allesmarkieren1Click(nullptr);
    browser->Restore1Click(nullptr);
    EXPECT_EQ(alive, std::vector<bool>(3, true));
    EXPECT_EQ(effects.boxes.back().text, "Wiederherstellung der Dateien beendet");
    EXPECT_EQ(ReadFile(b), "saved b");
    ASSERT_EQ(Form8, browser);
    EXPECT_FALSE(browser->Visible());
    Application->ProcessMessages();
    EXPECT_EQ(Form8, nullptr);
}

TEST_F(BackupBrowserTest, RemovalActsOnlyOnStampNames)
{
    std::string file = MakeFile("a.txt", "a");
    std::string stamp = MakeProject({file});
    std::string missing = "02.02.2003_04.05.06";
    Form1->RegisterBackupProject(missing, "");
    // A value that names another folder below the backup folder, and one that climbs out.
    CreateDirectoryA((backupDir + "\\keep").c_str(), nullptr);
    Form1->RegisterBackupProject("keep", "");
    Form1->RegisterBackupProject("..", "");
    Form1->GetBackup();
    ASSERT_EQ(Form1->ListView8->Items()->Count(), 4);
    Form1->ListView8->SelectAll();
    // Confirm; then "remove entry?" is asked for the three that are not a project folder.
    effects.answers = {IDYES, IDYES, IDYES, IDYES};
    Form1->Entfernen1Click(nullptr);

    EXPECT_FALSE(Exists(backup::ProjectFolder(backupDir, stamp)));
    EXPECT_TRUE(Exists(backupDir + "\\keep"));
    EXPECT_TRUE(Exists(backupDir));
    EXPECT_TRUE(Exists(file));
    EXPECT_EQ(effects.boxes.size(), 4u);
    EXPECT_TRUE(Projects().empty());
    EXPECT_EQ(Form1->ListView8->Items()->Count(), 0);
}

TEST_F(BackupBrowserTest, DeleteKeyRemovesAndNoKeepsTheEntry)
{
    Form1->RegisterBackupProject("02.02.2003_04.05.06", "");
    Form1->GetBackup();
    Form1->ListView8->SetItemIndex(0);
    effects.answers = {IDYES, IDNO}; // remove? yes; folder gone: remove entry? no
    WORD key = VK_DELETE;
    Form1->ListView8KeyDown(nullptr, key, 0);
    EXPECT_EQ(Projects().size(), 1u);
    EXPECT_EQ(effects.boxes.size(), 2u);
}

TEST_F(BackupBrowserTest, LayoutIsSavedUnderItsKey)
{
    TForm8* browser = OpenBrowser(MakeProject({MakeFile("a.txt", "a")}));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->Left(), 10);
    EXPECT_EQ(browser->Top(), 5);
    EXPECT_EQ(browser->Width(), 800);
    EXPECT_EQ(browser->Height(), 500);
    browser->ListView1->Columns()->Items(0)->SetWidth(123);
    browser->Close();
    Application->ProcessMessages();
    EXPECT_EQ(Form8, nullptr);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(options::screenSettingsBackupFiles::Key));
    std::string widths = registry.ReadString(options::screenSettingsBackupFiles::ColumsWidth).value_or("");
    EXPECT_EQ(widths.rfind("123;", 0), 0u);
    EXPECT_EQ(registry.ReadString("width").value_or(""), "800");
}

} // namespace
