#include "browser/mdl_cache.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "browser/cache_state.h"
#include "primitives/purge.h"

namespace scourix {
namespace {

constexpr std::uint32_t kFixedPart = sizeof(platform::CacheEntryInfo);
// Room for most entries, so that a walk fetches each with one call.
constexpr std::uint32_t kFirstBufferSize = 4096;

// Drops the current entry and makes a fresh buffer of at least size bytes. False when the
// size names no entry or memory runs out.
bool RenewBuffer(CacheState& cache, std::uint32_t size) {
  cache.CurrentCacheEntry = {};
  cache.CacheEntryBuffer.reset();
  cache.CacheEntryBufferSize = 0;
  if (size < kFixedPart)
    return false;
  size = std::max(size, kFirstBufferSize);
  try {
    cache.CacheEntryBuffer = std::make_unique_for_overwrite<std::byte[]>(size);
  } catch (const std::bad_alloc&) {
    return false;
  }
  cache.CacheEntryBufferSize = size;
  return true;
}

// Fetches an entry into the kept buffer, with the size in its first word as the fetch expects.
// Only an entry that does not fit (or the first, with no buffer yet) takes the two calls of
// the size query and the fetch.
template <typename Fetch>
platform::Status FetchEntry(CacheState& cache, Fetch fetch) {
  std::uint32_t size = cache.CacheEntryBufferSize;
  if (cache.CacheEntryBuffer)
    std::memcpy(cache.CacheEntryBuffer.get(), &size, sizeof size);
  platform::Status status = fetch(cache.CacheEntryBuffer.get(), &size);
  if (status == platform::kInsufficientBuffer) {
    if (!RenewBuffer(cache, size))
      return status;
    size = cache.CacheEntryBufferSize;
    std::memcpy(cache.CacheEntryBuffer.get(), &size, sizeof size);
    status = fetch(cache.CacheEntryBuffer.get(), &size);
  }
  if (status == platform::kSuccess)
    std::memcpy(&cache.CurrentCacheEntry, cache.CacheEntryBuffer.get(), kFixedPart);
  return status;
}

std::string TextAt(const char* text) {
  return text == nullptr ? std::string() : text;
}

}  // namespace

bool FindFirstCacheEntry(Context& ctx, std::string_view pattern) {
  CacheState& cache = ctx.cache;
  platform::UrlCache& url_cache = ctx.platform.url_cache;
  cache.CacheFindHandle.reset();
  (void)FetchEntry(cache, [&](void* buffer, std::uint32_t* size) {
    return platform::FindFirstEntry(url_cache, pattern, buffer, size, &cache.CacheFindHandle);
  });
  return static_cast<bool>(cache.CacheFindHandle);
}

bool FindNextCacheEntry(Context& ctx) {
  CacheState& cache = ctx.cache;
  platform::UrlCache& url_cache = ctx.platform.url_cache;
  if (!cache.CacheFindHandle)
    return false;
  return FetchEntry(cache, [&](void* buffer, std::uint32_t* size) {
           return url_cache.FindNextEntry(cache.CacheFindHandle.get(), buffer, size);
         }) == platform::kSuccess;
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

void DeleteCurrentCacheEntry(Context& ctx, FolderHold& hold) {
  std::string url = GetCacheSourceUrl(ctx);
  std::string local_file = GetCacheLocalFile(ctx);
  bool asked = false;
  auto remove = [&] {
    asked = true;
    return ctx.platform.url_cache.DeleteEntry(url);
  };
  // A refused deletion is not looked at; the walk goes on.
  if (local_file.empty())
    (void)remove();
  else
    (void)WithFileInPlace(ctx, hold, local_file, remove);
  if (asked)
    ctx.window.SetStatus("Deleting - " + url);
}

}  // namespace scourix
