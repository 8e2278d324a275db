#pragma once

#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/places_store.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/url_cache.h"
#include "platform/url_history.h"

namespace scourix::platform {

// Everything outside the program that the core reaches. The window comes separately: it is
// created after start-up's first step.
struct Platform {
  Registry& registry;
  FileSystem& files;
  UrlCache& url_cache;
  UrlHistoryStore& url_history;
  Shell& shell;
  Clock& clock;
  System& system;
  PlacesStore& places;
};

}  // namespace scourix::platform
