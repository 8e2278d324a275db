// Prints the README's table of what each box removes, or checks or rewrites README.md, or
// prints a list of targets for the end-to-end checks.
//   scourix_readme_targets                 print the text that goes between the markers
//   scourix_readme_targets --check FILE    exit 1 when FILE's table differs from the code
//   scourix_readme_targets --write FILE    rewrite FILE's table
//   scourix_readme_targets --status-lines  print each target's default state and status line
//   scourix_readme_targets --census-keys   print each target's caption and registry keys
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "target_lists.h"
#include "targets_table.h"

namespace {

using scourix::readme::ReplaceBlock;

bool ReadFile(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  *text = buffer.str();
  return static_cast<bool>(in);
}

// The first line where the two texts part, for the failure message.
void ShowFirstDifference(std::string_view have, std::string_view want) {
  std::istringstream a{std::string(have)}, b{std::string(want)};
  std::string line_a, line_b;
  for (int line = 1;; ++line) {
    bool more_a = static_cast<bool>(std::getline(a, line_a));
    bool more_b = static_cast<bool>(std::getline(b, line_b));
    if (!more_a && !more_b)
      return;
    if (line_a != line_b || more_a != more_b) {
      std::cerr << "first difference, line " << line
                << " of the file:\n  README: " << (more_a ? line_a : "(end)")
                << "\n  code:   " << (more_b ? line_b : "(end)") << "\n";
      return;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  for (std::string_view box : scourix::readme::UndescribedBoxes()) {
    std::cerr << box << ": its cleaner has neither a step table nor a description\n";
  }
  if (!scourix::readme::UndescribedBoxes().empty())
    return 1;
  const std::string block = scourix::readme::RenderTargetsBlock();
  if (argc == 1) {
    std::cout << block;
    return 0;
  }
  const std::string_view mode = argv[1];
  if (argc == 2 && (mode == "--status-lines" || mode == "--census-keys")) {
    std::cout << (mode == "--status-lines" ? scourix::readme::StatusLines()
                                           : scourix::readme::CensusKeys());
    return 0;
  }
  if (argc != 3 || (mode != "--check" && mode != "--write")) {
    std::cerr << "usage: " << argv[0]
              << " [--check|--write README.md | --status-lines | --census-keys]\n";
    return 2;
  }
  std::string readme;
  if (!ReadFile(argv[2], &readme)) {
    std::cerr << "cannot read " << argv[2] << "\n";
    return 1;
  }
  std::optional<std::string> wanted = ReplaceBlock(readme, block);
  if (!wanted) {
    std::cerr << argv[2] << " has no " << scourix::readme::kBegin << " ... "
              << scourix::readme::kEnd << " block\n";
    return 1;
  }
  if (mode == "--check") {
    if (*wanted == readme)
      return 0;
    std::cerr << argv[2] << ": the table of what each box removes differs from the code.\n";
    ShowFirstDifference(readme, *wanted);
    std::cerr << "Regenerate it with: scripts/update_readme_targets.sh\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << *wanted;
  return out ? 0 : 1;
}
