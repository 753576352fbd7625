// The found-files window's deletes, with and without a zip backup, on real files: the
// backup holds exactly the deleted files, a failed or cancelled backup deletes nothing
// that no good archive holds, and each kind of delete asks its own question. The backups
// page then lists the project, and its browser restores the files to their places.
#include "archive/BackupPacker.h"
#include "archive/BackupProjects.h"
#include "archive/Showbackupfiles.h"
#include "fileengines/ScanRecords.h"
#include "cleaning/Showdelfilesframe.h"
#include "pageparts/HostDialog.h"
#include "common/OptionsKeys.h"
#include "tests/backup/BackupTestKit.h"
#include "toolkit/ListView.h"
#include "toolkit/RadioButton.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>

namespace {

class DeleteAndBackupTest : public BackupFormTest {
protected:
    // Found records of these files in the window, all of them selected.
    void ShowAndSelect(const std::vector<std::string>& found, const std::vector<std::string>& selected)
    {
        for (const std::string& path : found)
            AddFound(path);
        Form1->ShowFoundFiles();
        ASSERT_NE(Frame8, nullptr);
        Frame8->ListView1->ClearSelection();
        for (int row = 0; row < Form1->FoundFiles->Count(); ++row)
            if (std::find(selected.begin(), selected.end(), Form1->FoundFiles->Items(row)->path) != selected.end())
                Frame8->ListView1->SetSelected(row, true);
    }

    std::vector<std::string> Listed() const
    {
        std::vector<std::string> paths;
        for (int row = 0; row < Form1->FoundFiles->Count(); ++row)
            paths.push_back(Form1->FoundFiles->Items(row)->path);
        return paths;
    }

    static std::vector<std::string> Sorted(std::vector<std::string> names)
    {
        std::sort(names.begin(), names.end());
        return names;
    }

    // The backups page lists the one project; its browser lists the files and puts them
    // back with their contents.
    void ExpectBrowserRestores(const std::string& stamp, const std::map<std::string, std::string>& files)
    {
        Form1->GetBackup();
        ASSERT_EQ(Form1->ListView8->Items()->Count(), 1);
        EXPECT_EQ(Form1->ListView8->Items()->Item(0)->Caption(), stamp);
        Form1->ListView8->SetItemIndex(0);
        Form1->ListView8Click(nullptr);
        ASSERT_NE(Form8, nullptr);
        TForm8* browser = Form8;
        EXPECT_EQ(browser->ListView1->Items()->Count(), static_cast<int>(files.size()));
        EXPECT_EQ(browser->StatusBar1->Panels()->Items(0)->Text(), std::to_string(files.size()) + " Objekte ");
        effects.boxes.clear();
        browser->Allesmarkieren1Click(nullptr);
        browser->Restore1Click(nullptr);
        ASSERT_EQ(effects.boxes.size(), 1u);
        EXPECT_EQ(effects.boxes[0].text, "Wiederherstellung der Dateien beendet");
        for (const auto& file : files)
            EXPECT_EQ(ReadFile(file.first), file.second) << file.first;
        browser->Close();
        Application->ProcessMessages();
    }
};

TEST_F(DeleteAndBackupTest, BackupHoldsExactlyTheDeletedFilesAndRestoresThem)
{
    std::string a = MakeFile("a.tmp", std::string(3000, 'a'));
    std::string b = MakeFile("sub\\b.bak", "bee");
    std::string c = MakeFile("c.old", "sea");
    std::string kept = MakeFile("kept.tmp", "kept");
    ShowAndSelect({a, b, kept, c}, {a, b, c});
    Frame8->RadioButton2->SetChecked(true);
    EXPECT_EQ(Form1->ReadReg(rootCurrentUser, options::Key, options::BackupIndex, "s"), "1");
    effects.answers = {IDYES, IDYES}; // create the backup; delete for good
    Frame8->MarkierteDateienendgltiglschen2Click(nullptr);

    EXPECT_FALSE(Exists(a));
    EXPECT_FALSE(Exists(b));
    EXPECT_FALSE(Exists(c));
    EXPECT_TRUE(Exists(kept));
    EXPECT_EQ(Listed(), (std::vector<std::string>{kept}));
    auto projects = Projects();
    ASSERT_EQ(projects.size(), 1u);
    const std::string stamp = projects[0].first;
    EXPECT_TRUE(backup::IsStampName(stamp));
    EXPECT_EQ(projects[0].second, "");
    std::vector<std::string> names;
    ASSERT_TRUE(backup::ArchiveEntryNames(backup::ProjectArchive(backupDir, stamp), names));
    EXPECT_EQ(Sorted(names), Sorted({a, b, c}));
    ExpectBrowserRestores(stamp, {{a, std::string(3000, 'a')}, {b, "bee"}, {c, "sea"}});
}

// The whole road: a real listing scan finds the files, the user selects some of them,
// backs them up and deletes them. When TIDEWRACK_BACKUP_PEER names a folder, the backup
// goes there and stays, with a list of what it must hold, for a check by other zip tools.
TEST_F(DeleteAndBackupTest, ScannedFilesAreBackedUpDeletedAndRestored)
{
    // Large enough to be deflated in pieces, small, and empty.
    const std::string large(70000, 'a');
    const std::map<std::string, std::string> selected = {
        {MakeFile("a.twb", large), large}, {MakeFile("sub\\b.twb", "bee"), "bee"}, {MakeFile("c.TWB", ""), ""}};
    std::string kept = MakeFile("kept.twb", "kept");
    std::string plain = MakeFile("plain.txt", "plain");
    std::string excluded = MakeFile("keep\\d.twb", "excluded");
    const char* peer = std::getenv("TIDEWRACK_BACKUP_PEER");
    if (peer && *peer)
        Form1->BackupDir = peer;

    // The tree as the one checked location, listed by the mask, one folder excluded.
    for (int row = 0; row < Form1->ListView1->Items()->Count(); ++row)
        Form1->ListView1->Items()->Item(row)->SetChecked(false);
    ASSERT_TRUE(Form1->FindPidlShellFolder(root + "\\tree", true));
    auto setRows = [](TListView* list, const std::string& caption) {
        list->Items()->Clear();
        TListItem* row = list->Items()->Add();
        row->SetCaption(caption);
        row->SetChecked(true);
    };
    setRows(Form1->ListView2, "twb");
    setRows(Form1->ListView3, root + "\\tree\\keep");
    Form1->ScanModeButtons[0]->SetChecked(true);
    Form1->StartScan();
    ASSERT_NE(Frame8, nullptr) << "the found-files window shows";
    std::vector<std::string> expectedFound = {kept};
    for (const auto& file : selected)
        expectedFound.push_back(file.first);
    ASSERT_EQ(Sorted(Listed()), Sorted(expectedFound));

    Frame8->ListView1->ClearSelection();
    for (int row = 0; row < Form1->FoundFiles->Count(); ++row)
        if (selected.count(Form1->FoundFiles->Items(row)->path))
            Frame8->ListView1->SetSelected(row, true);
    Frame8->RadioButton2->SetChecked(true);
    effects.answers = {IDYES, IDYES}; // create the backup; delete for good
    Frame8->MarkierteDateienendgltiglschen2Click(nullptr);

    for (const auto& file : selected)
        EXPECT_FALSE(Exists(file.first)) << file.first;
    for (const std::string& path : {kept, plain, excluded})
        EXPECT_TRUE(Exists(path)) << path;
    EXPECT_EQ(Listed(), (std::vector<std::string>{kept}));
    auto projects = Projects();
    ASSERT_EQ(projects.size(), 1u);
    const std::string stamp = projects[0].first;
    const std::string archive = backup::ProjectArchive(Form1->BackupDir, stamp);
    std::vector<std::string> names;
    ASSERT_TRUE(backup::ArchiveEntryNames(archive, names));
    std::vector<std::string> expectedNames;
    for (const auto& file : selected)
        expectedNames.push_back(file.first);
    EXPECT_EQ(Sorted(names), Sorted(expectedNames));

    if (peer && *peer) {
        std::ofstream list(std::string(peer) + "\\expected.txt", std::ios::binary);
        list << archive << "\n";
        for (const auto& file : selected)
            list << file.second.size() << "\t" << file.first << "\n";
    }
    ExpectBrowserRestores(stamp, selected);
}

TEST_F(DeleteAndBackupTest, FileLockedDuringPackingStaysAndIsNamed)
{
    std::string a = MakeFile("a.tmp", "a");
    std::string locked = MakeFile("locked.tmp", "locked");
    ShowAndSelect({a, locked}, {a, locked});
    Frame8->RadioButton2->SetChecked(true);
    HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hold, INVALID_HANDLE_VALUE);
    effects.answers = {IDYES}; // create the backup; the rest answer Yes by default
    Frame8->MarkierteDateienindenPapierkorblschen1Click(nullptr);
    CloseHandle(hold);

    EXPECT_FALSE(Exists(a));
    EXPECT_TRUE(Exists(locked));
    EXPECT_EQ(Listed(), (std::vector<std::string>{locked}));
    EXPECT_TRUE(BoxSaid("Fehler beim Packen der Datei " + locked));
    EXPECT_TRUE(BoxSaid("nicht gesichert und daher nicht gelöscht:\n" + locked));
    auto projects = Projects();
    ASSERT_EQ(projects.size(), 1u);
    std::vector<std::string> names;
    ASSERT_TRUE(backup::ArchiveEntryNames(backup::ProjectArchive(backupDir, projects[0].first), names));
    EXPECT_EQ(names, (std::vector<std::string>{a}));
}

TEST_F(DeleteAndBackupTest, BackupFolderThatCannotBeMadeDeletesNothing)
{
    std::string a = MakeFile("a.tmp", "a");
    std::string plain = MakeFile("plain.txt", "not a folder");
    Form1->BackupDir = plain + "\\backups";
    ShowAndSelect({a}, {a});
    Frame8->RadioButton2->SetChecked(true);
    effects.answers = {IDYES};
    Frame8->MarkierteDateienindenPapierkorblschen1Click(nullptr);

    EXPECT_TRUE(Exists(a));
    EXPECT_EQ(Listed(), (std::vector<std::string>{a}));
    EXPECT_TRUE(Projects().empty());
    EXPECT_TRUE(BoxSaid("nicht gesichert und daher nicht gelöscht:\n" + a));
    // No delete question was asked: nothing was left to delete.
    EXPECT_FALSE(BoxSaid("wirklich"));
}

TEST_F(DeleteAndBackupTest, CancelledBackupDeletesNothingAndRegistersWhatItHolds)
{
    std::string a = MakeFile("a.tmp", "a");
    std::string locked = MakeFile("b.tmp", "b");
    std::string c = MakeFile("c.tmp", "c");
    ShowAndSelect({a, locked, c}, {a, locked, c});
    Frame8->RadioButton2->SetChecked(true);
    HANDLE hold = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    // The user cancels while the failure of the second file is shown.
    effects.onBox = [](const std::string& text) {
        if (text.find("Fehler beim Packen") == 0)
            Form1->AbortFlag = 1;
    };
    effects.answers = {IDYES};
    Frame8->MarkierteDateienindenPapierkorblschen1Click(nullptr);
    CloseHandle(hold);

    for (const std::string& path : {a, locked, c})
        EXPECT_TRUE(Exists(path)) << path;
    EXPECT_EQ(Listed().size(), 3u);
    EXPECT_TRUE(BoxSaid("Die Sicherung wurde abgebrochen. Es wurde nichts gelöscht."));
    auto projects = Projects();
    ASSERT_EQ(projects.size(), 1u);
    std::vector<std::string> names;
    ASSERT_TRUE(backup::ArchiveEntryNames(backup::ProjectArchive(backupDir, projects[0].first), names));
    EXPECT_EQ(names, (std::vector<std::string>{a}));
}

TEST_F(DeleteAndBackupTest, EachKindOfDeleteIsConfirmedOnItsOwn)
{
    std::string a = MakeFile("a.tmp", "a");
    std::string b = MakeFile("b.tmp", "b");
    std::string c = MakeFile("c.tmp", "c");
    std::string d = MakeFile("d.tmp", "d");
    ShowAndSelect({a, b, c, d}, {a});
    effects.answers = {IDYES};
    Frame8->MarkierteDateienindenPapierkorblschen1Click(nullptr);
    EXPECT_FALSE(Exists(a));
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_NE(effects.boxes[0].text.find("Papierkorb"), std::string::npos);

    // The second delete to the recycle bin asks nothing.
    Frame8->ListView1->SetSelected(0, true);
    Frame8->MarkierteDateienindenPapierkorblschen1Click(nullptr);
    EXPECT_FALSE(Exists(b));
    EXPECT_EQ(effects.boxes.size(), 1u);

    // A delete for good asks its own question; No keeps the file.
    Frame8->ListView1->SetSelected(0, true);
    effects.answers = {IDNO};
    Frame8->MarkierteDateienendgltiglschen2Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_NE(effects.boxes[1].text.find("endgültig"), std::string::npos);
    EXPECT_TRUE(Exists(c));

    // So does the secure delete, even after a Yes for the others.
    Frame8->ListView1->ClearSelection();
    Frame8->ListView1->SetSelected(0, true);
    effects.answers = {IDYES};
    Frame8->MarkierteDateienendgltiglschen2Click(nullptr);
    EXPECT_FALSE(Exists(c));
    Frame8->ListView1->SetSelected(0, true);
    effects.answers = {IDNO};
    size_t before = effects.boxes.size();
    Frame8->ToolButton13Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), before + 1);
    EXPECT_EQ(effects.boxes.back().flags & (MB_ICONWARNING | MB_YESNO), static_cast<UINT>(MB_ICONWARNING | MB_YESNO));
    EXPECT_TRUE(Exists(d));
}

TEST_F(DeleteAndBackupTest, KeysStartTheDeletes)
{
    std::string a = MakeFile("a.tmp", "a");
    ShowAndSelect({a}, {a});
    effects.answers = {IDNO};
    WORD key = 'L';
    Frame8->ListView1KeyDown(nullptr, key, 0);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_NE(effects.boxes[0].text.find("endgültig"), std::string::npos);
    key = VK_DELETE;
    effects.answers = {IDYES};
    Frame8->ListView1KeyDown(nullptr, key, 0);
    EXPECT_FALSE(Exists(a));
}

TEST_F(DeleteAndBackupTest, SecureDeleteShredsTheSelectedFile)
{
    std::string a = MakeFile("a.tmp", std::string(5000, 's'), FILE_ATTRIBUTE_READONLY);
    std::string b = MakeFile("b.tmp", "b");
    ShowAndSelect({a, b}, {a});
    effects.answers = {IDYES};
    Frame8->ToolButton13Click(nullptr);
    Application->ProcessMessages();
    EXPECT_FALSE(Exists(a));
    EXPECT_TRUE(Exists(b));
    EXPECT_EQ(Listed(), (std::vector<std::string>{b}));
}

} // namespace
