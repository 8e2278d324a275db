#pragma once

#include "platform/platform.h"
#include "platform/sqlite/sqlite_places_store.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_url_cache.h"
#include "platform/win32/win32_url_history.h"

namespace scourix::win32 {

// The real machine, as the program reaches it.
struct Win32Machine {
  Win32Registry registry;
  Win32FileSystem files;
  Win32UrlCache url_cache;
  Win32UrlHistoryStore url_history;
  Win32Shell shell;
  Win32Clock clock;
  Win32System system;
  sqlite::SqlitePlacesStore places;
  platform::Platform platform{registry, files, url_cache, url_history,
                              shell,    clock, system,    places};
};

}  // namespace scourix::win32
