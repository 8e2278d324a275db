#include <algorithm>
#include <gtest/gtest.h>
#include <map>

#include "browser/browser_cleaners.h"
#include "conformance/machine_envs.h"
#include "conformance/status_window.h"
#include "primitives/purge.h"

namespace scourix::conformance {
namespace {

namespace fs = platform;

constexpr const char* kCyrillic = "\xd0\xb6\xd1\x83\xd1\x80\xd0\xbd\xd0\xb0\xd0\xbb.txt";

class FileSystemConformance : public ::testing::Test {
 protected:
  std::string At(const std::string& relative) const { return env->root() + "\\" + relative; }
  void Folder(const std::string& relative) { ASSERT_EQ(files().MakeFolder(At(relative)), 0); }
  void File(const std::string& relative, std::string_view content, std::uint32_t extra = 0) {
    std::unique_ptr<fs::File> file;
    ASSERT_EQ(files().OpenFile(At(relative), fs::OpenMode::kCreateAlways, &file), 0);
    ASSERT_EQ(file->Write(content), 0);
    ASSERT_EQ(file->Close(), 0);
    if (extra != 0) {
      ASSERT_EQ(files().SetAttributes(At(relative), extra), 0);
    }
  }
  bool Exists(const std::string& relative) {
    std::uint32_t attributes = 0;
    return files().GetAttributes(At(relative), &attributes) == fs::kSuccess;
  }
  // Name to attributes, as the listing reports them, of the kinds the cleaners look at.
  std::map<std::string, std::uint32_t> List(const std::string& relative) {
    std::map<std::string, std::uint32_t> out;
    std::unique_ptr<fs::DirectoryListing> listing;
    if (files().ListFolder(At(relative), &listing) != fs::kSuccess)
      return out;
    fs::DirEntry entry;
    constexpr std::uint32_t kSeen =
        fs::kAttrReadOnly | fs::kAttrHidden | fs::kAttrDirectory | fs::kAttrReparsePoint;
    while (listing->Next(&entry))
      out[entry.name] = entry.attributes & kSeen;
    return out;
  }
  fs::FileSystem& files() { return env->platform().files; }
  Context& ctx() { return step.ctx(); }

  std::unique_ptr<FileSystemEnv> env = MakeFileSystemEnv();
  StepContext step{env->platform()};
  StatusWindow& window = step.window;
};

TEST_F(FileSystemConformance, ListedWithAttributesReachedByExactNameDeletedThroughAHandle) {
  File("ro.txt", "x", fs::kAttrReadOnly);
  File("hidden.dat", "x", fs::kAttrHidden);
  File(kCyrillic, "x");
  Folder("full");
  File("full\\f.txt", "x");
  using Listing = std::map<std::string, std::uint32_t>;
  EXPECT_EQ(List(""), (Listing{{"full", fs::kAttrDirectory},
                               {"ro.txt", fs::kAttrReadOnly},
                               {"hidden.dat", fs::kAttrHidden},
                               {kCyrillic, 0}}));
  std::unique_ptr<fs::DirectoryListing> listing;
  EXPECT_NE(files().ListFolder(At("missing"), &listing), fs::kSuccess);
  Folder("x");
  ASSERT_EQ(files().MakeFolder("\\\\?\\" + At("x.")), fs::kSuccess);
  auto open = [&](const std::string& path, fs::ItemAccess access, bool narrow) {
    std::unique_ptr<fs::Item> item;
    return files().OpenItem(path, fs::ItemOpen{access, narrow, false}, &item) == fs::kSuccess
               ? std::move(item)
               : nullptr;
  };
  // The narrow name cannot hold the Cyrillic one; the literal wide name reaches it.
  EXPECT_EQ(open(At(kCyrillic), fs::ItemAccess::kDelete, true), nullptr);
  auto cyrillic = open("\\\\?\\" + At(kCyrillic), fs::ItemAccess::kDelete, false);
  ASSERT_NE(cyrillic, nullptr);
  EXPECT_EQ(cyrillic->Delete(), fs::kSuccess);
  cyrillic.reset();
  // Read-only refuses deletion until the handle clears it; a folder with entries refuses it.
  auto read_only = open(At("ro.txt"), fs::ItemAccess::kDelete, true);
  ASSERT_NE(read_only, nullptr);
  fs::ItemInfo info;
  ASSERT_EQ(read_only->Query(&info), fs::kSuccess);  // what a preview counts as freed
  EXPECT_EQ(info.size, 1u);
  EXPECT_NE(read_only->Delete(), fs::kSuccess);
  EXPECT_EQ(read_only->SetReadOnly(false), fs::kSuccess);
  EXPECT_EQ(read_only->SetReadOnly(true), fs::kSuccess);  // what a purge puts back
  EXPECT_NE(read_only->Delete(), fs::kSuccess);
  EXPECT_EQ(read_only->SetReadOnly(false), fs::kSuccess);
  EXPECT_EQ(read_only->Delete(), fs::kSuccess);
  read_only.reset();
  fs::ItemOpen file_only{fs::ItemAccess::kDelete};
  file_only.refuse_folder = true;
  std::unique_ptr<fs::Item> refused;
  EXPECT_NE(files().OpenItem(At("full"), file_only, &refused), fs::kSuccess);
  auto full = open(At("full"), fs::ItemAccess::kDelete, false);
  ASSERT_NE(full, nullptr);
  EXPECT_NE(full->Delete(), fs::kSuccess);
  full.reset();
  EXPECT_FALSE(Exists(kCyrillic) || Exists("ro.txt"));
  EXPECT_TRUE(Exists("full\\f.txt"));
  // "x." is read plainly as "x"; by its literal name the empty "x." is deleted, not "x".
  File("x\\f.txt", "x");
  auto dotted = open("\\\\?\\" + At("x."), fs::ItemAccess::kDelete, false);
  ASSERT_NE(dotted, nullptr);
  EXPECT_EQ(dotted->Delete(), fs::kSuccess);
  dotted.reset();
  EXPECT_EQ(List(""), (Listing{{"full", fs::kAttrDirectory},
                               {"hidden.dat", fs::kAttrHidden},
                               {"x", fs::kAttrDirectory}}));
}

// The long path stands in for the final path where there is none: a long name stays as given.
TEST_F(FileSystemConformance, FullPathFoldsWhatWindowsFoldsAndLongPathKeepsLongNames) {
  for (auto [given, expected] :
       std::vector<std::pair<std::string, std::string>>{{"a/..", env->root()},
                                                        {"a\\.\\b", At("a\\b")},
                                                        {"b ", At("b")},
                                                        {"b.", At("b")},
                                                        {"Aux .txt", "\\\\.\\Aux"},
                                                        {"con:", "\\\\.\\con"},
                                                        {"conout$.log", "\\\\.\\conout$"}}) {
    std::string full;
    ASSERT_EQ(files().FullPath(At(given), &full), fs::kSuccess) << given;
    EXPECT_EQ(full, expected) << given;
  }
  Folder("Long Name");
  std::string long_path;
  ASSERT_EQ(files().LongPath(At("LONG NAME"), &long_path), fs::kSuccess);
  EXPECT_EQ(long_path, At("LONG NAME"));
  EXPECT_NE(files().LongPath(At("missing"), &long_path), fs::kSuccess);
}

// The bytes the wipe writes, left where the delete then fails, are the host purge case's.
TEST_F(FileSystemConformance, AWipedFileGoesAndAHeldFileIsLeftAlone) {
  File("ten.txt", "0123456789");
  File("held.txt", "0123456789");
  env->HoldOpen(At("held.txt"));
  EXPECT_EQ(WipeAndDeleteFile(ctx(), At("ten.txt")), fs::kSuccess);
  EXPECT_FALSE(Exists("ten.txt"));
  EXPECT_NE(WipeAndDeleteFile(ctx(), At("held.txt")), fs::kSuccess);
  EXPECT_NE(files().DeleteFileWide(At("held.txt"), true), fs::kSuccess);
  std::unique_ptr<fs::Item> held;
  EXPECT_NE(files().OpenItem(At("held.txt"), fs::ItemOpen{fs::ItemAccess::kDelete}, &held),
            fs::kSuccess);
  EXPECT_TRUE(Exists("held.txt"));
}

TEST_F(FileSystemConformance, ProfileStringsAreCutTo254AndReadAsFirefoxWritesThem) {
  std::string value(300, 'v');
  File("p.ini", "[Profile0]\r\nPath=Profiles/a.default\r\nLong=" + value + "\r\n");
  char buffer[255];
  EXPECT_EQ(files().GetProfileString("Profile0", "Path", "", buffer, 255, At("p.ini")), 18u);
  EXPECT_STREQ(buffer, "Profiles/a.default");
  EXPECT_EQ(files().GetProfileString("Profile0", "Long", "", buffer, 255, At("p.ini")), 254u);
  EXPECT_EQ(files().GetProfileString("Profile1", "Path", "", buffer, 255, At("p.ini")), 0u);
  EXPECT_EQ(files().GetProfileString("Profile0", "Path", "", buffer, 255, At("no.ini")), 0u);

  // Firefox writes its list in UTF-8; a user's folder may be named in a script the ANSI code
  // page lacks.
  const std::string folder = "\xd0\xb4\xd0\xb0\xd0\xbd\xd0\xbd\xd1\x8b\xd0\xb5";
  Folder(folder);
  for (const std::string& ini : {std::string("u.ini"), folder + "\\u.ini"}) {
    File(ini, "[Profile0]\r\nPath=Profiles/a.J\xc3\xbcrgen\r\n");
    EXPECT_EQ(files().GetProfileString("Profile0", "Path", "", buffer, 255, At(ini)), 18u) << ini;
    EXPECT_STREQ(buffer, "Profiles/a.J\xc3\xbcrgen");
  }
}

TEST_F(FileSystemConformance, PurgeKeepsTheFolderAndNothingBehindALink) {
  Folder("outside");
  File("outside\\precious.doc", "keep");
  Folder("outside\\inner");
  File("outside\\inner\\notes.txt", "keep");
  Folder("purge");
  File("purge\\top-ro.txt", "x", fs::kAttrReadOnly);
  File("purge\\hidden.dat", "x", fs::kAttrHidden);
  File(std::string("purge\\") + kCyrillic, "x");
  Folder("purge\\sub");
  File("purge\\sub\\deep-ro.txt", "x", fs::kAttrReadOnly);
  Folder("purge\\sub\\ro-folder");
  File("purge\\sub\\ro-folder\\a.txt", "x");
  ASSERT_EQ(files().SetAttributes(At("purge\\sub\\ro-folder"), fs::kAttrReadOnly), 0);
  Folder("purge\\holder");
  ASSERT_TRUE(env->MakeFolderLink(At("purge\\holder\\link"), At("outside")));
  ASSERT_TRUE(env->MakeFolderLink(At("purge\\top-link"), At("outside")));

  PurgeFolder(ctx(), At("purge"));

  EXPECT_EQ(env->Read(At("outside\\precious.doc")), "keep");
  EXPECT_EQ(env->Read(At("outside\\inner\\notes.txt")), "keep");
  EXPECT_TRUE(Exists("purge\\top-ro.txt"));
  EXPECT_FALSE(Exists("purge\\hidden.dat"));
  EXPECT_FALSE(Exists(std::string("purge\\") + kCyrillic));
  EXPECT_FALSE(Exists("purge\\sub"));
  EXPECT_TRUE(Exists("purge\\holder\\link"));
  EXPECT_TRUE(Exists("purge\\top-link"));
  std::vector<std::string> lines = window.lines;
  std::sort(lines.begin(), lines.end());
  // The holder's line shows even when the link inside keeps it in place.
  std::vector<std::string> expected;
  for (std::string name : {"hidden.dat", "holder", "sub", "sub\\deep-ro.txt",
                           "sub\\ro-folder\\a.txt", "top-ro.txt", kCyrillic})
    expected.push_back("Deleting - " + At("purge\\" + name));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(window.pumps, static_cast<int>(window.lines.size()));
}

// A folder reached through a link has the number and volume of the folder itself, and another
// folder another number: what tells a protected folder reached through a share.
TEST_F(FileSystemConformance, AFolderHasOneIdentityByEveryPathThatReachesIt) {
  Folder("target");
  Folder("other");
  ASSERT_TRUE(env->MakeFolderLink(At("link"), At("target")));
  auto identity = [&](const std::string& relative) {
    std::unique_ptr<fs::Item> item;
    std::pair<std::uint64_t, std::uint32_t> id;
    if (files().OpenItem(At(relative), fs::ItemOpen{fs::ItemAccess::kRead, false, true}, &item) !=
            fs::kSuccess ||
        item->FileIndex(&id.first) != fs::kSuccess ||
        item->VolumeSerial(&id.second) != fs::kSuccess) {
      ADD_FAILURE() << relative;
    }
    return id;
  };
  EXPECT_EQ(identity("link"), identity("target"));
  EXPECT_NE(identity("other").first, identity("target").first);
}

// SQLite writes through the database's journal, log and log index, opened by their names: a
// second name of a file elsewhere, there or as the database itself, would carry the clean-up
// there, so the database is left as it is.
TEST_F(FileSystemConformance, PlacesAreClearedOnlyWithoutASecondNameBesideThem) {
  struct Recorder : platform::PlacesStore {
    fs::Status ClearHistory(std::string_view path) override {
      cleared.emplace_back(path);
      return fs::kSuccess;
    }
    fs::Status CountHistory(std::string_view, std::uint64_t*) override { return fs::kSuccess; }
    std::vector<std::string> cleared;
  } places;
  platform::Platform& real = env->platform();
  platform::Platform recorded{real.registry, real.files, real.url_cache, real.url_history,
                              real.shell,    real.clock, real.system,    places};
  StepContext run{recorded};
  File("kept.bin", "kept");
  for (std::string ending : {"", "-journal", "-wal", "-shm", "plain"}) {
    const std::string folder = "p" + ending;
    Folder(folder);
    const std::string database = folder + "\\places.sqlite";
    if (!ending.empty())
      File(database, "db");
    if (ending == "plain") {
      File(database + "-wal", "log");
      File(database + "-shm", "index");
    } else {
      ASSERT_TRUE(env->MakeHardLink(At(database + ending), At("kept.bin")));
    }
    run.ctx().cleaners.FirefoxProfiles.push_back({At(folder), ""});
  }
  CleanFirefoxHistory(run.ctx());
  EXPECT_EQ(places.cleared, std::vector<std::string>{At("pplain\\places.sqlite")});
}

// Appending shares the file with other appenders, each write landing at its end; a file open
// for appending is neither opened to be rewritten nor deleted meanwhile; afterwards it can be.
TEST_F(FileSystemConformance, AppendersShareTheFileAndEachWriteLandsAtTheEnd) {
  const std::string path = At("log.txt");
  std::unique_ptr<fs::File> first;
  std::unique_ptr<fs::File> second;
  ASSERT_EQ(files().OpenFile(path, fs::OpenMode::kAppend, &first), 0);
  ASSERT_EQ(first->Write("1a "), 0);
  ASSERT_EQ(files().OpenFile(path, fs::OpenMode::kAppend, &second), 0);
  ASSERT_EQ(second->Write("2a "), 0);
  ASSERT_EQ(first->Write("1b "), 0);
  ASSERT_EQ(second->Write("2b"), 0);
  std::unique_ptr<fs::File> rewrite;
  EXPECT_EQ(files().OpenFile(path, fs::OpenMode::kCreateAlways, &rewrite), fs::kSharingViolation);
  EXPECT_EQ(files().DeleteFileWide(path, true), fs::kSharingViolation);
  EXPECT_EQ(first->Close(), 0);
  EXPECT_EQ(second->Close(), 0);
  EXPECT_EQ(env->Read(path), "1a 2a 1b 2b");

  ASSERT_EQ(files().OpenFile(path, fs::OpenMode::kReadWriteOpenAlways, &rewrite), 0);
  EXPECT_EQ(files().OpenFile(path, fs::OpenMode::kAppend, &first), fs::kSharingViolation);
  rewrite.reset();  // closed by its owner

  ASSERT_EQ(files().OpenFile(path, fs::OpenMode::kCreateAlways, &rewrite), 0);
  EXPECT_EQ(rewrite->Write("x"), 0);
  rewrite.reset();
  EXPECT_EQ(env->Read(path), "x");
  EXPECT_EQ(files().OpenFile(At("missing\\log.txt"), fs::OpenMode::kAppend, &first),
            fs::kPathNotFound);
}

// The log is appended to beside the program, where anyone who can write there could plant its
// name ahead of time.
TEST_F(FileSystemConformance, AppendingGoesThroughNoLinkAndIntoNoOtherName) {
  File("victim.txt", "v");
  File("other.txt", "o");
  ASSERT_TRUE(env->MakeHardLink(At("second.txt"), At("victim.txt")));
  ASSERT_TRUE(env->MakeFileLink(At("link.txt"), At("other.txt")));
  ASSERT_TRUE(env->MakeFileLink(At("dangling.txt"), At("made.txt")));
  std::unique_ptr<fs::File> file;
  for (const char* name : {"second.txt", "link.txt", "dangling.txt"})
    EXPECT_EQ(files().OpenFile(At(name), fs::OpenMode::kAppend, &file), fs::kAccessDenied) << name;
  EXPECT_EQ(env->Read(At("victim.txt")), "v");
  EXPECT_EQ(env->Read(At("other.txt")), "o");
  EXPECT_FALSE(Exists("made.txt"));
  // What any other open that creates does with the dangling link: it makes the file named.
  ASSERT_EQ(files().OpenFile(At("dangling.txt"), fs::OpenMode::kCreateAlways, &file), 0);
  file.reset();
  EXPECT_TRUE(Exists("made.txt"));
}

}  // namespace
}  // namespace scourix::conformance
