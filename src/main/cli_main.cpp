#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "platform/win32/win32_machine.h"

// scourix-cli: the console front end, over the same core and back-end as the window.
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  scourix::win32::Win32Machine machine;
  return scourix::cli::RunCommandLine(args, machine.platform, std::cout, std::cerr);
}
