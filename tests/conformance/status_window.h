#pragma once

#include <string>
#include <vector>

#include "app/frm_main.h"
#include "platform/sim/sim_list.h"
#include "platform/window.h"

namespace scourix::conformance {

// A window that only records its status lines and message pumps.
class StatusWindow : public platform::MainWindow {
 public:
  void SetStatusText(std::string_view text) override { lines.emplace_back(text); }
  std::string StatusText() const override { return lines.empty() ? std::string() : lines.back(); }
  int BoxState(std::size_t) const override { return 0; }
  void SetBoxState(std::size_t, int) override {}
  platform::ListControl& List(platform::ScratchList) override { return list_; }
  void PumpMessages() override { ++pumps; }
  void ShowMessage(std::string_view, std::string_view) override {}
  void EndProgram() override {}

  std::vector<std::string> lines;
  int pumps = 0;

 private:
  sim::SimList list_;
};

// The program on a machine, with a StatusWindow, for calling its steps directly.
struct StatusProgram {
  explicit StatusProgram(platform::Platform& platform) : frm(platform) { frm.AttachWindow(window); }
  Context& ctx() { return frm.context(); }

  StatusWindow window;
  FrmMain frm;
};

}  // namespace scourix::conformance
