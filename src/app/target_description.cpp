#include "app/target_description.h"

#include <charconv>
#include <optional>
#include <vector>

#include "app/cleaner_descriptions.h"

namespace scourix {
namespace {

constexpr std::string_view kFullRoot = "HKEY_CURRENT_USER\\";

struct Place {
  std::string key;         // as shown: "HKCU\..."
  std::string_view value;  // blanks only
};

// Inside a subkey, keys are shown relative to it.
Place PlaceOf(const Step& step, bool nested) {
  return {(nested ? "" : "HKCU\\") + std::string(KeyOf(step)), BlankedValueOf(step)};
}

std::string Code(std::string_view text) {
  return "`" + std::string(text) + "`";
}

// "File" and 4 for "File4"; nothing for a name without a trailing number.
std::optional<std::pair<std::string_view, int>> Numbered(std::string_view name) {
  std::size_t digits = name.find_last_not_of("0123456789") + 1;
  if (digits == name.size())
    return std::nullopt;
  int number = 0;
  std::from_chars(name.data() + digits, name.data() + name.size(), number);
  return std::pair{name.substr(0, digits), number};
}

// "`File1`–`File4`" for three or more names counting up by one, otherwise "`a`, `b`".
std::string NameList(const std::vector<std::string_view>& names) {
  bool counts_up = names.size() >= 3;
  for (std::size_t i = 0; counts_up && i < names.size(); ++i) {
    auto first = Numbered(names.front());
    auto each = Numbered(names[i]);
    counts_up = first && each && each->first == first->first &&
                each->second == first->second + static_cast<int>(i);
  }
  if (counts_up)
    return Code(names.front()) + "–" + Code(names.back());
  std::string list;
  for (std::string_view name : names)
    list += (list.empty() ? "" : ", ") + Code(name);
  return list;
}

std::string Summarise(std::span<const Step> steps, bool nested);

std::string WhichSubkeys(SubkeyChoice choice) {
  switch (choice) {
    case SubkeyChoice::kEvery:
      return "in each subkey";
    case SubkeyChoice::kLaterOfficeVersions:
      return "in each version subkey from `11.0` on, `12.0` excepted";
  }
  return {};
}

std::string WhatGoes(const Step& step) {
  switch (step.action) {
    case StepAction::kBlank:
      return "blanked";
    case StepAction::kDeleteValue:
      return "value " + Code(step.value_name) + " deleted";
    case StepAction::kSweepValues:
      return "every value";
    case StepAction::kSweepItemValues:
      return "the values named `Item N` and `Item Metadata N`";
    case StepAction::kSweepSubkeys: {
      std::string text =
          step.swept_subkeys == SweptSubkeys::kDeleted
              ? "the values of each subkey, then each subkey without subkeys of its own"
              : "the values of each subkey (the subkeys stay)";
      if (!step.pass_over.empty())
        text += ", subkey " + Code(step.pass_over) + " excepted";
      return text;
    }
    case StepAction::kPruneSubkeys:
      return "each subkey without subkeys of its own";
    case StepAction::kEachSubkey:
      return WhichSubkeys(step.choice) + ": " + Summarise(step.each, true);
  }
  return {};
}

}  // namespace

std::string_view KeyOf(const Step& step) {
  std::string_view location = step.location;
  if (step.action == StepAction::kBlank) {
    if (location.starts_with(kFullRoot))
      location.remove_prefix(kFullRoot.size());
    return location.substr(0, location.rfind('\\'));
  }
  // Some keys are opened with their closing backslash; it is no part of the name.
  while (location.ends_with('\\'))
    location.remove_suffix(1);
  return location;
}

std::string_view BlankedValueOf(const Step& step) {
  if (step.action != StepAction::kBlank)
    return {};
  return step.location.substr(step.location.rfind('\\') + 1);
}

namespace {

std::string Summarise(std::span<const Step> steps, bool nested) {
  // (key, what goes there), one entry per step or per run of blanks.
  std::vector<std::pair<std::string, std::string>> lines;
  for (std::size_t i = 0; i < steps.size();) {
    const Step& step = steps[i];
    const Place place = PlaceOf(step, nested);
    std::string what;
    std::size_t next = i + 1;
    if (step.action == StepAction::kBlank) {
      // Blanks of one key in a row read as one list.
      std::vector<std::string_view> names{place.value};
      while (next < steps.size() && steps[next].action == StepAction::kBlank &&
             steps[next].when.opened_step == step.when.opened_step &&
             PlaceOf(steps[next], nested).key == place.key) {
        names.push_back(PlaceOf(steps[next], nested).value);
        ++next;
      }
      what = NameList(names) + " blanked";
    } else {
      what = WhatGoes(step);
    }
    const int gate = step.when.opened_step;
    if (gate > 0 && static_cast<std::size_t>(gate) <= steps.size()) {
      const std::string gate_key = PlaceOf(steps[static_cast<std::size_t>(gate) - 1], nested).key;
      if (gate_key != place.key)
        what += ", only when " + Code(gate_key) + " exists";
    }
    // Steps on the key just named continue its line.
    if (!lines.empty() && lines.back().first == place.key)
      lines.back().second += "; " + what;
    else
      lines.emplace_back(place.key, what);
    i = next;
  }
  // Lines inside a subkey continue the line of the step that enters it.
  std::string summary;
  for (const auto& [key, what] : lines)
    summary += (summary.empty() ? "" : nested ? "; " : "<br>") + Code(key) + ": " + what;
  return summary;
}

}  // namespace

std::string SummariseSteps(std::span<const Step> steps) {
  return Summarise(steps, false);
}

std::string TargetDescription(const Target& target) {
  std::string what;
  for (const Action& action : target.actions) {
    if (action.cleaner == nullptr && action.steps.empty())
      continue;
    std::string part = action.cleaner != nullptr
                           ? std::string(FileCleanerDescription(action.cleaner))
                           : SummariseSteps(action.steps);
    what += (what.empty() ? "" : "<br>") + (part.empty() ? "(not described)" : part);
  }
  return what;
}

std::string PlainDescription(const Target& target) {
  std::string marked = TargetDescription(target);
  // "*Shell Folders* `Cache`" reads as the shell folder "Cache".
  constexpr std::string_view kShellFolder = "*Shell Folders* ";
  for (std::size_t at; (at = marked.find(kShellFolder)) != std::string::npos;)
    marked.replace(at, kShellFolder.size(), "shell folder ");
  constexpr std::string_view kBreak = "<br>";
  std::string plain;
  for (std::size_t i = 0; i < marked.size(); ++i) {
    if (marked.compare(i, kBreak.size(), kBreak) == 0) {
      plain += "; ";
      i += kBreak.size() - 1;
    } else if (marked[i] == '`') {
      plain += '"';
    } else if (marked[i] != '*') {
      plain += marked[i];
    }
  }
  return plain;
}

}  // namespace scourix
