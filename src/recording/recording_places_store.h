#pragma once

#include <set>
#include <string>

#include "platform/places_store.h"
#include "recording/journal.h"

namespace scourix::recording {

// Firefox's places databases as a run sees them: clearing a history is recorded with the
// visits it held, as a history of the browser's own store is; in a preview the database is
// only read.
class RecordingPlacesStore : public platform::PlacesStore {
 public:
  RecordingPlacesStore(platform::PlacesStore& real, Journal& journal)
      : real_(real), journal_(journal) {}

  platform::Status ClearHistory(std::string_view path) override {
    std::uint64_t visits = 0;
    // The same database reached again (a profile listed under two names) is already empty.
    const bool again = journal_.preview() && cleared_.contains(Folded(path));
    platform::Status status = again ? platform::kSuccess : real_.CountHistory(path, &visits);
    if (status == platform::kSuccess && !journal_.preview())
      status = real_.ClearHistory(path);
    if (status != platform::kSuccess)
      return status;
    if (journal_.preview())
      cleared_.insert(Folded(path));
    journal_.Record(ChangeKind::kHistoryCleared, std::string(path), visits);
    return status;
  }
  platform::Status CountHistory(std::string_view path, std::uint64_t* visits) override {
    return real_.CountHistory(path, visits);
  }

 private:
  platform::PlacesStore& real_;
  Journal& journal_;
  std::set<std::string> cleared_;  // in a preview, by the path SQLite was given
};

}  // namespace scourix::recording
