#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

#include "app/catalogue.h"
#include "app/main_window_layout.h"
#include "app_harness.h"
#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/text_sink.h"
#include "targets_table.h"

namespace scourix::testing {
namespace {

using platform::TwipsRect;
using ::testing::HasSubstr;

bool Overlap(const TwipsRect& a, const TwipsRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// What the table and the window made from it must hold together: every target does something
// and has a box of its own; every box and shown control lies inside the client area, clear of
// the others, with a description for its tip; the scratch lists lie below it; the keyboard visits
// each control once, at tab stops 0, 1, 2 and so on.
TEST(Catalogue, TableAndWindowAreConsistent) {
  const platform::WindowLayout layout = MainWindowLayout();
  ASSERT_EQ(layout.boxes.size(), Targets().size());
  std::set<std::string_view> names;
  for (const Target& t : Targets()) {
    EXPECT_TRUE(names.insert(t.box).second) << t.box;
    EXPECT_TRUE(t.default_state == 0 || t.default_state == 1) << t.box;
    EXPECT_TRUE(t.actions[0].cleaner != nullptr || !t.actions[0].steps.empty()) << t.box;
  }

  std::vector<std::pair<std::string_view, TwipsRect>> shown;
  std::set<int> tabs;
  for (const platform::BoxSpec& box : layout.boxes) {
    shown.emplace_back(box.name, box.place);
    EXPECT_TRUE(tabs.insert(box.tab_index).second) << box.name;
    // Its tip: plain words, not the README's Markdown.
    EXPECT_FALSE(box.description.empty()) << box.name;
    EXPECT_EQ(box.description.find_first_of("`*<"), std::string::npos) << box.description;
  }
  for (const platform::ControlSpec& control : layout.controls) {
    EXPECT_TRUE(tabs.insert(control.tab_index).second) << control.name;
    if (control.kind == platform::ControlKind::kScratchList)
      EXPECT_GE(control.place.top, layout.client_height) << control.name;
    else
      shown.emplace_back(control.name, control.place);
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const auto& [name, place] = shown[i];
    EXPECT_TRUE(place.left >= 0 && place.top >= 0 &&
                place.left + place.width <= layout.client_width &&
                place.top + place.height <= layout.client_height)
        << name;
    for (std::size_t j = i + 1; j < shown.size(); ++j)
      EXPECT_FALSE(Overlap(place, shown[j].second)) << name << " " << shown[j].first;
  }
  EXPECT_EQ(*tabs.begin(), 0);
  EXPECT_EQ(*tabs.rbegin(), static_cast<int>(tabs.size()) - 1);
}

// The table itself, and every cleaner's line, are checked against README.md by the tool's own
// test (readme_targets_match_code); here the markers it writes between.
TEST(ReadmeTargets, BlockIsReplacedBetweenTheMarkersOnly) {
  EXPECT_EQ(
      readme::ReplaceBlock("a\n<!-- targets:begin -->\nold\n<!-- targets:end -->\nb\n", "new\n"),
      "a\n<!-- targets:begin -->\nnew\n<!-- targets:end -->\nb\n");
  EXPECT_FALSE(readme::ReplaceBlock("<!-- targets:end -->\n<!-- targets:begin -->\n", "x\n"));
  EXPECT_FALSE(readme::ReplaceBlock("no markers\n", "x\n"));
}

// The command line: every bad input is refused with exit code 2 and a reason, before anything
// is touched; the selections choose what they say. What clean and preview do on a seeded
// machine, and the log clean writes, the cli scenario checks on the real program.
std::vector<bool> Only(std::initializer_list<std::size_t> numbers) {
  std::vector<bool> chosen(Targets().size(), false);
  for (std::size_t number : numbers)
    chosen[number - 1] = true;
  return chosen;
}

std::vector<bool> Defaults() {
  std::vector<bool> chosen;
  for (const Target& target : Targets())
    chosen.push_back(target.default_state == 1);
  return chosen;
}

TEST(CliArgumentsTest, SelectionsChooseTheirTargets) {
  const std::vector<std::pair<std::vector<std::string>, std::vector<bool>>> rows = {
      {{"clean"}, Defaults()},
      {{"preview", "--defaults"}, Defaults()},
      {{"clean", "--all"}, std::vector<bool>(Targets().size(), true)},
      {{"preview", "--targets", "temporary files, FIREFOX CACHE"}, Only({12, 4})},
      {{"clean", "--targets=1,12,37,1"}, Only({1, 12, 37})},
  };
  for (const auto& [args, chosen] : rows) {
    const cli::Parsed parsed = cli::ParseArguments(args);
    ASSERT_TRUE(parsed.request) << args.back() << ": " << parsed.error;
    EXPECT_EQ(parsed.request->chosen, chosen) << args.back();
  }
}

TEST(CliArgumentsTest, BadInputExitsTwoWithAReasonAndTouchesNothing) {
  const std::vector<std::pair<std::vector<std::string>, const char*>> rows = {
      {{}, "no command"},
      {{"scour"}, "unknown command \"scour\""},
      {{"clean", "--force"}, "unknown option \"--force\""},
      {{"list", "--all"}, "unknown option \"--all\""},
      {{"clean", "--json"}, "unknown option \"--json\""},
      {{"clean", "--targets", "Temporary Flies"}, "the closest are \"Temporary Files\""},
      {{"clean", "--targets", "0"}, "no target \"0\""},
      {{"clean", "--targets", "38"}, "no target \"38\""},
      {{"clean", "--targets", ""}, "the list is empty"},
      {{"clean", "--targets", "1,,2"}, "an empty name"},
      {{"clean", "--targets"}, "needs a list"},
      {{"clean", "--all", "--defaults"}, "choose one of"},
  };
  for (const auto& [args, reason] : rows) {
    sim::SimMachine machine;
    machine.files.AddFile("C:\\Users\\me\\AppData\\Local\\Temp\\x.tmp");
    const std::vector<std::string> before = MachineState(machine);
    cli::StringSink out, err;
    EXPECT_EQ(cli::RunCommandLine(args, machine.platform, out, err), cli::kExitBadArguments);
    EXPECT_THAT(err.text, HasSubstr(reason));
    EXPECT_EQ(out.text, "");
    EXPECT_EQ(MachineState(machine), before);
  }
}

// list: one line per target in run order, with its number, caption, default and description.
TEST(CliCommandsTest, ListShowsEveryTargetAndHelpTheUsage) {
  sim::SimMachine machine;
  cli::StringSink out, err;
  const std::vector<std::string> list = {"list"};
  ASSERT_EQ(cli::RunCommandLine(list, machine.platform, out, err), cli::kExitDone);
  EXPECT_EQ(std::count(out.text.begin(), out.text.end(), '\n'), std::ssize(Targets()));
  EXPECT_THAT(out.text, ::testing::ContainsRegex("\n12 Temporary Files +checked   Everything "
                                                 "inside shell folder \"Local Settings\""));

  const std::vector<std::string> help = {"--help"};
  ASSERT_EQ(cli::RunCommandLine(help, machine.platform, out, err), cli::kExitDone);
  EXPECT_THAT(out.text, HasSubstr("Usage: scourix-cli COMMAND"));

  // Output cut short (a full disk, a closed pipe) is no answer a script may take for a whole one.
  struct CutShort : cli::TextSink {
    void Write(std::string_view) override {}
    bool whole() const override { return false; }
  } cut;
  EXPECT_EQ(cli::RunCommandLine(list, machine.platform, cut, err), cli::kExitOutputLost);
  EXPECT_EQ(err.text, "");
}

// A registry name may hold any character: in the details a new line or an escape sequence is
// shown, not sent to the terminal; JSON gives every name exactly, in a form its readers take.
TEST(CliCommandsTest, NamesAreShownHarmlesslyInTheDetailsAndExactlyInJson) {
  sim::SimMachine machine;
  const std::string run_mru =
      "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion"
      "\\Explorer\\RunMRU";
  machine.registry.SetString(run_mru, "a\n     value  fake\x1b]0;t\x07\xC2\x9B", "x");
  cli::StringSink out, err;
  const std::vector<std::string> args = {"preview", "--targets", "Run Recent", "--details"};
  ASSERT_EQ(cli::RunCommandLine(args, machine.platform, out, err), cli::kExitDone);
  EXPECT_THAT(out.text, HasSubstr("RunMRU\\a^J     value  fake^[]0;t^GM-^[  (2 bytes)\n"));

  // In JSON, exactly; half of a surrogate pair by JSON's own escape, as a reader takes it.
  machine.registry.SetString(run_mru, "b\xED\xA0\x80", "x");
  const std::vector<std::string> json = {"preview", "--targets", "17", "--json"};
  ASSERT_EQ(cli::RunCommandLine(json, machine.platform, out, err), cli::kExitDone);
  EXPECT_THAT(out.text, HasSubstr("RunMRU\\\\a\\n     value  fake\\u001b]0;t\\u0007\xC2\x9B\""));
  EXPECT_THAT(out.text, HasSubstr("RunMRU\\\\b\\ud800\""));
}

}  // namespace
}  // namespace scourix::testing
