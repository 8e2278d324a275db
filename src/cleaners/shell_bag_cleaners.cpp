#include "cleaners/cleaner_steps.h"
#include "cleaners/cleaner_tables.h"
#include "cleaners/cleaners.h"

// The shell's folder bags. Both targets prune the same key; when both are checked, the second
// pass finds only what the first left in place.
namespace scourix {

namespace {

// clang-format off
constexpr Step kShellNoRoamBagMRU[] = {
    /* 1 */ Prune(R"(Software\Microsoft\Windows\ShellNoRoam\BagMRU)", R"(Software\Microsoft\Windows\ShellNoRoam\BagMRU\)"),
};

constexpr Step kShellBagMRU[] = {
    /* 1 */ Prune(R"(Software\Microsoft\Windows\ShellNoRoam\BagMRU)", R"(Software\Microsoft\Windows\ShellNoRoam\BagMRU\)"),
};
// clang-format on

}  // namespace

void CleanShellNoRoamBagMRU(Context& ctx) {
  RunSteps(ctx, kShellNoRoamBagMRU);
}
void CleanShellBagMRU(Context& ctx) {
  RunSteps(ctx, kShellBagMRU);
}

namespace {

constexpr CleanerTable kTables[] = {
    {CleanShellNoRoamBagMRU, kShellNoRoamBagMRU},
    {CleanShellBagMRU, kShellBagMRU},
};

}  // namespace

std::span<const CleanerTable> ShellBagTables() {
  return kTables;
}

}  // namespace scourix
