#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "browser/browser_cleaners.h"
#include "browser/mdl_cache.h"

namespace scourix {
namespace {

using platform::kNormalCacheEntry;
using platform::kStickyCacheEntry;
using platform::kTrackOfflineCacheEntry;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class UrlCacheWalkTest : public testing::AppTest {
 protected:
  // A whole slice passes between yields, so the label takes every line.
  UrlCacheWalkTest() { app.machine.clock.tick_step = FrmMain::kSliceMs; }
  const std::vector<std::string>& Shown() const { return app.window.status_history; }
  void Clean() { CleanIECache(ctx()); }

  sim::SimUrlCache& cache = app.machine.url_cache;
};

// Only normal entries go, the enumeration's first one included; entries in use are shown all
// the same; the null pattern leaves the cookie and history stores alone.
TEST_F(UrlCacheWalkTest, OnlyNormalEntriesGoTheFirstOneIncluded) {
  cache.Add("http://a.example/sticky", kStickyCacheEntry);
  cache.Add("http://a.example/page", kNormalCacheEntry | kTrackOfflineCacheEntry);
  cache.Add("http://a.example/offline", kTrackOfflineCacheEntry);
  cache.Add("Cookie:user@example.com/", kNormalCacheEntry | platform::kCookieCacheEntry);
  cache.Add("Visited: user@http://e.example/", platform::kUrlHistoryCacheEntry);
  cache.Add("http://a.example/busy");
  cache.Add("http://a.example/locked");
  cache.RefuseDelete("http://a.example/busy");
  cache.RefuseDelete("http://a.example/locked", platform::kSharingViolation);
  Clean();
  EXPECT_THAT(cache.deleted(), ElementsAre("http://a.example/page"));
  EXPECT_THAT(Shown(),
              ElementsAre("Deleting - http://a.example/page", "Deleting - http://a.example/busy",
                          "Deleting - http://a.example/locked"));
  // One yield after each deletion past the enumeration's first entry.
  EXPECT_EQ(app.window.pumps, 3);
  // The label only: the log holds nothing of the walk.
  EXPECT_THAT(app.Messages(), ElementsAre("Scourix Initialized."));
}

TEST_F(UrlCacheWalkTest, EnumerationStaysOpenUntilTheNextWalkClosesIt) {
  Clean();  // an empty cache leaves nothing open and shows nothing
  EXPECT_EQ(cache.open_enumerations(), 0u);
  EXPECT_THAT(Shown(), IsEmpty());
  cache.Add("http://d.example/1");
  Clean();
  EXPECT_EQ(cache.open_enumerations(), 1u);
  EXPECT_EQ(cache.closed_enumerations(), 0);
  cache.Add("http://d.example/2");
  Clean();
  EXPECT_EQ(cache.closed_enumerations(), 1);
  EXPECT_EQ(cache.open_enumerations(), 1u);
}

TEST_F(UrlCacheWalkTest, ClosingTheWindowDuringAYieldEndsTheWalk) {
  for (int i = 0; i < 4; ++i)
    cache.Add("http://f.example/" + std::to_string(i));
  app.window.on_pump = [this] { app.frm->Form_Unload(); };
  Clean();
  EXPECT_EQ(cache.deleted().size(), 2u);
}

TEST_F(UrlCacheWalkTest, AccessorsReadTheCurrentEntryOnly) {
  cache.Add("http://g.example/a", kNormalCacheEntry, "C:\\Cache\\a[1].htm");
  cache.Add("http://g.example/b", kStickyCacheEntry);
  EXPECT_FALSE(FindNextCacheEntry(ctx()));  // no walk yet
  EXPECT_EQ(GetCacheSourceUrl(ctx()), "");
  ASSERT_TRUE(FindFirstCacheEntry(ctx()));
  EXPECT_EQ(GetCacheLocalFile(ctx()), "C:\\Cache\\a[1].htm");
  ASSERT_TRUE(FindNextCacheEntry(ctx()));
  EXPECT_EQ(GetCacheLocalFile(ctx()), "");
  EXPECT_FALSE(FindNextCacheEntry(ctx()));
  EXPECT_EQ(GetCacheSourceUrl(ctx()), "http://g.example/b");  // the last entry stays readable
}

}  // namespace
}  // namespace scourix
