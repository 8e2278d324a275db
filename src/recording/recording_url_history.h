#pragma once

#include <memory>
#include <set>
#include <string>

#include "platform/url_history.h"
#include "recording/journal.h"

namespace scourix::recording {

// The URL history store as a run sees it. Clearing it is recorded with the number of entries it
// held (a store that holds none, or cannot be read, changes nothing, and nothing is recorded);
// in a preview a cleared store then lists nothing, and a deleted URL is no longer listed.
class RecordingUrlHistoryStore : public platform::UrlHistoryStore {
 public:
  RecordingUrlHistoryStore(platform::UrlHistoryStore& real, Journal& journal)
      : real_(real), journal_(journal) {}

  platform::HResult Open(std::unique_ptr<platform::UrlHistoryStorage>* store) override;
  void FreeString(char16_t* text) override { real_.FreeString(text); }

  // For the stores this opens.
  [[nodiscard]] Journal& journal() { return journal_; }
  bool cleared = false;              // by the preview
  std::set<std::u16string> deleted;  // by the preview

 private:
  platform::UrlHistoryStore& real_;
  Journal& journal_;
};

}  // namespace scourix::recording
