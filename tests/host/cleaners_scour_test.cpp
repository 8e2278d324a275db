// "Check All" and "Scour" over a user's registry: exactly what traces_scoured.reg shows remains.
#include <gmock/gmock.h>

#include "cleaners_test_support.h"
#include "machine_state.h"

namespace scourix::testing {
namespace {

class ScourTest : public AppTest, public TraceFixtures {};

TEST_F(ScourTest, CheckAllLeavesExactlyTheScouredRegistryOnceOrTwice) {
  Seed(reg(), Fixture("traces.reg"));
  app.frm->cmdCheckAll_Click();
  app.frm->cmdScour_Click();
  app.frm->cmdScour_Click();  // a second run finds nothing more to change
  sim::SimRegistry expected;
  Seed(expected, Fixture("traces_scoured.reg"));
  EXPECT_EQ(CurrentUser(reg()), CurrentUser(expected));
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace scourix::testing
