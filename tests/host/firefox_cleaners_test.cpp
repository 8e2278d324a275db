#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "browser/browser_cleaners.h"
#include "browser/ini.h"
#include "primitives/cleaners_state.h"

namespace scourix {
namespace {

using testing::AppHarness;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using testing::kShellFolders;
constexpr const char* kFirefox = "C:\\Users\\me\\AppData\\Mozilla\\Firefox";
constexpr const char* kLocalFirefox = "C:\\Users\\me\\AppData\\Local\\Mozilla\\Firefox";
constexpr const char* kProfilesIni = "C:\\Users\\me\\AppData\\Mozilla\\Firefox\\profiles.ini";
constexpr const char* kRunning = "Firefox is running - profile skipped";

class FirefoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.machine.registry.SetString(kShellFolders, "AppData", "C:\\Users\\me\\AppData");
    // A whole slice passes between yields, so the label takes every line.
    app.machine.clock.tick_step = FrmMain::kSliceMs;
  }
  // The profile folders found at start.
  std::vector<std::string> Start() {
    app.Start();
    std::vector<std::string> folders;
    for (const FirefoxProfile& profile : app.frm->context().cleaners.FirefoxProfiles)
      folders.push_back(profile.folder);
    return folders;
  }
  void CleanAll() {
    Context& ctx = app.frm->context();
    CleanFirefoxCache(ctx);
    CleanFirefoxHistory(ctx);
    CleanFirefoxCookies(ctx);
  }
  // A profile of today's Firefox: places with a visited and a bookmarked page, cookies with
  // their log and index, and the old-format files.
  void AddProfile(const std::string& folder, const std::string& local) {
    sim::SimPlacesStore::Database& places = app.machine.places.Add(folder + "\\places.sqlite");
    places.pages = {{"https://visited.example/", 3, false}, {"https://kept.example/", 1, true}};
    for (const char* name : {"cookies.sqlite", "cookies.sqlite-wal", "cookies.sqlite-shm",
                             "history.dat", "cookies.txt", "prefs.js"}) {
      files().AddFile(folder + "\\" + name);
    }
    files().AddFile(local + "\\cache2\\entries\\ABCD");
    files().AddFile(local + "\\cache2\\index");
  }
  std::vector<std::string> UrlsLeft(const std::string& folder) {
    std::vector<std::string> urls;
    for (const auto& page : app.machine.places.Find(folder + "\\places.sqlite")->pages)
      urls.push_back(page.url + (page.visits == 0 ? "" : " visited"));
    return urls;
  }
  sim::SimFileSystem& files() { return app.machine.files; }
  AppHarness app;
};

// Every profile's history, cookies and cache going, bookmarks and settings staying, the
// full-house scenario checks on the real program; here what it does not stage.
TEST_F(FirefoxTest, ARunningProfileKeepsItsDatabasesAndCache) {
  files().AddFile(kProfilesIni, "[Profile0]\nPath=Profiles/busy\n[Profile1]\nPath=Profiles/idle\n");
  const std::string busy = std::string(kFirefox) + "\\Profiles\\busy";
  const std::string idle = std::string(kFirefox) + "\\Profiles\\idle";
  AddProfile(busy, std::string(kLocalFirefox) + "\\Profiles\\busy");
  AddProfile(idle, std::string(kLocalFirefox) + "\\Profiles\\idle");
  files().AddFile(busy + "\\parent.lock");
  files().AddFile(idle + "\\parent.lock");  // left behind, held by no one
  files().Lock(busy + "\\parent.lock");
  Start();
  app.window.status_history.clear();
  CleanAll();
  EXPECT_THAT(app.machine.places.cleared(), ElementsAre(idle + "\\places.sqlite"));
  EXPECT_THAT(UrlsLeft(busy),
              ElementsAre("https://visited.example/ visited", "https://kept.example/ visited"));
  EXPECT_TRUE(files().Exists(busy + "\\cookies.sqlite"));
  EXPECT_TRUE(files().Exists(busy + "\\cookies.sqlite-wal"));
  EXPECT_EQ(files().Tree(std::string(kLocalFirefox) + "\\Profiles\\busy\\cache2").size(), 4u);
  // The old-format files go as before.
  EXPECT_FALSE(files().Exists(busy + "\\history.dat"));
  EXPECT_FALSE(files().Exists(idle + "\\cookies.sqlite"));
  EXPECT_THAT(app.window.status_history, Contains(kRunning));
}

// SQLite opens the database by its name: a link there would take the clean-up elsewhere. A
// cookie store that cannot go keeps its log and index: without them it may lose what it holds.
TEST_F(FirefoxTest, APlacesLinkIsNotOpenedAndACookieStoreInUseKeepsItsSidecars) {
  files().AddFile(kProfilesIni, "[Profile0]\nPath=p\n");
  const std::string p = std::string(kFirefox) + "\\p";
  AddProfile(p, std::string(kLocalFirefox) + "\\p");
  app.machine.places.Add("D:\\elsewhere\\places.sqlite");
  files().Remove(p + "\\places.sqlite");
  files().AddLink(p + "\\places.sqlite", "D:\\elsewhere\\places.sqlite", false);
  files().Lock(p + "\\cookies.sqlite");
  Start();
  CleanAll();
  EXPECT_THAT(app.machine.places.cleared(), IsEmpty());
  for (const char* kept : {"cookies.sqlite", "cookies.sqlite-wal", "cookies.sqlite-shm"})
    EXPECT_TRUE(files().Exists(p + "\\" + kept)) << kept;
}

TEST_F(FirefoxTest, ProfilesAreReadUntilTheListEndsEachOnce) {
  files().AddFile(kProfilesIni,
                  "[Profile0]\nPath=Profiles/a\n"
                  "[Profile1]\nName=no path\n"
                  "[Profile2]\nPath=profiles/A\n"  // the first again
                  "[Profile3]\nPath=../outside\n"
                  "[Profile4]\nIsRelative=0\nPath=D:\\b\n"
                  "[Profile6]\nPath=after the end\n");
  EXPECT_THAT(Start(), ElementsAre(std::string(kFirefox) + "\\Profiles\\a", "D:\\b"));
  EXPECT_EQ(app.frm->context().cleaners.FirefoxProfiles[0].local,
            std::string(kLocalFirefox) + "\\Profiles\\a");
}

// A path longer than the read is cut: the cut one names the profile's parent folder.
const std::string kCutPath =
    "[Profile0]\nPath=" + std::string(200, 'p') + "/" + std::string(60, 'q') + "\n";

class FirefoxNoProfileTest : public FirefoxTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(FirefoxNoProfileTest, NothingIsCleanedAnywhere) {
  files().AddFile(kProfilesIni, GetParam());
  for (const std::string& root :
       {std::string("C:"), std::string("C:\\Users\\me\\AppData\\Mozilla"), std::string(kFirefox),
        std::string(kFirefox) + "\\" + std::string(200, 'p'), std::string("C:\\Mozilla\\Firefox"),
        std::string("C:\\WINDOWS")}) {
    files().AddFile(root + "\\history.dat");
    files().AddFile(root + "\\cookies.txt");
    files().AddFile(root + "\\cache\\x");
  }
  if (std::string_view(GetParam()) == "no app data")
    app.machine.registry.SetValueBytes(kShellFolders, "AppData", 3, "\x01\x02");
  if (std::string_view(GetParam()) == "no key")
    app.machine.registry.RemoveTree(kShellFolders);
  if (std::string_view(GetParam()) == "app data read as the root")
    app.machine.registry.SetString(kShellFolders, "AppData", "C:\\x/..");
  Start();
  CleanAll();
  EXPECT_THAT(files().removed(), IsEmpty());
  EXPECT_THAT(app.machine.places.cleared(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Profiles,
                         FirefoxNoProfileTest,
                         ::testing::Values("[Profile0]\nPath=../../..\n",
                                           "[Profile0]\nPath=Profiles/../..\n",
                                           "[Profile0]\nIsRelative=0\nPath=Profiles/x\n",
                                           "[Profile0]\nIsRelative=0\nPath=\n",
                                           "[Profile0]\nIsRelative=0\nPath=C:\\\n",
                                           "[Profile0]\nIsRelative=0\nPath=\\\\?\\C:\\\n",
                                           "[Profile0]\nIsRelative=0\nPath=C:\\WINDOWS\n",
                                           "[Profile0]\nName=default\n",  // no path at all
                                           "[Profile1]\nPath=\n",
                                           "no app data",
                                           "no key",
                                           "app data read as the root",
                                           kCutPath.c_str()));

// The read is cut by characters, as the platform's buffer counts them, not by UTF-8 bytes.
TEST_F(FirefoxTest, GetFromIniCutsAtCharacters) {
  std::string e_acute = "\xC3\xA9";
  std::string value;
  for (int i = 0; i < 300; ++i)
    value += e_acute;
  files().AddFile(kProfilesIni, "[S]\nK=" + value + "\n");
  INI ini(files());
  EXPECT_EQ(ini.GetFromINI(kProfilesIni, "S", "K"), value.substr(0, 254 * e_acute.size()));
}

}  // namespace
}  // namespace scourix
