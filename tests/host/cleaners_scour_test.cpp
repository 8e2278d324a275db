// "Check All" and "Scour" over a user's registry: exactly what traces_scoured.reg shows remains.
#include <gmock/gmock.h>

#include "cleaners_test_support.h"
#include "machine_state.h"

namespace scourix::testing {
namespace {

// The same run over a user of the XP era and one of Windows 7 to 11, where the older keys are
// missing and no key of an absent application may be made.
class ScourTest : public AppTest,
                  public TraceFixtures,
                  public ::testing::WithParamInterface<const char*> {};

TEST_P(ScourTest, CheckAllLeavesExactlyTheScouredRegistryOnceOrTwice) {
  const std::string traces = GetParam();
  Seed(reg(), Fixture(traces + ".reg"));
  app.frm->cmdCheckAll_Click();
  app.frm->cmdScour_Click();
  app.frm->cmdScour_Click();  // a second run finds nothing more to change
  sim::SimRegistry expected;
  Seed(expected, Fixture(traces + "_scoured.reg"));
  EXPECT_EQ(CurrentUser(reg()), CurrentUser(expected));
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Users, ScourTest, ::testing::Values("traces", "modern_traces"));

}  // namespace
}  // namespace scourix::testing
