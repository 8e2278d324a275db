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
 public:
  explicit CountingRegistry(platform::Registry& inner) : inner_(inner) {}

  platform::Status OpenKey(platform::RegKey root,
                           std::string_view subkey,
                           std::uint32_t access,
                           platform::RegKey* result) override {
    ++calls["OpenKey"];
    return inner_.OpenKey(root, subkey, access, result);
  }
  platform::Status CreateKey(platform::RegKey parent,
                             std::string_view subkey,
                             std::uint32_t access,
                             platform::RegKey* result,
                             bool* created) override {
    ++calls["CreateKey"];
    return inner_.CreateKey(parent, subkey, access, result, created);
  }
  platform::Status CloseKey(platform::RegKey key) override {
    ++calls["CloseKey"];
    return inner_.CloseKey(key);
  }
  platform::Status QueryValue(platform::RegKey key,
                              std::string_view name,
                              platform::RegValue* value) override {
    ++calls["QueryValue"];
    return inner_.QueryValue(key, name, value);
  }
  platform::Status SetValue(platform::RegKey key,
                            std::string_view name,
                            std::uint32_t type,
                            const std::uint8_t* data,
                            std::uint32_t size) override {
    ++calls["SetValue"];
    return inner_.SetValue(key, name, type, data, size);
  }
  platform::Status DeleteValue(platform::RegKey key, std::string_view name) override {
    ++calls["DeleteValue"];
    return inner_.DeleteValue(key, name);
  }
  platform::Status DeleteKey(platform::RegKey key, std::string_view subkey) override {
    ++calls["DeleteKey"];
    return inner_.DeleteKey(key, subkey);
  }
  platform::Status EnumKey(platform::RegKey key,
                           std::uint32_t index,
                           char* name,
                           std::uint32_t name_size) override {
    ++calls["EnumKey"];
    return inner_.EnumKey(key, index, name, name_size);
  }
  platform::Status EnumValue(platform::RegKey key,
                             std::uint32_t index,
                             platform::RegValue* value) override {
    ++calls["EnumValue"];
    return inner_.EnumValue(key, index, value);
  }

  int Total() const {
    int total = 0;
    for (const auto& [name, count] : calls)
      total += count;
    return total;
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
    EXPECT_LE(counting.Total(), n + 1) << n;
    view.CloseRegistry();

    counting.calls.clear();
    ASSERT_TRUE(SweepKeyValues(counted_ctx, "Software\\Long"));
    EXPECT_TRUE(reg().ValueNames(kKey).empty());
    EXPECT_EQ(counting.calls["DeleteValue"], n);
    // The listing's open and the deletions' one, whatever the number of values.
    EXPECT_EQ(counting.calls["OpenKey"], 2) << n;
    EXPECT_LE(counting.Total(), 2 * n + 5) << n;
  }
  EXPECT_EQ(reg().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace scourix
