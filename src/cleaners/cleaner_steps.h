#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "cleaners/registry_sweeps.h"
#include "primitives/context.h"

// A registry cleaner is a short table of steps. Each step acts on one place under
// HKEY_CURRENT_USER; a step that opens a key (a sweep or a prune) can gate the steps after it,
// so that a missing application key ends the cleaner there. A step can also run a table of its
// own inside each chosen subkey of a key, with paths relative to that subkey. Tables are
// written with raw strings so that every path reads exactly as the registry editor shows it.
namespace scourix {

enum class StepAction {
  kBlank,            // write "" over the value at a full path, only where that value exists
  kDeleteValue,      // delete one named value of a key
  kSweepValues,      // delete every value of a key
  kSweepItemValues,  // delete the values named "Item N" and "Item Metadata N" of a key
  kSweepSubkeys,     // delete every value of each direct subkey, and maybe the subkey
  kPruneSubkeys,     // delete each direct subkey that has no subkeys of its own
  kEachSubkey,       // run a table inside each chosen direct subkey
};

// Which direct subkeys a kEachSubkey step enters.
enum class SubkeyChoice {
  kEvery,
  // Office version keys ("11.0", "14.0", ...) from 11.0 on, except 12.0, which the Office
  // tables name themselves.
  kLaterOfficeVersions,
};

// When a step runs: always, or only when an earlier step (numbered from 1) opened its key.
struct RunsWhen {
  int opened_step = 0;
};
inline constexpr RunsWhen kAlways{};
constexpr RunsWhen StepOpened(int step) {
  return RunsWhen{step};
}

struct Step {
  StepAction action = StepAction::kBlank;
  // A full path ("HKEY_CURRENT_USER\...\value") for a blank; a key path below
  // HKEY_CURRENT_USER for every other action.
  std::string_view location = {};
  std::string_view value_name = {};  // kDeleteValue
  std::string_view prefix = {};      // kPruneSubkeys: joined directly to each listed subkey name
  std::string_view pass_over = {};   // kSweepSubkeys: a subkey left alone; "" for none
  SweptSubkeys swept_subkeys = SweptSubkeys::kKept;  // kSweepSubkeys
  SubkeyChoice choice = SubkeyChoice::kEvery;        // kEachSubkey
  std::span<const Step> each = {};                   // kEachSubkey: run inside each subkey
  RunsWhen when = kAlways;
};

constexpr Step Blank(std::string_view full_path, RunsWhen when = kAlways) {
  return Step{.action = StepAction::kBlank, .location = full_path, .when = when};
}
constexpr Step Delete(std::string_view key, std::string_view value_name, RunsWhen when = kAlways) {
  return Step{
      .action = StepAction::kDeleteValue, .location = key, .value_name = value_name, .when = when};
}
constexpr Step Sweep(std::string_view key, RunsWhen when = kAlways) {
  return Step{.action = StepAction::kSweepValues, .location = key, .when = when};
}
constexpr Step SweepItems(std::string_view key, RunsWhen when = kAlways) {
  return Step{.action = StepAction::kSweepItemValues, .location = key, .when = when};
}
constexpr Step SweepEachSubkey(std::string_view parent,
                               SweptSubkeys swept,
                               std::string_view pass_over = {},
                               RunsWhen when = kAlways) {
  return Step{.action = StepAction::kSweepSubkeys,
              .location = parent,
              .pass_over = pass_over,
              .swept_subkeys = swept,
              .when = when};
}
constexpr Step Prune(std::string_view key, std::string_view prefix, RunsWhen when = kAlways) {
  return Step{.action = StepAction::kPruneSubkeys, .location = key, .prefix = prefix, .when = when};
}

// Inside each chosen subkey of `parent`, the steps of `table`: their key paths, and a blank's
// path, are relative to that subkey.
template <std::size_t N>
constexpr Step InEachSubkey(std::string_view parent,
                            SubkeyChoice choice,
                            const Step (&table)[N],
                            RunsWhen when = kAlways) {
  return Step{.action = StepAction::kEachSubkey,
              .location = parent,
              .choice = choice,
              .each = table,
              .when = when};
}

// Carries out the steps in order. Nothing is reported and nothing stops the run.
void RunSteps(Context& ctx, std::span<const Step> steps);

}  // namespace scourix
