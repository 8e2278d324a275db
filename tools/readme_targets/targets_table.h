#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/target_description.h"

// The README's table of what each box removes, rendered from the catalogue: its step tables,
// and the descriptions of the cleaners written in code.
namespace scourix::readme {

inline constexpr std::string_view kBegin = "<!-- targets:begin -->";
inline constexpr std::string_view kEnd = "<!-- targets:end -->";

using scourix::BlankedValueOf;
using scourix::KeyOf;
using scourix::SummariseSteps;

// The text that goes between the markers: a legend and one row per target, in run order.
std::string RenderTargetsBlock();

// Boxes of the catalogue with a cleaner written in code that has no description.
std::vector<std::string_view> UndescribedBoxes();

// `readme` with the text between its markers replaced by `block`; nothing when the markers
// are missing or out of order.
std::optional<std::string> ReplaceBlock(std::string_view readme, std::string_view block);

}  // namespace scourix::readme
