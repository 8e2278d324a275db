#pragma once

#include "app/context.h"

namespace scourix {

// Writes the visual-styles manifest beside the program when needed, then initialises the
// common controls.
void CreateManifest(platform::Platform& platform);

}  // namespace scourix
