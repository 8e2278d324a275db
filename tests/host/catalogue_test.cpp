#include "app/catalogue.h"

#include <gtest/gtest.h>
#include <set>

namespace scourix {
namespace {

// What the table must hold together: sixteen defaults (the first fifteen and Windows History),
// one box per place, 13/13/11 boxes per column, tab stops 0..42 each used once, and a cleaner
// for every target.
TEST(Catalogue, TableIsConsistent) {
  const auto targets = Targets();
  std::set<std::pair<int, int>> places;
  std::set<int> tabs;
  int per_column[4] = {};
  int checked = 0;
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const Target& t = targets[i];
    EXPECT_EQ(t.default_state, i < 15 || t.box == "chkHistory" ? 1 : 0) << t.box;
    checked += t.default_state;
    EXPECT_TRUE(places.insert({t.column, t.row}).second) << t.box;
    ++per_column[t.column];
    EXPECT_TRUE(tabs.insert(t.tab_index).second) << t.box;
    EXPECT_NE(t.cleaners[0], nullptr) << t.box;
  }
  for (const ControlSpec& c : OtherControls())
    EXPECT_TRUE(tabs.insert(c.tab_index).second) << c.name;
  EXPECT_EQ(checked, 16);
  EXPECT_EQ(per_column[1], 13);
  EXPECT_EQ(per_column[2], 13);
  EXPECT_EQ(per_column[3], 11);
  EXPECT_EQ(tabs.size(), 43u);
  EXPECT_EQ(*tabs.rbegin(), 42);
}

TEST(Catalogue, TwipsScaleWithDpi) {
  EXPECT_EQ(TwipsToPixels(kClientWidth, 96), 609);
  EXPECT_EQ(TwipsToPixels(kClientWidth, 144), 914);
}

}  // namespace
}  // namespace scourix
