// The cleaners built on the subkey sweep: one level of subkeys, each emptied and maybe deleted.
#include <gmock/gmock.h>

#include "cleaners_test_support.h"

namespace scourix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kExplorer = R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer)";

std::string Explorer(std::string_view sub) {
  return std::string(kExplorer) + "\\" + std::string(sub);
}

using SubkeySweepTest = CleanersTest;

TEST_F(SubkeySweepTest, RecentDocsLosesItsValuesAndSubkeysButNotWhatLiesDeeper) {
  SeedTraces();
  reg().SetString(Explorer(R"(RecentDocs\.txt\Deeper)"), "kept", "x");
  Run(CleanRecentDocsMRU);
  EXPECT_TRUE(reg().KeyExists(Explorer("RecentDocs")));
  EXPECT_THAT(Values(Explorer("RecentDocs")), IsEmpty());
  // ".txt" was emptied, but the platform refuses to delete a key with a subkey of its own.
  EXPECT_THAT(Subkeys(Explorer("RecentDocs")), ElementsAre(".txt"));
  EXPECT_THAT(Values(Explorer(R"(RecentDocs\.txt)")), IsEmpty());
  EXPECT_THAT(Values(Explorer(R"(RecentDocs\.txt\Deeper)")), ElementsAre("kept"));
}

TEST_F(SubkeySweepTest, SearchListsStayInPlaceEmptied) {
  SeedTraces();
  Run(CleanSearchMRU);
  const std::string acmru = R"(HKCU\Software\Microsoft\Search Assistant\ACMru)";
  EXPECT_THAT(Subkeys(acmru), ElementsAre("5603", "5604"));
  EXPECT_THAT(Values(acmru + R"(\5603)"), IsEmpty());
  EXPECT_THAT(Values(acmru + R"(\5604)"), IsEmpty());
  EXPECT_THAT(Values(acmru), ElementsAre("Version"));
}

TEST_F(SubkeySweepTest, ComDlgSweepsBothListsAndTheSubkeysOfOpenSave) {
  SeedTraces();
  Run(CleanComDlgMRU);
  EXPECT_THAT(Values(Explorer(R"(ComDlg32\LastVisitedMRU)")), IsEmpty());
  EXPECT_THAT(Values(Explorer(R"(ComDlg32\OpenSaveMRU)")), IsEmpty());
  EXPECT_THAT(Subkeys(Explorer(R"(ComDlg32\OpenSaveMRU)")), IsEmpty());
  EXPECT_THAT(Values(Explorer(R"(ComDlg32\CIDSizeMRU)")), ElementsAre("MRUListEx"));
}

TEST_F(SubkeySweepTest, ComDlgWithoutLastVisitedDeletesNothingAtAll) {
  SeedTraces();
  reg().RemoveTree(Explorer(R"(ComDlg32\LastVisitedMRU)"));
  Run(CleanComDlgMRU);
  EXPECT_THAT(Values(Explorer(R"(ComDlg32\OpenSaveMRU)")), ElementsAre("a", "MRUList"));
  EXPECT_THAT(Subkeys(Explorer(R"(ComDlg32\OpenSaveMRU)")), ElementsAre("*", "txt"));
}

TEST_F(SubkeySweepTest, StreamsKeepsTheDesktopOnAnExactMatchOnly) {
  SeedTraces();
  Run(CleanStreams);
  EXPECT_THAT(Subkeys(Explorer("Streams")), ElementsAre("Desktop"));
  EXPECT_THAT(Values(Explorer(R"(Streams\Desktop)")), ElementsAre("TaskbarWinXP"));
  EXPECT_THAT(Values(Explorer("Streams")), ElementsAre("Settings"));

  reg().RemoveTree(Explorer(R"(Streams\Desktop)"));
  reg().SetString(Explorer(R"(Streams\DESKTOP)"), "ViewView2", "x");
  Run(CleanStreams);
  EXPECT_THAT(Subkeys(Explorer("Streams")), IsEmpty());
}

TEST_F(SubkeySweepTest, ASubkeyThatCannotBeOpenedIsPassedOverWhole) {
  SeedTraces();
  // Only the open fails: deleting it would still be allowed, so keeping it is the sweep's doing.
  reg().InjectFault(Explorer(R"(Streams\1)"), sim::SimRegOp::kOpen, platform::kAccessDenied);
  Run(CleanStreams);
  EXPECT_THAT(Subkeys(Explorer("Streams")), ElementsAre("1", "Desktop"));
  EXPECT_THAT(Values(Explorer(R"(Streams\1)")), ElementsAre("ViewView2"));
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

TEST_F(SubkeySweepTest, AMissingOrDeniedParentTouchesNeitherTheKeysNorTheLists) {
  SeedTraces();
  reg().RemoveTree(Explorer("RecentDocs"));
  reg().DenyAccess(R"(HKCU\Software\Microsoft\Search Assistant\ACMru)");
  Mark(app.window.keys);
  Run(CleanRecentDocsMRU);
  Run(CleanSearchMRU);
  EXPECT_THAT(app.window.keys.items, ElementsAre("<before>"));
  EXPECT_FALSE(reg().KeyExists(Explorer("RecentDocs")));
  EXPECT_THAT(Values(R"(HKCU\Software\Microsoft\Search Assistant\ACMru\5603)"),
              ElementsAre("000", "001"));
}

}  // namespace
}  // namespace scourix::testing
