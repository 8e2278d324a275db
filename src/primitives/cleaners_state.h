#pragma once

#include <memory>
#include <string>

#include "registry/reg_view.h"

namespace scourix {

// Module state of the cleaners: lives for the whole process.
struct CleanersState {
  // Shared by every registry cleaner and the Firefox profile lookup; made on first use.
  std::unique_ptr<RegView> CleanerRegView;
  // Set once, when the window loads.
  std::string FirefoxProfilePath;
};

}  // namespace scourix
