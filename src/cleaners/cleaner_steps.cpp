#include "cleaners/cleaner_steps.h"

#include <cassert>
#include <charconv>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "primitives/registry_primitives.h"

namespace scourix {

namespace {

constexpr std::string_view kFullRoot = "HKEY_CURRENT_USER\\";

// A table's path, joined to the subkey it runs inside ("" at the top).
std::string Within(std::string_view base, std::string_view path) {
  if (base.empty())
    return std::string(path);
  std::string joined(base);
  joined += '\\';
  joined += path;
  return joined;
}

// "11.0", "16.0": a major number from 11 on, 12 excepted, then "." and a minor number.
bool IsLaterOfficeVersion(std::string_view name) {
  std::size_t dot = name.find('.');
  if (dot == 0 || dot == std::string_view::npos || dot + 1 == name.size() ||
      name.find_first_not_of("0123456789", dot + 1) != std::string_view::npos) {
    return false;
  }
  int major = 0;
  auto [end, error] = std::from_chars(name.data(), name.data() + dot, major);
  return error == std::errc() && end == name.data() + dot && major >= 11 && major != 12;
}

bool IsChosen(SubkeyChoice choice, std::string_view name) {
  return choice == SubkeyChoice::kEvery || IsLaterOfficeVersion(name);
}

// A subkey found by listing is entered only if it opens as itself: the registry refuses to
// open a link named last, where the table's paths below it would pass through the link.
bool OpensAsItself(Context& ctx, std::string_view subkey) {
  platform::UniqueRegKey key;
  return platform::OpenKey(ctx.platform.registry, platform::kHkeyCurrentUser, subkey,
                           platform::kKeyQueryValue, &key) == platform::kSuccess;
}

void RunStepsWithin(Context& ctx, std::span<const Step> steps, std::string_view base);

// Carries out one step; true when it opened its key. Blanks and single deletions open
// nothing that a later step could depend on.
bool RunStep(Context& ctx, const Step& step, std::string_view base) {
  const std::string location = Within(base, step.location);
  switch (step.action) {
    case StepAction::kBlank:
      BlankExistingValue(ctx, base.empty() ? location : std::string(kFullRoot) + location);
      return false;
    case StepAction::kDeleteValue:
      DeleteRegValue(ctx, platform::kHkeyCurrentUser, location, step.value_name);
      return false;
    case StepAction::kSweepValues:
      return SweepKeyValues(ctx, location);
    case StepAction::kSweepItemValues:
      return SweepItemValues(ctx, location);
    case StepAction::kSweepSubkeys:
      return SweepSubkeys(ctx, location, step.swept_subkeys, step.pass_over);
    case StepAction::kPruneSubkeys:
      return PruneSubkeys(ctx, location, Within(base, step.prefix));
    case StepAction::kEachSubkey: {
      std::vector<std::string> names;
      if (!ListSubkeys(ctx, location, &names))
        return false;
      for (const std::string& name : names) {
        const std::string subkey = Within(location, name);
        if (IsChosen(step.choice, name) && OpensAsItself(ctx, subkey))
          RunStepsWithin(ctx, step.each, subkey);
      }
      return true;
    }
  }
  return false;
}

void RunStepsWithin(Context& ctx, std::span<const Step> steps, std::string_view base) {
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
    opened[i] = RunStep(ctx, steps[i], base);
  }
}

}  // namespace

void RunSteps(Context& ctx, std::span<const Step> steps) {
  RunStepsWithin(ctx, steps, {});
}

}  // namespace scourix
