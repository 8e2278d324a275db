#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/windows_history_step.h"
#include "app_harness.h"
#include "browser/url_history.h"
#include "platform/sim/sim_url_history.h"

namespace scourix {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::kShellFolders;

std::vector<std::string> Urls(const CURLHistory& history) {
  std::vector<std::string> urls;
  for (const URLHistoryItem& item : history)
    urls.push_back(item.Url());
  return urls;
}

platform::HResult CodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const UrlHistoryError& e) {
    return e.code();
  }
  return platform::kSOk;
}

class UrlHistoryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store.Add(u"http://a.example/", u"A");
    store.Add(u"http://b.example/x", u"");
    store.Add(u"ftp://c.example/", std::nullopt);
  }
  // Every string the store hands out is freed once, however its item went: removed, dropped by
  // a refresh or a clear, or with the history.
  void TearDown() override {
    EXPECT_EQ(store.live_strings(), 0u);
    EXPECT_EQ(store.bad_frees, 0);
  }
  sim::SimUrlHistory store;
};

TEST_F(UrlHistoryStoreTest, CreationReadsEveryEntryInTheStoresOrderAndAFilterNarrowsIt) {
  store.Add(u"http://\u00e9.example/\U0001F600", u"Caf\u00e9");
  CURLHistory history(store);
  EXPECT_THAT(Urls(history),
              ElementsAre("http://a.example/", "http://b.example/x", "ftp://c.example/",
                          "http://\xC3\xA9.example/\xF0\x9F\x98\x80"));
  EXPECT_EQ(history.Item(1).Title(), "A");
  EXPECT_EQ(history.Item(2).Title(), "     (No Title Given)");
  EXPECT_EQ(history.Item(3).Title(), "     (No Title Given)");
  EXPECT_EQ(history.Item(4).Title(), "Caf\xC3\xA9");  // text crosses as UTF-8
  EXPECT_EQ(CodeOf([&] { history.Item(0); }), platform::kDispEBadIndex);
  EXPECT_EQ(CodeOf([&] { history.Item(5); }), platform::kDispEBadIndex);
  // A filter keeps the matching entries until the next plain refresh.
  history.Refresh("http://");
  EXPECT_THAT(Urls(history), ElementsAre("http://a.example/", "http://b.example/x", ::testing::_));
  history.Refresh("http://\xC3\xA9");
  EXPECT_EQ(history.NewEnum().size(), 1u);
  history.Refresh();
  EXPECT_EQ(history.NewEnum().size(), 4u);
}

TEST_F(UrlHistoryStoreTest, RemoveAndDeleteUrlGoThroughTheStore) {
  CURLHistory history(store);
  history.Remove(2);  // later items shift down
  EXPECT_THAT(Urls(history), ElementsAre("http://a.example/", "ftp://c.example/"));
  EXPECT_EQ(store.entries.size(), 2u);
  store.Add(u"42", u"late");
  history.DeleteURL(42, 0);  // the decimal text, then a re-read
  history.DeleteURL(-7, 0);
  EXPECT_THAT(store.delete_requests, ElementsAre(u"http://b.example/x", u"42", u"-7"));
  EXPECT_EQ(store.enumerations, 3);
  store.delete_status = platform::kEAccessDenied;
  EXPECT_EQ(CodeOf([&] { history.Remove(1); }), platform::kEAccessDenied);
  EXPECT_EQ(history.NewEnum().size(), 2u);  // nothing dropped when the store refused
  EXPECT_EQ(CodeOf([&] { history.Remove(3); }), platform::kDispEBadIndex);
}

// Clear alone swallows the store's failures. That the others raise them, so that a store which
// cannot be opened or read leaves no wrapper, the history step's cases show.
TEST_F(UrlHistoryStoreTest, ClearEmptiesTheStoreAndSwallowsItsFailures) {
  CURLHistory history(store);
  history.Clear();
  EXPECT_THAT(Urls(history), IsEmpty());
  store.Add(u"http://d.example/");
  store.clear_status = platform::kEAccessDenied;
  history.Clear();  // refused, yet re-read
  EXPECT_THAT(Urls(history), ElementsAre("http://d.example/"));
  store.enum_status = platform::kENotImpl;
  history.Clear();
  EXPECT_EQ(store.clears, 3);
}

constexpr std::string_view kHistory = "C:\\Users\\me\\Local Settings\\History";
constexpr const char* kFolders[] = {"\\History.IE5", "\\History.IE6", "\\History.IE7"};

class WindowsHistoryStepTest : public testing::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    app.window.UncheckAll();
    app.window.Check("chkHistory", 1);
    store.Add(u"http://a.example/", u"A");
    store.Add(u"http://b.example/");
    reg().SetString(kShellFolders, "History", kHistory);
  }

  void AddHistoryFolder(const std::string& folder) {
    files().AddFile(folder + "\\index.dat", "x");
    files().AddFile(folder + "\\MSHist012026120120261207\\index.dat", "x");
  }

  void ExpectEmptied(const std::string& folder) {
    EXPECT_THAT(files().Tree(folder), ElementsAre(folder + "\\")) << folder;
  }

  sim::SimUrlHistory& store = app.machine.url_history;
  std::string history{kHistory};
};

// The three folders emptied and kept, and what lies beside them kept, the full-house scenario
// checks on the real program, where Wine's store answers nothing.
TEST_F(WindowsHistoryStepTest, AStoreThatCannotBeReadStillGetsTheFoldersPurgedOneThatCanIsKept) {
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

  // Created and the store cleared once it answers; a later run clears it with the same one,
  // and a refusal of the explicit re-read changes nothing.
  store.enum_status = platform::kSOk;
  app.frm->cmdScour_Click();
  CURLHistory* created = app.frm->context().cache.UrlHistory.get();
  ASSERT_NE(created, nullptr);
  EXPECT_THAT(store.entries, IsEmpty());
  store.Add(u"http://c.example/");
  store.next_status = platform::kEFail;
  AddHistoryFolder(history + "\\History.IE6");
  app.frm->cmdScour_Click();
  ExpectEmptied(history + "\\History.IE6");
  EXPECT_EQ(app.frm->context().cache.UrlHistory.get(), created);
  EXPECT_THAT(store.entries, IsEmpty());
}

TEST_F(WindowsHistoryStepTest, NothingIsPurgedWhenTheValueNamesNoFolderBelowARoot) {
  for (const char* root : {"C:", "C:\\Users\\me"}) {
    for (const char* ie : kFolders)
      AddHistoryFolder(std::string(root) + ie);
  }
  for (const char* value : {"", "\\", "History", "C:History", "\\Users\\me", "C:\\", "C:\\x/..",
                            "\\\\?\\C:\\", "\\\\.\\C:\\"}) {
    reg().SetString(kShellFolders, "History", value);
    WindowsHistoryStep(ctx());
  }
  EXPECT_THAT(files().removed(), IsEmpty());
}

TEST_F(WindowsHistoryStepTest, TheValueIsReadAfreshForEachFolder) {
  AddHistoryFolder(history + "\\History.IE5");
  AddHistoryFolder("D:\\Moved\\History.IE6");
  AddHistoryFolder(history + "\\History.IE6");
  app.window.on_pump = [this] { reg().SetString(kShellFolders, "History", "D:\\Moved"); };
  WindowsHistoryStep(ctx());
  ExpectEmptied("D:\\Moved\\History.IE6");
  EXPECT_EQ(files().Tree(history + "\\History.IE6").size(), 4u);
}

}  // namespace
}  // namespace scourix
