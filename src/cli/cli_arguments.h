#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The command line's words, read into one request, or refused with the reason.
namespace scourix::cli {

enum class Command { kHelp, kList, kPreview, kClean };

struct Request {
  Command command = Command::kHelp;
  std::vector<bool> chosen;  // one per target, in run order
  bool json = false;
  bool details = false;
};

struct Parsed {
  std::optional<Request> request;
  std::string error;  // set when request is not
};

Parsed ParseArguments(std::span<const std::string> args);

// What --help prints.
std::string_view Usage();

// The targets a comma-separated list names, by caption or run number, in any letter case; on
// an unknown or empty name, the reason (with the closest captions) instead.
Parsed ChooseTargets(std::string_view list, Request request);

}  // namespace scourix::cli
