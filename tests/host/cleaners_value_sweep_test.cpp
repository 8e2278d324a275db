// The cleaners built on the value sweep: flat MRU keys, and the steps that depend on a sweep
// having opened its key.
#include <gmock/gmock.h>

#include "cleaners_test_support.h"

namespace scourix::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Optional;

constexpr std::string_view kRunMRU =
    R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU)";
constexpr std::string_view kTypedURLs = R"(HKCU\Software\Microsoft\Internet Explorer\TypedURLs)";
constexpr std::string_view kRecentFileList =
    R"(HKCU\Software\Microsoft\MediaPlayer\Player\RecentFileList)";
constexpr std::string_view kPreferences = R"(HKCU\Software\Microsoft\MediaPlayer\Preferences)";
constexpr std::string_view kWinZip = R"(HKCU\Software\Nico Mak Computing\WinZip)";
constexpr std::string_view kImageReady7 = R"(HKCU\Software\Adobe\ImageReady 7.0\Preferences)";
constexpr std::string_view kImageReady8 = R"(HKCU\Software\Adobe\ImageReady 8.0\Preferences)";
constexpr std::string_view kFlash = R"(HKCU\Software\Macromedia\Flash 7)";

using ValueSweepTest = CleanersTest;

TEST_F(ValueSweepTest, EveryValueGoesWhateverItsNameSizeOrTypeAndNoSubkey) {
  SeedTraces();
  reg().SetMultiString(kRunMRU, "d", {"notepad", "calc"});
  reg().SetValueBytes(kRunMRU, "e", platform::kRegBinary, std::string(4096, '\x7f'));
  reg().SetString(kRunMRU, "", "default");
  reg().SetString(Below(kRunMRU, "Nested"), "kept", "x");
  // Names no ANSI code page holds; the last one longer as UTF-8 than the first buffers.
  std::string emoji_row;
  for (int i = 0; i < 100; ++i)
    emoji_row += "\xF0\x9F\x98\x80";
  for (const std::string& name : {std::string("\xD0\xB6\xC3\xA9_\xC3\xBCn\xC3\xAF"),
                                  std::string("\xE6\x96\x87\xE4\xBB\xB6\xE5\x90\x8D"), emoji_row}) {
    reg().SetString(kRunMRU, name, name);
    reg().SetString(kTypedURLs, name, name);
  }
  Run(steps::kRunMRU);
  Run(steps::kTypedURLs);  // url2 is 300 bytes long
  EXPECT_THAT(Values(kRunMRU), IsEmpty());
  EXPECT_THAT(Values(kTypedURLs), IsEmpty());
  EXPECT_THAT(Subkeys(kRunMRU), ElementsAre("Nested"));
  EXPECT_THAT(Values(Below(kRunMRU, "Nested")), ElementsAre("kept"));
}

TEST_F(ValueSweepTest, ADependentStepRunsWhenTheKeyOpenedEvenIfEmpty) {
  SeedTraces();
  reg().RemoveTree(kRecentFileList);
  reg().AddKey(kRecentFileList);
  reg().RemoveTree(Below(kFlash, "LastOpenDocs"));
  reg().AddKey(Below(kFlash, "LastOpenDocs"));
  reg().RemoveTree(kImageReady8);
  Run(steps::kMediaPlayerRecent);
  Run(steps::kWinZipRecent);
  Run(steps::kFlashRecent);
  Run(steps::kImageReadyRecent);
  EXPECT_THAT(Values(kPreferences), ElementsAre("Volume"));
  EXPECT_THAT(Values(Below(kWinZip, "extract")), IsEmpty());
  EXPECT_THAT(Values(Below(kWinZip, "WinZip")), ElementsAre("ShowTips"));
  EXPECT_THAT(Values(Below(kFlash, "Recent File List")), IsEmpty());
  EXPECT_THAT(Values(Below(kImageReady7, "RecentFiles")), IsEmpty());
  EXPECT_THAT(Text(Below(kImageReady7, "SaveDir"), "tlfd"), Optional(std::string()));
  // The 8.0 list could not be opened, so its folder value is not written.
  EXPECT_FALSE(reg().KeyExists(kImageReady8));
}

TEST_F(ValueSweepTest, AMissingFirstKeyEndsTheCleanerThere) {
  SeedTraces();
  reg().RemoveTree(kRecentFileList);
  reg().RemoveTree(Below(kWinZip, "filemenu"));
  reg().RemoveTree(Below(kFlash, "LastOpenDocs"));
  reg().RemoveTree(Below(kImageReady7, "RecentFiles"));
  Mark(window.val_names);
  const std::span<const Step> tables[] = {steps::kMediaPlayerRecent, steps::kWinZipRecent,
                                          steps::kFlashRecent, steps::kImageReadyRecent};
  for (std::span<const Step> table : tables)
    Run(table);
  EXPECT_THAT(window.val_names.items, ElementsAre("<before>"));
  EXPECT_TRUE(reg().ValueExists(kPreferences, "LastPlaylist"));
  EXPECT_THAT(Values(Below(kWinZip, "extract")), ElementsAre("extract1", "extract2"));
  EXPECT_THAT(Values(Below(kFlash, "Recent File List")), ElementsAre("File1", "File2"));
  EXPECT_THAT(Text(Below(kImageReady7, "SaveDir"), "tlfd"),
              Optional(std::string(R"(C:\web\export)")));
  EXPECT_THAT(Values(Below(kImageReady8, "RecentFiles")), ElementsAre("File1", "File2"));
  EXPECT_FALSE(reg().KeyExists(Below(kImageReady8, "SaveDir")));
}

TEST_F(ValueSweepTest, ADeniedKeyKeepsItsValuesAndLesserRightsSuffice) {
  SeedTraces();
  // Refused outright: nothing is listed, and Media Player's dependent step does not run.
  reg().DenyAccess(kRecentFileList);
  // Readable and writable, though not with full access: listed and swept all the same.
  reg().DenyAccess(kTypedURLs, sim::kDenyFullAccess);
  Mark(window.val_names);
  Run(steps::kMediaPlayerRecent);
  EXPECT_THAT(window.val_names.items, ElementsAre("<before>"));
  EXPECT_TRUE(reg().ValueExists(kPreferences, "LastPlaylist"));
  Run(steps::kTypedURLs);
  EXPECT_THAT(window.val_names.items, ElementsAre("url1", "url2", "url3"));
  EXPECT_THAT(Values(kTypedURLs), IsEmpty());
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace scourix::testing
