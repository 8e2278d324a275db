#include "platform/url_cache.h"

#include <cstring>

namespace scourix::platform {

Status WriteCacheEntry(std::uint32_t type,
                       std::string_view url,
                       std::string_view local_file,
                       void* buffer,
                       std::uint32_t* size) {
  const std::size_t fixed = sizeof(CacheEntryInfo);
  const std::size_t needed =
      fixed + url.size() + 1 + (local_file.empty() ? 0 : local_file.size() + 1);
  if (buffer == nullptr || *size < needed) {
    *size = static_cast<std::uint32_t>(needed);
    return kInsufficientBuffer;
  }
  char* text = static_cast<char*>(buffer) + fixed;
  CacheEntryInfo info;
  info.dwStructSize = static_cast<std::uint32_t>(fixed);
  info.CacheEntryType = type;
  info.lpszSourceUrlName = text;
  std::memcpy(text, url.data(), url.size());
  text[url.size()] = '\0';
  if (!local_file.empty()) {
    text += url.size() + 1;
    info.lpszLocalFileName = text;
    std::memcpy(text, local_file.data(), local_file.size());
    text[local_file.size()] = '\0';
  }
  std::memcpy(buffer, &info, fixed);
  *size = static_cast<std::uint32_t>(needed);
  return kSuccess;
}

}  // namespace scourix::platform
