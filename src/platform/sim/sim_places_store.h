#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/places_store.h"
#include "platform/sim/sim_file_system.h"

namespace scourix::sim {

// Places databases in memory, one per file of the sim file system that a test names.
class SimPlacesStore : public platform::PlacesStore {
 public:
  struct Page {
    std::string url;
    int visits = 0;
    bool bookmarked = false;
  };
  struct Database {
    std::vector<Page> pages;
    // What ClearHistory answers, the database left as it is, when not kSuccess: a locked,
    // foreign or failing database.
    platform::Status fault = platform::kSuccess;
  };

  explicit SimPlacesStore(SimFileSystem& files) : files_(files) {}

  // Test set-up: a database at path, its file made in the sim file system.
  Database& Add(std::string_view path);
  // Inspection: the database at path, or null.
  const Database* Find(std::string_view path) const;
  // Every path ClearHistory was asked about, in order.
  const std::vector<std::string>& cleared() const { return cleared_; }

  platform::Status ClearHistory(std::string_view path) override;
  platform::Status CountHistory(std::string_view path, std::uint64_t* visits) override;

 private:
  SimFileSystem& files_;
  std::map<std::string, Database, CaseInsensitiveLess> databases_;
  std::vector<std::string> cleared_;
};

}  // namespace scourix::sim
