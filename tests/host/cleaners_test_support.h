#pragma once

#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app_harness.h"
#include "cleaners/app_setting_steps.h"
#include "cleaners/fixed_entry_steps.h"
#include "cleaners/graphics_app_steps.h"
#include "cleaners/nested_mru_steps.h"
#include "cleaners/shell_bag_steps.h"
#include "cleaners/value_list_steps.h"
#include "platform/sim/reg_file.h"

namespace scourix::testing {

// The path of a key below another.
inline std::string Below(std::string_view key, std::string_view sub) {
  return std::string(key) + "\\" + std::string(sub);
}

// The registry fixtures: a user's traces (traces.reg) and what a scour leaves of them.
struct TraceFixtures {
  static std::string Fixture(std::string_view name) {
    std::ifstream in(std::string(SCOURIX_FIXTURES) + "/cleaners/" + std::string(name),
                     std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << name;
    return text.str();
  }
  static void Seed(sim::SimRegistry& registry, const std::string& reg_text) {
    sim::RegFileError error;
    ASSERT_TRUE(sim::LoadRegText(registry, reg_text, &error))
        << "line " << error.line << ": " << error.message;
  }
};

// The registry cleaners' steps on a machine whose registry holds a user's traces, with the
// checks that the cleaner tests share.
class CleanersTest : public LeafTest, public TraceFixtures {
 protected:
  void SeedTraces() { Seed(reg(), Fixture("traces.reg")); }

  void Run(std::span<const Step> steps) { RunSteps(ctx(), steps); }

  // A value's text ("" for a blanked one), nullopt when the value is missing; the checks
  // that compare a text also insist on a plain string value.
  std::optional<std::string> Text(std::string_view key, std::string_view name) {
    std::optional<sim::SimRegValue> value = reg().Value(key, name);
    if (!value)
      return std::nullopt;
    EXPECT_EQ(value->type, platform::kRegSz) << key << "\\" << name;
    return reg().StringValue(key, name);
  }
  std::vector<std::string> Values(std::string_view key) { return reg().ValueNames(key); }
  std::vector<std::string> Subkeys(std::string_view key) { return reg().SubkeyNames(key); }

  // Fills a scratch list with a marker, to see whether a step listed into it.
  static void Mark(sim::SimList& list) { list.items = {"<before>"}; }
};

}  // namespace scourix::testing
