#include "registry/reg_view.h"

#include <gtest/gtest.h>

#include "app_harness.h"

namespace scourix {
namespace {

constexpr std::uint32_t kHkcu = 0x80000001;
constexpr char kKey[] = "HKCU\\Software\\List";
using Strings = std::vector<std::string>;

class RegViewTest : public testing::LeafTest {
 protected:
  void SetUp() override {
    reg().AddKey("HKCU\\Software\\Microsoft\\Windows");
    reg().AddKey(kKey);
  }
  void Open() { ASSERT_EQ(view->OpenRegistry(kHkcu, "Software\\List"), -1); }
  // Every listing starts by clearing what an earlier one left.
  void ListValues() {
    names.items = data.items = {"stale"};
    Open();
    view->GetAllValues2(names, data);
    EXPECT_TRUE(view->CloseRegistry());
  }

  std::unique_ptr<RegView> view = std::make_unique<RegView>(machine.registry, window);
  sim::SimList names, data;
};

TEST_F(RegViewTest, FailedOpensLeaveTheViewClosedAndNoHandleBehind) {
  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software"), -1);
  EXPECT_EQ(view->OpenRegistry(0, "Software\\Microsoft"), 0);  // a zero root keeps the location
  EXPECT_FALSE(view->IsOpen());
  EXPECT_EQ(view->RegistryRootKey(), kHkcu);
  EXPECT_EQ(view->SubDirectory(), "Software");
  EXPECT_EQ(view->OpenRegistry(kHkcu, "Software\\Missing"), 0);
  EXPECT_EQ(view->SubDirectory(), "Software\\Missing");
  EXPECT_EQ(reg().OpenHandleCount(), 0u);  // the key left behind was closed before this open
  EXPECT_FALSE(view->CloseRegistry());
  EXPECT_EQ(view->OpenRegistry(kHkcu, "Software\\Microsoft"), -1);
  view.reset();
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

TEST_F(RegViewTest, OneBackOnKeyMovesUpOneLevel) {
  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software\\Microsoft\\Windows"), -1);
  EXPECT_EQ(view->OneBackOnKey(), RegViewError::kNone);
  EXPECT_EQ(view->SubDirectory(), "Software\\Microsoft");
  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software\\"), -1);
  EXPECT_EQ(view->OneBackOnKey(), RegViewError::kNone);
  EXPECT_EQ(view->SubDirectory(), "Software");
  EXPECT_EQ(view->OneBackOnKey(), RegViewError::kInvalidArgument);
  EXPECT_EQ(view->SubDirectory(), "Software");
  EXPECT_TRUE(view->IsOpen());
  EXPECT_EQ(reg().OpenHandleCount(), 1u);
}

TEST_F(RegViewTest, CreatesAndDeletesSubkeysAndValuesOfTheOpenKeyOnly) {
  reg().SetString("HKCU\\Software", "", "default");
  EXPECT_FALSE(view->CreateDirectory("New"));
  EXPECT_FALSE(view->DeleteValue(""));
  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software"), -1);
  EXPECT_TRUE(view->CreateDirectory("Scourix\\Deep"));
  EXPECT_TRUE(view->CreateDirectory("Scourix"));   // already there
  EXPECT_EQ(reg().OpenHandleCount(), 1u);          // the new key's handle is not kept
  EXPECT_FALSE(view->DeleteDirectory("Scourix"));  // it has a subkey
  EXPECT_TRUE(view->DeleteDirectory("Scourix\\Deep"));
  EXPECT_TRUE(view->DeleteDirectory("Scourix"));
  EXPECT_TRUE(view->DeleteValue(""));
  EXPECT_FALSE(view->DeleteValue(""));
  EXPECT_TRUE(view->CloseRegistry());
  EXPECT_FALSE(view->DeleteDirectory("List"));
  EXPECT_TRUE(reg().KeyExists(kKey));
  EXPECT_EQ(reg().SubkeyNames("HKCU"), Strings{"Software"});  // nothing made while closed
}

// Rendered as GetValue renders (the table below); here what the listing adds.
TEST_F(RegViewTest, EveryValueIsListedInStepWithItsRenderedData) {
  reg().SetString(kKey, "", "default");
  reg().SetValueBytes(kKey, "big", platform::kRegBinary, std::string(300, '\1'));
  reg().SetMultiString(kKey, "multi", {"a", "b c"});
  reg().SetString(kKey, std::string(300, 'n'), "long name");
  for (int i = 0; i < 10000; ++i)
    reg().SetDword(kKey, "v" + std::to_string(i), i);
  ListValues();
  // Neither the 300-byte value, nor the multi-string, nor the long name, nor the count ends it.
  ASSERT_EQ(names.items.size(), 10004u);
  ASSERT_EQ(data.items.size(), 10004u);
  EXPECT_EQ(Strings(names.items.begin(), names.items.begin() + 4),
            (Strings{"", "big", "multi", std::string(300, 'n')}));
  EXPECT_EQ(Strings(data.items.begin() + 2, data.items.begin() + 4),
            (Strings{"a b c", "long name"}));  // a list joined
  EXPECT_EQ(data.items[1].size(), 900u);
  EXPECT_EQ(names.items.back(), "v9999");
  EXPECT_EQ(data.items.back(), "0F 27 00 00 ");
}

TEST_F(RegViewTest, ListingsComeInTheRegistrysOrderAndErrorsEndThem) {
  names.items = data.items = {"stale"};
  view->GetAllValues2(names, data);
  view->GetAllSubDirectories2(names);
  EXPECT_TRUE(names.items.empty() && data.items.empty());
  ListValues();
  EXPECT_TRUE(names.items.empty() && data.items.empty());
  reg().SetString(kKey, "v", "x");
  reg().InjectFault(kKey, sim::SimRegOp::kEnumValue, platform::kInvalidHandle);
  ListValues();
  EXPECT_TRUE(names.items.empty());
  // Subkeys come in the registry's order, names of 400 UTF-8 bytes whole.
  std::string wide_name;
  for (int i = 0; i < 200; ++i)
    wide_name += "\xC3\xA9";
  for (const char* name : {"beta", "Alpha", "_under", "gamma"})
    reg().AddKey(std::string(kKey) + "\\" + name);
  reg().AddKey(std::string(kKey) + "\\" + wide_name);
  Open();
  view->GetAllSubDirectories2(names);
  EXPECT_EQ(names.items, (Strings{"Alpha", "beta", "gamma", "_under", wide_name}));
}

TEST(SortArrayAscending, SortsACopyOrGivesBackWhatItCannotSort) {
  Variant input = Variant::Array({"b", "a", "B", "A"});
  EXPECT_EQ(RegView::SortArrayAscending(input), Variant::Array({"A", "B", "a", "b"}));
  EXPECT_EQ(input, Variant::Array({"b", "a", "B", "A"}));
  // Empty and 0 compare equal: the later one moves in front of the earlier.
  EXPECT_EQ(RegView::SortArrayAscending(Variant::Array({Variant(), -1, 0})),
            Variant::Array({-1, 0, Variant()}));
  EXPECT_EQ(RegView::SortArrayAscending(Variant::Array({"x", 2, 1})), Variant::Array({1, 2, "x"}));
  for (const Variant& unsortable :
       {Variant("single"), Variant(VariantArray{1, {"b", "a"}}),
        Variant::Array({"b", Variant(Variant::Null{})}), Variant::Array({})})
    EXPECT_EQ(RegView::SortArrayAscending(unsortable), unsortable);
}

TEST_F(RegViewTest, ValuesRenderAsTextsListsOrNothing) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::string bytes;
    std::string text;
    bool raw = false;
  };
  const Case cases[] = {
      // Strings lose their last character, and only ever a whole one.
      {"with", platform::kRegSz, {"abc\0", 4}, "abc"},
      {"without", platform::kRegSz, "abc", "ab"},
      {"empty", platform::kRegSz, "", ""},
      {"utf8", platform::kRegExpandSz, "%x%\xC3\xA9", "%x%"},
      {"", platform::kRegSz, {"default\0", 8}, "default"},
      {"dword", platform::kRegDword, {"\x02\x01\0\0", 4}, "02 01 00 00 "},
      {"raw", platform::kRegDword, {"\x02\x01\0\0", 4}, {"\x02\x01\0\0", 4}, true},
      {"bin", platform::kRegBinary, "\xAB\x05", "AB 05 "},
      {"big-endian", platform::kRegDwordBigEndian, {"\0\0\1\2", 4}, {"\0\0\1\2", 4}},
      {"huge", platform::kRegBinary, std::string(40000, 'x'), ""},  // past the 16-bit count
      {"unterminated", platform::kRegMultiSz, {"a\0b", 3}, ""},
      {"none", platform::kRegNone, "x", "Not defined value_type=REG_NONE"},
      {"link", platform::kRegLink, "x", "Not defined value_type=REG_LINK"},
      {"qword", platform::kRegQword, std::string(8, '\0'), "value_type=11"},
  };
  reg().SetMultiString(kKey, "multi", {"a", "b"});
  reg().SetValueBytes(kKey, "no-data", platform::kRegMultiSz, "");
  for (const Case& c : cases)
    reg().SetValueBytes(kKey, c.name, c.type, c.bytes);
  Open();
  for (const Case& c : cases) {
    RenderedValue value = view->GetValue(c.name, c.raw);
    EXPECT_TRUE(value.IsText()) << c.name;
    EXPECT_EQ(value.Text(), c.text) << c.name;
  }
  EXPECT_EQ(view->GetValue("multi").List(), (Strings{"a", "b", ""}));
  EXPECT_TRUE(view->GetValue("no-data").IsList() && view->GetValue("no-data").List().empty());
  // Failures come back as texts, or as nothing.
  EXPECT_TRUE(view->GetValue("missing").IsNothing());
  reg().InjectFault(kKey, sim::SimRegOp::kQuery, platform::kAccessDenied);
  EXPECT_EQ(view->GetValue("none").Text(), "Access Denied");
  reg().InjectFault(kKey, sim::SimRegOp::kQuery, platform::kInvalidHandle);
  EXPECT_EQ(view->GetValue("none").Text(), "RegQueryValueEx Returned : (6)");
  view->CloseRegistry();
  reg().ClearFaults();
  EXPECT_TRUE(view->GetValue("none").IsNothing());
}

TEST_F(RegViewTest, CreateValueWritesTheFourTypesItKnowsAndRefusesTheRest) {
  struct Case {
    const char* name;
    Variant value;
    std::int32_t type;
    Variant more;
    std::string data;
  };
  const Case cases[] = {
      {"s", "text", platform::kRegSz, Variant(), {"text\0", 5}},
      {"n", Variant(Variant::Null{}), platform::kRegExpandSz, Variant(), {"\0", 1}},
      {"d", 5, platform::kRegDword, Variant(), {"\x05\0\0\0", 4}},
      {"neg", "-1", platform::kRegDword, Variant(), "\xFF\xFF\xFF\xFF"},
      {"m",
       "a",
       platform::kRegMultiSz,
       Variant::Array({"b", "", std::string(1, '\0'), "c"}),
       {"a\0b\0c\0\0", 7}},
      {"one", "a", platform::kRegMultiSz, "b", {"a\0b\0\0", 5}},
  };
  Open();
  for (const Case& c : cases) {
    EXPECT_TRUE(view->CreateValue(c.name, c.value, c.type, c.more)) << c.name;
    EXPECT_EQ(reg().Value(kKey, c.name)->data, c.data) << c.name;
  }
  EXPECT_TRUE(window.messages.empty());
  EXPECT_FALSE(view->CreateValue("b", "x", platform::kRegBinary));
  EXPECT_EQ(window.messages, (std::vector<std::pair<std::string, std::string>>{
                                 {"Unable To process that Type of data.", "Scourix"}}));
  RegViewError error = RegViewError::kNone;
  EXPECT_FALSE(view->CreateValue("x", "abc", platform::kRegDword, Variant(), &error));
  EXPECT_EQ(error, RegViewError::kTypeMismatch);
  EXPECT_FALSE(view->CreateValue("x", 3e10, platform::kRegDword, Variant(), &error));
  EXPECT_EQ(error, RegViewError::kOverflow);
  reg().InjectFault(kKey, sim::SimRegOp::kSet, platform::kAccessDenied);
  EXPECT_FALSE(view->CreateValue("x", "x", platform::kRegSz));
  view->CloseRegistry();
  EXPECT_FALSE(view->CreateValue("x", "x", platform::kRegSz));
  EXPECT_FALSE(reg().ValueExists(kKey, "x") || reg().ValueExists(kKey, "b"));
  EXPECT_EQ(window.messages.size(), 1u);
}

}  // namespace
}  // namespace scourix
