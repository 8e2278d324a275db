#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "primitives/purge.h"

namespace scourix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = platform;

using PurgeFolderTest = testing::LeafTest;

TEST_F(PurgeFolderTest, FilesDepthFirstThenSubfoldersEachWithALineAndAYield) {
  files().AddFile("C:\\F\\a.tmp", "a");
  files().AddFile("C:\\F\\sub\\b.tmp", "b");
  int pumps = window.pumps;
  PurgeFolder(ctx(), "C:\\F");
  EXPECT_THAT(window.status_history,
              ElementsAre("Deleting - C:\\F\\a.tmp", "Deleting - C:\\F\\sub\\b.tmp",
                          "Deleting - C:\\F\\sub"));
  EXPECT_EQ(window.pumps - pumps, 3);
  EXPECT_THAT(files().Tree("C:\\F"), ElementsAre("C:\\F\\"));
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
  EXPECT_EQ(window.status_history.back(), "Deleting - C:\\F\\sub");
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
  EXPECT_THAT(window.status_history, IsEmpty());
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

// Folder texts that Windows would read as another folder, or as more than one.
TEST(FolderTextTest, RefusedUnlessAlreadyInTheFormWindowsActsOn) {
  for (std::string_view text : {"",
                                "Temp",
                                "\\Temp",
                                "C:Temp",
                                "C:\\",
                                "D:\\\\",
                                "C:\\./",
                                "C:\\Windows/..",
                                "C:\\users\\me\\nothere/..",
                                "C:\\x/..",
                                "C:\\x\\..",
                                "C:\\a\\.\\b",
                                "C:\\a\\\\b",
                                "C:\\x.",
                                "C:\\x ",
                                "C:\\. .",
                                "C:\\Temp\\*",
                                "C:\\x:stream",
                                "C:\\a/b",
                                "\\\\?\\C:\\",
                                "\\\\.\\C:\\",
                                "\\\\?\\C:\\x\\..",
                                "\\\\?\\C:\\x.",
                                "\\\\?\\GLOBALROOT\\x",
                                "\\\\.\\PhysicalDrive0",
                                "\\\\server",
                                "\\\\server\\share\\",
                                "\\\\?\\UNC\\server\\share",
                                "Path Not Found"}) {
    EXPECT_EQ(PlainFolderText(text), "") << text;
  }
}

TEST(FolderTextTest, AcceptedInPlainForm) {
  for (auto [text, plain] : std::vector<std::pair<std::string_view, std::string_view>>{
           {"C:\\WINDOWS\\Temp", "C:\\WINDOWS\\Temp"},
           {"C:\\x\\", "C:\\x"},
           {"\\\\.\\C:\\x", "C:\\x"},
           {"\\\\?\\C:\\x", "C:\\x"},
           {"\\\\server\\share\\Temp", "\\\\server\\share\\Temp"},
           {"\\\\?\\UNC\\server\\share\\x", "\\\\server\\share\\x"},
           {"D:\\donn\xc3\xa9"
            "es\\.hidden",
            "D:\\donn\xc3\xa9"
            "es\\.hidden"}}) {
    EXPECT_EQ(PlainFolderText(text), plain) << text;
  }
}

}  // namespace
}  // namespace scourix
