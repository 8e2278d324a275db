#pragma once

#include "platform/platform.h"
#include "recording/journal.h"
#include "recording/recording_file_system.h"
#include "recording/recording_places_store.h"
#include "recording/recording_registry.h"
#include "recording/recording_shell.h"
#include "recording/recording_url_cache.h"
#include "recording/recording_url_history.h"

namespace scourix::recording {

// A machine's platform with every interface that changes something behind its recorder; the
// clock and the system pass as they are. Recording one more interface is one more member here.
class RecordingPlatform {
 public:
  RecordingPlatform(platform::Platform& real, Mode mode)
      : journal(mode),
        registry_(real.registry, journal),
        files_(real.files, journal),
        url_cache_(real.url_cache, journal),
        url_history_(real.url_history, journal),
        shell_(real.shell, journal),
        places_(real.places, journal),
        platform{registry_, files_,     url_cache_,  url_history_,
                 shell_,    real.clock, real.system, places_} {}

  Journal journal;

 private:
  RecordingRegistry registry_;
  RecordingFileSystem files_;
  RecordingUrlCache url_cache_;
  RecordingUrlHistoryStore url_history_;
  RecordingShell shell_;
  RecordingPlacesStore places_;

 public:
  platform::Platform platform;
};

}  // namespace scourix::recording
