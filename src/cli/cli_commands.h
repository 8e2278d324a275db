#pragma once

#include <span>
#include <string>

#include "cli/text_sink.h"
#include "platform/platform.h"

namespace scourix::cli {

inline constexpr int kExitDone = 0;
// The command ran, but what it printed did not all reach standard output.
inline constexpr int kExitOutputLost = 1;
inline constexpr int kExitBadArguments = 2;

// The command line over a machine: list, preview or clean, as the arguments (without the
// program's name) ask. Output goes to out, complaints to err. Returns the exit code.
int RunCommandLine(std::span<const std::string> args,
                   platform::Platform& machine,
                   TextSink& out,
                   TextSink& err);

}  // namespace scourix::cli
