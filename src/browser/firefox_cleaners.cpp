#include <algorithm>
#include <memory>
#include <string>

#include "browser/browser_cleaners.h"
#include "browser/ini.h"
#include "platform/registry.h"
#include "primitives/cleaners_state.h"
#include "primitives/named_folder.h"
#include "primitives/purge.h"
#include "registry/reg_view.h"

namespace scourix {
namespace {

constexpr std::uint32_t kHkeyCurrentUser = 0x80000001;
constexpr std::string_view kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A relative profile path that climbs out of the Firefox folder names no profile of it.
bool ClimbsOut(std::string_view relative) {
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find('\\', start);
    if (end == std::string_view::npos)
      end = relative.size();
    std::string_view part = relative.substr(start, end - start);
    // Windows drops trailing dots and spaces, so ". ." is ".." too.
    if (!part.empty() && part.find_first_not_of(". ") == std::string_view::npos &&
        part.find("..") != std::string_view::npos) {
      return true;
    }
    if (part.find(':') != std::string_view::npos)
      return true;
    start = end + 1;
  }
  return false;
}

// The profile folder, or "" when there is none that is safe to clean: the profile is the
// folder these steps name, so it passes the same checks as every named folder.
std::string ProfileFolder(Context& ctx) {
  NamedFolder profile(ctx, ctx.cleaners.FirefoxProfilePath);
  return profile ? profile.place().shown : std::string();
}

}  // namespace

void FindFirefoxProfile(Context& ctx) {
  if (!ctx.cleaners.CleanerRegView)
    ctx.cleaners.CleanerRegView = std::make_unique<RegView>(ctx.platform.registry, ctx.window);
  RegView& view = *ctx.cleaners.CleanerRegView;
  if (view.OpenRegistry(kHkeyCurrentUser, kShellFolders) != kRegTrue)
    return;
  RenderedValue app_data = view.GetValue("AppData", false);
  view.CloseRegistry();
  // A missing value or one of GetValue's failure texts would put the Firefox folder on the
  // current drive's root, or nowhere: no profile then.
  std::string app_data_folder = app_data.IsText() ? PlainFolderText(app_data.Text()) : "";
  if (app_data_folder.empty())
    return;
  std::string firefox = app_data_folder + "\\Mozilla\\Firefox";
  std::string profiles = firefox + "\\profiles.ini";
  INI ini(ctx.platform.files);
  std::string path = ini.GetFromINI(profiles, "Profile0", "Path");
  // A value that fills the read was cut: what is left names another folder.
  if (ini.FillsRead(profiles, "Profile0", "Path"))
    return;
  std::replace(path.begin(), path.end(), '/', '\\');
  if (ini.GetFromINI(profiles, "Profile0", "IsRelative") == "0") {
    // An absolute profile is used where it is, once its text names one folder below a root;
    // the cleaners check it as every named folder before they touch it.
    ctx.cleaners.FirefoxProfilePath = PlainFolderText(path);
    return;
  }
  if (ClimbsOut(path))
    return;
  ctx.cleaners.FirefoxProfilePath = firefox + "\\" + path;
}

void CleanFirefoxCache(Context& ctx) {
  const std::string profile = ProfileFolder(ctx);
  if (!profile.empty())
    PurgeFolder(ctx, profile + "\\cache");
}

void CleanFirefoxHistory(Context& ctx) {
  const std::string profile = ProfileFolder(ctx);
  if (!profile.empty())
    (void)DeleteOneFile(ctx, profile + "\\history.dat");
}

void CleanFirefoxCookies(Context& ctx) {
  const std::string profile = ProfileFolder(ctx);
  if (!profile.empty())
    (void)DeleteOneFile(ctx, profile + "\\cookies.txt");
}

}  // namespace scourix
