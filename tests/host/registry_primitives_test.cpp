#include "primitives/registry_primitives.h"

#include <gtest/gtest.h>

#include "app_harness.h"

namespace scourix {
namespace {

constexpr char kWinRar[] = "HKCU\\Software\\WinRAR\\ArcHistory";

using RegistryPrimitivesTest = testing::LeafTest;

TEST_F(RegistryPrimitivesTest, DeleteRegValueDeletesOneValueOrNothing) {
  reg().SetString(kWinRar, "0", "a.rar");
  reg().SetString(kWinRar, "", "default");
  DeleteRegValue(ctx(), 0x80000001, "Software\\WinRAR\\Missing", "0");
  DeleteRegValue(ctx(), 0x80000001, "Software\\WinRAR\\ArcHistory", "1");
  EXPECT_EQ(reg().ValueNames(kWinRar), (std::vector<std::string>{"0", ""}));
  DeleteRegValue(ctx(), 0x80000001, "Software\\WinRAR\\ArcHistory", "");
  EXPECT_EQ(reg().ValueNames(kWinRar), std::vector<std::string>{"0"});
  // Only the right to set values is asked for: a key that refuses full access still loses
  // the value, one that refuses setting values keeps it.
  reg().SetString(kWinRar, "1", "b.rar");
  reg().DenyAccess(kWinRar, sim::kDenyFullAccess);
  DeleteRegValue(ctx(), 0x80000001, "Software\\WinRAR\\ArcHistory", "0");
  EXPECT_FALSE(reg().ValueExists(kWinRar, "0"));
  reg().DenyAccess(kWinRar, platform::kKeySetValue);
  DeleteRegValue(ctx(), 0x80000001, "Software\\WinRAR\\ArcHistory", "1");
  EXPECT_TRUE(reg().ValueExists(kWinRar, "1"));
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

TEST_F(RegistryPrimitivesTest, BlankExistingValueEmptiesOnlyValuesThatExist) {
  reg().SetDword(kWinRar, "0", 7);
  reg().SetString("HKCU\\Software\\WinRAR", "", "default");
  BlankExistingValue(ctx(), "HKEY_CURRENT_USER\\Software\\WinRAR\\ArcHistory\\0");
  EXPECT_EQ(reg().Value(kWinRar, "0")->type, platform::kRegSz);
  EXPECT_EQ(reg().Value(kWinRar, "0")->data, std::string(1, '\0'));
  BlankExistingValue(ctx(), "HKEY_CURRENT_USER\\Software\\WinRAR\\");
  EXPECT_EQ(reg().StringValue("HKCU\\Software\\WinRAR", ""), "");
  // A missing value, or a missing key, is not made.
  BlankExistingValue(ctx(), "HKCU\\Software\\WinRAR\\ArcHistory\\1");
  BlankExistingValue(ctx(), "HKCU\\Software\\Nero\\General\\Last");
  EXPECT_EQ(reg().ValueNames(kWinRar), std::vector<std::string>{"0"});
  EXPECT_FALSE(reg().KeyExists("HKCU\\Software\\Nero"));
  BlankExistingValue(ctx(), "HKEY_NOWHERE\\Software\\x");
  BlankExistingValue(ctx(), "Software\\x");
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

TEST_F(RegistryPrimitivesTest, ShellRegReadGivesStringsAndNumbersAsText) {
  reg().SetString(kWinRar, "s", "C:\\a.rar");
  reg().SetString(kWinRar, "e", "%TEMP%", platform::kRegExpandSz);
  reg().SetDword(kWinRar, "d", 1);
  reg().SetDword(kWinRar, "neg", 0xFFFFFFFF);
  reg().SetValueBytes(kWinRar, "b", platform::kRegBinary, "\1");
  reg().SetMultiString(kWinRar, "m", {"a"});
  auto read = [this](std::string_view name) {
    return ShellRegRead(ctx(),
                        "HKEY_CURRENT_USER\\Software\\WinRAR\\ArcHistory\\" + std::string(name));
  };
  EXPECT_EQ(read("s"), "C:\\a.rar");
  EXPECT_EQ(read("e"), "%TEMP%");
  EXPECT_EQ(read("d"), "1");
  EXPECT_EQ(read("neg"), "-1");
  EXPECT_EQ(read("b"), "");
  EXPECT_EQ(read("m"), "");
  EXPECT_EQ(read("missing"), "");
  EXPECT_EQ(ShellRegRead(ctx(), "HKEY_CURRENT_USER"), "");
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace scourix
