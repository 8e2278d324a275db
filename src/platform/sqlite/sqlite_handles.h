#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// The SQLite library's two handles, owned: one connection and one prepared statement.
namespace scourix::sqlite {

struct ConnectionCloser {
  void operator()(sqlite3* connection) const { sqlite3_close(connection); }
};
struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// One connection to an existing database file; closed on destruction.
class Database {
 public:
  // Opens the file at path (UTF-8) for reading and writing, or only for reading. A missing
  // file is not created. Returns SQLite's result code; on failure *database is left without a
  // connection.
  static int Open(std::string_view path, Database* database, bool read_only = false);
  // Opens the file at path for reading as a file that nothing changes: SQLite then reads the
  // file alone, takes no lock, and opens or makes no file beside it (journal, log, log index).
  // Right only while nothing writes to the database and no log beside it holds any of it.
  static int OpenUnchanging(std::string_view path, Database* database);

  sqlite3* get() const { return connection_.get(); }
  explicit operator bool() const { return connection_ != nullptr; }
  // Prepares and runs one statement to its end, ignoring any rows it gives.
  int Run(std::string_view sql);

 private:
  static int OpenWith(const std::string& name, int flags, Database* database);

  std::unique_ptr<sqlite3, ConnectionCloser> connection_;
};

// One prepared statement; finalized on destruction.
class Statement {
 public:
  Statement(Database& database, std::string_view sql);
  // SQLITE_OK once prepared, else the failure of the preparation.
  int prepared() const { return prepared_; }
  // SQLITE_ROW while there are rows, SQLITE_DONE at the end, else the failure.
  int Step();
  void BindText(int index, std::string_view text);
  // A column of the row the last Step gave.
  std::int64_t ColumnInt64(int column);

 private:
  std::unique_ptr<sqlite3_stmt, StatementFinalizer> statement_;
  int prepared_ = SQLITE_ERROR;
};

}  // namespace scourix::sqlite
