#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <map>
#include <vector>

#include "browser/browser_cleaners.h"
#include "conformance/machine_envs.h"
#include "conformance/status_window.h"

namespace scourix {
namespace {

using platform::CacheEntryInfo;
using platform::kInsufficientBuffer;
using platform::kNoMoreItems;
using platform::kSuccess;
using ::testing::IsSupersetOf;

struct Fetched {
  std::string url;
  std::uint32_t type = 0;
};

class UrlCacheConformance : public ::testing::Test {
 protected:
  // One fetch by the two-call pattern; an aligned block of exactly the reported size.
  template <typename Call>
  platform::Status Fetch(Call call, Fetched* entry, bool undersize_first = false) {
    std::uint32_t size = undersize_first ? sizeof(CacheEntryInfo) : 0;
    std::vector<std::uint64_t> small(sizeof(CacheEntryInfo) / 8 + 1);
    platform::Status status = call(undersize_first ? small.data() : nullptr, &size);
    if (status != kInsufficientBuffer)
      return status;
    EXPECT_GT(size, sizeof(CacheEntryInfo));
    std::vector<std::uint64_t> block(size / 8 + 1);
    status = call(block.data(), &size);
    if (status == kSuccess) {
      const auto* info = reinterpret_cast<const CacheEntryInfo*>(block.data());
      entry->url = info->lpszSourceUrlName;
      entry->type = info->CacheEntryType;
      EXPECT_NE(info->lpszLocalFileName, nullptr);
    }
    return status;
  }

  // Every entry of one enumeration, by URL.
  std::map<std::string, std::uint32_t> Enumerate(bool undersize_first = false,
                                                 std::string_view pattern = {}) {
    std::map<std::string, std::uint32_t> seen;
    platform::UrlCache& cache = env->cache();
    platform::CacheFindHandle handle = platform::kNoCacheFind;
    Fetched entry;
    platform::Status status = Fetch(
        [&](void* b, std::uint32_t* s) { return cache.FindFirstEntry(pattern, b, s, &handle); },
        &entry, undersize_first);
    if (status != kSuccess) {
      EXPECT_EQ(status, kNoMoreItems);
      EXPECT_EQ(handle, platform::kNoCacheFind);
      return seen;
    }
    platform::UniqueCacheFind find(cache, handle);
    EXPECT_NE(handle, platform::kNoCacheFind);
    do {
      EXPECT_TRUE(seen.emplace(entry.url, entry.type).second) << "twice: " << entry.url;
      status = Fetch([&](void* b, std::uint32_t* s) { return cache.FindNextEntry(handle, b, s); },
                     &entry, undersize_first);
    } while (status == kSuccess);
    EXPECT_EQ(status, kNoMoreItems);
    return seen;
  }

  std::unique_ptr<conformance::UrlCacheEnv> env = conformance::MakeUrlCacheEnv();
};

TEST_F(UrlCacheConformance, TwoCallPatternEnumeratesEachEntryOnceWithItsTypeBits) {
  EXPECT_TRUE(Enumerate().empty());
  env->Seed("http://conformance.example/a", platform::kNormalCacheEntry);
  env->Seed("http://conformance.example/b", platform::kStickyCacheEntry);
  env->Seed("http://conformance.example/c?q=1", platform::kNormalCacheEntry);
  auto seen = Enumerate();
  EXPECT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen["http://conformance.example/a"], env->StoredType(platform::kNormalCacheEntry));
  EXPECT_EQ(seen["http://conformance.example/b"], env->StoredType(platform::kStickyCacheEntry));
  // A buffer too small for the entry consumes nothing.
  EXPECT_EQ(Enumerate(/*undersize_first=*/true), seen);
}

TEST_F(UrlCacheConformance, CookiePatternEnumeratesTheCookieContainerOnly) {
  env->Seed("http://conformance.example/page", platform::kNormalCacheEntry);
  env->Seed("Cookie:user@conformance.example/", platform::kCookieCacheEntry);
  auto cookies = Enumerate(false, "Cookie:");
  ASSERT_EQ(cookies.size(), 1u);
  EXPECT_EQ(cookies.begin()->first, "Cookie:user@conformance.example/");
  EXPECT_EQ(env->cache().DeleteEntry("Cookie:user@conformance.example/"), kSuccess);
  EXPECT_TRUE(Enumerate(false, "Cookie:").empty());
  EXPECT_TRUE(env->Has("http://conformance.example/page"));
}

TEST_F(UrlCacheConformance, HandlesAndDeletionReportWin32Statuses) {
  env->Seed("http://conformance.example/d", platform::kNormalCacheEntry);
  platform::UrlCache& cache = env->cache();
  EXPECT_EQ(cache.FindClose(0x7777), platform::kInvalidHandle);
  std::uint32_t size = 0;
  EXPECT_EQ(cache.FindNextEntry(0x7777, nullptr, &size), platform::kInvalidHandle);
  EXPECT_EQ(cache.DeleteEntry("http://conformance.example/d"), kSuccess);
  EXPECT_FALSE(env->Has("http://conformance.example/d"));
  EXPECT_EQ(cache.DeleteEntry("http://conformance.example/d"), platform::kFileNotFound);
}

TEST_F(UrlCacheConformance, WalkDeletesEveryNormalEntryAndNoOther) {
  std::vector<std::string> normal, other;
  for (int i = 0; i < 7; ++i) {
    std::string url = "http://walk.example/" + std::to_string(i);
    // The last entry is larger than any buffer kept for the walk.
    if (i == 6)
      url += "/" + std::string(6000, 'x');
    std::uint32_t type = i % 2 == 0 ? platform::kNormalCacheEntry : platform::kStickyCacheEntry;
    env->Seed(url, type);
    bool is_normal = (env->StoredType(type) & platform::kNormalCacheEntry) != 0;
    (is_normal ? normal : other).push_back(url);
  }
  conformance::StepContext program(env->platform());
  const conformance::StatusWindow& window = program.window;
  CleanIECache(program.ctx());

  std::vector<std::string> expected_lines;
  for (const std::string& url : normal) {
    EXPECT_FALSE(env->Has(url)) << url;
    expected_lines.push_back("Deleting - " + url);
  }
  for (const std::string& url : other)
    EXPECT_TRUE(env->Has(url)) << url;
  EXPECT_THAT(window.lines, IsSupersetOf(expected_lines));
  EXPECT_EQ(window.lines.size(), normal.size());
  EXPECT_GE(window.pumps, static_cast<int>(normal.size()) - 1);

  // A second walk closes the first's enumeration and leaves the others again.
  CleanIECache(program.ctx());
  for (const std::string& url : other)
    EXPECT_TRUE(env->Has(url)) << url;
}

}  // namespace
}  // namespace scourix
