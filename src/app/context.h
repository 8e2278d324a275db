#pragma once

#include "platform/platform.h"

namespace scourix {

class FrmMain;
struct CleanersState;
struct CacheState;

// What every cleaner reaches: the platform, the one main window, and the process-lifetime
// state of the cleaner and cache modules.
struct Context {
  platform::Platform& platform;
  FrmMain& frmMain;
  CleanersState& cleaners;
  CacheState& cache;
};

// A target's cleaner: takes nothing from the run and returns nothing to it.
using Cleaner = void (*)(Context&);

}  // namespace scourix
