#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/windows_history_step.h"
#include "app_harness.h"
#include "browser/browser_cleaners.h"
#include "browser/ini.h"
#include "primitives/cleaners_state.h"
#include "primitives/named_folder.h"
#include "primitives/purge.h"

namespace scourix {
namespace {

using testing::AppHarness;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::kShellFolders;

namespace fs = platform;

constexpr const char* kCookies = "C:\\Users\\me\\Cookies";
constexpr const char* kCache = "C:\\Users\\me\\Cache";

class FileCleanersTest : public testing::LeafTest {
 protected:
  void SetUp() override {
    reg().SetString(kShellFolders, "Cookies", kCookies);
    reg().SetString(kShellFolders, "Cache", kCache);
    reg().SetString(kShellFolders, "Local Settings", "C:\\Users\\me\\Local Settings");
    LeafTest::SetUp();
  }
};

TEST_F(FileCleanersTest, CookieSweepTakesPlainFilesAndCookieEntriesShowingBareNamesAndNoLinks) {
  const std::string c = std::string(kCookies) + "\\";
  sim::SimUrlCache& cache = machine.url_cache;
  cache.Add("http://site.example/page");
  cache.Add("Cookie:me@site.example/", fs::kCookieCacheEntry);
  cache.Add("Visited: me@http://site.example/", fs::kUrlHistoryCacheEntry);
  cache.Add("Cookie:me@other.example/path", fs::kCookieCacheEntry);
  files().AddFile(c + "a.txt", "cookie");
  files().AddFile(c + "ro.txt", "cookie", fs::kAttrReadOnly);
  files().AddFile(c + "index.dat", "", fs::kAttrHidden | fs::kAttrSystem);
  files().AddFile(c + "sub\\deep.txt");
  files().AddFile(c + "busy.txt");
  files().Lock(c + "busy.txt");
  files().AddFile(c + "z.txt");
  files().AddFile("C:\\Users\\me\\Documents\\thesis.doc", "keep");
  files().AddLink(c + "link.txt", "C:\\Users\\me\\Documents\\thesis.doc", false);
  files().AddLink(c + "docs", "C:\\Users\\me\\Documents", true);
  int pumps = window.pumps;
  CleanIECookies(ctx());
  // The read-only file is handed to the wipe, which cannot open it; it and the locked one are
  // skipped and the sweep goes on. Links are neither written through nor deleted.
  EXPECT_THAT(files().removed(), ElementsAre(c + "a.txt", c + "z.txt"));
  EXPECT_THAT(window.status_history, ElementsAre("Deleting - a.txt", "Deleting - z.txt",
                                                 "Deleting - Cookie:me@site.example/",
                                                 "Deleting - Cookie:me@other.example/path"));
  EXPECT_EQ(window.pumps - pumps, 6);
  EXPECT_THAT(cache.Urls(),
              ElementsAre("http://site.example/page", "Visited: me@http://site.example/"));
  EXPECT_EQ(files().Content("C:\\Users\\me\\Documents\\thesis.doc"), "keep");
  EXPECT_THAT(files().links_touched(), IsEmpty());
}

// The Windows folder is the one the system names, wherever it is; another installation's
// folders on the same drive are not touched.
TEST_F(FileCleanersTest, WindowsFoldersAreTheSystemsOwn) {
  for (const char* base : {"C:\\WINDOWS", "C:\\WINNT", "D:\\Win"}) {
    files().AddFile(std::string(base) + "\\Cookies\\c.txt");
    files().AddFile(std::string(base) + "\\Temp\\t.tmp");
  }
  machine.shell.known_folders[fs::KnownFolder::kWindows] = "D:\\Win";
  CleanWindowsCookies(ctx());
  CleanWindowsTemp(ctx());
  EXPECT_THAT(files().removed(), ElementsAre("D:\\Win\\Cookies\\c.txt", "D:\\Win\\Temp\\t.tmp"));
  machine.shell.known_folders.erase(fs::KnownFolder::kWindows);
  CleanWindowsCookies(ctx());
  CleanWindowsTemp(ctx());
  EXPECT_EQ(files().removed().size(), 2u);
  // The system account's profile lies in the Windows folder; what lies in it is its own.
  const std::string profile = "D:\\Win\\system32\\config\\systemprofile";
  files().AddFile(profile + "\\Local Settings\\Temp\\s.tmp");
  machine.shell.known_folders[fs::KnownFolder::kWindows] = "D:\\Win";
  machine.shell.known_folders[fs::KnownFolder::kProfile] = profile;
  reg().SetString(kShellFolders, "Local Settings", profile + "\\Local Settings");
  CleanTempFiles(ctx());
  EXPECT_EQ(files().removed().back(), profile + "\\Local Settings\\Temp\\s.tmp");
}

// Windows gives TEMP by its short name where the profile's name is long ("C:\Users\JOHNSM~1"):
// the user's own profile still.
TEST_F(FileCleanersTest, ATempFolderNamedShortIsStillInTheUsersProfile) {
  reg().RemoveValue(kShellFolders, "Local Settings");
  files().AddFile("C:\\Users\\me\\AppData\\Local\\Temp\\t.tmp");
  files().SetShortName("C:\\Users\\me", "MEMEME~1");
  machine.shell.known_folders[fs::KnownFolder::kTemp] = "C:\\Users\\MEMEME~1\\AppData\\Local\\Temp";
  CleanTempFiles(ctx());
  EXPECT_FALSE(files().Exists("C:\\Users\\me\\AppData\\Local\\Temp\\t.tmp"));
}

// The modern scenario checks on the real program the playlists, the temp folder the system
// names where "Local Settings" is missing, and the shortcuts going with the jump lists staying;
// here the shell's own list, the label's bare names, and a shortcut below Recent that stays.
TEST_F(FileCleanersTest, RecentDocumentsGoWithTheShellsListShowingBareNames) {
  const std::string recent = "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\";
  for (const char* name : {"letter.lnk", "PHOTOS.LNK", "desktop.ini", "notes.lnk.txt",
                           "CustomDestinations\\pinned.lnk"})
    files().AddFile(recent + name);
  CleanRecentDocuments(ctx());
  EXPECT_THAT(files().removed(), ElementsAre(recent + "letter.lnk", recent + "PHOTOS.LNK"));
  EXPECT_THAT(machine.shell.recent_docs_cleared, ElementsAre(2u));
  EXPECT_THAT(window.status_history, ElementsAre("Deleting - letter.lnk", "Deleting - PHOTOS.LNK"));
}

// TEMP set by hand, or the cache or cookies value, naming a root, the Windows folder, the
// profile or a folder holding one of the user's folders, or no plain folder at all: nothing
// there is touched, and a value that cannot be read skips only its own step. The values that
// Windows reads through "/..", "\\?\" or "\\.\" as a root, the profile or the Windows folder
// the hostile-folders scenario sets on the real program; TEMP at the root and the profile, the
// modern one.
TEST_F(FileCleanersTest, AFolderThatIsOrHoldsTheUsersFoldersIsRefused) {
  reg().RemoveValue(kShellFolders, "Local Settings");
  reg().SetString(kShellFolders, "History", "D:\\Profile\\History");
  for (const char* file :
       {"C:\\root.txt", "C:\\WINDOWS\\w.txt", "C:\\Users\\me\\p.txt",
        "C:\\Users\\me\\AppData\\Local\\l.txt", "C:\\Users\\me\\AppData\\a.txt",
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\r.lnk",
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\w.txt", "D:\\Profile\\d.txt",
        "D:\\Pics\\p.jpg", "D:\\Media\\Tunes\\t.mp3", "C:\\WINDOWS\\system32\\drivers\\d.sys",
        "C:\\Program Files\\App\\a.dll", "C:\\ProgramData\\Microsoft\\m.dat",
        "C:\\Users\\other\\Documents\\o.doc"}) {
    files().AddFile(file);
  }
  // A folder the shell names though no value does.
  machine.shell.known_folders[fs::KnownFolder::kMusic] = "D:\\Media\\Tunes";
  // A user's folder that is a link (under Wine, into the Unix home), and a drive to its target.
  reg().SetString(kShellFolders, "My Pictures", "C:\\Users\\me\\Pictures");
  files().AddLink("C:\\Users\\me\\Pictures", "D:\\Pics", true);
  files().AddAlias("Y:", "D:\\");
  for (const char* temp : {"C:\\", "C:\\WINDOWS", "C:\\Users\\me", "C:\\Users\\me\\AppData",
                           "C:\\Users\\me\\AppData\\Local",
                           "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent",
                           "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows", "D:\\Profile",
                           "D:\\Pics", "Y:\\Pics", "D:\\Media", "Temp", "",
                           // Inside the system's folders or another user's.
                           "C:\\WINDOWS\\system32\\drivers", "C:\\Program Files\\App",
                           "C:\\ProgramData\\Microsoft", "C:\\Users\\other\\Documents"}) {
    machine.shell.known_folders[fs::KnownFolder::kTemp] = temp;
    CleanTempFiles(ctx());
  }
  // Before Vista the user's temp folder is the one below "Local Settings", judged the same.
  files().AddLink("C:\\Users\\me\\Local Settings\\Temp", "D:\\Pics", true);
  reg().SetString(kShellFolders, "Local Settings", "C:\\Users\\me\\Local Settings");
  CleanTempFiles(ctx());
  // Each value is judged against every folder but the one it names itself, and not excused
  // for holding the folder the shell names for its own kind.
  machine.shell.known_folders[fs::KnownFolder::kCookies] = "D:\\Jar\\Cookies";
  files().AddFile("D:\\Jar\\j.txt");
  for (const char* name : {"Cache", "Cookies"}) {
    for (const char* folder : {"C:\\Users\\me\\AppData\\Local", "D:\\Profile", "D:\\Jar",
                               "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent"}) {
      reg().SetString(kShellFolders, name, folder);
      CleanIECookies(ctx());
    }
    reg().SetString(kShellFolders, name, "C:\\Missing");
  }
  for (auto [name, value] :
       std::vector<std::pair<const char*, const char*>>{{"Cache", "C:\\Users\\me\\x\\.."},
                                                        {"Cookies", ""},
                                                        {"Local Settings", "Local Settings"}}) {
    reg().SetString(kShellFolders, name, value);
    CleanIECookies(ctx());
    CleanTempFiles(ctx());
    reg().SetString(kShellFolders, name, "C:\\Missing");
  }
  // Asked to forget every document, Windows empties the Recent folder it reads itself.
  for (const char* recent : {"C:\\", "C:\\Users\\me", "D:\\Pics", "Recent"}) {
    machine.shell.known_folders[fs::KnownFolder::kRecent] = recent;
    CleanRecentDocuments(ctx());
  }
  EXPECT_THAT(machine.shell.recent_docs_cleared, IsEmpty());
  EXPECT_THAT(files().removed(), IsEmpty());
  files().AddFile("C:\\Users\\me\\Cache\\c.htm");
  reg().SetString(kShellFolders, "Cache", kCache);
  reg().SetDword(kShellFolders, "Cookies", 7);
  CleanIECookies(ctx());
  EXPECT_THAT(files().removed(), ElementsAre("C:\\Users\\me\\Cache\\c.htm"));
}

// A trace folder made a link to one of the user's folders would take its step there, also where
// the link is put in place only once the folder has been judged against them.
TEST_F(FileCleanersTest, ATraceFolderLeadingToAUsersFolderIsNotEmptied) {
  reg().SetString(kShellFolders, "My Pictures", "D:\\Pics");
  reg().SetString(kShellFolders, "History", "C:\\Users\\me\\History");
  files().AddFile("D:\\Pics\\photo.jpg");
  files().AddFile("D:\\Pics\\album.lnk");
  for (const char* trace :
       {"C:\\WINDOWS\\Cookies", "C:\\Users\\me\\History\\History.IE5",
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent",
        "C:\\Users\\me\\Firefox\\p\\cache", "C:\\Users\\me\\Local\\p\\cache2"}) {
    files().AddLink(trace, "D:\\Pics", true);
  }
  files().AddFolder("C:\\Users\\me\\Firefox\\p");
  cleaners.FirefoxProfiles.push_back({"C:\\Users\\me\\Firefox\\p", "C:\\Users\\me\\Local\\p"});
  files().AddFolder("C:\\WINDOWS\\Temp");
  files().BeforeOpen("C:\\WINDOWS\\Temp", [&] {
    files().BeforeOpen("C:\\WINDOWS\\Temp", [&] {
      files().Remove("C:\\WINDOWS\\Temp");
      files().AddLink("C:\\WINDOWS\\Temp", "D:\\Pics", true);
    });
  });
  CleanWindowsTemp(ctx());
  CleanWindowsCookies(ctx());
  CleanRecentDocuments(ctx());
  WindowsHistoryStep(ctx());
  CleanFirefoxCache(ctx());
  EXPECT_THAT(files().removed(), IsEmpty());
  EXPECT_THAT(machine.shell.recent_docs_cleared, IsEmpty());
}

const std::string kFirefox = "C:\\Users\\me\\AppData\\Mozilla\\Firefox";
const std::string kLocalFirefox = "C:\\Users\\me\\AppData\\Local\\Mozilla\\Firefox";
const std::string kProfilesIni = kFirefox + "\\profiles.ini";
constexpr const char* kRunning = "Firefox is running - profile skipped";

class FirefoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.machine.registry.SetString(kShellFolders, "AppData", "C:\\Users\\me\\AppData");
    // A whole slice passes between yields, so the label takes every line.
    app.machine.clock.tick_step = FrmMain::kSliceMs;
  }
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
  // their log and index, and the old-format files. Gives back its folder.
  std::string AddProfile(const std::string& path) {
    std::string folder = kFirefox + "\\" + path, local = kLocalFirefox + "\\" + path;
    sim::SimPlacesStore::Database& places = app.machine.places.Add(folder + "\\places.sqlite");
    places.pages = {{"https://visited.example/", 3, false}, {"https://kept.example/", 1, true}};
    for (const char* name : {"cookies.sqlite", "cookies.sqlite-wal", "cookies.sqlite-shm",
                             "history.dat", "cookies.txt", "prefs.js"}) {
      files().AddFile(folder + "\\" + name);
    }
    files().AddFile(local + "\\cache2\\entries\\ABCD");
    files().AddFile(local + "\\cache2\\index");
    return folder;
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
  const std::string busy = AddProfile("Profiles\\busy"), idle = AddProfile("Profiles\\idle");
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
  EXPECT_EQ(files().Tree(kLocalFirefox + "\\Profiles\\busy\\cache2").size(), 4u);
  // The old-format files go as before.
  EXPECT_FALSE(files().Exists(busy + "\\history.dat"));
  EXPECT_FALSE(files().Exists(idle + "\\cookies.sqlite"));
  EXPECT_THAT(app.window.status_history, Contains(kRunning));
}

// A long history takes seconds in calls that cannot be broken: the window answers meanwhile,
// and a close then ends the program once the transaction is done, not in its middle.
TEST_F(FirefoxTest, ACloseWhileTheHistoryGoesWaitsForItsEnd) {
  files().AddFile(kProfilesIni, "[Profile0]\nPath=p\n");
  const std::string p = AddProfile("p");
  app.window.UncheckAll();
  app.window.Check("chkFFHistory", 1);
  Start();
  app.window.on_pump = [&] {
    // Past history.dat, before the database.
    if (files().Exists(p + "\\history.dat") || !app.machine.places.cleared().empty())
      return;
    app.frm->Form_Unload();
    EXPECT_FALSE(app.window.program_ended);
  };
  app.frm->cmdScour_Click();
  EXPECT_TRUE(app.window.program_ended);
  EXPECT_THAT(UrlsLeft(p), ElementsAre("https://kept.example/"));
  EXPECT_EQ(app.Messages().back(), "Scourix Decommissioned.");
}

// SQLite opens the database by its name: a link there would take the clean-up elsewhere. A
// profile folder may be a link, followed on purpose: SQLite gets the name of the folder it
// leads to, which turning the link after the check cannot send elsewhere. A cookie store that
// cannot go keeps its log and index: without them it may lose what it holds. Those of a store
// already gone go: SQLite would replay the log into the new store.
TEST_F(FirefoxTest, APlacesLinkIsNotOpenedAndCookieSidecarsGoOnlyWithTheirStore) {
  files().AddFile(kProfilesIni,
                  "[Profile0]\nPath=p\n[Profile1]\nIsRelative=0\nPath=D:\\linked\n"
                  "[Profile2]\nPath=gone\n");
  const std::string p = AddProfile("p"), gone = AddProfile("gone");
  files().Remove(gone + "\\cookies.sqlite");
  app.machine.places.Add("D:\\elsewhere\\places.sqlite");
  files().Remove(p + "\\places.sqlite");
  files().AddLink(p + "\\places.sqlite", "D:\\elsewhere\\places.sqlite", false);
  files().Lock(p + "\\cookies.sqlite");
  app.machine.places.Add("D:\\real\\places.sqlite");
  files().AddLink("D:\\linked", "D:\\real", true);
  Start();
  CleanAll();
  EXPECT_THAT(app.machine.places.cleared(),
              ElementsAre("D:\\real\\places.sqlite", gone + "\\places.sqlite"));
  for (const char* kept : {"cookies.sqlite", "cookies.sqlite-wal", "cookies.sqlite-shm"})
    EXPECT_TRUE(files().Exists(p + "\\" + kept)) << kept;
  EXPECT_FALSE(files().Exists(gone + "\\cookies.sqlite-wal"));
  EXPECT_FALSE(files().Exists(gone + "\\cookies.sqlite-shm"));
}

// SQLite reads the name it is given as Windows does: "prof." would be read as "prof".
TEST_F(FirefoxTest, AProfileWhoseRealNameWindowsReadsOtherwiseIsNotHandedOn) {
  files().final_paths = false;  // the long names stand for the final path
  files().AddFile(kProfilesIni, "[Profile0]\nIsRelative=0\nPath=D:\\PROF~1\n");
  app.machine.places.Add("D:\\prof.\\places.sqlite");
  files().SetShortName("\\\\?\\D:\\prof.", "PROF~1");
  Start();
  CleanAll();
  EXPECT_THAT(app.machine.places.cleared(), IsEmpty());
}

TEST_F(FirefoxTest, ProfilesAreReadUntilTheListEndsEachOnce) {
  files().AddFile(kProfilesIni,
                  "[Profile0]\nPath=Profiles/a\n"
                  "[Profile1]\nName=no path\n"
                  "[Profile2]\nPath=profiles/A\n"  // the first again
                  "[Profile3]\nPath=../outside\n"
                  "[Profile4]\nIsRelative=0\nPath=D:\\b\n"
                  "[Profile6]\nPath=after the end\n");
  EXPECT_THAT(Start(), ElementsAre(kFirefox + "\\Profiles\\a", "D:\\b"));
  EXPECT_EQ(app.frm->context().cleaners.FirefoxProfiles[0].local, kLocalFirefox + "\\Profiles\\a");
}

// A path longer than the read is cut: the cut one names the profile's parent folder.
const std::string kCutPath =
    "[Profile0]\nPath=" + std::string(200, 'p') + "/" + std::string(60, 'q') + "\n";

class FirefoxNoProfileTest : public FirefoxTest,
                             public ::testing::WithParamInterface<const char*> {};

// A profile at the Windows folder, and application data read as a drive's root, the
// hostile-folders scenario sets on the real program.
TEST_P(FirefoxNoProfileTest, NothingIsCleanedAnywhere) {
  files().AddFile(kProfilesIni, GetParam());
  for (const std::string& root :
       {std::string("C:"), std::string("C:\\Users\\me\\AppData\\Mozilla"), kFirefox,
        kFirefox + "\\" + std::string(200, 'p'), std::string("C:\\Mozilla\\Firefox")})
    for (const char* name : {"\\history.dat", "\\cookies.txt", "\\cache\\x"})
      files().AddFile(root + name);
  if (std::string_view(GetParam()) == "no app data")
    app.machine.registry.SetValueBytes(kShellFolders, "AppData", 3, "\x01\x02");
  if (std::string_view(GetParam()) == "no key")
    app.machine.registry.RemoveTree(kShellFolders);
  Start();
  CleanAll();
  EXPECT_THAT(files().removed(), IsEmpty());
  EXPECT_THAT(app.machine.places.cleared(), IsEmpty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Profiles, FirefoxNoProfileTest, ::testing::Values(
    "[Profile0]\nPath=../../..\n", "[Profile0]\nPath=Profiles/../..\n",
    "[Profile0]\nIsRelative=0\nPath=Profiles/x\n", "[Profile0]\nIsRelative=0\nPath=\n",
    "[Profile0]\nIsRelative=0\nPath=C:\\\n", "[Profile0]\nIsRelative=0\nPath=\\\\?\\C:\\\n",
    "[Profile0]\nName=default\n", "[Profile1]\nPath=\n", "no app data", "no key",
    kCutPath.c_str()));
// clang-format on

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

class NamedFolderTest : public testing::LeafTest {
 protected:
  bool Accepted(std::string_view text) { return static_cast<bool>(NamedFolder(ctx(), text)); }
};

// The system's and the user's own folders, any folder holding one, and the program's folder,
// by their text or through a link that leads there.
TEST_F(NamedFolderTest, ProtectedFoldersAndFoldersHoldingThemAreRefused) {
  for (const char* folder :
       {"C:\\WINDOWS\\system32", "C:\\WINDOWS\\Temp", "C:\\Users\\me\\AppData\\Roaming",
        "C:\\Users\\me\\AppData\\Local\\Temp", "C:\\Users\\me\\Documents",
        "C:\\Program Files\\Scourix\\sub", "C:\\ProgramData", "C:\\Users\\Other",
        "C:\\Users\\Public\\Documents", "C:\\Elsewhere"})
    files().AddFolder(folder);
  files().AddLink("C:\\T\\win", "C:\\WINDOWS", true);
  files().AddLink("C:\\T\\docs", "C:\\Users\\me\\Documents", true, false);
  files().AddLink("C:\\T\\tmp", "C:\\Elsewhere", true);
  for (std::string_view text :
       {"C:\\WINDOWS", "C:\\windows\\System32", "C:\\Users", "C:\\Users\\me",
        "C:\\Users\\me\\AppData", "C:\\Users\\me\\AppData\\Roaming", "C:\\Users\\me\\Documents",
        "C:\\Program Files", "C:\\Program Files\\Scourix", "C:\\Program Files\\Scourix\\sub",
        "C:\\ProgramData", "C:\\Users\\Public", "C:\\Users\\Other", "C:\\T\\win", "C:\\T\\docs",
        "\\\\?\\C:\\WINDOWS", "C:\\x\\NUL"})
    EXPECT_FALSE(Accepted(text)) << text;
  for (std::string_view text :
       {"C:\\WINDOWS\\Temp", "C:\\Users\\me\\AppData\\Local\\Temp", "\\\\.\\C:\\T\\tmp"})
    EXPECT_TRUE(Accepted(text)) << text;
  EXPECT_EQ(NamedFolder(ctx(), "C:\\T\\tmp").place().real, "C:\\Elsewhere");
  // A drive's administrative share names the same folders by another text; another hidden
  // share may hold a profile.
  const ProtectedFolders guarded(ctx());
  EXPECT_TRUE(guarded.Covers("\\\\localhost\\c$\\Users\\me"));
  EXPECT_TRUE(guarded.Covers("\\\\pc\\ADMIN$\\Temp"));
  EXPECT_FALSE(guarded.Covers("\\\\server\\profiles$\\me\\Temp"));
  EXPECT_FALSE(guarded.Covers("\\\\server\\C$x\\Temp"));
  // So does a share of this machine's folders, or a drive mapped to one, and its final path
  // keeps that name: the folder itself tells.
  files().AddAlias("Y:", "C:\\Users");
  EXPECT_FALSE(Accepted("Y:\\me"));
  EXPECT_FALSE(Accepted("Y:\\me\\Documents"));
  EXPECT_TRUE(Accepted("Y:\\me\\AppData\\Local\\Temp"));
  // A drive's root reached through a folder of a share (a junction the server follows).
  files().AddHardLink("C:\\Shared\\drive", "C:\\");
  EXPECT_FALSE(Accepted("C:\\Shared\\drive"));
  files().Remove("C:\\Shared\\drive");
  // Where the system cannot say where a link leads, the link is refused, and so is a folder
  // below one.
  files().final_paths = false;
  files().AddFolder("C:\\Elsewhere\\sub");
  EXPECT_FALSE(Accepted("C:\\T\\tmp"));
  EXPECT_FALSE(Accepted("C:\\T\\tmp\\sub"));
  EXPECT_TRUE(Accepted("C:\\Elsewhere\\sub"));
  // There a short name is read by its long one.
  files().SetShortName("C:\\Users\\me\\Documents", "DOCUME~1");
  files().SetShortName("C:\\Elsewhere", "ELSEWH~1");
  EXPECT_FALSE(Accepted("C:\\Users\\me\\DOCUME~1"));
  EXPECT_EQ(NamedFolder(ctx(), "C:\\ELSEWH~1\\sub").place().real, "C:\\Elsewhere\\sub");
}

class HostileTreeTest : public testing::LeafTest {
 protected:
  void SetUp() override {
    LeafTest::SetUp();
    files().AddFile("C:\\Outside\\c.txt", "keep");
    files().AddFile("C:\\Outside\\deep\\d.txt", "keep");
  }
  void ExpectOutsideIntact() {
    EXPECT_THAT(files().Tree("C:\\Outside"),
                ElementsAre("C:\\Outside\\", "C:\\Outside\\c.txt", "C:\\Outside\\deep\\",
                            "C:\\Outside\\deep\\d.txt"));
    EXPECT_EQ(files().Content("C:\\Outside\\c.txt"), "keep");
  }
};

// A folder "x." beside a link "x": read plainly, "x." would name the link.
TEST_F(HostileTreeTest, NamesWindowsReadsOtherwiseAreTakenLiterally) {
  for (bool marked : {true, false}) {
    files().AddFile("C:\\T\\x.\\f.txt");
    files().AddLink("C:\\T\\x", "C:\\Outside", true, marked);
    files().AddFile("C:\\T\\y \\f.txt");
    files().AddLink("C:\\T\\y", "C:\\Outside", true, marked);
    files().AddFile("C:\\T\\z.", "trace");
    files().AddFile("C:\\T\\z", "keep?");
    // Wine lists a Unix name with its colon as it is: read plainly, "con:" opens the console.
    for (const char* device : {"com1.txt", "con:", "conin$.txt"})
      files().AddFile(std::string("C:\\T\\") + device);
    PurgeFolder(ctx(), "C:\\T");
    ExpectOutsideIntact();
    for (const char* gone :
         {"x.", "y ", "z.", "z" /* a trace of its own */, "com1.txt", "con:", "conin$.txt"})
      EXPECT_FALSE(files().Exists(std::string("C:\\T\\") + gone)) << gone;
    EXPECT_THAT(files().devices_opened(), IsEmpty());
  }
}

// Between the listing and the act, another program swaps a folder or a file for a link. Wine
// shows a Unix link to a file as a plain file, listed or not: the sweep's wipe, which would
// write through it, knows it by its final path too.
TEST_F(HostileTreeTest, AnEntrySwappedForALinkAfterTheListingIsLeftAlone) {
  for (bool marked : {true, false}) {
    files().file_links_marked = marked;  // unmarked: as Wine, whose file attributes go unasked
    files().AddLink(marked ? "C:\\T\\s.txt" : "C:\\T\\u.txt", "C:\\Outside\\c.txt", false, marked);
    files().AddFile("C:\\T\\a\\1.tmp");
    files().AddFile("C:\\T\\b\\2.tmp");
    files().AddFile("C:\\T\\f.txt");
    files().BeforeOpen("C:\\T\\b", [&] {
      files().Remove("C:\\T\\b");
      files().AddLink("C:\\T\\b", "C:\\Outside", true, marked);
    });
    files().BeforeOpen("C:\\T\\f.txt", [&] {
      files().Remove("C:\\T\\f.txt");
      files().AddLink("C:\\T\\f.txt", "C:\\Outside\\c.txt", false, marked);
    });
    PurgeFolder(ctx(), "C:\\T");
    SweepFolderFiles(ctx(), "C:\\T");
    ExpectOutsideIntact();
    EXPECT_FALSE(files().Exists("C:\\T\\a"));
    EXPECT_TRUE(files().Exists("C:\\T\\f.txt"));
  }
  // Where a file was listed, the open itself refuses the folder put in its place.
  files().AddFile("C:\\T\\g.txt");
  files().BeforeOpen("C:\\T\\g.txt", [&] {
    files().Remove("C:\\T\\g.txt");
    files().AddFolder("C:\\T\\g.txt");
  });
  PurgeFolderFiles(ctx(), "C:\\T");
  EXPECT_TRUE(files().Exists("C:\\T\\g.txt"));
}

// A library that deletes a file by its name is let do so only where the name leads to that
// very file: no link at its end or on the way, on a system with final paths or without. A name
// through a folder's short name (the URL cache's, below a folder the ANSI code page cannot
// hold) is that folder's file.
TEST_F(HostileTreeTest, AFileDeletedByNameIsReachedThroughNoLink) {
  files().AddFile("C:\\Cache\\A\\page.htm");
  files().AddFile("C:\\Cache\\Данные\\p.htm");
  files().SetShortName("C:\\Cache\\Данные", "____~ENN");
  files().AddLink("C:\\Cache\\B", "C:\\Outside", true);
  files().SetShortName("C:\\Cache\\B", "B~1");
  files().AddLink("C:\\Cache\\A\\c.txt", "C:\\Outside\\c.txt", false);
  for (bool final_paths : {true, false}) {
    files().final_paths = final_paths;
    std::vector<std::string> let;
    FolderHold hold;  // one for the walk, as a cache walk keeps it
    for (const char* path :
         {"C:\\Cache\\A\\page.htm", "C:\\Cache\\A\\gone.htm", "C:\\Cache\\____~ENN\\p.htm",
          "C:\\Cache\\B\\c.txt", "C:\\Cache\\B~1\\c.txt", "C:\\Cache\\A\\c.txt",
          "C:\\Cache\\A\\..\\B\\c.txt", "C:\\Cache\\____~ENN\\..\\A\\page.htm"}) {
      (void)WithFileInPlace(ctx(), hold, path, [&] {
        let.emplace_back(path);
        return fs::kSuccess;
      });
    }
    EXPECT_THAT(let, ElementsAre("C:\\Cache\\A\\page.htm", "C:\\Cache\\A\\gone.htm",
                                 "C:\\Cache\\____~ENN\\p.htm"));
  }
}

// People run programs straight from a zip opened in Temp, and may start them by a short path.
TEST_F(HostileTreeTest, TheProgramsOwnFolderIsPassedOver) {
  const std::string temp = "C:\\Users\\me\\AppData\\Local\\Temp";
  const std::string zip = temp + "\\Scourix Portable";
  files().AddFile(zip + "\\scourix.exe", "MZ");
  files().SetShortName(zip, "SCOURI~1");
  files().AddAlias("Y:", zip);
  // Started by its short name, or from a drive mapped to its folder, plainly or literally.
  for (const std::string& program : {temp + "\\SCOURI~1\\scourix.exe", std::string("Y:\\s.exe"),
                                     std::string("\\\\?\\Y:\\s.exe")}) {
    machine.system.program_path = program;
    for (bool final_paths : {true, false}) {
      files().final_paths = final_paths;
      files().AddFile(zip + "\\log.txt");
      files().AddFile(temp + "\\old.tmp");
      files().AddFile(temp + "\\other\\o.tmp");
      PurgeFolder(ctx(), temp);
      EXPECT_THAT(files().Tree(temp),
                  ElementsAre(temp + "\\", zip + "\\", zip + "\\log.txt", zip + "\\scourix.exe"))
          << program;
      PurgeFolder(ctx(), zip);
      EXPECT_TRUE(files().Exists(zip + "\\log.txt")) << program;
    }
  }
}

}  // namespace
}  // namespace scourix
