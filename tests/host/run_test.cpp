#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tuple>

#include "app_harness.h"

namespace scourix {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

using RunTest = testing::AppTest;

TEST_F(RunTest, OnlyStateOneCountsAndAChangeDuringAYieldCounts) {
  app.window.UncheckAll();
  app.window.Check("chkIETemp", 1);
  app.window.Check("chkRun", 1);
  app.window.Check("chkHistory", 1);
  app.window.Check("chkAcrobat", 2);  // an indeterminate state is not "checked"
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
  EXPECT_THAT(app.Messages(), ElementsAre("Scourix Initialized.", "Scour started.",
                                          "Cleaning IE Cache...", "Cleaning WinAmp Last Opened...",
                                          "Cleaning Windows History...", "Finished in 0 seconds."));
  EXPECT_EQ(app.window.pumps - pumps_before, 3);
}

TEST_F(RunTest, APressDuringARunDoesNotNestASecondRun) {
  app.window.UncheckAll();
  app.window.Check("chkRun", 1);
  app.window.on_pump = [&] { app.frm->cmdScour_Click(); };
  app.frm->cmdScour_Click();
  EXPECT_THAT(app.Messages(), ElementsAre("Scourix Initialized.", "Scour started.",
                                          "Cleaning Run Recent...", "Finished in 0 seconds."));
  app.window.on_pump = nullptr;
  app.frm->cmdScour_Click();  // and a later press runs again
  EXPECT_EQ(app.Messages().size(), 7u);
}

TEST_F(RunTest, ClosingDuringARunEndsItWithoutAFinishedLine) {
  app.window.UncheckAll();
  app.window.Check("chkIETemp", 1);
  app.window.Check("chkRun", 1);
  app.window.on_pump = [&] { app.frm->Form_Unload(); };
  app.frm->cmdScour_Click();
  EXPECT_TRUE(app.window.program_ended);
  EXPECT_THAT(app.Messages(), ElementsAre("Scourix Initialized.", "Scour started.",
                                          "Cleaning IE Cache...", "Scourix Decommissioned."));
}

TEST_F(RunTest, DuringALongPurgeTheLabelTakesTheLatestLineEachSliceAndABoxPressCounts) {
  constexpr char kTemp[] = "C:\\Users\\me\\Local Settings\\Temp";
  constexpr int kFiles = 100;
  reg().SetString(testing::kShellFolders, "Local Settings", "C:\\Users\\me\\Local Settings");
  auto file = [&](int i) { return std::string(kTemp) + "\\f" + std::to_string(1000 + i); };
  for (int i = 0; i < kFiles; ++i)
    files().AddFile(file(i));
  files().AddFile("C:\\Users\\me\\Local Settings\\keep.dat");  // only Temp is purged
  reg().SetString("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU", "a",
                  "calc");
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
  EXPECT_TRUE(files().Exists("C:\\Users\\me\\Local Settings\\keep.dat"));
  // A hundred lines over a second of the clock: one label line and one yield per slice.
  EXPECT_GE(purge_pumps, 18);
  EXPECT_LE(purge_pumps, 21);
  const auto shown =
      std::count_if(app.window.status_history.begin(), app.window.status_history.end(),
                    [](const std::string& line) { return line.starts_with("Deleting - "); });
  EXPECT_GE(shown, purge_pumps);
  EXPECT_LE(shown, purge_pumps + 1);  // the last file's line, with no yield left in the purge
  EXPECT_THAT(app.Messages(), Contains("Cleaning Run Recent..."));
  EXPECT_FALSE(reg().ValueExists(
      "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU", "a"));
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

}  // namespace
}  // namespace scourix
