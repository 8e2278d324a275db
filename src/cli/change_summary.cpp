#include "cli/change_summary.h"

namespace scourix::cli {
namespace {

using recording::ChangeKind;

// 1234567 as "1,234,567".
std::string Grouped(std::uint64_t number) {
  std::string digits = std::to_string(number);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
    digits.insert(static_cast<std::size_t>(at), ",");
  return digits;
}

std::string Counted(std::uint64_t count, std::string_view one, std::string_view many) {
  return Grouped(count) + " " + std::string(count == 1 ? one : many);
}

// A name as text for a terminal: a registry name may hold any character, and a new line or an
// escape sequence would fake lines or drive the terminal. Control characters are shown as
// `cat -v` shows them ("^[", "^J", "M-^[" for U+009B); --json gives them exactly.
std::string Visible(std::string_view text) {
  std::string out;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c < 0x20 || c == 0x7F) {
      out += '^';
      out += static_cast<char>(c ^ 0x40);
    } else if (c == 0xC2 && at + 1 < text.size() &&
               static_cast<unsigned char>(text[at + 1]) < 0xA0 &&
               static_cast<unsigned char>(text[at + 1]) >= 0x80) {
      out += "M-^";  // U+0080 to U+009F, the second set of controls, in UTF-8
      out += static_cast<char>((static_cast<unsigned char>(text[++at]) - 0x80) ^ 0x40);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

}  // namespace

void Totals::Add(const recording::Change& change) {
  switch (change.kind) {
    case ChangeKind::kFileDeleted:
      ++files;
      bytes += change.size;
      break;
    case ChangeKind::kFolderDeleted:
      ++folders;
      break;
    case ChangeKind::kValueDeleted:
      ++values;
      break;
    case ChangeKind::kValueWritten:
      ++blanked;
      break;
    case ChangeKind::kKeyDeleted:
      ++keys;
      break;
    case ChangeKind::kCacheEntryDeleted:
      ++cache_entries;
      break;
    case ChangeKind::kHistoryCleared:
      history_entries += change.size;
      break;
    case ChangeKind::kHistoryUrlDeleted:
      ++history_entries;
      break;
    case ChangeKind::kRecentDocumentsCleared:
      ++recent_lists;
      break;
    default:
      break;  // part of a deletion, or not a removal
  }
}

bool Totals::empty() const {
  return files + folders + values + blanked + keys + cache_entries + history_entries +
             recent_lists ==
         0;
}

std::string Totals::Text() const {
  std::string text;
  auto part = [&text](std::uint64_t count, const std::string& piece) {
    if (count > 0)
      text += (text.empty() ? "" : ", ") + piece;
  };
  part(files, Counted(files, "file", "files") + " (" + Counted(bytes, "byte", "bytes") + ")");
  part(folders, Counted(folders, "folder", "folders"));
  part(values, Counted(values, "registry value", "registry values"));
  part(blanked, Counted(blanked, "value blanked", "values blanked"));
  part(keys, Counted(keys, "registry key", "registry keys"));
  part(cache_entries, Counted(cache_entries, "cache entry", "cache entries"));
  part(history_entries, Counted(history_entries, "history entry", "history entries"));
  part(recent_lists, "the recent-documents list");
  return text.empty() ? "nothing" : text;
}

std::string Totals::Json() const {
  return "{\"files\":" + std::to_string(files) + ",\"bytes\":" + std::to_string(bytes) +
         ",\"folders\":" + std::to_string(folders) + ",\"values\":" + std::to_string(values) +
         ",\"blanked\":" + std::to_string(blanked) + ",\"keys\":" + std::to_string(keys) +
         ",\"cache_entries\":" + std::to_string(cache_entries) +
         ",\"history_entries\":" + std::to_string(history_entries) +
         ",\"recent_documents\":" + std::to_string(recent_lists) + "}";
}

Totals Sum(std::span<const recording::Change> changes) {
  Totals totals;
  for (const recording::Change& change : changes)
    totals.Add(change);
  return totals;
}

std::string ChangeLine(const recording::Change& change) {
  std::string line = std::string(recording::KindName(change.kind)) + "  " + Visible(change.what);
  switch (change.kind) {
    case ChangeKind::kFileDeleted:
    case ChangeKind::kFileOverwritten:
    case ChangeKind::kFileWritten:
    case ChangeKind::kValueDeleted:
    case ChangeKind::kValueWritten:
      line += "  (" + Counted(change.size, "byte", "bytes") + ")";
      break;
    case ChangeKind::kHistoryCleared:
      line += "  (" + Counted(change.size, "entry", "entries") + ")";
      break;
    default:
      break;
  }
  return line;
}

std::string JsonString(std::string_view text) {
  constexpr std::string_view kHex = "0123456789abcdef";
  std::string out = "\"";
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    // Half of a surrogate pair, which a Windows name may hold, comes as its three bytes: not
    // UTF-8 a JSON reader takes, but JSON's own escape names it.
    if (static_cast<unsigned char>(c) == 0xED && at + 2 < text.size() &&
        static_cast<unsigned char>(text[at + 1]) >= 0xA0) {
      const unsigned unit = 0xD000U | ((static_cast<unsigned char>(text[at + 1]) & 0x3FU) << 6) |
                            (static_cast<unsigned char>(text[at + 2]) & 0x3FU);
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4)
        out += kHex[(unit >> shift) & 0xFU];
      at += 2;
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          out += "\\u00";
          out += kHex[static_cast<unsigned char>(c) >> 4];
          out += kHex[static_cast<unsigned char>(c) & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string ChangeJson(const recording::Change& change) {
  return "{\"kind\":" + JsonString(recording::KindName(change.kind)) +
         ",\"what\":" + JsonString(change.what) + ",\"size\":" + std::to_string(change.size) + "}";
}

}  // namespace scourix::cli
