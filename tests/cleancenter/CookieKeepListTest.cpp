// The cookie keep-list: loaded at start, saved at close without losing entries, edited in
// its dialog, and spared by the cookie page's listing.
#include "cleaning/Cookiesdia.h"
#include "toolkit/ListView.h"
#include "shell/OptionsKeys.h"
#include "tests/cleancenter/CacheSeeds.h"
#include "tests/support/MainFormFixture.h"
#include "toolkit/Timer.h"

using namespace testing_support;

namespace {

class CookieKeepListTest : public MainFormTest {
protected:
    void SetUp() override
    {
        ClearSettings();
        cache_seeds::ClearCache();
    }
    void TearDown() override
    {
        cache_seeds::ClearCache();
        MainFormTest::TearDown();
    }
    void Close()
    {
        TCloseAction action = caHide;
        Form1->FormClose(nullptr, action);
    }
};

TEST_F(CookieKeepListTest, SurvivesACloseAndARestart)
{
    Store(options::cookiesNoDelete::Key, "Cookie:root@kept.test/", "");
    Start();
    ASSERT_EQ(Form1->KeepList(), std::vector<std::string>{"Cookie:root@kept.test/"});
    Close();
    Restart();
    EXPECT_EQ(Form1->KeepList(), std::vector<std::string>{"Cookie:root@kept.test/"});
}

TEST_F(CookieKeepListTest, ChangedListIsWrittenWithEmptyDataAndRemovedNamesGo)
{
    Store(options::cookiesNoDelete::Key, "Cookie:root@old.test/", "");
    Start();
    Form1->CookieKeepList->Clear();
    Form1->CookieKeepList->Add("Cookie:root@new.test/");
    Close();
    EXPECT_EQ(SettingNames(options::cookiesNoDelete::Key), std::vector<std::string>{"Cookie:root@new.test/"});
    EXPECT_EQ(Stored(options::cookiesNoDelete::Key, "Cookie:root@new.test/"), "");
}

// Windows ending the session with the program in the tray closes no window.
TEST_F(CookieKeepListTest, AnEndingSessionWritesTheList)
{
    Start();
    Form1->CookieKeepList->Add("Cookie:root@new.test/");
    SendMessageA(Form1->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(SettingNames(options::cookiesNoDelete::Key), std::vector<std::string>{"Cookie:root@new.test/"});
}

TEST_F(CookieKeepListTest, TheCookiePageListsAndDeletesTheSelectedCookie)
{
    Start();
    Form1->Timer1->SetEnabled(false);
    const std::string gone = cache_seeds::SeedCookie("gone.test", "g");
    const std::string stays = cache_seeds::SeedCookie("stays.test", "s");
    Form1->ListInternetCache();
    ASSERT_EQ(Form1->ListView9->Items()->Count(), 2);
    for (int row = 0; row < 2; ++row)
        Form1->ListView9->Items()->Item(row)->SetSelected(Form1->ListView9->Items()->Item(row)->Caption() == gone);
    Form1->Label5Click(nullptr);
    ASSERT_EQ(Form1->ListView9->Items()->Count(), 1);
    EXPECT_EQ(Form1->ListView9->Items()->Item(0)->Caption(), stays);
    // Wine's cache gives cookie entries no expiry time; the last access is there.
    EXPECT_FALSE(Form1->ListView9->Items()->Item(0)->SubItems()->Strings(1).empty());
}

TEST_F(CookieKeepListTest, DialogMovesRowsAndOkReplacesTheList)
{
    Start();
    TForm7 dialog(Form1);
    dialog.Fill({"cookie:ROOT@kept.test/"}, {"Cookie:root@kept.test/", "Cookie:root@a.test/", "Cookie:root@b.test/"});
    EXPECT_EQ(TForm7::Names(dialog.ListView1),
              (std::vector<std::string>{"Cookie:root@a.test/", "Cookie:root@b.test/"})) << "kept ones left out";
    dialog.ListView1->Items()->Item(1)->SetSelected(true);
    dialog.Button1Click(nullptr);
    dialog.ListView2->Items()->Item(0)->SetSelected(true);
    dialog.Button2Click(nullptr);
    dialog.Button3Click(nullptr);
    EXPECT_TRUE(dialog.Accepted);
    EXPECT_EQ(dialog.AcceptedKeepList, std::vector<std::string>{"Cookie:root@b.test/"});
    EXPECT_EQ(TForm7::Names(dialog.ListView1),
              (std::vector<std::string>{"Cookie:root@a.test/", "cookie:ROOT@kept.test/"}));
}

} // namespace
