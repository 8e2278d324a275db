#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What a run changes on the machine, as the recording platform saw it go past.
namespace scourix::recording {

enum class ChangeKind {
  kFileDeleted,  // size: bytes
  kFolderDeleted,
  kFileOverwritten,  // size: bytes written over its start
  kFileWritten,      // size: bytes
  kFolderCreated,
  kAttributesSet,
  kValueDeleted,  // what: key\name; size: bytes of data
  kValueWritten,  // what: key\name; size: bytes of data
  kKeyDeleted,
  kKeyCreated,
  kCacheEntryDeleted,  // what: the URL
  kHistoryCleared,     // size: entries the store held
  kHistoryUrlDeleted,  // what: the URL
  kRecentDocumentsCleared,
};

// A short lower-case name of the kind, as the command line prints it ("file", "value", ...).
std::string_view KindName(ChangeKind kind);

struct Change {
  ChangeKind kind;
  std::string what;
  std::uint64_t size = 0;
  bool operator==(const Change&) const = default;
};

// A preview answers changes as the machine would and leaves the machine alone; a live run
// makes them and records those the machine accepted.
enum class Mode { kPreview, kLive };

class Journal {
 public:
  explicit Journal(Mode mode) : mode_(mode) {}
  [[nodiscard]] bool preview() const { return mode_ == Mode::kPreview; }
  void Record(ChangeKind kind, std::string what, std::uint64_t size = 0);
  [[nodiscard]] const std::vector<Change>& changes() const { return changes_; }
  // Told of each change as it is recorded; may be left empty.
  std::function<void(const Change&)> on_change;

 private:
  Mode mode_;
  std::vector<Change> changes_;
};

// Names compared as Windows compares them here: ASCII letters without regard to case.
std::string Folded(std::string_view text);

}  // namespace scourix::recording
