#pragma once

#include <cstdint>
#include <string_view>

#include "platform/status.h"
#include "platform/unique_seam_handle.h"

namespace scourix::platform {

// ERROR_INSUFFICIENT_BUFFER: the entry does not fit; the needed size has been reported.
inline constexpr Status kInsufficientBuffer = 122;

// Cache entry type bits, as wininet numbers them.
inline constexpr std::uint32_t kNormalCacheEntry = 0x00000001;
inline constexpr std::uint32_t kStickyCacheEntry = 0x00000004;
inline constexpr std::uint32_t kEditedCacheEntry = 0x00000008;
inline constexpr std::uint32_t kTrackOfflineCacheEntry = 0x00000010;
inline constexpr std::uint32_t kTrackOnlineCacheEntry = 0x00000020;
inline constexpr std::uint32_t kSparseCacheEntry = 0x00010000;
inline constexpr std::uint32_t kCookieCacheEntry = 0x00100000;
inline constexpr std::uint32_t kUrlHistoryCacheEntry = 0x00200000;

// The prefixes of the cookie and history containers, as Windows spells them in every entry's
// URL; the container is chosen by them, case and all.
inline constexpr std::string_view kCookieContainer = "Cookie:";
inline constexpr std::string_view kHistoryContainer = "Visited:";

// An entry of the cookie or history container, whatever its type bits say.
inline bool InCookieOrHistoryContainer(std::string_view url) {
  return url.starts_with(kCookieContainer) || url.starts_with(kHistoryContainer);
}

// An open cache enumeration. 0 is "none".
using CacheFindHandle = std::uint64_t;
inline constexpr CacheFindHandle kNoCacheFind = 0;

// The fixed part of one cache entry, at the start of the caller's buffer; the strings it
// points to follow it in the same buffer and live as long as the buffer. Text is UTF-8.
// Modelled on INTERNET_CACHE_ENTRY_INFOA, with only the fields the program reads.
struct CacheEntryInfo {
  std::uint32_t dwStructSize = 0;
  std::uint32_t CacheEntryType = 0;
  char* lpszSourceUrlName = nullptr;  // never null in a fetched entry
  char* lpszLocalFileName = nullptr;  // null when the entry has no local file
};

// Lays one entry out in a caller's buffer as the enumeration functions do, or reports the size
// it needs (kInsufficientBuffer). Shared by the back-ends so that both produce one layout.
[[nodiscard]] Status WriteCacheEntry(std::uint32_t type,
                                     std::string_view url,
                                     std::string_view local_file,
                                     void* buffer,
                                     std::uint32_t* size);

// The wininet URL cache functions, one method each.
//
// The enumeration functions use the two-call size pattern: with buffer null, or *size smaller
// than the entry, they fail with kInsufficientBuffer and report the needed size in *size,
// consuming nothing; with a buffer of that size they fill it (a CacheEntryInfo followed by its
// strings). The buffer must be aligned for CacheEntryInfo. Past the last entry: kNoMoreItems,
// *size untouched. An empty pattern stands for the null one: on Windows it enumerates the
// content entries; other platforms may add the cookie ("Cookie:") and history ("Visited:")
// entries. A container's prefix as the pattern ("Cookie:") enumerates that container: Wine
// compares it case-sensitively. Sizes are those of the UTF-8 form.
class UrlCache {
 public:
  virtual ~UrlCache() = default;

  // FindFirstUrlCacheEntryA(pattern or nullptr, buffer, size). On success *handle is the open
  // enumeration, which the caller closes with FindClose; on failure it is set to 0.
  [[nodiscard]] virtual Status FindFirstEntry(std::string_view pattern,
                                              void* buffer,
                                              std::uint32_t* size,
                                              CacheFindHandle* handle) = 0;
  // FindNextUrlCacheEntryA(handle, buffer, size).
  [[nodiscard]] virtual Status FindNextEntry(CacheFindHandle handle,
                                             void* buffer,
                                             std::uint32_t* size) = 0;
  // FindCloseUrlCache. kInvalidHandle for a handle that is not open.
  virtual Status FindClose(CacheFindHandle handle) = 0;
  // DeleteUrlCacheEntryA: removes the entry and its local file. kFileNotFound when there is
  // no such entry; an entry in use is refused.
  [[nodiscard]] virtual Status DeleteEntry(std::string_view url) = 0;
};

// Owns one open enumeration; closes it on destruction.
using UniqueCacheFind =
    UniqueSeamHandle<UrlCache, CacheFindHandle, &UrlCache::FindClose, kNoCacheFind>;

// FindFirstEntry into an owner: on failure *find is left as it was.
[[nodiscard]] inline Status FindFirstEntry(UrlCache& cache,
                                           std::string_view pattern,
                                           void* buffer,
                                           std::uint32_t* size,
                                           UniqueCacheFind* find) {
  return OpenInto(cache, find, [&](CacheFindHandle* handle) {
    return cache.FindFirstEntry(pattern, buffer, size, handle);
  });
}

}  // namespace scourix::platform
