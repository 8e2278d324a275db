#include <optional>
#include <string>

#include "browser/browser_cleaners.h"
#include "browser/cookie_entries.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "primitives/named_folder.h"
#include "primitives/purge.h"
#include "primitives/registry_primitives.h"

namespace scourix {
namespace {

using platform::KnownFolder;

constexpr std::string_view kCookiesValue =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
    "Folders\\Cookies";
constexpr std::string_view kCacheValue =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
    "Folders\\Cache";
constexpr std::string_view kLocalSettingsValue =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell "
    "Folders\\Local Settings";
constexpr std::string_view kWinampPlaylist = "C:\\Program Files\\Winamp\\winamp.m3u";

// A folder below a system folder; "" when the system folder is unknown.
std::string Below(Context& ctx, KnownFolder folder, std::string_view name) {
  std::string path = KnownFolderText(ctx, folder);
  if (path.empty())
    return path;
  path += '\\';
  path += name;
  return path;
}

}  // namespace

void CleanIECookies(Context& ctx) {
  // A value that cannot be read gives "", and "" + "\*.*" would name the current drive's root:
  // each step runs only on a folder that passes the named-folder checks.
  SweepFolderFiles(ctx, ShellRegRead(ctx, kCookiesValue), {"Cookies", KnownFolder::kCookies});
  PurgeFolder(ctx, ShellRegRead(ctx, kCacheValue), {"Cache", std::nullopt});
  DeleteCookieEntries(ctx);
}

void CleanWindowsCookies(Context& ctx) {
  std::string cookies = Below(ctx, KnownFolder::kWindows, "Cookies");
  if (!cookies.empty())
    SweepFolderFiles(ctx, cookies);
}

void CleanTempFiles(Context& ctx) {
  std::string value = ShellRegRead(ctx, kLocalSettingsValue);
  // Since Vista the value is gone, and the temp folder is the one the system names.
  if (value.empty()) {
    PurgeFolder(ctx, KnownFolderText(ctx, KnownFolder::kTemp));
    return;
  }
  // The value itself must name a folder below a root: "C:\" + "\Temp" is no temp folder.
  std::string local_settings = PlainFolderText(value);
  if (local_settings.empty())
    return;
  PurgeFolder(ctx, local_settings + "\\Temp");
}

void CleanWindowsTemp(Context& ctx) {
  std::string temp = Below(ctx, KnownFolder::kWindows, "Temp");
  if (!temp.empty())
    PurgeFolder(ctx, temp);
}

void CleanRecentDocuments(Context& ctx) {
  const OwnFolder own{"Recent", KnownFolder::kRecent};
  // Asked to forget every document, Windows deletes the files of the Recent folder itself,
  // wherever the user's value for it leads (a root, Documents): it is asked only where this
  // step would empty that folder too, or where there is none.
  std::string named;
  if (ctx.platform.shell.GetKnownFolder(KnownFolder::kRecent, &named) != platform::kSuccess) {
    ctx.platform.shell.AddToRecentDocsNull(platform::kShardPathA);
    return;
  }
  std::string recent = PlainFolderText(named);
  if (!MayLeaveFolderTo(ctx, recent, own))
    return;
  ctx.platform.shell.AddToRecentDocsNull(platform::kShardPathA);
  // The shortcuts only: the subfolders hold the jump lists and the pinned places.
  DeleteFolderFilesEndingIn(ctx, recent, ".lnk", own);
}

void CleanWinampPlaylist(Context& ctx) {
  (void)DeleteOneFile(ctx, kWinampPlaylist);
  // Winamp 5 keeps its playlists with the user's settings.
  std::string winamp = Below(ctx, KnownFolder::kAppData, "Winamp");
  if (winamp.empty())
    return;
  for (std::string_view name : {"\\winamp.m3u", "\\winamp.m3u8"})
    (void)DeleteOneFile(ctx, winamp + std::string(name));
}

}  // namespace scourix
