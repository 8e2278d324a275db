// How many registry calls a listing and a sweep make: linear in the values, whatever their
// length, and one open of the key for all the deletions of a sweep.
#include <gtest/gtest.h>
#include <map>
#include <string>

#include "app_harness.h"
#include "cleaners/registry_sweeps.h"
#include "registry/reg_view.h"

namespace scourix {
namespace {

// Passes every call to the sim's registry and counts it by function.
class CountingRegistry : public platform::Registry {
  using S = platform::Status;
  using K = platform::RegKey;
  using Name = std::string_view;
  using U32 = std::uint32_t;

 public:
  explicit CountingRegistry(platform::Registry& inner) : inner_(inner) {}

  S OpenKey(K root, Name sub, U32 access, K* out) override {
    return Count("OpenKey", inner_.OpenKey(root, sub, access, out));
  }
  S CreateKey(K parent, Name sub, U32 access, K* out, bool* made) override {
    return Count("CreateKey", inner_.CreateKey(parent, sub, access, out, made));
  }
  S CloseKey(K key) override { return Count("CloseKey", inner_.CloseKey(key)); }
  S QueryValue(K key, Name name, platform::RegValue* value) override {
    return Count("QueryValue", inner_.QueryValue(key, name, value));
  }
  S SetValue(K key, Name name, U32 type, const std::uint8_t* data, U32 size) override {
    return Count("SetValue", inner_.SetValue(key, name, type, data, size));
  }
  S DeleteValue(K key, Name name) override {
    return Count("DeleteValue", inner_.DeleteValue(key, name));
  }
  S DeleteKey(K key, Name sub) override { return Count("DeleteKey", inner_.DeleteKey(key, sub)); }
  S EnumKey(K key, U32 index, char* name, U32 size) override {
    return Count("EnumKey", inner_.EnumKey(key, index, name, size));
  }
  S EnumValue(K key, U32 index, platform::RegValue* value) override {
    return Count("EnumValue", inner_.EnumValue(key, index, value));
  }

  // Counted under its function's name and under "all".
  S Count(const char* function, S status) {
    ++calls[function];
    ++calls["all"];
    return status;
  }

  std::map<std::string, int> calls;

 private:
  platform::Registry& inner_;
};

constexpr char kKey[] = "HKCU\\Software\\Long";

class RegistryCallCountTest : public testing::LeafTest {
 protected:
  // n string values of 300 bytes each, UTF-8 with the null.
  void Seed(int n) {
    for (int i = 0; i < n; ++i) {
      std::string name = "v" + std::to_string(i);
      reg().SetString(kKey, name, name + std::string(299 - name.size(), 'x'));
    }
  }

  CountingRegistry counting{machine.registry};
  platform::Platform counted{counting,      machine.files, machine.url_cache, machine.url_history,
                             machine.shell, machine.clock, machine.system,    machine.places};
  Context counted_ctx{counted, window, cleaners, cache};
};

TEST_F(RegistryCallCountTest, ListingAndSweepingLongValuesCostAFewCallsAValue) {
  for (int n : {10, 1000}) {
    Seed(n);
    RegView view(counting, window);
    ASSERT_EQ(view.OpenRegistry(platform::kHkeyCurrentUser, "Software\\Long"), -1);
    counting.calls.clear();
    view.GetAllValues2(window.val_names, window.values);
    ASSERT_EQ(window.values.items.size(), static_cast<std::size_t>(n));
    EXPECT_EQ(window.values.items.back().size(), 299u);
    // One read a value, and the one that finds the end.
    EXPECT_LE(counting.calls["all"], n + 1) << n;
    view.CloseRegistry();

    counting.calls.clear();
    ASSERT_TRUE(SweepKeyValues(counted_ctx, "Software\\Long"));
    EXPECT_TRUE(reg().ValueNames(kKey).empty());
    EXPECT_EQ(counting.calls["DeleteValue"], n);
    // The listing's open and the deletions' one, whatever the number of values.
    EXPECT_EQ(counting.calls["OpenKey"], 2) << n;
    EXPECT_LE(counting.calls["all"], 2 * n + 5) << n;
  }
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace scourix
