#include "cleaning/UrlCache.h"

#include "common/CaseRule.h"
#include "common/ComPtr.h"
#include "common/ComScope.h"

#include <wininet.h>
#include <ole2.h>
#include <urlhist.h>

#include <algorithm>
#include <memory>

namespace url_cache {

namespace {

// The URL-history object's class, which the system headers do not all declare.
const CLSID urlHistoryClass = {0x3C374A40, 0xBAE4, 0x11CF, {0xBF, 0x7D, 0x00, 0xAA, 0x00, 0x69, 0x46, 0xEE}};

class CacheFind {
public:
    CacheFind() = default;
    ~CacheFind() { if (handle_) FindCloseUrlCache(handle_); }
    CacheFind(const CacheFind&) = delete;
    CacheFind& operator=(const CacheFind&) = delete;
    HANDLE& Handle() { return handle_; }

private:
    HANDLE handle_ = nullptr;
};


} // namespace

bool ForEachEntry(const std::function<void(const CacheEntry&)>& visit)
{
    DWORD size = 4096;
    std::unique_ptr<BYTE[]> buffer;
    CacheFind find;
    DWORD state = ERROR_INSUFFICIENT_BUFFER;
    auto fetch = [&](DWORD bufferSize) {
        DWORD asked = bufferSize;
        auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.get());
        info->dwStructSize = sizeof(INTERNET_CACHE_ENTRY_INFOA);
        BOOL found;
        if (!find.Handle()) {
            find.Handle() = FindFirstUrlCacheEntryA(nullptr, info, &asked);
            found = find.Handle() != nullptr;
        } else {
            found = FindNextUrlCacheEntryA(find.Handle(), info, &asked);
        }
        if (found)
            return DWORD(0);
        DWORD error = GetLastError();
        if (error == ERROR_INSUFFICIENT_BUFFER)
            size = std::max(asked, bufferSize + 1);
        return error;
    };
    for (;;) {
        if (state == ERROR_INSUFFICIENT_BUFFER) {
            buffer.reset(new BYTE[size]());
            state = fetch(size);
        } else if (state == 0) {
            const auto* info = reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOA*>(buffer.get());
            CacheEntry entry;
            entry.sourceUrl = info->lpszSourceUrlName ? info->lpszSourceUrlName : "";
            entry.type = info->CacheEntryType;
            entry.expires = info->ExpireTime;
            entry.lastAccess = info->LastAccessTime;
            visit(entry);
            state = fetch(size);
        } else {
            return state == ERROR_NO_MORE_ITEMS;
        }
    }
}

bool IsCookieName(const std::string& sourceUrl)
{
    return sourceUrl.size() >= 7 && common::SameText(sourceUrl.substr(0, 7), "cookie:");
}

std::vector<CacheEntry> Cookies()
{
    std::vector<CacheEntry> cookies;
    ForEachEntry([&](const CacheEntry& entry) {
        if (IsCookieName(entry.sourceUrl))
            cookies.push_back(entry);
    });
    return cookies;
}

bool MayDeleteCookie(const std::vector<std::string>& keepList, const std::string& name)
{
    return std::none_of(keepList.begin(), keepList.end(),
                        [&](const std::string& kept) { return common::SameText(kept, name); });
}

CleanResult Clean(bool cookieMode, const std::function<bool(const std::string& name)>& mayDeleteCookie)
{
    // Deleted after the walk, so that the walk never runs over entries taken from under it.
    std::vector<std::string> doomed;
    CleanResult result;
    result.walkCompleted = ForEachEntry([&](const CacheEntry& entry) {
        const bool cookie = (entry.type & COOKIE_CACHE_ENTRY) || IsCookieName(entry.sourceUrl);
        if (cookieMode ? mayDeleteCookie(entry.sourceUrl) : !cookie)
            doomed.push_back(entry.sourceUrl);
    });
    for (const std::string& url : doomed)
        if (!DeleteUrlCacheEntryA(url.c_str()))
            ++result.failed;
    return result;
}

bool DeleteCookie(const std::string& name)
{
    std::vector<std::string> matches;
    for (const CacheEntry& cookie : Cookies())
        if (common::SameText(cookie.sourceUrl, name))
            matches.push_back(cookie.sourceUrl);
    bool allDeleted = true;
    for (const std::string& url : matches)
        allDeleted = DeleteUrlCacheEntryA(url.c_str()) && allDeleted;
    return allDeleted;
}

bool ClearHistory()
{
    ComScope com;
    ComPtr<IUrlHistoryStg2> history;
    if (FAILED(CoCreateInstance(urlHistoryClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUrlHistoryStg2,
                                history.PutVoid())) ||
        !history)
        return false;
    return SUCCEEDED(history->ClearHistory());
}

} // namespace url_cache
