#include "app/scour_run.h"

#include <string>

#include "app/catalogue.h"

namespace scourix {

bool ScourTargets(Context& ctx, RunTimer& timer, const ScourDriver& driver) {
  driver.log("Scour started.");
  timer.StartTimer();
  const auto targets = Targets();
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (!driver.chosen(i))
      continue;
    if (driver.starting)
      driver.starting(i);
    driver.log(targets[i].status_line);
    if (driver.yield)
      driver.yield();
    else
      ctx.window.DoEvents();
    for (const Action& action : targets[i].actions) {
      if (ctx.window.ended())
        return false;
      Run(action, ctx);
    }
    if (ctx.window.ended())
      return false;
  }
  std::uint32_t elapsed = timer.StopTimer();
  driver.log("Finished in " + std::to_string(RoundedSeconds(elapsed)) + " seconds.");
  return true;
}

}  // namespace scourix
