#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "app/context.h"

namespace scourix {

// One cleaning target: its check box, its place on the window and what the run does for it.
struct Target {
  std::string_view box;      // check box name, e.g. "chkIETemp"
  std::string_view caption;  // the box's caption
  int default_state;         // 1 checked, 0 unchecked, when the window opens
  int column;                // 1..3
  int row;                   // 1..13
  int tab_index;
  std::string_view status_line;     // logged by the run before the cleaners run
  std::array<Cleaner, 4> cleaners;  // called in order; unused slots are null

  int left() const { return 120 + 3000 * (column - 1); }  // twips
  int top() const { return 120 + 360 * (row - 1); }
};

inline constexpr int kBoxWidth = 2895;
inline constexpr int kBoxHeight = 255;
inline constexpr std::size_t kTargetCount = 37;

// The 37 targets in run order.
std::span<const Target, kTargetCount> Targets();

// Index of a box in run order, or kTargetCount when there is none of that name.
std::size_t TargetIndex(std::string_view box);

enum class ControlKind { kListBox, kPushButton, kLabel };

// The window's other controls.
struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;
  int left, top, width, height;  // twips
  int tab_index;
};

std::span<const ControlSpec> OtherControls();

inline constexpr std::string_view kWindowCaption = "Scourix 0.2";
inline constexpr int kClientWidth = 9135;  // twips
inline constexpr int kClientHeight = 5775;
inline constexpr int kTwipsPerInch = 1440;

// Twips to pixels at the given dots per inch (15 twips per pixel at 96 dpi).
constexpr int TwipsToPixels(int twips, int dpi) {
  return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

}  // namespace scourix
