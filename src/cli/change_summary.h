#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "recording/journal.h"

namespace scourix::cli {

// What a list of changes removes, counted by kind.
struct Totals {
  std::uint64_t files = 0;
  std::uint64_t bytes = 0;
  std::uint64_t folders = 0;
  std::uint64_t values = 0;   // deleted
  std::uint64_t blanked = 0;  // values written
  std::uint64_t keys = 0;     // deleted
  std::uint64_t cache_entries = 0;
  std::uint64_t history_entries = 0;
  std::uint64_t recent_lists = 0;  // the shell's recent documents emptied

  void Add(const recording::Change& change);
  [[nodiscard]] bool empty() const;
  // "3 files (1,024 bytes), 2 registry values, ..."; "nothing" when empty.
  [[nodiscard]] std::string Text() const;
  // {"files":3,"bytes":1024,...}
  [[nodiscard]] std::string Json() const;
};

Totals Sum(std::span<const recording::Change> changes);

// One change on one line: "file  C:\...\a.tmp  (120 bytes)"; control characters in the name
// are shown, not sent.
std::string ChangeLine(const recording::Change& change);
// {"kind":"file","what":"C:\\...","size":120}
std::string ChangeJson(const recording::Change& change);
// A JSON string literal of UTF-8 text; half of a surrogate pair, which a Windows name may
// hold, as its \u escape.
std::string JsonString(std::string_view text);

}  // namespace scourix::cli
