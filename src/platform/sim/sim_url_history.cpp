#include "platform/sim/sim_url_history.h"

#include <algorithm>

namespace scourix::sim {
namespace {

class SimEnum : public platform::UrlHistoryEnum {
 public:
  explicit SimEnum(SimUrlHistory& store) : store_(store) {}

  platform::HResult SetFilter(std::u16string_view prefix, std::uint32_t /*flags*/) override {
    if (platform::Failed(store_.filter_status))
      return store_.filter_status;
    prefix_ = prefix;
    return platform::kSOk;
  }

  platform::HResult Next(platform::StatUrl* record, std::uint32_t* fetched) override {
    if (platform::Failed(store_.next_status))
      return store_.next_status;
    while (position_ < store_.entries.size() &&
           !store_.entries[position_].url.starts_with(prefix_)) {
      ++position_;
    }
    if (position_ >= store_.entries.size()) {
      *fetched = 0;
      return platform::kSFalse;
    }
    const SimUrlHistory::Entry& entry = store_.entries[position_++];
    *record = platform::StatUrl{};
    record->cbSize = sizeof(platform::StatUrl);
    record->pwcsUrl = store_.Allocate(entry.url);
    if (entry.title)
      record->pwcsTitle = store_.Allocate(*entry.title);
    *fetched = 1;
    return platform::kSOk;
  }

 private:
  SimUrlHistory& store_;
  std::u16string prefix_;
  std::size_t position_ = 0;
};

class SimStorage : public platform::UrlHistoryStorage {
 public:
  explicit SimStorage(SimUrlHistory& store) : store_(store) {}

  platform::HResult ClearHistory() override {
    ++store_.clears;
    if (platform::Failed(store_.clear_status))
      return store_.clear_status;
    store_.entries.clear();
    return platform::kSOk;
  }

  platform::HResult EnumUrls(std::unique_ptr<platform::UrlHistoryEnum>* enumerator) override {
    ++store_.enumerations;
    if (platform::Failed(store_.enum_status))
      return store_.enum_status;
    *enumerator = std::make_unique<SimEnum>(store_);
    return platform::kSOk;
  }

  platform::HResult DeleteUrl(std::u16string_view url, std::uint32_t /*flags*/) override {
    store_.delete_requests.emplace_back(url);
    if (platform::Failed(store_.delete_status))
      return store_.delete_status;
    std::erase_if(store_.entries, [&](const SimUrlHistory::Entry& e) { return e.url == url; });
    return platform::kSOk;
  }

 private:
  SimUrlHistory& store_;
};

}  // namespace

SimUrlHistory::SimUrlHistory() = default;
SimUrlHistory::~SimUrlHistory() = default;

void SimUrlHistory::Add(std::u16string url, std::optional<std::u16string> title) {
  entries.push_back(Entry{std::move(url), std::move(title)});
}

platform::HResult SimUrlHistory::Open(std::unique_ptr<platform::UrlHistoryStorage>* store) {
  if (platform::Failed(open_status))
    return open_status;
  ++opened;
  *store = std::make_unique<SimStorage>(*this);
  return platform::kSOk;
}

char16_t* SimUrlHistory::Allocate(const std::u16string& text) {
  auto copy = std::make_unique<char16_t[]>(text.size() + 1);
  std::copy(text.begin(), text.end(), copy.get());
  char16_t* raw = copy.get();
  live_[raw] = std::move(copy);
  return raw;
}

void SimUrlHistory::FreeString(char16_t* text) {
  if (text == nullptr)
    return;
  auto it = live_.find(text);
  if (it == live_.end()) {
    ++bad_frees;
    return;
  }
  freed.emplace_back(text);
  live_.erase(it);
}

}  // namespace scourix::sim
