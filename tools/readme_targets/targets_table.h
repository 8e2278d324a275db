#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cleaners/cleaner_steps.h"

// The README's table of what each box removes, rendered from the catalogue: its step tables,
// and the descriptions of the cleaners written in code.
namespace scourix::readme {

inline constexpr std::string_view kBegin = "<!-- targets:begin -->";
inline constexpr std::string_view kEnd = "<!-- targets:end -->";

// The key a step acts on, below HKEY_CURRENT_USER and without a closing backslash; for a
// blank, the key of the blanked value.
std::string_view KeyOf(const Step& step);
// The name of the value a blank writes; "" for any other step.
std::string_view BlankedValueOf(const Step& step);

// One line per group of steps on the same key, e.g.
// "`HKCU\Software\...\Recent File List`: `File1`–`File4` blanked", joined by "<br>".
std::string SummariseSteps(std::span<const Step> steps);

// The text that goes between the markers: a legend and one row per target, in run order.
std::string RenderTargetsBlock();

// Boxes of the catalogue with a cleaner written in code that has no description.
std::vector<std::string_view> UndescribedBoxes();

// `readme` with the text between its markers replaced by `block`; nothing when the markers
// are missing or out of order.
std::optional<std::string> ReplaceBlock(std::string_view readme, std::string_view block);

}  // namespace scourix::readme
