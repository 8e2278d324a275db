#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "cleaners/cleaner_steps.h"
#include "primitives/context.h"

namespace scourix {

// One thing a target does: a cleaner written in code, or a table of registry steps.
struct Action {
  constexpr Action() = default;
  constexpr Action(Cleaner code) : cleaner(code) {}
  template <std::size_t N>
  constexpr Action(const Step (&table)[N]) : steps(table) {}

  Cleaner cleaner = nullptr;
  std::span<const Step> steps;
};

// Carries out the action; an empty one does nothing.
void Run(const Action& action, Context& ctx);

// One cleaning target: its check box, its place on the window and what the run does for it.
struct Target {
  std::string_view box;      // check box name, e.g. "chkIETemp"
  std::string_view caption;  // the box's caption
  int default_state;         // 1 checked, 0 unchecked, when the window opens
  int column;                // 1..3
  int row;                   // 1..13
  int tab_index;
  std::string_view status_line;   // logged by the run before the actions run
  std::array<Action, 4> actions;  // carried out in order; unused slots are empty
};

// The targets in run order.
std::span<const Target> Targets();

}  // namespace scourix
