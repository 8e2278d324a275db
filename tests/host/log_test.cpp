#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string_view>

#include "app/activity_log.h"
#include "app_harness.h"
#include "primitives/folder_text.h"

namespace scourix {
namespace {

using testing::AppHarness;
using ::testing::ElementsAre;

platform::LocalTime At(int hour, int minute) {
  return {2026, 12, 4, hour, minute, 0};
}

// The start-up cases show 9:05 in the lines and the name; these the other corners. The
// short-date format is the user's to set: whatever it gives, the log is one plain name in the
// program's folder.
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
}

TEST(Lifecycle, StartAndCloseLeaveExactlyTwoStampedLines) {
  AppHarness app;
  app.Start();
  EXPECT_EQ(app.window.status, "[9:05 12/4/2026] Scourix Initialized.");
  app.frm->Form_Unload();
  EXPECT_EQ(app.machine.files.Content(app.LogPath()),
            "[9:05 12/4/2026] Scourix Initialized.\r\n"
            "[9:05 12/4/2026] Scourix Decommissioned.\r\n");
  EXPECT_TRUE(app.window.program_ended);
  EXPECT_THAT(app.machine.system.load_log, ElementsAre("load shell32.dll", "free shell32.dll"));
  EXPECT_EQ(app.machine.system.common_controls_initialised, 1);
}

// Two copies in one minute share one log: the hostile-names scenario shows it on the real
// program, and a shared file-system case holds appending to it on both back-ends.
TEST(Lifecycle, AnUnwritableFolderLeavesTheWindowWorking) {
  AppHarness app;
  app.machine.files.AddFolder("C:\\Program Files\\Scourix");
  app.machine.files.DenyCreate("C:\\Program Files\\Scourix");
  app.Start();
  EXPECT_FALSE(app.machine.files.Exists(app.LogPath()));
  EXPECT_EQ(app.window.status, "[9:05 12/4/2026] Scourix Initialized.");
  app.window.UncheckAll();
  app.frm->cmdScour_Click();
  EXPECT_EQ(app.window.status, "[9:05 12/4/2026] Finished in 0 seconds.");
}

// The date format is the user's: other separators and letters outside ASCII reach the name and
// the lines alike, the lines in the ANSI code page.
TEST(Lifecycle, LogTextIsWrittenInTheAnsiCodePage) {
  AppHarness app;
  app.machine.clock.date_format = [](const platform::LocalTime&) {
    return "4 d\xC3\xA9"
           "c.";
  };
  app.Start();
  EXPECT_EQ(app.machine.files.Content("C:\\Program Files\\Scourix\\9.05 4 d\xC3\xA9"
                                      "c.txt"),
            "[9:05 4 d\xE9"
            "c.] Scourix Initialized.\r\n");
}

}  // namespace
}  // namespace scourix
