#include "app/catalogue.h"

#include <gtest/gtest.h>
#include <set>

namespace scourix {
namespace {

TEST(Catalogue, SixteenDefaultsAreTheFirstFifteenAndWindowsHistory) {
  const auto targets = Targets();
  int checked = 0;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    bool expected = i < 15 || targets[i].box == "chkHistory";
    EXPECT_EQ(targets[i].default_state, expected ? 1 : 0) << targets[i].box;
    checked += targets[i].default_state;
  }
  EXPECT_EQ(checked, 16);
}

TEST(Catalogue, RunOrderDiffersFromScreenOrder) {
  const auto targets = Targets();
  EXPECT_EQ(targets.front().box, "chkIETemp");
  const Target& history = targets.back();
  EXPECT_EQ(history.box, "chkHistory");
  EXPECT_EQ(history.column, 1);
  EXPECT_EQ(history.row, 8);
  EXPECT_EQ(history.left(), 120);
  EXPECT_EQ(history.top(), 2640);
  EXPECT_EQ(targets[TargetIndex("chkWinTemp")].left(), 3120);
  EXPECT_EQ(targets[TargetIndex("chkPhotoshop")].top(), 3720);
}

TEST(Catalogue, PlacesAreDistinctAndColumnsHoldThirteenThirteenEleven) {
  std::set<std::pair<int, int>> places;
  int per_column[4] = {};
  for (const Target& t : Targets()) {
    EXPECT_TRUE(places.insert({t.column, t.row}).second) << t.box;
    ++per_column[t.column];
  }
  EXPECT_EQ(per_column[1], 13);
  EXPECT_EQ(per_column[2], 13);
  EXPECT_EQ(per_column[3], 11);
}

TEST(Catalogue, TabOrderCoversZeroToFortyTwoWithFirefoxLast) {
  std::set<int> tabs;
  for (const Target& t : Targets())
    EXPECT_TRUE(tabs.insert(t.tab_index).second) << t.box;
  for (const ControlSpec& c : OtherControls())
    EXPECT_TRUE(tabs.insert(c.tab_index).second);
  EXPECT_EQ(tabs.size(), 43u);
  EXPECT_EQ(*tabs.begin(), 0);
  EXPECT_EQ(*tabs.rbegin(), 42);
  EXPECT_EQ(Targets()[TargetIndex("chkFFCache")].tab_index, 40);
  EXPECT_EQ(Targets()[TargetIndex("chkFFCookies")].tab_index, 42);
}

TEST(Catalogue, EveryTargetHasACleanerAndAcrobatHasFour) {
  for (const Target& t : Targets())
    EXPECT_NE(t.cleaners[0], nullptr) << t.box;
  const Target& acrobat = Targets()[TargetIndex("chkAcrobat")];
  for (Cleaner c : acrobat.cleaners)
    EXPECT_NE(c, nullptr);
}

TEST(Catalogue, TwipsScaleWithDpi) {
  EXPECT_EQ(TwipsToPixels(kClientWidth, 96), 609);
  EXPECT_EQ(TwipsToPixels(15, 96), 1);
  EXPECT_EQ(TwipsToPixels(kClientWidth, 144), 914);
}

}  // namespace
}  // namespace scourix
