#include "platform/sqlite/sqlite_places_store.h"

#include <array>
#include <string>
#include <string_view>

#include "platform/sqlite/sqlite_handles.h"
#include "platform/utf8.h"

namespace scourix::sqlite {
namespace {

using platform::Status;

// Every column the clean-up reads or writes, table by table: a database without one of them
// is not one this clean-up knows, and is left alone.
constexpr std::array<std::string_view, 6> kSchemaProbes = {
    "SELECT id, visit_count, last_visit_date, frecency, typed, foreign_count, origin_id "
    "FROM moz_places LIMIT 0",
    "SELECT place_id FROM moz_historyvisits LIMIT 0",
    "SELECT fk FROM moz_bookmarks LIMIT 0",
    "SELECT id FROM moz_origins LIMIT 0",
    "SELECT place_id FROM moz_annos LIMIT 0",
    "SELECT place_id FROM moz_inputhistory LIMIT 0",
};

// Later Firefox keeps more history beside the visits; each goes whole when it is there.
constexpr std::array<std::string_view, 2> kOptionalHistoryTables = {
    "moz_places_metadata",
    "moz_places_metadata_search_queries",
};

// In order: the visits and what was typed, then the pages that nothing else needs (a
// bookmark, or a keyword, which Firefox counts in foreign_count), what is left of the pages
// kept, and the annotations and sites that point at no page any more.
constexpr std::array<std::string_view, 6> kCleanUp = {
    "DELETE FROM moz_historyvisits",
    "DELETE FROM moz_inputhistory",
    "DELETE FROM moz_places WHERE foreign_count = 0 AND id NOT IN "
    "(SELECT fk FROM moz_bookmarks WHERE fk IS NOT NULL)",
    "UPDATE moz_places SET visit_count = 0, last_visit_date = NULL, typed = 0, frecency = -1",
    "DELETE FROM moz_annos WHERE place_id NOT IN (SELECT id FROM moz_places)",
    "DELETE FROM moz_origins WHERE id NOT IN "
    "(SELECT origin_id FROM moz_places WHERE origin_id IS NOT NULL)",
};

Status StatusOf(int result) {
  switch (result) {
    case SQLITE_OK:
    case SQLITE_DONE:
      return platform::kSuccess;
    case SQLITE_CANTOPEN:
      return platform::kFileNotFound;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return platform::kSharingViolation;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_ERROR:  // no such table or column
      return platform::kBadFormat;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return platform::kAccessDenied;
    case SQLITE_NOMEM:
      return platform::kNotEnoughMemory;
    case SQLITE_FULL:
      return platform::kDiskFull;
    default:
      return platform::kGenFailure;
  }
}

bool HasTable(Database& database, std::string_view name) {
  Statement find(database, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
  if (find.prepared() != SQLITE_OK)
    return false;
  find.BindText(1, name);
  return find.Step() == SQLITE_ROW;
}

// Rolls back on destruction unless committed.
class Transaction {
 public:
  explicit Transaction(Database& database) : database_(database) {}
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  Transaction(Transaction&&) = delete;
  Transaction& operator=(Transaction&&) = delete;
  ~Transaction() {
    if (open_)
      (void)database_.Run("ROLLBACK");
  }
  // Takes the write lock at once, so that another writer is found before anything changes.
  int Begin() {
    int result = database_.Run("BEGIN IMMEDIATE");
    open_ = result == SQLITE_OK;
    return result;
  }
  int Commit() {
    int result = database_.Run("COMMIT");
    if (result == SQLITE_OK)
      open_ = false;
    return result;
  }

 private:
  Database& database_;
  bool open_ = false;
};

int ProbeSchema(Database& database) {
  for (std::string_view probe : kSchemaProbes) {
    Statement statement(database, probe);
    if (statement.prepared() != SQLITE_OK)
      return statement.prepared();
  }
  return SQLITE_OK;
}

int CleanUp(Database& database) {
  int result = ProbeSchema(database);
  if (result != SQLITE_OK)
    return result;
  // What is deleted is overwritten in the file too, not only unlinked from it.
  result = database.Run("PRAGMA secure_delete = ON");
  if (result != SQLITE_OK)
    return result;
  Transaction transaction(database);
  result = transaction.Begin();
  if (result != SQLITE_OK)
    return result;
  for (std::string_view table : kOptionalHistoryTables) {
    if (HasTable(database, table)) {
      result = database.Run("DELETE FROM " + std::string(table));
      if (result != SQLITE_OK)
        return result;
    }
  }
  for (std::string_view sql : kCleanUp) {
    result = database.Run(sql);
    if (result != SQLITE_OK)
      return result;
  }
  result = transaction.Commit();
  if (result != SQLITE_OK)
    return result;
  // The history is gone from the database; folding the log into the file takes it out of the
  // log too. A database without a log has nothing to fold.
  (void)database.Run("PRAGMA wal_checkpoint(TRUNCATE)");
  return SQLITE_OK;
}

// Whether SQLite's own file layer sees a file at path; an empty one it takes for none, as a
// log or journal without content holds nothing. When it cannot say, as if there were one.
bool SqliteSeesFile(const std::string& path) {
  sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
  int exists = 1;
  return vfs == nullptr ||
         vfs->xAccess(vfs, path.c_str(), SQLITE_ACCESS_EXISTS, &exists) != SQLITE_OK || exists != 0;
}

// A journal SQLite would play back on opening: a transaction another program has not
// finished, or one it left by crashing. Its last bytes may name any file as the journal of a
// transaction over several databases, which SQLite deletes after the playback.
bool JournalLeft(std::string_view path) {
  return SqliteSeesFile(std::string(path) + "-journal");
}

}  // namespace

Status SqlitePlacesStore::ClearHistory(std::string_view path) {
  // SQLite reads a name's bytes as UTF-8: half of a surrogate pair, which NTFS allows, would
  // be read as U+FFFD and open another file than the one checked, its journal, log and index
  // unchecked too.
  if (!platform::IsWellFormedUtf8(path))
    return platform::kAccessDenied;
  if (JournalLeft(path))
    return platform::kSharingViolation;
  Database database;
  int result = Database::Open(path, &database);
  if (result != SQLITE_OK)
    return StatusOf(result);
  return StatusOf(CleanUp(database));
}

Status SqlitePlacesStore::CountHistory(std::string_view path, std::uint64_t* visits) {
  if (!platform::IsWellFormedUtf8(path))
    return platform::kAccessDenied;
  if (JournalLeft(path))
    return platform::kSharingViolation;
  // An ordinary reader uses a log only through its index, and makes whichever of the two is
  // missing. So the database is read that way only with both log and index (Firefox running,
  // or killed). Otherwise it is read as unchanging, alone: closed cleanly, the file holds
  // everything; a log left without its index (after a crash) goes uncounted, since reading it
  // would leave a new index in the profile.
  const std::string name(path);
  const bool log_with_index = SqliteSeesFile(name + "-wal") && SqliteSeesFile(name + "-shm");
  Database database;
  int result = log_with_index ? Database::Open(path, &database, true)
                              : Database::OpenUnchanging(path, &database);
  if (result == SQLITE_OK)
    result = ProbeSchema(database);
  if (result != SQLITE_OK)
    return StatusOf(result);
  Statement count(database, "SELECT count(*) FROM moz_historyvisits");
  result = count.prepared() == SQLITE_OK ? count.Step() : count.prepared();
  if (result != SQLITE_ROW)
    return StatusOf(result);
  *visits = static_cast<std::uint64_t>(count.ColumnInt64(0));
  return platform::kSuccess;
}

}  // namespace scourix::sqlite
