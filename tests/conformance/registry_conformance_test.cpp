// The same cases run against the in-memory registry on the host and against the real one
// under Wine, so that the in-memory one is held to the platform's behaviour.
#include <algorithm>
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
    platform::RegValue value;
    if (reg().QueryValue(key, name, &value) != 0)
      return std::nullopt;
    EXPECT_EQ(value.name, name);
    return std::make_pair(value.type, value.data);
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
    platform::RegValue value;
    for (std::uint32_t i = 0; reg().EnumValue(key, i, &value) == 0; ++i)
      names.push_back(value.name);
    return names;
  }

  std::unique_ptr<RegistryEnv> env_;
};

TEST_F(RegistryConformance, KeysOpenWithoutCaseKeepTheirCaseAndSortUnderscoreAfterLetters) {
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
  for (const char* name : {"b", "_x", "A", "c"})
    Create(Sub(name));
  UniqueRegKey base = Create(kBase);
  // Each keeps the case it was made with. Windows folds names to upper case to sort them, so "_"
  // comes after the letters; Wine folds to lower case, so it comes first.
  using Names = std::vector<std::string>;
  EXPECT_EQ(SubkeyNames(base.get()), (env_->IsWine() ? Names{"_x", "A", "b", "c", "MixedCase"}
                                                     : Names{"A", "b", "c", "MixedCase", "_x"}));
  char small[1];
  EXPECT_EQ(reg().EnumKey(base.get(), 0, small, sizeof small), 234);
  char name[16];
  EXPECT_EQ(reg().EnumKey(base.get(), 5, name, sizeof name), 259);
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

// Whole values cross the seam however long their names and data: the back-end sizes its own
// reads, past its first buffers where it must, and a short value after a long one is exact.
TEST_F(RegistryConformance, ValuesComeWholePastAnyFirstBuffer) {
  UniqueRegKey key = Create(Sub("Sizes"));
  // Set in name order, so that both orders of enumeration agree.
  std::string long_name(300, 'n');
  Set(key.get(), "long", platform::kRegBinary, std::string(3000, 'x'));
  Set(key.get(), long_name, platform::kRegSz, std::string("abc\0", 4));
  Set(key.get(), "short", platform::kRegSz, std::string("abc\0", 4));
  EXPECT_EQ(Query(key.get(), "long")->second.size(), 3000u);
  platform::RegValue value;
  ASSERT_EQ(reg().EnumValue(key.get(), 0, &value), 0);
  EXPECT_EQ(value.data.size(), 3000u);
  ASSERT_EQ(reg().EnumValue(key.get(), 1, &value), 0);
  EXPECT_EQ(value.name, long_name);
  ASSERT_EQ(reg().EnumValue(key.get(), 2, &value), 0);
  EXPECT_EQ(value.name, "short");
  EXPECT_EQ(value.type, platform::kRegSz);
  EXPECT_EQ(value.data, std::string("abc\0", 4));
  EXPECT_EQ(reg().EnumValue(key.get(), 3, &value), 259);
  EXPECT_EQ(value.name, "short");  // untouched on failure
  // A string without its null: Windows gives the bytes as stored, Wine adds a null.
  Set(key.get(), "bare", platform::kRegSz, "abc");
  Set(key.get(), "empty", platform::kRegBinary, "");
  EXPECT_EQ(Query(key.get(), "bare")->second, env_->IsWine() ? std::string("abc\0", 4) : "abc");
  EXPECT_EQ(Query(key.get(), "empty")->second, "");
}

TEST_F(RegistryConformance, MissingKeysAreNotFoundAndDeleteKeyRefusesAKeyWithSubkeys) {
  Create(Sub("Parent\\Child"));
  UniqueRegKey base = Create(kBase);
  RegKey key = platform::kNoKey;
  EXPECT_EQ(reg().OpenKey(kHkcu, Sub("Nowhere"), platform::kKeyRead, &key), 2);
  EXPECT_NE(reg().OpenKey(kHkcu, std::string("\\") + kBase, platform::kKeyRead, &key), 0);
  EXPECT_EQ(reg().DeleteKey(base.get(), "Nowhere"), 2);
  platform::RegValue value;
  EXPECT_EQ(reg().QueryValue(base.get(), "none", &value), 2);
  EXPECT_EQ(reg().DeleteValue(base.get(), "none"), 2);
  EXPECT_EQ(reg().DeleteKey(base.get(), "Parent"), 5);
  EXPECT_EQ(SubkeyNames(base.get()), std::vector<std::string>{"Parent"});
  EXPECT_EQ(reg().DeleteKey(base.get(), "parent\\child"), 0);
  EXPECT_EQ(reg().DeleteKey(base.get(), "Parent"), 0);
  EXPECT_TRUE(SubkeyNames(base.get()).empty());
}

// A link planted among the keys a step empties would carry the sweep, and RegDeleteKeyW, into
// the key it leads to.
TEST_F(RegistryConformance, AKeyThatIsALinkIsRefusedAndLeftWithTheKeyItLeadsTo) {
  UniqueRegKey target = Create(Sub("Elsewhere"));
  Set(target.get(), "kept", platform::kRegSz, std::string("1\0", 2));
  UniqueRegKey swept = Create(Sub("Swept"));
  env_->MakeLink(Sub("Swept\\Link"), Sub("Elsewhere"));
  RegKey key = platform::kNoKey;
  EXPECT_EQ(reg().OpenKey(kHkcu, Sub("Swept\\Link"), platform::kKeyAllAccess, &key), 5);
  EXPECT_EQ(reg().CreateKey(swept.get(), "link", platform::kKeyAllAccess, &key, nullptr), 5);
  EXPECT_EQ(reg().DeleteKey(swept.get(), "Link"), 5);
  EXPECT_EQ(reg().DeleteKey(kHkcu, Sub("Swept\\Link")), 5);
  EXPECT_EQ(SubkeyNames(swept.get()), std::vector<std::string>{"Link"});
  EXPECT_EQ(ValueNames(target.get()), std::vector<std::string>{"kept"});
  // On the way to a key below it, a link is followed, as the system's own are.
  Create(Sub("Elsewhere\\Below"));
  ASSERT_EQ(reg().OpenKey(kHkcu, Sub("Swept\\Link\\Below"), platform::kKeyRead, &key), 0);
  EXPECT_EQ(reg().CloseKey(key), 0);
  EXPECT_EQ(reg().DeleteKey(kHkcu, Sub("Swept\\Link\\Below")), 0);
  EXPECT_EQ(reg().OpenKey(kHkcu, Sub("Elsewhere\\Below"), platform::kKeyRead, &key), 2);
}

// A name holding a NUL, which only the native calls make: cut at the NUL, it would name the key
// itself, or its default value. It is refused, never cut.
TEST_F(RegistryConformance, ANameHoldingANullIsRefusedNotCut) {
  const std::string hidden("\0x", 2);
  UniqueRegKey swept = Create(Sub("Swept"));
  Set(swept.get(), "", platform::kRegSz, std::string("1\0", 2));
  env_->MakeKeyHoldingNull(Sub("Swept"), hidden);
  char name[256];
  EXPECT_EQ(reg().EnumKey(swept.get(), 0, name, sizeof name), platform::kInvalidName);
  RegKey key = platform::kNoKey;
  EXPECT_EQ(reg().OpenKey(kHkcu, Sub("Swept\\" + hidden), platform::kKeyAllAccess, &key),
            platform::kInvalidName);
  EXPECT_EQ(reg().DeleteKey(swept.get(), hidden), platform::kInvalidName);
  std::uint8_t byte = 1;
  EXPECT_EQ(reg().SetValue(swept.get(), hidden, platform::kRegBinary, &byte, 1),
            platform::kInvalidName);
  EXPECT_EQ(reg().DeleteValue(swept.get(), hidden), platform::kInvalidName);
  EXPECT_EQ(ValueNames(swept.get()), std::vector<std::string>{""});
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
  platform::RegValue value;
  EXPECT_EQ(reg().QueryValue(key, "", &value), platform::kKeyDeleted);
  EXPECT_EQ(reg().CloseKey(guard.release()), 0);
  EXPECT_EQ(reg().CloseKey(kHkcu), 0);
}

// Names the ANSI code page cannot hold: through the narrow functions each would come back with
// "?" in it, and the delete would name another value, or none.
TEST_F(RegistryConformance, NamesTheAnsiCodePageCannotHoldAreListedAndDeletedExactly) {
  const std::string kMixed = "\xD0\xB6\xC3\xA9_\xC3\xBC\x6E\xC3\xAF";  // "жé_ünï"
  const std::string kHan = "\xE6\x96\x87\xE4\xBB\xB6\xE5\x90\x8D";     // "文件名"
  const std::string kEmoji = "\xF0\x9F\x98\x80";                       // U+1F600
  const std::string kLone = "x\xED\xA0\x80y\xED\xB0\x80";  // UTF-16 units that pair with none
  const std::string kHanText = kHan + std::string(1, '\0');
  UniqueRegKey key = Create(Sub("Wide"));
  Set(key.get(), kMixed, platform::kRegSz, kHanText);
  Set(key.get(), kHan, platform::kRegBinary, "\x01\x02");
  Set(key.get(), kEmoji, platform::kRegSz, kEmoji + std::string(1, '\0'));
  Set(key.get(), kLone, platform::kRegSz, kLone + std::string(1, '\0'));
  Set(key.get(), "?", platform::kRegSz, std::string("bystander\0", 10));
  std::vector<std::string> names = ValueNames(key.get());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"?", kLone, kMixed, kHan, kEmoji}));
  EXPECT_EQ(Query(key.get(), kMixed)->second, kHanText);
  EXPECT_EQ(Query(key.get(), kEmoji)->second, kEmoji + std::string(1, '\0'));
  EXPECT_EQ(Query(key.get(), kLone)->second, kLone + std::string(1, '\0'));
  for (const std::string& name : {kMixed, kHan, kEmoji, kLone})
    EXPECT_EQ(reg().DeleteValue(key.get(), name), 0) << name;
  EXPECT_EQ(ValueNames(key.get()), std::vector<std::string>{"?"});

  UniqueRegKey child = Create(Sub("Wide\\" + kHan));
  EXPECT_EQ(SubkeyNames(key.get()), std::vector<std::string>{kHan});
  EXPECT_EQ(reg().DeleteKey(key.get(), kHan), 0);
  EXPECT_TRUE(SubkeyNames(key.get()).empty());

  // A key name may have 255 characters, however many bytes each takes as UTF-8.
  std::string longest;
  for (int i = 0; i < 255; ++i)
    longest += "\xD0\xB6";  // "ж"
  UniqueRegKey longest_key = Create(Sub("Wide\\" + longest));
  EXPECT_EQ(SubkeyNames(key.get()), std::vector<std::string>{longest});
  // Windows refuses a 256th character; Wine 8 takes it.
  if (!env_->IsWine()) {
    RegKey refused = platform::kNoKey;
    EXPECT_EQ(reg().CreateKey(key.get(), longest + "\xD0\xB6", platform::kKeyAllAccess, &refused,
                              nullptr),
              platform::kInvalidParameter);
  }
}

TEST_F(RegistryConformance, LargeDataAndManyValues) {
  UniqueRegKey key = Create(Sub("Large"));
  std::string mebibyte(1 << 20, '\0');
  for (std::size_t i = 0; i < mebibyte.size(); ++i)
    mebibyte[i] = static_cast<char>(i * 7);
  Set(key.get(), "big", platform::kRegBinary, mebibyte);
  EXPECT_EQ(Query(key.get(), "big")->second, mebibyte);
  for (int i = 0; i < 9999; ++i)
    Set(key.get(), "v" + std::to_string(i), platform::kRegDword, std::string(4, '\0'));
  std::vector<std::string> names = ValueNames(key.get());
  ASSERT_EQ(names.size(), 10000u);
  EXPECT_EQ(names[0], "big");
  EXPECT_EQ(names[9999], "v9998");
}

}  // namespace
}  // namespace scourix::conformance
