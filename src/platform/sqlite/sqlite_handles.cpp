#include "platform/sqlite/sqlite_handles.h"

#include <utility>

namespace scourix::sqlite {
namespace {

// The file URI of path: every byte but a letter or a digit escaped, so that no '?', '#' or '%'
// of the name is read as part of the URI, and a backslash stays one.
std::string FileUri(std::string_view path) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string uri = "file:";
  for (char c : path) {
    auto byte = static_cast<unsigned char>(c);
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= 'a' && byte <= 'z')) {
      uri += c;
      continue;
    }
    uri += '%';
    uri += kHex[byte >> 4];
    uri += kHex[byte & 0xF];
  }
  return uri;
}

}  // namespace

int Database::Open(std::string_view path, Database* database, bool read_only) {
  return OpenWith(std::string(path), read_only ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE,
                  database);
}

int Database::OpenUnchanging(std::string_view path, Database* database) {
  return OpenWith(FileUri(path) + "?immutable=1", SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, database);
}

int Database::OpenWith(const std::string& name, int flags, Database* database) {
  sqlite3* connection = nullptr;
  int result = sqlite3_open_v2(name.c_str(), &connection, flags | SQLITE_OPEN_NOFOLLOW, nullptr);
  // SQLite hands back a connection even when the open fails; it must be closed all the same.
  std::unique_ptr<sqlite3, ConnectionCloser> owned(connection);
  // The file's own schema is not ours to run: a trigger it holds would make a statement change
  // more than it says (the bookmarks with the visits), and a view could stand for a table and
  // never end. Firefox makes its own triggers anew on each start, in memory only.
  for (auto [option, value] :
       {std::pair{SQLITE_DBCONFIG_ENABLE_TRIGGER, 0}, std::pair{SQLITE_DBCONFIG_ENABLE_VIEW, 0},
        std::pair{SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0}, std::pair{SQLITE_DBCONFIG_DEFENSIVE, 1}}) {
    if (result == SQLITE_OK)
      result = sqlite3_db_config(connection, option, value, nullptr);
  }
  if (result == SQLITE_OK)
    database->connection_ = std::move(owned);
  return result;
}

int Database::Run(std::string_view sql) {
  Statement statement(*this, sql);
  if (statement.prepared() != SQLITE_OK)
    return statement.prepared();
  int result = SQLITE_ROW;
  while (result == SQLITE_ROW)
    result = statement.Step();
  return result == SQLITE_DONE ? SQLITE_OK : result;
}

Statement::Statement(Database& database, std::string_view sql) {
  sqlite3_stmt* statement = nullptr;
  prepared_ = sqlite3_prepare_v2(database.get(), sql.data(), static_cast<int>(sql.size()),
                                 &statement, nullptr);
  statement_.reset(statement);
  if (prepared_ == SQLITE_OK && statement == nullptr)
    prepared_ = SQLITE_MISUSE;  // only white space or a comment
}

int Statement::Step() {
  return sqlite3_step(statement_.get());
}

void Statement::BindText(int index, std::string_view text) {
  sqlite3_bind_text(statement_.get(), index, text.data(), static_cast<int>(text.size()),
                    SQLITE_TRANSIENT);
}

std::int64_t Statement::ColumnInt64(int column) {
  return sqlite3_column_int64(statement_.get(), column);
}

}  // namespace scourix::sqlite
