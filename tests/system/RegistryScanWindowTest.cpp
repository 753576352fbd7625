// The registry-cleaner page and the registry-scan window, on entries seeded into the
// sandbox registry.
#include "common/Wow64.h"
#include "pageparts/LocaleTime.h"
#include "pageparts/Pictures.h"
#include "system/RegistryEditor.h"
#include "system/RegistryPages.h"
#include "system/Searchreg.h"
#include "system/Showregkeys.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/system/RegistrySeeds.h"

#include <commctrl.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <set>

namespace {

const char* const appPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char* const sharedDlls = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

class RegistryScanWindowTest : public testing_support::MainFormTest {
protected:
    // The page as the user leaves it with these roots checked; with none only the targeted
    // checks run.
    void OpenPage(std::set<int> roots)
    {
        SettleAfterStart();
        Form1->GetRegCleanDrives();
        for (int i = 0; i < Form1->ListView13->Items()->Count(); ++i)
            Form1->ListView13->Items()->Item(i)->SetChecked(roots.count(i) != 0);
    }

    std::vector<TListItem*> RowsOf(const std::string& keyEnd, const std::string& valueName)
    {
        std::vector<TListItem*> rows;
        for (int i = 0; i < Form4->ListView1->Items()->Count(); ++i) {
            regscan::Finding* finding = Form4->FindingOf(Form4->ListView1->Items()->Item(i));
            if (finding->keyText.size() >= keyEnd.size() &&
                finding->keyText.compare(finding->keyText.size() - keyEnd.size(), keyEnd.size(), keyEnd) == 0 &&
                finding->valueName == valueName)
                rows.push_back(Form4->ListView1->Items()->Item(i));
        }
        return rows;
    }

    TListItem* RowOf(const std::string& keyEnd, const std::string& valueName)
    {
        const std::vector<TListItem*> rows = RowsOf(keyEnd, valueName);
        return rows.empty() ? nullptr : rows.front();
    }
};

TEST_F(RegistryScanWindowTest, ThePageListsTheFixedDriveCheckedAndTheFiveRoots)
{
    SettleAfterStart();
    Form1->GetRegCleanDrives();
    bool fixedC = false;
    for (int i = 0; i < Form1->ListView12->Items()->Count(); ++i)
        if (Form1->ListView12->Items()->Item(i)->Caption().find("(C)") != std::string::npos)
            fixedC = Form1->ListView12->Items()->Item(i)->Checked();
    EXPECT_TRUE(fixedC);
    ASSERT_EQ(Form1->ListView13->Items()->Count(), 5);
    EXPECT_EQ(Form1->ListView13->Items()->Item(4)->Caption(), "HKEY_CURRENT_CONFIG");
    EXPECT_TRUE(effects.boxes.empty());
}

// The current user's keys are listed again under the users root (its SID), the classes
// root's under the machine's classes: the first row deletes the entry, the second finds it
// gone, which is what the user asked for. A file that came back keeps its entry.
TEST_F(RegistryScanWindowTest, RowsWhoseEntryIsAlreadyGoneCountAsDeleted)
{
    const char* const twice = "Software\\TidewrackTwoRoots";
    OpenPage({1, 3});
    testing_support::TempFolder folder;
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, twice);
    seeds::SetString(HKEY_CURRENT_USER, twice, "v", "C:\\TwSeedGone\\two.dll");
    seeds::SetString(HKEY_CURRENT_USER, twice, "back", folder / "back.dll");
    seeded.OwnValue(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\a.dll");
    seeds::SetDword(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\a.dll", 1);
    Form1->Label70Click(nullptr);
    ASSERT_NE(Form4, nullptr);
    const std::vector<TListItem*> twoRows = RowsOf(std::string("\\") + twice, "v");
    TListItem* valueRow = RowOf("\\SharedDLLs", "C:\\TwSeedGone\\a.dll");
    TListItem* backRow = RowOf(std::string("HKCU\\") + twice, "back");
    ASSERT_EQ(twoRows.size(), 2u);
    ASSERT_TRUE(valueRow && backRow);

    // The counter goes away behind the window's back, and the file comes back.
    seeds::DeleteValue(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\a.dll");
    testing_support::WriteFileText(folder / "back.dll", "x");
    Form4->ListView1->ClearSelection();
    for (TListItem* row : {twoRows[0], twoRows[1], valueRow, backRow})
        row->SetSelected(true);
    const int rows = Form4->ListView1->Items()->Count();
    effects.answers.push_back(IDYES);
    Form4->Lschen1Click(nullptr);

    EXPECT_FALSE(seeds::ValueExists(HKEY_CURRENT_USER, twice, "v"));
    EXPECT_TRUE(seeds::ValueExists(HKEY_CURRENT_USER, twice, "back"));
    EXPECT_EQ(Form4->ListView1->Items()->Count(), rows - 4);
    ASSERT_EQ(effects.boxes.size(), 2u) << "the question and the entry left alone, no failure";
    EXPECT_NE(effects.boxes[1].text.find("HKCU\\Software\\TidewrackTwoRoots : back"), std::string::npos)
        << effects.boxes[1].text;
    Form4->Close();
}

// The delete takes the findings as the user saw them: a value rewritten since the scan
// (its program installed anew elsewhere) and a key that passes its check now are kept,
// and named.
TEST_F(RegistryScanWindowTest, FindingsThatChangedSinceTheScanAreKeptAndNamed)
{
    const char* const moved = "Software\\TidewrackMoved";
    const std::string extension = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.twseedmoved";
    OpenPage({1});
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, moved);
    seeded.Own(HKEY_CURRENT_USER, extension);
    seeds::SetString(HKEY_CURRENT_USER, moved, "tool", "C:\\TwSeedGone\\tool.exe");
    seeds::MakeKey(HKEY_CURRENT_USER, extension + "\\OpenWithList");
    Form1->Label70Click(nullptr);
    ASSERT_NE(Form4, nullptr);
    TListItem* valueRow = RowOf(std::string("HKCU\\") + moved, "tool");
    TListItem* keyRow = RowOf(extension, "");
    ASSERT_TRUE(valueRow && keyRow);

    seeds::SetString(HKEY_CURRENT_USER, moved, "tool", seeds::LiveFile());
    seeds::MakeKey(HKEY_CURRENT_USER, extension + "\\OpenWithProgids");
    Form4->ListView1->ClearSelection();
    valueRow->SetSelected(true);
    keyRow->SetSelected(true);
    effects.answers.push_back(IDYES);
    Form4->Lschen1Click(nullptr);

    EXPECT_TRUE(seeds::ValueExists(HKEY_CURRENT_USER, moved, "tool"));
    EXPECT_TRUE(seeds::KeyExists(HKEY_CURRENT_USER, extension));
    ASSERT_EQ(effects.boxes.size(), 2u) << "the question and the entries left alone";
    EXPECT_NE(effects.boxes[1].text.find("HKCU\\Software\\TidewrackMoved : tool"), std::string::npos)
        << effects.boxes[1].text;
    EXPECT_NE(effects.boxes[1].text.find("HKCU\\" + extension), std::string::npos) << effects.boxes[1].text;
    Form4->Close();
}

TEST_F(RegistryScanWindowTest, SelectedFindingsAreExportedAndOpenedInTheEditor)
{
    seeds::Seeded seeded;
    seeded.OwnValue(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\a.dll");
    seeded.OwnValue(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\b.dll");
    seeded.OwnValue(HKEY_CURRENT_USER, regedit::AppletKey, "LastKey");
    seeds::SetDword(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\a.dll", 1);
    seeds::SetDword(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\b.dll", 2);
    OpenPage({});
    Form1->Label70Click(nullptr);
    Form4->ListView1->ClearSelection();
    Form4->MarkierteEintrgesichern1Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].caption, "Hinweis  ");

    TListItem* row = RowOf("\\SharedDLLs", "C:\\TwSeedGone\\a.dll");
    TListItem* goneRow = RowOf("\\SharedDLLs", "C:\\TwSeedGone\\b.dll");
    ASSERT_TRUE(row && goneRow);
    row->SetSelected(true);
    goneRow->SetSelected(true);
    // Gone since the scan: nothing to back up, and its row goes.
    seeds::DeleteValue(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\b.dll");
    testing_support::TempFolder folder;
    effects.fileDialogAnswers.push_back(folder / "findings.reg");
    Form4->MarkierteEintrgesichern1Click(nullptr);
    std::ifstream file(folder / "findings.reg", std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // A 32-bit program on 64-bit Windows reads the counters of 32-bit programs, kept below Wow6432Node.
    const std::string place =
        common::RunsUnderWow64() ? "Software\\Wow6432Node" + std::string(sharedDlls).substr(8) : sharedDlls;
    EXPECT_EQ(text, "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\" + place +
                        "]\r\n\"C:\\\\TwSeedGone\\\\a.dll\"=dword:00000001\r\n\r\n");
    EXPECT_EQ(RowOf("\\SharedDLLs", "C:\\TwSeedGone\\b.dll"), nullptr);

    Form4->ffnen1Click(nullptr);
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_EQ(effects.launches[0].file, "regedit");
    EXPECT_EQ(Stored(regedit::AppletKey, "LastKey"),
              regedit::RootNodeName() + "\\HKEY_LOCAL_MACHINE\\" + sharedDlls);
    Form4->Close();
}

TEST_F(RegistryScanWindowTest, KeyAndValueFindingsShowTheirOwnPictures)
{
    seeds::Seeded seeded;
    seeded.Own(HKEY_CLASSES_ROOT, "Applications\\TwSeedDead.exe");
    seeds::MakeKey(HKEY_CLASSES_ROOT, "Applications\\TwSeedDead.exe\\shell");
    seeded.OwnValue(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\a.dll");
    seeds::SetDword(HKEY_LOCAL_MACHINE, sharedDlls, "C:\\TwSeedGone\\a.dll", 1);
    OpenPage({});
    Form1->Label70Click(nullptr);
    TListItem* keyRow = RowOf("\\TwSeedDead.exe", "");
    TListItem* valueRow = RowOf("\\SharedDLLs", "C:\\TwSeedGone\\a.dll");
    ASSERT_TRUE(keyRow && valueRow);
    EXPECT_EQ(keyRow->ImageIndex(), pictures::registryKeyPicture);
    EXPECT_EQ(valueRow->ImageIndex(), pictures::registryValuePicture);
    ASSERT_NE(Form4->ListView1->SmallImages(), nullptr);
    EXPECT_GT(Form4->ListView1->SmallImages()->Count(), pictures::registryKeyPicture);
    EXPECT_GT(Form4->ListView1->SmallImages()->Count(), pictures::registryValuePicture);
    Form4->Close();
}

// A window whose posted messages play the user's part while the walk processes messages.
class DuringTheWalk : public TForm {
public:
    DuringTheWalk() : TForm(nullptr) {}
    std::function<void()> action;

protected:
    bool MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg != WM_APP + 7)
            return TForm::MessageMap(msg, wParam, lParam, result);
        action();
        return true;
    }
};

TEST_F(RegistryScanWindowTest, TheScanCannotBeRestartedAndClosingWaitsForTheWalk)
{
    OpenPage({1});
    auto* window = new TForm4(Form1, registry_pages::ScanHostOf(*Form1));
    DuringTheWalk user;
    bool sawScanning = false;
    user.action = [&] {
        sawScanning = window->Scanning();
        const int rows = window->ListView1->Items()->Count();
        window->Suchen1Click(nullptr); // a second search while the first runs
        EXPECT_EQ(window->ListView1->Items()->Count(), rows);
        window->Close();               // cancels; the window must stay until the walk returns
        EXPECT_EQ(Form4, window);
    };
    PostMessageA(user.Handle(), WM_APP + 7, 0, 0);
    window->Suchen1Click(nullptr);
    EXPECT_TRUE(sawScanning);
    EXPECT_EQ(window->CancelFlag, 1);
    EXPECT_EQ(Form4, window);
    Application->ProcessMessages();
    EXPECT_EQ(Form4, nullptr);
}

TEST_F(RegistryScanWindowTest, StoredSettingsThatAreNotNumbersLeaveTheDesign)
{
    const std::string key = "Software\\Tidewrack\\Options\\SearchRegSettings";
    Store(key, "gridlines", "yes");
    Store(key, "rowselect", "0");
    Store(key, "left", "abc");
    Store(key, "columnswidth", "250;x;");
    auto* window = new TForm4(Form1, registry_pages::ScanHostOf(*Form1));
    window->ReadSettings();
    EXPECT_FALSE(window->Gitter1->Checked);
    EXPECT_FALSE(window->ganzeZeilemarkieren1->Checked);
    EXPECT_EQ(window->Left(), 300);
    EXPECT_EQ(window->ListView1->Columns()->Items(0)->Width(), 250);
    EXPECT_EQ(window->ListView1->Columns()->Items(1)->Width(), 120);
    window->Close();
    EXPECT_EQ(Stored(key, "left"), "300");
}

TEST_F(RegistryScanWindowTest, TheMenuBarSwitchesTheViewAndLocksCancelWhileIdle)
{
    OpenPage({});
    Form1->Label70Click(nullptr);
    HMENU bar = GetMenu(Form4->Handle());
    ASSERT_EQ(bar, Form4->MainMenu1->Handle());
    ASSERT_EQ(GetMenuItemCount(bar), 5);
    EXPECT_TRUE(GetMenuState(bar, 2, MF_BYPOSITION) & MF_GRAYED) << "no scan runs: cancel is off";
    EXPECT_FALSE(GetMenuState(bar, 1, MF_BYPOSITION) & MF_GRAYED);
    HMENU view = GetSubMenu(bar, 4);
    SendMessageA(Form4->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 4);
    EXPECT_TRUE(GetMenuState(view, 1, MF_BYPOSITION) & MF_CHECKED) << "row select";
    SendMessageA(Form4->Handle(), WM_COMMAND, GetMenuItemID(view, 0), 0);
    EXPECT_TRUE(Form4->Gitter1->Checked);
    EXPECT_TRUE(Form4->ListView1->GridLines());

    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(bar, 4, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW) << "handed to the look";
    Form4->Close();
}

} // namespace

// Every date and time of the locale shows whole in the date column, in either language,
// and the last column ends at the window's edge, also after the window grows.
TEST_F(RegistryScanWindowTest, DatesShowWholeAndTheLastColumnEndsAtTheWindowsEdge)
{
    for (unsigned char language : {1, 0}) {
        Form1->LanguageFlag = language;
        auto* window = new TForm4(Form1, registry_pages::ScanHostOf(*Form1));
        TListView* list = window->ListView1;
        for (const std::string& date : locale_time::DateTimeSamples()) {
            TListItem* row = list->Items()->Add();
            for (const std::string& cell : {std::string(), std::string(), date})
                row->SubItems()->Add(cell);
        }
        const int fitted = list->Columns()->Items(3)->Width();
        for (int width : {737, 1000}) {
            window->SetWidth(width);
            RECT client;
            GetClientRect(list->Handle(), &client);
            int total = 0;
            for (int i = 0; i < list->Columns()->Count(); ++i)
                total += list->Columns()->Items(i)->Width();
            EXPECT_EQ(total, client.right) << int(language) << " " << width;
        }
        SendMessageA(list->Handle(), LVM_SETCOLUMNWIDTH, 3, LVSCW_AUTOSIZE);
        EXPECT_GE(fitted, list->Columns()->Items(3)->Width()) << int(language);
        window->Close();
        Application->ProcessMessages();
    }
}

// However long the keys, every row's reason reads whole: in the window's first size the
// key column gives way, in a window too narrow for that the list scrolls sideways.
TEST_F(RegistryScanWindowTest, TheReasonsReadWholeBesideLongKeys)
{
    SettleAfterStart();
    auto* window = new TForm4(Form1, registry_pages::ScanHostOf(*Form1));
    TListView* list = window->ListView1;
    const std::string reason = "Datei oder Pfad existiert nicht";
    for (int i = 0; i < 3; ++i) {
        TListItem* row = list->Items()->Add();
        row->SetCaption("HKLM\\System\\CurrentControlSet\\Services\\" + std::string(60, 'k'));
        for (const std::string& cell : {std::string("ImagePath"), std::string("C:\\x.sys"), std::string(), reason})
            row->SubItems()->Add(cell);
    }
    for (int width : {737, 400}) {
        window->SetWidth(width);
        window->FitKeyColumn();
        EXPECT_GE(list->Columns()->Items(4)->Width(), list->CellWidth({reason})) << width;
    }
    window->SetWidth(737);
    window->FitKeyColumn();
    RECT client;
    GetClientRect(list->Handle(), &client);
    int total = 0;
    for (int i = 0; i < list->Columns()->Count(); ++i)
        total += list->Columns()->Items(i)->Width();
    EXPECT_EQ(total, client.right);
    window->Close();
    Application->ProcessMessages();
}

// The registry-scan window and the software details show the hand over a row only.
TEST_F(RegistryScanWindowTest, TheHandCursorShowsOverARowOnly)
{
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, "Software\\TwSeedHand");
    seeds::MakeKey(HKEY_CURRENT_USER, "Software\\TwSeedHand\\Prod\\Sub");
    SettleAfterStart();
    auto* scan = new TForm4(Form1, registry_pages::ScanHostOf(*Form1));
    scan->ListView1->Items()->Add()->SetCaption("HKCU\\Software\\TwSeedHand");
    auto* details = new TForm5(Form1, RegistryRoots[1], {"HKCU", "Software\\TwSeedHand\\Prod", "TwSeedHand", "Prod"});
    const struct {
        TForm* window;
        TListView* list;
        std::function<void(int, int)> move;
    } windows[] = {
        {scan, scan->ListView1, [scan](int x, int y) { scan->ListView1MouseMove(nullptr, 0, x, y); }},
        {details, details->ListView1, [details](int x, int y) { details->ListView1MouseMove(nullptr, 0, x, y); }},
    };
    for (const auto& window : windows) {
        ASSERT_EQ(window.list->Items()->Count(), 1);
        RECT row{LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(window.list->Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        window.move(row.left + 5, (row.top + row.bottom) / 2);
        EXPECT_EQ(window.list->Cursor(), crHandPoint) << window.window->Name;
        window.move(row.left + 5, row.bottom + 30);
        EXPECT_EQ(window.list->Cursor(), crDefault) << window.window->Name;
        window.window->Close();
    }
    Application->ProcessMessages();
}
