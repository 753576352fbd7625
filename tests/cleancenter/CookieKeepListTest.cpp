// The cookie keep-list: loaded at start, saved at close without losing entries, edited in
// its dialog (buttons and drag and drop), and spared by the cookie page's listing.
#include "cleaning/Cookiesdia.h"
#include "pageparts/LocaleTime.h"
#include "common/OptionsKeys.h"
#include "tests/cleancenter/CacheSeeds.h"
#include "tests/support/MainFormFixture.h"
#include "toolkit/ListView.h"
#include "toolkit/Timer.h"

#include <functional>

using namespace testing_support;

namespace {

// Drags the selected rows of one list onto another as the mouse would: the list reports
// the drag, and the mouse moves over the other list and is released there.
void DragSelected(TListView* from, TListView* onto)
{
    NMLISTVIEW begin{};
    begin.hdr.hwndFrom = from->Handle();
    begin.hdr.code = LVN_BEGINDRAG;
    begin.iItem = from->ItemIndex();
    SendMessageA(GetParent(from->Handle()), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&begin));
    RECT bounds{};
    GetWindowRect(onto->Handle(), &bounds);
    POINT at{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    ScreenToClient(from->Handle(), &at);
    const LPARAM position = MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y));
    SendMessageA(from->Handle(), WM_MOUSEMOVE, MK_LBUTTON, position);
    SendMessageA(from->Handle(), WM_LBUTTONUP, 0, position);
}

// Whether the look was on the keep-list dialog's list when the dialog first showed.
bool dialogShowedWithTheLook = false;

LRESULT CALLBACK WatchTheDialogShow(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SHOWWINDOW && call->wParam)
        if (auto* dialog = dynamic_cast<TForm7*>(TControl::FromHandle(call->hwnd))) {
            dialogShowedWithTheLook = Form1->XPMenu1->IsSubclassed(dialog->ListView1);
            PostMessageA(dialog->Button4->Handle(), BM_CLICK, 0, 0);
        }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

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
    // Opens the keep-list dialog as the clean center does and acts on it once it is up;
    // act ends it with OK or Cancel.
    static void WithTheDialog(const std::function<void(TForm7& dialog)>& act)
    {
        UINT_PTR timer = toolkit::StartTimer(20, [&] {
            if (auto* dialog = dynamic_cast<TForm7*>(Form1->FindComponent("Form7"))) {
                toolkit::StopTimer(timer);
                act(*dialog);
            }
        });
        Form1->OpenCookieKeepDialog();
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

TEST_F(CookieKeepListTest, TheDateColumnsHoldAWholeDateAndTime)
{
    Start();
    Form1->ListInternetCache();
    const int needed = Form1->ListView9->CellWidth(locale_time::DateTimeSamples());
    for (int column : {1, 2})
        EXPECT_GE(Form1->ListView9->Columns()->Items(column)->Width(), needed) << column;
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

TEST_F(CookieKeepListTest, ADropOnTheOtherListMovesTheCookieAndOnItsOwnListNothing)
{
    Start();
    TForm7 dialog(Form1);
    dialog.Show();
    const std::string a = "Cookie:root@a.test/", b = "Cookie:root@b.test/", kept = "Cookie:root@kept.test/";
    dialog.Fill({kept}, {a, b});
    struct Case {
        TListView* from;
        TListView* onto;
        std::vector<std::string> left, right; // after the drag of the first row
    };
    const Case cases[] = {
        {dialog.ListView1, dialog.ListView1, {a, b}, {kept}},
        {dialog.ListView1, dialog.ListView2, {b}, {kept, a}},
        {dialog.ListView2, dialog.ListView2, {b}, {kept, a}},
        {dialog.ListView2, dialog.ListView1, {b, kept}, {a}},
    };
    for (const Case& c : cases) {
        c.from->SetItemIndex(0);
        DragSelected(c.from, c.onto);
        EXPECT_EQ(TForm7::Names(dialog.ListView1), c.left) << c.from->Name << " onto " << c.onto->Name;
        EXPECT_EQ(TForm7::Names(dialog.ListView2), c.right) << c.from->Name << " onto " << c.onto->Name;
    }
}

TEST_F(CookieKeepListTest, ACookieDraggedToTheKeptListIsStoredWithOk)
{
    Start();
    const std::string cookie = cache_seeds::SeedCookie("dragged.test", "d");
    ASSERT_FALSE(cookie.empty());
    WithTheDialog([](TForm7& dialog) {
        dialog.ListView1->SetItemIndex(0);
        DragSelected(dialog.ListView1, dialog.ListView2);
        dialog.Button3Click(nullptr);
    });
    EXPECT_EQ(Form1->KeepList(), std::vector<std::string>{cookie});
    EXPECT_EQ(SettingNames(options::cookiesNoDelete::Key), std::vector<std::string>{cookie});
}

TEST_F(CookieKeepListTest, TheDialogShowsWithTheLook)
{
    Start();
    Form1->XPMenu1->SetXPContainers(AllXPContainers); // whatever the system, so the look shows
    Form1->XPMenu1->SetXPControls(AllXPControls);
    dialogShowedWithTheLook = false;
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchTheDialogShow, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    Form1->OpenCookieKeepDialog();
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(dialogShowedWithTheLook);
}

} // namespace
