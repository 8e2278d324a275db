#include "browser/mdl_cache.h"

#include <cstring>
#include <new>

#include "browser/cache_state.h"

namespace scourix {
namespace {

constexpr std::uint32_t kFixedPart = sizeof(platform::CacheEntryInfo);

// Drops the current entry and makes a fresh buffer of size bytes with the size in its first
// word, as the fetch expects. False when the size names no entry or memory runs out.
bool RenewBuffer(CacheState& cache, std::uint32_t size) {
  cache.CurrentCacheEntry = {};
  cache.CacheEntryBuffer.reset();
  if (size < kFixedPart)
    return false;
  try {
    cache.CacheEntryBuffer = std::make_unique_for_overwrite<std::byte[]>(size);
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::memcpy(cache.CacheEntryBuffer.get(), &size, sizeof size);
  return true;
}

void TakeCurrentEntry(CacheState& cache) {
  std::memcpy(&cache.CurrentCacheEntry, cache.CacheEntryBuffer.get(), kFixedPart);
}

std::string TextAt(const char* text) {
  return text == nullptr ? std::string() : text;
}

}  // namespace

bool FindFirstCacheEntry(Context& ctx, std::string_view pattern) {
  CacheState& cache = ctx.cache;
  platform::UrlCache& url_cache = ctx.platform.url_cache;
  cache.CacheFindHandle.reset();

  std::uint32_t size = 0;
  // The size query: fails, reporting what the first entry needs (nothing when it is empty).
  platform::Status status =
      platform::FindFirstEntry(url_cache, pattern, nullptr, &size, &cache.CacheFindHandle);
  if (status != platform::kInsufficientBuffer || !RenewBuffer(cache, size)) {
    return static_cast<bool>(cache.CacheFindHandle);
  }
  status = platform::FindFirstEntry(url_cache, pattern, cache.CacheEntryBuffer.get(), &size,
                                    &cache.CacheFindHandle);
  if (status == platform::kSuccess)
    TakeCurrentEntry(cache);
  return static_cast<bool>(cache.CacheFindHandle);
}

bool FindNextCacheEntry(Context& ctx) {
  CacheState& cache = ctx.cache;
  platform::UrlCache& url_cache = ctx.platform.url_cache;
  if (!cache.CacheFindHandle)
    return false;

  std::uint32_t size = 0;
  platform::Status status = url_cache.FindNextEntry(cache.CacheFindHandle.get(), nullptr, &size);
  if (status != platform::kInsufficientBuffer || !RenewBuffer(cache, size)) {
    return status == platform::kSuccess;
  }
  status =
      url_cache.FindNextEntry(cache.CacheFindHandle.get(), cache.CacheEntryBuffer.get(), &size);
  if (status != platform::kSuccess)
    return false;
  TakeCurrentEntry(cache);
  return true;
}

std::uint32_t GetCacheEntryType(Context& ctx) {
  return ctx.cache.CurrentCacheEntry.CacheEntryType;
}

std::string GetCacheSourceUrl(Context& ctx) {
  return TextAt(ctx.cache.CurrentCacheEntry.lpszSourceUrlName);
}

std::string GetCacheLocalFile(Context& ctx) {
  return TextAt(ctx.cache.CurrentCacheEntry.lpszLocalFileName);
}

bool DeleteCacheEntry(Context& ctx, std::string_view url) {
  return ctx.platform.url_cache.DeleteEntry(url) == platform::kSuccess;
}

}  // namespace scourix
