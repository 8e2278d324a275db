#pragma once

#include "primitives/context.h"

namespace scourix {

// The run's own work for "Windows History": clears the URL history store and purges the
// browser's history folders.
void WindowsHistoryStep(Context& ctx);

}  // namespace scourix
