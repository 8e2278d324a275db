#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/url_cache.h"

namespace scourix::win32 {

// The URL cache through wininet's narrow functions. The entries' ANSI text is handed on as
// UTF-8, re-laid in the caller's buffer; an entry fetched for a size query waits in its
// enumeration for the call that brings a buffer, so nothing is skipped or fetched twice.
class Win32UrlCache : public platform::UrlCache {
 public:
  Win32UrlCache();
  ~Win32UrlCache() override;
  Win32UrlCache(const Win32UrlCache&) = delete;
  Win32UrlCache& operator=(const Win32UrlCache&) = delete;

  platform::Status FindFirstEntry(std::string_view pattern,
                                  void* buffer,
                                  std::uint32_t* size,
                                  platform::CacheFindHandle* handle) override;
  platform::Status FindNextEntry(platform::CacheFindHandle handle,
                                 void* buffer,
                                 std::uint32_t* size) override;
  platform::Status FindClose(platform::CacheFindHandle handle) override;
  platform::Status DeleteEntry(std::string_view url) override;

 private:
  struct Enumeration;
  std::map<platform::CacheFindHandle, std::unique_ptr<Enumeration>> enumerations_;
  platform::CacheFindHandle next_handle_ = 1;
  std::vector<std::uint64_t> block_;  // wininet's answer, kept from one fetch to the next
};

}  // namespace scourix::win32
