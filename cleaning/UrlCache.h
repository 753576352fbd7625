// The browser's URL cache (WinINet): its cookies, the cache walk that empties it with or
// without the cookies, and the URL history.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace url_cache {

struct CacheEntry {
    std::string sourceUrl; // for a cookie "cookie:user@site/" (Wine writes "Cookie:")
    DWORD type = 0;
    FILETIME expires{};
    FILETIME lastAccess{};
};

// Calls visit for every entry of the cache, growing the buffer whenever an entry needs
// more than it holds. True when the walk ended because no entries were left.
bool ForEachEntry(const std::function<void(const CacheEntry&)>& visit);

// A cookie entry: its name begins with "cookie:" in any case. Wine matches the cache's
// search pattern case-sensitively and names cookies "Cookie:", so the program walks all
// entries and picks the cookies by name instead of asking for the pattern.
bool IsCookieName(const std::string& sourceUrl);

std::vector<CacheEntry> Cookies();

// True when no entry of the keep-list equals the name, ignoring case.
bool MayDeleteCookie(const std::vector<std::string>& keepList, const std::string& name);

struct CleanResult {
    bool walkCompleted = false; // the walk reached the end of the cache
    unsigned failed = 0;        // entries that could not be deleted
    bool Succeeded() const { return walkCompleted && failed == 0; }
};

// Cookie mode: deletes every entry, pages and cookies alike, whose name mayDeleteCookie
// allows (all but the kept cookies). Plain mode: deletes every entry that is not a cookie.
CleanResult Clean(bool cookieMode, const std::function<bool(const std::string& name)>& mayDeleteCookie);

// Deletes every cookie whose name equals the name, ignoring case. False when one of them
// could not be deleted.
bool DeleteCookie(const std::string& name);

// Clears the browser's URL history. False when the history object is missing or does
// not clear (Wine answers E_NOTIMPL).
bool ClearHistory();

} // namespace url_cache
