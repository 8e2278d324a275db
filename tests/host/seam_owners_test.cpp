#include <gtest/gtest.h>
#include <string>
#include <utility>

#include "platform/registry.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_url_cache.h"
#include "platform/url_cache.h"

namespace scourix {
namespace {

using platform::kHkeyCurrentUser;
using platform::kKeyAllAccess;
using platform::kKeyRead;
using platform::kSuccess;
using platform::UniqueRegKey;

// An owner that already holds a key keeps it, still open, when an open into it fails; a
// successful open closes it and takes the new one.
TEST(SeamOwnersTest, KeyOpensLeaveTheOwnerAsItWasOnFailure) {
  struct Case {
    const char* subkey;
    bool create;
    platform::Status expected;
  };
  const Case cases[] = {
      {"Software\\Missing", false, platform::kFileNotFound},
      {"Software\\Locked", false, platform::kAccessDenied},
      {"Software\\Locked", true, platform::kAccessDenied},
      {"Software\\Other", false, kSuccess},
      {"Software\\New", true, kSuccess},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.subkey) + (c.create ? " created" : " opened"));
    sim::SimRegistry registry;
    registry.AddKey("HKCU\\Software\\Held");
    registry.AddKey("HKCU\\Software\\Other");
    registry.DenyAccess("HKCU\\Software\\Locked");
    UniqueRegKey key;
    ASSERT_EQ(platform::OpenKey(registry, kHkeyCurrentUser, "Software\\Held", kKeyRead, &key),
              kSuccess);
    platform::RegKey held = key.get();

    platform::Status status =
        c.create ? platform::CreateKey(registry, kHkeyCurrentUser, c.subkey, kKeyAllAccess, &key)
                 : platform::OpenKey(registry, kHkeyCurrentUser, c.subkey, kKeyRead, &key);
    EXPECT_EQ(status, c.expected);
    EXPECT_EQ(key.get() == held, c.expected != kSuccess);
    EXPECT_TRUE(key);
    EXPECT_EQ(registry.OpenHandleCount(), 1u);
    key.reset();
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
  }
}

TEST(SeamOwnersTest, CacheFindOpensLeaveTheOwnerAsItWasOnFailure) {
  sim::SimUrlCache cache;
  cache.Add("http://owner.example/a");
  platform::UniqueCacheFind find;
  alignas(platform::CacheEntryInfo) std::byte buffer[256];
  auto find_first = [&](bool room) {
    std::uint32_t size = room ? sizeof buffer : 0;
    return platform::FindFirstEntry(cache, {}, room ? buffer : nullptr, &size, &find);
  };
  ASSERT_EQ(find_first(false), platform::kInsufficientBuffer);
  EXPECT_FALSE(find);
  ASSERT_EQ(find_first(true), kSuccess);
  platform::CacheFindHandle held = find.get();
  EXPECT_EQ(find_first(false), platform::kInsufficientBuffer);
  EXPECT_EQ(find.get(), held);
  ASSERT_EQ(cache.DeleteEntry("http://owner.example/a"), kSuccess);
  EXPECT_EQ(find_first(true), platform::kNoMoreItems);
  EXPECT_EQ(find.get(), held);
  EXPECT_EQ(cache.open_enumerations(), 1u);

  // Moved, the enumeration is closed once, by its last owner.
  platform::UniqueCacheFind moved(std::move(find));
  EXPECT_FALSE(find);
  find = std::move(moved);
  EXPECT_EQ(find.get(), held);
  EXPECT_EQ(cache.closed_enumerations(), 0);
  find.reset();
  EXPECT_EQ(cache.open_enumerations(), 0u);
  EXPECT_EQ(cache.closed_enumerations(), 1);
}

}  // namespace
}  // namespace scourix
