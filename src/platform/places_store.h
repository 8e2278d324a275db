#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/status.h"

namespace scourix::platform {

// What SQLite opens by name beside a database: its journal, its write-ahead log and the log's
// index, each the database's name followed by the ending.
inline constexpr std::array<std::string_view, 3> kSideFileEndings = {"-journal", "-wal", "-shm"};

// Firefox's places database (places.sqlite): its history, without its bookmarks.
class PlacesStore {
 public:
  virtual ~PlacesStore() = default;
  // Removes the browsing history from the database at path in one transaction: every visit
  // and typed input, every page that no bookmark or keyword needs, with their annotations
  // and the sites no page is left on; the pages kept lose their visit counts and dates. Then
  // the write-ahead log is folded back into the file. The file itself is never removed or
  // truncated. On any failure the database is left as it was: kFileNotFound when there is no
  // such file, kSharingViolation when another program has it locked or a journal is left
  // beside it, kBadFormat when it is not a places database, kAccessDenied when path is not
  // well-formed UTF-8 (a name holding half of a surrogate pair, which the library would read
  // as another), another code when a statement failed.
  [[nodiscard]] virtual Status ClearHistory(std::string_view path) = 0;
  // Changes nothing: the number of visits the history at path holds, or the status that
  // ClearHistory would give for a missing file or one that is not a places database.
  [[nodiscard]] virtual Status CountHistory(std::string_view path, std::uint64_t* visits) = 0;
};

}  // namespace scourix::platform
