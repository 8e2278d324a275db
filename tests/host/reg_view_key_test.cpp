#include <gtest/gtest.h>

#include "app_harness.h"
#include "registry/reg_view.h"

namespace scourix {
namespace {

constexpr std::uint32_t kHkcu = 0x80000001;

class RegViewKeyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app.Start();
    reg().AddKey("HKCU\\Software\\Microsoft\\Windows");
    view = std::make_unique<RegView>(app.frm->context());
  }
  sim::SimRegistry& reg() { return app.machine.registry; }

  testing::AppHarness app;
  std::unique_ptr<RegView> view;
};

TEST_F(RegViewKeyTest, OpenWithZeroRootFailsAndKeepsTheLocation) {
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

TEST_F(RegViewKeyTest, FailedOpenReportsTheNewLocationAndLeavesTheViewClosed) {
  ASSERT_EQ(view->OpenRegistry(kHkcu, "Software"), -1);
  EXPECT_EQ(view->OpenRegistry(kHkcu, "Software\\Missing"), 0);
  EXPECT_FALSE(view->IsOpen());
  EXPECT_EQ(view->SubDirectory(), "Software\\Missing");
  EXPECT_EQ(reg().OpenHandleCount(), 0u);  // the first key was closed before the second open
  EXPECT_FALSE(view->CloseRegistry());
  reg().DenyAccess("HKCU\\Software\\Locked");
  EXPECT_EQ(view->OpenRegistry(kHkcu, "Software\\Locked"), 0);
}

TEST_F(RegViewKeyTest, OpensKeysThatRefuseFullAccess) {
  reg().DenyAccess("HKCU\\Software\\Microsoft", sim::kDenyFullAccess);
  EXPECT_EQ(view->OpenRegistry(kHkcu, "Software\\Microsoft"), -1);
}

TEST_F(RegViewKeyTest, OneBackOnKeyMovesUpOneLevel) {
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

TEST_F(RegViewKeyTest, KeyBoundMembersNeedAnOpenKey) {
  EXPECT_FALSE(view->CreateDirectory("New"));
  EXPECT_FALSE(view->DeleteDirectory("Software"));
  reg().SetString("HKCU", "v", "x");
  EXPECT_FALSE(view->DeleteValue("v"));
  EXPECT_TRUE(reg().ValueExists("HKCU", "v"));
  EXPECT_EQ(reg().SubkeyNames("HKCU"), std::vector<std::string>{"Software"});
}

TEST_F(RegViewKeyTest, CreatesAndDeletesSubkeysAndValues) {
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

}  // namespace
}  // namespace scourix
