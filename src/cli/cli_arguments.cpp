#include "cli/cli_arguments.h"

#include <algorithm>
#include <charconv>

#include "app/catalogue.h"

namespace scourix::cli {
namespace {

constexpr std::string_view kUsage =
    "Usage: scourix-cli COMMAND [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  list                   every target: its number in run order, caption, default, and\n"
    "                         what it removes\n"
    "  preview [SELECTION]    what the selected targets would remove; changes nothing\n"
    "          [--details]    every path, key and value, one per line\n"
    "          [--json]       the same as JSON, every change listed\n"
    "  clean [SELECTION]      cleans the selected targets, as the window's Scour does, and\n"
    "                         logs to the file beside the program\n"
    "  --help                 this text\n"
    "\n"
    "SELECTION (one of):\n"
    "  --defaults             the boxes checked when the window opens (when none is given)\n"
    "  --all                  every target\n"
    "  --targets LIST         captions or run numbers separated by commas, in any letter case,\n"
    "                         e.g. \"Temporary Files,Firefox Cache\" or \"1,12,37\"\n"
    "\n"
    "Exit codes: 0 done, 1 done but the output was cut short (a full disk, a closed pipe),\n"
    "            2 bad arguments (nothing is cleaned).\n";

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  return text;
}

std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j)
    row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The three captions nearest to a name, quoted and joined.
std::string Closest(std::string_view name) {
  std::vector<std::pair<std::size_t, std::string_view>> ranked;
  for (const Target& target : Targets())
    ranked.emplace_back(EditDistance(Lower(name), Lower(target.caption)), target.caption);
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string list;
  for (std::size_t i = 0; i < 3 && i < ranked.size(); ++i)
    list += (i == 0 ? "\"" : ", \"") + std::string(ranked[i].second) + "\"";
  return list;
}

std::optional<std::size_t> TargetNamed(std::string_view name) {
  const auto targets = Targets();
  std::size_t number = 0;
  auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), number);
  if (error == std::errc() && end == name.data() + name.size())
    return number >= 1 && number <= targets.size() ? std::optional(number - 1) : std::nullopt;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (Lower(targets[i].caption) == Lower(name))
      return i;
  }
  return std::nullopt;
}

Parsed Refused(std::string error) {
  return Parsed{std::nullopt, std::move(error)};
}

}  // namespace

std::string_view Usage() {
  return kUsage;
}

Parsed ChooseTargets(std::string_view list, Request request) {
  request.chosen.assign(Targets().size(), false);
  if (Trimmed(list).empty())
    return Refused("--targets: the list is empty");
  for (std::size_t start = 0; start <= list.size();) {
    std::size_t comma = std::min(list.find(',', start), list.size());
    std::string_view name = Trimmed(list.substr(start, comma - start));
    if (name.empty())
      return Refused("--targets: an empty name in \"" + std::string(list) + "\"");
    std::optional<std::size_t> target = TargetNamed(name);
    if (!target) {
      return Refused("--targets: no target \"" + std::string(name) + "\"; the closest are " +
                     Closest(name) + " (scourix-cli list shows them all)");
    }
    request.chosen[*target] = true;
    start = comma + 1;
  }
  return Parsed{std::move(request), {}};
}

Parsed ParseArguments(std::span<const std::string> args) {
  if (args.empty())
    return Refused("no command given");
  Request request;
  const std::string& command = args[0];
  if (command == "--help" || command == "-h" || command == "help" || command == "/?")
    return Parsed{request, {}};
  if (command == "list")
    request.command = Command::kList;
  else if (command == "preview")
    request.command = Command::kPreview;
  else if (command == "clean")
    request.command = Command::kClean;
  else
    return Refused("unknown command \"" + command + "\"");

  const auto targets = Targets();
  std::optional<std::string> selection;
  std::optional<std::string> list;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h")
      return Parsed{Request{}, {}};
    const bool selects = arg == "--defaults" || arg == "--all" || arg == "--targets" ||
                         arg.starts_with("--targets=");
    if (selects && request.command != Command::kList) {
      if (selection)
        return Refused("choose one of --defaults, --all and --targets, not " + *selection +
                       " and " + arg.substr(0, arg.find('=')));
      selection = arg.substr(0, arg.find('='));
      if (arg == "--targets") {
        if (i + 1 == args.size())
          return Refused("--targets needs a list of captions or numbers");
        list = args[++i];
      } else if (arg.starts_with("--targets=")) {
        list = arg.substr(arg.find('=') + 1);
      }
    } else if (arg == "--json" && request.command == Command::kPreview) {
      request.json = true;
    } else if (arg == "--details" && request.command == Command::kPreview) {
      request.details = true;
    } else {
      std::string error = "unknown option \"";
      error += arg;
      error += "\" for ";
      error += command;
      return Refused(std::move(error));
    }
  }
  if (list)
    return ChooseTargets(*list, std::move(request));
  request.chosen.assign(targets.size(), selection == "--all");
  if (selection != "--all") {
    for (std::size_t i = 0; i < targets.size(); ++i)
      request.chosen[i] = targets[i].default_state == 1;
  }
  return Parsed{std::move(request), {}};
}

}  // namespace scourix::cli
