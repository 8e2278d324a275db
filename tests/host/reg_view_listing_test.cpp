#include <gtest/gtest.h>

#include "app_harness.h"
#include "registry/reg_view.h"

namespace scourix {
namespace {

constexpr char kKey[] = "HKCU\\Software\\List";
using Strings = std::vector<std::string>;

class RegViewListingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Start();
    reg().AddKey(kKey);
    view = std::make_unique<RegView>(app.frm->context());
    // Left over from an earlier listing: every call starts by clearing.
    names.items = {"stale"};
    data.items = {"stale"};
  }
  sim::SimRegistry& reg() { return app.machine.registry; }
  void ListValues() {
    ASSERT_EQ(view->OpenRegistry(0x80000001, "Software\\List"), -1);
    view->GetAllValues2(names, data);
    EXPECT_TRUE(view->CloseRegistry());
  }

  testing::AppHarness app;
  std::unique_ptr<RegView> view;
  sim::SimList names, data;
};

TEST_F(RegViewListingTest, WithNoKeyOpenTheListsAreOnlyCleared) {
  view->GetAllValues2(names, data);
  view->GetAllSubDirectories2(names);
  EXPECT_TRUE(names.items.empty());
  EXPECT_TRUE(data.items.empty());
}

TEST_F(RegViewListingTest, ValuesAreListedInStepWithTheirRenderedData) {
  reg().SetDword(kKey, "one", 1);
  reg().SetString(kKey, "", "default");
  reg().SetValueBytes(kKey, "big", platform::kRegBinary, std::string(300, '\1'));
  reg().SetMultiString(kKey, "multi", {"a", "b c"});
  reg().SetString(kKey, std::string(300, 'n'), "long name");
  reg().SetValueBytes(kKey, "odd", platform::kRegQword, std::string(8, '\0'));
  ListValues();
  // Neither the 300-byte value, nor the multi-string, nor the long name ends the listing.
  EXPECT_EQ(names.items, (Strings{"one", "", "big", "multi", std::string(300, 'n'), "odd"}));
  ASSERT_EQ(data.items.size(), 6u);
  EXPECT_EQ(data.items[0], "01 00 00 00 ");
  EXPECT_EQ(data.items[1], "default");
  EXPECT_EQ(data.items[2].size(), 900u);
  EXPECT_EQ(data.items[3], "a b c");
  EXPECT_EQ(data.items[4], "long name");
  EXPECT_EQ(data.items[5], "value_type=11");
}

TEST_F(RegViewListingTest, AKeyWithTenThousandValuesIsListedWhole) {
  for (int i = 0; i < 10000; ++i)
    reg().SetDword(kKey, "v" + std::to_string(i), i);
  ListValues();
  ASSERT_EQ(names.items.size(), 10000u);
  ASSERT_EQ(data.items.size(), 10000u);
  EXPECT_EQ(names.items[9999], "v9999");
  EXPECT_EQ(data.items[9999], "0F 27 00 00 ");
}

TEST_F(RegViewListingTest, AnEmptyKeyListsNothingAndErrorsEndTheListing) {
  ListValues();
  EXPECT_TRUE(names.items.empty());
  EXPECT_TRUE(data.items.empty());
  reg().SetString(kKey, "v", "x");
  reg().InjectFault(kKey, sim::SimRegOp::kEnumValue, platform::kInvalidHandle);
  ListValues();
  EXPECT_TRUE(names.items.empty());
}

TEST_F(RegViewListingTest, SubkeysAreListedInTheRegistryOrder) {
  std::string wide_name;
  for (int i = 0; i < 200; ++i)
    wide_name += "\xC3\xA9";  // 200 characters, 400 bytes in UTF-8
  for (std::string name : {"beta", "Alpha", "_under", "gamma"})
    reg().AddKey(std::string(kKey) + "\\" + name);
  reg().AddKey(std::string(kKey) + "\\" + wide_name);
  ASSERT_EQ(view->OpenRegistry(0x80000001, "Software\\List"), -1);
  view->GetAllSubDirectories2(names);
  EXPECT_EQ(names.items, (Strings{"Alpha", "beta", "gamma", "_under", wide_name}));
}

TEST(SortArrayAscending, SortsACopyByCharacterCodeAndReversesEqualElements) {
  Variant input = Variant::Array({"b", "a", "B", "A"});
  EXPECT_EQ(RegView::SortArrayAscending(input), Variant::Array({"A", "B", "a", "b"}));
  EXPECT_EQ(input, Variant::Array({"b", "a", "B", "A"}));
  // Empty and 0 compare equal: the later one moves in front of the earlier.
  EXPECT_EQ(RegView::SortArrayAscending(Variant::Array({Variant(), -1, 0})),
            Variant::Array({-1, 0, Variant()}));
  EXPECT_EQ(RegView::SortArrayAscending(Variant::Array({"x", 2, 1})), Variant::Array({1, 2, "x"}));
}

TEST(SortArrayAscending, GivesBackWhatItCannotSort) {
  EXPECT_EQ(RegView::SortArrayAscending("single"), Variant("single"));
  Variant from_one(VariantArray{1, {"b", "a"}});
  EXPECT_EQ(RegView::SortArrayAscending(from_one), from_one);
  Variant with_null = Variant::Array({"b", Variant(Variant::Null{})});
  EXPECT_EQ(RegView::SortArrayAscending(with_null), with_null);
  EXPECT_EQ(RegView::SortArrayAscending(Variant::Array({})), Variant::Array({}));
}

}  // namespace
}  // namespace scourix
