// The recorders: each kind of change is recorded with its size, a preview changes nothing and
// later reads see its changes; on a machine seeded for every target, a preview records exactly
// what the run then changes.
#include <gmock/gmock.h>

#include "app/catalogue.h"
#include "app/mdl_time.h"
#include "app/scour_run.h"
#include "app_harness.h"
#include "browser/browser_cleaners.h"
#include "cli/console_window.h"
#include "cli/recorded_run.h"
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

void SeedFew(sim::SimMachine& machine) {
  machine.registry.SetString(kKey, "a", "xyz");
  machine.registry.SetString(kKey, "b", "keep");
  machine.registry.SetString(std::string(kKey) + "\\Leaf", "v", "1");
  machine.registry.AddKey(std::string(kKey) + "\\Branch\\Twig");
  machine.registry.AddKey("HKEY_CURRENT_USER\\Software\\Sealed");
  machine.registry.DenyAccess("HKEY_CURRENT_USER\\Software\\Sealed", platform::kKeyRead);
  machine.files.AddFile("C:\\Data\\f.txt", "12345");
  machine.files.AddFile("C:\\Data\\ro.txt", "12", platform::kAttrReadOnly);
  machine.url_cache.Add("http://a/");
  machine.url_history.Add(u"http://a/");
  machine.url_history.Add(u"http://b/");
}

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
    (void)item->SetReadOnly(false);
  return item->Delete();
}

struct Case {
  const char* name;
  std::function<void(platform::Platform&)> change;
  std::vector<Change> recorded;
};

TEST(RecordingTest, EachChangeRecordedWithItsSizeAndMadeOnlyLive) {
  const Case cases[] = {
      // Later reads see the changes: the deleted value is neither read nor listed, the blanked
      // one reads as written.
      {"value deleted, another blanked, one written in a key made for it",
       [](platform::Platform& p) {
         platform::UniqueRegKey key = OpenT(p);
         EXPECT_EQ(p.registry.DeleteValue(key.get(), "a"), platform::kSuccess);
         EXPECT_EQ(p.registry.DeleteValue(key.get(), "a"), platform::kFileNotFound);
         const std::uint8_t blank[] = {0};
         EXPECT_EQ(p.registry.SetValue(key.get(), "b", platform::kRegSz, blank, 1),
                   platform::kSuccess);
         platform::RegValue value;
         EXPECT_EQ(p.registry.QueryValue(key.get(), "a", &value), platform::kFileNotFound);
         std::vector<std::string> listed;
         for (std::uint32_t i = 0; p.registry.EnumValue(key.get(), i, &value) == 0; ++i)
           listed.push_back(value.name + "=" + value.data);
         EXPECT_THAT(listed, ElementsAre(std::string("b=") + '\0'));
         platform::UniqueRegKey made;
         ASSERT_EQ(platform::CreateKey(p.registry, platform::kHkeyCurrentUser, "Software\\New",
                                       platform::kKeySetValue, &made),
                   platform::kSuccess);
         EXPECT_EQ(p.registry.SetValue(made.get(), "File1", platform::kRegSz, blank, 1),
                   platform::kSuccess);
       },
       {{ChangeKind::kValueDeleted, "HKEY_CURRENT_USER\\Software\\T\\a", 4},
        {ChangeKind::kValueWritten, "HKEY_CURRENT_USER\\Software\\T\\b", 1},
        {ChangeKind::kKeyCreated, "HKEY_CURRENT_USER\\Software\\New", 0},
        {ChangeKind::kValueWritten, "HKEY_CURRENT_USER\\Software\\New\\File1", 1}}},
      {"leaf keys deleted, one that may be deleted but not read too; a key with a subkey refused",
       [](platform::Platform& p) {
         platform::UniqueRegKey key = OpenT(p);
         EXPECT_EQ(p.registry.DeleteKey(key.get(), "Branch"), platform::kAccessDenied);
         EXPECT_EQ(p.registry.DeleteKey(key.get(), "Branch\\Twig"), platform::kSuccess);
         EXPECT_EQ(p.registry.DeleteKey(key.get(), "Branch"), platform::kSuccess);
         EXPECT_EQ(p.registry.DeleteKey(key.get(), "Leaf"), platform::kSuccess);
         char name[64];
         EXPECT_EQ(p.registry.EnumKey(key.get(), 0, name, sizeof name), platform::kNoMoreItems);
         EXPECT_EQ(p.registry.DeleteKey(platform::kHkeyCurrentUser, "Software\\Sealed"),
                   platform::kSuccess);
       },
       {{ChangeKind::kKeyDeleted, "HKEY_CURRENT_USER\\Software\\T\\Branch\\Twig", 0},
        {ChangeKind::kKeyDeleted, "HKEY_CURRENT_USER\\Software\\T\\Branch", 0},
        {ChangeKind::kKeyDeleted, "HKEY_CURRENT_USER\\Software\\T\\Leaf", 0},
        {ChangeKind::kKeyDeleted, "HKEY_CURRENT_USER\\Software\\Sealed", 0}}},
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
  for (const Case& c : cases) {
    sim::SimMachine previewed, changed, untouched;
    for (sim::SimMachine* machine : {&previewed, &changed, &untouched})
      SeedFew(*machine);
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

// Traces for every target: the registry fixture, and files, cache entries and history for the
// cleaners that work outside the registry, with a read-only file and a folder that holds one
// so that the refusals a preview must foresee are met too.
void SeedEveryTarget(sim::SimMachine& machine) {
  Seed(machine.registry, "traces.reg");
  sim::SimRegistry& reg = machine.registry;
  for (std::string folder : {"Cookies", "Cache", "Local Settings", "AppData", "History"})
    reg.SetString(kShellFolders, folder, "C:\\Users\\me\\" + folder);
  sim::SimFileSystem& files = machine.files;
  files.AddFile("C:\\Users\\me\\Cookies\\me@site.txt", "cookie");
  files.AddFile("C:\\Users\\me\\Cookies\\ro.txt", "kept", platform::kAttrReadOnly);
  files.AddFile("C:\\Users\\me\\Cookies\\index.dat", "", platform::kAttrHidden);
  files.AddFile("C:\\Users\\me\\Cache\\X1\\page.htm", "<html>");
  files.AddFile("C:\\Users\\me\\Local Settings\\Temp\\a.tmp", "12345");
  files.AddFile("C:\\Users\\me\\Local Settings\\Temp\\deep\\er\\b.tmp", "1234567");
  files.AddFile("C:\\Users\\me\\Local Settings\\Temp\\ro\\c.tmp", "ro", platform::kAttrReadOnly);
  files.AddFile("C:\\Users\\me\\Local Settings\\Temp\\busy\\d.tmp", "in use");
  files.Lock("C:\\Users\\me\\Local Settings\\Temp\\busy\\d.tmp");
  files.AddFile("C:\\WINDOWS\\Temp\\w.tmp", "windows");
  files.AddFile("C:\\WINDOWS\\Cookies\\wc.txt", "cookie");
  const std::string firefox = "C:\\Users\\me\\AppData\\Mozilla\\Firefox";
  // The profile listed twice, the second time through a link to its folder: what the first
  // removes, the second finds gone.
  files.AddFile(firefox + "\\profiles.ini",
                "[Profile0]\r\nIsRelative=1\r\nPath=Profiles/p0\r\n"
                "[Profile1]\r\nIsRelative=0\r\nPath=D:\\p0\r\n");
  files.AddFile(firefox + "\\Profiles\\p0\\history.dat", "history");
  files.AddFile(firefox + "\\Profiles\\p0\\cookies.txt", "cookies");
  files.AddFile(firefox + "\\Profiles\\p0\\cache\\ABC\\entry", "cached");
  files.AddLink("D:\\p0", firefox + "\\Profiles\\p0", true);
  machine.places.Add(firefox + "\\Profiles\\p0\\places.sqlite").pages = {
      {"https://visited.example/", 2, false}};
  files.AddFile("C:\\Program Files\\Winamp\\winamp.m3u", "#EXTM3U");
  files.AddFile("C:\\Users\\me\\History\\History.IE5\\index.dat", "ie5");
  files.AddFile("C:\\Users\\me\\History\\History.IE5\\MSHist01\\index.dat", "day");
  machine.url_cache.Add("http://example.com/", platform::kCookieCacheEntry);
  machine.url_cache.Add("http://example.com/page", platform::kNormalCacheEntry);
  machine.url_cache.Add("http://example.com/sticky", platform::kStickyCacheEntry);
  machine.url_cache.Add("http://example.com/img", platform::kNormalCacheEntry);
  machine.url_history.Add(u"http://example.com/");
  machine.url_history.Add(u"http://example.org/", u"Example");
  // Subkey names a listing must get right: one holding a NUL (passed by; its parent then stays)
  // and one longer than the listing's first buffer.
  const std::string windows = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\";
  const std::string hidden("\0x", 2);
  reg.AddKey(windows + "CurrentVersion\\Explorer\\Streams\\" + hidden);
  reg.AddKey(windows + "ShellNoRoam\\BagMRU\\2\\" + hidden);
  std::string long_name;
  for (int i = 0; i < 100; ++i)
    long_name += "\xE6\x97\xA5";
  reg.AddKey(windows + "CurrentVersion\\Explorer\\Streams\\" + long_name);
}

std::vector<Change> Record(sim::SimMachine& machine, Mode mode, const std::vector<bool>& chosen) {
  cli::StringSink err;
  cli::ConsoleRunWindow window(err);
  std::vector<Change> all;
  for (const cli::TargetChanges& run : cli::RecordRun(machine.platform, mode, chosen, window, {}))
    all.insert(all.end(), run.changes.begin(), run.changes.end());
  return all;
}

// The run with no recorder in between, as the window makes it.
void PlainRun(sim::SimMachine& machine, const std::vector<bool>& chosen) {
  cli::StringSink err;
  cli::ConsoleRunWindow window(err);
  CleanersState cleaners;
  CacheState cache;
  Context ctx{machine.platform, window, cleaners, cache};
  FindFirefoxProfile(ctx);
  RunTimer timer(machine.clock);
  (void)ScourTargets(
      ctx, timer,
      ScourDriver{[&](std::size_t i) { return chosen[i]; }, [](std::string_view) {}, {}, {}});
}

std::vector<Change> ExpectPreviewEqualsRun(const std::vector<bool>& chosen, std::string_view what) {
  sim::SimMachine previewed, cleaned, plain;
  for (sim::SimMachine* machine : {&previewed, &cleaned, &plain})
    SeedEveryTarget(*machine);
  const std::vector<std::string> before = MachineState(previewed);

  std::vector<Change> preview = Record(previewed, Mode::kPreview, chosen);
  const std::vector<Change> run = Record(cleaned, Mode::kLive, chosen);
  PlainRun(plain, chosen);

  EXPECT_EQ(MachineState(previewed), before) << what << ": the preview changed the machine";
  EXPECT_EQ(preview, run) << what;
  EXPECT_EQ(MachineState(cleaned), MachineState(plain))
      << what << ": the recorders changed the run";
  EXPECT_EQ(previewed.registry.OpenHandleCount(), 0u) << what;
  return preview;
}

// The seeding reaches every target: none previews as nothing. All together, later targets see
// what earlier ones removed: both BagMRU boxes prune one key, the cookie and temporary-file
// purges meet the same trees. (The defaults are a subset, each alone here.)
TEST(PreviewEqualsRunTest, EachTargetAloneFindsSomethingAndAllTogetherToo) {
  const std::size_t count = Targets().size();
  for (std::size_t i = 0; i < count; ++i) {
    std::vector<bool> chosen(count, false);
    chosen[i] = true;
    EXPECT_FALSE(ExpectPreviewEqualsRun(chosen, Targets()[i].caption).empty())
        << Targets()[i].caption;
  }
  EXPECT_FALSE(ExpectPreviewEqualsRun(std::vector<bool>(count, true), "all").empty());
}

}  // namespace
}  // namespace scourix::testing
