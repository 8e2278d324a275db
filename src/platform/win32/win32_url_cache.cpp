#include "platform/win32/win32_url_cache.h"

#include <windows.h>

#include <wininet.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_url_cache_find.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

// One entry as the core sees it.
struct Entry {
  std::uint32_t type = 0;
  std::string url;
  std::string local_file;
};

// Room for most entries, so that each is fetched with one call.
constexpr DWORD kFirstBlockSize = 4096;

// Fetches an entry into `block`, kept from one fetch to the next. Only an entry that does not
// fit takes wininet's second call, with a block of the size the first one asked for (again if
// the entry grew meanwhile). call(buffer, size) is the enumeration function.
template <typename Call>
DWORD FetchEntry(Call call, std::vector<std::uint64_t>* block, std::optional<Entry>* entry) {
  if (block->empty())
    block->resize(kFirstBlockSize / sizeof(std::uint64_t));
  for (int attempt = 0; attempt < 4; ++attempt) {
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(block->data());
    info->dwStructSize = sizeof(INTERNET_CACHE_ENTRY_INFOA);
    auto size = static_cast<DWORD>(block->size() * sizeof(std::uint64_t));
    if (call(info, &size)) {
      Entry fetched;
      fetched.type = info->CacheEntryType;
      if (info->lpszSourceUrlName != nullptr)
        fetched.url = AnsiToUtf8(info->lpszSourceUrlName);
      if (info->lpszLocalFileName != nullptr) {
        fetched.local_file = AnsiToUtf8(info->lpszLocalFileName);
      }
      *entry = std::move(fetched);
      return ERROR_SUCCESS;
    }
    DWORD error = GetLastError();
    if (error != ERROR_INSUFFICIENT_BUFFER)
      return error;
    try {
      block->assign(size / sizeof(std::uint64_t) + 1, 0);
    } catch (const std::bad_alloc&) {
      return ERROR_NOT_ENOUGH_MEMORY;
    }
  }
  return ERROR_INSUFFICIENT_BUFFER;
}

platform::Status Write(const Entry& entry, void* buffer, std::uint32_t* size) {
  return platform::WriteCacheEntry(entry.type, entry.url, entry.local_file, buffer, size);
}

}  // namespace

struct Win32UrlCache::Enumeration {
  UniqueUrlCacheFind find;
  std::optional<Entry> pending;  // fetched, not yet handed over
};

Win32UrlCache::Win32UrlCache() = default;
Win32UrlCache::~Win32UrlCache() = default;

platform::Status Win32UrlCache::FindFirstEntry(std::string_view pattern,
                                               void* buffer,
                                               std::uint32_t* size,
                                               platform::CacheFindHandle* handle) {
  *handle = platform::kNoCacheFind;
  UniqueUrlCacheFind find;
  std::optional<Entry> first;
  const std::string ansi_pattern = Utf8ToAnsi(pattern);
  const char* search = pattern.empty() ? nullptr : ansi_pattern.c_str();
  DWORD error = FetchEntry(
      [&find, search](INTERNET_CACHE_ENTRY_INFOA* info, DWORD* info_size) {
        find.reset(FindFirstUrlCacheEntryA(search, info, info_size));
        return static_cast<bool>(find);
      },
      &block_, &first);
  if (error != ERROR_SUCCESS)
    return static_cast<platform::Status>(error);
  // A size query opens nothing: the caller's second call starts the enumeration again.
  platform::Status status = Write(*first, buffer, size);
  if (status != platform::kSuccess)
    return status;
  *handle = next_handle_++;
  enumerations_[*handle] = std::make_unique<Enumeration>(Enumeration{std::move(find), {}});
  return platform::kSuccess;
}

platform::Status Win32UrlCache::FindNextEntry(platform::CacheFindHandle handle,
                                              void* buffer,
                                              std::uint32_t* size) {
  auto it = enumerations_.find(handle);
  if (it == enumerations_.end())
    return platform::kInvalidHandle;
  Enumeration& enumeration = *it->second;
  if (!enumeration.pending) {
    HANDLE find = enumeration.find.get();
    DWORD error = FetchEntry(
        [find](INTERNET_CACHE_ENTRY_INFOA* info, DWORD* info_size) {
          return FindNextUrlCacheEntryA(find, info, info_size) != FALSE;
        },
        &block_, &enumeration.pending);
    if (error != ERROR_SUCCESS)
      return static_cast<platform::Status>(error);
  }
  platform::Status status = Write(*enumeration.pending, buffer, size);
  if (status == platform::kSuccess)
    enumeration.pending.reset();
  return status;
}

platform::Status Win32UrlCache::FindClose(platform::CacheFindHandle handle) {
  return enumerations_.erase(handle) == 0 ? platform::kInvalidHandle : platform::kSuccess;
}

platform::Status Win32UrlCache::DeleteEntry(std::string_view url) {
  if (DeleteUrlCacheEntryA(Utf8ToAnsi(url).c_str()))
    return platform::kSuccess;
  return static_cast<platform::Status>(GetLastError());
}

}  // namespace scourix::win32
