#include <gtest/gtest.h>

#include "app_harness.h"
#include "primitives/purge.h"

namespace scourix {
namespace {

class WipeTest : public testing::LeafTest {
 protected:
  platform::Status Wipe(std::string_view path) { return WipeAndDeleteFile(ctx(), path); }
};

// Wiping and deleting an ordinary file, and a file held open, are shared cases that run on
// both back-ends; these are the ones only the in-memory machine can stage.
TEST_F(WipeTest, UndeletableFileIsLeftWipedAndAMissingOneIsNotCreated) {
  files().AddFile("C:\\c\\a.txt", "0123456789");
  files().DenyDelete("C:\\c\\a.txt");
  EXPECT_EQ(Wipe("C:\\c\\a.txt"), platform::kSuccess);
  EXPECT_EQ(files().Content("C:\\c\\a.txt"), std::string("\x01\x00"
                                                         "23456789",
                                                         10));
  EXPECT_NE(Wipe("C:\\c\\new.txt"), platform::kSuccess);
  EXPECT_FALSE(files().Exists("C:\\c\\new.txt"));
}

TEST_F(WipeTest, FailuresAndLinksLeaveEverythingAndAreReported) {
  files().AddFile("C:\\c\\ro.txt", "ro", platform::kAttrReadOnly);
  files().AddFile("C:\\c\\full.txt", "full");
  files().FailWrites("C:\\c\\full.txt");
  files().AddFile("C:\\docs\\keep.txt", "keep");
  files().AddLink("C:\\c\\link.txt", "C:\\docs\\keep.txt", false);
  EXPECT_EQ(Wipe("C:\\c\\ro.txt"), platform::kAccessDenied);
  EXPECT_NE(Wipe("C:\\c\\full.txt"), platform::kSuccess);
  EXPECT_NE(Wipe("C:\\c\\link.txt"), platform::kSuccess);
  EXPECT_EQ(files().Content("C:\\c\\ro.txt"), "ro");
  EXPECT_TRUE(files().Exists("C:\\c\\full.txt"));
  EXPECT_EQ(files().Content("C:\\docs\\keep.txt"), "keep");
  EXPECT_TRUE(files().links_touched().empty());
}

// Another name of the same file may lie anywhere: only this name goes, the bytes stay.
TEST_F(WipeTest, AHardLinkIsNotOverwritten) {
  files().AddFile("C:\\Outside\\o.txt", "precious");
  files().AddHardLink("C:\\c\\h.txt", "C:\\Outside\\o.txt");
  EXPECT_EQ(Wipe("C:\\c\\h.txt"), platform::kSuccess);
  EXPECT_FALSE(files().Exists("C:\\c\\h.txt"));
  EXPECT_EQ(files().Content("C:\\Outside\\o.txt"), "precious");
}

TEST_F(WipeTest, DeleteOneFileFallsBackToTheWideName) {
  files().AddFile("C:\\c\\\xe2\x82\xac\xe2\x84\xa2.txt");
  EXPECT_EQ(DeleteOneFile(ctx(), "C:\\c\\\xe2\x82\xac\xe2\x84\xa2.txt"), platform::kSuccess);
  EXPECT_FALSE(files().Exists("C:\\c\\\xe2\x82\xac\xe2\x84\xa2.txt"));
}

}  // namespace
}  // namespace scourix
