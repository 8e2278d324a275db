#include "platform/sim/sim_places_store.h"

#include <algorithm>
#include <string>

namespace scourix::sim {

SimPlacesStore::Database& SimPlacesStore::Add(std::string_view path) {
  files_.AddFile(path, "SQLite format 3");
  return databases_[JoinPath(ReadAsWindows(path))];
}

const SimPlacesStore::Database* SimPlacesStore::Find(std::string_view path) const {
  auto it = databases_.find(JoinPath(ReadAsWindows(path)));
  return it == databases_.end() ? nullptr : &it->second;
}

platform::Status SimPlacesStore::CountHistory(std::string_view path, std::uint64_t* visits) {
  const std::string file = JoinPath(ReadAsWindows(path));
  if (!files_.Exists(file))
    return platform::kFileNotFound;
  const Database* database = Find(file);
  if (database == nullptr || database->fault == platform::kBadFormat)
    return platform::kBadFormat;
  *visits = 0;
  for (const Page& page : database->pages)
    *visits += static_cast<std::uint64_t>(page.visits);
  return platform::kSuccess;
}

platform::Status SimPlacesStore::ClearHistory(std::string_view path) {
  cleared_.emplace_back(path);
  const std::string file = JoinPath(ReadAsWindows(path));
  if (!files_.Exists(file))
    return platform::kFileNotFound;
  auto it = databases_.find(file);
  if (it == databases_.end())
    return platform::kBadFormat;  // a file, but no database of places
  Database& database = it->second;
  if (database.fault != platform::kSuccess)
    return database.fault;
  std::erase_if(database.pages, [](const Page& page) { return !page.bookmarked; });
  for (Page& page : database.pages)
    page.visits = 0;
  return platform::kSuccess;
}

}  // namespace scourix::sim
