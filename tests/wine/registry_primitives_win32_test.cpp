// The registry primitives and the key view on the real registry, with HKEY_CURRENT_USER
// redirected into a throwaway key for each test.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "conformance/machine_envs.h"
#include "conformance/status_window.h"
#include "platform/win32/win32_machine.h"
#include "primitives/registry_primitives.h"
#include "registry/reg_view.h"

namespace scourix {
namespace {

constexpr char kArc[] = "HKEY_CURRENT_USER\\Software\\WinRAR\\ArcHistory\\";

class RegistryPrimitivesWin32 : public ::testing::Test {
 protected:
  std::unique_ptr<conformance::RegistryEnv> env = conformance::MakeRegistryEnv();
  win32::Win32Machine machine;
  FrmMain frm{machine.platform};
  Context& ctx() { return frm.context(); }
};

TEST_F(RegistryPrimitivesWin32, BlankReadAndDeleteRealValues) {
  BlankExistingValue(ctx(), std::string(kArc) + "0");
  RegView view(machine.registry, frm);
  EXPECT_NE(view.OpenRegistry(0x80000001, "Software\\WinRAR\\ArcHistory"), -1);  // not made
  ASSERT_EQ(view.OpenRegistry(0x80000001, ""), -1);  // the fresh, redirected root
  ASSERT_TRUE(view.CreateDirectory("Software\\WinRAR\\ArcHistory"));
  ASSERT_EQ(view.OpenRegistry(0x80000001, "Software\\WinRAR\\ArcHistory"), -1);
  EXPECT_TRUE(view.CreateValue("0", std::string("C:\\a.rar"), platform::kRegSz));
  EXPECT_TRUE(view.CloseRegistry());
  EXPECT_EQ(ShellRegRead(ctx(), std::string(kArc) + "0"), "C:\\a.rar");
  BlankExistingValue(ctx(), std::string(kArc) + "0");
  EXPECT_EQ(ShellRegRead(ctx(), std::string(kArc) + "0"), "");
  ASSERT_EQ(view.OpenRegistry(0x80000001, "Software\\WinRAR\\ArcHistory"), -1);
  EXPECT_TRUE(view.GetValue("0").IsText());  // exists, and empty
  EXPECT_TRUE(view.CreateValue("n", 1, platform::kRegDword));
  EXPECT_TRUE(view.CloseRegistry());
  EXPECT_EQ(ShellRegRead(ctx(), std::string(kArc) + "n"), "1");

  DeleteRegValue(ctx(), 0x80000001, "Software\\WinRAR\\ArcHistory", "0");
  ASSERT_EQ(view.OpenRegistry(0x80000001, "Software\\WinRAR\\ArcHistory"), -1);
  EXPECT_TRUE(view.GetValue("0").IsNothing());
}

TEST_F(RegistryPrimitivesWin32, ListingReachesValuesPastTheFirstBuffers) {
  RegView view(machine.registry, frm);
  ASSERT_EQ(view.OpenRegistry(0x80000001, ""), -1);  // the fresh, redirected root
  ASSERT_TRUE(view.CreateDirectory("Software\\Sweep"));
  ASSERT_EQ(view.OpenRegistry(0x80000001, "Software\\Sweep"), -1);
  ASSERT_TRUE(view.CreateValue("a", std::string(300, 'x'), platform::kRegSz));
  ASSERT_TRUE(view.CreateValue("b", "m", platform::kRegMultiSz, "n"));
  ASSERT_TRUE(view.CreateValue("c", 1, platform::kRegDword));
  sim::SimList names, data;
  view.GetAllValues2(names, data);
  EXPECT_EQ(names.items, (std::vector<std::string>{"a", "b", "c"}));
  ASSERT_EQ(data.items.size(), 3u);
  EXPECT_EQ(data.items[0], std::string(300, 'x'));
  EXPECT_EQ(data.items[1], "m n");
  EXPECT_EQ(data.items[2], "01 00 00 00 ");
}

}  // namespace
}  // namespace scourix
