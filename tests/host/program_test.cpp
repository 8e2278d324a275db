#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string_view>
#include <tuple>

#include "app/activity_log.h"
#include "app/manifest.h"
#include "app_harness.h"
#include "primitives/folder_text.h"

namespace scourix {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using RunTest = testing::AppTest;
using testing::AppHarness;

// What arrives while a run yields: a box changed counts where the run has not passed it, and
// only state 1 is checked; a second press nests no run, though a later one runs again; a close
// ends the run at once, without a finished line.
TEST_F(RunTest, DuringAYieldABoxChangeCountsAPressNestsNoRunAndACloseEndsIt) {
  app.window.UncheckAll();
  app.window.Check("chkIETemp", 1);
  app.window.Check("chkRun", 1);
  app.window.Check("chkHistory", 1);
  app.window.Check("chkAcrobat", 2);
  int pumps_before = app.window.pumps;
  // While the run yields before the first target, the user unchecks a later box and checks
  // one that the run has already passed.
  app.window.on_pump = [&] {
    app.window.Check("chkRun", 0);
    app.window.Check("chkIETemp", 0);
    app.window.Check("chkWinamp", 1);
    app.window.on_pump = nullptr;
  };
  app.frm->cmdScour_Click();
  EXPECT_EQ(app.window.pumps - pumps_before, 3);
  app.window.on_pump = [&] { app.frm->cmdScour_Click(); };
  app.frm->cmdScour_Click();
  const std::string playlist = "C:\\Program Files\\Winamp\\winamp.m3u";
  files().AddFile(playlist);  // the closed run never reaches it
  app.window.on_pump = [&] { app.frm->Form_Unload(); };
  app.frm->cmdScour_Click();
  EXPECT_TRUE(app.window.program_ended);
  EXPECT_TRUE(files().Exists(playlist));
  EXPECT_THAT(
      app.Messages(),
      ElementsAre("Scourix Initialized.", "Scour started.", "Cleaning IE Cache...",
                  "Cleaning WinAmp Last Opened...", "Cleaning Windows History...",
                  "Finished in 0 seconds.", "Scour started.", "Cleaning WinAmp Last Opened...",
                  "Cleaning Windows History...", "Finished in 0 seconds.", "Scour started.",
                  "Cleaning WinAmp Last Opened...", "Scourix Decommissioned."));
}

TEST_F(RunTest, DuringALongPurgeTheLabelTakesTheLatestLineEachSliceAndABoxPressCounts) {
  constexpr char kTemp[] = "C:\\Users\\me\\Local Settings\\Temp";
  constexpr int kFiles = 100;
  reg().SetString(testing::kShellFolders, "Local Settings", "C:\\Users\\me\\Local Settings");
  auto file = [&](int i) { return std::string(kTemp) + "\\f" + std::to_string(1000 + i); };
  for (int i = 0; i < kFiles; ++i)
    files().AddFile(file(i));
  app.window.UncheckAll();
  app.window.Check("chkTemp", 1);
  // Each file's line and yield read the clock, 5 ms apart: one 50 ms slice per 5 files.
  app.machine.clock.tick_step = 5;
  int purge_pumps = 0;
  app.window.on_pump = [&] {
    int gone = 0;
    while (gone < kFiles && !files().Exists(file(gone)))
      ++gone;
    if (gone == 0 || gone == kFiles)
      return;  // the yield before the purge, or one after it
    ++purge_pumps;
    // The line of the file deleted last, not an older one.
    EXPECT_EQ(app.window.status, "Deleting - " + file(gone - 1));
    if (purge_pumps == 3)
      app.window.Check("chkRun", 1);  // a later box, pressed mid-purge
  };
  app.frm->cmdScour_Click();
  EXPECT_FALSE(files().Exists(file(kFiles - 1)));
  // A hundred lines over a second of the clock: one label line and one yield per slice.
  EXPECT_GE(purge_pumps, 18);
  EXPECT_LE(purge_pumps, 21);
  const auto shown =
      std::count_if(app.window.status_history.begin(), app.window.status_history.end(),
                    [](const std::string& line) { return line.starts_with("Deleting - "); });
  EXPECT_GE(shown, purge_pumps);
  EXPECT_LE(shown, purge_pumps + 1);  // the last file's line, with no yield left in the purge
  EXPECT_THAT(app.Messages(), Contains("Cleaning Run Recent..."));
}

// Rounded half to even, from the tick counter even across its wrap and its signed boundary.
TEST_F(RunTest, ElapsedSecondsComeFromTheTickCounterEvenAcrossItsWrap) {
  app.window.UncheckAll();
  const std::tuple<std::uint32_t, std::uint32_t, const char*> runs[] = {
      {0xFFFFFF00u, 2756, "3"},
      {0x7FFFFF00u, 1500, "2"},
      {0, 2500, "2"},
      {0, 500, "0"},
      {5, 0xFFFFFFFFu, "4294967"}};
  for (auto [tick, ms, seconds] : runs) {
    app.machine.clock.tick = tick;
    app.machine.clock.tick_step = ms;
    app.frm->cmdScour_Click();
    EXPECT_EQ(app.Messages().back(), std::string("Finished in ") + seconds + " seconds.") << ms;
  }
}

platform::LocalTime At(int hour, int minute) {
  return {2026, 12, 4, hour, minute, 0};
}

// The start-up cases show 9:05 in the lines and the name; these the other corners. The
// short-date format is the user's to set: whatever it gives, the log is one plain name in the
// program's folder. The manifest's text, and the starts on XP and later systems, the manifest
// scenarios check on the real program; here only its path, beside the program.
TEST(LogFormat, HourUnpaddedMinutePaddedAndTheDateCannotMakeTheNameAPath) {
  EXPECT_EQ(StampLine(At(14, 30), "12/4/2026", "x"), "[14:30 12/4/2026] x");
  EXPECT_EQ(LogFileName(At(0, 0), "12/4/2026"), "0.00 12-4-2026.txt");
  EXPECT_EQ(FolderOf("C:\\Tools\\scourix.exe"), "C:\\Tools");
  EXPECT_EQ(FolderOf("C:\\scourix.exe"), "C:\\");
  for (auto [date, name] : std::initializer_list<std::pair<std::string_view, std::string_view>>{
           {"x\\..\\..\\..\\2026", "9.05 x-------2026.txt"},
           {std::string_view("C:/a?b\"c<d>e|f*\t\0", 17), "9.05 C--a-b-c-d-e-f---.txt"},
           {"...2026...", "9.05 -.2026-.txt"},
           {"12.4.", "9.05 12.4.txt"},
           {"", "9.05 .txt"},
       }) {
    EXPECT_EQ(LogFileName(At(9, 5), date), name) << date;
  }
  for (auto [program, manifest] : std::initializer_list<std::pair<const char*, const char*>>{
           {"C:\\Cleaner.exe", "C:\\Cleaner.exe.manifest"},
           {"D:\\Cleaner.exe.exe", "D:\\Cleaner.exe.manifest"},
           {"C:\\Tools\\Cleaner.EXE.exe", "C:\\Tools\\Cleaner.EXE.manifest"},
           {"C:\\My.Tools\\Clean.er.exe", "C:\\My.Tools\\Clean.er.exe.manifest"},
           {"\\\\server\\share\\scourix.exe", "\\\\server\\share\\scourix.exe.manifest"}})
    EXPECT_EQ(ManifestPath(program), manifest);
}

constexpr const char* kManifest = "C:\\Program Files\\Scourix\\scourix.exe.manifest";
const platform::OsVersion kXp{5, 1, 2600, 2, "Service Pack 3"};

// Two copies in one minute share one log: the hostile-names scenario shows it on the real
// program, and a shared file-system case holds appending to it on both back-ends. An unwritable
// folder leaves neither log nor manifest, and a working window.
TEST(Lifecycle, AnUnwritableFolderLeavesTheWindowWorking) {
  AppHarness app;
  app.machine.system.version = kXp;
  app.machine.files.AddFolder("C:\\Program Files\\Scourix");
  app.machine.files.DenyCreate("C:\\Program Files\\Scourix");
  app.Start();
  EXPECT_FALSE(app.machine.files.Exists(app.LogPath()));
  EXPECT_FALSE(app.machine.files.Exists(kManifest));
  EXPECT_EQ(app.machine.system.common_controls_initialised, 1);
  EXPECT_EQ(app.window.status, "[9:05 12/4/2026] Scourix Initialized.");
  app.window.UncheckAll();
  app.frm->cmdScour_Click();
  EXPECT_EQ(app.window.status, "[9:05 12/4/2026] Finished in 0 seconds.");
  // Where the program's own path cannot be read, its folder is unknown: neither file goes to
  // the root of the drive instead.
  AppHarness pathless;
  pathless.machine.system.version = kXp;
  pathless.machine.system.program_path.clear();
  pathless.Start();
  pathless.frm->Form_Unload();
  EXPECT_FALSE(pathless.machine.files.Exists("C:\\9.05 12-4-2026.txt"));
  EXPECT_FALSE(pathless.machine.files.Exists("C:\\.exe.manifest"));
}

// Start and close leave exactly two stamped lines. The date format is the user's: other
// separators and letters outside ASCII reach the name and the lines alike, the lines in the ANSI
// code page.
TEST(Lifecycle, StartAndCloseLeaveTwoStampedLinesInTheAnsiCodePage) {
  AppHarness app;
  app.machine.clock.date_format = [](const platform::LocalTime&) { return "4 f\xC3\xA9v."; };
  app.Start();
  app.frm->Form_Unload();
  EXPECT_EQ(
      app.machine.files.Content("C:\\Program Files\\Scourix\\9.05 4 f\xC3\xA9v.txt"),
      "[9:05 4 f\xE9v.] Scourix Initialized.\r\n[9:05 4 f\xE9v.] Scourix Decommissioned.\r\n");
  EXPECT_THAT(app.machine.system.load_log, ElementsAre("load shell32.dll", "free shell32.dll"));
}

TEST(OSName, TableOfFamiliesAndVersions) {
  // clang-format off
  const std::tuple<std::uint32_t, std::uint32_t, std::uint32_t, const char*> rows[] = {
      {1, 4, 0, "Windows 95"}, {1, 4, 10, "Windows 98"}, {1, 4, 90, ""},
      {2, 3, 51, "Windows NT 3.51"}, {2, 4, 0, "Windows NT 4.0"}, {2, 5, 0, "Windows XP"},
      {2, 5, 2, "Windows XP"}, {2, 6, 3, "Windows Vista"}, {2, 10, 0, ""}, {2, 2, 0, ""},
      {0, 5, 1, "Failed"}, {3, 5, 1, "Failed"}};
  // clang-format on
  sim::SimSystem system;
  for (auto [id, major, minor, name] : rows) {
    system.version = {major, minor, 0, id, ""};
    EXPECT_EQ(GetOSName(system), name) << id << " " << major << "." << minor;
  }
  system.version = kXp;
  system.version_status = platform::kInvalidParameter;
  EXPECT_EQ(GetOSName(system), "Failed");
}

// A disk that fills up as soon as a file is created.
class FullDisk : public sim::SimFileSystem {
 public:
  platform::Status OpenFile(std::string_view path,
                            platform::OpenMode mode,
                            std::unique_ptr<platform::File>* file) override {
    platform::Status status = SimFileSystem::OpenFile(path, mode, file);
    FailWrites(path);
    return status;
  }
};

TEST(CreateManifest, NoManifestIsLeftWhereItCannotBeWrittenWhole) {
  sim::SimMachine machine;
  machine.system.version = kXp;
  FullDisk disk;
  disk.AddFile(machine.system.program_path, "MZ");
  platform::Platform& p = machine.platform;
  platform::Platform full{p.registry, disk,    p.url_cache, p.url_history,
                          p.shell,    p.clock, p.system,    p.places};
  CreateManifest(full);
  EXPECT_FALSE(disk.Exists(kManifest));
  EXPECT_EQ(machine.system.common_controls_initialised, 1);
}

}  // namespace
}  // namespace scourix
