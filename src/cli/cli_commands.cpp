#include "cli/cli_commands.h"

#include "app/activity_log.h"
#include "app/catalogue.h"
#include "app/target_description.h"
#include "cli/change_summary.h"
#include "cli/cli_arguments.h"
#include "cli/console_window.h"
#include "cli/recorded_run.h"
#include "primitives/folder_text.h"

namespace scourix::cli {
namespace {

// A line of progress for every so many changes of one target.
constexpr std::uint64_t kProgressEvery = 1000;

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width)
    text.append(width - text.size(), ' ');
  return text;
}

void List(TextSink& out) {
  std::size_t number = 0;
  for (const Target& target : Targets()) {
    out << Padded(std::to_string(++number), 3) << Padded(std::string(target.caption), 29)
        << Padded(target.default_state == 1 ? "checked" : "unchecked", 10)
        << PlainDescription(target) << "\n";
  }
}

void PrintPreview(const std::vector<TargetChanges>& runs, bool details, TextSink& out) {
  Totals all;
  for (const TargetChanges& run : runs) {
    const Totals totals = Sum(run.changes);
    for (const recording::Change& change : run.changes)
      all.Add(change);
    out << Padded(std::to_string(run.target + 1), 3)
        << Padded(std::string(Targets()[run.target].caption), 29) << totals.Text() << "\n";
    if (details) {
      for (const recording::Change& change : run.changes)
        out << "     " << ChangeLine(change) << "\n";
    }
  }
  out << "Would remove: " << all.Text() << "\n";
}

void PrintPreviewJson(const std::vector<TargetChanges>& runs, TextSink& out) {
  Totals all;
  out << "{\"targets\":[";
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const TargetChanges& run = runs[i];
    out << (i == 0 ? "" : ",") << "\n {\"number\":" << run.target + 1
        << ",\"caption\":" << JsonString(Targets()[run.target].caption) << ",\"changes\":[";
    for (std::size_t j = 0; j < run.changes.size(); ++j) {
      all.Add(run.changes[j]);
      out << (j == 0 ? "\n  " : ",\n  ") << ChangeJson(run.changes[j]);
    }
    out << "],\"totals\":" << Sum(run.changes).Json() << "}";
  }
  out << "],\n\"totals\":" << all.Json() << "}\n";
}

int Clean(const Request& request, platform::Platform& machine, TextSink& out, TextSink& err) {
  ActivityLog log(machine.files, machine.system);
  auto write = [&](std::string_view message) {
    platform::LocalTime now = machine.clock.Now();
    log.WriteLine(StampLine(now, machine.clock.ShortDate(now), message));
  };
  const platform::LocalTime started = machine.clock.Now();
  log.Open(FolderOf(machine.system.ProgramPath()),
           LogFileName(started, machine.clock.ShortDate(started)));
  write("Scourix Initialized.");

  std::uint64_t changed = 0;
  RunHooks hooks;
  hooks.log = [&](std::string_view message) {
    write(message);
    out << message << "\n";
    changed = 0;
  };
  hooks.changed = [&](const recording::Change&) {
    if (++changed % kProgressEvery == 0)
      out << "  " << changed << " changes so far\n";
  };
  ConsoleRunWindow window(err);
  const std::vector<TargetChanges> runs =
      RecordRun(machine, recording::Mode::kLive, request.chosen, window, hooks);
  write("Scourix Decommissioned.");
  log.Close();

  Totals all;
  for (const TargetChanges& run : runs) {
    for (const recording::Change& change : run.changes)
      all.Add(change);
  }
  out << "Removed: " << all.Text() << "\n";
  return kExitDone;
}

int Run(const Request& request, platform::Platform& machine, TextSink& out, TextSink& err) {
  switch (request.command) {
    case Command::kHelp:
      out << Usage();
      return kExitDone;
    case Command::kList:
      List(out);
      return kExitDone;
    case Command::kPreview: {
      ConsoleRunWindow window(err);
      const std::vector<TargetChanges> runs =
          RecordRun(machine, recording::Mode::kPreview, request.chosen, window, {});
      if (request.json)
        PrintPreviewJson(runs, out);
      else
        PrintPreview(runs, request.details, out);
      return kExitDone;
    }
    case Command::kClean:
      return Clean(request, machine, out, err);
  }
  return kExitBadArguments;
}

}  // namespace

int RunCommandLine(std::span<const std::string> args,
                   platform::Platform& machine,
                   TextSink& out,
                   TextSink& err) {
  const Parsed parsed = ParseArguments(args);
  if (!parsed.request) {
    err << "scourix-cli: " << parsed.error << "\n"
        << "Try scourix-cli --help.\n";
    return kExitBadArguments;
  }
  const int code = Run(*parsed.request, machine, out, err);
  // A list or preview cut short by a full disk or a closed pipe is no answer: a script must
  // not take it for the whole one.
  return code == kExitDone && !out.whole() ? kExitOutputLost : code;
}

}  // namespace scourix::cli
