#include "app/windows_history_step.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "browser/cache_state.h"
#include "browser/url_history.h"
#include "primitives/purge.h"
#include "primitives/registry_primitives.h"

namespace scourix {
namespace {

constexpr std::string_view kHistoryFolderValue =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
    "Folders\\History";

constexpr std::array<std::string_view, 3> kHistoryFolders = {"\\History.IE5", "\\History.IE6",
                                                             "\\History.IE7"};

void ClearHistoryStore(Context& ctx) {
  std::unique_ptr<CURLHistory>& store = ctx.cache.UrlHistory;
  try {
    if (!store)
      store = std::make_unique<CURLHistory>(ctx.platform.url_history);
    store->Clear();
    store->Refresh();
  } catch (const UrlHistoryError&) {
    // A store that cannot be opened or read (Wine's answers "not implemented") must not cost
    // the user the folder purge or the rest of the run. A store that failed to open is tried
    // again by the next run.
  }
}

}  // namespace

void WindowsHistoryStep(Context& ctx) {
  ClearHistoryStore(ctx);
  for (std::string_view suffix : kHistoryFolders) {
    // Read afresh for each folder: the purge before it yields to the window.
    // An unreadable, relative or root value would put the suffixes under a drive's root.
    std::string folder = PlainFolderText(ShellRegRead(ctx, kHistoryFolderValue));
    if (folder.empty())
      continue;
    PurgeFolder(ctx, folder + std::string(suffix));
  }
}

}  // namespace scourix
