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

using SubkeySweepTest = CleanersTest;

TEST_F(SubkeySweepTest, RecentDocsLosesItsValuesAndSubkeysButNotWhatLiesDeeper) {
  SeedTraces();
  reg().SetString(Below(kExplorer, R"(RecentDocs\.txt\Deeper)"), "kept", "x");
  Run(steps::kRecentDocsMRU);
  EXPECT_TRUE(reg().KeyExists(Below(kExplorer, "RecentDocs")));
  EXPECT_THAT(Values(Below(kExplorer, "RecentDocs")), IsEmpty());
  // ".txt" was emptied, but the platform refuses to delete a key with a subkey of its own.
  EXPECT_THAT(Subkeys(Below(kExplorer, "RecentDocs")), ElementsAre(".txt"));
  EXPECT_THAT(Values(Below(kExplorer, R"(RecentDocs\.txt)")), IsEmpty());
  EXPECT_THAT(Values(Below(kExplorer, R"(RecentDocs\.txt\Deeper)")), ElementsAre("kept"));
}

TEST_F(SubkeySweepTest, ComDlgWithoutLastVisitedDeletesNothingAtAll) {
  SeedTraces();
  reg().RemoveTree(Below(kExplorer, R"(ComDlg32\LastVisitedMRU)"));
  Run(steps::kComDlgMRU);
  EXPECT_THAT(Values(Below(kExplorer, R"(ComDlg32\OpenSaveMRU)")), ElementsAre("a", "MRUList"));
  EXPECT_THAT(Subkeys(Below(kExplorer, R"(ComDlg32\OpenSaveMRU)")), ElementsAre("*", "txt"));
}

// The versions the Word table names itself, and keys that are no version, keep their items.
TEST_F(SubkeySweepTest, OfficeItemsGoInTheLaterVersionKeysOnly) {
  constexpr std::string_view kOffice = R"(HKCU\Software\Microsoft\Office)";
  const std::vector<std::pair<std::string_view, bool>> versions = {
      {"9.0", false}, {"10.0", false},   {"11.0", true},  {"12.0", false},  {"15.0", true},
      {"16.0", true}, {"Common", false}, {"16.x", false}, {"x16.0", false}, {".0", false}};
  for (const auto& [version, cleaned] : versions)
    reg().SetString(Below(kOffice, std::string(version) + R"(\Word\File MRU)"), "Item 1", "x");
  Run(steps::kWordRecent);
  for (const auto& [version, cleaned] : versions) {
    EXPECT_EQ(
        reg().ValueExists(Below(kOffice, std::string(version) + R"(\Word\File MRU)"), "Item 1"),
        !cleaned)
        << version;
  }
}

TEST_F(SubkeySweepTest, ItemValuesAreNumberedItemsAndTheirMetadataOnly) {
  for (auto [name, item] : std::vector<std::pair<std::string_view, bool>>{{"Item 1", true},
                                                                          {"Item 20", true},
                                                                          {"Item Metadata 3", true},
                                                                          {"Item", false},
                                                                          {"Item ", false},
                                                                          {"Item Metadata", false},
                                                                          {"Item 1 ", false},
                                                                          {"Item 2 old", false},
                                                                          {"item 1", false},
                                                                          {"Max Display", false},
                                                                          {"Item -1", false}}) {
    EXPECT_EQ(IsItemValueName(name), item) << name;
  }
}

TEST_F(SubkeySweepTest, StreamsKeepsTheDesktopOnAnExactMatchOnly) {
  SeedTraces();
  reg().RemoveTree(Below(kExplorer, R"(Streams\Desktop)"));
  reg().SetString(Below(kExplorer, R"(Streams\DESKTOP)"), "ViewView2", "x");
  Run(steps::kStreams);
  EXPECT_THAT(Subkeys(Below(kExplorer, "Streams")), IsEmpty());
}

TEST_F(SubkeySweepTest, ASubkeyThatCannotBeOpenedIsPassedOverWhole) {
  SeedTraces();
  // Only the open fails: deleting it would still be allowed, so keeping it is the sweep's doing.
  reg().InjectFault(Below(kExplorer, R"(Streams\1)"), sim::SimRegOp::kOpen,
                    platform::kAccessDenied);
  Run(steps::kStreams);
  EXPECT_THAT(Subkeys(Below(kExplorer, "Streams")), ElementsAre("1", "Desktop"));
  EXPECT_THAT(Values(Below(kExplorer, R"(Streams\1)")), ElementsAre("ViewView2"));
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

TEST_F(SubkeySweepTest, AMissingOrDeniedParentTouchesNeitherTheKeysNorTheLists) {
  SeedTraces();
  reg().RemoveTree(Below(kExplorer, "RecentDocs"));
  reg().DenyAccess(R"(HKCU\Software\Microsoft\Search Assistant\ACMru)");
  Mark(window.keys);
  Run(steps::kRecentDocsMRU);
  Run(steps::kSearchMRU);
  EXPECT_THAT(window.keys.items, ElementsAre("<before>"));
  EXPECT_FALSE(reg().KeyExists(Below(kExplorer, "RecentDocs")));
  EXPECT_THAT(Values(R"(HKCU\Software\Microsoft\Search Assistant\ACMru\5603)"),
              ElementsAre("000", "001"));
}

TEST_F(SubkeySweepTest, ARefusedPruneIsPassedOverAndAMissingKeyListsNothing) {
  SeedTraces();
  reg().SetString(Below(kBagMRU, "2"), "NodeSlot", "x");
  reg().DenyAccess(Below(kBagMRU, "0"), platform::kDeleteAccess);
  Run(steps::kShellNoRoamBagMRU);
  EXPECT_THAT(Subkeys(kBagMRU), ElementsAre("0", "1"));

  reg().RemoveTree(kBagMRU);
  Mark(window.keys);
  Run(steps::kShellNoRoamBagMRU);
  EXPECT_THAT(window.keys.items, ElementsAre("<before>"));
  EXPECT_FALSE(reg().KeyExists(kBagMRU));
}

// "Shell BagMRU" prunes the roaming bags its caption names, not the non-roaming ones again.
TEST_F(SubkeySweepTest, EachBagBoxPrunesItsOwnBags) {
  constexpr std::string_view kRoaming = R"(HKCU\Software\Microsoft\Windows\Shell\BagMRU)";
  constexpr std::string_view kLocal =
      R"(HKCU\Software\Classes\Local Settings\Software\Microsoft\Windows\Shell\BagMRU)";
  SeedTraces();
  reg().SetDword(Below(kLocal, "0"), "NodeSlot", 1);
  reg().SetDword(Below(kLocal, R"(1\0)"), "NodeSlot", 2);
  Run(steps::kShellBagMRU);
  EXPECT_THAT(Subkeys(kRoaming), IsEmpty());
  EXPECT_THAT(Subkeys(kBagMRU), ElementsAre("0", "1"));
  EXPECT_THAT(Subkeys(kLocal), ElementsAre("0", "1"));
  Run(steps::kShellNoRoamBagMRU);
  EXPECT_THAT(Subkeys(kBagMRU), ElementsAre("1"));
  EXPECT_THAT(Subkeys(kLocal), ElementsAre("1"));
}

}  // namespace
}  // namespace scourix::testing
