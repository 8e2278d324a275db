#pragma once

#include <memory>
#include <string>
#include <vector>

#include "registry/reg_view.h"

namespace scourix {

// One Firefox profile as profiles.ini places it.
struct FirefoxProfile {
  std::string folder;  // history, cookies and the old cache
  std::string local;   // the local half, where today's cache lives; "" when unknown
};

// Module state of the cleaners: lives for the whole process.
struct CleanersState {
  // Shared by every registry cleaner and the Firefox profile lookup; made on first use.
  std::unique_ptr<RegView> CleanerRegView;
  // Set once, when the window loads: Profile0 first, then the others in their order, each
  // once.
  std::vector<FirefoxProfile> FirefoxProfiles;
};

}  // namespace scourix
