#pragma once

#include "cleaners/cleaner_steps.h"

// The shell's folder bags: the non-roaming ones (in the user's Classes hive since Vista) and the
// roaming ones.
namespace scourix::steps {

// clang-format off
inline constexpr Step kShellNoRoamBagMRU[] = {
    /* 1 */ Prune(R"(Software\Microsoft\Windows\ShellNoRoam\BagMRU)", R"(Software\Microsoft\Windows\ShellNoRoam\BagMRU\)"),
    /* 2 */ Prune(R"(Software\Classes\Local Settings\Software\Microsoft\Windows\Shell\BagMRU)", R"(Software\Classes\Local Settings\Software\Microsoft\Windows\Shell\BagMRU\)"),
};

inline constexpr Step kShellBagMRU[] = {
    /* 1 */ Prune(R"(Software\Microsoft\Windows\Shell\BagMRU)", R"(Software\Microsoft\Windows\Shell\BagMRU\)"),
};
// clang-format on

}  // namespace scourix::steps
