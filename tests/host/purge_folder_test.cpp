#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "primitives/purge.h"

namespace scourix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = platform;

using PurgeFolderTest = testing::AppTest;

TEST_F(PurgeFolderTest, FilesDepthFirstThenSubfoldersEachWithALineAndAYield) {
  files().AddFile("C:\\F\\a.tmp", "a");
  files().AddFile("C:\\F\\sub\\b.tmp", "b");
  int pumps = app.window.pumps;
  PurgeFolder(ctx(), "C:\\F");
  EXPECT_THAT(app.window.status_history,
              ElementsAre("Deleting - C:\\F\\a.tmp", "Deleting - C:\\F\\sub\\b.tmp",
                          "Deleting - C:\\F\\sub"));
  EXPECT_EQ(app.window.pumps - pumps, 3);
  EXPECT_THAT(files().Tree("C:\\F"), ElementsAre("C:\\F\\"));
  // The lines go to the label only.
  for (const std::string& line : app.LogLines())
    EXPECT_EQ(line.find("Deleting"), std::string::npos);
}

TEST_F(PurgeFolderTest, HiddenSystemAndLockedFiles) {
  files().AddFile("C:\\F\\h.dat", "", fs::kAttrHidden | fs::kAttrSystem);
  files().AddFile("C:\\F\\busy.dat");
  files().Lock("C:\\F\\busy.dat");
  files().AddFile("C:\\F\\sub\\busy.dat");
  files().Lock("C:\\F\\sub\\busy.dat");
  PurgeFolder(ctx(), "C:\\F");
  EXPECT_THAT(files().Tree("C:\\F"),
              ElementsAre("C:\\F\\", "C:\\F\\busy.dat", "C:\\F\\sub\\", "C:\\F\\sub\\busy.dat"));
  EXPECT_EQ(app.window.status_history.back(), "Deleting - C:\\F\\sub");
}

TEST_F(PurgeFolderTest, MissingUnreadableRootAndRelativeFoldersDoNothing) {
  files().AddFile("C:\\top.txt");
  files().AddFile("C:\\Temp\\t.txt");
  files().AddFile("C:\\Locked\\l.txt");
  files().DenyList("C:\\Locked");
  for (std::string_view path : {"C:\\Missing", "C:\\Locked", "C:\\", "\\Temp", "", "Temp",
                                "C:\\Temp\\..", "C:\\Temp\\*", "Path Not Found"}) {
    PurgeFolder(ctx(), path);
    PurgeFolderFiles(ctx(), path);
  }
  EXPECT_THAT(files().removed(), IsEmpty());
  EXPECT_THAT(app.window.status_history, IsEmpty());
}

// Folder links at the top and in a holder folder are shared cases; file links and a folder
// link below a purged subfolder only the in-memory machine can stage.
TEST_F(PurgeFolderTest, LinksInsideTheTreeAreNeitherFollowedNorRemoved) {
  files().AddFile("C:\\Users\\me\\Documents\\thesis.doc", "keep");
  files().AddFile("C:\\Users\\me\\secret.txt", "keep");
  files().AddLink("C:\\F\\sub\\deeper", "C:\\Users\\me\\Documents", true);
  files().AddLink("C:\\F\\sub\\secret.txt", "C:\\Users\\me\\secret.txt", false);
  files().AddLink("C:\\F\\file-link.txt", "C:\\Users\\me\\secret.txt", false);
  files().AddFile("C:\\F\\sub\\gone.tmp");
  PurgeFolder(ctx(), "C:\\F");
  EXPECT_THAT(files().links_touched(), IsEmpty());
  EXPECT_THAT(files().removed(), ElementsAre("C:\\F\\sub\\gone.tmp"));
  EXPECT_EQ(files().Content("C:\\Users\\me\\secret.txt"), "keep");
}

TEST_F(PurgeFolderTest, FilePassAloneKeepsEveryFolder) {
  files().AddFile("C:\\F\\sub\\b.tmp");
  files().AddFolder("C:\\F\\empty");
  PurgeFolderFiles(ctx(), "C:\\F");
  EXPECT_THAT(files().Tree("C:\\F"), ElementsAre("C:\\F\\", "C:\\F\\empty\\", "C:\\F\\sub\\"));
}

TEST(PurgePathTest, AbsoluteAndPurgeablePaths) {
  EXPECT_TRUE(IsAbsolutePath("C:\\"));
  EXPECT_TRUE(IsAbsolutePath("\\\\server\\share\\x"));
  EXPECT_FALSE(IsAbsolutePath("\\Temp"));
  EXPECT_FALSE(IsAbsolutePath("C:Temp"));
  EXPECT_FALSE(IsAbsolutePath("\\\\server"));
  EXPECT_FALSE(IsAbsolutePath("(value not set)"));
  EXPECT_TRUE(IsPurgeableFolder("C:\\WINDOWS\\Temp"));
  EXPECT_TRUE(IsPurgeableFolder("\\\\server\\share\\Temp\\"));
  EXPECT_FALSE(IsPurgeableFolder("\\\\server\\share\\"));
  EXPECT_FALSE(IsPurgeableFolder("D:\\\\"));
  EXPECT_FALSE(IsPurgeableFolder("C:\\. ."));
}

}  // namespace
}  // namespace scourix
