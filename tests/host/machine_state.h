#pragma once

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/sim/reg_file.h"
#include "platform/sim/sim_machine.h"
#include "recording/journal.h"

namespace scourix::recording {

// A change as a failing comparison shows it.
inline void PrintTo(const Change& change, std::ostream* out) {
  *out << KindName(change.kind) << " " << change.what << " (" << change.size << ")";
}

}  // namespace scourix::recording

namespace scourix::testing {

// Loads tests/fixtures/cleaners/<name> into the registry.
inline void Seed(sim::SimRegistry& registry, std::string_view name) {
  std::ifstream in(std::string(SCOURIX_FIXTURES) + "/cleaners/" + std::string(name),
                   std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  sim::RegFileError error;
  ASSERT_TRUE(!text.str().empty() && sim::LoadRegText(registry, text.str(), &error))
      << name << " line " << error.line << ": " << error.message;
}

// One line per key and per value, "key" or "key | name = type:hex", sorted, so that a
// difference shows as the lines that differ.
inline void Flatten(const sim::SimRegKey& key, std::vector<std::string>* out) {
  out->push_back(key.path);
  for (const sim::SimRegValue& value : key.values) {
    std::string line = key.path + " | " + value.name + " = " + std::to_string(value.type) + ":";
    for (unsigned char byte : value.data) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%02x", byte);
      line += hex;
    }
    out->push_back(line);
  }
  for (const auto& [folded, subkey] : key.subkeys)
    Flatten(*subkey, out);
}

inline std::vector<std::string> CurrentUser(const sim::SimRegistry& registry) {
  std::vector<std::string> lines;
  Flatten(registry.Root(platform::kHkeyCurrentUser), &lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

// Everything a run may change on a machine: the user's registry, every file with its content
// and attributes, the URL cache, the history store and the shell's recent documents.
inline std::vector<std::string> MachineState(sim::SimMachine& machine) {
  std::vector<std::string> lines = CurrentUser(machine.registry);
  for (const std::string& path : machine.files.Tree("C:\\")) {
    std::uint32_t attributes = 0;
    (void)machine.files.GetAttributes(path, &attributes);
    lines.push_back(path + " " + std::to_string(attributes) +
                    (path.ends_with('\\') ? "" : " " + machine.files.Content(path)));
  }
  for (const std::string& url : machine.url_cache.Urls())
    lines.push_back("cache " + url);
  lines.push_back("history " + std::to_string(machine.url_history.entries.size()));
  lines.push_back("recent " + std::to_string(machine.shell.recent_docs_cleared.size()));
  return lines;
}

}  // namespace scourix::testing
