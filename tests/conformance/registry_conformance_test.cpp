// The same cases run against the in-memory registry on the host and against the real one
// under Wine, so that the in-memory one is held to the platform's behaviour.
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "conformance/machine_envs.h"

namespace scourix::conformance {
namespace {

using platform::RegKey;
using platform::UniqueRegKey;

constexpr RegKey kHkcu = platform::kHkeyCurrentUser;
constexpr char kBase[] = "Software\\ScourixConformance";

std::string Sub(std::string_view path) {
  return std::string(kBase) + "\\" + std::string(path);
}

class RegistryConformance : public ::testing::Test {
 protected:
  void SetUp() override { env_ = MakeRegistryEnv(); }

  platform::Registry& reg() { return env_->registry(); }

  UniqueRegKey Create(const std::string& path, bool* created = nullptr) {
    UniqueRegKey key;
    EXPECT_EQ(platform::CreateKey(reg(), kHkcu, path, platform::kKeyAllAccess, &key, created), 0)
        << path;
    return key;
  }

  void Set(RegKey key, std::string_view name, std::uint32_t type, std::string_view bytes) {
    ASSERT_EQ(reg().SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                             static_cast<std::uint32_t>(bytes.size())),
              0);
  }

  std::optional<std::pair<std::uint32_t, std::string>> Query(RegKey key, std::string_view name) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (reg().QueryValue(key, name, &type, nullptr, &size) != 0)
      return std::nullopt;
    std::string data(size, '\0');
    EXPECT_EQ(
        reg().QueryValue(key, name, &type, reinterpret_cast<std::uint8_t*>(data.data()), &size), 0);
    data.resize(size);
    return std::make_pair(type, data);
  }

  std::vector<std::string> SubkeyNames(RegKey key) {
    std::vector<std::string> names;
    char name[1024];
    while (reg().EnumKey(key, static_cast<std::uint32_t>(names.size()), name, sizeof name) == 0)
      names.emplace_back(name);
    return names;
  }

  std::vector<std::string> ValueNames(RegKey key) {
    std::vector<std::string> names;
    for (std::uint32_t i = 0;; ++i) {
      char name[1024];
      std::uint32_t name_size = sizeof name;
      if (reg().EnumValue(key, i, name, &name_size, nullptr, nullptr, nullptr) != 0)
        break;
      names.emplace_back(name, name_size);
    }
    return names;
  }

  std::unique_ptr<RegistryEnv> env_;
};

TEST_F(RegistryConformance, KeysOpenWithoutCaseAndKeepTheCaseOfCreation) {
  bool created = false;
  UniqueRegKey first = Create(Sub("MixedCase"), &created);
  EXPECT_TRUE(created);
  UniqueRegKey again = Create(Sub("MIXEDCASE"), &created);
  EXPECT_FALSE(created);
  RegKey opened = platform::kNoKey;
  EXPECT_EQ(reg().OpenKey(kHkcu, "software\\scourixconformance\\mixedcase\\", platform::kKeyRead,
                          &opened),
            0);
  UniqueRegKey guard(reg(), opened);
  UniqueRegKey base = Create(kBase);
  EXPECT_EQ(SubkeyNames(base.get()), std::vector<std::string>{"MixedCase"});
}

TEST_F(RegistryConformance, MissingKeysAndValuesAreNotFound) {
  UniqueRegKey base = Create(kBase);
  RegKey key = platform::kNoKey;
  EXPECT_EQ(reg().OpenKey(kHkcu, Sub("Nowhere"), platform::kKeyRead, &key), 2);
  EXPECT_EQ(reg().DeleteKey(base.get(), "Nowhere"), 2);
  std::uint32_t size = 0;
  EXPECT_EQ(reg().QueryValue(base.get(), "none", nullptr, nullptr, &size), 2);
  EXPECT_EQ(reg().DeleteValue(base.get(), "none"), 2);
  EXPECT_NE(reg().OpenKey(kHkcu, std::string("\\") + kBase, platform::kKeyRead, &key), 0);
}

TEST_F(RegistryConformance, SubkeysEnumerateSortedWithoutCaseUnderscoreAfterLetters) {
  for (const char* name : {"b", "_x", "A", "c"})
    Create(Sub(name));
  UniqueRegKey base = Create(kBase);
  // Windows folds names to upper case to sort them, so "_" comes after the letters; Wine folds
  // to lower case, so it comes first.
  std::vector<std::string> expected = env_->IsWine()
                                          ? std::vector<std::string>{"_x", "A", "b", "c"}
                                          : std::vector<std::string>{"A", "b", "c", "_x"};
  EXPECT_EQ(SubkeyNames(base.get()), expected);
  char small[1];
  EXPECT_EQ(reg().EnumKey(base.get(), 0, small, sizeof small), 234);
  char name[16];
  EXPECT_EQ(reg().EnumKey(base.get(), 4, name, sizeof name), 259);
}

TEST_F(RegistryConformance, ValuesEnumerateInTheOrderFirstSetAndDeletionClosesTheGap) {
  UniqueRegKey key = Create(Sub("Values"));
  Set(key.get(), "z", platform::kRegSz, std::string("1\0", 2));
  Set(key.get(), "a", platform::kRegSz, std::string("2\0", 2));
  Set(key.get(), "", platform::kRegSz, std::string("default\0", 8));
  Set(key.get(), "Z", platform::kRegDword, std::string("\1\0\0\0", 4));  // same value as "z"
  // Windows keeps values in the order first set; Wine keeps them sorted by name.
  using Names = std::vector<std::string>;
  EXPECT_EQ(ValueNames(key.get()), (env_->IsWine() ? Names{"", "a", "z"} : Names{"z", "a", ""}));
  EXPECT_EQ(Query(key.get(), "z")->first, platform::kRegDword);
  EXPECT_EQ(reg().DeleteValue(key.get(), "A"), 0);
  EXPECT_EQ(ValueNames(key.get()), (env_->IsWine() ? Names{"", "z"} : Names{"z", ""}));
  EXPECT_EQ(reg().DeleteValue(key.get(), ""), 0);
  EXPECT_FALSE(Query(key.get(), ""));
}

TEST_F(RegistryConformance, BuffersTooSmallReportTheSizeNeeded) {
  UniqueRegKey key = Create(Sub("Sizes"));
  // Set in name order, so that both orders of enumeration agree: "long" is 0, "short" is 1.
  Set(key.get(), "long", platform::kRegBinary, std::string(300, 'x'));
  Set(key.get(), "short", platform::kRegSz, std::string("abc\0", 4));
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(reg().QueryValue(key.get(), "long", &type, nullptr, &size), 0);
  EXPECT_EQ(size, 300u);
  std::uint8_t data[240];
  size = sizeof data;
  EXPECT_EQ(reg().QueryValue(key.get(), "long", &type, data, &size), 234);
  EXPECT_EQ(size, 300u);

  char name[240];
  std::uint32_t name_size = sizeof name;
  size = sizeof data;
  EXPECT_EQ(reg().EnumValue(key.get(), 0, name, &name_size, &type, data, &size), 234);
  EXPECT_EQ(size, 300u);
  name_size = 3;  // "short" needs 6 with its null
  size = sizeof data;
  EXPECT_EQ(reg().EnumValue(key.get(), 1, name, &name_size, &type, data, &size), 234);
  name_size = sizeof name;
  size = sizeof data;
  EXPECT_EQ(reg().EnumValue(key.get(), 1, name, &name_size, &type, data, &size), 0);
  EXPECT_EQ(std::string(name), "short");
  EXPECT_EQ(name_size, 5u);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(reg().EnumValue(key.get(), 2, name, &name_size, &type, data, &size), 259);
}

TEST_F(RegistryConformance, DeleteKeyRefusesAKeyWithSubkeys) {
  Create(Sub("Parent\\Child"));
  UniqueRegKey base = Create(kBase);
  EXPECT_EQ(reg().DeleteKey(base.get(), "Parent"), 5);
  EXPECT_EQ(SubkeyNames(base.get()), std::vector<std::string>{"Parent"});
  EXPECT_EQ(reg().DeleteKey(base.get(), "parent\\child"), 0);
  EXPECT_EQ(reg().DeleteKey(base.get(), "Parent"), 0);
  EXPECT_TRUE(SubkeyNames(base.get()).empty());
}

TEST_F(RegistryConformance, AHandleKeepsItsAccessAndFindsItsKeyGoneOnceDeleted) {
  Create(Sub("Doomed"));
  RegKey key = platform::kNoKey;
  ASSERT_EQ(reg().OpenKey(kHkcu, Sub("Doomed"), platform::kKeyRead, &key), 0);
  UniqueRegKey guard(reg(), key);
  std::uint8_t byte = 1;
  EXPECT_EQ(reg().SetValue(key, "v", platform::kRegBinary, &byte, 1), 5);
  EXPECT_EQ(reg().DeleteValue(key, "v"), 5);
  UniqueRegKey base = Create(kBase);
  ASSERT_EQ(reg().DeleteKey(base.get(), "Doomed"), 0);
  std::uint32_t size = 0;
  EXPECT_EQ(reg().QueryValue(key, "", nullptr, nullptr, &size), platform::kKeyDeleted);
  EXPECT_EQ(reg().CloseKey(guard.release()), 0);
  EXPECT_EQ(reg().CloseKey(kHkcu), 0);
}

TEST_F(RegistryConformance, StringWithoutItsNullReadsBackAsStored) {
  UniqueRegKey key = Create(Sub("Strings"));
  Set(key.get(), "bare", platform::kRegSz, "abc");
  Set(key.get(), "empty", platform::kRegBinary, "");
  // Windows gives the bytes as stored. Wine adds a null and reports one byte more.
  std::string expected = env_->IsWine() ? std::string("abc\0", 4) : std::string("abc");
  EXPECT_EQ(Query(key.get(), "bare")->second, expected);
  EXPECT_EQ(Query(key.get(), "empty")->second, "");
}

TEST_F(RegistryConformance, NamesAndTextsOutsideAsciiRoundTrip) {
  std::string cafe = "Caf\xC3\xA9";                      // "Café", in the Western code page
  std::string creme = std::string("Cr\xC3\xA8me\0", 7);  // "Crème" with its null
  UniqueRegKey key = Create(Sub(cafe));
  Set(key.get(), cafe, platform::kRegSz, creme);
  EXPECT_EQ(Query(key.get(), cafe)->second, creme);
  EXPECT_EQ(ValueNames(key.get()), std::vector<std::string>{cafe});
  UniqueRegKey base = Create(kBase);
  EXPECT_EQ(SubkeyNames(base.get()), std::vector<std::string>{cafe});
}

TEST_F(RegistryConformance, LargeDataAndManyValues) {
  UniqueRegKey key = Create(Sub("Large"));
  std::string mebibyte(1 << 20, '\0');
  for (std::size_t i = 0; i < mebibyte.size(); ++i)
    mebibyte[i] = static_cast<char>(i * 7);
  Set(key.get(), "big", platform::kRegBinary, mebibyte);
  EXPECT_EQ(Query(key.get(), "big")->second, mebibyte);

  UniqueRegKey many = Create(Sub("Many"));
  for (int i = 0; i < 10000; ++i)
    Set(many.get(), "v" + std::to_string(i), platform::kRegDword, std::string(4, '\0'));
  std::uint32_t subkeys = 1;
  std::uint32_t values = 0;
  std::uint32_t longest_name = 0;
  std::uint32_t longest_data = 0;
  ASSERT_EQ(reg().QueryInfoKey(many.get(), &subkeys, &values, &longest_name, &longest_data), 0);
  EXPECT_EQ(subkeys, 0u);
  EXPECT_EQ(values, 10000u);
  EXPECT_EQ(longest_name, 5u);  // "v9999"
  EXPECT_EQ(longest_data, 4u);
  std::vector<std::string> names = ValueNames(many.get());
  ASSERT_EQ(names.size(), 10000u);
  EXPECT_EQ(names[9999], "v9999");
}

}  // namespace
}  // namespace scourix::conformance
