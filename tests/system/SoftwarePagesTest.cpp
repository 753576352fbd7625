// The uninstall, software and shared-DLL pages on entries seeded into the sandbox registry.
#include "system/Showregkeys.h"
#include "system/SoftwareKeyRemoval.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSymlink.h"
#include "tests/system/RegistrySeeds.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"

#include <commctrl.h>

#include <fstream>
#include <functional>

namespace {

const char* const uninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char* const sharedDlls = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

int RowNamed(TListView* list, const std::string& caption, int column = 0)
{
    for (int i = 0; i < list->Items()->Count(); ++i) {
        TListItem* item = list->Items()->Item(i);
        if ((column == 0 ? item->Caption() : item->SubItems()->Strings(column - 1)) == caption)
            return i;
    }
    return -1;
}

class RegistryPagesTest : public testing_support::MainFormTest {
protected:
    void SelectOnly(TListView* list, const std::vector<int>& rows)
    {
        list->ClearSelection();
        for (int row : rows) {
            ASSERT_GE(row, 0);
            list->SetSelected(row, true);
        }
    }
};

TEST_F(RegistryPagesTest, UninstallActsOnTheClickedRowsOwnEntry)
{
    seeds::Seeded seeded;
    const std::string app = std::string(uninstallKey) + "\\TwSeedApp", other = std::string(uninstallKey) + "\\TwSeedOther";
    seeded.Own(HKEY_LOCAL_MACHINE, app);
    seeded.Own(HKEY_LOCAL_MACHINE, other);
    seeded.Own(HKEY_LOCAL_MACHINE, std::string(uninstallKey) + "\\TwSeedNoName");
    seeds::SetString(HKEY_LOCAL_MACHINE, app, "DisplayName", "TwSeed App");
    seeds::SetString(HKEY_LOCAL_MACHINE, app, "UninstallString", "\"C:\\TwSeed\\unins.exe\" /x");
    seeds::SetString(HKEY_LOCAL_MACHINE, other, "DisplayName", "TwSeed Other");
    seeds::SetString(HKEY_LOCAL_MACHINE, std::string(uninstallKey) + "\\TwSeedNoName", "UninstallString", "x.exe");
    SettleAfterStart();
    Form1->CaptionUninstallPage();
    Form1->GetUninstallProgramms();
    TListView* list = Form1->ListView15;
    EXPECT_EQ(RowNamed(list, ""), -1);
    ASSERT_GE(RowNamed(list, "TwSeed Other"), 0);

    Form1->Button4Click(nullptr); // no row chosen: nothing runs
    EXPECT_TRUE(effects.launches.empty());
    SelectOnly(list, {RowNamed(list, "TwSeed App")});
    Form1->ListView15Click(nullptr);
    EXPECT_EQ(Form1->Panel4->Caption(), "\"C:\\TwSeed\\unins.exe\" /x");
    Form1->Button4Click(nullptr);
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_EQ(effects.launches[0].file, "\"C:\\TwSeed\\unins.exe\" /x");

    SelectOnly(list, {RowNamed(list, "TwSeed Other")});
    effects.answers.push_back(IDYES);
    Form1->Label80Click(nullptr);
    EXPECT_FALSE(seeds::KeyExists(HKEY_LOCAL_MACHINE, other));
    EXPECT_TRUE(seeds::KeyExists(HKEY_LOCAL_MACHINE, app));
    EXPECT_EQ(RowNamed(list, "TwSeed Other"), -1);
}

// Click a row, press Down: the panels show the row now selected, and Uninstall runs
// the command they show.
TEST_F(RegistryPagesTest, UninstallPanelsFollowTheKeyboardAndTheButtonRunsWhatTheyShow)
{
    seeds::Seeded seeded;
    for (const char* name : {"TwSeedKeyA", "TwSeedKeyB"}) {
        const std::string key = std::string(uninstallKey) + "\\" + name;
        seeded.Own(HKEY_LOCAL_MACHINE, key);
        seeds::SetString(HKEY_LOCAL_MACHINE, key, "DisplayName", name);
        seeds::SetString(HKEY_LOCAL_MACHINE, key, "UninstallString", std::string("C:\\") + name + ".exe");
    }
    SettleAfterStart();
    Form1->GetUninstallProgramms();
    TListView* list = Form1->ListView15;
    const int first = RowNamed(list, "TwSeedKeyA");
    ASSERT_EQ(RowNamed(list, "TwSeedKeyB"), first + 1);
    list->SetItemIndex(first);
    Form1->ListView15Click(nullptr);
    SendMessageA(list->Handle(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(list->ItemIndex(), first + 1);
    EXPECT_EQ(Form1->Panel5->Caption(), "TwSeedKeyB");
    EXPECT_EQ(Form1->Panel4->Caption(), "C:\\TwSeedKeyB.exe");
    Form1->Button4Click(nullptr);
    ASSERT_EQ(effects.launches.size(), 1u);
    EXPECT_EQ(effects.launches[0].file, "C:\\TwSeedKeyB.exe");
}

TEST_F(RegistryPagesTest, AVendorKeyGoesOnlyWhenNothingIsLeftInIt)
{
    seeds::Seeded seeded;
    for (const char* vendor : {"Software\\TwSeedSolo", "Software\\TwSeedPair", "Software\\TwSeedValued"})
        seeded.Own(HKEY_CURRENT_USER, vendor);
    seeds::MakeKey(HKEY_CURRENT_USER, "Software\\TwSeedSolo\\Only\\Sub");
    seeds::MakeKey(HKEY_CURRENT_USER, "Software\\TwSeedPair\\One");
    seeds::MakeKey(HKEY_CURRENT_USER, "Software\\TwSeedPair\\Two");
    seeds::SetString(HKEY_CURRENT_USER, "Software\\TwSeedValued\\Product", "v", "x");
    seeds::SetString(HKEY_CURRENT_USER, "Software\\TwSeedValued", "InstallDir", "C:\\x");
    SettleAfterStart();
    Form1->ComboBox1->SetItemIndex(0);
    Form1->Refresh2Click(nullptr);
    TListView* list = Form1->ListView16;
    SelectOnly(list, {RowNamed(list, "Only", 1), RowNamed(list, "One", 1), RowNamed(list, "Product", 1)});
    // The list is for the local machine now; the rows still name their own keys.
    Form1->ComboBox1->SetItemIndex(1);
    effects.answers = {IDYES, IDNO}; // remove, without a backup
    Form1->Entfernen3Click(nullptr);

    EXPECT_FALSE(seeds::KeyExists(HKEY_CURRENT_USER, "Software\\TwSeedSolo"));
    EXPECT_FALSE(seeds::KeyExists(HKEY_CURRENT_USER, "Software\\TwSeedPair\\One"));
    EXPECT_TRUE(seeds::KeyExists(HKEY_CURRENT_USER, "Software\\TwSeedPair\\Two"));
    EXPECT_FALSE(seeds::KeyExists(HKEY_CURRENT_USER, "Software\\TwSeedValued\\Product"));
    EXPECT_TRUE(seeds::ValueExists(HKEY_CURRENT_USER, "Software\\TwSeedValued", "InstallDir"));
    EXPECT_EQ(RowNamed(list, "One", 1), -1);
    EXPECT_GE(RowNamed(list, "Two", 1), 0);
    EXPECT_EQ(effects.boxes.size(), 2u); // the question and the backup offer, no failures
}

TEST_F(RegistryPagesTest, TheDetailsRemoveKeysAndThenTheProductLeftEmpty)
{
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, "Software\\TwSeedDetail");
    const std::string product = "Software\\TwSeedDetail\\Prod";
    seeds::MakeKey(HKEY_CURRENT_USER, product + "\\A\\A1");
    seeds::MakeKey(HKEY_CURRENT_USER, product + "\\B");
    SettleAfterStart();
    auto* details = new TForm5(Form1, RegistryRoots[1], {"HKCU", product, "TwSeedDetail", "Prod"});
    EXPECT_EQ(details->Label1->Caption() + details->Edit1->Text(), "Hersteller:TwSeedDetail");
    EXPECT_EQ(details->Label2->Caption() + details->Edit2->Text(), "Produkt:Prod");
    TListView* list = details->ListView1;
    ASSERT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ(list->Items()->Item(1)->Caption(), product + "\\A\\A1"); // below its parent
    SelectOnly(list, {RowNamed(list, product + "\\A"), RowNamed(list, product + "\\B")});
    effects.answers = {IDYES, IDNO}; // remove, without a backup
    details->Label4Click(nullptr);
    EXPECT_FALSE(seeds::KeyExists(HKEY_CURRENT_USER, product));
    EXPECT_TRUE(seeds::KeyExists(HKEY_CURRENT_USER, "Software\\TwSeedDetail"));
    EXPECT_EQ(effects.boxes.size(), 2u);
    details->Close();
}

TEST(SoftwareKeys, TheSystemsOwnKeysAndTheKeysHoldingThemAreRefused)
{
    const std::pair<const char*, bool> cases[] = {
        {"Software\\Microsoft\\Windows", true},
        {"SOFTWARE\\microsoft\\windows nt", true},
        {"Software\\Microsoft\\Windows\\CurrentVersion\\Run", true},
        {"Software\\Policies\\Vendor", true},
        {"software\\classes", true},
        {"Software\\Wow6432Node\\Microsoft", true},
        {"Software\\Microsoft\\Windows Media", true},
        {"Software\\Microsoft\\Cryptography", true},
        {"Software\\Microsoft\\SystemCertificates\\Root", true},
        {"software\\wow6432node\\microsoft\\.NETFramework", true},
        {"Software\\Microsoft", true},
        {"Software\\Clients\\StartMenuInternet\\Browser", true},
        {"Software\\Wow6432Node\\Clients\\Mail", true},
        {"software\\odbc\\ODBC.INI", true},
        {"Software\\Wow6432Node\\ODBC\\ODBCINST.INI", true},
        {"Software\\ODBCTools\\Tool", false},
        {"Software\\MicrosoftX\\Tool", false},
        {"Software\\Vendor\\Windows", false},
    };
    for (const auto& [path, refused] : cases)
        EXPECT_EQ(software_keys::IsSystemKey(path), refused) << path;
}

// A system key is refused by name; the keys that go are named in the question and saved
// first when the user asks for it; a backup that cannot be written keeps them.
TEST_F(RegistryPagesTest, SoftwareKeysAreNamedBackedUpAndNeverTheSystems)
{
    seeds::Seeded seeded;
    const std::string policy = "Software\\Policies\\TwSeedPolicy", sub = "Software\\TwSeedVendor\\TwSeedProd\\Sub";
    seeded.Own(HKEY_CURRENT_USER, policy);
    seeded.Own(HKEY_CURRENT_USER, "Software\\TwSeedVendor");
    seeds::SetString(HKEY_CURRENT_USER, policy, "v", "x");
    seeds::SetString(HKEY_CURRENT_USER, sub, "v", "x");
    SettleAfterStart();
    Form1->LanguageFlag = 0;
    Form1->ComboBox1->SetItemIndex(0);
    Form1->Refresh2Click(nullptr);
    TListView* list = Form1->ListView16;
    SelectOnly(list, {RowNamed(list, "TwSeedPolicy", 1), RowNamed(list, "TwSeedProd", 1)});
    Form1->Entfernen3Click(nullptr);
    ASSERT_EQ(effects.boxes.size(), 1u);
    EXPECT_EQ(effects.boxes[0].text, "Keys under Software\\Microsoft, Software\\Policies, Software\\Classes, "
                                     "Software\\Clients and Software\\ODBC (also under Wow6432Node) belong to "
                                     "Windows; this page does not remove them:\nHKCU\\" +
                                         policy + "\n");
    EXPECT_TRUE(seeds::KeyExists(HKEY_CURRENT_USER, policy));
    EXPECT_TRUE(seeds::KeyExists(HKEY_CURRENT_USER, sub));

    testing_support::TempFolder folder;
    auto* details = new TForm5(Form1, RegistryRoots[1],
                               {"HKCU", "Software\\TwSeedVendor\\TwSeedProd", "TwSeedVendor", "TwSeedProd"});
    EXPECT_EQ(details->Label1->Caption() + details->Label2->Caption(), "Vendor:Product:");
    SelectOnly(details->ListView1, {RowNamed(details->ListView1, sub)});
    for (const std::string& backup : {folder / "no such folder\\backup.reg", folder / "backup.reg"}) {
        effects.boxes.clear();
        effects.answers = {IDYES, IDYES}; // remove, after a backup
        effects.fileDialogAnswers = {backup};
        details->Label4Click(nullptr);
        ASSERT_GE(effects.boxes.size(), 2u);
        EXPECT_EQ(effects.boxes[0].text, " Remove entries ?\n\nHKCU\\" + sub + "\n");
    }
    EXPECT_EQ(effects.boxes.size(), 2u); // no failure the second time
    EXPECT_FALSE(seeds::KeyExists(HKEY_CURRENT_USER, sub));
    EXPECT_NE(testing_support::ReadFileText(folder / "backup.reg")
                  .find("[HKEY_CURRENT_USER\\" + sub + "]\r\n\"v\"=\"x\"\r\n"),
              std::string::npos);
    details->Close();
}

// The file that cannot be deleted is a link to a file elsewhere: the deleter refuses it
// rather than delete the file outside through it.
TEST_F(RegistryPagesTest, SharedDllCountersOfMissingFilesGoEvenWhenAFileCannotBeDeleted)
{
    testing_support::TempFolder folder, outside;
    const std::string deletable = folder / "twseed_a.dll", linked = folder / "twseed_b.dll",
                      missing = folder / "twseed_gone.dll";
    std::ofstream(deletable) << "a";
    testing_support::WriteFileText(outside / "twseed_real.dll", "b");
    ASSERT_TRUE(testing_support::MakeUnixSymlink(linked, outside / "twseed_real.dll", false));
    seeds::Seeded seeded;
    for (const std::string& path : {deletable, linked, missing})
        seeded.OwnValue(HKEY_LOCAL_MACHINE, sharedDlls, path);
    seeds::SetDword(HKEY_LOCAL_MACHINE, sharedDlls, deletable, 2);
    seeds::SetDword(HKEY_LOCAL_MACHINE, sharedDlls, linked, 0);
    seeds::SetString(HKEY_LOCAL_MACHINE, sharedDlls, missing, "1");
    SettleAfterStart();
    Form1->GetSharedDLL();
    TListView* list = Form1->ListView14;
    ASSERT_GE(RowNamed(list, missing), 0);
    EXPECT_EQ(list->Items()->Item(RowNamed(list, missing))->SubItems()->Strings(0), "-1");
    EXPECT_EQ(list->Items()->Item(RowNamed(list, linked))->SubItems()->Strings(0), "0");
    EXPECT_EQ(list->Items()->Item(RowNamed(list, deletable))->SubItems()->Strings(0), "2");

    // Each row is drawn by whether its file is there.
    auto textColour = [list](int row) {
        NMLVCUSTOMDRAW draw{};
        draw.nmcd.hdr.hwndFrom = list->Handle();
        draw.nmcd.hdr.idFrom = GetDlgCtrlID(list->Handle());
        draw.nmcd.hdr.code = NM_CUSTOMDRAW;
        draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
        draw.nmcd.dwItemSpec = row;
        draw.nmcd.hdc = GetDC(list->Handle());
        SendMessageA(GetParent(list->Handle()), WM_NOTIFY, draw.nmcd.hdr.idFrom, reinterpret_cast<LPARAM>(&draw));
        LOGFONTA font{};
        GetObjectA(GetCurrentObject(draw.nmcd.hdc, OBJ_FONT), sizeof font, &font);
        ReleaseDC(list->Handle(), draw.nmcd.hdc);
        return std::make_pair(draw.clrText, font.lfWeight >= FW_BOLD);
    };
    EXPECT_EQ(textColour(RowNamed(list, missing)), std::make_pair(COLORREF(RGB(255, 0, 0)), true));
    EXPECT_EQ(textColour(RowNamed(list, linked)), std::make_pair(COLORREF(RGB(0, 0, 128)), false));

    SelectOnly(list, {RowNamed(list, deletable), RowNamed(list, linked), RowNamed(list, missing)});
    effects.answers.push_back(IDYES);
    Form1->DelDLLDatei();
    EXPECT_EQ(testing_support::ReadFileText(outside / "twseed_real.dll"), "b");

    EXPECT_FALSE(seeds::ValueExists(HKEY_LOCAL_MACHINE, sharedDlls, missing));
    EXPECT_EQ(RowNamed(list, missing), -1);
    ASSERT_NE(GetFileAttributesA(linked.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(seeds::ValueExists(HKEY_LOCAL_MACHINE, sharedDlls, linked));
    EXPECT_GE(RowNamed(list, linked), 0);
    ASSERT_EQ(effects.boxes.size(), 2u);
    EXPECT_NE(effects.boxes[1].text.find(linked), std::string::npos);
    EXPECT_EQ(GetFileAttributesA(deletable.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(seeds::ValueExists(HKEY_LOCAL_MACHINE, sharedDlls, deletable));
    testing_support::RemoveUnixSymlink(linked);
}

} // namespace

// Empty or not, each page has its heading, and its list is white with captioned columns.
TEST_F(RegistryPagesTest, PagesShowTheirHeadingAndAWhiteListWithItsHeader)
{
    SettleAfterStart();
    const struct {
        const char* title;
        TListView* list;
        std::function<void()> open;
    } pages[] = {
        {"UninstallPageTitle", Form1->ListView15, [] { Form1->CaptionUninstallPage(); Form1->GetUninstallProgramms(); }},
        {"SharedDllPageTitle", Form1->ListView14, [] { Form1->GetSharedDLL(); }},
        {"CookiePageTitle", Form1->ListView9, [] { Form1->ListInternetCache(); }},
    };
    for (unsigned char language : {1, 0})
        for (const auto& page : pages) {
            Form1->LanguageFlag = language;
            page.open();
            auto* title = dynamic_cast<TLabel*>(Form1->FindComponent(page.title));
            ASSERT_TRUE(title) << page.title;
            EXPECT_FALSE(title->Caption().empty()) << page.title << int(language);
            EXPECT_LT(title->Top() + title->Height(), page.list->Top()) << page.title;
            EXPECT_EQ(page.list->Color(), clWindow) << page.title;
            EXPECT_FALSE(page.list->Columns()->Items(0)->Caption().empty()) << page.title;
        }
}

// "Remove chosen keys" opens the details of the row, where the keys are chosen.
TEST_F(RegistryPagesTest, TheSecondDetailsItemOpensTheRowsDetails)
{
    seeds::Seeded seeded;
    seeded.Own(HKEY_CURRENT_USER, "Software\\TwSeedChosen");
    seeds::MakeKey(HKEY_CURRENT_USER, "Software\\TwSeedChosen\\Prod\\Sub");
    SettleAfterStart();
    Form1->Refresh2Click(nullptr);
    TListView* list = Form1->ListView16;
    SelectOnly(list, {RowNamed(list, "TwSeedChosen")});
    auto* item = dynamic_cast<TMenuItem*>(Form1->FindComponent("Benutzedefiniertentfernen1"));
    ASSERT_TRUE(item);
    EXPECT_EQ(Form1->PopupMenu9->Items()->Items(1), item);
    static std::string shown;
    shown.clear();
    // The details are read before the dialog shows, with messages processed meanwhile.
    struct CloseWhenShown {
        static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
        {
            HWND dialog = FindWindowA(nullptr, "TwSeedChosen");
            if (!dialog || !IsWindowVisible(dialog))
                return;
            KillTimer(nullptr, timer);
            shown = "TwSeedChosen";
            PostMessageA(dialog, WM_CLOSE, 0, 0);
        }
    };
    SetTimer(nullptr, 0, 10, &CloseWhenShown::Tick);
    item->OnClick(item);
    EXPECT_EQ(shown, "TwSeedChosen");
}

// The notice that a registration's key is gone has one caption in both languages.
TEST_F(RegistryPagesTest, TheKeyNotFoundNoticeIsCaptionedHinweis)
{
    seeds::Seeded seeded;
    const std::string key = std::string(uninstallKey) + "\\TwSeedVanishing";
    seeded.Own(HKEY_LOCAL_MACHINE, key);
    SettleAfterStart();
    for (unsigned char language : {1, 0}) {
        seeds::SetString(HKEY_LOCAL_MACHINE, key, "DisplayName", "TwSeed Vanishing");
        Form1->LanguageFlag = language;
        Form1->GetUninstallProgramms();
        SelectOnly(Form1->ListView15, {RowNamed(Form1->ListView15, "TwSeed Vanishing")});
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
        effects.boxes.clear();
        effects.answers = {IDYES};
        Form1->Label80Click(nullptr);
        ASSERT_EQ(effects.boxes.size(), 2u) << int(language);
        EXPECT_EQ(effects.boxes[1].caption, "Hinweis  ") << int(language);
    }
}
