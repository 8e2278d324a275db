#include <gtest/gtest.h>
#include <map>

#include "app_harness.h"
#include "cleaners/registry_sweeps.h"
#include "primitives/registry_primitives.h"
#include "recording/recording_platform.h"
#include "registry/reg_view.h"

namespace scourix {
namespace {

constexpr char kKey[] = "HKCU\\Software\\List";
constexpr char kArc[] = "HKCU\\Software\\WinRAR\\ArcHistory";
using Strings = std::vector<std::string>;
using platform::kHkeyCurrentUser;
using platform::kKeyAllAccess;
using platform::kKeyRead;
using platform::kSuccess;
using platform::UniqueRegKey;

class RegViewTest : public testing::LeafTest {
 protected:
  void SetUp() override {
    reg().AddKey("HKCU\\Software\\Microsoft\\Windows");
    reg().AddKey(kKey);
  }
  void Open() { ASSERT_EQ(view->OpenRegistry(kHkeyCurrentUser, "Software\\List"), -1); }
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

TEST_F(RegViewTest, FailedOpensLeaveTheViewClosedAndOneBackOnKeyMovesUpOneLevel) {
  ASSERT_EQ(view->OpenRegistry(kHkeyCurrentUser, "Software"), -1);
  EXPECT_EQ(view->OpenRegistry(0, "Software\\Microsoft"), 0);  // a zero root keeps the location
  EXPECT_FALSE(view->IsOpen());
  EXPECT_EQ(view->RegistryRootKey(), kHkeyCurrentUser);
  EXPECT_EQ(view->SubDirectory(), "Software");
  EXPECT_EQ(view->OpenRegistry(kHkeyCurrentUser, "Software\\Missing"), 0);
  EXPECT_EQ(view->SubDirectory(), "Software\\Missing");
  EXPECT_EQ(reg().OpenHandleCount(), 0u);  // the key left behind was closed before this open
  EXPECT_FALSE(view->CloseRegistry());
  ASSERT_EQ(view->OpenRegistry(kHkeyCurrentUser, "Software\\Microsoft\\Windows"), -1);
  EXPECT_EQ(view->OneBackOnKey(), RegViewError::kNone);
  EXPECT_EQ(view->SubDirectory(), "Software\\Microsoft");
  ASSERT_EQ(view->OpenRegistry(kHkeyCurrentUser, "Software\\"), -1);
  EXPECT_EQ(view->OneBackOnKey(), RegViewError::kNone);
  EXPECT_EQ(view->SubDirectory(), "Software");
  EXPECT_EQ(view->OneBackOnKey(), RegViewError::kInvalidArgument);
  EXPECT_EQ(view->SubDirectory(), "Software");
  EXPECT_TRUE(view->IsOpen());
  EXPECT_EQ(reg().OpenHandleCount(), 1u);
  view.reset();
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

TEST_F(RegViewTest, CreatesAndDeletesSubkeysAndValuesOfTheOpenKeyOnly) {
  reg().SetString("HKCU\\Software", "", "default");
  EXPECT_FALSE(view->CreateDirectory("New"));
  EXPECT_FALSE(view->DeleteValue(""));
  ASSERT_EQ(view->OpenRegistry(kHkeyCurrentUser, "Software"), -1);
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
TEST_F(RegViewTest, ListingsComeWholeInTheRegistrysOrderAndErrorsEndThem) {
  names.items = data.items = {"stale"};
  view->GetAllValues2(names, data);
  view->GetAllSubDirectories2(names);
  EXPECT_TRUE(names.items.empty() && data.items.empty());
  ListValues();
  EXPECT_TRUE(names.items.empty() && data.items.empty());
  reg().SetString(kKey, "", "default");
  reg().InjectFault(kKey, sim::SimRegOp::kEnumValue, platform::kInvalidHandle);
  ListValues();
  EXPECT_TRUE(names.items.empty());
  reg().ClearFaults();
  reg().SetValueBytes(kKey, "big", platform::kRegBinary, std::string(300, '\1'));
  reg().SetMultiString(kKey, "multi", {"a", "b c"});
  ListValues();
  // Neither the 300-byte value nor the multi-string ends it. Long names and ten thousand values
  // cross the seam whole in the shared registry cases, and the call-count case below lists a
  // thousand values through the view.
  EXPECT_EQ(names.items, (Strings{"", "big", "multi"}));
  ASSERT_EQ(data.items.size(), 3u);
  EXPECT_EQ(data.items[1].size(), 900u);
  EXPECT_EQ(data.items[2], "a b c");  // a list joined
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
    std::string data;
    Variant more = Variant();
  };
  const Variant parts = Variant::Array({"b", "", std::string(1, '\0'), "c"});
  const Case cases[] = {
      {"s", "text", platform::kRegSz, {"text\0", 5}},
      {"n", Variant(Variant::Null{}), platform::kRegExpandSz, {"\0", 1}},
      {"d", 5, platform::kRegDword, {"\x05\0\0\0", 4}},
      {"neg", "-1", platform::kRegDword, "\xFF\xFF\xFF\xFF"},
      {"m", "a", platform::kRegMultiSz, {"a\0b\0c\0\0", 7}, parts},
      {"one", "a", platform::kRegMultiSz, {"a\0b\0\0", 5}, "b"},
  };
  Open();
  for (const Case& c : cases) {
    EXPECT_TRUE(view->CreateValue(c.name, c.value, c.type, c.more)) << c.name;
    EXPECT_EQ(reg().Value(kKey, c.name)->data, c.data) << c.name;
  }
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

// Counts the calls a listing and a sweep make: linear in the values, whatever their length,
// and one open of the key for all the deletions of a sweep.
class CountingRegistry : public sim::SimRegistry {
  using S = platform::Status;
  using K = platform::RegKey;

 public:
  S OpenKey(K root, std::string_view sub, std::uint32_t access, K* out) override {
    return Count("OpenKey", SimRegistry::OpenKey(root, sub, access, out));
  }
  S QueryValue(K key, std::string_view name, platform::RegValue* value) override {
    return Count("QueryValue", SimRegistry::QueryValue(key, name, value));
  }
  S DeleteValue(K key, std::string_view name) override {
    return Count("DeleteValue", SimRegistry::DeleteValue(key, name));
  }
  S EnumKey(K key, std::uint32_t index, char* name, std::uint32_t size) override {
    return Count("EnumKey", SimRegistry::EnumKey(key, index, name, size));
  }
  S EnumValue(K key, std::uint32_t index, platform::RegValue* value) override {
    return Count("EnumValue", SimRegistry::EnumValue(key, index, value));
  }
  S Count(const char* function, S status) {
    ++calls[function];
    ++calls["all"];
    return status;
  }
  std::map<std::string, int> calls;
};

constexpr char kLong[] = "HKCU\\Software\\Long";

using RegistryCallCountTest = testing::LeafTest;

TEST_F(RegistryCallCountTest, ListingsAndSweepsOfLongNamesAndValuesCostAFewCallsEach) {
  CountingRegistry counting;
  platform::Platform counted{counting,      machine.files, machine.url_cache, machine.url_history,
                             machine.shell, machine.clock, machine.system,    machine.places};
  Context counted_ctx{counted, window, cleaners, cache};
  for (int n : {10, 1000}) {
    for (int i = 0; i < n; ++i) {  // 300 bytes each, UTF-8 with the null
      std::string name = "v" + std::to_string(i);
      counting.SetString(kLong, name, name + std::string(299 - name.size(), 'x'));
    }
    RegView view(counting, window);
    ASSERT_EQ(view.OpenRegistry(platform::kHkeyCurrentUser, "Software\\Long"), -1);
    counting.calls.clear();
    view.GetAllValues2(window.val_names, window.values);
    ASSERT_EQ(window.values.items.size(), static_cast<std::size_t>(n));
    // One read a value, and the one that finds the end.
    EXPECT_LE(counting.calls["all"], n + 1) << n;
    view.CloseRegistry();

    counting.calls.clear();
    ASSERT_TRUE(SweepKeyValues(counted_ctx, "Software\\Long"));
    EXPECT_TRUE(counting.ValueNames(kLong).empty());
    EXPECT_EQ(counting.calls["DeleteValue"], n);
    // The listing's open and the deletions' one, whatever the number of values.
    EXPECT_EQ(counting.calls["OpenKey"], 2) << n;
    EXPECT_LE(counting.calls["all"], 2 * n + 5) << n;
  }
  EXPECT_EQ(counting.OpenHandleCount(), 0u);

  // A preview lists subkey names too long for the listing's first buffer in a few calls a name:
  // the name just listed, asked for again with more room, is not looked for from the first.
  constexpr int kNames = 300;
  std::string long_name;
  for (int i = 0; i < 100; ++i)
    long_name += "\xE6\x97\xA5";
  for (int i = 0; i < kNames; ++i)
    counting.AddKey(std::string(kLong) + "\\" + std::to_string(i) + long_name);
  recording::RecordingPlatform preview(counted, recording::Mode::kPreview);
  RegView listing(preview.platform.registry, window);
  ASSERT_EQ(listing.OpenRegistry(platform::kHkeyCurrentUser, "Software\\Long"), -1);
  counting.calls.clear();
  listing.GetAllSubDirectories2(window.keys);
  EXPECT_EQ(window.keys.items.size(), static_cast<std::size_t>(kNames));
  EXPECT_LE(counting.calls["EnumKey"], 2 * kNames + 1);
}

using RegistryPrimitivesTest = testing::LeafTest;

TEST_F(RegistryPrimitivesTest, DeleteRegValueDeletesOneValueOrNothing) {
  reg().SetString(kArc, "0", "a.rar");
  reg().SetString(kArc, "", "default");
  DeleteRegValue(ctx(), kHkeyCurrentUser, "Software\\WinRAR\\ArcHistory", "1");
  EXPECT_EQ(reg().ValueNames(kArc), (std::vector<std::string>{"0", ""}));
  DeleteRegValue(ctx(), kHkeyCurrentUser, "Software\\WinRAR\\ArcHistory", "");
  EXPECT_EQ(reg().ValueNames(kArc), std::vector<std::string>{"0"});
  // Only the right to set values is asked for: a key that refuses full access still loses
  // the value, one that refuses setting values keeps it.
  reg().SetString(kArc, "1", "b.rar");
  reg().DenyAccess(kArc, sim::kDenyFullAccess);
  DeleteRegValue(ctx(), kHkeyCurrentUser, "Software\\WinRAR\\ArcHistory", "0");
  EXPECT_FALSE(reg().ValueExists(kArc, "0"));
  reg().DenyAccess(kArc, platform::kKeySetValue);
  DeleteRegValue(ctx(), kHkeyCurrentUser, "Software\\WinRAR\\ArcHistory", "1");
  EXPECT_TRUE(reg().ValueExists(kArc, "1"));
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

// That a missing value or key is not made, ScourTest shows on its two users.
TEST_F(RegistryPrimitivesTest, BlankExistingValueEmptiesAnyTypeAndTheDefault) {
  reg().SetDword(kArc, "0", 7);
  reg().SetString("HKCU\\Software\\WinRAR", "", "default");
  BlankExistingValue(ctx(), "HKEY_CURRENT_USER\\Software\\WinRAR\\ArcHistory\\0");
  EXPECT_EQ(reg().Value(kArc, "0")->type, platform::kRegSz);
  BlankExistingValue(ctx(), "HKEY_CURRENT_USER\\Software\\WinRAR\\");
  EXPECT_EQ(reg().StringValue("HKCU\\Software\\WinRAR", ""), "");
  BlankExistingValue(ctx(), "HKEY_NOWHERE\\Software\\x");
  BlankExistingValue(ctx(), "Software\\x");
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

TEST_F(RegistryPrimitivesTest, ShellRegReadGivesStringsAndNumbersAsText) {
  reg().SetString(kArc, "s", "C:\\a.rar");
  reg().SetString(kArc, "e", "%TEMP%", platform::kRegExpandSz);
  reg().SetDword(kArc, "d", 1);
  reg().SetDword(kArc, "neg", 0xFFFFFFFF);
  reg().SetValueBytes(kArc, "b", platform::kRegBinary, "\1");
  reg().SetMultiString(kArc, "m", {"a"});
  const std::pair<const char*, const char*> reads[] = {
      {"s", "C:\\a.rar"}, {"e", "%TEMP%"}, {"d", "1"},     {"neg", "-1"},
      {"b", ""},          {"m", ""},       {"missing", ""}};
  const std::string arc = "HKEY_CURRENT_USER\\Software\\WinRAR\\ArcHistory\\";
  for (auto [name, text] : reads)
    EXPECT_EQ(ShellRegRead(ctx(), arc + name), text) << name;
  EXPECT_EQ(ShellRegRead(ctx(), "HKEY_CURRENT_USER"), "");
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

// An owner that already holds a key keeps it, still open, when an open into it fails; a
// successful open closes it and takes the new one. The cache's enumerations have the same owner.
TEST(SeamOwnersTest, KeyOpensLeaveTheOwnerAsItWasOnFailure) {
  sim::SimRegistry registry;
  registry.AddKey("HKCU\\Software\\Held");
  UniqueRegKey key;
  ASSERT_EQ(platform::OpenKey(registry, kHkeyCurrentUser, "Software\\Held", kKeyRead, &key),
            kSuccess);
  const platform::RegKey held = key.get();
  EXPECT_EQ(platform::OpenKey(registry, kHkeyCurrentUser, "Software\\Missing", kKeyRead, &key),
            platform::kFileNotFound);
  EXPECT_EQ(key.get(), held);
  EXPECT_EQ(platform::CreateKey(registry, kHkeyCurrentUser, "Software\\New", kKeyAllAccess, &key),
            kSuccess);
  EXPECT_NE(key.get(), held);
  EXPECT_EQ(registry.OpenHandleCount(), 1u);
}

}  // namespace
}  // namespace scourix
