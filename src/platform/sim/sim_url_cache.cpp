#include "platform/sim/sim_url_cache.h"

namespace scourix::sim {
namespace {

bool Enumerates(std::string_view pattern, std::string_view url) {
  return pattern.empty() ? !platform::InCookieOrHistoryContainer(url) : url.starts_with(pattern);
}

}  // namespace

void SimUrlCache::Add(std::string_view url, std::uint32_t type, std::string_view local_file) {
  for (auto& [position, entry] : entries_) {
    if (entry.url == url) {
      entry.type = type;
      entry.local_file = local_file;
      return;
    }
  }
  entries_[next_position_++] = Entry{std::string(url), std::string(local_file), type};
}

void SimUrlCache::RefuseDelete(std::string_view url, platform::Status status) {
  for (auto& [position, entry] : entries_) {
    if (entry.url == url)
      entry.delete_status = status;
  }
}

bool SimUrlCache::Has(std::string_view url) const {
  for (const auto& [position, entry] : entries_) {
    if (entry.url == url)
      return true;
  }
  return false;
}

std::vector<std::string> SimUrlCache::Urls() const {
  std::vector<std::string> urls;
  for (const auto& [position, entry] : entries_)
    urls.push_back(entry.url);
  return urls;
}

SimUrlCache::Entries::const_iterator SimUrlCache::NextVisible(std::string_view pattern,
                                                              std::uint64_t position) const {
  auto it = entries_.upper_bound(position);
  while (it != entries_.end() && !Enumerates(pattern, it->second.url))
    ++it;
  return it;
}

platform::Status SimUrlCache::Fill(const Entry& entry, void* buffer, std::uint32_t* size) const {
  return platform::WriteCacheEntry(entry.type, entry.url, entry.local_file, buffer, size);
}

platform::Status SimUrlCache::FindFirstEntry(std::string_view pattern,
                                             void* buffer,
                                             std::uint32_t* size,
                                             platform::CacheFindHandle* handle) {
  ++enumeration_calls_;
  *handle = platform::kNoCacheFind;
  auto first = NextVisible(pattern, 0);
  if (first == entries_.end())
    return platform::kNoMoreItems;
  platform::Status status = Fill(first->second, buffer, size);
  if (status != platform::kSuccess)
    return status;
  *handle = next_handle_++;
  finds_[*handle] = Find{std::string(pattern), first->first};
  return platform::kSuccess;
}

platform::Status SimUrlCache::FindNextEntry(platform::CacheFindHandle handle,
                                            void* buffer,
                                            std::uint32_t* size) {
  ++enumeration_calls_;
  auto find = finds_.find(handle);
  if (find == finds_.end())
    return platform::kInvalidHandle;
  auto next = NextVisible(find->second.pattern, find->second.position);
  if (next == entries_.end())
    return platform::kNoMoreItems;
  platform::Status status = Fill(next->second, buffer, size);
  if (status == platform::kSuccess)
    find->second.position = next->first;
  return status;
}

platform::Status SimUrlCache::FindClose(platform::CacheFindHandle handle) {
  if (finds_.erase(handle) == 0)
    return platform::kInvalidHandle;
  ++closed_;
  return platform::kSuccess;
}

platform::Status SimUrlCache::DeleteEntry(std::string_view url) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->second.url != url)
      continue;
    if (it->second.delete_status != platform::kSuccess)
      return it->second.delete_status;
    deleted_.emplace_back(url);
    entries_.erase(it);
    return platform::kSuccess;
  }
  return platform::kFileNotFound;
}

}  // namespace scourix::sim
