// The command line: every bad input is refused with exit code 2 and a reason, before anything
// is touched; the selections choose what they say. What clean and preview do on a seeded
// machine, and the log clean writes, the cli scenario checks on the real program.
#include <gmock/gmock.h>

#include "app/catalogue.h"
#include "cli/cli_arguments.h"
#include "cli/cli_commands.h"
#include "cli/text_sink.h"
#include "machine_state.h"

namespace scourix::testing {
namespace {

using ::testing::HasSubstr;

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
  struct Row {
    std::vector<std::string> args;
    std::vector<bool> chosen;
  };
  const std::vector<Row> rows = {
      {{"clean"}, Defaults()},
      {{"preview", "--defaults"}, Defaults()},
      {{"clean", "--all"}, std::vector<bool>(Targets().size(), true)},
      {{"preview", "--targets", "temporary files, FIREFOX CACHE"}, Only({12, 4})},
      {{"clean", "--targets=1,12,37,1"}, Only({1, 12, 37})},
  };
  for (const Row& row : rows) {
    const cli::Parsed parsed = cli::ParseArguments(row.args);
    ASSERT_TRUE(parsed.request) << row.args.back() << ": " << parsed.error;
    EXPECT_EQ(parsed.request->chosen, row.chosen) << row.args.back();
  }
}

TEST(CliArgumentsTest, BadInputExitsTwoWithAReasonAndTouchesNothing) {
  struct Row {
    std::vector<std::string> args;
    const char* reason;
  };
  const std::vector<Row> rows = {
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
  for (const Row& row : rows) {
    sim::SimMachine machine;
    machine.files.AddFile("C:\\Users\\me\\AppData\\Local\\Temp\\x.tmp");
    const std::vector<std::string> before = MachineState(machine);
    cli::StringSink out, err;
    EXPECT_EQ(cli::RunCommandLine(row.args, machine.platform, out, err), cli::kExitBadArguments);
    EXPECT_THAT(err.text, HasSubstr(row.reason));
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
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = out.text.find('\n', at)) != std::string::npos; at = end + 1)
    lines.push_back(out.text.substr(at, end - at));
  ASSERT_EQ(lines.size(), Targets().size());
  EXPECT_THAT(lines[11], ::testing::StartsWith("12 Temporary Files"));
  EXPECT_THAT(lines[11], HasSubstr("checked   Everything inside shell folder \"Local Settings\""));

  const std::vector<std::string> help = {"--help"};
  ASSERT_EQ(cli::RunCommandLine(help, machine.platform, out, err), cli::kExitDone);
  EXPECT_THAT(out.text, HasSubstr("Usage: scourix-cli COMMAND"));
  EXPECT_EQ(err.text, "");
}

}  // namespace
}  // namespace scourix::testing
