#include "recording/journal.h"

#include <array>

namespace scourix::recording {

std::string_view KindName(ChangeKind kind) {
  static constexpr std::array<std::string_view, 14> kNames{
      "file",         "folder",           "overwritten",
      "file-written", "folder-created",   "attributes",
      "value",        "value-written",    "key",
      "key-created",  "cache-entry",      "history",
      "history-url",  "recent-documents",
  };
  return kNames[static_cast<std::size_t>(kind)];
}

void Journal::Record(ChangeKind kind, std::string what, std::uint64_t size) {
  changes_.push_back(Change{kind, std::move(what), size});
  if (on_change)
    on_change(changes_.back());
}

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

}  // namespace scourix::recording
