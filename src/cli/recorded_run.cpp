#include "cli/recorded_run.h"

#include "app/mdl_time.h"
#include "app/scour_run.h"
#include "browser/browser_cleaners.h"
#include "browser/cache_state.h"
#include "primitives/cleaners_state.h"
#include "recording/recording_platform.h"

namespace scourix::cli {

std::vector<TargetChanges> RecordRun(platform::Platform& machine,
                                     recording::Mode mode,
                                     const std::vector<bool>& chosen,
                                     platform::RunWindow& window,
                                     const RunHooks& hooks) {
  recording::RecordingPlatform recorded(machine, mode);
  recorded.journal.on_change = hooks.changed;
  CleanersState cleaners;
  CacheState cache;
  Context ctx{recorded.platform, window, cleaners, cache};
  FindFirefoxProfile(ctx);

  std::vector<TargetChanges> runs;
  std::size_t recorded_before = 0;
  // The changes recorded since the last target started belong to it.
  auto close_target = [&] {
    const auto& changes = recorded.journal.changes();
    if (!runs.empty())
      runs.back().changes.assign(changes.begin() + static_cast<std::ptrdiff_t>(recorded_before),
                                 changes.end());
    recorded_before = changes.size();
  };
  RunTimer timer(machine.clock);
  const ScourDriver driver{
      [&](std::size_t target) { return target < chosen.size() && chosen[target]; },
      [&](std::string_view message) {
        if (hooks.log)
          hooks.log(message);
      },
      [&](std::size_t target) {
        close_target();
        runs.push_back(TargetChanges{target, {}});
      },
      {},
  };
  (void)ScourTargets(ctx, timer, driver);
  close_target();
  return runs;
}

}  // namespace scourix::cli
