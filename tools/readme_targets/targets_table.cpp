#include "targets_table.h"

#include <charconv>

#include "app/catalogue.h"
#include "app/cleaner_descriptions.h"

namespace scourix::readme {
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

std::vector<std::string_view> UndescribedBoxes() {
  std::vector<std::string_view> boxes;
  for (const Target& target : Targets()) {
    for (const Action& action : target.actions) {
      if (action.cleaner != nullptr && FileCleanerDescription(action.cleaner).empty()) {
        boxes.push_back(target.box);
        break;
      }
    }
  }
  return boxes;
}

// What every folder step refuses, and how it treats what it finds inside a folder.
constexpr std::string_view kRefusedFolders =
    "\n"
    "*Folders a step refuses.* A folder from a shell-folder value, from the system, a fixed "
    "path or the Firefox profile is used only when its text is already the one Windows acts "
    "on: a full path strictly below a drive (`C:\\`) or share (`\\\\server\\share`) root, "
    "with no `/`, no empty, `.` or `..` component, no component ending in a dot or a "
    "space, no wildcard, no `:` past the drive and no other character a name cannot hold; "
    "a `\\\\?\\` or "
    "`\\\\.\\` prefix is taken off and the rest judged the same way; and "
    "`GetFullPathNameW` must give the text back unchanged (so `C:\\x\\NUL` is refused too). "
    "A folder that is, or holds, the Windows or system folder, a Program Files folder, the "
    "user's profile, Desktop, Documents or AppData, or the program's own folder is refused, "
    "judged by its text and again by its final path with links resolved. Inside a folder, "
    "each entry is addressed by its literal name and checked through its own handle at the "
    "moment it is acted on: links, also those that look like plain files (Unix links under "
    "Wine), are never followed, deleted or written through; a file with other hard links is "
    "not overwritten, only its name deleted; a file in use is left alone; the program's own "
    "folder is passed over.\n";

std::string RenderTargetsBlock() {
  std::string block =
      "<!-- Written by scripts/update_readme_targets.sh from the program's own tables. -->\n"
      "\n"
      "In run order. *HKCU* is HKEY_CURRENT_USER. *Shell Folders* `X` is the folder named by "
      "value `X` of `HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
      "Folders`; a step whose value is missing, or whose folder is refused (see *Folders a "
      "step refuses* below the table), is skipped. "
      "*Blanked* values are set to an empty string where they exist; a missing value or key is "
      "never created. *Everything "
      "inside* a folder means its files and subfolders; the folder itself stays, and links "
      "inside it are never followed. A step that needs a key that does not exist is "
      "skipped.\n"
      "\n"
      "| # | Box | Default | What goes |\n"
      "|---|---|---|---|\n";
  int number = 0;
  for (const Target& target : Targets()) {
    std::string what;
    for (const Action& action : target.actions) {
      if (action.cleaner == nullptr && action.steps.empty())
        continue;
      std::string part = action.cleaner != nullptr
                             ? std::string(FileCleanerDescription(action.cleaner))
                             : SummariseSteps(action.steps);
      what += (what.empty() ? "" : "<br>") + (part.empty() ? "(not described)" : part);
    }
    block += "| " + std::to_string(++number) + " | " + std::string(target.caption) + " | " +
             (target.default_state == 1 ? "checked" : "unchecked") + " | " + what + " |\n";
  }
  block += kRefusedFolders;
  return block;
}

std::optional<std::string> ReplaceBlock(std::string_view readme, std::string_view block) {
  std::size_t begin = readme.find(kBegin);
  if (begin == std::string_view::npos)
    return std::nullopt;
  std::size_t inner = readme.find('\n', begin);
  std::size_t end = readme.find(kEnd, begin);
  if (inner == std::string_view::npos || end == std::string_view::npos || end <= inner)
    return std::nullopt;
  std::string replaced(readme.substr(0, inner + 1));
  replaced += block;
  replaced += readme.substr(end);
  return replaced;
}

}  // namespace scourix::readme
