#include "platform/sim/reg_file.h"

#include <gtest/gtest.h>

namespace scourix::sim {
namespace {

constexpr char kArc[] = "HKCU\\Software\\WinRAR\\ArcHistory";

// The host fixtures' meaning rests on the reader, and a bad line must fail the case that loads
// it. The forms no fixture uses (REGEDIT4, UTF-16, removals) are left to the fuzzer.
TEST(RegFile, ReadsEveryKindOfValueOfAnExport) {
  SimRegistry reg;
  RegFileError error;
  ASSERT_TRUE(LoadRegFile(reg, std::string(SCOURIX_FIXTURES) + "/shell_traces.reg", &error))
      << error.line << ": " << error.message;
  EXPECT_EQ(reg.ValueNames("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                           "Explorer\\RunMRU"),
            (std::vector<std::string>{"a", "b", "MRUList"}));
  EXPECT_EQ(reg.StringValue(kArc, "0"), "C:\\Users\\me\\Documents\\\"quoted\".rar");
  EXPECT_EQ(reg.StringValue(kArc, ""), "default");
  EXPECT_EQ(reg.Value(kArc, "Count")->data, std::string("\x2a\0\0\0", 4));
  EXPECT_EQ(reg.Value(kArc, "Blob")->data.size(), 26u);
  EXPECT_EQ(reg.Value(kArc, "Path")->data, std::string("%TEMP%\0", 7));
  EXPECT_EQ(reg.Value(kArc, "Path")->type, platform::kRegExpandSz);
  EXPECT_EQ(reg.Value(kArc, "List")->data, std::string("a\0\xC3\xA9\0\0", 6));
  EXPECT_EQ(reg.Value(kArc, "Big")->type, platform::kRegQword);
}

TEST(RegFile, StopsAtTheFirstBadLine) {
  SimRegistry reg;
  RegFileError error;
  EXPECT_FALSE(LoadRegText(reg, "not a registry file", &error));
  for (std::string bad : {"\"v\"=dword:123456789", "\"v\"=hex:zz", "\"v\"=\"open", "[HKEY_X\\Y]",
                          "\"v\" \"w\"", "\"v\"=hex(8:00"}) {
    std::string text =
        "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"ok\"=\"1\"\n" + bad + "\n\"after\"=\"2\"\n";
    EXPECT_FALSE(LoadRegText(reg, text, &error)) << bad;
    EXPECT_EQ(error.line, 4u) << bad;
    EXPECT_FALSE(reg.ValueExists("HKCU\\K", "after"));
  }
}

}  // namespace
}  // namespace scourix::sim
