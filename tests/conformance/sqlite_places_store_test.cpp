#include "platform/sqlite/sqlite_places_store.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

#include "platform/sqlite/sqlite_handles.h"

namespace scourix {
namespace {

using ::testing::ElementsAre;
namespace fs = std::filesystem;

// Two sites; a bookmarked page, a page with a keyword, and two pages only visited.
constexpr const char* kPlacesRows = R"(
INSERT INTO moz_origins VALUES (1, 'https://', 'kept.example', 100), (2, 'https://',
  'visited.example', 50);
INSERT INTO moz_places (id, url, title, visit_count, typed, frecency, last_visit_date,
  foreign_count, origin_id) VALUES
  (1, 'https://kept.example/', 'Kept', 4, 1, 100, 1700000000000000, 1, 1),
  (2, 'https://kept.example/search?q=%s', 'Keyword', 1, 0, 10, 1700000000000001, 1, 1),
  (3, 'https://visited.example/a', 'Visited A', 2, 1, 50, 1700000000000002, 0, 2),
  (4, 'https://visited.example/b', 'Visited B', 1, 0, 20, 1700000000000003, 0, 2);
INSERT INTO moz_historyvisits (from_visit, place_id, visit_date, visit_type) VALUES
  (0, 1, 1700000000000000, 1), (1, 3, 1700000000000002, 1), (2, 4, 1700000000000003, 1);
INSERT INTO moz_inputhistory VALUES (3, 'vis', 1);
INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid) VALUES
  (1, 2, NULL, 0, 0, '', 'root________'), (2, 1, 1, 1, 0, 'My bookmark', 'bookmark0001');
INSERT INTO moz_keywords (keyword, place_id) VALUES ('k', 2);
INSERT INTO moz_annos (place_id, anno_attribute_id, content) VALUES (1, 1, 'kept'),
  (3, 1, 'gone');
INSERT INTO moz_places_metadata (place_id, total_view_time) VALUES (3, 1000);
)";

std::string Bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Exec(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  int result = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  std::string message = error != nullptr ? error : "";
  sqlite3_free(error);
  ASSERT_EQ(result, SQLITE_OK) << message;
}

// The first column of every row of a query, as text.
std::vector<std::string> Column(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  std::vector<std::string> out;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    auto row = [](void* rows, int, char** text, char**) {
      static_cast<std::vector<std::string>*>(rows)->emplace_back(text[0] ? text[0] : "NULL");
      return 0;
    };
    sqlite3_exec(db, sql.c_str(), row, &out, nullptr);
  }
  sqlite3_close(db);
  return out;
}

class SqlitePlacesStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("scourix-places-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    path_ = (folder_ / "places.sqlite").string();
    Fresh();
  }
  void TearDown() override { fs::remove_all(folder_); }
  void Fresh() {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }

  // A places database as Firefox leaves it; in write-ahead-log mode with the rows still in
  // the log when wal is set.
  void MakePlaces(bool wal, const std::string& extra = "") {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path_.c_str(), &db), SQLITE_OK);
    if (wal)
      Exec(db, "PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0;");
    // Firefox's tables, as the end-to-end seeding makes them too.
    const std::string schema = Bytes(SCOURIX_FIXTURES "/firefox/places_schema.sql");
    ASSERT_FALSE(schema.empty());
    Exec(db, schema);
    Exec(db, kPlacesRows);
    Exec(db, extra);
    // Left open by a second connection while the first closes, the log keeps the rows.
    sqlite3* keeper = nullptr;
    if (wal) {
      sqlite3_open(path_.c_str(), &keeper);
      Exec(keeper, "SELECT count(*) FROM moz_places");
    }
    sqlite3_close(db);
    sqlite3_close(keeper);
  }

  fs::path folder_;
  std::string path_;
  sqlite::SqlitePlacesStore store_;
};

// The database's own trigger, left there by anyone, does not fire on the clean-up's deletions.
TEST_F(SqlitePlacesStoreTest, HistoryGoesBookmarksStay) {
  for (bool wal : {false, true}) {
    SCOPED_TRACE(wal ? "write-ahead log" : "rollback journal");
    Fresh();
    MakePlaces(wal,
               "CREATE TRIGGER more AFTER DELETE ON moz_historyvisits "
               "BEGIN DELETE FROM moz_bookmarks; END;");
    ASSERT_EQ(store_.ClearHistory(path_), platform::kSuccess);
    EXPECT_THAT(Column(path_,
                       "SELECT url || ' ' || title || ' ' || visit_count || ' ' || "
                       "typed || ' ' || ifnull(last_visit_date, 'none') FROM moz_places "
                       "ORDER BY id"),
                ElementsAre("https://kept.example/ Kept 0 0 none",
                            "https://kept.example/search?q=%s Keyword 0 0 none"));
    EXPECT_THAT(Column(path_, "SELECT title || ' ' || fk FROM moz_bookmarks WHERE fk NOT NULL"),
                ElementsAre("My bookmark 1"));
    EXPECT_THAT(Column(path_, "SELECT host FROM moz_origins"), ElementsAre("kept.example"));
    EXPECT_THAT(Column(path_, "SELECT content FROM moz_annos"), ElementsAre("kept"));
    for (const char* table : {"moz_historyvisits", "moz_inputhistory", "moz_places_metadata"})
      EXPECT_THAT(Column(path_, std::string("SELECT count(*) FROM ") + table), ElementsAre("0"));
    // Nothing of the history is left in the log, and the file is still there.
    EXPECT_TRUE(!fs::exists(path_ + "-wal") || fs::file_size(path_ + "-wal") == 0);
    EXPECT_GT(fs::file_size(path_), 0u);
  }
}

// Counting changes nothing: the log's rows are counted where there is a log, and a database
// closed cleanly (all in its file, as Firefox leaves it) gets no new log or index beside it.
TEST_F(SqlitePlacesStoreTest, CountingSeesTheLogAndLeavesNoNewFile) {
  auto names = [&] {
    std::vector<std::string> out;
    for (const auto& entry : fs::directory_iterator(folder_))
      out.push_back(entry.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  };
  auto count = [&](const fs::path& path) {
    std::uint64_t visits = 0;
    return store_.CountHistory(path.string(), &visits) == platform::kSuccess ? visits : ~0ull;
  };
  sqlite3* firefox = nullptr;  // running, with its last visit still in the log
  auto visit = [&](const std::string& date) {
    ASSERT_EQ(sqlite3_open(path_.c_str(), &firefox), SQLITE_OK);
    Exec(firefox,
         "PRAGMA wal_autocheckpoint = 0; INSERT INTO moz_historyvisits (place_id, "
         "visit_date, visit_type) VALUES (4, " +
             date + ", 1);");
  };
  MakePlaces(true);
  visit("1700000000000004");
  ASSERT_GT(fs::file_size(path_ + "-wal"), 0u);
  EXPECT_EQ(count(path_), 4u);
  sqlite3_close(firefox);
  ASSERT_THAT(names(), ElementsAre("places.sqlite"));
  EXPECT_EQ(count(path_), 4u);
  EXPECT_THAT(names(), ElementsAre("places.sqlite"));

  // A log left without its index, as a crash leaves it: the file alone is counted.
  visit("1700000000000005");
  const fs::path crashed = fs::path(folder_) / "crashed";
  fs::create_directory(crashed);
  fs::copy_file(path_, crashed / "places.sqlite");
  fs::copy_file(path_ + "-wal", crashed / "places.sqlite-wal");
  sqlite3_close(firefox);
  EXPECT_EQ(count(crashed / "places.sqlite"), 4u);
  EXPECT_FALSE(fs::exists(crashed / "places.sqlite-shm"));

  // A view standing for the visits is not counted; one without end would hold the count.
  Fresh();
  MakePlaces(false,
             "DROP TABLE moz_historyvisits; CREATE VIEW moz_historyvisits AS WITH RECURSIVE "
             "n(place_id) AS (SELECT 1 UNION ALL SELECT place_id + 1 FROM n LIMIT 1000000) "
             "SELECT place_id FROM n;");
  std::uint64_t visits = 0;
  EXPECT_EQ(store_.CountHistory(path_, &visits), platform::kBadFormat);
}

// What a failure leaves must be the very file it found, or no file where there was none.
TEST_F(SqlitePlacesStoreTest, AFailureLeavesTheFileAsItWas) {
  sqlite::Database firefox;  // Firefox keeps its database locked while it runs
  struct Case {
    const char* name;
    std::function<void()> make;
    platform::Status expected;
  };
  const Case cases[] = {
      {"a statement fails half-way",
       [&] {
         // The two pages kept, given the same frecency, break the index.
         MakePlaces(false, "CREATE UNIQUE INDEX one_each ON moz_places (frecency);");
       },
       platform::kGenFailure},
      {"a table is missing", [&] { MakePlaces(false, "DROP TABLE moz_origins;"); },
       platform::kBadFormat},
      {"a column is missing",
       [&] { MakePlaces(false, "ALTER TABLE moz_places DROP COLUMN foreign_count;"); },
       platform::kBadFormat},
      {"a file of another kind",
       [&] {
         std::ofstream(path_, std::ios::binary)
             << "not a database at all, but long enough to look at its header..........";
       },
       platform::kBadFormat},
      {"no file", [] {}, platform::kFileNotFound},
      {"a locked database",
       [&] {
         MakePlaces(false);
         ASSERT_EQ(sqlite::Database::Open(path_, &firefox), SQLITE_OK);
         Exec(firefox.get(), "PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE; COMMIT;");
       },
       platform::kSharingViolation},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    c.make();
    const bool existed = fs::exists(path_);
    const std::string before = Bytes(path_);
    EXPECT_EQ(store_.ClearHistory(path_), c.expected);
    firefox = sqlite::Database();
    EXPECT_EQ(fs::exists(path_), existed);
    EXPECT_EQ(Bytes(path_), before);
    EXPECT_FALSE(fs::exists(path_ + "-journal"));
  }
}

// Neither counting nor clearing opens what the library would take for another file: a journal
// left beside the database, played back, may name any file as the journal of a transaction over
// several databases, which SQLite deletes once the playback is done; a name the system gives may
// hold half of a surrogate pair, as NTFS allows, which the library reads as U+FFFD.
TEST_F(SqlitePlacesStoreTest, WhatTheLibraryWouldTakeForAnotherFileIsNotOpened) {
  auto expect_refused = [&](const char* what, const fs::path& file, platform::Status status) {
    SCOPED_TRACE(what);
    const std::string before = Bytes(file);
    ASSERT_FALSE(before.empty());
    std::uint64_t visits = 0;
    EXPECT_EQ(store_.CountHistory(path_, &visits), status);
    EXPECT_EQ(store_.ClearHistory(path_), status);
    EXPECT_TRUE(Bytes(file) == before);
  };
  MakePlaces(false);
  const std::string other = (folder_ / "other.txt").string();
  std::ofstream(other) << "kept";
  std::string journal = other;  // that name, its length and sum, and the journal's mark
  std::uint32_t sum = 0;
  for (char c : other)
    sum += static_cast<unsigned char>(c);
  for (std::uint32_t word : {static_cast<std::uint32_t>(other.size()), sum}) {
    for (int shift = 24; shift >= 0; shift -= 8)
      journal += static_cast<char>(word >> shift);
  }
  journal += "\xd9\xd5\x05\xf9\x20\xa1\x63\xd7";
  std::ofstream(path_ + "-journal", std::ios::binary) << journal;
  expect_refused("a journal", path_, platform::kSharingViolation);
  EXPECT_TRUE(fs::exists(other));

  const std::string half = "x\xED\xA0\x80";  // "x" and a lone U+D800
#ifdef _WIN32
  const std::u8string read = u8"x\uFFFD\uFFFD";  // as SQLite's Windows layer reads it
#else
  const std::u8string read(half.begin(), half.end());
#endif
  fs::create_directory(folder_ / fs::path(read));
  path_ = folder_.string() + static_cast<char>(fs::path::preferred_separator) + half +
          static_cast<char>(fs::path::preferred_separator) + "places.sqlite";
  MakePlaces(false);
  expect_refused("half a pair", folder_ / fs::path(read) / "places.sqlite",
                 platform::kAccessDenied);
}

}  // namespace
}  // namespace scourix
