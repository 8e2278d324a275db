#include "platform/sim/sim_window.h"

#include <algorithm>

namespace scourix::sim {

SimWindow::SimWindow(const platform::WindowLayout& layout) {
  for (const platform::BoxSpec& box : layout.boxes) {
    box_names.emplace_back(box.name);
    boxes.push_back(box.default_state);
  }
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
  const auto named = std::find(box_names.begin(), box_names.end(), box);
  boxes.at(static_cast<std::size_t>(named - box_names.begin())) = state;
}

void SimWindow::UncheckAll() {
  std::fill(boxes.begin(), boxes.end(), 0);
}

}  // namespace scourix::sim
