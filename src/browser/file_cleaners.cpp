#include <memory>
#include <optional>
#include <string>
#include <vector>

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

constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
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

// The user's own folders that a folder named by the user's settings must not be, nor hold:
// those the named-folder check does not guard already, and every folder the shell-folder
// values name, except the value being judged (`own`) and the known folder it stands for.
std::vector<std::string> UserFolders(Context& ctx,
                                     std::string_view own,
                                     std::optional<KnownFolder> own_known) {
  std::vector<std::string> folders;
  for (KnownFolder folder :
       {KnownFolder::kLocalAppData, KnownFolder::kRecent, KnownFolder::kCookies}) {
    if (folder != own_known)
      folders.push_back(KnownFolderText(ctx, folder));
  }
  platform::Registry& registry = ctx.platform.registry;
  platform::UniqueRegKey key;
  if (platform::OpenKey(registry, platform::kHkeyCurrentUser, kShellFoldersKey,
                        platform::kKeyQueryValue, &key) == platform::kSuccess) {
    platform::RegValue value;
    for (std::uint32_t i = 0; registry.EnumValue(key.get(), i, &value) == platform::kSuccess; ++i) {
      if ((value.type == platform::kRegSz || value.type == platform::kRegExpandSz) &&
          (own.empty() || !IsSamePath(value.name, own))) {
        folders.push_back(value.data.substr(0, value.data.find('\0')));
      }
    }
  }
  return folders;
}

// The folder is, or holds, one of the user's own folders, by its text, by where it leads or
// by its number on its volume: TEMP set by hand to the profile or AppData\Local, or the cache
// value set to Pictures (under Wine a link into the Unix home; elsewhere a junction, a share),
// would empty them. Roots, the Windows folder and the profile itself are refused by the
// purge's own check.
bool HoldsUserFolder(Context& ctx,
                     std::string_view text,
                     std::string_view own = {},
                     std::optional<KnownFolder> own_known = std::nullopt) {
  std::string folder = PlainFolderText(text);
  if (folder.empty())
    return true;
  std::vector<std::string> user_folders;
  for (const std::string& user_folder : UserFolders(ctx, own, own_known)) {
    std::string plain = PlainFolderText(user_folder);
    if (!plain.empty())
      user_folders.push_back(std::move(plain));
  }
  platform::FileSystem& files = ctx.platform.files;
  const ProtectedFolders guarded(files, user_folders);
  if (guarded.Covers(folder))
    return true;
  std::unique_ptr<platform::Item> item;
  if (files.OpenItem(LiteralPath(folder),
                     platform::ItemOpen{platform::ItemAccess::kRead, false, true},
                     &item) != platform::kSuccess) {
    return false;
  }
  std::string real;
  return (item->FinalPath(&real) == platform::kSuccess && guarded.Covers(real)) ||
         guarded.CoversItem(*item);
}

// The user's temp folder, unless it is or holds one of the user's folders.
void PurgeUserTemp(Context& ctx, const std::string& temp) {
  if (!temp.empty() && !HoldsUserFolder(ctx, temp))
    PurgeFolder(ctx, temp);
}

}  // namespace

void CleanIECookies(Context& ctx) {
  // A value that cannot be read gives "", and "" + "\*.*" would name the current drive's root:
  // each step runs only on a folder that passes the named-folder checks.
  std::string cookies = ShellRegRead(ctx, kCookiesValue);
  if (!HoldsUserFolder(ctx, cookies, "Cookies", KnownFolder::kCookies))
    SweepFolderFiles(ctx, cookies);
  std::string cache = ShellRegRead(ctx, kCacheValue);
  if (!HoldsUserFolder(ctx, cache, "Cache"))
    PurgeFolder(ctx, cache);
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
    PurgeUserTemp(ctx, KnownFolderText(ctx, KnownFolder::kTemp));
    return;
  }
  // The value itself must name a folder below a root: "C:\" + "\Temp" is no temp folder.
  std::string local_settings = PlainFolderText(value);
  if (local_settings.empty())
    return;
  // Before Vista this is the user's temp folder, and a value may send it anywhere.
  PurgeUserTemp(ctx, local_settings + "\\Temp");
}

void CleanWindowsTemp(Context& ctx) {
  std::string temp = Below(ctx, KnownFolder::kWindows, "Temp");
  if (!temp.empty())
    PurgeFolder(ctx, temp);
}

void CleanRecentDocuments(Context& ctx) {
  ctx.platform.shell.AddToRecentDocsNull(platform::kShardPathA);
  // The shortcuts only: the subfolders hold the jump lists and the pinned places.
  std::string recent = KnownFolderText(ctx, KnownFolder::kRecent);
  if (!recent.empty())
    DeleteFolderFilesEndingIn(ctx, recent, ".lnk");
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
