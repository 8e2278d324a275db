#pragma once

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/frm_main.h"
#include "app/main_window_layout.h"
#include "browser/cache_state.h"
#include "platform/sim/reg_file.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_window.h"
#include "primitives/cleaners_state.h"
#include "recording/journal.h"

namespace scourix::recording {

// A change as a failing comparison shows it.
inline void PrintTo(const Change& change, std::ostream* out) {
  *out << KindName(change.kind) << " " << change.what << " (" << change.size << ")";
}

}  // namespace scourix::recording

namespace scourix::testing {

inline constexpr std::string_view kShellFolders =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A started program on an in-memory machine: Form_Initialize, the window, Form_Load.
class AppHarness {
 public:
  // Starts the program (call after setting up the machine).
  void Start() {
    frm = std::make_unique<FrmMain>(machine.platform);
    frm->Form_Initialize();
    frm->AttachWindow(window);
    frm->Form_Load();
  }

  std::string LogPath() const { return "C:\\Program Files\\Scourix\\9.05 12-4-2026.txt"; }

  // The log's lines without their stamps; a last line without its CRLF is marked.
  std::vector<std::string> Messages() const {
    const std::string text = machine.files.Content(LogPath());
    std::vector<std::string> out;
    for (std::size_t start = 0; start < text.size();) {
      std::size_t end = std::min(text.find("\r\n", start), text.size());
      std::string line = text.substr(start, end - start) + (end == text.size() ? "<no CRLF>" : "");
      std::size_t close = line.find("] ");
      out.push_back(close == std::string::npos ? line : line.substr(close + 2));
      start = end + 2;
    }
    return out;
  }

  sim::SimMachine machine;
  sim::SimWindow window{MainWindowLayout()};
  std::unique_ptr<FrmMain> frm;
};

// A case on a started program, with the label's history of the start cleared.
class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Start();
    app.window.status_history.clear();
  }
  sim::SimFileSystem& files() { return app.machine.files; }
  sim::SimRegistry& reg() { return app.machine.registry; }
  Context& ctx() { return app.frm->context(); }

  AppHarness app;
};

// The core's leaves on an in-memory machine, without starting the program: the platform, a
// window as a cleaning step sees it, and the modules' state.
class LeafTest : public ::testing::Test {
 protected:
  sim::SimFileSystem& files() { return machine.files; }
  sim::SimRegistry& reg() { return machine.registry; }
  Context& ctx() { return context_; }

  sim::SimMachine machine;
  sim::SimWindow window;
  CleanersState cleaners;
  CacheState cache;

 private:
  Context context_{machine.platform, window, cleaners, cache};
};

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
    for (unsigned char byte : value.data)
      line += {"0123456789abcdef"[byte >> 4], "0123456789abcdef"[byte & 15]};
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
inline std::vector<std::string> MachineState(const sim::SimMachine& machine) {
  std::vector<std::string> lines = CurrentUser(machine.registry);
  for (const std::string& path : machine.files.Tree("C:\\"))
    lines.push_back(path + " " + std::to_string(machine.files.Attributes(path)) +
                    (path.ends_with('\\') ? "" : " " + machine.files.Content(path)));
  for (const std::string& url : machine.url_cache.Urls())
    lines.push_back("cache " + url);
  lines.push_back("history " + std::to_string(machine.url_history.entries.size()));
  lines.push_back("recent " + std::to_string(machine.shell.recent_docs_cleared.size()));
  return lines;
}

}  // namespace scourix::testing
