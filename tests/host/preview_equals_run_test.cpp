// A preview records exactly what the run then changes, on a machine seeded for every target,
// and changes nothing itself.
#include <gmock/gmock.h>

#include "app/catalogue.h"
#include "app/mdl_time.h"
#include "app/scour_run.h"
#include "app_harness.h"
#include "browser/browser_cleaners.h"
#include "cli/console_window.h"
#include "cli/recorded_run.h"
#include "machine_state.h"

namespace scourix::testing {
namespace {

using recording::Change;
using recording::Mode;

// Traces for every target: the registry fixture, and files, cache entries and history for the
// cleaners that work outside the registry, with a read-only file and a folder that holds one
// so that the refusals a preview must foresee are met too.
void SeedEveryTarget(sim::SimMachine& machine) {
  Seed(machine.registry, "traces.reg");
  sim::SimRegistry& reg = machine.registry;
  reg.SetString(kShellFolders, "Cookies", "C:\\Users\\me\\Cookies");
  reg.SetString(kShellFolders, "Cache", "C:\\Users\\me\\Cache");
  reg.SetString(kShellFolders, "Local Settings", "C:\\Users\\me\\Local Settings");
  reg.SetString(kShellFolders, "AppData", "C:\\Users\\me\\AppData");
  reg.SetString(kShellFolders, "History", "C:\\Users\\me\\History");
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
  files.AddFile(firefox + "\\profiles.ini", "[Profile0]\r\nIsRelative=1\r\nPath=Profiles/p0\r\n");
  files.AddFile(firefox + "\\Profiles\\p0\\history.dat", "history");
  files.AddFile(firefox + "\\Profiles\\p0\\cookies.txt", "cookies");
  files.AddFile(firefox + "\\Profiles\\p0\\cache\\ABC\\entry", "cached");
  files.AddFile("C:\\Program Files\\Winamp\\winamp.m3u", "#EXTM3U");
  files.AddFile("C:\\Users\\me\\History\\History.IE5\\index.dat", "ie5");
  files.AddFile("C:\\Users\\me\\History\\History.IE5\\MSHist01\\index.dat", "day");
  machine.url_cache.Add("http://example.com/", platform::kCookieCacheEntry);
  machine.url_cache.Add("http://example.com/page", platform::kNormalCacheEntry);
  machine.url_cache.Add("http://example.com/sticky", platform::kStickyCacheEntry);
  machine.url_cache.Add("http://example.com/img", platform::kNormalCacheEntry);
  machine.url_history.Add(u"http://example.com/");
  machine.url_history.Add(u"http://example.org/", u"Example");
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

// Gives back the preview, for the callers that check it found something.
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

// The seeding reaches every target: none previews as nothing.
TEST(PreviewEqualsRunTest, EachTargetAloneFindsSomething) {
  const std::size_t count = Targets().size();
  for (std::size_t i = 0; i < count; ++i) {
    std::vector<bool> chosen(count, false);
    chosen[i] = true;
    EXPECT_FALSE(ExpectPreviewEqualsRun(chosen, Targets()[i].caption).empty());
  }
}

// Later targets see what earlier ones removed: both BagMRU boxes prune one key, the cookie
// and temporary-file purges meet the same trees. (The defaults are a subset, each alone above.)
TEST(PreviewEqualsRunTest, AllTargetsTogether) {
  ExpectPreviewEqualsRun(std::vector<bool>(Targets().size(), true), "all");
}

}  // namespace
}  // namespace scourix::testing
