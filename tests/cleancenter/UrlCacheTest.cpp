// The browser cache walk with and without cookies, the cookie search whatever the case
// of the cache's prefix, and the keep-list.
#include "cleaning/UrlCache.h"
#include "tests/cleancenter/CacheSeeds.h"

#include <gtest/gtest.h>

using namespace cache_seeds;

namespace {

class UrlCacheTest : public ::testing::Test {
protected:
    void SetUp() override { ClearCache(); }
    void TearDown() override { ClearCache(); }
};

TEST_F(UrlCacheTest, CookieModeSparesOnlyTheKeptCookiesWhateverTheirCase)
{
    const std::string kept = SeedCookie("kept.test", "k");
    const std::string other = SeedCookie("other.test", "o");
    ASSERT_TRUE(SeedPage("http://page.test/index.html"));
    std::string keptOtherCase = kept;
    for (char& c : keptOtherCase)
        c = static_cast<char>(islower(static_cast<unsigned char>(c)) ? toupper(c) : tolower(c));

    url_cache::CleanResult result = url_cache::Clean(
        true, [&](const std::string& name) { return url_cache::MayDeleteCookie({keptOtherCase}, name); });

    EXPECT_TRUE(result.Succeeded());
    EXPECT_EQ(CacheNames(), std::vector<std::string>{kept});
}

TEST_F(UrlCacheTest, PlainModeKeepsEveryCookie)
{
    const std::string cookie = SeedCookie("tidewrack.test", "c");
    ASSERT_TRUE(SeedPage("http://page.test/a.html"));
    EXPECT_TRUE(url_cache::Clean(false, {}).Succeeded());
    EXPECT_EQ(CacheNames(), std::vector<std::string>{cookie});
}

TEST_F(UrlCacheTest, DeletingACookieTakesEveryEntryOfThatName)
{
    const std::string cookie = SeedCookie("tidewrack.test", "c");
    const std::string other = SeedCookie("other.test", "o");
    std::string upper = cookie;
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(url_cache::DeleteCookie(upper));
    EXPECT_EQ(CacheNames(), std::vector<std::string>{other});
}

TEST(UrlHistory, ClearingThatTheSystemDoesNotDoIsAFailure)
{
    // Wine's history object answers E_NOTIMPL; Windows clears and answers S_OK.
    BOOL wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    EXPECT_EQ(url_cache::ClearHistory(), !wine);
}

} // namespace
