#include <gtest/gtest.h>

#include "app_harness.h"
#include "primitives/purge.h"

namespace scourix {
namespace {

using testing::AppHarness;

class WipeTest : public ::testing::Test {
 protected:
  void SetUp() override { app.Start(); }
  sim::SimFileSystem& files() { return app.machine.files; }
  Context& ctx() { return app.frm->context(); }
  AppHarness app;
};

TEST_F(WipeTest, OverwritesTwoBytesThenDeletes) {
  files().AddFile("C:\\c\\a.txt", "0123456789");
  EXPECT_EQ(WipeAndDeleteFile(ctx(), "C:\\c\\a.txt"), platform::kSuccess);
  EXPECT_FALSE(files().Exists("C:\\c\\a.txt"));
}

TEST_F(WipeTest, UndeletableFileIsLeftWipedAtItsLength) {
  files().AddFile("C:\\c\\a.txt", "0123456789");
  files().DenyDelete("C:\\c\\a.txt");
  EXPECT_EQ(WipeAndDeleteFile(ctx(), "C:\\c\\a.txt"), platform::kSuccess);
  EXPECT_EQ(files().Content("C:\\c\\a.txt"), std::string("\x01\x00"
                                                         "23456789",
                                                         10));
}

TEST_F(WipeTest, ALockedFileIsNotTouched) {
  files().AddFile("C:\\c\\a.txt", "0123456789");
  files().Lock("C:\\c\\a.txt");
  EXPECT_EQ(WipeAndDeleteFile(ctx(), "C:\\c\\a.txt"), platform::kSharingViolation);
  EXPECT_EQ(files().Content("C:\\c\\a.txt"), "0123456789");
}

TEST_F(WipeTest, AMissingFileIsCreatedAndDeleted) {
  files().AddFolder("C:\\c");
  EXPECT_EQ(WipeAndDeleteFile(ctx(), "C:\\c\\new.txt"), platform::kSuccess);
  EXPECT_FALSE(files().Exists("C:\\c\\new.txt"));
}

TEST_F(WipeTest, FailuresLeaveTheFileAndAreReported) {
  files().AddFile("C:\\c\\ro.txt", "ro", platform::kAttrReadOnly);
  files().AddFile("C:\\c\\full.txt", "full");
  files().FailWrites("C:\\c\\full.txt");
  EXPECT_EQ(WipeAndDeleteFile(ctx(), "C:\\c\\ro.txt"), platform::kAccessDenied);
  EXPECT_NE(WipeAndDeleteFile(ctx(), "C:\\c\\full.txt"), platform::kSuccess);
  EXPECT_EQ(files().Content("C:\\c\\ro.txt"), "ro");
  EXPECT_TRUE(files().Exists("C:\\c\\full.txt"));
}

TEST_F(WipeTest, ALinkIsNotWrittenThrough) {
  files().AddFile("C:\\docs\\keep.txt", "keep");
  files().AddLink("C:\\c\\a.txt", "C:\\docs\\keep.txt", false);
  EXPECT_NE(WipeAndDeleteFile(ctx(), "C:\\c\\a.txt"), platform::kSuccess);
  EXPECT_EQ(files().Content("C:\\docs\\keep.txt"), "keep");
  EXPECT_TRUE(files().links_touched().empty());
}

TEST_F(WipeTest, DeleteOneFileFallsBackToTheWideName) {
  files().AddFile("C:\\c\\\xe2\x82\xac\xe2\x84\xa2.txt");
  EXPECT_EQ(DeleteOneFile(ctx(), "C:\\c\\\xe2\x82\xac\xe2\x84\xa2.txt"), platform::kSuccess);
  EXPECT_FALSE(files().Exists("C:\\c\\\xe2\x82\xac\xe2\x84\xa2.txt"));
}

}  // namespace
}  // namespace scourix
