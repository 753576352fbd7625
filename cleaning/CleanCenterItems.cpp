#include "cleaning/CleanCenterItems.h"
#include "common/Language.h"

#include <shlobj.h>

namespace clean_center {

namespace {

const char* const explorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const char* const winZipKey = "Software\\Nico Mak Computing\\WinZip";

const char* const pageFileGerman =
    "Manche Programme legen unverschlüsselte Kennwörter oder andere vertrauliche Daten vorübergehend im "
    "Speicher ab.\n Wegen der virtuellen Speicherverwaltung von Windows können diese Daten in der "
    "Auslagerungsdatei stehen.\nDas Leeren der Auslagerungsdatei ersetzt nicht den physischen Schutz "
    "\neines Computers, erhöht aber die Sicherheit der Daten, solange Windows nicht läuft.";
const char* const pageFileEnglish =
    "Some third-party programs can temporarily store unencrypted (plain-text) passwords or other sensitive "
    "information in memory.\n Because of the Windows virtual memory architecture, this information can be "
    "present in the paging file.\nAlthough clearing the paging file is not a suitable substitute for physical "
    "security \nof a computer, you might want to do this to increase the security of data on a computer while "
    "Windows is not running.";
const char* const rot13German =
    "Windows zeigt die am häufigsten benutzten Programme in einer Liste, die Sie hier finden:\n"
    "Hkey_Current_UserSoftwareMicrosoftWindowsCurrentVersionExplorerUserAssist. Sehen Sie im Schlüssel "
    "'Count' nach.Die Schlüsselnamen sind mit dem üblichen ROT-13-Verfahren verschlüsselt.";
const char* const rot13English =
    "Windows displays the most frequently used programs in a list, you will find under\n"
    "Hkey_Current_UserSoftwareMicrosoftWindowsCurrentVersionExplorerUserAssist. Look at Key 'Count'"
    "Key names are modified with the common ROT-13 string manipulation routine";

using A = Action;
using D = Details;

const Item items[kItemCount] = {
    {0, "Ordner Recent leeren", "Empty Folder Recent", A::Recent, nullptr, nullptr, D::OpenFolder, 0, nullptr,
     nullptr, nullptr, nullptr, nullptr},
    {0, "Ordner Temp leeren", "Empty Folder Temp", A::Temp, nullptr, nullptr, D::OpenFolder, 0, nullptr, nullptr,
     nullptr, nullptr, nullptr},
    {0, "Papierkorb leeren", "Empty Recycle Bin", A::RecycleBin, nullptr, nullptr, D::OpenSpecialFolder,
     CSIDL_BITBUCKET, nullptr, nullptr, nullptr, nullptr, nullptr},
    {0, "Ordner Prefetch leeren", "Empty Folder Prefetch", A::Prefetch, nullptr, nullptr, D::OpenFolder, 0,
     nullptr, nullptr, nullptr, nullptr, nullptr},
    {0, "Auslagerungsdatei beim Beenden löschen", "Delete SwapFile on Exit", A::PageFile, nullptr, nullptr,
     D::Box, 0, nullptr, pageFileGerman, pageFileEnglish,
     "Auslagerungsdatei beim Herunterfahren leeren", "Clear the Windows Paging File at Shutdown"},
    {1, "Liste Start, Ausführen leeren", "Clear  Start, Execute list", A::DeleteKey, explorerKey, "RunMRU",
     D::ValueViewer, 0, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU",
     "Liste 'Start, Ausführen' löschen", "Delete 'Start, Run' List", nullptr, nullptr},
    {1, "Liste Start, Suchen leeren", "Clear  Start, Search list", A::DeleteKey,
     "Software\\Microsoft\\Search Assistant", "ACMru", D::ValueViewer, 0,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU",
     "Liste 'Start, Suchen' löschen", "Delete 'Start, Search' List", nullptr, nullptr},
    {1, "Liste Start, Suchen, Computer leeren", "Clear  Start, Search,Computer list", A::DeleteKey, explorerKey,
     "FindComputerMRU", D::Box, 0, nullptr, "Liste 'Start, Suchen, Computer' löschen",
     "Delete 'Start, Search, Computer' List", "FindComputerMRU", "FindComputerMRU"},
    {1, "Liste Start, Dokumente leeren", "Clear  Start, Documents list", A::DeleteKey, explorerKey, "RecentDocs",
     D::Box, 0, nullptr, "Liste Start, Dokumente leeren", "Clear  Start, Documents list", "RecentDocs", "RecentDocs"},
    {1, "Liste Start, Drucker leeren", "Clear  Start, Details Printer list ", A::DeleteKey, explorerKey,
     "PrnPortsMRU", D::Box, 0, nullptr, "Liste Start, Drucker leeren", "Clear  Start, Details Printer list ", "PrnPortsMRU", "PrnPortsMRU"},
    {1, "Windows-Netzwerkliste leeren", "Empty Windows Network List", A::DeleteKey, "Network", "Recent", D::Box,
     0, nullptr, "Windows-Netzwerkliste leeren", "Empty Windows Network List", "Windows-Netzwerkliste leeren",
     "Empty Windows Network List"},
    {1, "Wordpad-Liste leeren", "Empty Wordpad List", A::DeleteKey,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad", "Recent File List", D::ValueViewer, 0,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Wordpad\\Recent File List", "Wordpad-Liste leeren",
     "Empty Wordpad List", nullptr, nullptr},
    {1, "Paint-Liste leeren", "Empty Paint List", A::DeleteKey,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint", "Recent File List", D::ValueViewer, 0,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Paint\\Recent File List", "Paint-Liste leeren",
     "Empty Paint List", nullptr, nullptr},
    {2, "IE-Browser-Cache löschen (mit Cookies)", "Delete IE-Browser Cache (with Cookies)", A::CacheWithCookies,
     nullptr, nullptr, D::CookieDialog, 0, nullptr, nullptr, nullptr, nullptr, nullptr},
    {2, "IE-Browser-Cache löschen (ohne Cookies)", "Delete IE-Browser Cache (without Cookies)",
     A::CacheWithoutCookies, nullptr, nullptr, D::OpenSpecialFolder, CSIDL_INTERNET_CACHE, nullptr, nullptr,
     nullptr, nullptr, nullptr},
    {2, "Ordner Verlauf leeren  ", "Empty Folder History  ", A::History, nullptr, nullptr, D::OpenSpecialFolder,
     CSIDL_HISTORY, nullptr, nullptr, nullptr, nullptr, nullptr},
    {2, "Offline-Webseiten leeren", "Empty Offline Webpages", A::OfflinePages, nullptr, nullptr, D::OpenFolder, 0,
     nullptr, nullptr, nullptr, nullptr, nullptr},
    {2, "URL-Liste leeren", "Empty URL-List", A::DeleteKey, "Software\\Microsoft\\Internet Explorer", "TypedURLs",
     D::ValueViewer, 0, "Software\\Microsoft\\Internet Explorer\\TypedURLs",
     "URL-Liste im Internet Explorer leeren", "Empty URL-List in Internet Explorer", nullptr, nullptr},
    {2, "Verschlüsselte Einträge löschen (ROT13)  ", "Delete encrypted weppages (ROT13)  ", A::DeleteKey,
     explorerKey, "UserAssist", D::Box, 0, nullptr, rot13German, rot13English, "ROT13", "ROT13"},
    {3, "Liste zuletzt geöffneter Archive leeren", "Empty List of recent opened archives", A::DeleteKey,
     "Software\\WinRAR", "DialogEditHistory", D::ValueViewer, 0, "Software\\WinRAR\\DialogEditHistory",
     "Liste zuletzt geöffneter Archive in WinRar leeren", "Empty List of recent opened archives in WinRar", nullptr, nullptr},
    {4, "Liste der Entpackordner leeren", "Empty extraction folder list", A::DeleteKey, winZipKey, "extract",
     D::ValueViewer, 0, "Software\\Nico Mak Computing\\WinZip\\extract",
     "Liste der Entpackordner in WinZip leeren", "Empty extraction folder list in WinZip", nullptr, nullptr},
    {4, "Liste zuletzt geöffneter Archive leeren", "Empty List of recent opened archives", A::DeleteKey, winZipKey,
     "filemenu", D::ValueViewer, 0, "Software\\Nico Mak Computing\\WinZip\\filemenu",
     "Liste zuletzt geöffneter Archive in WinZip leeren", "Empty List of recent opened archives in WinZip", nullptr, nullptr},
};

const char* const groupTitles[kGroupCount][2] = {
    {"Windows", "Windows"},
    {"MRU-Liste (Windows Explorer)", "MRU-List(Windows Explorer)"},
    {"Internet Explorer (> Version 5)", "Internet Explorer (> Version 5)"},
    {"WinRar", "WinRar"},
    {"WinZip", "WinZip"},
};

} // namespace

const Item& ItemAt(int index) { return items[index]; }

const char* GroupTitle(int group, bool german)
{
    return language::Text(german, groupTitles[group][0], groupTitles[group][1]);
}

const std::array<int, kItemCount>& RunOrder()
{
    static const std::array<int, kItemCount> order = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                                      11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 20};
    return order;
}

Ticks ParseTicks(const std::string& stored)
{
    Ticks ticks{};
    for (size_t i = 0; i < ticks.size() && i < stored.size(); ++i)
        ticks[i] = stored[i] >= '1' && stored[i] <= '9';
    return ticks;
}

std::string TicksText(const Ticks& ticks)
{
    std::string text;
    for (bool ticked : ticks)
        text += ticked ? '1' : '0';
    return text;
}

} // namespace clean_center
