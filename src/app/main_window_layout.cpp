#include "app/main_window_layout.h"

#include <array>

#include "app/catalogue.h"
#include "app/target_description.h"

namespace scourix {
namespace {

using platform::ControlKind;

constexpr int kBoxWidth = 2895;  // twips
constexpr int kBoxHeight = 255;
constexpr int kClientWidth = 9135;
constexpr int kClientHeight = 5775;

// The scratch lists lie below the client area (top 6000 > 5775), so they are never seen.
constexpr std::array<platform::ControlSpec, 6> kOtherControls{{
    {"lstKeys", ControlKind::kScratchList, "", {0, 6000, 735, 645}, 0},
    {"lstValNames", ControlKind::kScratchList, "", {960, 6000, 735, 645}, 1},
    {"lstValues", ControlKind::kScratchList, "", {1800, 6000, 735, 645}, 2},
    {"cmdScour", ControlKind::kScourButton, "Scour", {3840, 4800, 1575, 615}, 3},
    {"lblStatus", ControlKind::kStatusLabel, "", {0, 5520, 9135, 255}, 4},
    {"cmdCheckAll", ControlKind::kCheckAllButton, "Check All", {7920, 5040, 1095, 375}, 39},
}};

constexpr std::string_view kWindowCaption = "Scourix 0.2";

}  // namespace

platform::WindowLayout MainWindowLayout() {
  platform::WindowLayout layout{kWindowCaption, kClientWidth, kClientHeight, {}, {}};
  for (const Target& target : Targets()) {
    const platform::TwipsRect place{120 + 3000 * (target.column - 1), 120 + 360 * (target.row - 1),
                                    kBoxWidth, kBoxHeight};
    layout.boxes.push_back({target.box, target.caption, target.default_state, place,
                            target.tab_index, PlainDescription(target)});
  }
  layout.controls.assign(kOtherControls.begin(), kOtherControls.end());
  return layout;
}

}  // namespace scourix
