#include <gtest/gtest.h>

#include "targets_table.h"

namespace scourix {
namespace {

TEST(ReadmeTargets, EveryCleanerInCodeIsDescribed) {
  EXPECT_TRUE(readme::UndescribedBoxes().empty());
}

TEST(ReadmeTargets, StepsReadAsOneLinePerKey) {
  constexpr Step kSteps[] = {
      Blank(R"(HKEY_CURRENT_USER\Software\App\Recent File List\File1)"),
      Blank(R"(HKEY_CURRENT_USER\Software\App\Recent File List\File2)"),
      Blank(R"(HKEY_CURRENT_USER\Software\App\Recent File List\File3)"),
      Blank(R"(HKEY_CURRENT_USER\Software\App\Dirs\Last)"),
      Blank(R"(HKEY_CURRENT_USER\Software\App\Dirs\File9)"),
      Prune(R"(Software\App\Docs\)", R"(Software\App\Docs\)"),
      Sweep(R"(Software\App\Docs)", StepOpened(6)),
      Sweep(R"(Software\App\MRU)", StepOpened(6)),
  };
  EXPECT_EQ(
      readme::SummariseSteps(kSteps),
      "`HKCU\\Software\\App\\Recent File List`: `File1`–`File3` blanked<br>"
      "`HKCU\\Software\\App\\Dirs`: `Last`, `File9` blanked<br>"
      "`HKCU\\Software\\App\\Docs`: each subkey without subkeys of its own; every value<br>"
      "`HKCU\\Software\\App\\MRU`: every value, only when `HKCU\\Software\\App\\Docs` exists");
}

TEST(ReadmeTargets, BlockIsReplacedBetweenTheMarkersOnly) {
  EXPECT_EQ(
      readme::ReplaceBlock("a\n<!-- targets:begin -->\nold\n<!-- targets:end -->\nb\n", "new\n"),
      "a\n<!-- targets:begin -->\nnew\n<!-- targets:end -->\nb\n");
  EXPECT_FALSE(readme::ReplaceBlock("<!-- targets:end -->\n<!-- targets:begin -->\n", "x\n"));
  EXPECT_FALSE(readme::ReplaceBlock("no markers\n", "x\n"));
}

}  // namespace
}  // namespace scourix
