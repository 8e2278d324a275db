#include <string>

#include "browser/browser_cleaners.h"
#include "primitives/purge.h"
#include "primitives/registry_primitives.h"

namespace scourix {
namespace {

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

bool IsWindowsLayout(Context& ctx) {
  return IsNotWindows2000(ctx) == 1;
}

}  // namespace

void CleanIECookies(Context& ctx) {
  // A value that cannot be read gives "", and "" + "\*.*" would name the current drive's root:
  // each step runs only on a folder that passes the named-folder checks.
  SweepFolderFiles(ctx, ShellRegRead(ctx, kCookiesValue));
  PurgeFolder(ctx, ShellRegRead(ctx, kCacheValue));
}

void CleanWindowsCookies(Context& ctx) {
  SweepFolderFiles(ctx, IsWindowsLayout(ctx) ? "C:\\WINDOWS\\Cookies" : "C:\\WINNT\\Cookies");
}

void CleanTempFiles(Context& ctx) {
  // The value itself must name a folder below a root: "C:\" + "\Temp" is no temp folder.
  std::string local_settings = PlainFolderText(ShellRegRead(ctx, kLocalSettingsValue));
  if (local_settings.empty())
    return;
  PurgeFolder(ctx, local_settings + "\\Temp");
}

void CleanWindowsTemp(Context& ctx) {
  PurgeFolder(ctx, IsWindowsLayout(ctx) ? "C:\\WINDOWS\\Temp" : "C:\\WINNT\\Temp");
}

void CleanRecentDocuments(Context& ctx) {
  ctx.platform.shell.AddToRecentDocsNull(platform::kShardPathA);
}

void CleanWinampPlaylist(Context& ctx) {
  (void)DeleteOneFile(ctx, kWinampPlaylist);
}

}  // namespace scourix
