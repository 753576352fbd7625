// Entries seeded into the sandbox's URL cache: cookies through the browser's own cookie
// call, pages through a committed cache file.
#pragma once

#include <string>
#include <vector>

namespace cache_seeds {

// A persistent cookie of the site; returns its cache entry name ("" when none appeared).
std::string SeedCookie(const std::string& site, const std::string& name);
// A cached page at the URL; false when the cache refused it.
bool SeedPage(const std::string& url);
// Every entry name in the cache.
std::vector<std::string> CacheNames();
// Empties the cache, cookies too.
void ClearCache();

} // namespace cache_seeds
