#pragma once

#include "cleaners/cleaner_steps.h"

// The shell's folder bags. Both targets prune the same key; when both are checked, the second
// pass finds only what the first left in place.
namespace scourix::steps {

// clang-format off
inline constexpr Step kShellNoRoamBagMRU[] = {
    /* 1 */ Prune(R"(Software\Microsoft\Windows\ShellNoRoam\BagMRU)", R"(Software\Microsoft\Windows\ShellNoRoam\BagMRU\)"),
};

inline constexpr Step kShellBagMRU[] = {
    /* 1 */ Prune(R"(Software\Microsoft\Windows\ShellNoRoam\BagMRU)", R"(Software\Microsoft\Windows\ShellNoRoam\BagMRU\)"),
};
// clang-format on

}  // namespace scourix::steps
