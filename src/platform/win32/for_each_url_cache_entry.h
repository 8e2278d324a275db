#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32/unique_url_cache_find.h"

namespace scourix::win32 {

// Calls `visit` with each entry that the pattern (null by default) enumerates, through one
// buffer that grows when an entry does not fit: the plain enumeration, for tools that seed,
// list or time the cache beside the program (the back-end itself asks each entry's size first).
template <typename Visit>
void ForEachUrlCacheEntry(Visit visit, const char* pattern = nullptr) {
  std::vector<std::uint64_t> block(128);
  UniqueUrlCacheFind find;
  for (;;) {
    DWORD size = static_cast<DWORD>(block.size() * sizeof block[0]);
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(block.data());
    bool found = false;
    if (!find) {
      find.reset(FindFirstUrlCacheEntryA(pattern, info, &size));
      found = static_cast<bool>(find);
    } else {
      found = FindNextUrlCacheEntryA(find.get(), info, &size) != FALSE;
    }
    if (found) {
      visit(*info);
    } else if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
      block.assign(size / sizeof block[0] + 1, 0);
    } else {
      break;
    }
  }
}

}  // namespace scourix::win32
