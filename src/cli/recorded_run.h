#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/run_window.h"
#include "recording/journal.h"

namespace scourix::cli {

// The changes of one chosen target.
struct TargetChanges {
  std::size_t target;  // in run order
  std::vector<recording::Change> changes;
};

struct RunHooks {
  // A stamped line of the run ("Scour started.", the status lines, "Finished in N seconds.").
  std::function<void(std::string_view message)> log;
  // Each change as it is recorded.
  std::function<void(const recording::Change& change)> changed;
};

// The window's run over the machine, behind the recorders: the Firefox profile looked up as at
// start-up, then the chosen targets in run order. A preview leaves the machine as it was; a live
// run changes it. Either way the changes come back target by target.
std::vector<TargetChanges> RecordRun(platform::Platform& machine,
                                     recording::Mode mode,
                                     const std::vector<bool>& chosen,
                                     platform::RunWindow& window,
                                     const RunHooks& hooks);

}  // namespace scourix::cli
