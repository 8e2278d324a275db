#pragma once

#include <string>
#include <vector>

#include "browser/cache_state.h"
#include "platform/platform.h"
#include "platform/run_window.h"
#include "platform/sim/sim_list.h"
#include "platform/window.h"
#include "primitives/cleaners_state.h"
#include "primitives/context.h"

namespace scourix::conformance {

// A window that only records its status lines and message pumps. As the window a step runs
// with, it takes every line a step shows, where the program's window shows one per slice.
class StatusWindow : public platform::MainWindow, public platform::RunWindow {
 public:
  void SetStatusText(std::string_view text) override { lines.emplace_back(text); }
  std::string StatusText() const override { return lines.empty() ? std::string() : lines.back(); }
  int BoxState(std::size_t) const override { return 0; }
  void SetBoxState(std::size_t, int) override {}
  platform::ListControl& List(platform::ScratchList) override { return list_; }
  void PumpMessages() override { ++pumps; }
  void ShowMessage(std::string_view, std::string_view) override {}
  void EndProgram() override {}

  // RunWindow
  void SetStatus(std::string_view caption) override { SetStatusText(caption); }
  void DoEvents() override { PumpMessages(); }
  void DoEventsDuring(const std::function<void()>& work) override { work(); }
  bool ended() const override { return false; }

  std::vector<std::string> lines;
  int pumps = 0;

 private:
  sim::SimList list_;
};

// What a cleaner reaches, on a machine, with a StatusWindow as the window it runs with.
class StepContext {
 public:
  explicit StepContext(platform::Platform& platform) : ctx_{platform, window, cleaners_, cache_} {}
  Context& ctx() { return ctx_; }

  StatusWindow window;

 private:
  CleanersState cleaners_;
  CacheState cache_;
  Context ctx_;
};

}  // namespace scourix::conformance
