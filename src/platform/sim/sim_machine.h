#pragma once

#include "platform/platform.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_places_store.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_url_cache.h"
#include "platform/sim/sim_url_history.h"

namespace scourix::sim {

// A whole Windows machine in memory, as host tests set it up and inspect it.
struct SimMachine {
  // A fresh machine has the program installed in its folder, as a user would have it.
  SimMachine() { files.AddFile(system.program_path, "MZ"); }

  SimRegistry registry;
  SimFileSystem files;
  SimUrlCache url_cache;
  SimUrlHistory url_history;
  SimShell shell;
  SimClock clock;
  SimSystem system;
  SimPlacesStore places{files};
  platform::Platform platform{registry, files, url_cache, url_history,
                              shell,    clock, system,    places};
};

}  // namespace scourix::sim
