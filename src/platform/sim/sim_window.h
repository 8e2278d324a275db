#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/run_window.h"
#include "platform/sim/sim_list.h"
#include "platform/window.h"
#include "platform/window_layout.h"

namespace scourix::sim {

// The main window without a screen: box states, the label and every caption it showed, the
// scratch lists, and a hook that runs at each message pump (where a user could act). The
// boxes start as the layout says. It is also the window a cleaning step sees, so the core's
// leaves can be tested on it without starting the program.
class SimWindow : public platform::MainWindow, public platform::RunWindow {
 public:
  SimWindow() = default;
  explicit SimWindow(const platform::WindowLayout& layout);

  void SetStatusText(std::string_view text) override;
  std::string StatusText() const override { return status; }
  int BoxState(std::size_t box) const override { return boxes.at(box); }
  void SetBoxState(std::size_t box, int state) override { boxes.at(box) = state; }
  platform::ListControl& List(platform::ScratchList which) override;
  void PumpMessages() override;
  void ShowMessage(std::string_view text, std::string_view caption) override;
  void EndProgram() override { program_ended = true; }

  // RunWindow
  void SetStatus(std::string_view caption) override { SetStatusText(caption); }
  void DoEvents() override { PumpMessages(); }
  void DoEventsDuring(const std::function<void()>& work) override {
    PumpMessages();
    work();
  }
  bool ended() const override { return program_ended; }

  // Sets a box by its name.
  void Check(std::string_view box, int state);
  void UncheckAll();

  std::vector<std::string> box_names;
  std::vector<int> boxes;
  std::string status;
  std::vector<std::string> status_history;
  SimList keys, val_names, values;
  int pumps = 0;
  std::function<void()> on_pump;
  std::vector<std::pair<std::string, std::string>> messages;  // text, caption
  bool program_ended = false;
};

}  // namespace scourix::sim
