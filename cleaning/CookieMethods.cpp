// The cookie page (TabSheet10) and the cookie keep-list: the cookies that cleaning the
// browser cache must spare, kept as value names under CookiesNoDelete.
#include "shell/Unit1.h"

#include "cleaning/Cookiesdia.h"
#include "cleaning/UrlCache.h"
#include "common/Language.h"
#include "pageparts/DateColumn.h"
#include "pageparts/LocaleTime.h"
#include "common/OptionsKeys.h"
#include "pageparts/PageParts.h"
#include "toolkit/ListView.h"
#include "toolkit/UpdateScope.h"

namespace {

// A cache time as stored, without a time-zone conversion; "" when it does not convert.
std::string CookieTimeText(const FILETIME& time)
{
    SYSTEMTIME clock{};
    if ((time.dwLowDateTime == 0 && time.dwHighDateTime == 0) || !FileTimeToSystemTime(&time, &clock))
        return std::string();
    return locale_time::DateTimeText(clock);
}

} // namespace

void TForm1::GetNoDeleteCookiesList()
{
    CookieKeepList->Clear();
    Registry->RootKey = HKEY_CURRENT_USER;
    KeyOpened = Registry->OpenKeyReadOnly(options::cookiesNoDelete::Key);
    if (KeyOpened)
        for (const std::string& name : Registry->GetValueNames())
            CookieKeepList->Add(name);
    Registry->CloseKey();
    CookieKeepListLoaded = true;
}

// The new names are written before the names that went away are deleted, so a failing
// write never leaves the user with fewer kept cookies than before.
void TForm1::SaveNoDeleteCookiesList()
{
    if (!CookieKeepListLoaded)
        return;
    const std::vector<std::string> kept = KeepList();
    Registry->RootKey = HKEY_CURRENT_USER;
    Registry->Access = KEY_READ | KEY_WRITE;
    KeyOpened = Registry->OpenKey(options::cookiesNoDelete::Key, true);
    if (KeyOpened) {
        bool written = true;
        for (const std::string& name : kept)
            written = Registry->WriteString(name, "") && written;
        if (written)
            for (const std::string& name : Registry->GetValueNames())
                if (url_cache::MayDeleteCookie(kept, name))
                    Registry->DeleteValue(name);
    }
    Registry->CloseKey();
}

std::vector<std::string> TForm1::KeepList() const
{
    std::vector<std::string> names;
    for (int i = 0; i < CookieKeepList->Count(); ++i)
        names.push_back((*CookieKeepList)[i]);
    return names;
}

bool TForm1::CanDelCookie(const std::string& name) const { return url_cache::MayDeleteCookie(KeepList(), name); }

void TForm1::BuildCookiePage()
{
    TTabSheet* page = TabSheets[10];
    page_parts::MakePageTitle(this, page, "CookiePageTitle");
    ListView9 = new TListView(this);
    ListView9->Name = "ListView9";
    ListView9->SetParent(page);
    ListView9->SetBounds(16, 40, 450, 250);
    ListView9->SetViewStyle(vsReport);
    ListView9->SetMultiSelect(true);
    ListView9->SetRowSelect(true);
    ListView9->SetHideSelection(false);
    for (int width : {230, 100, 100})
        ListView9->Columns()->Add()->SetWidth(width);
    ListView9->OnKeyDown = Bind(this, &TForm1::ListView9KeyDown);
    Label10 = page_parts::MakePageLink(this, page, "Label10", 16, 300, 160);
    Label10->OnClick = Bind(this, &TForm1::Label10Click);
    Label5 = page_parts::MakePageLink(this, page, "Label5", 200, 300, 160);
    Label5->OnClick = Bind(this, &TForm1::Label5Click);
}

void TForm1::ListInternetCache()
{
    if (auto* title = dynamic_cast<TLabel*>(FindComponent("CookiePageTitle")))
        title->SetCaption(language::Text("Cookies des Internet Explorers", "Internet Explorer cookies"));
    ListView9->Columns()->Items(0)->SetCaption("Cookie");
    ListView9->Columns()->Items(1)->SetCaption(language::Text("Verfällt", "Expires"));
    ListView9->Columns()->Items(2)->SetCaption(language::Text("Letzter Zugriff", "Last access"));
    FitDateColumn(*ListView9, 1);
    FitDateColumn(*ListView9, 2);
    Label10->SetCaption(language::Text("Alle auswählen", "Select all"));
    Label5->SetCaption(language::Text("Internet-Cookies löschen", "Delete Internet Cookies"));
    TListItems* rows = ListView9->Items();
    const UpdateScope updating(*rows);
    rows->Clear();
    for (const url_cache::CacheEntry& cookie : url_cache::Cookies()) {
        TListItem* row = rows->Add();
        row->SetCaption(cookie.sourceUrl);
        row->SubItems()->Add(CookieTimeText(cookie.expires));
        row->SubItems()->Add(CookieTimeText(cookie.lastAccess));
    }
}

void TForm1::DeleteInternetCache(const std::string& name) { url_cache::DeleteCookie(name); }

// A cookie that could not be deleted comes back with the new listing.
void TForm1::Label5Click(TObject*)
{
    std::vector<std::string> chosen;
    for (int row = 0; row < ListView9->Items()->Count(); ++row)
        if (ListView9->Items()->Item(row)->Selected())
            chosen.push_back(ListView9->Items()->Item(row)->Caption());
    for (const std::string& name : chosen)
        DeleteInternetCache(name);
    ListInternetCache();
}

void TForm1::Label10Click(TObject*) { ListView9->SelectAll(); }

void TForm1::ListView9KeyDown(TObject*, WORD& key, TShiftState)
{
    if (key == VK_DELETE)
        Label5Click(nullptr);
}

void TForm1::OpenCookieKeepDialog()
{
    TForm7 dialog(this);
    XPMenu1->InitComponent(&dialog);
    std::vector<std::string> cookies;
    for (const url_cache::CacheEntry& cookie : url_cache::Cookies())
        cookies.push_back(cookie.sourceUrl);
    dialog.Fill(KeepList(), cookies);
    dialog.ShowModal();
    if (!dialog.Accepted)
        return;
    CookieKeepList->Clear();
    for (const std::string& name : dialog.AcceptedKeepList)
        CookieKeepList->Add(name);
    SaveNoDeleteCookiesList();
}
