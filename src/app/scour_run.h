#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "app/mdl_time.h"
#include "primitives/context.h"

namespace scourix {

// What drives one run: whether a target is chosen (asked when the run reaches it, so that a
// box changed during a yield counts), where a stamped line goes, and, optionally, a word
// before each chosen target starts and the yield after its status line (the window's
// DoEvents when none is given).
struct ScourDriver {
  std::function<bool(std::size_t target)> chosen;
  std::function<void(std::string_view message)> log;
  std::function<void(std::size_t target)> starting;
  std::function<void()> yield;
};

// The run, as the window's "Scour" and the command line's "clean" share it: "Scour started.",
// then for each chosen target in run order its status line, one yield and its actions, then
// "Finished in N seconds.". False when the window was closed mid-run: the run stops there and
// logs nothing more.
bool ScourTargets(Context& ctx, RunTimer& timer, const ScourDriver& driver);

}  // namespace scourix
