#pragma once

#include <string>
#include <string_view>
#include <vector>

// What a main window shows, handed to a back-end's window by the program: the back-end makes
// the controls and reports presses, but knows nothing of what the boxes stand for.
namespace scourix::platform {

// A place on the window's client area, in twips (1440 to the inch).
struct TwipsRect {
  int left, top, width, height;
};

// A check box. Boxes are numbered in the order of the layout's list: that number is what
// MainWindow::BoxState and SetBoxState take.
struct BoxSpec {
  std::string_view name;
  std::string_view caption;
  int default_state;  // 1 checked, 0 unchecked
  TwipsRect place;
  int tab_index;
  std::string description;  // one line of what the box stands for, shown when the pointer rests
};

enum class ControlKind {
  kScratchList,  // hidden; the first three are ScratchList kKeys, kValNames, kValues in turn
  kScourButton,
  kCheckAllButton,
  kStatusLabel,
};

// Every control that is not a box.
struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;
  TwipsRect place;
  int tab_index;
};

// The keyboard visits boxes and controls together in tab-index order.
struct WindowLayout {
  std::string_view caption;
  int client_width, client_height;  // twips
  std::vector<BoxSpec> boxes;
  std::vector<ControlSpec> controls;
};

inline constexpr int kTwipsPerInch = 1440;

// Twips to pixels at the given dots per inch (15 twips per pixel at 96 dpi).
constexpr int TwipsToPixels(int twips, int dpi) {
  return (twips * dpi + kTwipsPerInch / 2) / kTwipsPerInch;
}

}  // namespace scourix::platform
