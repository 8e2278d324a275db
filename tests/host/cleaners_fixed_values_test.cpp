// The cleaners that act on fixed, named values: blanking by full path and deleting one value.
#include <gmock/gmock.h>

#include "cleaners_test_support.h"

namespace scourix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Optional;

constexpr std::string_view kPaint =
    R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Applets\Paint\Recent File List)";
constexpr std::string_view kWinRAR = R"(HKCU\Software\WinRAR\ArcHistory)";
constexpr std::string_view kWord10 = R"(HKCU\Software\Microsoft\Office\10.0\Word\Data)";
constexpr std::string_view kWord12 = R"(HKCU\Software\Microsoft\Office\12.0\Word\Data)";
constexpr std::string_view kNero = R"(HKCU\Software\Ahead\Nero - Burning Rom)";
constexpr std::string_view kPhotoshop = R"(HKCU\Software\Adobe\Photoshop)";

using FixedValuesTest = CleanersTest;

// A cleaner that made keys for applications the machine does not have would add traces.
TEST_F(FixedValuesTest, OnAMachineWithoutTheApplicationsNothingIsMade) {
  for (std::span<const Step> table :
       {std::span<const Step>(steps::kPaintRecent), std::span<const Step>(steps::kWordPadRecent),
        std::span<const Step>(steps::kWinRARRecent), std::span<const Step>(steps::kVCRecent),
        std::span<const Step>(steps::kNeroHistory), std::span<const Step>(steps::kExcelRecent),
        std::span<const Step>(steps::kPhotoshopStartupDir),
        std::span<const Step>(steps::kImageReadyRecent)}) {
    Run(table);
  }
  EXPECT_THAT(Subkeys("HKCU"), IsEmpty());
  // Where the key is there, only the values that exist are blanked.
  reg().SetString(kPaint, "File2", "C:\\me.bmp");
  reg().SetString(std::string(kPhotoshop) + R"(\9.0\VisitedDirs)", "Count", "1");
  Run(steps::kPaintRecent);
  Run(steps::kPhotoshopStartupDir);
  EXPECT_THAT(Values(kPaint), ElementsAre("File2"));
  EXPECT_THAT(Text(kPaint, "File2"), Optional(std::string()));
  EXPECT_THAT(Values(std::string(kPhotoshop) + R"(\9.0\VisitedDirs)"), ElementsAre("Count"));
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
