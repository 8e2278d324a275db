#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/url_cache.h"

namespace scourix::sim {

// An in-memory URL cache. Entries enumerate in the order they were added; like Windows, the
// null pattern leaves out the cookie ("Cookie:") and history ("Visited:") entries, which a
// container's prefix as the pattern enumerates (compared case-sensitively, as Wine does). Tests add
// entries, make some refuse deletion, and inspect what is left, what was deleted and which
// enumerations are still open.
class SimUrlCache : public platform::UrlCache {
 public:
  struct Entry {
    std::string url;
    std::string local_file;  // "" for none
    std::uint32_t type = platform::kNormalCacheEntry;
    platform::Status delete_status = platform::kSuccess;  // what DeleteEntry answers
  };

  // Test set-up.
  void Add(std::string_view url,
           std::uint32_t type = platform::kNormalCacheEntry,
           std::string_view local_file = "");
  // The entry refuses deletion with status (an entry in use).
  void RefuseDelete(std::string_view url, platform::Status status = platform::kAccessDenied);

  // Inspection.
  bool Has(std::string_view url) const;
  std::vector<std::string> Urls() const;
  const std::vector<std::string>& deleted() const { return deleted_; }
  std::size_t open_enumerations() const { return finds_.size(); }
  int closed_enumerations() const { return closed_; }
  int enumeration_calls() const { return enumeration_calls_; }

  // UrlCache
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
  using Entries = std::map<std::uint64_t, Entry>;  // by the order of adding

  // One open enumeration: its pattern and the last position given.
  struct Find {
    std::string pattern;
    std::uint64_t position = 0;
  };

  // The first entry after position that the pattern enumerates, or end.
  Entries::const_iterator NextVisible(std::string_view pattern, std::uint64_t position) const;
  // Writes the entry into buffer, or reports the size it needs.
  platform::Status Fill(const Entry& entry, void* buffer, std::uint32_t* size) const;

  Entries entries_;
  std::uint64_t next_position_ = 1;
  std::map<platform::CacheFindHandle, Find> finds_;
  platform::CacheFindHandle next_handle_ = 0x100;
  std::vector<std::string> deleted_;
  int closed_ = 0;
  int enumeration_calls_ = 0;
};

}  // namespace scourix::sim
