#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace scourix::testing {

// A machine whose URL cache the shared cases run against, emptied at the start and seeded by
// the back-end's own means (the in-memory cache, or wininet's commit on Wine).
class UrlCacheEnv {
 public:
  virtual ~UrlCacheEnv() = default;
  virtual platform::Platform& platform() = 0;
  platform::UrlCache& cache() { return platform().url_cache; }
  // Adds a content entry with a local file and the given type bits.
  virtual void Seed(const std::string& url, std::uint32_t type) = 0;
  // The type bits the platform keeps for a content entry seeded with type (Wine adds the
  // normal-entry bit to everything in the content store).
  virtual std::uint32_t StoredType(std::uint32_t type) = 0;
  // Whether the cache still holds the URL, whatever the enumeration shows.
  virtual bool Has(const std::string& url) = 0;
};

std::unique_ptr<UrlCacheEnv> MakeUrlCacheEnv();

}  // namespace scourix::testing
