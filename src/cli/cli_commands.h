#pragma once

#include <ostream>
#include <span>
#include <string>

#include "platform/platform.h"

namespace scourix::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitBadArguments = 2;

// The command line over a machine: list, preview or clean, as the arguments (without the
// program's name) ask. Output goes to out, complaints to err. Returns the exit code.
int RunCommandLine(std::span<const std::string> args,
                   platform::Platform& machine,
                   std::ostream& out,
                   std::ostream& err);

}  // namespace scourix::cli
