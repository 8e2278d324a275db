#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/url_history.h"

namespace scourix::sim {

// An in-memory URL history store with its own task allocator. Entries enumerate in the order
// they were added; the filter keeps the URLs that start with its prefix. Tests can make the
// store refuse to open, to clear, to enumerate or to delete, and can follow every string it
// hands out until it is freed.
class SimUrlHistory : public platform::UrlHistoryStore {
 public:
  struct Entry {
    std::u16string url;
    std::optional<std::u16string> title;  // nullopt: the store gives a null title
  };

  SimUrlHistory();
  ~SimUrlHistory() override;
  SimUrlHistory(const SimUrlHistory&) = delete;
  SimUrlHistory& operator=(const SimUrlHistory&) = delete;
  SimUrlHistory(SimUrlHistory&&) = delete;
  SimUrlHistory& operator=(SimUrlHistory&&) = delete;

  // Test set-up.
  void Add(std::u16string url, std::optional<std::u16string> title = std::nullopt);

  // Faults: what the operations answer instead of succeeding.
  platform::HResult open_status = platform::kSOk;
  platform::HResult clear_status = platform::kSOk;
  platform::HResult enum_status = platform::kSOk;
  platform::HResult filter_status = platform::kSOk;
  platform::HResult next_status = platform::kSOk;
  platform::HResult delete_status = platform::kSOk;

  // Inspection.
  std::vector<Entry> entries;
  int opened = 0;
  int enumerations = 0;
  int clears = 0;
  std::vector<std::u16string> delete_requests;
  // The strings freed, in order, by their text.
  std::vector<std::u16string> freed;
  // Strings handed out and not yet freed.
  std::size_t live_strings() const { return live_.size(); }
  // Frees of pointers that the store never handed out, or handed out and freed already.
  int bad_frees = 0;

  // UrlHistoryStore
  platform::HResult Open(std::unique_ptr<platform::UrlHistoryStorage>* store) override;
  void FreeString(char16_t* text) override;

  // A copy of text from the task allocator.
  char16_t* Allocate(const std::u16string& text);

 private:
  std::map<const char16_t*, std::unique_ptr<char16_t[]>> live_;
};

}  // namespace scourix::sim
