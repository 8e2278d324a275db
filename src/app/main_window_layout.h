#pragma once

#include "platform/window_layout.h"

namespace scourix {

// The main window: a box for each target of the catalogue, in run order, at its column and
// row, and the buttons, the label and the scratch lists.
platform::WindowLayout MainWindowLayout();

}  // namespace scourix
