#include "cleaners/cleaner_steps.h"

#include <cassert>
#include <vector>

#include "primitives/registry_primitives.h"

namespace scourix {

namespace {

// Carries out one step; true when it opened its key. Blanks and single deletions open
// nothing that a later step could depend on.
bool RunStep(Context& ctx, const Step& step) {
  switch (step.action) {
    case StepAction::kBlank:
      ShellRegWrite(ctx, step.location, "");
      return false;
    case StepAction::kDeleteValue:
      DeleteRegValue(ctx, platform::kHkeyCurrentUser, step.location, step.value_name);
      return false;
    case StepAction::kSweepValues:
      return SweepKeyValues(ctx, step.location);
    case StepAction::kSweepSubkeys:
      return SweepSubkeys(ctx, step.location, step.swept_subkeys, step.pass_over);
    case StepAction::kPruneSubkeys:
      return PruneSubkeys(ctx, step.location, step.prefix);
  }
  return false;
}

}  // namespace

void RunSteps(Context& ctx, std::span<const Step> steps) {
  std::vector<bool> opened(steps.size(), false);
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const int gate = steps[i].when.opened_step;
    if (gate != 0) {
      const bool earlier = gate > 0 && static_cast<std::size_t>(gate) <= i;
      assert(earlier && "a step can depend only on an earlier one");
      // A key that could not be opened ends the cleaner there: what depends on it is skipped.
      if (!earlier || !opened[static_cast<std::size_t>(gate) - 1])
        continue;
    }
    opened[i] = RunStep(ctx, steps[i]);
  }
}

}  // namespace scourix
