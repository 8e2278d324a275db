// The cleaners that act on fixed, named values: blanking by full path and deleting one value.
#include <gmock/gmock.h>

#include "cleaners_test_support.h"

namespace scourix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

constexpr std::string_view kPaint =
    R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List)";
constexpr std::string_view kWinRAR = R"(HKCU\Software\WinRAR\ArcHistory)";
constexpr std::string_view kWord10 = R"(HKCU\Software\Microsoft\Office\10.0\Word\Data)";
constexpr std::string_view kWord12 = R"(HKCU\Software\Microsoft\Office\12.0\Word\Data)";
constexpr std::string_view kNero = R"(HKCU\Software\Ahead\Nero - Burning Rom)";
constexpr std::string_view kWave = R"(HKCU\Software\Ahead\Nero Wave Editor)";
constexpr std::string_view kPhotoshop = R"(HKCU\Software\Adobe\Photoshop)";

using FixedValuesTest = CleanersTest;

TEST_F(FixedValuesTest, OnAMachineWithoutTheApplicationsTheWritesCreateEmptyValues) {
  Run(steps::kPaintRecent);
  Run(steps::kNeroHistory);
  Run(steps::kPhotoshopStartupDir);
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

TEST_F(FixedValuesTest, WordWithOnlyOfficeTwelveAndWithNeitherVersion) {
  SeedTraces();
  reg().RemoveTree(R"(HKCU\Software\Microsoft\Office\10.0)");
  Run(steps::kWordRecent);
  EXPECT_FALSE(reg().KeyExists(kWord10));  // a deletion creates nothing
  EXPECT_FALSE(reg().ValueExists(kWord12, "Settings"));
  Run(steps::kWordRecent);  // and again, with nothing left to find
  Run(steps::kRegeditLastKey);
  EXPECT_FALSE(reg().KeyExists(kWord10));
}

TEST_F(FixedValuesTest, ADeniedKeyEndsOnlyItsOwnStep) {
  SeedTraces();
  reg().DenyAccess(kWinRAR);
  reg().DenyAccess(kWord10);
  Run(steps::kWinRARRecent);
  Run(steps::kWordRecent);
  EXPECT_THAT(Text(kWinRAR, "0"), Optional(std::string(R"(C:\Downloads\photos-2006.rar)")));
  EXPECT_TRUE(reg().ValueExists(kWord10, "Settings"));
  EXPECT_FALSE(reg().ValueExists(kWord12, "Settings"));
}

}  // namespace
}  // namespace scourix::testing
