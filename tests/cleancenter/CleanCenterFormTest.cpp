// The clean center page on seeded data: layout, stored check marks, the run of the
// ticked items and what it reports.
#include "cleaning/CleanCenterItems.h"
#include "fileengines/SpecialFolders.h"
#include "common/SystemError.h"
#include "common/OptionsKeys.h"
#include "system/Mrudata.h"
#include "tests/cleancenter/CacheSeeds.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSymlink.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Timer.h"

#include <shlwapi.h>

using namespace testing_support;

namespace {

TEST(CleanCenterTicks, ShortOrForeignTextReadsAsUnticked)
{
    struct Case { std::string stored; std::string ticks; };
    for (const Case& c : std::vector<Case>{{"1", "1000000000000000000000"},
                                           {"1x21", "1011000000000000000000"},
                                           {"1000000000000000000001", "1000000000000000000001"},
                                           {"2-1", "1010000000000000000000"}})
        EXPECT_EQ(clean_center::TicksText(clean_center::ParseTicks(c.stored)), c.ticks) << c.stored;
}

bool UserKeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void MakeUserKey(const std::string& path)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "a", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
    RegCloseKey(key);
}

bool MoveToRecycleBin(const std::string& file)
{
    std::string source = file + std::string(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    return SHFileOperationA(&operation) == 0;
}

class CleanCenterTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        SettleAfterStart();
        Form1->Timer1->SetEnabled(false);
        Form1->ShowCleanCenter();
    }
    void TearDown() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\WinRAR");
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Nico Mak Computing");
        MainFormTest::TearDown();
    }
    void Tick(std::initializer_list<int> items)
    {
        for (int item : items)
            Form1->CleanCenterBoxes[item]->SetChecked(true);
    }
};

TEST_F(CleanCenterTest, ItemsSitInTheirGroupsOnTheGrid)
{
    EXPECT_EQ(Form1->CleanCenterBoxes[0]->Top(), 40);
    EXPECT_EQ(Form1->CleanCenterGroupTitles[1]->Top(), 152);
    EXPECT_EQ(Form1->CleanCenterBoxes[5]->Top(), 40 + 16 * 9);
    EXPECT_EQ(Form1->CleanCenterBoxes[13]->Top(), 40 + 16 * 21);
    EXPECT_EQ(Form1->CleanCenterBoxes[21]->Top(), 40 + 16 * 37);
    EXPECT_EQ(Form1->CleanCenterLinks[7]->Left(), 300);
    EXPECT_EQ(Form1->CleanCenterLinks[7]->Tag, 7);
}

TEST_F(CleanCenterTest, StoredTicksComeBackAndSelectThenInvertClearsAll)
{
    Store(options::Key, options::CleanCenterChecked, "1000000000000000000001");
    Form1->ShowCleanCenter();
    EXPECT_TRUE(Form1->CleanCenterBoxes[0]->Checked());
    EXPECT_TRUE(Form1->CleanCenterBoxes[21]->Checked());
    EXPECT_FALSE(Form1->CleanCenterBoxes[1]->Checked());
    Form1->Label23Click(nullptr);
    Form1->Label26Click(nullptr);
    for (TCheckBox* box : Form1->CleanCenterBoxes)
        EXPECT_FALSE(box->Checked());
}

TEST_F(CleanCenterTest, SelectAndInvertLightUpUnderTheMouse)
{
    for (TLabel* link : {Form1->Label23, Form1->Label26}) {
        ASSERT_TRUE(link->OnMouseMove && link->OnMouseLeave) << link->Name;
        link->OnMouseMove(link, 0, 1, 1);
        EXPECT_EQ(link->Font()->Color(), clRed) << link->Name;
        link->OnMouseLeave(link);
        EXPECT_EQ(link->Font()->Color(), clBlue) << link->Name;
    }
}

TEST_F(CleanCenterTest, KeyItemsDeleteTheirKeysAndTheRunSaysDone)
{
    MakeUserKey("Software\\WinRAR\\DialogEditHistory");
    MakeUserKey("Software\\Nico Mak Computing\\WinZip\\extract");
    MakeUserKey("Software\\Nico Mak Computing\\WinZip\\filemenu");
    Form1->LanguageFlag = 0;
    Tick({19, 20, 21});
    Form1->Button2Click(nullptr);
    EXPECT_FALSE(UserKeyExists("Software\\WinRAR\\DialogEditHistory"));
    EXPECT_FALSE(UserKeyExists("Software\\Nico Mak Computing\\WinZip\\extract"));
    EXPECT_FALSE(UserKeyExists("Software\\Nico Mak Computing\\WinZip\\filemenu"));
    EXPECT_TRUE(UserKeyExists("Software\\WinRAR")) << "only the named key goes";
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "Cleaning Done!");
    EXPECT_EQ(Stored(options::Key, options::CleanCenterChecked), "0000000000000000000111");
}

TEST_F(CleanCenterTest, AFailedItemIsNamedInsteadOfDone)
{
    Form1->LanguageFlag = 0;
    Tick({15, 19});
    Form1->Button2Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), 1u);
    const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    if (!wine)
        GTEST_SKIP() << "Windows clears the history";
    EXPECT_TRUE(effects.boxes[0].text.find("Empty Folder History") != std::string::npos);
    EXPECT_TRUE(effects.boxes[0].text.find("WinRar") == std::string::npos);
    EXPECT_EQ(effects.boxes[0].flags & MB_ICONEXCLAMATION, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(CleanCenterTest, PageFileSwitchIsWrittenOnlyWhenTheUserChangedIt)
{
    SHDeleteValueA(HKEY_LOCAL_MACHINE, clean_center::kPageFileKey, clean_center::kPageFileValue);
    Form1->ShowCleanCenter();
    Form1->Button2Click(nullptr);
    DWORD value = 0, size = sizeof value;
    EXPECT_NE(SHGetValueA(HKEY_LOCAL_MACHINE, clean_center::kPageFileKey, clean_center::kPageFileValue, nullptr,
                          &value, &size),
              static_cast<DWORD>(ERROR_SUCCESS));
    Tick({4});
    Form1->Button2Click(nullptr);
    ASSERT_EQ(SHGetValueA(HKEY_LOCAL_MACHINE, clean_center::kPageFileKey, clean_center::kPageFileValue, nullptr,
                          &value, &size),
              static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(value, 1u);
    SHDeleteValueA(HKEY_LOCAL_MACHINE, clean_center::kPageFileKey, clean_center::kPageFileValue);
}

TEST_F(CleanCenterTest, FolderItemsEmptyTheirFoldersAndTheSecurePassKeepsThem)
{
    const std::string recent = Form1->RecentDir;
    ASSERT_FALSE(recent.empty());
    CreateDirectoryA(recent.c_str(), nullptr);
    const std::string prefetch = Form1->WindowsDir + "\\Prefetch";
    CreateDirectoryA(prefetch.c_str(), nullptr);
    TempFolder inTemp; // below the temp folder
    WriteFileText(recent + "\\doc.lnk", "link");
    WriteFileText(prefetch + "\\APP.pf", "pf");
    WriteFileText(inTemp / "junk.tmp", "junk");

    Form1->CheckBox4->SetChecked(true);
    Tick({0, 1, 3});
    Form1->ExecuteCleanCenter();

    EXPECT_FALSE(Exists(recent + "\\doc.lnk"));
    EXPECT_FALSE(Exists(prefetch + "\\APP.pf"));
    EXPECT_FALSE(Exists(inTemp.Path()));
    EXPECT_TRUE(Exists(recent));
    EXPECT_TRUE(Exists(prefetch));
    EXPECT_TRUE(Exists(Form1->TempDir));
    EXPECT_EQ(Stored(options::Key, options::CleanCenterWithDOD), "1");
}

TEST_F(CleanCenterTest, ARecentPathThatIsNoRecentFolderIsLeftAlone)
{
    TempFolder documents;
    WriteFileText(documents / "letter.txt", "dear");
    Form1->RecentDir = documents.Path();
    Tick({0});
    Form1->ExecuteCleanCenter();
    EXPECT_TRUE(Exists(documents / "letter.txt"));
    EXPECT_EQ(Form1->CleanCenterFailures.size(), 1u);
}

// The folder that the listing below refuses, as the system refuses the Prefetch folder to
// a user without rights on newer systems (the sandbox runs with every right).
std::string unreadableFolder;

special_folders::Listing RefusingListing(const std::string& folder)
{
    if (!lstrcmpiA(folder.c_str(), unreadableFolder.c_str()))
        return special_folders::Listing{{}, ERROR_ACCESS_DENIED};
    return special_folders::ListFolder(folder);
}

TEST_F(CleanCenterTest, AFolderThatCannotBeListedIsNamedWithTheReasonNotDone)
{
    unreadableFolder = Form1->WindowsDir + "\\Prefetch";
    CreateDirectoryA(unreadableFolder.c_str(), nullptr);
    Form1->FolderLister = RefusingListing;
    Form1->LanguageFlag = 0;
    Tick({3});
    Form1->Button2Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "These items could not be cleaned completely:\n\n"
                                     "Empty Folder Prefetch - cannot be read: " +
                                         unreadableFolder + " (" + common::SystemErrorText(ERROR_ACCESS_DENIED) +
                                         ")\n");
    EXPECT_FALSE(Form1->DelSecureFolder(unreadableFolder, "Prefetch")) << "the secure pass shredded nothing";
}

// A Recent folder that is a link to another place (another drive, say): its content is
// not Recent's, and the secure pass must not shred it before the plain step refuses.
TEST_F(CleanCenterTest, TheSecurePassRefusesASpecialFolderThatIsALink)
{
    TempFolder place, elsewhere;
    WriteFileText(elsewhere / "precious.txt", "precious");
    const std::string link = place / "Recent";
    ASSERT_TRUE(MakeUnixSymlink(link, elsewhere.Path()));
    Form1->RecentDir = link;
    Form1->CheckBox4->SetChecked(true);
    Tick({0});
    Form1->ExecuteCleanCenter();
    RemoveUnixSymlink(link);
    EXPECT_EQ(ReadFileText(elsewhere / "precious.txt"), "precious");
    EXPECT_EQ(Form1->CleanCenterFailures.size(), 1u);
}

// The run is a long job: a close asked for during its secure pass (here pending before
// the run starts, and taken by the pass's message loop) waits until the run and its
// report are done.
TEST_F(CleanCenterTest, ACloseDuringTheSecurePassWaitsForTheRunAndItsReport)
{
    const std::string recent = Form1->RecentDir;
    CreateDirectoryA(recent.c_str(), nullptr);
    WriteFileText(recent + "\\doc.lnk", std::string(5000, 'x'));
    Form1->CheckBox4->SetChecked(true);
    Tick({0});
    bool closedBeforeTheReport = true;
    effects.onBox = [&](const std::string&) { closedBeforeTheReport = Application->Terminated; };
    PostMessageA(Form1->Handle(), WM_CLOSE, 0, 0);
    Form1->Button2Click(nullptr);
    EXPECT_FALSE(Exists(recent + "\\doc.lnk"));
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_FALSE(closedBeforeTheReport);
    EXPECT_TRUE(Application->Terminated);
}

// The secure pass lets messages in: a second click on "Delete" then starts no run inside
// the run (which would clear its cancel), and the run reports once.
TEST_F(CleanCenterTest, ASecondDeleteClickDuringTheRunIsRefused)
{
    const std::string recent = Form1->RecentDir;
    CreateDirectoryA(recent.c_str(), nullptr);
    WriteFileText(recent + "\\doc.lnk", std::string(5000, 'x'));
    Form1->CheckBox4->SetChecked(true);
    Tick({0});
    PostMessageA(Form1->Button2->Handle(), BM_CLICK, 0, 0);
    Form1->Button2Click(nullptr);
    EXPECT_EQ(effects.boxes.size(), 1u);
}

// Wine's shell answers success and yet leaves folders and read-only files in the bin.
TEST_F(CleanCenterTest, RecycleBinIsEmptiedOrItsItemNamed)
{
    TempFolder folder;
    const std::string file = folder / "binned.txt";
    WriteFileText(file, "old");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(MoveToRecycleBin(file));
    Tick({2});
    Form1->ExecuteCleanCenter();
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    ASSERT_EQ(SHQueryRecycleBinA(nullptr, &info), S_OK);
    EXPECT_EQ(Form1->CleanCenterFailures.empty(), info.i64NumItems == 0) << info.i64NumItems << " left";
}

TEST_F(CleanCenterTest, CacheWithCookiesSparesTheKeepList)
{
    cache_seeds::ClearCache();
    const std::string kept = cache_seeds::SeedCookie("kept.test", "k");
    cache_seeds::SeedCookie("gone.test", "g");
    Form1->CookieKeepList->Add(kept);
    Tick({13});
    Form1->ExecuteCleanCenter();
    EXPECT_EQ(cache_seeds::CacheNames(), std::vector<std::string>{kept});
    cache_seeds::ClearCache();
}

} // namespace

namespace {

// Answers the modal value viewer once it shows: notes its caption and rows, then closes it.
struct ViewerSeen {
    std::string caption;
    std::vector<std::string> rows;
};
ViewerSeen* viewerSeen = nullptr;

void CALLBACK CloseViewer(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!Form10)
        return;
    KillTimer(nullptr, timer);
    viewerSeen->caption = Form10->Caption();
    for (int row = 0; row < Form10->ListView1->Items()->Count(); ++row) {
        TListItem* item = Form10->ListView1->Items()->Item(row);
        viewerSeen->rows.push_back(item->Caption() + "=" + item->SubItems()->Strings(0));
    }
    Form10->Close();
}

TEST_F(CleanCenterTest, DetailsShowTheValuesTheItemWouldRemove)
{
    MakeUserKey("Software\\WinRAR\\DialogEditHistory");
    Form1->LanguageFlag = 0;
    ViewerSeen seen;
    viewerSeen = &seen;
    SetTimer(nullptr, 0, 10, CloseViewer);
    Form1->DLabelMouseClick(Form1->CleanCenterLinks[19]);
    EXPECT_EQ(seen.caption, "Empty List of recent opened archives in WinRar");
    EXPECT_EQ(seen.rows, std::vector<std::string>{"a=x"});
}

TEST_F(CleanCenterTest, DetailsExplainOrOpenTheFolder)
{
    Form1->LanguageFlag = 0;
    Form1->DLabelMouseClick(Form1->CleanCenterLinks[7]);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].caption, "FindComputerMRU");
    EXPECT_EQ(effects.boxes[0].text, "Delete 'Start, Search, Computer' List");
    Form1->DLabelMouseClick(Form1->CleanCenterLinks[1]);
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_EQ(effects.launches[0].verb, "open");
    EXPECT_EQ(effects.launches[0].file, Form1->TempDir);
}

TEST_F(CleanCenterTest, DetailBoxesAreCaptionedInTheLanguage)
{
    const struct {
        int item;
        const char* german;
        const char* english;
    } boxes[] = {
        {4, "Auslagerungsdatei beim Herunterfahren leeren", "Clear the Windows Paging File at Shutdown"},
        {10, "Windows-Netzwerkliste leeren", "Empty Windows Network List"},
    };
    for (int language : {1, 0})
        for (const auto& box : boxes) {
            Form1->LanguageFlag = language;
            effects.boxes.clear();
            Form1->DLabelMouseClick(Form1->CleanCenterLinks[box.item]);
            ASSERT_EQ(effects.boxes.size(), 1u) << box.item;
            EXPECT_EQ(effects.boxes[0].caption, language ? box.german : box.english);
        }
}

} // namespace

namespace {

// Wine's recycle bin names its items by their bare file names, which lead nowhere.
TEST_F(CleanCenterTest, SecurePassNeverShredsAFileOfTheBinnedNameElsewhere)
{
    TempFolder folder, current;
    const std::string file = folder / "same.txt";
    WriteFileText(file, "binned");
    ASSERT_TRUE(MoveToRecycleBin(file));
    WriteFileText(current / "same.txt", "mine");
    char before[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, before);
    SetCurrentDirectoryA(current.Path().c_str());
    Form1->CheckBox4->SetChecked(true);
    Tick({2});
    Form1->ExecuteCleanCenter();
    SetCurrentDirectoryA(before);
    EXPECT_EQ(ReadFileText(current / "same.txt"), "mine");
}

} // namespace
