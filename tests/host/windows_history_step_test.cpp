#include "app/windows_history_step.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app_harness.h"
#include "browser/url_history.h"

namespace scourix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::string_view kShellFolders =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::string_view kHistory = "C:\\Users\\ann\\Local Settings\\History";

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

  std::vector<std::string> Below(const std::string& folder) {
    std::vector<std::string> tree = files().Tree(folder);
    if (!tree.empty())
      tree.erase(tree.begin());  // the folder itself
    return tree;
  }

  sim::SimUrlHistory& store = app.machine.url_history;
  std::string history{kHistory};
};

TEST_F(WindowsHistoryStepTest, ClearsTheStoreAndEmptiesAllThreeFoldersKeepingBoth) {
  for (const char* ie : {"\\History.IE5", "\\History.IE6", "\\History.IE7"}) {
    AddHistoryFolder(history + ie);
  }
  files().AddFile(history + "\\desktop.ini", "keep");
  app.frm->cmdScour_Click();
  CURLHistory* first = app.frm->context().cache.UrlHistory.get();
  ASSERT_NE(first, nullptr);
  EXPECT_THAT(store.entries, IsEmpty());
  for (const char* ie : {"\\History.IE5", "\\History.IE6", "\\History.IE7"}) {
    EXPECT_TRUE(files().Exists(history + ie)) << ie;
    EXPECT_THAT(Below(history + ie), IsEmpty()) << ie;
  }
  EXPECT_TRUE(files().Exists(history + "\\desktop.ini"));

  // A later run uses the same store.
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
  EXPECT_THAT(Below(history + "\\History.IE6"), IsEmpty());
  AddHistoryFolder(history + "\\History.IE6");
  store.open_status = platform::kSOk;
  store.enum_status = platform::kENotImpl;  // what Wine's store answers
  app.frm->cmdScour_Click();
  EXPECT_EQ(app.frm->context().cache.UrlHistory, nullptr);
  EXPECT_THAT(Below(history + "\\History.IE6"), IsEmpty());
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
  EXPECT_THAT(Below(history + "\\History.IE6"), IsEmpty());
}

TEST_F(WindowsHistoryStepTest, NothingIsPurgedWhenTheValueNamesNoFolderBelowARoot) {
  for (const char* root : {"C:", "C:\\Users\\ann"}) {
    for (const char* ie : {"\\History.IE5", "\\History.IE6", "\\History.IE7"}) {
      AddHistoryFolder(std::string(root) + ie);
    }
  }
  std::size_t before = files().Tree("C:\\").size();
  reg().RemoveTree(kShellFolders);
  WindowsHistoryStep(ctx());  // no value at all
  for (const char* value : {"", "\\", "History", "C:History", "\\Users\\ann", "C:\\", "C:\\x/..",
                            "\\\\?\\C:\\", "\\\\.\\C:\\"}) {
    SetHistoryValue(value);
    WindowsHistoryStep(ctx());
  }
  EXPECT_EQ(files().Tree("C:\\").size(), before);
  EXPECT_THAT(files().removed(), IsEmpty());
}

TEST_F(WindowsHistoryStepTest, TheValueIsReadAfreshForEachFolder) {
  AddHistoryFolder(history + "\\History.IE5");
  AddHistoryFolder("D:\\Moved\\History.IE6");
  AddHistoryFolder(history + "\\History.IE6");
  app.window.on_pump = [this] { SetHistoryValue("D:\\Moved"); };
  WindowsHistoryStep(ctx());
  EXPECT_THAT(Below("D:\\Moved\\History.IE6"), IsEmpty());
  EXPECT_THAT(Below(history + "\\History.IE6"),
              ElementsAre(::testing::_, ::testing::_, ::testing::_));
}

}  // namespace
}  // namespace scourix
