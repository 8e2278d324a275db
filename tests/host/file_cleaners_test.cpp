#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "browser/browser_cleaners.h"

namespace scourix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = platform;

using testing::kShellFolders;
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
  void SetProductName(const char* name) {
    reg().SetString("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                    "ProductName", name);
  }
};

TEST_F(FileCleanersTest, CookieSweepTakesPlainFilesShowingBareNamesAndNoLinks) {
  const std::string c = std::string(kCookies) + "\\";
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
  EXPECT_THAT(window.status_history, ElementsAre("Deleting - a.txt", "Deleting - z.txt"));
  EXPECT_EQ(window.pumps - pumps, 4);
  EXPECT_EQ(files().Content("C:\\Users\\me\\Documents\\thesis.doc"), "keep");
  EXPECT_THAT(files().links_touched(), IsEmpty());
}

// Each value is empty, relative, or names, as Windows reads it, the root, the profile or the
// Windows folder; one that cannot be read skips only its own step.
TEST_F(FileCleanersTest, HostileFolderValuesReachNothing) {
  for (const char* trap : {"C:\\root.txt", "C:\\Temp\\t.txt", "C:\\Users\\me\\p.txt",
                           "C:\\Users\\me\\x\\k.txt", "C:\\WINDOWS\\w.txt"}) {
    files().AddFile(trap);
  }
  // clang-format off
  for (auto [name, value] : std::vector<std::pair<const char*, const char*>>{
           {"Cache", "C:\\./"}, {"Cache", "C:\\Users\\me\\nothere/.."}, {"Cache", "C:\\WINDOWS/.."},
           {"Cache", "C:\\Users\\me\\x\\.."}, {"Cookies", "C:\\Users\\me\\x/.."},
           {"Local Settings", "C:\\x/.."}, {"Local Settings", "C:\\"},
           {"Local Settings", "\\\\?\\C:\\"}, {"Local Settings", "\\\\.\\C:\\"},
           {"Cookies", ""}, {"Local Settings", "Local Settings"}}) {
    // clang-format on
    reg().SetString(kShellFolders, name, value);
    CleanIECookies(ctx());
    CleanTempFiles(ctx());
    reg().SetString(kShellFolders, name, "C:\\Missing");
  }
  EXPECT_THAT(files().removed(), IsEmpty());
  files().AddFile("C:\\Users\\me\\Cache\\c.htm");
  reg().SetString(kShellFolders, "Cache", kCache);
  reg().SetDword(kShellFolders, "Cookies", 7);
  CleanIECookies(ctx());
  EXPECT_THAT(files().removed(), ElementsAre("C:\\Users\\me\\Cache\\c.htm"));
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

// TEMP set by hand to a root, the Windows folder, the profile or a folder holding one of the
// user's folders: nothing there is touched.
TEST_F(FileCleanersTest, ATempFolderThatIsOrHoldsTheUsersFoldersIsRefused) {
  reg().RemoveValue(kShellFolders, "Local Settings");
  reg().SetString(kShellFolders, "History", "D:\\Profile\\History");
  for (const char* file :
       {"C:\\root.txt", "C:\\WINDOWS\\w.txt", "C:\\Users\\me\\p.txt",
        "C:\\Users\\me\\AppData\\Local\\l.txt", "C:\\Users\\me\\AppData\\a.txt",
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent\\r.lnk",
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\w.txt", "D:\\Profile\\d.txt"}) {
    files().AddFile(file);
  }
  for (const char* temp :
       {"C:\\", "C:\\WINDOWS", "C:\\Users\\me", "C:\\Users\\me\\AppData",
        "C:\\Users\\me\\AppData\\Local",
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows\\Recent",
        "C:\\Users\\me\\AppData\\Roaming\\Microsoft\\Windows", "D:\\Profile", "Temp", ""}) {
    machine.shell.known_folders[fs::KnownFolder::kTemp] = temp;
    CleanTempFiles(ctx());
  }
  EXPECT_THAT(files().removed(), IsEmpty());
}

TEST_F(FileCleanersTest, CookieContainerEntriesGoAndNothingElseOfTheCache) {
  sim::SimUrlCache& cache = machine.url_cache;
  cache.Add("http://site.example/page");
  cache.Add("Cookie:me@site.example/", fs::kCookieCacheEntry);
  cache.Add("Visited: me@http://site.example/", fs::kUrlHistoryCacheEntry);
  cache.Add("Cookie:me@other.example/path", fs::kCookieCacheEntry);
  CleanIECookies(ctx());
  EXPECT_THAT(cache.Urls(),
              ElementsAre("http://site.example/page", "Visited: me@http://site.example/"));
  EXPECT_THAT(window.status_history, ElementsAre("Deleting - Cookie:me@site.example/",
                                                 "Deleting - Cookie:me@other.example/path"));
}

}  // namespace
}  // namespace scourix
