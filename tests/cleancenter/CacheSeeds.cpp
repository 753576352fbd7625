#include "tests/cleancenter/CacheSeeds.h"

#include "cleaning/UrlCache.h"

#include <wininet.h>

#include <algorithm>
#include <fstream>

namespace cache_seeds {

std::vector<std::string> CacheNames()
{
    std::vector<std::string> names;
    url_cache::ForEachEntry([&](const url_cache::CacheEntry& entry) { names.push_back(entry.sourceUrl); });
    return names;
}

std::string SeedCookie(const std::string& site, const std::string& name)
{
    const std::vector<std::string> before = CacheNames();
    InternetSetCookieA(("http://" + site + "/").c_str(), name.c_str(), "1; expires=Sat, 01-Jan-2050 00:00:00 GMT");
    for (const std::string& entry : CacheNames())
        if (url_cache::IsCookieName(entry) && entry.find(site) != std::string::npos &&
            std::find(before.begin(), before.end(), entry) == before.end())
            return entry;
    return std::string();
}

bool SeedPage(const std::string& url)
{
    char file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryA(url.c_str(), 0, "htm", file, 0))
        return false;
    std::ofstream(file) << "<html></html>";
    FILETIME none{};
    return CommitUrlCacheEntryA(url.c_str(), file, none, none, NORMAL_CACHE_ENTRY, nullptr, 0, nullptr, nullptr) !=
           FALSE;
}

void ClearCache()
{
    for (const std::string& name : CacheNames())
        DeleteUrlCacheEntryA(name.c_str());
}

} // namespace cache_seeds
