#include "platform/sim/sim_window.h"

namespace scourix::sim {

SimWindow::SimWindow() {
  for (std::size_t i = 0; i < kTargetCount; ++i)
    boxes[i] = Targets()[i].default_state;
}

void SimWindow::SetStatusText(std::string_view text) {
  status = std::string(text);
  status_history.push_back(status);
}

platform::ListControl& SimWindow::List(platform::ScratchList which) {
  switch (which) {
    case platform::ScratchList::kKeys:
      return keys;
    case platform::ScratchList::kValNames:
      return val_names;
    case platform::ScratchList::kValues:
      break;
  }
  return values;
}

void SimWindow::PumpMessages() {
  ++pumps;
  if (on_pump)
    on_pump();
}

void SimWindow::ShowMessage(std::string_view text, std::string_view caption) {
  messages.emplace_back(text, caption);
}

void SimWindow::Check(std::string_view box, int state) {
  boxes.at(TargetIndex(box)) = state;
}

void SimWindow::UncheckAll() {
  boxes.fill(0);
}

}  // namespace scourix::sim
