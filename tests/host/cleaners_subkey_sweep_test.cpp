// The cleaners built on the subkey sweep (one level of subkeys, each emptied and maybe deleted)
// and on the subkey prune (leaf subkeys deleted).
#include <gmock/gmock.h>

#include "cleaners_test_support.h"

namespace scourix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kExplorer = R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer)";

constexpr std::string_view kBagMRU = R"(HKCU\Software\Microsoft\Windows\ShellNoRoam\BagMRU)";

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

TEST_F(SubkeySweepTest, ComDlgWithoutLastVisitedDeletesNothingAtAll) {
  SeedTraces();
  reg().RemoveTree(Explorer(R"(ComDlg32\LastVisitedMRU)"));
  Run(CleanComDlgMRU);
  EXPECT_THAT(Values(Explorer(R"(ComDlg32\OpenSaveMRU)")), ElementsAre("a", "MRUList"));
  EXPECT_THAT(Subkeys(Explorer(R"(ComDlg32\OpenSaveMRU)")), ElementsAre("*", "txt"));
}

TEST_F(SubkeySweepTest, StreamsKeepsTheDesktopOnAnExactMatchOnly) {
  SeedTraces();
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

TEST_F(SubkeySweepTest, ShellBagMRUAloneCleansTheSameKey) {
  SeedTraces();
  Run(CleanShellBagMRU);
  EXPECT_THAT(Subkeys(kBagMRU), ElementsAre("1"));
}

TEST_F(SubkeySweepTest, ARefusedPruneIsPassedOverAndAMissingKeyListsNothing) {
  SeedTraces();
  reg().SetString(std::string(kBagMRU) + "\\2", "NodeSlot", "x");
  reg().DenyAccess(std::string(kBagMRU) + "\\0", platform::kDeleteAccess);
  Run(CleanShellNoRoamBagMRU);
  EXPECT_THAT(Subkeys(kBagMRU), ElementsAre("0", "1"));

  reg().RemoveTree(kBagMRU);
  Mark(app.window.keys);
  Run(CleanShellBagMRU);
  EXPECT_THAT(app.window.keys.items, ElementsAre("<before>"));
  EXPECT_FALSE(reg().KeyExists(kBagMRU));
}

}  // namespace
}  // namespace scourix::testing
