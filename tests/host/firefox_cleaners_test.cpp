#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "browser/browser_cleaners.h"
#include "primitives/cleaners_state.h"

namespace scourix {
namespace {

using testing::AppHarness;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr const char* kShellFolders =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kFirefox = "C:\\Users\\me\\AppData\\Mozilla\\Firefox";
constexpr const char* kProfilesIni = "C:\\Users\\me\\AppData\\Mozilla\\Firefox\\profiles.ini";

class FirefoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.machine.registry.SetString(kShellFolders, "AppData", "C:\\Users\\me\\AppData");
    // A whole slice passes between yields, so the label takes every line.
    app.machine.clock.tick_step = FrmMain::kSliceMs;
  }
  std::string Start() {
    app.Start();
    return app.frm->context().cleaners.FirefoxProfilePath;
  }
  void CleanAll() {
    Context& ctx = app.frm->context();
    CleanFirefoxCache(ctx);
    CleanFirefoxHistory(ctx);
    CleanFirefoxCookies(ctx);
  }
  sim::SimFileSystem& files() { return app.machine.files; }
  AppHarness app;
};

// The first profile only, its relative path joined with backslashes.
TEST_F(FirefoxTest, CleanersTakeTheirFilesAndPurgeTheCache) {
  files().AddFile(kProfilesIni,
                  "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\n"
                  "IsRelative=1\r\nPath=Profiles/p0\r\n[Profile1]\r\nPath=p1\r\n");
  std::string p0 = std::string(kFirefox) + "\\Profiles\\p0";
  for (const char* profile : {"\\Profiles\\p0", "\\p1"}) {
    std::string base = kFirefox + std::string(profile);
    files().AddFile(base + "\\history.dat");
    files().AddFile(base + "\\cookies.txt");
    files().AddFile(base + "\\cache\\ABC\\entry");
    files().AddFile(base + "\\bookmarks.html");
  }
  EXPECT_EQ(Start(), p0);
  app.window.status_history.clear();
  CleanAll();
  CleanAll();  // a second run finds nothing and says nothing more
  EXPECT_THAT(files().Tree(p0), ElementsAre(p0 + "\\", p0 + "\\bookmarks.html", p0 + "\\cache\\"));
  EXPECT_EQ(files().Tree(std::string(kFirefox) + "\\p1").size(), 7u);
  EXPECT_THAT(app.window.status_history, ElementsAre("Deleting - " + p0 + "\\cache\\ABC\\entry",
                                                     "Deleting - " + p0 + "\\cache\\ABC"));
}

TEST_F(FirefoxTest, MissingSectionOrFileLeavesTheFirefoxFolder) {
  EXPECT_EQ(Start(), std::string(kFirefox) + "\\");
  files().AddFile(std::string(kFirefox) + "\\cookies.txt");
  CleanAll();
  EXPECT_FALSE(files().Exists(std::string(kFirefox) + "\\cookies.txt"));
}

TEST_F(FirefoxTest, AbsoluteProfileIsUsedAsItIs) {
  files().AddFile(kProfilesIni, "[Profile0]\nIsRelative=0\nPath=D:\\Profiles\\x.default\n");
  EXPECT_EQ(Start(), "D:\\Profiles\\x.default");
}

class FirefoxNoProfileTest : public FirefoxTest,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(FirefoxNoProfileTest, NothingIsCleanedAnywhere) {
  files().AddFile(kProfilesIni, GetParam());
  for (const char* root :
       {"C:", "C:\\Users\\me\\AppData\\Mozilla", kFirefox, "C:\\Mozilla\\Firefox", "C:\\WINDOWS"}) {
    files().AddFile(std::string(root) + "\\history.dat");
    files().AddFile(std::string(root) + "\\cookies.txt");
    files().AddFile(std::string(root) + "\\cache\\x");
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
                                           "no app data",
                                           "no key",
                                           "app data read as the root"));

// A path longer than the read is cut: the cut one names the profile's parent folder.
TEST_F(FirefoxTest, ACutPathGivesNoProfile) {
  std::string parent = std::string(kFirefox) + "\\" + std::string(200, 'p');
  files().AddFile(kProfilesIni,
                  "[Profile0]\nPath=" + std::string(200, 'p') + "/" + std::string(60, 'q') + "\n");
  files().AddFile(parent + "\\history.dat", "keep");
  EXPECT_EQ(Start(), "");
  CleanAll();
  EXPECT_THAT(files().removed(), IsEmpty());
}

}  // namespace
}  // namespace scourix
