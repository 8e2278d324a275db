// The cleaners built on the subkey prune: shell bags, Acrobat Reader and Flash.
#include <gmock/gmock.h>

#include "cleaners_test_support.h"

namespace scourix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kBagMRU = R"(HKCU\Software\Microsoft\Windows\ShellNoRoam\BagMRU)";
constexpr std::string_view kAcrobat = R"(HKCU\Software\Adobe\Acrobat Reader)";

std::string Below(std::string_view key, std::string_view sub) {
  return std::string(key) + "\\" + std::string(sub);
}

using PruneTest = CleanersTest;

TEST_F(PruneTest, LeafBagsGoWithTheirValuesAndABagWithChildrenStaysWhole) {
  SeedTraces();
  Run(CleanShellNoRoamBagMRU);
  EXPECT_THAT(Subkeys(kBagMRU), ElementsAre("1"));
  EXPECT_THAT(Values(Below(kBagMRU, "1")), ElementsAre("NodeSlot"));
  EXPECT_THAT(Subkeys(Below(kBagMRU, "1")), ElementsAre("0"));
  EXPECT_THAT(Values(kBagMRU), ElementsAre("NodeSlots", "MRUListEx"));
  EXPECT_TRUE(reg().KeyExists(R"(HKCU\Software\Microsoft\Windows\ShellNoRoam\Bags\1\Shell)"));
  Run(CleanShellNoRoamBagMRU);  // a second pass finds only what the first left
  EXPECT_THAT(Subkeys(kBagMRU), ElementsAre("1"));
}

TEST_F(PruneTest, ShellBagMRUAloneCleansTheSameKey) {
  SeedTraces();
  Run(CleanShellBagMRU);
  EXPECT_THAT(Subkeys(kBagMRU), ElementsAre("1"));
}

TEST_F(PruneTest, AcrobatPrunesTheVersionsThatExistAndCreatesNoOther) {
  SeedTraces();
  for (Cleaner c : {CleanAcrobatReader5Recent, CleanAcrobatReader6Recent, CleanAcrobatReader7Recent,
                    CleanAcrobatReader8Recent}) {
    Run(c);
  }
  EXPECT_THAT(Subkeys(Below(kAcrobat, R"(7.0\AVGeneral\cRecentFiles)")), IsEmpty());
  EXPECT_THAT(Values(Below(kAcrobat, R"(7.0\AVGeneral)")), ElementsAre("bShowSplash"));
  EXPECT_THAT(Subkeys(Below(kAcrobat, R"(8.0\AVGeneral\cRecentFiles)")), ElementsAre("c2"));
  EXPECT_THAT(Values(Below(kAcrobat, R"(8.0\AVGeneral\cRecentFiles\c2)")), ElementsAre("tDIText"));
  EXPECT_THAT(Subkeys(kAcrobat), ElementsAre("7.0", "8.0"));
}

TEST_F(PruneTest, FlashOpensItsKeyByThePathWithTheClosingBackslash) {
  SeedTraces();
  Run(CleanFlashRecent);
  EXPECT_THAT(Subkeys(R"(HKCU\Software\Macromedia\Flash 7\LastOpenDocs)"), IsEmpty());
  EXPECT_THAT(Values(R"(HKCU\Software\Macromedia\Flash 7\Recent File List)"), IsEmpty());
}

TEST_F(PruneTest, ARefusedDeletionIsPassedOverAndAMissingKeyListsNothing) {
  SeedTraces();
  reg().SetString(Below(kBagMRU, "2"), "NodeSlot", "x");
  reg().DenyAccess(Below(kBagMRU, "0"), platform::kDeleteAccess);
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
