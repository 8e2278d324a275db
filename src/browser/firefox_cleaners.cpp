#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "browser/browser_cleaners.h"
#include "browser/ini.h"
#include "platform/places_store.h"
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
constexpr std::string_view kProfileRunning = "Firefox is running - profile skipped";
// Firefox numbers its sections from Profile0 without gaps; this only bounds a damaged list.
constexpr int kMostProfiles = 1000;

// A relative profile path that climbs out of the Firefox folder names no profile of it.
bool ClimbsOut(std::string_view relative) {
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find('\\', start);
    if (end == std::string_view::npos)
      end = relative.size();
    std::string_view part = relative.substr(start, end - start);
    // Windows drops trailing dots and spaces, so "..." and ".. " are refused with "..".
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

// Where the Firefox folders are: the roaming one holds profiles.ini and the profiles, the
// local one the local halves of the relative profiles.
struct FirefoxFolders {
  std::string roaming;
  std::string local;
};

// The profile of one section, or none when its Path is missing, cut or unsafe.
std::optional<FirefoxProfile> ReadProfile(INI& ini,
                                          const std::string& profiles,
                                          const std::string& section,
                                          const FirefoxFolders& firefox) {
  std::string path = ini.GetFromINI(profiles, section, "Path");
  // A value that fills the read was cut: what is left names another folder.
  if (path.empty() || ini.FillsRead(profiles, section, "Path"))
    return std::nullopt;
  std::replace(path.begin(), path.end(), '/', '\\');
  if (ini.GetFromINI(profiles, section, "IsRelative") == "0") {
    // An absolute profile is used where it is, once its text names one folder below a root;
    // the cleaners check it as every named folder before they touch it. It has no other half.
    std::string folder = PlainFolderText(path);
    if (folder.empty())
      return std::nullopt;
    return FirefoxProfile{folder, folder};
  }
  if (ClimbsOut(path))
    return std::nullopt;
  return FirefoxProfile{firefox.roaming + "\\" + path,
                        firefox.local.empty() ? std::string() : firefox.local + "\\" + path};
}

bool SameFolder(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

std::string LocalFirefoxFolder(Context& ctx) {
  std::string plain = KnownFolderText(ctx, platform::KnownFolder::kLocalAppData);
  return plain.empty() ? std::string() : plain + "\\Mozilla\\Firefox";
}

// Firefox holds parent.lock open, sharing nothing, while it runs with the profile: whatever
// it keeps there may change under a step, so the step passes the profile by.
bool InUse(Context& ctx, const std::string& folder) {
  std::unique_ptr<platform::Item> lock;
  platform::ItemOpen how;
  how.exclusive = true;
  platform::Status status =
      ctx.platform.files.OpenItem(LiteralPath(folder + "\\parent.lock"), how, &lock);
  if (status == platform::kSuccess || status == platform::kFileNotFound)
    return false;
  ctx.window.SetStatus(kProfileRunning);
  ctx.window.DoEvents();
  return true;
}

// Runs clean on the folder of each profile that passes the named-folder checks (held open
// meanwhile), with whether Firefox is running with it.
template <typename Clean>
void ForEachProfile(Context& ctx, Clean clean) {
  for (const FirefoxProfile& profile : ctx.cleaners.FirefoxProfiles) {
    NamedFolder folder(ctx, profile.folder);
    if (folder)
      clean(folder.place().shown, profile);
    if (ctx.window.ended())
      return;
  }
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
  FirefoxFolders firefox{app_data_folder + "\\Mozilla\\Firefox", LocalFirefoxFolder(ctx)};
  std::string profiles = firefox.roaming + "\\profiles.ini";
  INI ini(ctx.platform.files);
  std::vector<FirefoxProfile>& found = ctx.cleaners.FirefoxProfiles;
  for (int n = 0; n < kMostProfiles; ++n) {
    std::string section = "Profile" + std::to_string(n);
    std::optional<FirefoxProfile> profile = ReadProfile(ini, profiles, section, firefox);
    if (!profile) {
      // Past the first, a section with neither name nor path is the end of the list.
      if (n > 0 && ini.GetFromINI(profiles, section, "Name").empty() &&
          ini.GetFromINI(profiles, section, "Path").empty()) {
        break;
      }
      continue;
    }
    bool listed = std::any_of(found.begin(), found.end(), [&](const FirefoxProfile& known) {
      return SameFolder(known.folder, profile->folder);
    });
    if (!listed)
      found.push_back(std::move(*profile));
  }
}

void CleanFirefoxCache(Context& ctx) {
  ForEachProfile(ctx, [&](const std::string& folder, const FirefoxProfile& profile) {
    PurgeFolder(ctx, folder + "\\cache");
    if (!profile.local.empty() && !InUse(ctx, folder))
      PurgeFolder(ctx, profile.local + "\\cache2");
  });
}

void CleanFirefoxHistory(Context& ctx) {
  ForEachProfile(ctx, [&](const std::string& folder, const FirefoxProfile&) {
    (void)DeleteOneFile(ctx, folder + "\\history.dat");
    if (InUse(ctx, folder))
      return;
    // SQLite opens the database by its name, and its journal, log and log index by theirs: the
    // database is held meanwhile, and those beside it are checked, so that no name leads
    // anywhere else.
    std::string places = folder + "\\places.sqlite";
    (void)WithPlainFile(ctx, places, platform::kSideFileEndings, [&](const std::string& real) {
      // A long history takes seconds to delete and commit, in calls that cannot be broken.
      platform::Status status = platform::kSuccess;
      ctx.window.DoEventsDuring([&] { status = ctx.platform.places.ClearHistory(real); });
      return status;
    });
  });
}

void CleanFirefoxCookies(Context& ctx) {
  ForEachProfile(ctx, [&](const std::string& folder, const FirefoxProfile&) {
    (void)DeleteOneFile(ctx, folder + "\\cookies.txt");
    if (InUse(ctx, folder))
      return;
    // The log and its index go with the store, never without it: Firefox makes a new empty
    // store at its next start.
    std::string store = folder + "\\cookies.sqlite";
    platform::Status status = DeleteOneFile(ctx, store);
    if (status != platform::kSuccess && status != platform::kFileNotFound)
      return;
    (void)DeleteOneFile(ctx, store + "-wal");
    (void)DeleteOneFile(ctx, store + "-shm");
  });
}

}  // namespace scourix
