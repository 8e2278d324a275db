#include <memory>
#include <string>

#include "app/frm_main.h"
#include "browser/browser_cleaners.h"
#include "platform/file_system.h"
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

// What a directory listing with attribute mask 0 leaves out. Links are left out as well:
// wiping one would overwrite whatever it points to.
constexpr std::uint32_t kNotNormal = platform::kAttrHidden | platform::kAttrSystem |
                                     platform::kAttrVolumeLabel | platform::kAttrDirectory |
                                     platform::kAttrReparsePoint;

bool IsWindowsLayout(Context& ctx) {
  return IsNotWindows2000(ctx) == 1;
}

// Wipes and deletes the normal files directly in a folder ("folder\*.*"), showing each bare
// name. A file that cannot be opened or written (locked, read-only, no access) is skipped.
void SweepFolderFiles(Context& ctx, std::string_view folder) {
  if (!IsPurgeableFolder(folder))
    return;
  std::unique_ptr<platform::DirectoryListing> listing;
  if (ctx.platform.files.ListFolder(folder, &listing) != platform::kSuccess)
    return;
  platform::DirEntry entry;
  while (listing->Next(&entry)) {
    if ((entry.attributes & kNotNormal) != 0)
      continue;
    std::string path(folder);
    if (path.back() != '\\')
      path += '\\';
    path += entry.name;
    if (WipeAndDeleteFile(ctx, path) == platform::kSuccess)
      ctx.frmMain.SetStatus("Deleting - " + entry.name);
    ctx.frmMain.DoEvents();
  }
}

}  // namespace

void CleanIECookies(Context& ctx) {
  // A value that cannot be read gives "", and "" + "\*.*" would name the current drive's root:
  // each step runs only on an absolute folder.
  SweepFolderFiles(ctx, ShellRegRead(ctx, kCookiesValue));
  PurgeFolder(ctx, ShellRegRead(ctx, kCacheValue));
}

void CleanWindowsCookies(Context& ctx) {
  SweepFolderFiles(ctx, IsWindowsLayout(ctx) ? "C:\\WINDOWS\\Cookies" : "C:\\WINNT\\Cookies");
}

void CleanTempFiles(Context& ctx) {
  std::string local_settings = ShellRegRead(ctx, kLocalSettingsValue);
  if (!IsAbsolutePath(local_settings))
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
