#pragma once

#include <set>
#include <string>

#include "platform/url_cache.h"
#include "recording/journal.h"

namespace scourix::recording {

// The URL cache as a run sees it: the walk goes to the machine; in a preview a deletion is
// recorded and remembered, and a second deletion of the same entry is not found.
class RecordingUrlCache : public platform::UrlCache {
 public:
  RecordingUrlCache(platform::UrlCache& real, Journal& journal) : real_(real), journal_(journal) {}

  platform::Status FindFirstEntry(std::string_view pattern,
                                  void* buffer,
                                  std::uint32_t* size,
                                  platform::CacheFindHandle* handle) override {
    return real_.FindFirstEntry(pattern, buffer, size, handle);
  }
  platform::Status FindNextEntry(platform::CacheFindHandle handle,
                                 void* buffer,
                                 std::uint32_t* size) override {
    return real_.FindNextEntry(handle, buffer, size);
  }
  platform::Status FindClose(platform::CacheFindHandle handle) override {
    return real_.FindClose(handle);
  }
  platform::Status DeleteEntry(std::string_view url) override;

 private:
  platform::UrlCache& real_;
  Journal& journal_;
  std::set<std::string> deleted_;
};

}  // namespace scourix::recording
