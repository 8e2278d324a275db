#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "browser/url_history.h"
#include "platform/url_cache.h"

namespace scourix {

// Module state of the URL stores: lives for the whole process. The enumeration and the
// last entry outlive one walk; the next walk closes and frees them before it starts. The run
// does not nest, so one walk at a time uses this state.
struct CacheState {
  platform::UniqueCacheFind CacheFindHandle;
  // The whole current entry, its strings included; kept from entry to entry, and renewed only
  // for an entry that does not fit it.
  std::unique_ptr<std::byte[]> CacheEntryBuffer;
  std::uint32_t CacheEntryBufferSize = 0;
  // A copy of the fixed part of CacheEntryBuffer; its strings point into the buffer.
  platform::CacheEntryInfo CurrentCacheEntry;
  // The URL history store wrapper: made by the first run that needs it, kept until the end.
  std::unique_ptr<CURLHistory> UrlHistory;
};

}  // namespace scourix
