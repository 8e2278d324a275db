#pragma once

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/frm_main.h"
#include "app/main_window_layout.h"
#include "browser/cache_state.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_window.h"
#include "primitives/cleaners_state.h"

namespace scourix::testing {

// Where the file cleaners read the user's folders.
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

}  // namespace scourix::testing
