#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "browser/browser_cleaners.h"

namespace scourix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = platform;

constexpr const char* kShellFolders =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
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

TEST_F(FileCleanersTest, CacheAndTempArePurgedWithNoCookiesToFind) {
  files().AddFile("C:\\Users\\me\\Cache\\X1\\page.htm");
  files().AddFile("C:\\Users\\me\\Local Settings\\Temp\\x.tmp");
  files().AddFile("C:\\Users\\me\\Local Settings\\keep.dat");
  CleanIECookies(ctx());
  CleanTempFiles(ctx());
  EXPECT_THAT(files().removed(),
              ElementsAre("C:\\Users\\me\\Cache\\X1\\page.htm", "C:\\Users\\me\\Cache\\X1\\",
                          "C:\\Users\\me\\Local Settings\\Temp\\x.tmp"));
  EXPECT_EQ(window.status_history[1], "Deleting - C:\\Users\\me\\Cache\\X1");
}

TEST_F(FileCleanersTest, UnreadableOrRelativeFolderValuesSkipOnlyTheirStep) {
  files().AddFile("C:\\root.txt");
  files().AddFile("C:\\Temp\\t.txt");
  files().AddFile("C:\\Users\\me\\Cache\\c.htm");
  reg().SetString(kShellFolders, "Cookies", "");
  reg().SetString(kShellFolders, "Local Settings", "Local Settings");
  CleanIECookies(ctx());
  CleanTempFiles(ctx());
  reg().SetString(kShellFolders, "Cache", "C:\\");
  reg().SetDword(kShellFolders, "Cookies", 7);
  CleanIECookies(ctx());
  EXPECT_THAT(files().removed(), ElementsAre("C:\\Users\\me\\Cache\\c.htm"));
  EXPECT_TRUE(files().Exists("C:\\root.txt"));
}

// Each value names, as Windows reads it, the root, the profile or the Windows folder.
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
           {"Local Settings", "\\\\?\\C:\\"}, {"Local Settings", "\\\\.\\C:\\"}}) {
    // clang-format on
    reg().SetString(kShellFolders, name, value);
    CleanIECookies(ctx());
    CleanTempFiles(ctx());
    reg().SetString(kShellFolders, name, "C:\\Missing");
  }
  EXPECT_THAT(files().removed(), IsEmpty());
}

TEST_F(FileCleanersTest, WindowsFoldersFollowTheProductName) {
  for (const char* base : {"C:\\WINDOWS", "C:\\WINNT"}) {
    files().AddFile(std::string(base) + "\\Cookies\\c.txt");
    files().AddFile(std::string(base) + "\\Temp\\t.tmp");
  }
  CleanWindowsTemp(ctx());  // no product name to read: not Windows 2000
  SetProductName("Microsoft Windows 2000");
  CleanWindowsCookies(ctx());
  CleanWindowsTemp(ctx());
  EXPECT_THAT(files().removed(),
              ElementsAre("C:\\WINDOWS\\Temp\\t.tmp", "C:\\WINNT\\Cookies\\c.txt",
                          "C:\\WINNT\\Temp\\t.tmp"));
  SetProductName("microsoft windows 2000");
  CleanWindowsCookies(ctx());
  CleanWindowsTemp(ctx());
  EXPECT_THAT(files().Tree("C:\\WINDOWS"),
              ElementsAre("C:\\WINDOWS\\", "C:\\WINDOWS\\Cookies\\", "C:\\WINDOWS\\Temp\\"));
}

TEST_F(FileCleanersTest, RecentDocumentsAndWinamp) {
  CleanWinampPlaylist(ctx());  // no file: nothing happens
  files().AddFile("C:\\Program Files\\Winamp\\winamp.m3u", "#EXTM3U");
  files().AddFile("C:\\Program Files\\Winamp\\winamp.ini");
  CleanWinampPlaylist(ctx());
  CleanRecentDocuments(ctx());
  EXPECT_THAT(files().removed(), ElementsAre("C:\\Program Files\\Winamp\\winamp.m3u"));
  EXPECT_THAT(machine.shell.recent_docs_cleared, ElementsAre(2u));
  EXPECT_THAT(window.status_history, IsEmpty());
}

}  // namespace
}  // namespace scourix
