#pragma once

#include "platform/platform.h"
#include "platform/run_window.h"

namespace scourix {

struct CleanersState;
struct CacheState;

// What every cleaner reaches: the platform, the window as a running step sees it, and the
// process-lifetime state of the cleaner and cache modules.
struct Context {
  platform::Platform& platform;
  platform::RunWindow& window;
  CleanersState& cleaners;
  CacheState& cache;
};

// A target's cleaner: takes nothing from the run and returns nothing to it.
using Cleaner = void (*)(Context&);

}  // namespace scourix
