#include "recording/recording_url_history.h"

namespace scourix::recording {
namespace {

using platform::HResult;

std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text)
    out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// The machine's entries less those the preview removed.
class OverlaidEnum : public platform::UrlHistoryEnum {
 public:
  OverlaidEnum(RecordingUrlHistoryStore& store, std::unique_ptr<platform::UrlHistoryEnum> real)
      : store_(store), real_(std::move(real)) {}

  HResult SetFilter(std::u16string_view prefix, std::uint32_t flags) override {
    return real_->SetFilter(prefix, flags);
  }
  HResult Next(platform::StatUrl* record, std::uint32_t* fetched) override {
    for (;;) {
      platform::StatUrl found;
      std::uint32_t count = 0;
      HResult hr = real_->Next(&found, &count);
      if (platform::Failed(hr) || count == 0) {
        *fetched = 0;
        return hr;
      }
      if (!store_.cleared &&
          (found.pwcsUrl == nullptr || !store_.deleted.contains(found.pwcsUrl))) {
        *record = found;
        *fetched = 1;
        return hr;
      }
      store_.FreeString(found.pwcsUrl);
      store_.FreeString(found.pwcsTitle);
    }
  }

 private:
  RecordingUrlHistoryStore& store_;
  std::unique_ptr<platform::UrlHistoryEnum> real_;
};

class RecordingStorage : public platform::UrlHistoryStorage {
 public:
  RecordingStorage(RecordingUrlHistoryStore& store,
                   std::unique_ptr<platform::UrlHistoryStorage> real)
      : store_(store), real_(std::move(real)) {}

  HResult ClearHistory() override {
    const std::uint64_t held = CountEntries();
    HResult hr = platform::kSOk;
    if (!store_.journal().preview())
      hr = real_->ClearHistory();
    else
      store_.cleared = true;
    if (!platform::Failed(hr) && held > 0)
      store_.journal().Record(ChangeKind::kHistoryCleared, "URL history", held);
    return hr;
  }
  HResult EnumUrls(std::unique_ptr<platform::UrlHistoryEnum>* enumerator) override {
    std::unique_ptr<platform::UrlHistoryEnum> real;
    HResult hr = real_->EnumUrls(&real);
    if (platform::Failed(hr))
      return hr;
    if (store_.journal().preview())
      *enumerator = std::make_unique<OverlaidEnum>(store_, std::move(real));
    else
      *enumerator = std::move(real);
    return hr;
  }
  HResult DeleteUrl(std::u16string_view url, std::uint32_t flags) override {
    HResult hr = platform::kSOk;
    if (!store_.journal().preview())
      hr = real_->DeleteUrl(url, flags);
    else
      store_.deleted.emplace(url);
    if (!platform::Failed(hr))
      store_.journal().Record(ChangeKind::kHistoryUrlDeleted, Narrow(url), 1);
    return hr;
  }

 private:
  // The entries the store lists now; 0 when it cannot be read.
  std::uint64_t CountEntries() {
    std::unique_ptr<platform::UrlHistoryEnum> entries;
    if (platform::Failed(EnumUrls(&entries)))
      return 0;
    std::uint64_t count = 0;
    platform::StatUrl record;
    std::uint32_t fetched = 0;
    while (!platform::Failed(entries->Next(&record, &fetched)) && fetched == 1) {
      store_.FreeString(record.pwcsUrl);
      store_.FreeString(record.pwcsTitle);
      ++count;
    }
    return count;
  }

  RecordingUrlHistoryStore& store_;
  std::unique_ptr<platform::UrlHistoryStorage> real_;
};

}  // namespace

HResult RecordingUrlHistoryStore::Open(std::unique_ptr<platform::UrlHistoryStorage>* store) {
  std::unique_ptr<platform::UrlHistoryStorage> real;
  HResult hr = real_.Open(&real);
  if (!platform::Failed(hr))
    *store = std::make_unique<RecordingStorage>(*this, std::move(real));
  return hr;
}

}  // namespace scourix::recording
