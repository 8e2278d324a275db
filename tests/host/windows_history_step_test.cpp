#include "app/windows_history_step.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "browser/url_history.h"

namespace scourix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using testing::kShellFolders;
constexpr std::string_view kHistory = "C:\\Users\\ann\\Local Settings\\History";
constexpr const char* kFolders[] = {"\\History.IE5", "\\History.IE6", "\\History.IE7"};

class WindowsHistoryStepTest : public testing::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    app.window.UncheckAll();
    app.window.Check("chkHistory", 1);
    store.Add(u"http://a.example/", u"A");
    store.Add(u"http://b.example/");
    SetHistoryValue(kHistory);
  }

  void SetHistoryValue(std::string_view folder) {
    reg().SetString(kShellFolders, "History", folder);
  }

  void AddHistoryFolder(const std::string& folder) {
    files().AddFile(folder + "\\index.dat", "x");
    files().AddFile(folder + "\\MSHist012026120120261207\\index.dat", "x");
  }

  // Only the folder itself is left.
  void ExpectEmptied(const std::string& folder) {
    EXPECT_THAT(files().Tree(folder), ElementsAre(folder + "\\")) << folder;
  }

  sim::SimUrlHistory& store = app.machine.url_history;
  std::string history{kHistory};
};

// The three folders emptied and kept, and what lies beside them kept, the full-house scenario
// checks on the real program, where Wine's store answers nothing.
TEST_F(WindowsHistoryStepTest, ClearsTheStoreAndALaterRunUsesTheSameOne) {
  app.frm->cmdScour_Click();
  CURLHistory* first = app.frm->context().cache.UrlHistory.get();
  ASSERT_NE(first, nullptr);
  EXPECT_THAT(store.entries, IsEmpty());
  store.Add(u"http://c.example/");
  app.frm->cmdScour_Click();
  EXPECT_EQ(app.frm->context().cache.UrlHistory.get(), first);
  EXPECT_EQ(store.opened, 1);
  EXPECT_THAT(store.entries, IsEmpty());
}

TEST_F(WindowsHistoryStepTest, AStoreThatCannotBeReadStillGetsTheFoldersPurged) {
  AddHistoryFolder(history + "\\History.IE6");
  store.open_status = platform::kClassNotRegistered;  // no store at all
  WindowsHistoryStep(ctx());
  ExpectEmptied(history + "\\History.IE6");
  AddHistoryFolder(history + "\\History.IE6");
  store.open_status = platform::kSOk;
  store.enum_status = platform::kENotImpl;  // what Wine's store answers
  app.frm->cmdScour_Click();
  EXPECT_EQ(app.frm->context().cache.UrlHistory, nullptr);
  ExpectEmptied(history + "\\History.IE6");
  EXPECT_EQ(app.Messages().back(), "Finished in 0 seconds.");
  EXPECT_FALSE(app.window.program_ended);

  // Created once the store answers; a later refusal of the explicit re-read changes nothing.
  store.enum_status = platform::kSOk;
  app.frm->cmdScour_Click();
  ASSERT_NE(app.frm->context().cache.UrlHistory, nullptr);
  EXPECT_THAT(store.entries, IsEmpty());
  store.next_status = platform::kEFail;
  AddHistoryFolder(history + "\\History.IE6");
  app.frm->cmdScour_Click();
  ExpectEmptied(history + "\\History.IE6");
}

TEST_F(WindowsHistoryStepTest, NothingIsPurgedWhenTheValueNamesNoFolderBelowARoot) {
  for (const char* root : {"C:", "C:\\Users\\ann"}) {
    for (const char* ie : kFolders)
      AddHistoryFolder(std::string(root) + ie);
  }
  reg().RemoveTree(kShellFolders);
  WindowsHistoryStep(ctx());  // no value at all
  for (const char* value : {"", "\\", "History", "C:History", "\\Users\\ann", "C:\\", "C:\\x/..",
                            "\\\\?\\C:\\", "\\\\.\\C:\\"}) {
    SetHistoryValue(value);
    WindowsHistoryStep(ctx());
  }
  EXPECT_THAT(files().removed(), IsEmpty());
}

TEST_F(WindowsHistoryStepTest, TheValueIsReadAfreshForEachFolder) {
  AddHistoryFolder(history + "\\History.IE5");
  AddHistoryFolder("D:\\Moved\\History.IE6");
  AddHistoryFolder(history + "\\History.IE6");
  app.window.on_pump = [this] { SetHistoryValue("D:\\Moved"); };
  WindowsHistoryStep(ctx());
  ExpectEmptied("D:\\Moved\\History.IE6");
  EXPECT_EQ(files().Tree(history + "\\History.IE6").size(), 4u);
}

}  // namespace
}  // namespace scourix
