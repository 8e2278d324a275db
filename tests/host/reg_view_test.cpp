#include "registry/reg_view.h"

#include <gtest/gtest.h>

#include "app_harness.h"

namespace scourix {
namespace {

constexpr std::uint32_t kHkcu = 0x80000001;
constexpr char kList[] = "HKCU\\Software\\List";
constexpr char kValues[] = "HKCU\\Software\\Values";
using Strings = std::vector<std::string>;

class RegViewTest : public testing::LeafTest {
 protected:
  void SetUp() override {
    LeafTest::SetUp();
    for (const char* key : {"HKCU\\Software\\Microsoft\\Windows", kList, kValues})
      reg().AddKey(key);
    view = std::make_unique<RegView>(machine.registry, window);
    // Left over from an earlier listing: every listing starts by clearing.
    names.items = {"stale"};
    data.items = {"stale"};
  }
  void ListValues() {
    ASSERT_EQ(view->OpenRegistry(kHkcu, "Software\\List"), -1);
    view->GetAllValues2(names, data);
    EXPECT_TRUE(view->CloseRegistry());
  }

  std::unique_ptr<RegView> view;
  sim::SimList names, data;
};

// With the key of the values open.
class RegViewValuesTest : public RegViewTest {
 protected:
  void SetUp() override {
    RegViewTest::SetUp();
    ASSERT_EQ(view->OpenRegistry(kHkcu, "Software\\Values"), -1);
  }
  std::string Text(std::string_view name, bool raw = false) {
    RenderedValue value = view->GetValue(name, raw);
    EXPECT_TRUE(value.IsText()) << name;
    return value.Text();
  }
};

TEST_F(RegViewTest, OpenWithZeroRootFailsAndKeepsTheLocation) {
  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software"), -1);
  EXPECT_EQ(view->OpenRegistry(0, "Software\\Microsoft"), 0);
  EXPECT_FALSE(view->IsOpen());
  EXPECT_EQ(view->RegistryRootKey(), kHkcu);
  EXPECT_EQ(view->SubDirectory(), "Software");
  // The handle left behind is released by the next open, not leaked.
  EXPECT_EQ(view->OpenRegistry(kHkcu, "Software\\Microsoft"), -1);
  EXPECT_EQ(reg().OpenHandleCount(), 1u);
  view.reset();
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

TEST_F(RegViewTest, FailedOpenReportsTheNewLocationAndLeavesTheViewClosed) {
  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software"), -1);
  EXPECT_EQ(view->OpenRegistry(kHkcu, "Software\\Missing"), 0);
  EXPECT_FALSE(view->IsOpen());
  EXPECT_EQ(view->SubDirectory(), "Software\\Missing");
  EXPECT_EQ(reg().OpenHandleCount(), 0u);  // the first key was closed before the second open
  EXPECT_FALSE(view->CloseRegistry());
}

TEST_F(RegViewTest, OneBackOnKeyMovesUpOneLevel) {
  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software\\Microsoft\\Windows"), -1);
  EXPECT_EQ(view->OneBackOnKey(), RegViewError::kNone);
  EXPECT_EQ(view->SubDirectory(), "Software\\Microsoft");
  EXPECT_TRUE(view->IsOpen());

  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software\\"), -1);
  EXPECT_EQ(view->OneBackOnKey(), RegViewError::kNone);
  EXPECT_EQ(view->SubDirectory(), "Software");
  EXPECT_TRUE(view->IsOpen());

  EXPECT_EQ(view->OneBackOnKey(), RegViewError::kInvalidArgument);
  EXPECT_EQ(view->SubDirectory(), "Software");
  EXPECT_TRUE(view->IsOpen());
  EXPECT_EQ(reg().OpenHandleCount(), 1u);
}

TEST_F(RegViewTest, KeyBoundMembersNeedAnOpenKey) {
  EXPECT_FALSE(view->CreateDirectory("New"));
  EXPECT_FALSE(view->DeleteDirectory("Software"));
  reg().SetString("HKCU", "v", "x");
  EXPECT_FALSE(view->DeleteValue("v"));
  EXPECT_TRUE(reg().ValueExists("HKCU", "v"));
  EXPECT_EQ(reg().SubkeyNames("HKCU"), std::vector<std::string>{"Software"});
}

TEST_F(RegViewTest, CreatesAndDeletesSubkeysAndValues) {
  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software"), -1);
  EXPECT_TRUE(view->CreateDirectory("Scourix\\Deep"));
  EXPECT_TRUE(view->CreateDirectory("Scourix"));   // already there
  EXPECT_EQ(reg().OpenHandleCount(), 1u);          // the new key's handle is not kept
  EXPECT_FALSE(view->DeleteDirectory("Scourix"));  // it has a subkey
  EXPECT_TRUE(view->DeleteDirectory("Scourix\\Deep"));
  EXPECT_TRUE(view->DeleteDirectory("Scourix"));
  reg().SetString("HKCU\\Software", "", "default");
  EXPECT_TRUE(view->DeleteValue(""));
  EXPECT_FALSE(view->DeleteValue(""));
  EXPECT_TRUE(view->CloseRegistry());
  EXPECT_FALSE(view->IsOpen());
}

TEST_F(RegViewTest, ValuesAreListedInStepWithTheirRenderedData) {
  reg().SetDword(kList, "one", 1);
  reg().SetString(kList, "", "default");
  reg().SetValueBytes(kList, "big", platform::kRegBinary, std::string(300, '\1'));
  reg().SetMultiString(kList, "multi", {"a", "b c"});
  reg().SetString(kList, std::string(300, 'n'), "long name");
  reg().SetValueBytes(kList, "odd", platform::kRegQword, std::string(8, '\0'));
  ListValues();
  // Neither the 300-byte value, nor the multi-string, nor the long name ends the listing.
  EXPECT_EQ(names.items, (Strings{"one", "", "big", "multi", std::string(300, 'n'), "odd"}));
  std::string big;
  for (int i = 0; i < 300; ++i)
    big += "01 ";
  EXPECT_EQ(data.items,
            (Strings{"01 00 00 00 ", "default", big, "a b c", "long name", "value_type=11"}));
}

TEST_F(RegViewTest, AKeyWithTenThousandValuesIsListedWhole) {
  for (int i = 0; i < 10000; ++i)
    reg().SetDword(kList, "v" + std::to_string(i), i);
  ListValues();
  ASSERT_EQ(names.items.size(), 10000u);
  ASSERT_EQ(data.items.size(), 10000u);
  EXPECT_EQ(names.items[9999], "v9999");
  EXPECT_EQ(data.items[9999], "0F 27 00 00 ");
}

TEST_F(RegViewTest, NoKeyOpenOrAnEmptyKeyListsNothingAndErrorsEndTheListing) {
  view->GetAllValues2(names, data);
  view->GetAllSubDirectories2(names);
  EXPECT_TRUE(names.items.empty() && data.items.empty());
  names.items = data.items = {"stale"};
  ListValues();
  EXPECT_TRUE(names.items.empty() && data.items.empty());
  reg().SetString(kList, "v", "x");
  reg().InjectFault(kList, sim::SimRegOp::kEnumValue, platform::kInvalidHandle);
  ListValues();
  EXPECT_TRUE(names.items.empty());
}

TEST_F(RegViewTest, SubkeysAreListedInTheRegistryOrder) {
  std::string wide_name;
  for (int i = 0; i < 200; ++i)
    wide_name += "\xC3\xA9";  // 200 characters, 400 bytes in UTF-8
  for (std::string name : {"beta", "Alpha", "_under", "gamma"})
    reg().AddKey(std::string(kList) + "\\" + name);
  reg().AddKey(std::string(kList) + "\\" + wide_name);
  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software\\List"), -1);
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
  EXPECT_EQ(RegView::SortArrayAscending("single"), Variant("single"));
  Variant from_one(VariantArray{1, {"b", "a"}});
  EXPECT_EQ(RegView::SortArrayAscending(from_one), from_one);
  Variant with_null = Variant::Array({"b", Variant(Variant::Null{})});
  EXPECT_EQ(RegView::SortArrayAscending(with_null), with_null);
  EXPECT_EQ(RegView::SortArrayAscending(Variant::Array({})), Variant::Array({}));
}

TEST_F(RegViewValuesTest, StringsLoseTheirLastCharacter) {
  reg().SetValueBytes(kValues, "with", platform::kRegSz, std::string("abc\0", 4));
  reg().SetValueBytes(kValues, "without", platform::kRegSz, "abc");
  reg().SetValueBytes(kValues, "empty", platform::kRegSz, "");
  reg().SetValueBytes(kValues, "utf8", platform::kRegExpandSz, "%x%\xC3\xA9");
  reg().SetString(kValues, "", "default");
  EXPECT_EQ(Text("with"), "abc");
  EXPECT_EQ(Text("without"), "ab");
  EXPECT_EQ(Text("empty"), "");
  EXPECT_EQ(Text("utf8"), "%x%");  // a whole character, not half of one
  EXPECT_EQ(Text(""), "default");
}

TEST_F(RegViewValuesTest, BinaryAndNumbersRenderAsHexPairsOrRawBytes) {
  reg().SetDword(kValues, "dword", 258);
  reg().SetValueBytes(kValues, "bin", platform::kRegBinary, "\xAB\x05");
  reg().SetValueBytes(kValues, "big-endian", platform::kRegDwordBigEndian,
                      std::string("\0\0\1\2", 4));
  reg().SetValueBytes(kValues, "huge", platform::kRegBinary, std::string(40000, 'x'));
  EXPECT_EQ(Text("dword"), "02 01 00 00 ");
  EXPECT_EQ(Text("dword", true), std::string("\x02\x01\0\0", 4));
  EXPECT_EQ(Text("bin"), "AB 05 ");
  EXPECT_EQ(Text("big-endian"), std::string("\0\0\1\2", 4));
  EXPECT_EQ(Text("huge"), "");  // past the 16-bit count
}

TEST_F(RegViewValuesTest, MultiStringsAreAListAndOtherTypesFixedTexts) {
  reg().SetMultiString(kValues, "multi", {"a", "b"});
  reg().SetValueBytes(kValues, "no-data", platform::kRegMultiSz, "");
  reg().SetValueBytes(kValues, "unterminated", platform::kRegMultiSz, std::string("a\0b", 3));
  reg().SetValueBytes(kValues, "none", platform::kRegNone, "x");
  reg().SetValueBytes(kValues, "link", platform::kRegLink, "x");
  reg().SetValueBytes(kValues, "qword", platform::kRegQword, std::string(8, '\0'));
  EXPECT_EQ(view->GetValue("multi").List(), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_TRUE(view->GetValue("no-data").IsList());
  EXPECT_TRUE(view->GetValue("no-data").List().empty());
  EXPECT_EQ(Text("unterminated"), "");
  EXPECT_EQ(Text("none"), "Not defined value_type=REG_NONE");
  EXPECT_EQ(Text("link"), "Not defined value_type=REG_LINK");
  EXPECT_EQ(Text("qword"), "value_type=11");
}

TEST_F(RegViewValuesTest, FailuresComeBackAsTexts) {
  EXPECT_TRUE(view->GetValue("missing").IsNothing());
  reg().SetString(kValues, "v", "x");
  reg().InjectFault(kValues, sim::SimRegOp::kQuery, platform::kAccessDenied);
  EXPECT_EQ(Text("v"), "Access Denied");
  reg().InjectFault(kValues, sim::SimRegOp::kQuery, platform::kInvalidHandle);
  EXPECT_EQ(Text("v"), "RegQueryValueEx Returned : (6)");
  view->CloseRegistry();
  reg().ClearFaults();
  EXPECT_TRUE(view->GetValue("v").IsNothing());
}

TEST_F(RegViewValuesTest, CreateValueWritesStringsNumbersAndMultiStrings) {
  EXPECT_TRUE(view->CreateValue("s", "text", platform::kRegSz));
  EXPECT_TRUE(view->CreateValue("n", Variant(Variant::Null{}), platform::kRegExpandSz));
  EXPECT_TRUE(view->CreateValue("d", 5, platform::kRegDword));
  EXPECT_TRUE(view->CreateValue("neg", "-1", platform::kRegDword));
  EXPECT_TRUE(view->CreateValue("m", "a", platform::kRegMultiSz,
                                Variant::Array({"b", "", std::string(1, '\0'), "c"})));
  EXPECT_TRUE(view->CreateValue("one", "a", platform::kRegMultiSz, "b"));
  EXPECT_EQ(reg().Value(kValues, "s")->data, std::string("text\0", 5));
  EXPECT_EQ(reg().Value(kValues, "n")->data, std::string(1, '\0'));
  EXPECT_EQ(reg().Value(kValues, "d")->data, std::string("\x05\0\0\0", 4));
  EXPECT_EQ(reg().Value(kValues, "neg")->data, "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(reg().Value(kValues, "m")->data, std::string("a\0b\0c\0\0", 7));
  EXPECT_EQ(reg().Value(kValues, "one")->data, std::string("a\0b\0\0", 5));
  EXPECT_TRUE(window.messages.empty());
}

TEST_F(RegViewValuesTest, CreateValueRefusesWhatItCannotWrite) {
  EXPECT_FALSE(view->CreateValue("b", "x", platform::kRegBinary));
  ASSERT_EQ(window.messages.size(), 1u);
  EXPECT_EQ(window.messages[0], std::make_pair(std::string("Unable To process that Type of data."),
                                               std::string("Scourix")));
  RegViewError error = RegViewError::kNone;
  EXPECT_FALSE(view->CreateValue("d", "abc", platform::kRegDword, Variant(), &error));
  EXPECT_EQ(error, RegViewError::kTypeMismatch);
  EXPECT_FALSE(view->CreateValue("d", 3e10, platform::kRegDword, Variant(), &error));
  EXPECT_EQ(error, RegViewError::kOverflow);
  EXPECT_TRUE(reg().ValueNames(kValues).empty());
  reg().InjectFault(kValues, sim::SimRegOp::kSet, platform::kAccessDenied);
  EXPECT_FALSE(view->CreateValue("s", "x", platform::kRegSz));
  view->CloseRegistry();
  EXPECT_FALSE(view->CreateValue("s", "x", platform::kRegSz));
  EXPECT_EQ(window.messages.size(), 1u);
}

}  // namespace
}  // namespace scourix
