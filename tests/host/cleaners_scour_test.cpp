// "Check All" and "Scour" over a user's registry: exactly what traces_scoured.reg shows remains.
#include <cstdio>
#include <gmock/gmock.h>

#include "cleaners_test_support.h"

namespace scourix::testing {
namespace {

// One line per key and per value, "key" or "key | name = type:hex", sorted, so that a
// difference shows as the lines that differ.
void Flatten(const sim::SimRegKey& key, std::vector<std::string>* out) {
  out->push_back(key.path);
  for (const sim::SimRegValue& value : key.values) {
    std::string line = key.path + " | " + value.name + " = " + std::to_string(value.type) + ":";
    for (unsigned char byte : value.data) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%02x", byte);
      line += hex;
    }
    out->push_back(line);
  }
  for (const auto& [folded, subkey] : key.subkeys)
    Flatten(*subkey, out);
}

std::vector<std::string> CurrentUser(const sim::SimRegistry& registry) {
  std::vector<std::string> lines;
  Flatten(registry.Root(platform::kHkeyCurrentUser), &lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

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
