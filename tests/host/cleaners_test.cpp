// The registry cleaners' step tables on a user's registry (tests/fixtures/cleaners).
#include <gmock/gmock.h>
#include <span>

#include "app_harness.h"
#include "cleaners/app_setting_steps.h"
#include "cleaners/fixed_entry_steps.h"
#include "cleaners/graphics_app_steps.h"
#include "cleaners/nested_mru_steps.h"
#include "cleaners/shell_bag_steps.h"
#include "cleaners/value_list_steps.h"

namespace scourix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Below(std::string_view key, std::string_view sub) {
  return std::string(key) + "\\" + std::string(sub);
}

constexpr std::string_view kExplorer = R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer)";
constexpr std::string_view kTypedURLs = R"(HKCU\Software\Microsoft\Internet Explorer\TypedURLs)";
constexpr std::string_view kRecentFileList =
    R"(HKCU\Software\Microsoft\MediaPlayer\Player\RecentFileList)";
constexpr std::string_view kPreferences = R"(HKCU\Software\Microsoft\MediaPlayer\Preferences)";
constexpr std::string_view kFlash = R"(HKCU\Software\Macromedia\Flash 7)";
constexpr std::string_view kBagMRU = R"(HKCU\Software\Microsoft\Windows\ShellNoRoam\BagMRU)";
constexpr std::string_view kWinRAR = R"(HKCU\Software\WinRAR\ArcHistory)";
constexpr std::string_view kOffice = R"(HKCU\Software\Microsoft\Office)";

// The same run over a user of the XP era and one of Windows 7 to 11, where the older keys are
// missing and no key of an absent application may be made.
class ScourTest : public AppTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ScourTest, CheckAllLeavesExactlyTheScouredRegistryOnceOrTwice) {
  const std::string traces = GetParam();
  Seed(reg(), traces + ".reg");
  app.frm->cmdCheckAll_Click();
  app.frm->cmdScour_Click();
  app.frm->cmdScour_Click();  // a second run finds nothing more to change
  sim::SimRegistry expected;
  Seed(expected, traces + "_scoured.reg");
  EXPECT_EQ(CurrentUser(reg()), CurrentUser(expected));
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Users, ScourTest, ::testing::Values("traces", "modern_traces"));

// The steps on the traces, called directly, for what the whole run does not show.
class CleanersTest : public LeafTest {
 protected:
  void SetUp() override { Seed(reg(), "traces.reg"); }
  void TearDown() override { EXPECT_EQ(reg().OpenHandleCount(), 0u); }
  void Run(std::span<const Step> steps) { RunSteps(ctx(), steps); }
  std::vector<std::string> Values(std::string_view key) { return reg().ValueNames(key); }
  std::vector<std::string> Subkeys(std::string_view key) { return reg().SubkeyNames(key); }
  // Fills a scratch list with a marker, to see whether a step listed into it.
  static void Mark(sim::SimList& list) { list.items = {"<before>"}; }
};

// A cleaner's later steps wait for its first key: while it is missing they list nothing (and
// their keys stay, as the missing-values scenario shows), and they run once it opens, even
// empty. Which steps of each table wait, README.md says.
TEST_F(CleanersTest, DependentStepsRunOnlyOnceTheFirstKeyOpens) {
  const std::span<const Step> tables[] = {steps::kFlashRecent, steps::kComDlgMRU};
  const std::string firsts[] = {Below(kFlash, "LastOpenDocs"),
                                Below(kExplorer, R"(ComDlg32\LastVisitedMRU)")};
  const std::pair<std::string, const char*> dependents[] = {
      {Below(kFlash, "Recent File List"), "File1"},
      {Below(kExplorer, R"(ComDlg32\OpenSaveMRU)"), "a"},
      {Below(kExplorer, R"(ComDlg32\OpenSaveMRU\txt)"), "a"}};
  for (const std::string& first : firsts)
    reg().RemoveTree(first);
  Mark(window.val_names);
  for (std::span<const Step> table : tables)
    Run(table);
  EXPECT_THAT(window.val_names.items, ElementsAre("<before>"));

  for (const std::string& first : firsts)
    reg().AddKey(first);
  for (std::span<const Step> table : tables)
    Run(table);
  for (const auto& [key, name] : dependents)
    EXPECT_FALSE(reg().ValueExists(key, name)) << key;
}

// A refused key keeps its values and ends only its own step; a dependent step does not run.
TEST_F(CleanersTest, ADeniedKeyEndsOnlyItsOwnStepAndLesserRightsSuffice) {
  const std::string word10 = Below(kOffice, R"(10.0\Word\Data)");
  for (std::string_view key : {kRecentFileList, kWinRAR, std::string_view(word10)})
    reg().DenyAccess(key);
  // Readable and writable, though not with full access: listed and swept all the same.
  reg().DenyAccess(kTypedURLs, sim::kDenyFullAccess);
  Mark(window.val_names);
  Run(steps::kMediaPlayerRecent);
  EXPECT_THAT(window.val_names.items, ElementsAre("<before>"));
  EXPECT_TRUE(reg().ValueExists(kPreferences, "LastPlaylist"));
  Run(steps::kTypedURLs);
  EXPECT_THAT(Values(kTypedURLs), IsEmpty());
  Run(steps::kWinRARRecent);
  Run(steps::kWordRecent);
  EXPECT_EQ(reg().StringValue(kWinRAR, "0"), R"(C:\Downloads\photos-2006.rar)");
  EXPECT_TRUE(reg().ValueExists(word10, "Settings"));
  EXPECT_FALSE(reg().ValueExists(Below(kOffice, R"(12.0\Word\Data)"), "Settings"));
}

TEST_F(CleanersTest, RecentDocsLosesEveryValueAndSubkeyButNotWhatLiesDeeper) {
  const std::string recent_docs = Below(kExplorer, "RecentDocs");
  // Every value goes, whatever its name, size or type.
  reg().SetMultiString(recent_docs, "d", {"notepad", "calc"});
  reg().SetValueBytes(recent_docs, "e", platform::kRegBinary, std::string(4096, '\x7f'));
  reg().SetString(recent_docs, "", "default");
  reg().SetString(Below(recent_docs, R"(.txt\Deeper)"), "kept", "x");
  Run(steps::kRecentDocsMRU);
  EXPECT_THAT(Values(recent_docs), IsEmpty());
  // ".txt" was emptied, but the platform refuses to delete a key with a subkey of its own.
  EXPECT_THAT(Subkeys(recent_docs), ElementsAre(".txt"));
  EXPECT_THAT(Values(Below(recent_docs, ".txt")), IsEmpty());
  EXPECT_THAT(Values(Below(recent_docs, R"(.txt\Deeper)")), ElementsAre("kept"));
}

// The desktop's view stays on an exact match only; a subkey that cannot be opened is passed
// over whole (deleting it would still be allowed, so keeping it is the sweep's doing), and so
// is one whose name holds a NUL, the sweep going on past it.
TEST_F(CleanersTest, StreamsKeepTheExactDesktopAndWhatCannotBeOpened) {
  const std::string hidden("\0x", 2);
  reg().AddKey(Below(kExplorer, "Streams\\" + hidden));
  reg().RemoveTree(Below(kExplorer, R"(Streams\Desktop)"));
  reg().SetString(Below(kExplorer, R"(Streams\DESKTOP)"), "ViewView2", "x");
  reg().InjectFault(Below(kExplorer, R"(Streams\1)"), sim::SimRegOp::kOpen,
                    platform::kAccessDenied);
  Run(steps::kStreams);
  EXPECT_THAT(Subkeys(Below(kExplorer, "Streams")), ElementsAre(hidden, "1"));
  EXPECT_THAT(Values(Below(kExplorer, R"(Streams\1)")), ElementsAre("ViewView2"));
}

TEST_F(CleanersTest, AMissingOrDeniedParentTouchesNeitherTheKeysNorTheLists) {
  reg().RemoveTree(Below(kExplorer, "RecentDocs"));
  reg().DenyAccess(R"(HKCU\Software\Microsoft\Search Assistant\ACMru)");
  reg().SetString(Below(kBagMRU, "2"), "NodeSlot", "x");
  reg().DenyAccess(Below(kBagMRU, "0"), platform::kDeleteAccess);
  Mark(window.keys);
  Run(steps::kRecentDocsMRU);
  Run(steps::kSearchMRU);
  EXPECT_THAT(window.keys.items, ElementsAre("<before>"));
  EXPECT_THAT(Values(R"(HKCU\Software\Microsoft\Search Assistant\ACMru\5603)"),
              ElementsAre("000", "001"));
  // A refused prune is passed over; a missing key lists nothing.
  Run(steps::kShellNoRoamBagMRU);
  EXPECT_THAT(Subkeys(kBagMRU), ElementsAre("0", "1"));
  reg().RemoveTree(kBagMRU);
  Mark(window.keys);
  Run(steps::kShellNoRoamBagMRU);
  EXPECT_THAT(window.keys.items, ElementsAre("<before>"));
}

// "Shell BagMRU" prunes the roaming bags its caption names, not the non-roaming ones again.
TEST_F(CleanersTest, EachBagBoxPrunesItsOwnBags) {
  constexpr std::string_view kRoaming = R"(HKCU\Software\Microsoft\Windows\Shell\BagMRU)";
  constexpr std::string_view kLocal =
      R"(HKCU\Software\Classes\Local Settings\Software\Microsoft\Windows\Shell\BagMRU)";
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

// The versions the Word table names itself, and keys that are no version, keep their items.
TEST_F(CleanersTest, OfficeItemsGoInTheLaterVersionKeysOnly) {
  const std::vector<std::pair<std::string_view, bool>> versions = {
      {"9.0", false}, {"10.0", false},   {"11.0", true},  {"12.0", false},  {"15.0", true},
      {"16.0", true}, {"Common", false}, {"16.x", false}, {"x16.0", false}, {".0", false}};
  auto mru = [](std::string_view version) {
    return Below(kOffice, std::string(version) + R"(\Word\File MRU)");
  };
  for (const auto& [version, cleaned] : versions)
    reg().SetString(mru(version), "Item 1", "x");
  // A version key that is a link leads elsewhere: what lies there is not the application's.
  reg().SetString(R"(HKCU\Software\Elsewhere\Word\File MRU)", "Item 1", "x");
  reg().AddLink(Below(kOffice, "14.0"), R"(HKCU\Software\Elsewhere)");
  Run(steps::kWordRecent);
  for (const auto& [version, cleaned] : versions)
    EXPECT_EQ(reg().ValueExists(mru(version), "Item 1"), !cleaned) << version;
  EXPECT_TRUE(reg().ValueExists(R"(HKCU\Software\Elsewhere\Word\File MRU)", "Item 1"));
  const std::pair<std::string_view, bool> names[] = {
      {"Item 1", true},  {"Item 20", true},        {"Item Metadata 3", true}, {"Item", false},
      {"Item ", false},  {"Item Metadata", false}, {"Item 1 ", false},        {"Item 2 old", false},
      {"item 1", false}, {"Max Display", false},   {"Item -1", false}};
  for (auto [name, item] : names)
    EXPECT_EQ(IsItemValueName(name), item) << name;
}

}  // namespace
}  // namespace scourix::testing
