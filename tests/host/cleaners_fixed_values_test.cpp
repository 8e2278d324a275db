// The cleaners that act on fixed, named values: blanking by full path and deleting one value.
#include <gmock/gmock.h>

#include "cleaners_test_support.h"

namespace scourix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

constexpr std::string_view kPaint =
    R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List)";
constexpr std::string_view kWordPad =
    R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Wordpad\Recent File List)";
constexpr std::string_view kWinRAR = R"(HKCU\Software\WinRAR\ArcHistory)";
constexpr std::string_view kVC = R"(HKCU\Software\Microsoft\DevStudio\6.0\Recent File List)";
constexpr std::string_view kWord10 = R"(HKCU\Software\Microsoft\Office\10.0\Word\Data)";
constexpr std::string_view kWord12 = R"(HKCU\Software\Microsoft\Office\12.0\Word\Data)";
constexpr std::string_view kNero = R"(HKCU\Software\Ahead\Nero - Burning Rom)";
constexpr std::string_view kWave = R"(HKCU\Software\Ahead\Nero Wave Editor)";
constexpr std::string_view kPhotoshop = R"(HKCU\Software\Adobe\Photoshop)";

using FixedValuesTest = CleanersTest;

TEST_F(FixedValuesTest, BlankingEmptiesExactlyTheNamedValuesAndKeepsTheRest) {
  SeedTraces();
  for (Cleaner c : {CleanPaintRecent, CleanWordPadRecent, CleanWinRARRecent, CleanVCRecent}) {
    Run(c);
  }
  for (std::string_view name : {"File1", "File2", "File3", "File4"}) {
    EXPECT_THAT(Text(kPaint, name), Optional(std::string())) << name;
    EXPECT_THAT(Text(kWordPad, name), Optional(std::string())) << name;  // 3 and 4 created
  }
  EXPECT_THAT(Text(kPaint, "File5"), Optional(std::string(R"(D:\work\kept-fifth.bmp)")));
  EXPECT_TRUE(reg().ValueExists(
      R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\View)", "WindowPlacement"));
  for (std::string_view name : {"0", "1", "2", "3"}) {
    EXPECT_THAT(Text(kWinRAR, name), Optional(std::string())) << name;
  }
  EXPECT_THAT(Text(kWinRAR, "4"), Optional(std::string(R"(D:\backup\older.rar)")));
  EXPECT_THAT(Values(kVC), ElementsAre("Project1", "Project2", "Project3", "Project4", "File1"));
  EXPECT_THAT(Text(kVC, "Project4"), Optional(std::string()));
  EXPECT_THAT(Text(kVC, "File1"), Optional(std::string(R"(C:\src\payroll\main.cpp)")));
}

TEST_F(FixedValuesTest, OnAMachineWithoutTheApplicationsTheWritesCreateEmptyValues) {
  Run(CleanPaintRecent);
  Run(CleanNeroHistory);
  Run(CleanPhotoshopStartupDir);
  EXPECT_THAT(Values(kPaint), ElementsAre("File1", "File2", "File3", "File4"));
  EXPECT_THAT(Text(std::string(kNero) + R"(\General)", "OFDLastMP3Dir"), Optional(std::string()));
  EXPECT_THAT(Text(std::string(kNero) + R"(\IsoDoc)", "VolumeLabelUDFTemplate"),
              Optional(std::string()));
  EXPECT_THAT(Text(std::string(kNero) + R"(\Settings)", "TrackSaveDir"), Optional(std::string()));
  EXPECT_THAT(Text(std::string(kWave) + R"(\Directories)", "Last"), Optional(std::string()));
  // Only the blanked values are made: the swept Wave Editor list does not come into being.
  EXPECT_FALSE(reg().KeyExists(std::string(kWave) + R"(\Recent File List)"));
  EXPECT_THAT(Text(std::string(kPhotoshop) + R"(\8.0\VisitedDirs)", "STARTUPIMAGEDIRECTORY"),
              Optional(std::string()));
}

TEST_F(FixedValuesTest, NeroBlanksItsBurningListAndDeletesTheWaveEditorList) {
  SeedTraces();
  Run(CleanNeroHistory);
  EXPECT_THAT(Values(std::string(kNero) + R"(\Recent File List)"),
              ElementsAre("File1", "File2", "File3", "File4"));
  EXPECT_THAT(Text(std::string(kNero) + R"(\Recent File List)", "File1"), Optional(std::string()));
  EXPECT_THAT(Text(std::string(kNero) + R"(\General)", "Language"), Optional(std::string("ENU")));
  EXPECT_TRUE(reg().KeyExists(std::string(kWave) + R"(\Recent File List)"));
  EXPECT_THAT(Values(std::string(kWave) + R"(\Recent File List)"), ElementsAre());
  EXPECT_THAT(app.window.val_names.items, ElementsAre("File1", "File2", "File3"));
}

TEST_F(FixedValuesTest, SingleDeletionsTakeTheNamedValueOnly) {
  SeedTraces();
  Run(CleanWordRecent);
  Run(CleanRegeditLastKey);
  Run(CleanCleanupWizard);
  EXPECT_THAT(Values(kWord10), ElementsAre("Toolbars"));
  EXPECT_THAT(Values(kWord12), ElementsAre());
  EXPECT_THAT(Values(R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Regedit)"),
              ElementsAre("View"));
  EXPECT_THAT(
      Values(R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\CleanupWiz)"),
      ElementsAre("Days between clean up"));
}

TEST_F(FixedValuesTest, WordWithOnlyOfficeTwelveAndWithNeitherVersion) {
  SeedTraces();
  reg().RemoveTree(R"(HKCU\Software\Microsoft\Office\10.0)");
  Run(CleanWordRecent);
  EXPECT_FALSE(reg().KeyExists(kWord10));  // a deletion creates nothing
  EXPECT_FALSE(reg().ValueExists(kWord12, "Settings"));
  Run(CleanWordRecent);  // and again, with nothing left to find
  Run(CleanRegeditLastKey);
  EXPECT_FALSE(reg().KeyExists(kWord10));
}

TEST_F(FixedValuesTest, ADeniedKeyEndsOnlyItsOwnStep) {
  SeedTraces();
  reg().DenyAccess(kWinRAR);
  reg().DenyAccess(kWord10);
  Run(CleanWinRARRecent);
  Run(CleanWordRecent);
  EXPECT_THAT(Text(kWinRAR, "0"), Optional(std::string(R"(C:\Downloads\photos-2006.rar)")));
  EXPECT_TRUE(reg().ValueExists(kWord10, "Settings"));
  EXPECT_FALSE(reg().ValueExists(kWord12, "Settings"));
}

TEST_F(FixedValuesTest, RunningTwiceLeavesWhatRunningOnceLeft) {
  SeedTraces();
  Run(CleanPaintRecent);
  Run(CleanWordRecent);
  std::vector<std::string> paint = Values(kPaint);
  Run(CleanPaintRecent);
  Run(CleanWordRecent);
  EXPECT_EQ(Values(kPaint), paint);
  EXPECT_THAT(Values(kWord10), ElementsAre("Toolbars"));
}

}  // namespace
}  // namespace scourix::testing
