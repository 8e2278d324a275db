#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/mdl_time.h"
#include "app_harness.h"

namespace scourix {
namespace {

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

TEST_F(RunTest, ElapsedSecondsComeFromTheTickCounterEvenAcrossItsWrap) {
  app.window.UncheckAll();
  app.machine.clock.tick = 0xFFFFFF00u;  // 256 ms before the wrap
  app.machine.clock.tick_step = 2756;    // 2756 ms later, past 0
  app.frm->cmdScour_Click();
  EXPECT_EQ(app.Messages().back(), "Finished in 3 seconds.");
  app.machine.clock.tick = 0x7FFFFF00u;  // across the signed boundary
  app.machine.clock.tick_step = 1500;
  app.frm->cmdScour_Click();
  EXPECT_EQ(app.Messages().back(), "Finished in 2 seconds.");
}

TEST(RoundedSeconds, HalvesGoToTheEvenNeighbour) {
  const std::pair<std::uint32_t, int> cases[] = {
      {499, 0}, {500, 0}, {1500, 2}, {2500, 2}, {0xFFFFFFFF, 4294967}};
  for (auto [ms, s] : cases)
    EXPECT_EQ(RoundedSeconds(ms), s) << ms;
}

}  // namespace
}  // namespace scourix
