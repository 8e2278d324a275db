#include "primitives/named_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "primitives/purge.h"

namespace scourix {
namespace {

using ::testing::ElementsAre;

class NamedFolderTest : public testing::LeafTest {
 protected:
  bool Accepted(std::string_view text) { return static_cast<bool>(NamedFolder(ctx(), text)); }
};

// The system's and the user's own folders, any folder holding one, and the program's folder,
// by their text or through a link that leads there.
TEST_F(NamedFolderTest, ProtectedFoldersAndFoldersHoldingThemAreRefused) {
  files().AddFolder("C:\\WINDOWS\\system32");
  files().AddFolder("C:\\Users\\me\\AppData\\Roaming");
  files().AddFolder("C:\\Users\\me\\Documents");
  files().AddFolder("C:\\Program Files\\Scourix\\sub");
  files().AddLink("C:\\T\\win", "C:\\WINDOWS", true);
  files().AddLink("C:\\T\\docs", "C:\\Users\\me\\Documents", true, false);
  for (std::string_view text :
       {"C:\\WINDOWS", "C:\\windows\\System32", "C:\\Users", "C:\\Users\\me",
        "C:\\Users\\me\\AppData", "C:\\Users\\me\\AppData\\Roaming", "C:\\Users\\me\\Documents",
        "C:\\Program Files", "C:\\Program Files\\Scourix", "C:\\Program Files\\Scourix\\sub",
        "C:\\T\\win", "C:\\T\\docs", "\\\\?\\C:\\WINDOWS", "C:\\x\\NUL"}) {
    EXPECT_FALSE(Accepted(text)) << text;
  }
  files().AddFolder("C:\\WINDOWS\\Temp");
  files().AddFolder("C:\\Users\\me\\AppData\\Local\\Temp");
  files().AddFolder("C:\\Elsewhere");
  files().AddLink("C:\\T\\tmp", "C:\\Elsewhere", true);
  for (std::string_view text :
       {"C:\\WINDOWS\\Temp", "C:\\Users\\me\\AppData\\Local\\Temp", "\\\\.\\C:\\T\\tmp"}) {
    EXPECT_TRUE(Accepted(text)) << text;
  }
  EXPECT_EQ(NamedFolder(ctx(), "C:\\T\\tmp").place().real, "C:\\Elsewhere");
  // Where the system cannot say where a link leads, the link is refused.
  files().final_paths = false;
  EXPECT_FALSE(Accepted("C:\\T\\tmp"));
  EXPECT_TRUE(Accepted("C:\\Elsewhere"));
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
TEST_F(HostileTreeTest, NamesEndingInADotOrASpaceAreTakenLiterally) {
  for (bool marked : {true, false}) {
    files().AddFile("C:\\T\\x.\\f.txt");
    files().AddLink("C:\\T\\x", "C:\\Outside", true, marked);
    files().AddFile("C:\\T\\y \\f.txt");
    files().AddLink("C:\\T\\y", "C:\\Outside", true, marked);
    files().AddFile("C:\\T\\z.", "trace");
    files().AddFile("C:\\T\\z", "keep?");
    PurgeFolder(ctx(), "C:\\T");
    ExpectOutsideIntact();
    EXPECT_FALSE(files().Exists("C:\\T\\x."));
    EXPECT_FALSE(files().Exists("C:\\T\\y "));
    EXPECT_FALSE(files().Exists("C:\\T\\z."));
    EXPECT_FALSE(files().Exists("C:\\T\\z"));  // a trace of its own
  }
}

// Between the listing and the act, another program swaps a folder or a file for a link.
TEST_F(HostileTreeTest, AnEntrySwappedForALinkAfterTheListingIsLeftAlone) {
  for (bool marked : {true, false}) {
    files().file_links_marked = marked;  // unmarked: as Wine, whose file attributes go unasked
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

// Wine shows a Unix symbolic link to a file as a plain file; deleting it would delete the
// file it points to.
TEST_F(HostileTreeTest, AFileLinkWithoutTheLinkAttributeIsKnownByItsFinalPath) {
  files().file_links_marked = false;
  files().AddLink("C:\\T\\s.txt", "C:\\Outside\\c.txt", false, false);
  files().AddFile("C:\\T\\t.tmp");
  PurgeFolder(ctx(), "C:\\T");
  SweepFolderFiles(ctx(), "C:\\T");
  ExpectOutsideIntact();
  EXPECT_THAT(files().removed(), ElementsAre("C:\\T\\t.tmp"));
}

// People run programs straight from a zip opened in Temp.
TEST_F(HostileTreeTest, TheProgramsOwnFolderIsPassedOver) {
  const std::string temp = "C:\\Users\\me\\AppData\\Local\\Temp";
  machine.system.program_path = temp + "\\zip\\scourix.exe";
  files().AddFile(temp + "\\zip\\scourix.exe", "MZ");
  files().AddFile(temp + "\\zip\\log.txt");
  files().AddFile(temp + "\\old.tmp");
  files().AddFile(temp + "\\other\\o.tmp");
  PurgeFolder(ctx(), temp);
  EXPECT_THAT(files().Tree(temp),
              ElementsAre(temp + "\\", temp + "\\zip\\", temp + "\\zip\\log.txt",
                          temp + "\\zip\\scourix.exe"));
  PurgeFolder(ctx(), temp + "\\zip");
  EXPECT_TRUE(files().Exists(temp + "\\zip\\log.txt"));
}

}  // namespace
}  // namespace scourix
