#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "primitives/purge.h"

namespace scourix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace fs = platform;

using PurgeTest = testing::LeafTest;

// Hidden and system files go; held ones stay, and so does the subfolder that holds one.
TEST_F(PurgeTest, FilesDepthFirstThenSubfoldersEachWithALineAndAYield) {
  files().AddFile("C:\\F\\a.tmp", "a");
  files().AddFile("C:\\F\\h.dat", "", fs::kAttrHidden | fs::kAttrSystem);
  files().AddFile("C:\\F\\sub\\b.tmp", "b");
  files().AddFile("C:\\F\\held\\busy.dat");
  files().Lock("C:\\F\\held\\busy.dat");
  PurgeFolder(ctx(), "C:\\F");
  EXPECT_THAT(window.status_history,
              ElementsAre("Deleting - C:\\F\\a.tmp", "Deleting - C:\\F\\h.dat",
                          "Deleting - C:\\F\\held\\busy.dat", "Deleting - C:\\F\\sub\\b.tmp",
                          "Deleting - C:\\F\\held", "Deleting - C:\\F\\sub"));
  EXPECT_THAT(files().Tree("C:\\F"),
              ElementsAre("C:\\F\\", "C:\\F\\held\\", "C:\\F\\held\\busy.dat"));
}

// A tree deeper than any program makes is purged down to the walk's depth and left below it:
// each level takes stack, and a tree made deep on purpose must not end the program.
TEST_F(PurgeTest, ATreeDeeperThanTheWalkGoesIsLeftBelowItsDepth) {
  std::string path = "C:\\F";
  for (int i = 0; i < 260; ++i)
    path += "\\d";
  files().AddFile(path + "\\f.tmp");
  files().AddFile("C:\\F\\d\\f.tmp");
  PurgeFolder(ctx(), "C:\\F");
  EXPECT_FALSE(files().Exists("C:\\F\\d\\f.tmp"));
  EXPECT_TRUE(files().Exists(path + "\\f.tmp"));
}

TEST_F(PurgeTest, MissingUnreadableRootAndRelativeFoldersDoNothing) {
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
TEST_F(PurgeTest, LinksInsideTheTreeAreNeitherFollowedNorRemoved) {
  files().AddFile("C:\\Users\\me\\Documents\\thesis.doc", "keep");
  files().AddFile("C:\\Users\\me\\secret.txt", "keep");
  files().AddFolder("C:\\F\\sub", fs::kAttrReadOnly);  // what stays keeps its attributes
  files().AddFile("C:\\F\\sub\\loaded.dll", "", fs::kAttrReadOnly);
  files().Map("C:\\F\\sub\\loaded.dll");
  files().AddLink("C:\\F\\sub\\deeper", "C:\\Users\\me\\Documents", true);
  files().AddLink("C:\\F\\sub\\secret.txt", "C:\\Users\\me\\secret.txt", false);
  files().AddLink("C:\\F\\file-link.txt", "C:\\Users\\me\\secret.txt", false);
  files().AddFile("C:\\F\\sub\\gone.tmp");
  files().AddFolder("C:\\F\\empty");
  // Clearing the attribute to force this name out would clear it on the other name too.
  files().AddFile("C:\\Keep\\doc.txt", "keep", fs::kAttrReadOnly);
  files().AddHardLink("C:\\F\\sub\\doc.txt", "C:\\Keep\\doc.txt");
  PurgeFolderFiles(ctx(), "C:\\F");  // the file pass alone keeps every folder
  EXPECT_THAT(files().removed(), ElementsAre("C:\\F\\sub\\gone.tmp"));
  PurgeFolder(ctx(), "C:\\F");
  EXPECT_THAT(files().links_touched(), IsEmpty());
  EXPECT_THAT(files().removed(), ElementsAre("C:\\F\\sub\\gone.tmp", "C:\\F\\empty\\"));
  EXPECT_EQ(files().Content("C:\\Users\\me\\secret.txt"), "keep");
  for (const char* kept : {"C:\\Keep\\doc.txt", "C:\\F\\sub", "C:\\F\\sub\\loaded.dll"})
    EXPECT_EQ(files().Attributes(kept) & fs::kAttrReadOnly, fs::kAttrReadOnly) << kept;
}

// Wiping and deleting an ordinary file, and a file held open, are shared cases that run on
// both back-ends; these are the ones only the in-memory machine can stage. A file that cannot be
// deleted is left wiped; a missing one is not created; a read-only file, a failed write and a
// link leave everything; another name of the same file may lie anywhere, so only this name goes
// and the bytes stay; a name the ANSI code page cannot hold is deleted by its wide name.
TEST_F(PurgeTest, OneFileIsWipedAndDeletedOnlyWhereThatTouchesNothingElse) {
  files().AddFile("C:\\c\\a.txt", "0123456789");
  files().DenyDelete("C:\\c\\a.txt");
  files().AddFile("C:\\c\\ro.txt", "ro", fs::kAttrReadOnly);
  files().AddFile("C:\\c\\full.txt", "full");
  files().FailWrites("C:\\c\\full.txt");
  files().AddFile("C:\\Outside\\o.txt", "precious");
  files().AddLink("C:\\c\\link.txt", "C:\\Outside\\o.txt", false);
  files().AddHardLink("C:\\c\\h.txt", "C:\\Outside\\o.txt");
  const std::string wide = "C:\\c\\\xe2\x82\xac\xe2\x84\xa2.txt";
  files().AddFile(wide);
  EXPECT_EQ(WipeAndDeleteFile(ctx(), "C:\\c\\a.txt"), fs::kSuccess);
  EXPECT_EQ(files().Content("C:\\c\\a.txt"), std::string("\x01\0", 2) + "23456789");
  EXPECT_NE(WipeAndDeleteFile(ctx(), "C:\\c\\new.txt"), fs::kSuccess);
  EXPECT_FALSE(files().Exists("C:\\c\\new.txt"));
  EXPECT_EQ(WipeAndDeleteFile(ctx(), "C:\\c\\ro.txt"), fs::kAccessDenied);
  EXPECT_NE(WipeAndDeleteFile(ctx(), "C:\\c\\full.txt"), fs::kSuccess);
  EXPECT_NE(WipeAndDeleteFile(ctx(), "C:\\c\\link.txt"), fs::kSuccess);
  EXPECT_EQ(files().Content("C:\\c\\ro.txt"), "ro");
  EXPECT_TRUE(files().Exists("C:\\c\\full.txt"));
  EXPECT_TRUE(files().links_touched().empty());
  EXPECT_EQ(WipeAndDeleteFile(ctx(), "C:\\c\\h.txt"), fs::kSuccess);
  EXPECT_FALSE(files().Exists("C:\\c\\h.txt"));
  EXPECT_EQ(files().Content("C:\\Outside\\o.txt"), "precious");
  EXPECT_EQ(DeleteOneFile(ctx(), wide), fs::kSuccess);
  EXPECT_FALSE(files().Exists(wide));
}

// Folder texts that Windows would read as another folder, or as more than one.
TEST(FolderTextTest, RefusedUnlessInTheFormWindowsActsOnAndThenGivenPlain) {
  // clang-format off
  for (std::string_view text : {"", "Temp", "\\Temp", "C:Temp", "C:\\", "D:\\\\", "C:\\./",
           "C:\\Windows/..", "C:\\users\\me\\nothere/..", "C:\\x/..", "C:\\x\\..", "C:\\a\\.\\b",
           "C:\\a\\\\b", "C:\\x.", "C:\\x ", "C:\\. .", "C:\\Temp\\*", "C:\\x:stream", "C:\\a/b",
           "\\\\?\\C:\\", "\\\\.\\C:\\", "\\\\?\\C:\\x\\..", "\\\\?\\C:\\x.", "\\\\?\\GLOBALROOT\\x",
           "\\\\.\\PhysicalDrive0", "\\\\server", "\\\\server\\share\\", "\\\\?\\UNC\\server\\share",
           "Path Not Found"})
    // clang-format on
    EXPECT_EQ(PlainFolderText(text), "") << text;
  // clang-format off
  for (auto [text, plain] : std::vector<std::pair<std::string_view, std::string_view>>{
           {"C:\\WINDOWS\\Temp", "C:\\WINDOWS\\Temp"}, {"C:\\x\\", "C:\\x"},
           {"\\\\.\\C:\\x", "C:\\x"}, {"\\\\?\\C:\\x", "C:\\x"},
           {"\\\\server\\share\\Temp", "\\\\server\\share\\Temp"},
           {"\\\\?\\UNC\\server\\share\\x", "\\\\server\\share\\x"},
           {"D:\\donn\xc3\xa9" "es\\.hidden", "D:\\donn\xc3\xa9" "es\\.hidden"}})
    // clang-format on
    EXPECT_EQ(PlainFolderText(text), plain) << text;
}

}  // namespace
}  // namespace scourix
