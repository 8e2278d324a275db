// The recorders: each kind of change is recorded with its size, the machine keeps everything in
// a preview, and later reads see the change as if it had been made.
#include <gmock/gmock.h>

#include "app_harness.h"
#include "machine_state.h"
#include "recording/recording_platform.h"

namespace scourix::testing {
namespace {

using platform::ItemAccess;
using platform::ItemOpen;
using recording::Change;
using recording::ChangeKind;
using recording::Mode;
using ::testing::ElementsAre;

constexpr std::string_view kKey = "HKEY_CURRENT_USER\\Software\\T";

void Seed(sim::SimMachine& machine) {
  machine.registry.SetString(kKey, "a", "xyz");
  machine.registry.SetString(std::string(kKey) + "\\Leaf", "v", "1");
  machine.registry.AddKey(std::string(kKey) + "\\Branch\\Twig");
  machine.files.AddFile("C:\\Data\\f.txt", "12345");
  machine.files.AddFile("C:\\Data\\ro.txt", "12", platform::kAttrReadOnly);
  machine.url_cache.Add("http://a/");
  machine.url_history.Add(u"http://a/");
  machine.url_history.Add(u"http://b/");
}

// The seeded key, opened for every change.
platform::UniqueRegKey OpenT(platform::Platform& platform) {
  platform::UniqueRegKey key;
  EXPECT_EQ(platform::OpenKey(platform.registry, platform::kHkeyCurrentUser, "Software\\T",
                              platform::kKeyAllAccess, &key),
            platform::kSuccess);
  return key;
}

platform::Status DeleteItem(platform::Platform& platform, std::string_view path, bool clear) {
  std::unique_ptr<platform::Item> item;
  platform::Status status =
      platform.files.OpenItem(path, ItemOpen{ItemAccess::kDelete, false, false}, &item);
  if (status != platform::kSuccess)
    return status;
  if (clear)
    (void)item->ClearReadOnly();
  return item->Delete();
}

struct Case {
  const char* name;
  std::function<void(platform::Platform&)> change;
  std::vector<Change> recorded;
};

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"value deleted",
       [](platform::Platform& p) {
         platform::UniqueRegKey key = OpenT(p);
         EXPECT_EQ(p.registry.DeleteValue(key.get(), "a"), platform::kSuccess);
         EXPECT_EQ(p.registry.DeleteValue(key.get(), "a"), platform::kFileNotFound);
       },
       {{ChangeKind::kValueDeleted, "HKEY_CURRENT_USER\\Software\\T\\a", 4}}},
      {"value blanked in a key made for it",
       [](platform::Platform& p) {
         platform::UniqueRegKey key;
         ASSERT_EQ(platform::CreateKey(p.registry, platform::kHkeyCurrentUser, "Software\\New",
                                       platform::kKeySetValue, &key),
                   platform::kSuccess);
         const std::uint8_t empty[] = {0};
         EXPECT_EQ(p.registry.SetValue(key.get(), "File1", platform::kRegSz, empty, 1),
                   platform::kSuccess);
       },
       {{ChangeKind::kKeyCreated, "HKEY_CURRENT_USER\\Software\\New", 0},
        {ChangeKind::kValueWritten, "HKEY_CURRENT_USER\\Software\\New\\File1", 1}}},
      {"leaf key deleted, a key with a subkey refused",
       [](platform::Platform& p) {
         platform::UniqueRegKey key = OpenT(p);
         EXPECT_EQ(p.registry.DeleteKey(key.get(), "Branch"), platform::kAccessDenied);
         EXPECT_EQ(p.registry.DeleteKey(key.get(), "Branch\\Twig"), platform::kSuccess);
         EXPECT_EQ(p.registry.DeleteKey(key.get(), "Branch"), platform::kSuccess);
         EXPECT_EQ(p.registry.DeleteKey(key.get(), "Leaf"), platform::kSuccess);
         char name[64];
         EXPECT_EQ(p.registry.EnumKey(key.get(), 0, name, sizeof name), platform::kNoMoreItems);
       },
       {{ChangeKind::kKeyDeleted, "HKEY_CURRENT_USER\\Software\\T\\Branch\\Twig", 0},
        {ChangeKind::kKeyDeleted, "HKEY_CURRENT_USER\\Software\\T\\Branch", 0},
        {ChangeKind::kKeyDeleted, "HKEY_CURRENT_USER\\Software\\T\\Leaf", 0}}},
      {"files deleted and wiped, a read-only one only once cleared, then the folder",
       [](platform::Platform& p) {
         EXPECT_EQ(DeleteItem(p, "C:\\Data", false), platform::kDirNotEmpty);
         std::unique_ptr<platform::Item> item;
         ASSERT_EQ(p.files.OpenItem("\\\\?\\C:\\Data\\f.txt",
                                    ItemOpen{ItemAccess::kWipe, false, false}, &item),
                   platform::kSuccess);
         EXPECT_EQ(item->WriteAtStart("\x01"), platform::kSuccess);
         EXPECT_EQ(item->Delete(), platform::kSuccess);
         item.reset();
         EXPECT_EQ(DeleteItem(p, "C:\\Data\\ro.txt", false), platform::kAccessDenied);
         EXPECT_EQ(DeleteItem(p, "C:\\Data\\ro.txt", true), platform::kSuccess);
         EXPECT_EQ(DeleteItem(p, "C:\\Data\\f.txt", false), platform::kFileNotFound);
         EXPECT_EQ(DeleteItem(p, "C:\\Data", false), platform::kSuccess);
       },
       {{ChangeKind::kFileOverwritten, "C:\\Data\\f.txt", 1},
        {ChangeKind::kFileDeleted, "C:\\Data\\f.txt", 5},
        {ChangeKind::kAttributesSet, "C:\\Data\\ro.txt", platform::kAttrArchive},
        {ChangeKind::kFileDeleted, "C:\\Data\\ro.txt", 2},
        {ChangeKind::kFolderDeleted, "C:\\Data", 0}}},
      {"cache entry deleted once",
       [](platform::Platform& p) {
         EXPECT_EQ(p.url_cache.DeleteEntry("http://a/"), platform::kSuccess);
         EXPECT_EQ(p.url_cache.DeleteEntry("http://a/"), platform::kFileNotFound);
       },
       {{ChangeKind::kCacheEntryDeleted, "http://a/", 1}}},
      {"history cleared with its count, then empty",
       [](platform::Platform& p) {
         std::unique_ptr<platform::UrlHistoryStorage> store;
         ASSERT_EQ(p.url_history.Open(&store), platform::kSOk);
         EXPECT_EQ(store->ClearHistory(), platform::kSOk);
         EXPECT_EQ(store->ClearHistory(), platform::kSOk);  // nothing left: nothing recorded
       },
       {{ChangeKind::kHistoryCleared, "URL history", 2}}},
      {"recent documents emptied",
       [](platform::Platform& p) { p.shell.AddToRecentDocsNull(platform::kShardPathA); },
       {{ChangeKind::kRecentDocumentsCleared, "recent documents", 0}}},
  };
  return cases;
}

// Both modes record the same; only the live one changes the machine.
TEST(RecordingTest, EachChangeRecordedWithItsSizeAndMadeOnlyLive) {
  for (const Case& c : Cases()) {
    sim::SimMachine previewed, changed, untouched;
    for (sim::SimMachine* machine : {&previewed, &changed, &untouched})
      Seed(*machine);
    recording::RecordingPlatform preview(previewed.platform, Mode::kPreview);
    c.change(preview.platform);
    EXPECT_EQ(preview.journal.changes(), c.recorded) << c.name;
    EXPECT_EQ(MachineState(previewed), MachineState(untouched)) << c.name;

    recording::RecordingPlatform live(changed.platform, Mode::kLive);
    c.change(live.platform);
    EXPECT_EQ(live.journal.changes(), c.recorded) << c.name << " (live)";
    EXPECT_NE(MachineState(changed), MachineState(untouched)) << c.name << " (live)";
  }
}

// A preview's later reads see its earlier changes: the deleted value is neither read nor listed,
// the blanked one reads as written.
TEST(RecordingTest, PreviewReadsItsOwnChanges) {
  sim::SimMachine machine;
  Seed(machine);
  machine.registry.SetString(kKey, "b", "keep");
  recording::RecordingPlatform preview(machine.platform, Mode::kPreview);
  platform::Registry& reg = preview.platform.registry;
  platform::UniqueRegKey key = OpenT(preview.platform);
  ASSERT_EQ(reg.DeleteValue(key.get(), "a"), platform::kSuccess);
  const std::uint8_t blank[] = {0};
  ASSERT_EQ(reg.SetValue(key.get(), "b", platform::kRegSz, blank, 1), platform::kSuccess);
  platform::RegValue value;
  EXPECT_EQ(reg.QueryValue(key.get(), "a", &value), platform::kFileNotFound);
  std::vector<std::string> listed;
  for (std::uint32_t i = 0; reg.EnumValue(key.get(), i, &value) == platform::kSuccess; ++i)
    listed.push_back(value.name + "=" + value.data);
  EXPECT_THAT(listed, ElementsAre(std::string("b=") + '\0'));
  EXPECT_EQ(machine.registry.StringValue(kKey, "a"), "xyz");
}

}  // namespace
}  // namespace scourix::testing
