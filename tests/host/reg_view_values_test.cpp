#include <gtest/gtest.h>

#include "app_harness.h"
#include "registry/reg_view.h"

namespace scourix {
namespace {

constexpr char kKey[] = "HKCU\\Software\\Values";

class RegViewValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Start();
    reg().AddKey(kKey);
    view = std::make_unique<RegView>(app.frm->context());
    ASSERT_EQ(view->OpenRegistry(0x80000001, "Software\\Values"), -1);
  }
  sim::SimRegistry& reg() { return app.machine.registry; }
  std::string Text(std::string_view name, bool raw = false) {
    RenderedValue value = view->GetValue(name, raw);
    EXPECT_TRUE(value.IsText()) << name;
    return value.Text();
  }

  testing::AppHarness app;
  std::unique_ptr<RegView> view;
};

TEST_F(RegViewValuesTest, StringsLoseTheirLastCharacter) {
  reg().SetValueBytes(kKey, "with", platform::kRegSz, std::string("abc\0", 4));
  reg().SetValueBytes(kKey, "without", platform::kRegSz, "abc");
  reg().SetValueBytes(kKey, "empty", platform::kRegSz, "");
  reg().SetValueBytes(kKey, "utf8", platform::kRegExpandSz, "%x%\xC3\xA9");
  reg().SetString(kKey, "", "default");
  EXPECT_EQ(Text("with"), "abc");
  EXPECT_EQ(Text("without"), "ab");
  EXPECT_EQ(Text("empty"), "");
  EXPECT_EQ(Text("utf8"), "%x%");  // a whole character, not half of one
  EXPECT_EQ(Text(""), "default");
}

TEST_F(RegViewValuesTest, BinaryAndNumbersRenderAsHexPairsOrRawBytes) {
  reg().SetDword(kKey, "dword", 258);
  reg().SetValueBytes(kKey, "bin", platform::kRegBinary, "\xAB\x05");
  reg().SetValueBytes(kKey, "big-endian", platform::kRegDwordBigEndian, std::string("\0\0\1\2", 4));
  reg().SetValueBytes(kKey, "huge", platform::kRegBinary, std::string(40000, 'x'));
  EXPECT_EQ(Text("dword"), "02 01 00 00 ");
  EXPECT_EQ(Text("dword", true), std::string("\x02\x01\0\0", 4));
  EXPECT_EQ(Text("bin"), "AB 05 ");
  EXPECT_EQ(Text("big-endian"), std::string("\0\0\1\2", 4));
  EXPECT_EQ(Text("huge"), "");  // past the 16-bit count
}

TEST_F(RegViewValuesTest, MultiStringsAreAListAndOtherTypesFixedTexts) {
  reg().SetMultiString(kKey, "multi", {"a", "b"});
  reg().SetValueBytes(kKey, "no-data", platform::kRegMultiSz, "");
  reg().SetValueBytes(kKey, "unterminated", platform::kRegMultiSz, std::string("a\0b", 3));
  reg().SetValueBytes(kKey, "none", platform::kRegNone, "x");
  reg().SetValueBytes(kKey, "link", platform::kRegLink, "x");
  reg().SetValueBytes(kKey, "qword", platform::kRegQword, std::string(8, '\0'));
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
  reg().SetString(kKey, "v", "x");
  reg().InjectFault(kKey, sim::SimRegOp::kQuery, platform::kAccessDenied);
  EXPECT_EQ(Text("v"), "Access Denied");
  reg().InjectFault(kKey, sim::SimRegOp::kQuery, platform::kInvalidHandle);
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
  EXPECT_EQ(reg().Value(kKey, "s")->data, std::string("text\0", 5));
  EXPECT_EQ(reg().Value(kKey, "n")->data, std::string(1, '\0'));
  EXPECT_EQ(reg().Value(kKey, "d")->data, std::string("\x05\0\0\0", 4));
  EXPECT_EQ(reg().Value(kKey, "neg")->data, "\xFF\xFF\xFF\xFF");
  EXPECT_EQ(reg().Value(kKey, "m")->data, std::string("a\0b\0c\0\0", 7));
  EXPECT_EQ(reg().Value(kKey, "one")->data, std::string("a\0b\0\0", 5));
  EXPECT_TRUE(app.window.messages.empty());
}

TEST_F(RegViewValuesTest, CreateValueRefusesWhatItCannotWrite) {
  EXPECT_FALSE(view->CreateValue("b", "x", platform::kRegBinary));
  ASSERT_EQ(app.window.messages.size(), 1u);
  EXPECT_EQ(
      app.window.messages[0],
      std::make_pair(std::string("Unable To process that Type of data."), std::string("Scourix")));
  RegViewError error = RegViewError::kNone;
  EXPECT_FALSE(view->CreateValue("d", "abc", platform::kRegDword, Variant(), &error));
  EXPECT_EQ(error, RegViewError::kTypeMismatch);
  EXPECT_FALSE(view->CreateValue("d", 3e10, platform::kRegDword, Variant(), &error));
  EXPECT_EQ(error, RegViewError::kOverflow);
  EXPECT_TRUE(reg().ValueNames(kKey).empty());
  reg().InjectFault(kKey, sim::SimRegOp::kSet, platform::kAccessDenied);
  EXPECT_FALSE(view->CreateValue("s", "x", platform::kRegSz));
  view->CloseRegistry();
  EXPECT_FALSE(view->CreateValue("s", "x", platform::kRegSz));
  EXPECT_EQ(app.window.messages.size(), 1u);
}

}  // namespace
}  // namespace scourix
